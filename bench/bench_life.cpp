// The generation step on bare cell arrays, against the same step done the
// way the window describes it: one string per cell, neighbours compared as
// text, rule digits searched as text.
#include "life.h"
#include "reference_step.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kGlobe = 46;    // board side at start-up
constexpr int kCosmos = 188;  // universe side at start-up, margin included

std::vector<life::Cell> RandomCells(int count, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<life::Cell> cells(size_t(count), life::Dead);
    for (life::Cell& c : cells)
        if (gen() % 100 < 35) c = life::Live;
    return cells;
}

using StringBoard = std::vector<std::vector<std::u16string>>;  // [row][col]

StringBoard ToStrings(const std::vector<life::Cell>& cells, int rows, int cols) {
    StringBoard b(size_t(rows), std::vector<std::u16string>{size_t(cols)});
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) b[r][c] = std::u16string(1, cells[size_t(r) * cols + c]);
    return b;
}

const std::u16string kCrea = u"3", kSurvie = u"23";
const reference::Rule<std::u16string, const char16_t*> kRegle{kCrea, kSurvie, u" ", u"\u00B7"};

bool StringTorus(const StringBoard& in, StringBoard& out, int rows, int cols) {
    bool edge = false;
    reference::StepTorus(
        rows, cols, kRegle, [&](int r, int c) -> const std::u16string& { return in[r][c]; },
        [&](int r, int c, std::u16string cell) { out[r][c] = std::move(cell); }, [&] { edge = true; });
    return edge;
}

void StringBounded(const StringBoard& in, StringBoard& out, int u) {
    reference::StepBounded(
        u, kRegle, [&](int r, int c) -> const std::u16string& { return in[r][c]; },
        [&](int r, int c, std::u16string cell) { out[r][c] = std::move(cell); });
}

// Each iteration steps the same starting board, so the density stays ~35%.

void BM_StepTorus(benchmark::State& state) {
    const auto in = RandomCells(kGlobe * kGlobe, 46);
    std::vector<life::Cell> out(in.size());
    const life::Rule rule = life::RuleFromDigits(kCrea, kSurvie);
    for (auto _ : state) {
        benchmark::DoNotOptimize(life::StepTorus(in.data(), out.data(), kGlobe, kGlobe, rule));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kGlobe * kGlobe);
}
BENCHMARK(BM_StepTorus);

void BM_StringTorus(benchmark::State& state) {
    const StringBoard in = ToStrings(RandomCells(kGlobe * kGlobe, 46), kGlobe, kGlobe);
    StringBoard out = in;
    for (auto _ : state) {
        benchmark::DoNotOptimize(StringTorus(in, out, kGlobe, kGlobe));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kGlobe * kGlobe);
}
BENCHMARK(BM_StringTorus);

void StepBoundedOn(benchmark::State& state, const std::vector<life::Cell>& in) {
    std::vector<life::Cell> out(in.size());
    const life::Rule rule = life::RuleFromDigits(kCrea, kSurvie);
    for (auto _ : state) {
        life::StepBounded(in.data(), out.data(), kCosmos, rule);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCosmos * kCosmos);
}

void BM_StepBounded(benchmark::State& state) {
    StepBoundedOn(state, RandomCells(kCosmos * kCosmos, 188));
}
BENCHMARK(BM_StepBounded)->Unit(benchmark::kMicrosecond);

// A universe mostly empty, as most are: a soup in a 40 x 40 patch at its middle.
void BM_StepBoundedSparse(benchmark::State& state) {
    std::vector<life::Cell> in(size_t(kCosmos * kCosmos), life::Dead);
    const auto patch = RandomCells(40 * 40, 40);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 40; ++c) in[size_t((74 + r) * kCosmos + 74 + c)] = patch[size_t(r * 40 + c)];
    StepBoundedOn(state, in);
}
BENCHMARK(BM_StepBoundedSparse)->Unit(benchmark::kMicrosecond);

// The scan of the universe view for the dots it draws, row by row; a new board
// each time, as each step gives, so that no branch is learnt by heart.
void BM_DrawnColumns(benchmark::State& state) {
    std::vector<std::vector<life::Cell>> boards;
    for (unsigned i = 0; i < 32; ++i) boards.push_back(RandomCells(kCosmos * kCosmos, 188 + i));
    std::vector<int> cols(static_cast<size_t>(kCosmos));
    size_t k = 0;
    for (auto _ : state) {
        const auto& in = boards[k++ % boards.size()];
        int n = 0;
        for (int r = 11; r < kCosmos; ++r) n += life::DrawnColumns(in.data() + r * kCosmos, 11, kCosmos, cols.data());
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * kCosmos * kCosmos);
}
BENCHMARK(BM_DrawnColumns)->Unit(benchmark::kMicrosecond);

void BM_StringBounded(benchmark::State& state) {
    const StringBoard in = ToStrings(RandomCells(kCosmos * kCosmos, 188), kCosmos, kCosmos);
    StringBoard out = in;
    for (auto _ : state) {
        StringBounded(in, out, kCosmos);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCosmos * kCosmos);
}
BENCHMARK(BM_StringBounded)->Unit(benchmark::kMicrosecond);

}  // namespace
