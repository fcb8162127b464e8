// Starts the real program in a folder of the test's own and tidies up after.
#pragma once

#include "App.h"
#include "Ostrane1.h"
#include "OstraneA.h"
#include "OstraneM.h"
#include "Programme.h"
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
        ReinitProgramme();
        ResetEndCount();
    }
    void TearDown() override { Nettoie(); }
};
