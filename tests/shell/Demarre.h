// Starts the real program in a folder of the test's own and tidies up after.
#pragma once

#include "App.h"
#include "Ostrane1.h"
#include "OstraneA.h"
#include "OstraneM.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

struct Programme : ::testing::Test {
    std::unique_ptr<ProgramFolder> dossier;

    void Prepare(bool avecAide = true) {
        Nettoie();
        dossier = std::make_unique<ProgramFolder>(avecAide);
    }
    void Demarre() { Main(); }
    Ostrane1* Principale() const { return static_cast<Ostrane1*>(FenPrinc); }
    OstraneA* Aide() const { return static_cast<OstraneA*>(FenAide); }

    static void Nettoie() {
        for (Form* f : Form::Forms()) {
            if (f == FenAide) FenAide->FixEnreg(false);
        }
        EnReinit = true;  // closing the windows must not end anything
        if (FenPrinc) FenPrinc->Unload();
        if (FenAide) FenAide->Unload();
        delete FenPrinc;
        delete FenAide;
        FenPrinc = nullptr;
        FenAide = nullptr;
        ReinitModule();
        ResetEndCount();
        Screen::setSizeOverride(0, 0);
    }
    void TearDown() override { Nettoie(); }
};
