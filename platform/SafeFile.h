// Every file the program writes goes through here, so that a failure never
// costs the user the file that was there: a file is replaced whole or not at
// all, an append lands whole or leaves the file as it was, and the reason the
// system gave is kept for the user.
//
// A target that exists must be a regular file once links are followed (a link
// to a regular file is followed and that file written); a pipe, a device or a
// folder in its place is refused untouched, as is a file its owner protected
// from writing.
#pragma once

#include <QByteArray>
#include <QString>

namespace SafeFile {

// Far above a board file (two bytes a run), the largest published patterns and
// the help document: reading more would only fill the memory.
constexpr qint64 kMaxRead = 64LL * 1024 * 1024;

enum class Mode { Replace, Append };

// Replace: written beside the file, flushed, then put in its place. Append:
// added at its end, the file created when missing. False, with the reason in
// `reason`, when the bytes could not all be written; the file that was there
// is then byte for byte as it was (an append cut short is cut back).
bool Write(const QString& path, const QByteArray& bytes, Mode mode, QString* reason = nullptr);

// What the user is told, in French, when a file could not be written.
QString NotWrittenText(const QString& path, const QString& reason);

// Write, with the user told (exclamation icon) when it fails.
bool WriteOrTell(const QString& path, const QByteArray& bytes, Mode mode);

}  // namespace SafeFile
