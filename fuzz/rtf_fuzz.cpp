// The RTF reader on any bytes, and the writer on what it read: a document the
// program saves must read back with the same paragraphs, text and character
// formats, and saving what was read back must change nothing more.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "rtf_reader.h"
#include "rtf_writer.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "rtf round trip: %s\n", what);
    std::abort();
}

// The font a character is shown in: its own, else the document's, which the
// writer names Arial when the document has none.
QString ShownFont(const rtf::Document& d, const rtf::CharStyle& s) {
    if (!s.font.isEmpty()) return s.font;
    return d.defaultFont.isEmpty() ? QStringLiteral("Arial") : d.defaultFont;
}

// A font name the writer can spell as it stands: damaged files may give names
// with control characters or ';', which are tidied on the way.
bool PlainName(const QString& n) {
    if (n != n.trimmed()) return false;
    for (QChar c : n)
        if (c.unicode() < 0x20 || c == QChar(u';') || c == QChar(0x2028)) return false;
    return true;
}

bool PlainFonts(const rtf::Document& d) {
    if (!PlainName(d.defaultFont)) return false;
    for (const rtf::Paragraph& p : d.paragraphs)
        for (const rtf::Run& r : p.runs)
            if (!PlainName(r.style.font)) return false;
    return true;
}

void Compare(const rtf::Document& a, const rtf::Document& b, bool fonts) {
    if (a.paragraphs.size() != b.paragraphs.size()) Fail("the number of paragraphs changed");
    for (qsizetype p = 0; p < a.paragraphs.size(); ++p) {
        const auto& ra = a.paragraphs[p].runs;
        const auto& rb = b.paragraphs[p].runs;
        QString ta, tb;
        for (const rtf::Run& r : ra) ta += r.text;
        for (const rtf::Run& r : rb) tb += r.text;
        if (ta != tb) Fail("the text of a paragraph changed");
        // Character by character, so that runs split differently still agree.
        qsizetype ia = 0, ib = 0, oa = 0, ob = 0;
        while (ia < ra.size() && ib < rb.size()) {
            const rtf::CharStyle& sa = ra[ia].style;
            const rtf::CharStyle& sb = rb[ib].style;
            if (sa.bold != sb.bold || sa.italic != sb.italic || sa.underline != sb.underline)
                Fail("bold, italic or underline changed");
            if (sa.color != sb.color) Fail("a colour changed");
            if (sa.halfPoints != sb.halfPoints) Fail("a size changed");
            if (fonts && ShownFont(a, sa) != ShownFont(b, sb)) Fail("a font changed");
            const qsizetype step = std::min(ra[ia].text.size() - oa, rb[ib].text.size() - ob);
            oa += step;
            ob += step;
            if (oa == ra[ia].text.size()) ++ia, oa = 0;
            if (ob == rb[ib].text.size()) ++ib, ob = 0;
        }
    }
    if (a.defaultHalfPoints != b.defaultHalfPoints) Fail("the default size changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView in(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const rtf::ReadResult first = rtf::Read(in);
    if (!first.ok) {
        if (!first.doc.paragraphs.isEmpty()) Fail("text read from what is not RTF");
        return 0;
    }

    const QByteArray written = rtf::Write(first.doc);
    for (char c : written)
        if (static_cast<unsigned char>(c) >= 0x80) Fail("the writer gave a byte outside ASCII");

    const rtf::ReadResult second = rtf::Read(written);
    if (!second.ok || !second.error.isEmpty()) Fail("the written document does not read back cleanly");
    Compare(first.doc, second.doc, PlainFonts(first.doc));

    // What was read back has only names the writer spelled: from there on,
    // fonts too stay as they are.
    const rtf::ReadResult third = rtf::Read(rtf::Write(second.doc));
    Compare(second.doc, third.doc, true);
    return 0;
}
