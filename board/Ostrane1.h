// The main window: the board of both universes, its panels and tools.
// This header declares the whole class, the file panel and the rule library
// included; each source file defines its own part:
//   Ostrane1.cpp    controls in their design state, window frame
//   setup.cpp       Form_Load, MontreCadre, cell toggle
//   rules.cpp       rule boxes, random rules and the random-run log
//   step.cpp        btVa_Click (the generation step), MarqueSuite
//   auto.cpp        automatic running, btVide, btVideM
//   frame.cpp       title-bar picture buttons, Form_Resize, Form_Unload
//   universe.cpp    coMode_Click, DessineJeu, btAnte, ccCentre
//   shift.cpp       btFlèche_Click
//   placement.cpp   btPlaceM_Click
//   parity.cpp      coSymDG_Click, coSymHB_Click
// Two panels live in folders of their own, in libraries of their own
// (ostrane_files, ostrane_rules) that build with this folder's headers:
//   files/*.cpp     the file panel caFic: CreeFic() makes its controls, and its handlers
//   rules/*.cpp     the rule library caBiblio: CreeBiblio() makes its controls, and its handlers
// Their controls and handlers are declared here, in their own sections, so that
// board code may call them and they may call board code; CreateControls calls
// CreeFic() and CreeBiblio() in the design order.
#pragma once

#include "Controls.h"
#include "FileLists.h"
#include "FlexGrid.h"
#include "Form.h"
#include "Plateau.h"

#include <QString>
#include <QStringList>
#include <random>

class Ostrane1 : public Form {
public:
    Ostrane1();

    // ---- Window frame
    Frame* caMarlett = nullptr;
    PictureBox *imAide = nullptr, *imIco = nullptr, *imTaille = nullptr, *imFerme = nullptr;
    Image *imAideZ = nullptr, *imIcoZ = nullptr, *imTailleZ = nullptr, *imFermeZ = nullptr;
    Frame* caSigne = nullptr;
    Label* étSigne = nullptr;
    Label* étTitre = nullptr;

    // ---- Board area and the three panels that share one place
    FlexGrid* grJeu = nullptr;
    PictureBox* imJeu = nullptr;
    Line *lnH = nullptr, *lnV = nullptr;
    Frame* caJeu = nullptr;
    Frame* caFic = nullptr;     // file panel, files/
    Frame* caBiblio = nullptr;  // rule library panel, rules/

    // ---- Board panel caJeu
    ControlArray<OptionButton> coMode;  // 0 "Globe", 1 "Cosmos"
    Frame* caGlobe = nullptr;
    Frame* caSymDG = nullptr;
    ControlArray<OptionButton> coSymDG;  // 1 "|", 2 "| |"
    Frame* caSymHB = nullptr;
    ControlArray<OptionButton> coSymHB;  // 1 "--", 2 "="
    Frame* caCosmos = nullptr;
    CommandButton* btChargeL = nullptr;
    CommandButton* btEnregL = nullptr;
    CommandButton* btVa = nullptr;
    CommandButton* btVide = nullptr;
    CheckBox* ccAuto = nullptr;
    HScrollBar* bhAuto = nullptr;
    Label *étLent = nullptr, *étRapide = nullptr;
    Timer* miAuto = nullptr;
    CommandButton* btAnte = nullptr;
    CheckBox* ccCentre = nullptr;
    Label* étGénér = nullptr;
    Label* étSuite = nullptr;
    Frame* caRègle = nullptr;
    Label *étSurvie = nullptr, *étCréa = nullptr;
    ControlArray<CheckBox> ccSurvie;  // 0..8
    ControlArray<CheckBox> ccCréa;    // 0..8
    CheckBox* ccAléa = nullptr;
    CheckBox* ccZéro = nullptr;
    CheckBox* ccEnregR = nullptr;
    CommandButton* btBiblio = nullptr;
    Frame* caPlace = nullptr;
    ControlArray<OptionButton> coDépl;     // 0 "1", 1 "10"
    ControlArray<CommandButton> btFlèche;  // 0 up, 1 down, 2 left, 3 right
    Frame* caMotif = nullptr;
    FlexGrid* grMotif = nullptr;
    CommandButton *btPlaceM = nullptr, *btVideM = nullptr, *btChargeM = nullptr, *btEnregM = nullptr;
    CheckBox *ccVide = nullptr, *ccRègle = nullptr;
    Frame* caNomFic = nullptr;
    Label* étLif = nullptr;

    // ---- Rule-library panel caBiblio: eleven rows of name, survival and birth digits
    ControlArray<TextBox> txRègle, txRègleS, txRègleC;  // 0..10
    CommandButton *btRèglEnreg = nullptr, *btRègleF = nullptr, *btRèglApp = nullptr;

