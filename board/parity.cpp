#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"

// The option of N's parity stands for N cells, the other for N - 1: a change of
// selection moves the count by one.

void Ostrane1::coSymDG_Click(int Index) {
    ChangeParité(true, Index);
}

void Ostrane1::coSymHB_Click(int Index) {
    ChangeParité(false, Index);
}

// Columns ("|", "| |") or rows ("--", "="): the same rule on either count.
void Ostrane1::ChangeParité(bool colonnes, int Index) {
    bool& armé = colonnes ? ArméDG : ArméHB;
    // The selection made at load only arms the handler.
    if (!armé) {
        armé = true;
        return;
    }
    const bool pair = colonnes ? PairDG : PairHB;
    const int delta = Index == 1 ? (pair ? -1 : 1) : (pair ? 1 : -1);
    short& compte = colonnes ? ColGrille : LigGrille;
    const int avant = colonnes ? grJeu->Cols() : grJeu->Rows();
    compte = static_cast<short>(compte + delta);
    // A new column or row is as large as those that EchelleGrille scaled at load.
    const double taille = VbRound(216.0 * FacteurJeu);
    if (colonnes) {
        grJeu->setCols(ColGrille);
        for (int c = avant; c < ColGrille; ++c) {
            grJeu->setColWidth(c, taille);
            for (int r = 0; r < grJeu->Rows(); ++r) grJeu->setTextMatrix(r, c, QStringLiteral(" "));
        }
    } else {
        grJeu->setRows(LigGrille);
        for (int r = avant; r < LigGrille; ++r) {
            grJeu->setRowHeight(r, taille);
            for (int c = 0; c < grJeu->Cols(); ++c) grJeu->setTextMatrix(r, c, QStringLiteral(" "));
        }
    }
    Grille.Redim(LigGrille, ColGrille);
    Avant1.Redim(LigGrille, ColGrille);
    Avant2.Redim(LigGrille, ColGrille);
}
