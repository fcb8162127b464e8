#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"

// The option of N's parity stands for N cells, the other for N - 1: a change of
// selection moves the count by one.

void Ostrane1::coSymDG_Click(int Index) {
    // The selection made at load only arms the handler.
    if (!ArméDG) {
        ArméDG = true;
        return;
    }
    const int delta = Index == 1 ? (PairDG ? -1 : 1) : (PairDG ? 1 : -1);
    const int avant = grJeu->Cols();
    ColGrille = static_cast<short>(ColGrille + delta);
    grJeu->setCols(ColGrille);
    // A new column is as wide as those that EchelleGrille scaled at load.
    const double largeur = VbRound(216.0 * FacteurEcran);
    for (int c = avant; c < ColGrille; ++c) {
        grJeu->setColWidth(c, largeur);
        for (int r = 0; r < grJeu->Rows(); ++r) grJeu->setTextMatrix(r, c, QStringLiteral(" "));
    }
    Grille.Redim(LigGrille, ColGrille);
    Avant1.Redim(LigGrille, ColGrille);
    Avant2.Redim(LigGrille, ColGrille);
}

void Ostrane1::coSymHB_Click(int Index) {
    if (!ArméHB) {
        ArméHB = true;
        return;
    }
    const int delta = Index == 1 ? (PairHB ? -1 : 1) : (PairHB ? 1 : -1);
    const int avant = grJeu->Rows();
    LigGrille = static_cast<short>(LigGrille + delta);
    grJeu->setRows(LigGrille);
    const double hauteur = VbRound(216.0 * FacteurEcran);
    for (int r = avant; r < LigGrille; ++r) {
        grJeu->setRowHeight(r, hauteur);
        for (int c = 0; c < grJeu->Cols(); ++c) grJeu->setTextMatrix(r, c, QStringLiteral(" "));
    }
    Grille.Redim(LigGrille, ColGrille);
    Avant1.Redim(LigGrille, ColGrille);
    Avant2.Redim(LigGrille, ColGrille);
}
