#include "Ostrane1.h"

void Ostrane1::btPlaceM_Click() {
    btVide->setValue(true);
    MarqueSuite(false);
    étSuite->setCaption(QString());

    const bool globe = coMode(0)->Value();
    const QString mort = QStringLiteral(" ");
    const QString vivant = QString(QChar(life::Live));
    for (int c = 0; c < TailleMotif; ++c) {
        for (int r = 0; r < TailleMotif; ++r) {
            if (!(grMotif->TextMatrix(r, c) > mort)) continue;
            if (globe) {
                // A grid narrower than the pattern keeps the part that falls on it.
                const int lr = PosMotif + r, lc = PosMotif + c;
                if (lr < 0 || lc < 0 || lr >= LigGrille || lc >= ColGrille) continue;
                grJeu->setTextMatrix(lr, lc, vivant);
                if (lr < Grille.Rows() && lc < Grille.Cols()) Grille(lr, lc) = life::Live;
            } else {
                const int ur = PosMotifU + r, uc = PosMotifU + c;
                if (ur < 0 || uc < 0 || ur >= Univers.Rows() || uc >= Univers.Cols()) continue;
                Univers(ur, uc) = life::Live;
            }
        }
    }
    if (!globe) DessineJeu();
}
