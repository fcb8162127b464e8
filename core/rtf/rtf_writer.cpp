#include "rtf_writer.h"

#include <QStringList>

#include "codepage.h"

namespace rtf {
namespace {

// Lines are wrapped for the sake of people reading the file; readers ignore
// raw line ends.
constexpr qsizetype kWrapColumn = 200;

class Out {
public:
    // A unit is never split by a line wrap.
    void Unit(const QByteArray& u) {
        if (column_ >= kWrapColumn) LineEnd();
        bytes_ += u;
        column_ += u.size();
    }
    void LineEnd() {
        bytes_ += "\r\n";
        column_ = 0;
    }
    QByteArray Take() { return bytes_; }

private:
    QByteArray bytes_;
    qsizetype column_ = 0;
};

QByteArray UnicodeEscape(char16_t u) {
    const int n = u >= 0x8000 ? static_cast<int>(u) - 65536 : static_cast<int>(u);
    return "\\u" + QByteArray::number(n) + "?";
}

// One character of text as RTF; empty when it cannot be written.
QByteArray Escape(QChar c, bool inFontName) {
    const char16_t u = c.unicode();
    switch (u) {
        case u'\\':
            return "\\\\";
        case u'{':
            return "\\{";
        case u'}':
            return "\\}";
        case u'\t':
            return inFontName ? QByteArray(" ") : QByteArray("\\tab ");
        case 0x00A0:
            return "\\~";
        case 0x2028:
        case u'\r':
        case u'\n':
            return inFontName ? QByteArray(" ") : QByteArray("\\line ");
        case u';':
            return inFontName ? QByteArray() : QByteArray(";");
        default:
            break;
    }
    if (u < 0x20) return {};
    if (u < 0x80) return QByteArray(1, static_cast<char>(u));
    const int b = ToCp1252Byte(c);
    if (b >= 0) {
        static const char kHex[] = "0123456789abcdef";
        return QByteArray("\\'") + kHex[b >> 4] + kHex[b & 15];
    }
    return UnicodeEscape(u);
}

void WriteText(Out& out, const QString& text, bool inFontName) {
    for (QChar c : text) {
        const QByteArray e = Escape(c, inFontName);
        if (!e.isEmpty()) out.Unit(e);
    }
}

QByteArray FontFamily(const QString& name) {
    static const char* const kSwiss[] = {"Arial",   "Helvetica", "Liberation Sans", "DejaVu Sans",
                                         "Verdana", "Tahoma",    "MS Sans Serif",   "Segoe UI"};
    static const char* const kRoman[] = {"Times New Roman", "Times",   "Liberation Serif",
                                         "DejaVu Serif",    "Georgia", "Cambria"};
    static const char* const kModern[] = {"Courier New",      "Courier",  "Liberation Mono",
                                          "DejaVu Sans Mono", "Consolas", "Lucida Console"};
    for (const char* n : kSwiss)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return "\\fswiss";
    for (const char* n : kRoman)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return "\\froman";
    for (const char* n : kModern)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return "\\fmodern";
    return "\\fnil";
}

// The paragraph's format as control words after \pard; empty for the default one.
QByteArray ParaWords(const ParaStyle& ps) {
    QByteArray w;
    switch (ps.align) {
        case Align::Center:
            w += "\\qc";
            break;
        case Align::Right:
            w += "\\qr";
            break;
        case Align::Justify:
            w += "\\qj";
            break;
        case Align::Left:
            break;
    }
    if (ps.leftIndent != 0) w += "\\li" + QByteArray::number(ps.leftIndent);
    if (ps.rightIndent != 0) w += "\\ri" + QByteArray::number(ps.rightIndent);
    if (ps.firstIndent != 0) w += "\\fi" + QByteArray::number(ps.firstIndent);
    if (ps.spaceBefore != 0) w += "\\sb" + QByteArray::number(ps.spaceBefore);
    if (ps.spaceAfter != 0) w += "\\sa" + QByteArray::number(ps.spaceAfter);
    return w;
}

}  // namespace

QByteArray Write(const Document& doc) {
    // Font 0 is the document's default; a document without one gets Arial, as
    // every reader needs a font 0 to start from.
    QStringList fonts{doc.defaultFont.isEmpty() ? QStringLiteral("Arial") : doc.defaultFont};
    QList<int> colors;
    for (const Paragraph& p : doc.paragraphs) {
        for (const Run& r : p.runs) {
            if (!r.style.font.isEmpty() && !fonts.contains(r.style.font)) fonts.append(r.style.font);
            if (r.style.color >= 0 && !colors.contains(r.style.color & 0xFFFFFF))
                colors.append(r.style.color & 0xFFFFFF);
        }
    }

    Out out;
    out.Unit("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1");
    out.LineEnd();
    out.Unit("{\\fonttbl");
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        out.Unit("{\\f" + QByteArray::number(i) + FontFamily(fonts[i]) + "\\fcharset0 ");
        WriteText(out, fonts[i], true);
        out.Unit(";}");
    }
    out.Unit("}");
    out.LineEnd();
    // Entry 0 stays empty: it means the automatic colour.
    out.Unit("{\\colortbl;");
    for (int c : colors) {
        out.Unit("\\red" + QByteArray::number((c >> 16) & 255) + "\\green" + QByteArray::number((c >> 8) & 255) +
                 "\\blue" + QByteArray::number(c & 255) + ";");
    }
    out.Unit("}");
    out.LineEnd();
    const QByteArray defaultSize =
        doc.defaultHalfPoints > 0 ? "\\fs" + QByteArray::number(doc.defaultHalfPoints) : QByteArray();
    if (!defaultSize.isEmpty()) {
        out.Unit("{\\*\\defchp" + defaultSize + "}");
        out.LineEnd();
    }
    out.Unit("\\pard\\plain\\f0" + defaultSize + " ");

    // \pard only where the paragraph format changes: it leaves the character format alone.
    ParaStyle current;
    for (const Paragraph& p : doc.paragraphs) {
        if (!(p.style == current)) {
            out.Unit("\\pard" + ParaWords(p.style) + " ");
            current = p.style;
        }
        for (const Run& r : p.runs) {
            if (r.text.isEmpty()) continue;
            const CharStyle& s = r.style;
            QByteArray words;
            if (s.bold) words += "\\b";
            if (s.italic) words += "\\i";
            if (s.underline) words += "\\ul";
            if (s.color >= 0) words += "\\cf" + QByteArray::number(colors.indexOf(s.color & 0xFFFFFF) + 1);
            if (!s.font.isEmpty()) words += "\\f" + QByteArray::number(fonts.indexOf(s.font));
            if (s.halfPoints > 0) words += "\\fs" + QByteArray::number(s.halfPoints);
            if (words.isEmpty()) {
                WriteText(out, r.text, false);
            } else {
                out.Unit("{" + words + " ");
                WriteText(out, r.text, false);
                out.Unit("}");
            }
        }
        out.Unit("\\par");
        out.LineEnd();
    }
    out.Unit("}");
    out.LineEnd();
    return out.Take();
}

}  // namespace rtf
