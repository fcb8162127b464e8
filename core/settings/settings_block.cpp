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

QString BuildBlock(const Table& t) {
    QString out;
    for (int i = 0; i < kRows; ++i) {
        const QString& k = t.key[size_t(i)];
        if (k.isEmpty()) continue;
        out += k;
        if (i > 0 && k != QLatin1String("Fin")) out += QChar('=') + t.value[size_t(i)];
        out += QStringLiteral("\r\n");
        if (i > 0 && k == QLatin1String("Fin")) break;
    }
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

}  // namespace settings
