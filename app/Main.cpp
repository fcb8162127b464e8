// The program's entry after the application object: the window objects, how they
// reach each other, then the start-up. This is the one place that knows every window.
#include "Programme.h"

#include "App.h"
#include "Ostrane1.h"
#include "OstraneA.h"
#include "OstraneG.h"
#include "OstraneM.h"

#include <QCoreApplication>
#include <QEvent>

void Main() {
    if (!FenAide) FenAide = new OstraneA;
    if (!FenPrinc) FenPrinc = new Ostrane1;
    Demarrage(*FenPrinc, *FenAide);
}

void ReinitProgramme() {
    // Quietly, as a re-layout closes windows: no save question, no end of the program.
    EnReinit = true;
    if (FenAide && FenAide->Loaded()) FenAide->FixEnreg(false);
    for (Form* f : Form::Forms()) f->Unload();
    EnReinit = false;
    delete FenOptions;
    FenOptions = nullptr;
    delete FenPrinc;
    FenPrinc = nullptr;
    delete FenAide;
    FenAide = nullptr;
    // Widgets of the deleted windows go now, not at some later turn of the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Screen::setMouseDownControl(nullptr);
    App::setPath(QString());
    Screen::setSizeOverride(0, 0);
    resetEndCalled();
    ReinitModule();
}
