// Pattern files of any bytes onto the three targets: nothing outside them,
// and a pattern grid read from a file survives writing and reading again.
#include "lif_format.h"

#include <cstdlib>

namespace {

void Check(const lif::ReadResult& r, const lif::Target& t) {
    if (r.cells.size() != size_t(t.rows) * size_t(t.cols)) std::abort();
    if (r.outside < 0) std::abort();
    if (!r.Life105() && (r.rule || r.outside || r.clearings)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const lif::Target targets[] = {lif::Target::PatternGrid(15), lif::Target::Globe(45, 46), lif::Target::Cosmos(188)};
    for (const lif::Target& t : targets) Check(lif::Read(bytes, t), t);

    const lif::Target grid = lif::Target::PatternGrid(15);
    const lif::ReadResult r = lif::Read(bytes, grid);
    if (!r.Life105()) return 0;
    std::vector<life::Cell> cells(15 * 15, life::Dead);
    for (size_t i = 0; i < cells.size(); ++i)
        if (r.cells[i] == lif::Effect::Live) cells[i] = life::Live;
    const rules::RuleText rule = r.rule.value_or(rules::RuleText{});
    const lif::ReadResult again = lif::Read(lif::Write(rule, cells.data(), 15), grid);
    if (again.faults != 0 || again.outside != 0 || again.rule != rule || again.clearings != 1) std::abort();
    for (size_t i = 0; i < cells.size(); ++i)
        if ((again.cells[i] == lif::Effect::Live) != (cells[i] == life::Live)) std::abort();
    return 0;
}
