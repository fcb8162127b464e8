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
}  // namespace TextFile
