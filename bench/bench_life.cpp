// The generation step on bare cell arrays, against the same step done the
// way the window describes it: one string per cell, neighbours compared as
// text, rule digits searched as text.
#include "life.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
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

std::u16string Apply(const std::u16string& cell, int n) {
    const std::u16string d = std::u16string(1, char16_t(u'0' + n));
    if (cell == u" ") return kCrea.find(d) != std::u16string::npos ? u"\u00B7" : u" ";
    return kSurvie.find(d) != std::u16string::npos ? cell : u" ";
}

bool StringTorus(const StringBoard& in, StringBoard& out, int rows, int cols) {
    bool edge = false;
    for (int c = 0; c <= cols - 1; ++c)
        for (int r = 0; r <= rows - 1; ++r) {
            const std::u16string& cell = in[r][c];
            int n = 0;
            for (int x0 = c - 1; x0 <= c + 1; ++x0)
                for (int y0 = r - 1; y0 <= r + 1; ++y0) {
                    if (x0 == c && y0 == r) continue;
                    int x = x0, y = y0;
                    if (x == -1) {
                        x = cols - 1;
                        if (cell > u" ") edge = true;
                    }
                    if (x == cols) {
                        x = 0;
                        if (cell > u" ") edge = true;
                    }
                    if (y == -1) {
                        y = rows - 1;
                        if (cell > u" ") edge = true;
                    }
                    if (y == rows) {
                        y = 0;
                        if (cell > u" ") edge = true;
                    }
                    if (in[y][x] > u" ") ++n;
                }
            out[r][c] = Apply(cell, n);
        }
    return edge;
}

void StringBounded(const StringBoard& in, StringBoard& out, int u) {
    for (int c = 0; c <= u - 1; ++c)
        for (int r = 0; r <= u - 1; ++r) {
            int n = 0;
            for (int x = c - 1; x <= c + 1; ++x)
                for (int y = r - 1; y <= r + 1; ++y) {
                    if (x == c && y == r) continue;
                    if (x >= 0 && x <= u - 1 && y >= 0 && y <= u - 1 && in[y][x] > u" ") ++n;
                }
            out[r][c] = Apply(in[r][c], n);
        }
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
