#include "rtf_reader.h"

#include <QHash>

#include <algorithm>
#include <limits>

#include "codepage.h"

namespace rtf {
namespace {

enum class Dest {
    Text,  // body text
    Skip,  // passed over with everything inside
    FontTable,
    ColorTable,
    DefChp,  // document default character format
    Upr,     // the ANSI half of \upr; its \ud half is read
};

enum class CodePage { Cp1252, MacRoman };

// Fonts whose characters are pictures rather than letters.
enum class SymbolFont { None, Symbol, Wingdings };

struct GroupState {
    int uc = 1;
    Dest dest = Dest::Text;
    Dest uprOuter = Dest::Text;
    CharStyle style;
    SymbolFont symbol = SymbolFont::None;
    bool listText = false;  // a list item's label (\listtext, \pntext)
    bool hidden = false;
    ParaStyle para;
};

// The Symbol font's characters by their byte (Adobe's symbol encoding), 0 where unknown.
char16_t FromSymbol(unsigned b) {
    static const char16_t kLow[] = {
        // 0x20..0x7E
        0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212,
        0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B,
        0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399,
        0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
        0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5,
        0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
        0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C};
    static const char16_t kHigh[] = {
        // 0xA0..0xE5
        0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191,
        0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
        0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283,
        0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
        0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211};
    if (b >= 0x20 && b <= 0x7E) return kLow[b - 0x20];
    if (b >= 0xA0 && b <= 0xE5) return kHigh[b - 0xA0];
    if (b == 0xF1) return 0x232A;
    if (b == 0xF2) return 0x222B;
    return 0;
}

// The Wingdings characters that serve as list bullets.
char16_t FromWingdings(unsigned b) {
    switch (b) {
        case 0x6C:
            return 0x25CF;
        case 0x6E:
            return 0x25A0;
        case 0x71:
            return 0x2751;
        case 0x75:
            return 0x25C6;
        case 0x76:
            return 0x2756;
        case 0x9F:
            return 0x2022;
        case 0xA7:
            return 0x25AA;
        case 0xD8:
            return 0x27A2;
        case 0xFC:
            return 0x2713;
        default:
            return 0;
    }
}

// Deeper nesting than this only happens in damaged or hostile files; groups
// past it share their parent's state instead of growing the stack.
constexpr int kMaxDepth = 4096;
// Parameters are clamped well inside int so that arithmetic on them is safe.
constexpr qint64 kParamLimit = 1'000'000'000;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int ClampInt(qint64 v, int lo, int hi) {
    return static_cast<int>(std::clamp<qint64>(v, lo, hi));
}

bool IsSkippedDestination(QByteArrayView w) {
    static const char* const kNames[] = {
        "stylesheet",
        "info",
        "pict",
        "nonshppict",
        "header",
        "headerl",
        "headerr",
        "headerf",
        "footer",
        "footerl",
        "footerr",
        "footerf",
        "footnote",
        "tc",
        "tcn",
        "fldinst",
        "objdata",
        "xe",
        "txe",
        "rxe",
        "filetbl",
        "listtable",
        "listoverridetable",
        "revtbl",
        "rsidtbl",
        "themedata",
        "colorschememapping",
        "latentstyles",
        "datastore",
        "pgdsctbl",
        "template",
        "userprops",
        "docvar",
        "ftnsep",
        "ftnsepc",
        "ftncn",
        "aftnsep",
        "aftnsepc",
        "aftncn",
        "annotation",
        "atnauthor",
        "atnid",
        "atndate",
        "atnref",
        "bkmkstart",
        "bkmkend",
        "fldtype",
        "generator",
        "xmlnstbl",
        "mmathPr",
        "private",
        "shpinst",
        "sp",
        "comment",
        "title",
        "subject",
        "author",
        "operator",
        "keywords",
        "doccomm",
    };
    for (const char* n : kNames)
        if (w == QByteArrayView(n)) return true;
    return false;
}

class Reader {
public:
    explicit Reader(QByteArrayView in) : in_(in) {}

    ReadResult Run();

private:
    GroupState& St() { return stack_.last(); }
    bool AtEnd() const { return pos_ >= in_.size(); }

