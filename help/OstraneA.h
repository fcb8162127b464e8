// The help window: the holder of the help document for the whole program, the
// help text's view, and the failure panel when start-up fails.
#pragma once

#include "Controls.h"
#include "FenetreAide.h"

#include <QPointer>
#include <memory>

class QObject;
class QWindow;
class RichTextBox;

class OstraneA : public FenetreAide {
public:
    OstraneA();

    RichTextBox* txAide() override;
    void FixEnreg(bool MdB) override;
    bool Modifié() override;

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
    void imTxR_MouseDown(int Button, int Shift, float X, float Y);
    void imTxR_MouseUp(int Button, int Shift, float X, float Y);
    void imTxN_MouseDown(int Button, int Shift, float X, float Y);
    void imTxN_MouseUp(int Button, int Shift, float X, float Y);
    void imEnreg_MouseDown(int Button, int Shift, float X, float Y);
    void imEnreg_MouseUp(int Button, int Shift, float X, float Y);
    void imAide_MouseDown(int Button, int Shift, float X, float Y);
    void imAide_MouseUp(int Button, int Shift, float X, float Y);
    void imIco_MouseDown(int Button, int Shift, float X, float Y);
    void imIco_MouseUp(int Button, int Shift, float X, float Y);
    void imTaille_MouseDown(int Button, int Shift, float X, float Y);
    void imTaille_MouseUp(int Button, int Shift, float X, float Y);
    void imFerme_MouseDown(int Button, int Shift, float X, float Y);
    void imFerme_MouseUp(int Button, int Shift, float X, float Y);

    // The desktop's answer to a change of window state (used by the window's watcher).
    void EtatAccorde(bool maximise, bool minimise);

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;

private:
    void AjusteEcran();
    void FaceEchec();
    void ChargementOrdinaire();
    void Agrandit();
    void Surveille();
    void RendFocus();
    RichTextBox* m_txAide = nullptr;
    float m_r = 1;
    bool m_chargement = false;
    // The size the screen fit gave: multi-page shows the window at it.
    double m_largeurNormale = 0, m_hauteurNormale = 0;
    // A maximise asked of the desktop and not answered yet; one it refused. A refused
    // maximise is not asked again until the desktop maximises the window itself, the user
    // asks for full page, or the window is loaded again.
    bool m_maxDemande = false, m_maxRefuse = false;
    std::unique_ptr<QObject> m_veille;
    QPointer<QWindow> m_fenetreVeillee;
};
