// Automatic running, and the clearing of the board and of the pattern grid.
#include "Ostrane1.h"

void Ostrane1::bhAuto_Change() {
    static constexpr short kDélais[] = {1800, 1200, 800, 400, 100};
    DélaiAuto = kDélais[std::clamp(bhAuto->Value(), 0, 4)];
    miAuto->setInterval(DélaiAuto);
}

void Ostrane1::ccAuto_Click() {
    const bool a = ccAuto->Value() > 0;
    miAuto->setEnabled(a);
    btAnte->setEnabled(!a && coMode(1)->Value());
    btEnregL->setEnabled(!a);
    btVa->setEnabled(!a);
    for (int i = 0; i <= 3; ++i) btFlèche(i)->setEnabled(!a);
}

// A tick steps even though btVa is disabled while running.
void Ostrane1::miAuto_Timer() {
    btVa->setValue(true);
}

void Ostrane1::btVide_Click() {
    if (coMode(0)->Value()) {
        const QString mort = QStringLiteral(" ");
        if (Grille.Rows() != LigGrille || Grille.Cols() != ColGrille) Grille.Redim(LigGrille, ColGrille);
        for (int i = 0; i < ColGrille; ++i)
            for (int j = 0; j < LigGrille; ++j) {
                grJeu->setTextMatrix(j, i, mort);
                Grille(j, i) = life::Dead;
            }
    } else {
        imJeu->Cls();
        Univers.Fill(life::Dead);
        UniSuiv.Fill(life::Dead);
    }
    étGénér->setCaption(QStringLiteral("Génération  1"));
    NumGénér = 1;
    étSuite->setCaption(QString());
    MarqueSuite(false);
    ccAuto->setValue(0);
    miAuto->setEnabled(false);
}

void Ostrane1::btVideM_Click() {
    const QString mort = QStringLiteral(" ");
    for (int c = 0; c < TailleMotif; ++c)
        for (int r = 0; r < TailleMotif; ++r) grMotif->setTextMatrix(r, c, mort);
}
