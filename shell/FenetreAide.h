// What the rest of the program needs of the help window: it holds the help
// document in its rich-text control, loading itself when the control is touched.
#pragma once

#include "Form.h"

class RichTextBox;

class FenetreAide : public Form {
public:
    using Form::Form;
    // Touching the control loads the window (without showing it) when it is not loaded.
    virtual RichTextBox* txAide() = 0;
    // Shows the save button in the look for a changed text (true) or a saved one (false).
    virtual void FixEnreg(bool MdB) = 0;
    // Whether the save button shows a changed text (false while the window is not loaded).
    virtual bool Modifié() = 0;
};
