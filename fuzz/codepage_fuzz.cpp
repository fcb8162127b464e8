// The code pages on any bytes: every Windows-1252 byte decodes to a character
// that encodes back to it, and any text encodes to one byte a character (a
// surrogate pair counting as one), the characters the code page has unchanged.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "codepage.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "code page: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString cp1252 = DecodeCp1252(bytes);
    if (cp1252.size() != bytes.size()) Fail("Windows-1252 decoding is not one character a byte");
    if (EncodeCp1252(cp1252) != bytes) Fail("Windows-1252 bytes do not come back from their text");

    const QString mac = DecodeMacRoman(bytes);
    if (mac.size() != bytes.size()) Fail("Mac Roman decoding is not one character a byte");
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80 && mac[i] != QChar(static_cast<unsigned char>(bytes[i])))
            Fail("Mac Roman changed an ASCII byte");
        if (mac[i].isSurrogate()) Fail("Mac Roman gave half a surrogate pair");
    }

    // The same bytes as UTF-16 text, odd byte dropped: any text at all.
    const QString text(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const QByteArray encoded = EncodeCp1252(text, '?');
    qsizetype expected = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        ++expected;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    }
    if (encoded.size() != expected) Fail("encoding is not one byte a character");
    qsizetype at = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++at) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            if (encoded[at] != '?') Fail("a character beyond the code page was not replaced");
            ++i;
            continue;
        }
        const int b = ToCp1252Byte(c);
        if (b >= 0) {
            if (static_cast<unsigned char>(encoded[at]) != b) Fail("a character got another byte");
            if (DecodeCp1252(QByteArrayView(encoded.constData() + at, 1)) != QString(c))
                Fail("a character of the code page did not come back");
        } else if (encoded[at] != '?') {
            Fail("a character beyond the code page was not replaced");
        }
    }
    return 0;
}
