// Board files of any bytes: the reader must stay inside the universe, and
// what it read must survive writing and reading again.
#include "vie_format.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte picks a small universe now and then, to reach the edges.
    int side = 188;
    if (size > 0 && data[0] < 0x10) side = data[0];
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const vie::ReadResult r = vie::Read(bytes, side);
    if (r.cells.size() != size_t(side) * size_t(side)) std::abort();
    for (const life::Cell c : r.cells)
        if (c != life::Dead && c != life::Live) std::abort();

    const rules::RuleText rule = r.rule.value_or(rules::RuleText{});
    const QByteArray file = vie::Write(rule, r.caption.value_or(QString()), r.cells.data(), side);
    const vie::ReadResult again = vie::Read(file, side);
    if (again.faults != 0 || again.cells != r.cells || again.rule != rule) std::abort();
    return 0;
}
