// The program's own text files (board, pattern and random-run log files):
// Windows-1252, lines ended by CR LF, so that they travel unchanged between
// this program and the files born on Windows. Each call opens, works and
// closes the file; none shows a message of its own. Files are written
// through SafeFile.
#pragma once

#include <QString>
#include <QStringList>

namespace TextFile {
// Appends whole lines, each ended by CR LF; the file is created when missing.
// False, with the system's reason, when they could not all be written: the
// file is then as it was.
bool AppendLines(const QString& path, const QStringList& lines, QString* reason = nullptr);
// Reads every line; a line may end with CR LF, a lone LF or a lone CR, and the last
// one with nothing. False when the file cannot be read.
bool ReadLines(const QString& path, QStringList& lines);
}  // namespace TextFile
