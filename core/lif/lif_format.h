// Pattern files (".lif"), the Life 1.05 text format.
//
// Written, lines ended by CR LF:
//   #Life 1.05
//   #R <survival>/<birth>
//   #P -<side \ 2> -<side \ 2>         (#P -7 -7 for the 15 x 15 pattern grid)
//   one line per grid row: "." dead, "*" live, cut after the last "*";
//   a row without a live cell is a single "."
//
// Read, one line at a time:
//   - a UTF-8 byte-order mark opening the file is skipped;
//   - lines end at LF, CR LF or a bare CR; empty lines are skipped;
//   - "#P x y": the next block's first cell is at column base + x, row
//     base + y (fields split at runs of blanks; a missing or non-numeric field
//     is 0; a fraction goes to the nearest whole number, halves to even;
//     numbers are clamped far outside any target instead of wrapping);
//   - "#R": a rule, survival "/" birth ("#R 23/3"), or in B/S notation in
//     either order, letter case ignored ("#R B3/S23", "#R s23/b36",
//     "#R B3S23"), or one lettered side alone, the other then empty
//     ("#R B234": birth 234, no survival); a letter counts only where it
//     opens a side; words before the rule ("#R Conway B3/S23") and after it
//     ("#R 236/3 Steady Life") are not read; only the digits 0 to 8 count;
//   - "#N": the normal rule, birth 3 and survival 23;
//   - any other line beginning with "#" ("#Life 1.05", "#D ...") is skipped;
//   - any other line is a row of cells: "." dead, every other character
//     (a space included) live.
// Before any "#P" the first cell of a row goes to column 1 of row 0.
//
// A file is not taken as Life 1.05 when its first line names another
// "#Life" version, or when none of its lines is a "#Life 1.05" header, a
// "#P" line or a row made only of "." and "*".
#pragma once

#include "life.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace lif {

// Digits 0 to 8, distinct and ascending, as the rule boxes hold them.
struct Regle {
    QString survie, crea;
    bool operator==(const Regle&) const = default;
};

// Where a reading goes: a grid of lignes x colonnes cells; "#P 0 0" puts the
// block's first cell at (base, base).
struct Cible {
    int lignes = 0, colonnes = 0;
    int base = 0;
    // The pattern grid is emptied at each "#P": only the last block stays.
    bool videAuP = false;

    static Cible Motif(int tailleMotif) { return {tailleMotif, tailleMotif, tailleMotif / 2, true}; }
    static Cible Globe(int ligGrille, int colGrille) { return {ligGrille, colGrille, 10, false}; }
    static Cible Cosmos(int tailleUnivers) { return {tailleUnivers, tailleUnivers, 60, false}; }
};

// What the file does to one cell of the target.
enum class Effet : uint8_t { Aucun, Mort, Vivant };

enum Défaut : unsigned {
    PasLife105 = 1u << 0,         // not this format: nothing was read
    RègleIllisible = 1u << 1,     // a "#R" line without a rule that can be read; skipped
    PositionIllisible = 1u << 2,  // a "#P" field missing or not a number (taken as 0)
};

struct Lecture {
    // The last "#R" or "#N" rule of the file; for the caller to apply when
    // it reads rules.
    std::optional<Regle> regle;
    // lignes x colonnes, row-major: the cells the file sets, dead or live.
    // For a pattern grid these are the cells after the last "#P".
    std::vector<Effet> cellules;
    // "#P" lines read onto a pattern grid: each one empties it.
    int effacements = 0;
    // Cells of the file, dead or live, that fall outside the target.
    int64_t horsCible = 0;
    unsigned défauts = 0;

    bool Life105() const { return !(défauts & PasLife105); }
    Effet at(int r, int c, int colonnes) const { return cellules[size_t(r) * size_t(colonnes) + size_t(c)]; }
};

Lecture Lit(QByteArrayView fichier, const Cible& cible);

// The pattern grid (taille x taille, row-major; a cell above ' ' is live)
// with the rule, as a whole file.
QByteArray Ecrit(const Regle& regle, const life::Cell* motif, int taille);

// A path that reads into the pattern grid rather than onto the board.
bool VersLeMotif(const QString& chemin);
// The name the pattern writer offers: a path holding it is never written.
inline const QString kNomRéservé = QStringLiteral("@_.lif");
bool NomRéservé(const QString& chemin);

// The digits 0 to 8 of `texte`, distinct and ascending.
QString Chiffres(QByteArrayView texte);

}  // namespace lif
