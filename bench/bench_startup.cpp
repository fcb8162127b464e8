// Start-up from Main to the shown main window, with the shipped help file.
#include "App.h"
#include "Form.h"
#include "OstraneM.h"
#include "Programme.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_Demarrage(benchmark::State& state) {
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(OSTRANE_ASSET_DIR "/Ostrane.rtf"), dir.path() + QStringLiteral("/Ostrane.rtf"));
    App::setPath(dir.path());
    for (auto _ : state) {
        Main();
        benchmark::DoNotOptimize(FenPrinc->Visible());
        state.PauseTiming();
        if (!FenPrinc->Visible()) state.SkipWithError("the main window did not show");
        ReinitProgramme();
        App::setPath(dir.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Demarrage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setMsgBoxHook([](const QString&, int) { return 1; });
    setEndHook([] {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
