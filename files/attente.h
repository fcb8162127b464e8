// The file panel's wait: lets the window's events run until the panel closes.
#pragma once

#include "App.h"
#include "Form.h"

#include <functional>

// Lets events run, sleeping on the event queue, until done() holds. False when
// the window was unloaded or the program ended meanwhile: a cancel.
inline bool AttendQue(Form& fenetre, const std::function<bool()>& done) {
    while (!done()) {
        if (!fenetre.Loaded() || EndCalled()) return false;
        WaitEvents();
    }
    return true;
}
