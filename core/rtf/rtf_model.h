// RTF (Rich Text Format) documents as plain paragraphs of styled runs.
//
// Reading keeps what a text view shows: the paragraphs, their text, their
// alignment, indents and spacing, and the character formats bold, italic,
// underline, colour, font name and size.
// Everything else (tables as layout, pictures, headers, footnotes, styles,
// document information, fields' instructions, hidden text) is passed over.
//
// Accepted: anything opening with "{\rtf" (version number optional) after
// leading white space or a UTF-8 byte-order mark, as written by LibreOffice,
// WordPad and rich-edit controls, AbiWord, pandoc, latex2rtf, Java's RTF kit
// and similar. \'hh escapes and raw upper-half bytes are in the document's
// code page: \ansi and \ansicpg1252 (and any code page we have no table
// for) mean Windows-1252, \mac and \ansicpg10000 mean Mac Roman. \uN with
// \ucN fallbacks, surrogate pairs, \upr/\ud, \binN, field results and list
// texts are read. Characters of a symbol font (\fcharset2: Symbol, or
// Wingdings by its name), given as bytes or in the private-use area (U+F0xx),
// and private-use characters of list labels, are read as the Unicode
// characters they show where we know them (list bullets above all), in the
// document's ordinary font. Lines may be wrapped anywhere: raw CR and LF are ignored.
// Groups left open at the end, stray control words, oversized numbers and
// \bin counts are tolerated: the reader returns what it could read.
//
// Writing gives ASCII only: Windows-1252 characters as \'hh, the rest as
// \uN? (one fallback, surrogate pairs for characters above U+FFFF), every
// paragraph closed by \par, the last one too, so that a document of n
// paragraphs reads back as n paragraphs, an empty last one included, with
// the same text to the character. A paragraph's format is written after a
// \pard where it differs from the paragraph before (\qc \qr \qj \li \ri \fi
// \sb \sa, in twips).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace rtf {

struct CharStyle {
    bool bold = false, italic = false, underline = false;
    int color = -1;      // 0xRRGGBB, -1 automatic
    QString font;        // empty = document default
    int halfPoints = 0;  // 0 = default
    bool operator==(const CharStyle&) const = default;
};

// text holds TAB, U+00A0, and U+2028 for \line; never CR/LF
struct Run {
    QString text;
    CharStyle style;
};

enum class Align { Left, Center, Right, Justify };

// Paragraph format, lengths in twips. \pard resets it to these defaults.
struct ParaStyle {
    Align align = Align::Left;
    int leftIndent = 0;   // \li
    int firstIndent = 0;  // \fi, from leftIndent; negative for a hanging indent
    int rightIndent = 0;  // \ri
    int spaceBefore = 0;  // \sb
    int spaceAfter = 0;   // \sa
    bool operator==(const ParaStyle&) const = default;
};

struct Paragraph {
    QList<Run> runs;
    ParaStyle style;
};

struct Document {
    QList<Paragraph> paragraphs;
    QString defaultFont;
    int defaultHalfPoints = 0;
};

// ok false: not RTF at all. ok true with an error: damaged, doc holds what
// could be read.
struct ReadResult {
    Document doc;
    bool ok = false;
    QString error;
};

ReadResult Read(QByteArrayView bytes);
QByteArray Write(const Document& doc);

// The paragraphs' text joined by sep, formats dropped.
QString PlainText(const Document& doc, const QString& sep = QStringLiteral("\n"));

}  // namespace rtf