    // ---- File panel caFic
    DriveListBox* lsUni = nullptr;
    DirListBox* lsRép = nullptr;
    CommandButton* btFixeR = nullptr;
    FileListBox* lsFic = nullptr;
    TextBox* txNFic = nullptr;
    ControlArray<OptionButton> coFic;   // 0 "Tous les fichiers", 1 "*" & ExtFic
    ControlArray<CommandButton> btFin;  // 0 "Annuler", 1 "Lire" or "Ecrire"

    // ---- Board arrays
    Plateau Grille, Avant1, Avant2, Univers, UniSuiv, UniAnte;

    // ---- Main-window variables
    short ColGrille = 0, LigGrille = 0, TailleUnivers = 0, TailleMotif = 0, PosMotif = 0, PosMotifU = 0;
    // Counted past 32767: a long run must not stop on an overflow.
    long NumGénér = 0;
    short DélaiAuto = 0;
    QString CréaCour, SurvieCour;
    bool PairDG = false, PairHB = false, ArméDG = false, ArméHB = false;
    QString FicAléa, RépDéfaut;
    short EcartBas = 0;
    // The scale of the board's cells and points, set at load (EchelleGrille): the
    // window's layout, not the screen, decides how much room they have.
    float FacteurJeu = 1;
    QString CheminFic, ExtFic;
    bool FinFic = false;

    // ---- Handlers and procedures
    void MontreCadre(Frame* Cadre);
    void grJeu_Click();
    void grMotif_Click();

    QString LisCréa();
    QString LisSurvie();
    void EcriCréa(const QString& s);
    void EcriSurvie(const QString& s);
    void ccCréa_Click(int Index);
    void ccSurvie_Click(int Index);
    void ccAléa_Click();
    void ccEnregR_Click();
    void TireRègle();

    void btVa_Click();
    void MarqueSuite(bool b);

    void bhAuto_Change();
    void ccAuto_Click();
    void miAuto_Timer();
    void btVide_Click();
    void btVideM_Click();

    void imAide_MouseDown(int Button, int Shift, float X, float Y);
    void imAide_MouseUp(int Button, int Shift, float X, float Y);
    void imIco_MouseDown(int Button, int Shift, float X, float Y);
    void imIco_MouseUp(int Button, int Shift, float X, float Y);
    void imTaille_MouseDown(int Button, int Shift, float X, float Y);
    void imTaille_MouseUp(int Button, int Shift, float X, float Y);
    void imFerme_MouseDown(int Button, int Shift, float X, float Y);
    void imFerme_MouseUp(int Button, int Shift, float X, float Y);

    void coMode_Click(int Index);
    void DessineJeu();
    void btAnte_MouseDown(int Button, int Shift, float X, float Y);
    void btAnte_MouseUp(int Button, int Shift, float X, float Y);
    void ccCentre_Click();

    void btFlèche_Click(int Index);
    void btPlaceM_Click();
    void coSymDG_Click(int Index);
    void coSymHB_Click(int Index);

    // ---- Rule-library panel caBiblio, rules/
    void btBiblio_Click();
    bool LisRègles();
    void btRèglEnreg_Click();
    void btRègleF_Click();
    void btRèglApp_Click();
    void txRègle_Click(int Index);
    void txRègle_Change(int Index);
    void txRègleS_Change(int Index);
    void txRègleC_Change(int Index);
    void txRègle_KeyPress(int Index, int& KeyAscii);
    void txRègleS_KeyPress(int Index, int& KeyAscii);
    void txRègleC_KeyPress(int Index, int& KeyAscii);

    // ---- File panel caFic and the board and pattern files, files/
    void OuvreFic(const QString& Titre);
    void btFin_Click(int Index);
    void lsFic_Click();
    void txNFic_Change();
    void lsRép_Change();
    void lsUni_Change();
    void coFic_Click(int Index);
    void btFixeR_Click();
    void btEnregL_Click();
    void btChargeL_Click();
    void btEnregM_Click();
    void btChargeM_Click();

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

private:
    void CreeCadre();
    void CreeJeu();
    void CreeFic();     // files/
    void CreeBiblio();  // rules/
    // Steps 2 to 4 of the file panel's handshake: waits for the panel, then
    // gives the chosen path, empty when cancelled or when the window went away
    // meanwhile (nothing may then touch its controls).
    QString AttendFic();
    // Draws a universe array from row and column `premier` on.
    // Returns the number of points drawn.
    int DessineUnivers(const Plateau& u, int premier);
    // The parity options of both pairs.
    void ChangeParité(bool colonnes, int Index);
    // Appends whole lines to the random-run log, or leaves it as it was. A log
    // that cannot be written is told once, until "Ecrire" is ticked again or the
    // log is written again; the run goes on.
    void EcritAléa(const QStringList& lignes);
    // A digit 0 to 8, from a number drawn uniform in [0, 1).
    int ChiffreAléa();
    std::mt19937 m_aléa;
    bool m_journalTu = false;  // the log's failure already told
};
