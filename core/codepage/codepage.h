// Single-byte code pages of the files the program meets.
//
// Windows-1252 is the code page of the program's own files and of RTF's
// \'hh escapes; Mac Roman is what RTF written with \mac means. Bytes
// 0x00-0x7F are ASCII in both. In Windows-1252 the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 control
// of the same value, as Windows itself does, so every byte has a character
// and those characters encode back to the byte.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

QString DecodeCp1252(QByteArrayView bytes);
// A character outside Windows-1252 (surrogate pairs included, one fallback
// for the pair) becomes the fallback byte.
QByteArray EncodeCp1252(const QString& text, char fallback = '?');
// The byte for c, or -1 when Windows-1252 has none.
int ToCp1252Byte(QChar c);

QString DecodeMacRoman(QByteArrayView bytes);
