// The generation step of both universes, with the still and period-2 watch.
#include "Ostrane1.h"

#include "OstraneM.h"

#include <string_view>
#include <utility>
#include <vector>

namespace {

std::u16string_view Vue(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())};
}

// A grid text as one board cell. Texts of other lengths never come from the
// program's own tools; they keep their place in the rule (above the space a
// live cell, below it a cell that does not count as a neighbour).
Plateau::Cell CelluleDe(const QString& t) {
    if (t.size() == 1) return t.at(0).unicode();
    if (t.isEmpty()) return 0;
    return t > QLatin1String(" ") ? Plateau::Cell(0xFFFF) : Plateau::Cell(1);
}

}  // namespace

void Ostrane1::MarqueSuite(bool b) {
    étSuite->setBackColor(b ? 0xC0E0FF : BackColor());
}

void Ostrane1::btVa_Click() {
    if (ccAléa->Value() > 0) TireRègle();
    const life::Rule règle = life::RuleFromDigits(Vue(CréaCour), Vue(SurvieCour));
    long vivants = 0;

    // Compares the new board with the two before it; the captions use the
    // number of the generation the step started from.
    auto detecte = [this](const Plateau& B) {
        if (B == Avant1) {
            étSuite->setCaption(QStringLiteral("Figé après ") + QString::number(NumGénér));
            ccAuto->setValue(0);
        } else if (B == Avant2) {
            étSuite->setCaption(QStringLiteral("Alterne depuis ") + QString::number(NumGénér - 1));
        }
    };
    // Once a caption stands the history is frozen, so that clearing compares
    // the next boards with those recorded before.
    auto historique = [this](const Plateau& B) {
        if (!étSuite->Caption().isEmpty()) return;
        std::swap(Avant1, Avant2);
        Avant1 = B;
    };

    if (coMode(0)->Value()) {
        const int L = LigGrille, C = ColGrille;
        if (Grille.Rows() != L || Grille.Cols() != C) Grille.Redim(L, C);
        std::vector<Plateau::Cell> avant(size_t(L) * size_t(C));
        for (int r = 0; r < L; ++r)
            for (int c = 0; c < C; ++c) avant[size_t(r) * C + c] = CelluleDe(grJeu->TextMatrix(r, c));
        if (life::StepTorus(avant.data(), Grille.data(), L, C, règle)) MarqueSuite(true);

        // Only cells that changed are written: one that survives keeps its
        // text, whatever it was.
        const QString mort = QStringLiteral(" "), vivant = QString(QChar(life::Live));
        for (int c = 0; c < C; ++c)
            for (int r = 0; r < L; ++r) {
                const Plateau::Cell n = Grille(r, c);
                if (n != avant[size_t(r) * C + c]) grJeu->setTextMatrix(r, c, n == life::Live ? vivant : mort);
                if (n == life::Live) ++vivants;
            }
        if (étSuite->Caption().isEmpty()) detecte(Grille);
        historique(Grille);
    } else {
        const int U = TailleUnivers;
        if (UniSuiv.Rows() != U || UniSuiv.Cols() != U) UniSuiv.Redim(U, U);
        // The board before the step is kept as the previous generation.
        std::swap(UniAnte, Univers);
        life::StepBounded(UniAnte.data(), UniSuiv.data(), U, règle);
        Univers = UniSuiv;
        // Row and column 10 lie on the picture's edge but are left out, as
        // the previous-generation view leaves them out.
        vivants = DessineUnivers(Univers, 11);
        if (étSuite->Caption().isEmpty()) {
            if (life::InEdgeBand(UniSuiv.data(), U))
                MarqueSuite(true);
            else
                detecte(UniSuiv);
        }
        historique(UniSuiv);
        if (ccEnregR->Value() > 0) EcritAléa({étGénér->Caption(), SurvieCour + QLatin1Char('/') + CréaCour});
    }

    ++NumGénér;
    étGénér->setCaption(QStringLiteral("Génération  ") + QString::number(NumGénér) + QLatin1Char('\r') +
                        QString::number(vivants) + QStringLiteral(" vivants"));
}
