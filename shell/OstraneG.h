// The display-options window: how the main window fits the screen.
#pragma once

#include "Controls.h"
#include "Form.h"

class OstraneG : public Form {
public:
    OstraneG();

    // The apply button is usable exactly while a choice is pending.
    void FixAppli(bool MdB);

    Frame* caEcran = nullptr;  // the screen page: how a window placed by hand fits
    Frame* caPosH = nullptr;
    Frame* caZoom = nullptr;  // the zoom page, for a window the system places
    Frame* caAvis = nullptr;
    ControlArray<OptionButton> coTaille;  // 0..2
    ControlArray<OptionButton> coPosH;    // 0..2, their Tag the layout code
    ControlArray<OptionButton> coZoom;    // 5..20, their Tag the zoom in tenths
    Label* étZoom = nullptr;
    ControlArray<Label> étAvis;  // 0
    ControlArray<Image> imAvis;  // 0
    // Its Tag holds the value that applying stores.
    CommandButton* btTaille = nullptr;
    CommandButton* btFerme = nullptr;
    // Brings this window back to the front once the rebuilt main window has come up.
    Timer* tmDessus = nullptr;

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void coTaille_Click(int Index);
    void coPosH_Click(int Index);
    // The Tag and the apply button follow the choice the screen page shows: pending
    // while it is whole and not the stored one.
    void SuitChoix();
    void coZoom_Click(int Index);
    void btTaille_Click();
    void btFerme_Click();
    void tmDessus_Timer();
    int m_attentes = 0;
};

// Created by the main window's options button the first time it is pressed, kept for the run.
extern Form* FenOptions;
