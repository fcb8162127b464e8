// Reading and writing the user's board and pattern files whole, and telling
// the user, in French, when that fails.
#pragma once

#include <QByteArray>
#include <QString>

namespace fichiers {

// The whole file. False, after a message naming the file, when it cannot be
// read, is empty or is far larger than any board or pattern.
bool LitFichier(const QString& chemin, QByteArray& octets);

// Replaces the file with these bytes, or leaves the file that was there byte
// for byte (SafeFile). False, after a message naming the file and giving the
// system's reason, when it could not be written.
bool EcritFichier(const QString& chemin, const QByteArray& octets);

// The file's name without its folder and without its last four characters
// (its extension), as the panel shows the last file read.
QString NomAffiché(const QString& chemin);

// Shows a warning (exclamation icon) about the file.
void Avertit(const QString& texte);

}  // namespace fichiers
