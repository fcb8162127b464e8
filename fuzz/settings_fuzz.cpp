// The settings block parser on any text, and the writer on what it parsed: a
// block the program writes back reads as the same settings, a key is found
// again by its own name, the length taken from the help text stays inside it,
// and a document the save's check lets through starts up with that same block.
#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "settings_block.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "settings block: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The block is always found by its marker, so it always opens with it.
    const QString text =
        settings::kMarker + QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const int length = settings::BlockLength(text);
    if (length < std::min<qsizetype>(1000, text.size()) || length > text.size())
        Fail("the block's length falls outside the text");

    settings::Table first;
    settings::ParseBlock(text.left(length), first);
    for (int row = 1; row < settings::kRows; ++row) {
        const QString& key = first.key[size_t(row)];
        if (key.isEmpty()) continue;
        const int found = settings::FindRow(first, key);
        if (found < 1 || found > row) Fail("a key is not found by its own name");
    }

    // Written, then read again: the same block, and every written setting
    // comes back with its value.
    const QString written = settings::BuildBlock(first);
    settings::Table second;
    if (!settings::ParseBlock(written, second)) Fail("a written block does not fit the table");
    if (settings::BuildBlock(second) != written) Fail("a written block reads back as another one");
    // What follows "Fin" is not part of the block.
    for (int row = 1; row < settings::kRows; ++row) {
        const QString& key = first.key[size_t(row)];
        if (key == QLatin1String("Fin")) break;
        if (key.isEmpty()) continue;
        if (key.contains(QChar('\r'))) Fail("a key holds a line end");
        const int found = settings::FindRow(second, key);
        if (found < 0) Fail("a written setting is lost");
        if (settings::FindRow(first, key) == row && second.value[size_t(found)] != first.value[size_t(row)])
            Fail("a written setting came back with another value");
    }

    // A document that a save would write is one start-up reads back whole: its block
    // found where it begins, not cut, and the same settings in it. The input serves as
    // the help text, and as a value, so that values with line ends are tried too.
    const QString input = text.mid(settings::kMarker.size());
    settings::Table third = first;
    if (!third.key[1].isEmpty()) third.value[1] = input;
    for (const settings::Table* t : {&first, &third}) {
        if (settings::CheckDocument(input, *t).fault != settings::DocumentCheck::None) continue;
        const QString block = settings::BuildBlock(*t);
        const QString document = input + block;
        const qsizetype at = settings::FindMarker(document);
        if (at != input.size()) Fail("a document that passed the check has its block found elsewhere");
        const int taken = settings::BlockLength(document.mid(at));
        if (at + taken != document.size()) Fail("a document that passed the check has its block cut");
        settings::Table back;
        settings::ParseBlock(document.mid(at, taken), back);
        if (settings::BuildBlock(back) != block) Fail("a document that passed the check reads back other settings");
    }
    return 0;
}
