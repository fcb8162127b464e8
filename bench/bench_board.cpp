// One generation step through the real main window (compute, still and
// period-2 watch, display), in both universes, against the same step written
// the way the window describes it: one string per cell in two-dimensional
// arrays, neighbours compared as text, rule digits searched as text, every
// loop in the described order, on the same grid, picture and labels.
#include "App.h"
#include "Ostrane1.h"
#include "OstraneM.h"
#include "reference_step.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

namespace {

Ostrane1* g_f = nullptr;
const QString kMort = QStringLiteral(" "), kVivant = QStringLiteral("·");

using Tableau = std::vector<std::vector<QString>>;  // [row][column]

Tableau Vide(int rows, int cols, const QString& v = QString()) {
    return Tableau(size_t(rows), std::vector<QString>(size_t(cols), v));
}

// The boards of the literal step; the history starts holding no board.
struct Litteral {
    Tableau Grille, Avant1, Avant2, Univers, UniSuiv, UniAnte;
    long NumGénér = 1;
};
Litteral g_lit;

std::u16string_view Vue(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())};
}

// The rule of the window's rule boxes.
reference::Rule<QString> Regle() {
    return {Vue(g_f->CréaCour), Vue(g_f->SurvieCour), kMort, kVivant};
}

bool Egal(const Tableau& a, const Tableau& b, int rows, int cols) {
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
            if (a[r][c] != b[r][c]) return false;
    return true;
}

void Detecte(const Tableau& B, int rows, int cols) {
    if (Egal(B, g_lit.Avant1, rows, cols)) {
        g_f->étSuite->setCaption(QStringLiteral("Figé après ") + QString::number(g_lit.NumGénér));
        g_f->ccAuto->setValue(0);
    } else if (Egal(B, g_lit.Avant2, rows, cols)) {
        g_f->étSuite->setCaption(QStringLiteral("Alterne depuis ") + QString::number(g_lit.NumGénér - 1));
    }
}

void Historique(const Tableau& B, int rows, int cols) {
    if (!g_f->étSuite->Caption().isEmpty()) return;
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) g_lit.Avant2[r][c] = g_lit.Avant1[r][c];
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) g_lit.Avant1[r][c] = B[r][c];
}

void Legende(long vivants) {
    ++g_lit.NumGénér;
    g_f->étGénér->setCaption(QStringLiteral("Génération ") + QLatin1Char(' ') + QString::number(g_lit.NumGénér) +
                             QLatin1Char('\r') + QString::number(vivants) + QStringLiteral(" vivants"));
}

void EtapeGlobeLitterale() {
    Ostrane1& f = *g_f;
    const int L = f.LigGrille, C = f.ColGrille;
    reference::StepTorus(
        L, C, Regle(), [&](int r, int c) { return f.grJeu->TextMatrix(r, c); },
        [&](int r, int c, const QString& cell) { g_lit.Grille[r][c] = cell; }, [&] { f.MarqueSuite(true); });
    long vivants = 0;
    for (int c = 0; c <= C - 1; ++c)
        for (int r = 0; r <= L - 1; ++r) {
            f.grJeu->setTextMatrix(r, c, g_lit.Grille[r][c]);
            if (g_lit.Grille[r][c] == kVivant) ++vivants;
        }
    if (f.étSuite->Caption().isEmpty()) Detecte(g_lit.Grille, L, C);
    Historique(g_lit.Grille, L, C);
    Legende(vivants);
}

void EtapeCosmosLitterale() {
    Ostrane1& f = *g_f;
    const int U = f.TailleUnivers;
    for (int c = 0; c <= U - 1; ++c)
        for (int r = 0; r <= U - 1; ++r) g_lit.UniAnte[r][c] = g_lit.Univers[r][c];
    reference::StepBounded(
        U, Regle(), [&](int r, int c) -> const QString& { return g_lit.Univers[r][c]; },
        [&](int r, int c, const QString& cell) { g_lit.UniSuiv[r][c] = cell; });
    f.imJeu->Cls();
    long vivants = 0;
    for (int c = 0; c <= U - 1; ++c)
        for (int r = 0; r <= U - 1; ++r) {
            g_lit.Univers[r][c] = g_lit.UniSuiv[r][c];
            if (r > 10 && c > 10 && g_lit.Univers[r][c] == kVivant) {
                f.imJeu->PSet(float(short((c - 10) * 60)) * FacteurEcran, float(short((r - 10) * 60)) * FacteurEcran,
                              0);
                ++vivants;
            }
        }
    if (f.étSuite->Caption().isEmpty()) {
        auto vivante = [&](int r, int c) { return g_lit.UniSuiv[r][c] > kMort; };
        bool bord = false;
        for (int c = 0; c <= 4 && !bord; ++c)
            for (int r = 0; r <= U - 1 && !bord; ++r) bord = vivante(r, c);
        for (int c = U - 6; c <= U - 1 && !bord; ++c)
            for (int r = 0; r <= U - 1 && !bord; ++r) bord = vivante(r, c);
        for (int r = 0; r <= 4 && !bord; ++r)
            for (int c = 0; c <= U - 1 && !bord; ++c) bord = vivante(r, c);
        for (int r = U - 6; r <= U - 1 && !bord; ++r)
            for (int c = 0; c <= U - 1 && !bord; ++c) bord = vivante(r, c);
        if (bord)
            f.MarqueSuite(true);
        else
            Detecte(g_lit.UniSuiv, U, U);
    }
    Historique(g_lit.UniSuiv, U, U);
    Legende(vivants);
}

