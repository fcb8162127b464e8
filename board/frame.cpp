#include "Ostrane1.h"

#include "App.h"
#include "OstraneG.h"
#include "OstraneM.h"

// Title-bar picture buttons: the press only gives the pressed look; the action waits for the release.

void Ostrane1::imAide_MouseDown(int, int, float, float) {
    BoutonBas();
}

void Ostrane1::imAide_MouseUp(int, int, float, float) {
    BoutonHaut();
    // The help window object lives for the whole run: showing it again brings it forward,
    // back from the icon when it was minimised, as it was before.
    if (FenAide) FenAide->Show();
}

void Ostrane1::imIco_MouseDown(int, int, float, float) {
    BoutonBas();
}

void Ostrane1::imIco_MouseUp(int, int, float, float) {
    BoutonHaut();
    setWindowState(vbMinimized);
}

void Ostrane1::imTaille_MouseDown(int, int, float, float) {
    BoutonBas();
}

void Ostrane1::imTaille_MouseUp(int, int, float, float) {
    BoutonHaut();
    FormeCible = this;
    OptOuvert = true;
    if (!FenOptions) FenOptions = new OstraneG;
    FenOptions->Show();
}

void Ostrane1::imFerme_MouseDown(int, int, float, float) {
    BoutonBas();
}

void Ostrane1::imFerme_MouseUp(int, int, float, float) {
    BoutonHaut();
    Unload();
}

void Ostrane1::Form_Resize() {
    if (!caMarlett) return;
    caMarlett->setLeft(Width() - caMarlett->Width() - 96);
    caSigne->setLeft(Width() - caSigne->Width() - 96);
    caSigne->setTop(Height() - EcartBas);
}

void Ostrane1::Form_Unload(int& Cancel) {
    if (OptOuvert && !EnReinit) {
        MsgBox(QStringLiteral("Il faut débord fermer la fenêtre des options d'affichage."), 48);
        Cancel = 1;
        return;
    }
    if (!EnReinit) {
        for (Form* f : Form::Forms()) {
            // This window's own unload is the one under way: it finishes when this handler returns.
            if (f == this || !f->Loaded()) continue;
            // The help window's question answered "Annuler", or its save failed: the
            // program goes on, with the user's edits where they were.
            if (!f->Unload()) {
                Cancel = 1;
                return;
            }
        }
    }
    // The next load builds the window anew: its parity selections must only arm the
    // handlers again, or they would change the fresh grid's size.
    ArméDG = ArméHB = false;
    // Rebuilding the window (start-up, display options): only this window goes.
    if (!EnReinit) End();
}
