#include "Ostrane1.h"

#include <algorithm>
#include <vector>

void Ostrane1::btFlèche_Click(int Index) {
    const QString sens = btFlèche(Index)->Tag();
    const int pas = coDépl(0)->Value() ? 1 : 10;

    if (coMode(0)->Value()) {
        // Globe is a torus: read the grid once, rotate in memory, write every cell back.
        const int lignes = grJeu->Rows(), colonnes = grJeu->Cols();
        if (lignes <= 0 || colonnes <= 0) return;
        std::vector<std::vector<QString>> texte(static_cast<size_t>(lignes),
                                                std::vector<QString>(static_cast<size_t>(colonnes)));
        for (int r = 0; r < lignes; ++r)
            for (int c = 0; c < colonnes; ++c) texte[size_t(r)][size_t(c)] = grJeu->TextMatrix(r, c);
        // s single-cell rotations come to one rotation by s modulo the side.
        if (sens == QLatin1String("h")) {
            std::rotate(texte.begin(), texte.begin() + pas % lignes, texte.end());
        } else if (sens == QLatin1String("b")) {
            std::rotate(texte.rbegin(), texte.rbegin() + pas % lignes, texte.rend());
        } else if (sens == QLatin1String("g")) {
            for (auto& ligne : texte) std::rotate(ligne.begin(), ligne.begin() + pas % colonnes, ligne.end());
        } else if (sens == QLatin1String("d")) {
            for (auto& ligne : texte) std::rotate(ligne.rbegin(), ligne.rbegin() + pas % colonnes, ligne.rend());
        }
        for (int r = 0; r < lignes; ++r)
            for (int c = 0; c < colonnes; ++c) grJeu->setTextMatrix(r, c, texte[size_t(r)][size_t(c)]);
        return;
    }

    // Cosmos slides in place: each copy runs away from the cells it has yet to read.
    const int U = std::min(Univers.Rows(), Univers.Cols());
    const int s = std::min(pas, U);
    const Plateau::Cell mort = life::Dead;
    if (sens == QLatin1String("h")) {
        for (int r = s; r < U; ++r)
            for (int c = 0; c < U; ++c) Univers(r - s, c) = Univers(r, c);
        for (int r = U - s; r < U; ++r)
            for (int c = 0; c < U; ++c) Univers(r, c) = mort;
    } else if (sens == QLatin1String("b")) {
        for (int r = U - 1 - s; r >= 0; --r)
            for (int c = 0; c < U; ++c) Univers(r + s, c) = Univers(r, c);
        for (int r = 0; r < s; ++r)
            for (int c = 0; c < U; ++c) Univers(r, c) = mort;
    } else if (sens == QLatin1String("g")) {
        for (int c = s; c < U; ++c)
            for (int r = 0; r < U; ++r) Univers(r, c - s) = Univers(r, c);
        for (int c = U - s; c < U; ++c)
            for (int r = 0; r < U; ++r) Univers(r, c) = mort;
    } else if (sens == QLatin1String("d")) {
        for (int c = U - 1 - s; c >= 0; --c)
            for (int r = 0; r < U; ++r) Univers(r, c + s) = Univers(r, c);
        for (int c = 0; c < s; ++c)
            for (int r = 0; r < U; ++r) Univers(r, c) = mort;
    }
    DessineJeu();
}