// Random boards, the same for both ways of stepping. The Cosmos soup keeps
// clear of the edge band so that the detection runs.
std::vector<bool> g_globe, g_cosmos;

void Tire(std::vector<bool>& cases, int rows, int cols, int marge) {
    std::mt19937 gen(1234);
    cases.assign(size_t(rows) * size_t(cols), false);
    for (int r = marge; r < rows - marge; ++r)
        for (int c = marge; c < cols - marge; ++c) cases[size_t(r) * cols + c] = gen() % 100 < 35;
}

// Puts the random board back and forgets what the last steps noticed, so
// that every timed step does the same work.
void RemetGlobe(bool litteral) {
    Ostrane1& f = *g_f;
    const int L = f.LigGrille, C = f.ColGrille;
    for (int r = 0; r < L; ++r)
        for (int c = 0; c < C; ++c) f.grJeu->setTextMatrix(r, c, g_globe[size_t(r) * C + c] ? kVivant : kMort);
    f.étSuite->setCaption(QString());
    f.Avant1.Redim(L, C);
    f.Avant2.Redim(L, C);
    if (litteral) {
        g_lit.Avant1 = Vide(L, C);
        g_lit.Avant2 = Vide(L, C);
    }
}

void RemetCosmos(bool litteral) {
    Ostrane1& f = *g_f;
    const int U = f.TailleUnivers;
    for (int r = 0; r < U; ++r)
        for (int c = 0; c < U; ++c) {
            const bool v = g_cosmos[size_t(r) * U + c];
            f.Univers(r, c) = v ? life::Live : life::Dead;
            if (litteral) g_lit.Univers[r][c] = v ? kVivant : kMort;
        }
    f.étSuite->setCaption(QString());
    f.Avant1.Redim(U, U);
    f.Avant2.Redim(U, U);
    if (litteral) {
        g_lit.Avant1 = Vide(U, U);
        g_lit.Avant2 = Vide(U, U);
    }
}

void Mode(int i) {
    g_f->coMode(i)->setValue(true);
    DoEvents();
}

void BM_GlobeFenetre(benchmark::State& state) {
    Mode(0);
    for (auto _ : state) {
        state.PauseTiming();
        RemetGlobe(false);
        DoEvents();
        state.ResumeTiming();
        g_f->btVa->setValue(true);
        if (state.range(0)) DoEvents();  // the grid's repaint
    }
}

void BM_GlobeLitteral(benchmark::State& state) {
    Mode(0);
    g_lit.Grille = Vide(g_f->LigGrille, g_f->ColGrille, kMort);
    for (auto _ : state) {
        state.PauseTiming();
        RemetGlobe(true);
        DoEvents();
        state.ResumeTiming();
        EtapeGlobeLitterale();
        if (state.range(0)) DoEvents();
    }
}

void BM_CosmosFenetre(benchmark::State& state) {
    Mode(1);
    for (auto _ : state) {
        state.PauseTiming();
        RemetCosmos(false);
        DoEvents();
        state.ResumeTiming();
        g_f->btVa->setValue(true);
        if (state.range(0)) DoEvents();  // the picture's repaint
    }
}

void BM_CosmosLitteral(benchmark::State& state) {
    Mode(1);
    const int U = g_f->TailleUnivers;
    g_lit.Univers = Vide(U, U, kMort);
    g_lit.UniSuiv = Vide(U, U);
    g_lit.UniAnte = Vide(U, U);
    for (auto _ : state) {
        state.PauseTiming();
        RemetCosmos(true);
        DoEvents();
        state.ResumeTiming();
        EtapeCosmosLitterale();
        if (state.range(0)) DoEvents();
    }
}

// Argument 1: the repaint that follows the step is timed too; 0: the step alone.
BENCHMARK(BM_GlobeFenetre)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GlobeLitteral)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CosmosFenetre)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CosmosLitteral)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dossier;
    App::setPath(dossier.path());
    setMsgBoxHook([](const QString& texte, int) {
        std::fprintf(stderr, "unexpected message box: %s\n", qPrintable(texte));
        std::abort();
        return 0;
    });
    LisBlocCfg(QStringLiteral("~~~~< Ne pas\r\nRépFic=#\r\nEcran=/\r\nZoom=10\r\nFin\r\n"));
    FacteurEcran = 1;
    FicAide = dossier.path() + QStringLiteral("/Ostrane.rtf");
    g_f = new Ostrane1;
    g_f->Load();
    g_f->Show();
    DoEvents();
    Tire(g_globe, g_f->LigGrille, g_f->ColGrille, 0);
    Tire(g_cosmos, g_f->TailleUnivers, g_f->TailleUnivers, 20);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_f->Unload();
    delete g_f;
    return 0;
}