    void OpenGroup();
    // Returns false when the document's outer group has closed.
    bool CloseGroup();
    void ControlWord(QByteArrayView word, bool hasParam, qint64 param);
    void ControlSymbol(char c);
    void Byte(unsigned char b);  // \'hh or a raw byte
    void Char(char16_t c);       // one decoded UTF-16 unit
    void UnicodeChar(qint64 n);
    void EndParagraph();
    void AddFont();
    void SetDest(Dest d);
    bool Skipping() const { return stack_.last().dest == Dest::Skip; }
    // A fallback character after \uN, if any is still owed, swallows c.
    bool EatFallback() {
        if (fallbackLeft_ <= 0) return false;
        --fallbackLeft_;
        return true;
    }

    QByteArrayView in_;
    qsizetype pos_ = 0;
    QList<GroupState> stack_;
    int overflow_ = 0;
    bool starPending_ = false;  // "\*" just read: the next word is optional
    int fallbackLeft_ = 0;
    char16_t pendingHigh_ = 0;
    CodePage cp_ = CodePage::Cp1252;

    Document doc_;
    Paragraph para_;
    int deff_ = 0;
    QHash<int, QString> fonts_;
    QHash<int, SymbolFont> symbolFonts_;
    int fontNum_ = 0;
    int fontCharset_ = 0;
    QString fontName_;
    QList<int> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorGiven_ = false;
    bool defChpHalfPointsSet_ = false;
    ParaStyle lastPara_;  // the paragraph format when the document's group closed
};

void Reader::SetDest(Dest d) {
    // Nothing inside a passed-over group comes back to life.
    if (St().dest == Dest::Skip) return;
    St().dest = d;
}

void Reader::OpenGroup() {
    fallbackLeft_ = 0;
    if (stack_.size() >= kMaxDepth) {
        ++overflow_;
    } else {
        stack_.append(stack_.last());
    }
    starPending_ = false;
}

bool Reader::CloseGroup() {
    fallbackLeft_ = 0;
    starPending_ = false;
    if (overflow_ > 0) {
        --overflow_;
        return true;
    }
    const GroupState closing = stack_.takeLast();
    if (stack_.size() == 1) lastPara_ = closing.para;
    if (closing.dest == Dest::FontTable) {
        // A font entry without its ';'.
        AddFont();
    }
    return stack_.size() > 1;
}

void Reader::EndParagraph() {
    pendingHigh_ = 0;
    para_.style = St().para;
    doc_.paragraphs.append(para_);
    para_ = Paragraph();
}

void Reader::AddFont() {
    const QString name = fontName_.trimmed();
    if (!name.isEmpty()) {
        fonts_.insert(fontNum_, name);
        // Only the symbol charset says so: the writer gives every font charset 0, so a
        // document of ours reads back as it was written.
        SymbolFont kind = SymbolFont::None;
        if (fontCharset_ == 2)
            kind = name.startsWith(QLatin1String("Wingdings"), Qt::CaseInsensitive) ? SymbolFont::Wingdings
                                                                                      : SymbolFont::Symbol;
        symbolFonts_.insert(fontNum_, kind);
    }
    fontName_.clear();
    fontCharset_ = 0;
}

void Reader::Char(char16_t c) {
    GroupState& st = St();
    if (st.dest == Dest::FontTable) {
        if (c == u';') {
            AddFont();
        } else {
            fontName_ += QChar(c);
        }
        return;
    }
    if (st.dest == Dest::ColorTable) {
        if (c == u';') {
            colors_.append(colorGiven_ ? (red_ << 16) | (green_ << 8) | blue_ : -1);
            red_ = green_ = blue_ = 0;
            colorGiven_ = false;
        }
        return;
    }
    if (st.dest != Dest::Text || st.hidden) return;

    // A symbol font's character, given in the private-use area or as its byte, is read
    // as what it shows, in the ordinary font, so that any reader shows it again.
    // List labels give the private-use character in whatever font is current: it is the
    // Symbol font's unless the font is Wingdings.
    CharStyle style = st.style;
    const bool prive = c >= 0xF021 && c <= 0xF0FF && (st.listText || st.symbol != SymbolFont::None);
    if (prive || (st.symbol != SymbolFont::None && c > 0x20 && c <= 0xFF)) {
        const unsigned b = prive ? unsigned(c - 0xF000) : unsigned(c);
        const char16_t u = st.symbol == SymbolFont::Wingdings ? FromWingdings(b) : FromSymbol(b);
        if (u != 0) {
            c = u;
            style.font.clear();
        }
    }

    if (QChar::isHighSurrogate(c)) {
        pendingHigh_ = c;
        return;
    }
    const bool low = QChar::isLowSurrogate(c);
    if (low && pendingHigh_ == 0) return;  // half a pair is no character
    if (!low) pendingHigh_ = 0;
    if (c == 0x2029) c = 0x2028;
    if (c < 0x20 && c != u'\t') {
        pendingHigh_ = 0;
        return;
    }

    QList<rtf::Run>& runs = para_.runs;
    if (runs.isEmpty() || !(runs.last().style == style)) {
        runs.append(rtf::Run{QString(), style});
    }
    if (low) {
        runs.last().text += QChar(pendingHigh_);
        pendingHigh_ = 0;
    }
    runs.last().text += QChar(c);
}

void Reader::Byte(unsigned char b) {
    if (EatFallback()) return;
    if (b < 0x80) {
        Char(b);
        return;
    }
    if (St().symbol != SymbolFont::None && St().dest == Dest::Text) {
        Char(static_cast<char16_t>(0xF000 + b));
        return;
    }
    const char raw = static_cast<char>(b);
    const QString s =
        cp_ == CodePage::MacRoman ? DecodeMacRoman(QByteArrayView(&raw, 1)) : DecodeCp1252(QByteArrayView(&raw, 1));
    Char(s[0].unicode());
}

void Reader::UnicodeChar(qint64 n) {
    if (n < 0) n += 65536;
    if (n >= 0 && n <= 0xFFFF) Char(static_cast<char16_t>(n));
    fallbackLeft_ = St().uc;
}

void Reader::ControlSymbol(char c) {
    char16_t ch = 0;
    switch (c) {
        case '\\':
        case '{':
        case '}':
            ch = static_cast<char16_t>(c);
            break;
        case '~':
            ch = 0x00A0;
            break;
        case '_':
            ch = 0x2011;
            break;
        case '-':
            ch = 0x00AD;
            break;
        case '\r':
        case '\n':
            // "\" before a line end is an old spelling of \par.
            fallbackLeft_ = 0;
            if (St().dest == Dest::Text) EndParagraph();
            return;
        default:
            return;  // \: \| and unknown symbols show nothing
    }
    if (EatFallback()) return;
    Char(ch);
}

void Reader::ControlWord(QByteArrayView w, bool hasParam, qint64 param) {
    const bool star = starPending_;
    starPending_ = false;
    // The fallback after \uN is text; a control word ends it.
    if (w != "u" && w != "bin") fallbackLeft_ = 0;

    GroupState& st = St();
    const int p = ClampInt(param, -kParamLimit, kParamLimit);
    const bool on = !hasParam || param != 0;

    // Destinations first: they decide what the rest of the group means.
    if (w == "fonttbl") {
        SetDest(Dest::FontTable);
        return;
    }
    if (w == "colortbl") {
        SetDest(Dest::ColorTable);
        return;
    }
    if (w == "defchp") {
        SetDest(Dest::DefChp);
        return;
    }
    if (w == "upr") {
        if (st.dest != Dest::Skip) {
            st.uprOuter = st.dest;
            st.dest = Dest::Upr;
        }
        return;
    }
    if (w == "ud") {
        if (st.dest == Dest::Upr) st.dest = st.uprOuter;
        return;
    }
    if (w == "listtext" || w == "pntext") {
        st.listText = true;
        return;
    }
    if (w == "fldrslt") return;
    if (w == "cs") return;
    if (star || IsSkippedDestination(w)) {
        SetDest(Dest::Skip);
        return;
    }
    if (st.dest == Dest::Skip || st.dest == Dest::Upr) return;

    // Unicode, also in font names.
    if (w == "uc") {
        st.uc = std::clamp(p, 0, 1000);
        return;
    }
    if (w == "u") {
        if (hasParam) UnicodeChar(param);
        return;
    }

    if (st.dest == Dest::FontTable) {
        if (w == "f") {
            fontNum_ = p;
            fontName_.clear();
            fontCharset_ = 0;
        } else if (w == "fcharset") {
            fontCharset_ = p;
        }
        return;
    }
    if (st.dest == Dest::ColorTable) {
        const int v = ClampInt(param, 0, 255);
        if (w == "red") {
            red_ = v;
            colorGiven_ = true;
        } else if (w == "green") {
            green_ = v;
            colorGiven_ = true;
        } else if (w == "blue") {
            blue_ = v;
            colorGiven_ = true;
        }
        return;
    }
    if (st.dest == Dest::DefChp) {
        if (w == "fs" && p > 0) {
            doc_.defaultHalfPoints = std::min(p, 32767);
            defChpHalfPointsSet_ = true;
        }
        return;
    }

    // Document-wide settings.
    if (w == "ansi") {
        cp_ = CodePage::Cp1252;
        return;
    }
    if (w == "mac") {
        cp_ = CodePage::MacRoman;
        return;
    }
    if (w == "pc" || w == "pca") {
        cp_ = CodePage::Cp1252;
        return;
    }
    if (w == "ansicpg") {
        cp_ = p == 10000 ? CodePage::MacRoman : CodePage::Cp1252;
        return;
    }
    if (w == "deff") {
        deff_ = p;
        return;
    }

    // Text.
    if (w == "par" || w == "cell" || w == "nestcell") {
        if (!st.hidden) EndParagraph();
        return;
    }
    char16_t ch = 0;
    if (w == "tab")
        ch = u'\t';
    else if (w == "line" || w == "lbr")
        ch = 0x2028;
    else if (w == "emdash")
        ch = 0x2014;
    else if (w == "endash")
        ch = 0x2013;
    else if (w == "lquote")
        ch = 0x2018;
    else if (w == "rquote")
        ch = 0x2019;
    else if (w == "ldblquote")
        ch = 0x201C;
    else if (w == "rdblquote")
        ch = 0x201D;
    else if (w == "bullet")
        ch = 0x2022;
    else if (w == "emspace")
        ch = 0x2003;
    else if (w == "enspace")
        ch = 0x2002;
    else if (w == "qmspace")
        ch = 0x2005;
    if (ch != 0) {
        Char(ch);
        return;
    }

    // Paragraph formats; lengths are kept within what a page could hold.
    ParaStyle& ps = st.para;
    const int twips = std::clamp(p, -31680, 31680);
    if (w == "pard") {
        ps = ParaStyle();
        return;
    }
    if (w == "ql") {
        ps.align = Align::Left;
        return;
    }
    if (w == "qc") {
        ps.align = Align::Center;
        return;
    }
    if (w == "qr") {
        ps.align = Align::Right;
        return;
    }
    if (w == "qj" || w == "qd") {
        ps.align = Align::Justify;
        return;
    }
    if (w == "li" || w == "lin") {
        ps.leftIndent = twips;
        return;
    }
    if (w == "ri" || w == "rin") {
        ps.rightIndent = twips;
        return;
    }
    if (w == "fi") {
        ps.firstIndent = twips;
        return;
    }
    if (w == "sb") {
        ps.spaceBefore = std::max(0, twips);
        return;
    }
    if (w == "sa") {
        ps.spaceAfter = std::max(0, twips);
        return;
    }

    // Character formats.
    CharStyle& s = st.style;
    if (w == "plain") {
        s = CharStyle();
        st.symbol = symbolFonts_.value(deff_, SymbolFont::None);
        st.hidden = false;
    } else if (w == "b") {
        s.bold = on;
    } else if (w == "i") {
        s.italic = on;
    } else if (w == "ul" || w == "uld" || w == "uldb" || w == "uldash" || w == "uldashd" || w == "uldashdd" ||
               w == "ulhwave" || w == "ulth" || w == "ulw" || w == "ulwave" || w == "ululdbwave" || w == "ulldash" ||
               w == "ulthd" || w == "ulthdash" || w == "ulthdashd" || w == "ulthdashdd" || w == "ulthldash") {
        s.underline = on;
    } else if (w == "ulnone") {
        s.underline = false;
    } else if (w == "cf") {
        s.color = (p >= 0 && p < colors_.size()) ? colors_[p] : -1;
    } else if (w == "f") {
        s.font = fonts_.value(p);
        st.symbol = symbolFonts_.value(p, SymbolFont::None);
    } else if (w == "fs") {
        s.halfPoints = std::clamp(p, 0, 32767);
    } else if (w == "v") {
        st.hidden = on;
    }
}

ReadResult Reader::Run() {
    ReadResult result;
    // Leading white space and a UTF-8 byte-order mark are allowed.
    while (pos_ < in_.size()) {
        const char c = in_[pos_];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos_;
        } else if (in_.size() - pos_ >= 3 && in_.sliced(pos_, 3) == "\xEF\xBB\xBF") {
            pos_ += 3;
        } else {
            break;
        }
    }
    if (!in_.sliced(pos_).startsWith("{\\rtf")) {
        result.error = QStringLiteral("Ce n'est pas un document RTF.");
        return result;
    }
    result.ok = true;
    ++pos_;
    stack_.append(GroupState());  // outside the document
    stack_.append(GroupState());  // the document's own group

