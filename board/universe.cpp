#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"

#include <algorithm>
#include <vector>

namespace {
// A grid cell's text as a board cell; an empty text is a cell never written.
Plateau::Cell Cellule(const QString& texte) {
    return texte.isEmpty() ? Plateau::Cell(0) : texte.at(0).unicode();
}
}  // namespace

void Ostrane1::coMode_Click(int) {
    const bool g = coMode(0)->Value();
    grJeu->setVisible(g);
    imJeu->setVisible(!g);
    // The option has changed already: this empties the board of the new mode.
    btVide->setValue(true);
    btAnte->setEnabled(!g);
    if (coMode(0)->Value()) {
        Avant1.Redim(LigGrille, ColGrille);
        Avant2.Redim(LigGrille, ColGrille);
    } else {
        Avant1.Redim(TailleUnivers, TailleUnivers);
        Avant2.Redim(TailleUnivers, TailleUnivers);
    }
    caGlobe->setVisible(g);
    caCosmos->setVisible(!g);
    if (g) return;

    const int U = TailleUnivers;
    const int r0 = (U - LigGrille) / 2, c0 = (U - ColGrille) / 2;
    for (int r = 0; r < LigGrille; ++r) {
        for (int c = 0; c < ColGrille; ++c) {
            const int ur = r0 + r, uc = c0 + c;
            if (ur < 0 || uc < 0 || ur >= Univers.Rows() || uc >= Univers.Cols()) continue;
            Univers(ur, uc) = Cellule(grJeu->TextMatrix(r, c));
        }
    }
    DessineJeu();
}

void Ostrane1::DessineJeu() {
    DessineUnivers(Univers, 10);
}

int Ostrane1::DessineUnivers(const Plateau& u, int premier) {
    // A one-pixel point vanishes on a large screen: the dot covers about three quarters of a cell.
    const float facteur = FacteurJeu;
    const double cellulePixels = 60.0 * facteur / Screen::TwipsPerPixelX();
    imJeu->setDrawWidth(std::max(2, VbRound(cellulePixels * 0.75)));
    imJeu->Cls();
    const int colonnes = std::min<int>(TailleUnivers, u.Cols());
    const int lignes = std::min<int>(TailleUnivers, u.Rows());
    // Row by row, in the order of the board and of the picture's memory.
    std::vector<int> vivantes(size_t(std::max(colonnes, 0)));
    std::vector<float> xs(vivantes.size());
    int points = 0;
    for (int r = premier; r < lignes; ++r) {
        const Plateau::Cell* ligne = u.data() + size_t(r) * size_t(u.Cols());
        const float y = static_cast<float>((r - 10) * 60) * facteur;
        const int n = life::DrawnColumns(ligne, premier, colonnes, vivantes.data());
        for (int i = 0; i < n; ++i) xs[size_t(i)] = static_cast<float>((vivantes[size_t(i)] - 10) * 60) * facteur;
        imJeu->PSetRow(xs.data(), n, y, 0);
        points += n;
    }
    return points;
}

void Ostrane1::btAnte_MouseDown(int, int, float, float) {
    DessineUnivers(UniAnte, 11);
}

void Ostrane1::btAnte_MouseUp(int, int, float, float) {
    DessineUnivers(UniSuiv, 11);
}

void Ostrane1::ccCentre_Click() {
    const bool coche = ccCentre->Value() > 0;
    if (!coMode(0)->Value()) {
        lnV->setVisible(coche);
        lnH->setVisible(lnV->Visible());
        return;
    }
    const int R = LigGrille, C = ColGrille;
    int l0, l1, c0, c1;
    long couleur;
    if (coche) {
        // Odd: the middle row; even: the two middle ones.
        l1 = R / 2;
        l0 = R % 2 == 0 ? l1 - 1 : l1;
        c1 = C / 2;
        c0 = C % 2 == 0 ? c1 - 1 : c1;
        couleur = 0xFF;
    } else {
        // Seven by seven around the middle, so that a mark left from either parity is erased.
        l0 = VbRound(R / 2.0 - 3);
        l1 = VbRound(R / 2.0 + 3);
        c0 = VbRound(C / 2.0 - 3);
        c1 = VbRound(C / 2.0 + 3);
        couleur = 0xFFFFFF;
    }
    for (int c = c0; c <= c1; ++c) {
        for (int r = l0; r <= l1; ++r) {
            grJeu->setRow(r);
            grJeu->setCol(c);
            grJeu->setCellBackColor(couleur);
        }
    }
}
