// The file panel on a folder of 20,000 files, half of them boards, half
// patterns: its opening and a switch of "Tous les fichiers", each until the
// window has painted it, beside the floor, one sorted listing of the same
// folder by QDir with the same filter and the same order.
#include "App.h"
#include "Ostrane1.h"
#include "OstraneM.h"
#include "Programme.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kFichiers = 20000;

// Names in no order on disk, letter case and accents mixed, as a user's own.
struct Dossier {
    QTemporaryDir dir;
    bool ok = dir.isValid();
    Dossier() {
        const char* const débuts[] = {"partie", "Planeur", "école", "Été", "zèbre", "Canon", "oscillateur", "Vaisseau"};
        std::vector<int> numéros(kFichiers);
        for (int i = 0; i < kFichiers; ++i) numéros[size_t(i)] = i;
        std::shuffle(numéros.begin(), numéros.end(), std::mt19937(7));
        for (int i = 0; ok && i < kFichiers; ++i) {
            const int n = numéros[size_t(i)];
            const QString nom = QString::fromUtf8(débuts[n % 8]) + QLatin1Char(' ') + QString::number(n) +
                                QLatin1String(n % 2 ? ".lif" : ".vie");
            QFile f(dir.path() + QLatin1Char('/') + nom);
            ok = f.open(QIODevice::WriteOnly);
        }
    }
};
Dossier* g_dossier = nullptr;

// The floor: QDir lists and sorts, French order, letter case aside, as the panel shows.
// Measured first, in a process that holds nothing else yet, the same for every build.
void Plancher(benchmark::State& state, const QString& motif, int attendus) {
    for (auto _ : state) {
        const QStringList noms =
            QDir(g_dossier->dir.path(), motif, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware, QDir::Files)
                .entryList();
        benchmark::DoNotOptimize(noms.constData());
        if (noms.size() != attendus) state.SkipWithError("the listing is short");
    }
}
void BM_PlancherEcrans(benchmark::State& state) {
    Plancher(state, QStringLiteral("*.vie"), kFichiers / 2);
}
BENCHMARK(BM_PlancherEcrans)->Unit(benchmark::kMillisecond);
void BM_PlancherTous(benchmark::State& state) {
    Plancher(state, QStringLiteral("*"), kFichiers);
}
BENCHMARK(BM_PlancherTous)->Unit(benchmark::kMillisecond);

QString g_programme;  // the folder of the program and its help file

Ostrane1& Demarre() {
    App::setPath(g_programme);
    Main();
    // The window's own first paint is not the panel's.
    QCoreApplication::processEvents();
    auto& f = *static_cast<Ostrane1*>(FenPrinc);
    f.RépDéfaut = g_dossier->dir.path();
    return f;
}

void Ferme(Ostrane1& f) {
    f.btFin_Click(0);
    QCoreApplication::processEvents();
}

void Ouvre(benchmark::State& state, Ostrane1& f) {
    f.OuvreFic(QStringLiteral("Lire un écran"));
    // Until the panel is painted, as the user sees it.
    QCoreApplication::processEvents();
    state.PauseTiming();
    if (f.lsFic->ListCount() != kFichiers / 2) state.SkipWithError("the file list does not show the boards");
    Ferme(f);
    state.ResumeTiming();
}

// The first opening of a run: the lists are where the program left them at start-up.
void BM_PremiereOuverture(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Ostrane1& f = Demarre();
        state.ResumeTiming();
        Ouvre(state, f);
        state.PauseTiming();
        ReinitProgramme();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PremiereOuverture)->Unit(benchmark::kMillisecond);

// An opening on the folder of the previous one.
void BM_Ouverture(benchmark::State& state) {
    Ostrane1& f = Demarre();
    f.OuvreFic(QStringLiteral("Lire un écran"));
    Ferme(f);
    for (auto _ : state) Ouvre(state, f);
    ReinitProgramme();
}
BENCHMARK(BM_Ouverture)->Unit(benchmark::kMillisecond);

// "Tous les fichiers" chosen on the open panel: 20,000 names.
void BM_TousLesFichiers(benchmark::State& state) {
    Ostrane1& f = Demarre();
    f.OuvreFic(QStringLiteral("Lire un écran"));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        f.coFic(0)->setValue(true);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (f.lsFic->ListCount() != kFichiers) state.SkipWithError("the file list does not show every file");
        f.coFic(1)->setValue(true);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    Ferme(f);
    ReinitProgramme();
}
BENCHMARK(BM_TousLesFichiers)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    setMsgBoxHook([](const QString&, int) { return 1; });
    setEndHook([] {});
    auto dossier = std::make_unique<Dossier>();
    if (!dossier->ok) {
        std::fprintf(stderr, "cannot make the folder of %d files\n", kFichiers);
        return 1;
    }
    g_dossier = dossier.get();
    QTemporaryDir programme;
    QFile::copy(QStringLiteral(OSTRANE_ASSET_DIR "/Ostrane.rtf"), programme.path() + QStringLiteral("/Ostrane.rtf"));
    g_programme = programme.path();
    // The lists start in the current folder: the same small one on every run.
    QDir::setCurrent(g_programme);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