    bool closed = false;
    while (!AtEnd()) {
        const char c = in_[pos_++];
        if (c == '{') {
            OpenGroup();
            continue;
        }
        if (c == '}') {
            if (!CloseGroup()) {
                closed = true;
                break;
            }
            continue;
        }
        if (c != '\\') {
            starPending_ = false;
            if (c == '\r' || c == '\n') continue;
            Byte(static_cast<unsigned char>(c));
            continue;
        }
        if (AtEnd()) break;
        const char d = in_[pos_];
        if (IsLetter(d)) {
            const qsizetype start = pos_;
            while (!AtEnd() && IsLetter(in_[pos_])) ++pos_;
            const QByteArrayView word = in_.sliced(start, pos_ - start);
            bool hasParam = false;
            bool negative = false;
            qint64 param = 0;
            if (!AtEnd() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
                negative = true;
                ++pos_;
            }
            while (!AtEnd() && IsDigit(in_[pos_])) {
                hasParam = true;
                if (param < kParamLimit * 10) param = param * 10 + (in_[pos_] - '0');
                ++pos_;
            }
            if (negative) param = -param;
            // A control word cut by the end of the file may have lost digits.
            if (AtEnd()) break;
            if (in_[pos_] == ' ') ++pos_;
            if (word == "bin") {
                starPending_ = false;
                // The raw bytes are data, whatever braces they hold.
                const qint64 n = std::max<qint64>(0, param);
                pos_ += std::min<qint64>(n, in_.size() - pos_);
                continue;
            }
            ControlWord(word, hasParam, param);
            continue;
        }
        ++pos_;
        if (d == '\'') {
            starPending_ = false;
            int v = 0, digits = 0;
            while (digits < 2 && !AtEnd() && HexValue(in_[pos_]) >= 0) {
                v = v * 16 + HexValue(in_[pos_]);
                ++pos_;
                ++digits;
            }
            if (digits < 2 && AtEnd()) break;
            if (digits > 0) Byte(static_cast<unsigned char>(v));
            continue;
        }
        if (d == '*') {
            starPending_ = true;
            continue;
        }
        starPending_ = false;
        ControlSymbol(d);
    }

    if (!para_.runs.isEmpty()) {
        para_.style = closed ? lastPara_ : St().para;
        doc_.paragraphs.append(para_);
    }
    if (!closed) result.error = QStringLiteral("Document RTF incomplet : groupes non refermés.");

    doc_.defaultFont = fonts_.value(deff_);
    // The model says "default" by leaving the font and size empty.
    for (Paragraph& para : doc_.paragraphs) {
        QList<rtf::Run> merged;
        for (rtf::Run& r : para.runs) {
            if (r.style.font == doc_.defaultFont) r.style.font.clear();
            if (defChpHalfPointsSet_ && r.style.halfPoints == doc_.defaultHalfPoints) r.style.halfPoints = 0;
            if (!merged.isEmpty() && merged.last().style == r.style)
                merged.last().text += r.text;
            else
                merged.append(r);
        }
        para.runs = merged;
    }
    result.doc = doc_;
    return result;
}

}  // namespace

ReadResult Read(QByteArrayView bytes) {
    return Reader(bytes).Run();
}

}  // namespace rtf
