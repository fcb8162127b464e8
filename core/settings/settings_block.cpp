#include "settings_block.h"

#include <QStringList>

namespace settings {

bool ParseBlock(const QString& block, Table& t) {
    QString b = block;
    b.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    const QStringList lines = b.split(QChar('\r'));
    bool fits = true;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) continue;
        if (i >= kRows) {
            fits = false;
            continue;
        }
        const int eq = line.indexOf(QChar('='));
        if (eq < 0) {
            t.key[size_t(i)] = line;
        } else {
            t.key[size_t(i)] = line.left(eq);
            t.value[size_t(i)] = line.mid(eq + 1);
        }
    }
    return fits;
}

namespace {

// The rows the block is written from, in order: those with a key, up to "Fin".
template <class F>
void ForWrittenRows(const Table& t, F&& f) {
    for (int i = 0; i < kRows; ++i) {
        const QString& k = t.key[size_t(i)];
        if (k.isEmpty()) continue;
        const bool last = i > 0 && k == QLatin1String("Fin");
        f(i, last);
        if (last) break;
    }
}

}  // namespace

QString BuildBlock(const Table& t) {
    QString out;
    ForWrittenRows(t, [&](int i, bool last) {
        out += t.key[size_t(i)];
        if (i > 0 && !last) out += QChar('=') + t.value[size_t(i)];
        out += QStringLiteral("\r\n");
    });
    return out;
}

int FindRow(const Table& t, const QString& key) {
    const QString k = key.toLower();
    for (int i = 1; i < kRows; ++i)
        if (t.key[size_t(i)].toLower() == k) return i;
    return -1;
}

int BlockLength(const QString& text) {
    const int base = static_cast<int>(std::min<qsizetype>(1000, text.size()));
    // Find the end of the "Fin" line; only a block longer than the usual 1000 characters
    // needs it.
    qsizetype pos = 0;
    int line = 0;
    while (pos < text.size() && line < kRows + 1) {
        qsizetype cr = text.indexOf(QChar('\r'), pos);
        const qsizetype stop = cr < 0 ? text.size() : cr;
        const QString l = text.mid(pos, stop - pos);
        qsizetype next = stop;
        if (cr >= 0) next = (cr + 1 < text.size() && text[cr + 1] == QChar('\n')) ? cr + 2 : cr + 1;
        if (line > 0 && l == QLatin1String("Fin")) return static_cast<int>(std::max<qsizetype>(base, next));
        pos = next;
        ++line;
        if (cr < 0) break;
    }
    return base;
}

qsizetype FindMarker(const QString& text) {
    return text.indexOf(kMarker, 0, Qt::CaseInsensitive);
}

bool FitsOnOneLine(const QString& s) {
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || u == 0x85 || u == 0x2028 || u == 0x2029) return false;
    }
    return true;
}

DocumentCheck CheckDocument(const QString& helpText, const Table& t) {
    DocumentCheck c;
    ForWrittenRows(t, [&](int i, bool) {
        if (c.fault != DocumentCheck::None) return;
        if (!FitsOnOneLine(t.key[size_t(i)]) || !FitsOnOneLine(t.value[size_t(i)])) {
            c.fault = DocumentCheck::NotOnOneLine;
            c.row = i;
        }
    });
    if (c.fault != DocumentCheck::None) return c;
    // A block without its "Fin" line (a hand-edited one) is read no further than 1000
    // characters: its end would stay behind in the help text.
    const QString block = BuildBlock(t);
    if (BlockLength(block) < block.size()) {
        c.fault = DocumentCheck::BlockCut;
        return c;
    }
    // No end of the marker is also its beginning, so none can open in the help text and
    // run on into the block: the help text alone is searched.
    c.position = FindMarker(helpText);
    if (c.position >= 0) c.fault = DocumentCheck::MarkerInText;
    return c;
}

}  // namespace settings
