#include "lif_format.h"

#include "codepage.h"

#include <algorithm>

namespace lif {

namespace {

// Far outside any target, and far from overflowing once a block's row count
// and a row's length are added.
constexpr int64_t kLimite = int64_t(1) << 40;

bool Blanc(char c) {
    return c == ' ' || c == '\t';
}

bool Lettre(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool CommencePar(QByteArrayView ligne, QByteArrayView début, bool casse = true) {
    if (ligne.size() < début.size()) return false;
    for (qsizetype i = 0; i < début.size(); ++i) {
        char a = ligne[i], b = début[i];
        if (!casse) {
            if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
            if (b >= 'A' && b <= 'Z') b = char(b - 'A' + 'a');
        }
        if (a != b) return false;
    }
    return true;
}

// A sign, digits and an optional fraction, the whole field; rounded to the
// nearest whole number, halves to even.
std::optional<int64_t> Nombre(QByteArrayView champ) {
    qsizetype i = 0;
    bool négatif = false;
    if (i < champ.size() && (champ[i] == '+' || champ[i] == '-')) négatif = champ[i++] == '-';
    int64_t entier = 0;
    int chiffres = 0;
    for (; i < champ.size() && champ[i] >= '0' && champ[i] <= '9'; ++i, ++chiffres)
        entier = std::min(kLimite, entier * 10 + (champ[i] - '0'));
    int premier = -1;    // first digit of the fraction
    bool reste = false;  // a non-zero digit after it
    if (i < champ.size() && champ[i] == '.') {
        for (++i; i < champ.size() && champ[i] >= '0' && champ[i] <= '9'; ++i, ++chiffres) {
            if (premier < 0)
                premier = champ[i] - '0';
            else if (champ[i] != '0')
                reste = true;
        }
    }
    if (chiffres == 0 || i != champ.size()) return std::nullopt;
    if (premier > 5 || (premier == 5 && (reste || entier % 2 == 1))) entier = std::min(kLimite, entier + 1);
    return négatif ? -entier : entier;
}

// The fields of a line after its two-character tag, split at runs of blanks.
std::vector<QByteArrayView> Champs(QByteArrayView reste) {
    std::vector<QByteArrayView> out;
    qsizetype i = 0;
    while (i < reste.size()) {
        while (i < reste.size() && Blanc(reste[i])) ++i;
        const qsizetype début = i;
        while (i < reste.size() && !Blanc(reste[i])) ++i;
        if (i > début) out.push_back(reste.sliced(début, i - début));
    }
    return out;
}

// One field of the rule notation: an optional letter, B or S in either case,
// then digits.
struct Champ {
    char lettre = 0;  // 'B', 'S', or 0 when the field has none
    QByteArrayView chiffres;
};

Champ LitChamp(QByteArrayView s, qsizetype& i) {
    Champ c;
    if (i < s.size() && (s[i] == 'B' || s[i] == 'b')) c.lettre = 'B';
    if (i < s.size() && (s[i] == 'S' || s[i] == 's')) c.lettre = 'S';
    if (c.lettre) ++i;
    const qsizetype début = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    c.chiffres = s.sliced(début, i - début);
    return c;
}

qsizetype AprèsBlancs(QByteArrayView s, qsizetype i) {
    while (i < s.size() && Blanc(s[i])) ++i;
    return i;
}

// The notation ends at the line's end, at a blank or at punctuation ("B3/S23.").
bool FinDeNotation(QByteArrayView s, qsizetype i) {
    if (i == s.size()) return true;
    const char c = s[i];
    return !(c == '/' || (c >= '0' && c <= '9') || Lettre(c));
}

// The notation that starts at i: "23/3", "B3/S23", "B3S23", "B3 S23", or a
// lettered side alone, "B234". A letter counts only where it opens a side, so
// that the words of a name after the rule ("23/3 Steady Life") are not taken
// for its sides.
std::optional<Regle> Notation(QByteArrayView s, qsizetype i) {
    const Champ a = LitChamp(s, i);
    std::optional<Champ> b;
    qsizetype k = AprèsBlancs(s, i);
    if (k < s.size() && s[k] == '/') {
        const qsizetype aprèsBarre = k + 1;
        k = AprèsBlancs(s, aprèsBarre);
        b = LitChamp(s, k);
        if (!FinDeNotation(s, k)) {
            // "23/ Steady Life": an empty side, then words.
            if (!FinDeNotation(s, aprèsBarre)) return std::nullopt;
            b = Champ{};
        }
    } else {
        // Without "/" each side carries its letter.
        if (!a.lettre) return std::nullopt;
        if (const Champ c = LitChamp(s, k); c.lettre && FinDeNotation(s, k))
            b = c;
        else if (!FinDeNotation(s, i) || a.chiffres.isEmpty())
            return std::nullopt;
    }
    if (!b) return a.lettre == 'B' ? Regle{QString(), Chiffres(a.chiffres)} : Regle{Chiffres(a.chiffres), QString()};
    if (a.lettre && a.lettre == b->lettre) return std::nullopt;
    // Without letters the survival digits come first.
    if (a.lettre == 'B' || b->lettre == 'S') return Regle{Chiffres(b->chiffres), Chiffres(a.chiffres)};
    return Regle{Chiffres(a.chiffres), Chiffres(b->chiffres)};
}

// A word that opens like a notation: a digit, "/", or B or S not followed by
// the rest of a word ("B3", "S/", but not "Seeds").
bool OuvreNotation(QByteArrayView s, qsizetype i) {
    const char c = s[i];
    if (c == '/' || (c >= '0' && c <= '9')) return true;
    return (c == 'B' || c == 'b' || c == 'S' || c == 's') && (i + 1 == s.size() || !Lettre(s[i + 1]));
}

// The rule of a "#R" line: plain words before it ("#R Conway B3/S23") are
// passed over, the first word that opens like a notation must be one.
std::optional<Regle> LitRègle(QByteArrayView reste) {
    for (qsizetype i = AprèsBlancs(reste, 0); i < reste.size(); i = AprèsBlancs(reste, i)) {
        if (OuvreNotation(reste, i)) return Notation(reste, i);
        while (i < reste.size() && !Blanc(reste[i])) ++i;
    }
    return std::nullopt;
}

bool RangéePure(QByteArrayView ligne) {
    for (const char c : ligne)
        if (c != '.' && c != '*') return false;
    return true;
}

}  // namespace

QString Chiffres(QByteArrayView texte) {
    QString out;
    for (char d = '0'; d <= '8'; ++d)
        if (texte.contains(d)) out += QLatin1Char(d);
    return out;
}

Lecture Lit(QByteArrayView fichier, const Cible& cible) {
    Lecture l;
    const int lignes = std::max(cible.lignes, 0), colonnes = std::max(cible.colonnes, 0);
    l.cellules.assign(size_t(lignes) * size_t(colonnes), Effet::Aucun);

    int64_t c0 = 0, y = 0;  // column just before the block's first cell; row of the next cell row
    bool premièreLigne = true, connu = false;
    // A UTF-8 byte-order mark, as some editors save, is no part of the first line.
    qsizetype pos = fichier.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < fichier.size()) {
        qsizetype fin = pos;
        while (fin < fichier.size() && fichier[fin] != '\r' && fichier[fin] != '\n') ++fin;
        const QByteArrayView ligne = fichier.sliced(pos, fin - pos);
        pos = fin;
        if (pos < fichier.size() && fichier[pos] == '\r') ++pos;
        if (pos < fichier.size() && fichier[pos] == '\n' && (pos == fin || fichier[pos - 1] == '\r')) ++pos;
        if (ligne.isEmpty()) continue;

        if (premièreLigne) {
            premièreLigne = false;
            if (CommencePar(ligne, "#Life", false) && !CommencePar(ligne, "#Life 1.05", false)) {
                l.défauts = PasLife105;
                break;
            }
        }

        if (ligne[0] != '#') {
            connu |= RangéePure(ligne);
            for (qsizetype i = 1; i <= ligne.size(); ++i) {
                const int64_t c = c0 + i;
                if (y < 0 || y >= lignes || c < 0 || c >= colonnes) {
                    ++l.horsCible;
                    continue;
                }
                l.cellules[size_t(y) * size_t(colonnes) + size_t(c)] =
                    ligne[i - 1] == '.' ? Effet::Mort : Effet::Vivant;
            }
            y = std::min(y + 1, 2 * kLimite);
        } else if (CommencePar(ligne, "#P")) {
            connu = true;
            const auto champs = Champs(ligne.sliced(2));
            int64_t px = 0, py = 0;
            for (size_t k = 0; k < 2; ++k) {
                const auto n = k < champs.size() ? Nombre(champs[k]) : std::nullopt;
                if (!n) l.défauts |= PositionIllisible;
                (k == 0 ? px : py) = n.value_or(0);
            }
            c0 = cible.base + px - 1;
            y = cible.base + py;
            if (cible.videAuP) {
                ++l.effacements;
                std::fill(l.cellules.begin(), l.cellules.end(), Effet::Aucun);
            }
        } else if (CommencePar(ligne, "#R")) {
            if (auto r = LitRègle(ligne.sliced(2)))
                l.regle = r;
            else
                l.défauts |= RègleIllisible;
        } else if (CommencePar(ligne, "#N")) {
            l.regle = Regle{QStringLiteral("23"), QStringLiteral("3")};
        } else if (CommencePar(ligne, "#Life 1.05", false)) {
            connu = true;
        }
    }
    if (!connu || (l.défauts & PasLife105)) {
        // Nothing of a file in another format is used.
        l.regle.reset();
        l.effacements = 0;
        l.horsCible = 0;
        l.défauts = PasLife105;
        std::fill(l.cellules.begin(), l.cellules.end(), Effet::Aucun);
    }
    return l;
}

QByteArray Ecrit(const Regle& regle, const life::Cell* motif, int taille) {
    QByteArray out = "#Life 1.05\r\n";
    out += "#R " + EncodeCp1252(regle.survie + QLatin1Char('/') + regle.crea) + "\r\n";
    const QByteArray demi = QByteArray::number(taille / 2);
    out += "#P -" + demi + " -" + demi + "\r\n";
    for (int r = 0; r < taille; ++r) {
        QByteArray rangée;
        for (int c = 0; c < taille; ++c) rangée += motif[size_t(r) * size_t(taille) + size_t(c)] > u' ' ? '*' : '.';
        const qsizetype dernier = rangée.lastIndexOf('*');
        rangée = dernier < 0 ? QByteArray(".") : rangée.first(dernier + 1);
        out += rangée + "\r\n";
    }
    return out;
}

bool VersLeMotif(const QString& chemin) {
    return chemin.contains(QStringLiteral("@_"));
}

bool NomRéservé(const QString& chemin) {
    return chemin.contains(kNomRéservé);
}

}  // namespace lif
