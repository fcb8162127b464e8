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

struct GroupState {
    int uc = 1;
    Dest dest = Dest::Text;
    Dest uprOuter = Dest::Text;
    CharStyle style;
    bool hidden = false;
};

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
    int fontNum_ = 0;
    QString fontName_;
    QList<int> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorGiven_ = false;
    bool defChpHalfPointsSet_ = false;
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
    if (closing.dest == Dest::FontTable) {
        // A font entry without its ';'.
        const QString name = fontName_.trimmed();
        if (!name.isEmpty()) fonts_.insert(fontNum_, name);
        fontName_.clear();
    }
    return stack_.size() > 1;
}

void Reader::EndParagraph() {
    pendingHigh_ = 0;
    doc_.paragraphs.append(para_);
    para_ = Paragraph();
}

void Reader::Char(char16_t c) {
    GroupState& st = St();
    if (st.dest == Dest::FontTable) {
        if (c == u';') {
            const QString name = fontName_.trimmed();
            if (!name.isEmpty()) fonts_.insert(fontNum_, name);
            fontName_.clear();
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
    if (runs.isEmpty() || !(runs.last().style == st.style)) {
        runs.append(rtf::Run{QString(), st.style});
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
    if (w == "fldrslt" || w == "listtext" || w == "pntext") return;
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

    // Character formats.
    CharStyle& s = st.style;
    if (w == "plain") {
        s = CharStyle();
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

    if (!para_.runs.isEmpty()) doc_.paragraphs.append(para_);
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
