#include "OstraneG.h"

#include "App.h"
#include "OstraneM.h"

Form* FenOptions = nullptr;

OstraneG::OstraneG() : Form(QStringLiteral("OstraneG")) {
    // The window keeps its design size on every screen: these are its client twips.
    m_designWidth = 5904;
    m_designHeight = 4056;
    m_designStartUp = 2;
    m_designCaption = QStringLiteral(" Paramètres d'affichage");
}

void OstraneG::CreateControls() {}

void OstraneG::Form_Load() {
    // Centred on the screen each time it is loaded.
    setLeft((Screen::Width() - Width()) / 2);
    setTop((Screen::Height() - Height()) / 2);
}

void OstraneG::Form_Unload(int&) {
    // Closed from the desktop as well as by its own button: either way the window is
    // gone, and the main window must not go on refusing to close for it.
    OptOuvert = false;
}
