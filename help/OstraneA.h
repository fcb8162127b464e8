// The help window: the holder of the help document for the whole program, the
// help text's view, and the failure panel when start-up fails.
#pragma once

#include "Controls.h"
#include "FenetreAide.h"

class RichTextBox;

class OstraneA : public FenetreAide {
public:
    OstraneA();

    RichTextBox* txAide() override;
    void FixEnreg(bool MdB) override;

    // Controls, valid while the window is loaded.
    Frame* caMarlett = nullptr;
    PictureBox *imTxR = nullptr, *imTxN = nullptr, *imEnreg = nullptr, *imAide = nullptr, *imIco = nullptr,
               *imTaille = nullptr, *imFerme = nullptr;
    Image *imTxRZ = nullptr, *imTxNZ = nullptr, *imEnregZ = nullptr, *imAideZ = nullptr, *imIcoZ = nullptr,
          *imTailleZ = nullptr, *imFermeZ = nullptr;
    Image* imEnregN = nullptr;
    Image *imTaille2 = nullptr, *imTaille0 = nullptr;
    Frame* caAide = nullptr;
    Frame* caEdite = nullptr;
    ControlArray<CommandButton> btAide;
    Frame* caInit = nullptr;
    ControlArray<Image> imProg;

    // Form-level: survives unloads.
    bool MultiPage = false;

    void imProg_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void btAide_Click(int Index);

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;

private:
    void AjusteEcran();
    void FaceEchec();
    void ChargementOrdinaire();
    RichTextBox* m_txAide = nullptr;
    float m_r = 1;
};
