// Set-up of the boards at load, the panel switch and the cell toggle.
#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"

void Ostrane1::Form_Load() {
    if (EnReinit) return;
    EcartBas = static_cast<short>(VbRound(Height() - caSigne->Top()));

    // Cells are 216 twips; dividing by 217 leaves room for the grid's lines.
    ColGrille = static_cast<short>(VbRound(grJeu->Width()) / 217);
    LigGrille = ColGrille;
    TailleMotif = 15;
    // One universe cell per 60 twips of the picture, plus a hidden margin
    // of 10 on each side.
    TailleUnivers = static_cast<short>(VbRound(imJeu->Width()) / 60 + 20);
    PosMotif = static_cast<short>((ColGrille - TailleMotif) / 2);
    PosMotifU = static_cast<short>(VbRound((TailleUnivers - TailleMotif + 2) / 2.0));
    NumGénér = 1;
    PairDG = PairHB = (ColGrille % 2 == 0);
    // The first selection of each pair only arms its handler.
    coSymDG(PairDG ? 2 : 1)->setValue(true);
    coSymHB(PairHB ? 2 : 1)->setValue(true);

    // History boards hold no board yet: no cell equals " " or "·".
    Grille.Redim(LigGrille, ColGrille);
    Avant1.Redim(LigGrille, ColGrille);
    Avant2.Redim(LigGrille, ColGrille);
    const QString mort = QStringLiteral(" ");
    grJeu->setRows(LigGrille);
    grJeu->setCols(ColGrille);
    for (int i = 0; i < ColGrille; ++i) {
        grJeu->setColWidth(i, 216);
        grJeu->setRowHeight(i, 216);
        for (int j = 0; j < LigGrille; ++j) {
            grJeu->setTextMatrix(j, i, mort);
            Grille(j, i) = life::Dead;
        }
    }

    Univers.Redim(TailleUnivers, TailleUnivers, life::Dead);
    UniSuiv.Redim(TailleUnivers, TailleUnivers);
    UniAnte.Redim(TailleUnivers, TailleUnivers);

    grMotif->setRows(15);
    grMotif->setCols(15);
    for (int i = 0; i < 15; ++i) {
        grMotif->setColWidth(i, 181);
        grMotif->setRowHeight(i, grMotif->ColWidth(i));
        for (int j = 0; j < 15; ++j) grMotif->setTextMatrix(j, i, mort);
    }

    CréaCour = LisCréa();
    SurvieCour = LisSurvie();
    bhAuto_Change();

    const int w = VbRound(imJeu->Width()), h = VbRound(imJeu->Height());
    lnV->setEnds(w / 2, 0, w / 2, imJeu->Height());
    lnH->setEnds(0, h / 2, imJeu->Width(), h / 2);

    RépDéfaut = LisCfg(QStringLiteral("RépFic"));
    if (RépDéfaut == QLatin1String("#")) RépDéfaut = App::Path();

    EchelleGrille(*grMotif);
    FacteurJeu = EchelleGrille(*grJeu);

    FicAléa = FicAide;
    FicAléa.replace(QStringLiteral(".rtf"), QStringLiteral("-aléa.txt"), Qt::CaseSensitive);
}

void Ostrane1::MontreCadre(Frame* Cadre) {
    caJeu->setVisible(false);
    caFic->setVisible(false);
    caBiblio->setVisible(false);
    Cadre->setVisible(true);
}

void Ostrane1::grJeu_Click() {
    grJeu->setText(grJeu->Text() == QLatin1String(" ") ? QStringLiteral("·") : QStringLiteral(" "));
}

void Ostrane1::grMotif_Click() {
    grMotif->setText(grMotif->Text() == QLatin1String(" ") ? QStringLiteral("·") : QStringLiteral(" "));
}
