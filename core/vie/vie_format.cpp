#include "vie_format.h"

#include "codepage.h"

#include <algorithm>

namespace vie {

namespace {

constexpr char kVivant = '!', kMort = ' ';
constexpr int kDécalage = 35;  // count byte = run length + 35

// A line that ends at CR LF or a bare LF; a bare CR stays inside it. `pos`
// moves past the line end; returns false when no line end was found (the
// line then runs to the end of the bytes).
bool LigneSuivante(QByteArrayView b, qsizetype& pos, QByteArrayView& ligne) {
    const qsizetype lf = b.indexOf('\n', pos);
    if (lf < 0) {
        ligne = b.sliced(pos);
        pos = b.size();
        return false;
    }
    qsizetype fin = lf;
    if (fin > pos && b[fin - 1] == '\r') --fin;
    ligne = b.sliced(pos, fin - pos);
    pos = lf + 1;
    return true;
}

void AjouteRun(QByteArray& out, char cellule, int n) {
    while (n > 0) {
        const int k = std::min(n, kRunMax);
        if (k == 1) {
            out += cellule;
        } else {
            out += char(k + kDécalage);
            out += cellule;
        }
        n -= k;
    }
}

}  // namespace

QString Chiffres(QStringView texte) {
    QString out;
    for (char16_t d = u'0'; d <= u'8'; ++d)
        if (texte.contains(QChar(d))) out += QChar(d);
    return out;
}

QByteArray CodeRangée(const life::Cell* rangée, int n) {
    QByteArray out;
    int c = 0;
    bool vivante = false;
    while (c < n) {
        const bool v = rangée[c] > u' ';
        int fin = c + 1;
        while (fin < n && (rangée[fin] > u' ') == v) ++fin;
        const int longueur = fin - c;
        vivante |= v;
        // The last dead run of two or more cells is implied by the row's end.
        if (fin == n && !v && longueur >= 2) break;
        AjouteRun(out, v ? kVivant : kMort, longueur);
        c = fin;
    }
    if (!vivante) out.clear();
    return out;
}

unsigned DécodeRangée(QByteArrayView code, life::Cell* rangée, int n) {
    unsigned défauts = 0;
    qsizetype i = 0;
    int col = 0;
    auto pose = [&](unsigned char octet, int fois) {
        if (octet != kVivant && octet != kMort) défauts |= OctetInconnu;
        const life::Cell cell = octet == kVivant ? life::Live : life::Dead;
        for (int k = 0; k < fois; ++k, ++col) {
            if (col >= n) {
                défauts |= RangéeTropLongue;
                return;
            }
            rangée[col] = cell;
        }
    };
    while (i < code.size()) {
        const auto octet = static_cast<unsigned char>(code[i]);
        if (octet > static_cast<unsigned char>(kVivant)) {
            if (i + 1 >= code.size()) {
                défauts |= CompteTronqué;
                break;
            }
            if (octet < kDécalage + 2) défauts |= CompteInvalide;
            pose(static_cast<unsigned char>(code[i + 1]), std::max(0, octet - kDécalage));
            i += 2;
        } else {
            pose(octet, 1);
            ++i;
        }
    }
    return défauts;
}

Lecture Lit(QByteArrayView fichier, int taille) {
    Lecture l;
    taille = std::max(taille, 0);
    l.cellules.assign(size_t(taille) * size_t(taille), life::Dead);

    qsizetype pos = 0;
    QByteArrayView ligne1, ligne2;
    const bool fin1 = LigneSuivante(fichier, pos, ligne1);
    const qsizetype slash = ligne1.indexOf('/');
    if (slash < 0) {
        l.défauts |= SansRègle;
    } else {
        const QString texte = DecodeCp1252(ligne1);
        for (const QChar ch : texte)
            if (!ch.isDigit() && ch != QLatin1Char('/')) l.défauts |= RègleIllisible;
        l.regle = Regle{Chiffres(QStringView(texte).left(slash)), Chiffres(QStringView(texte).sliced(slash + 1))};
    }
    if (!fin1) {
        l.défauts |= LignesManquantes;
        return l;
    }
    if (pos >= fichier.size()) {
        l.défauts |= LignesManquantes;
        return l;
    }
    const bool fin2 = LigneSuivante(fichier, pos, ligne2);
    l.légende = DecodeCp1252(ligne2);
    if (!fin2) {
        l.défauts |= LignesManquantes;
        return l;
    }

    const QByteArrayView ligne3 = fichier.sliced(pos);
    qsizetype début = 0;
    int r = 0;
    while (début < ligne3.size()) {
        qsizetype sep = ligne3.indexOf(char(kSéparateur), début);
        const bool fermée = sep >= 0;
        if (!fermée) sep = ligne3.size();
        const QByteArrayView code = ligne3.sliced(début, sep - début);
        if (r < taille) {
            l.défauts |= DécodeRangée(code, l.cellules.data() + size_t(r) * size_t(taille), taille);
            if (fermée) ++r;
        } else if (!code.isEmpty() || fermée) {
            l.défauts |= RangéesEnTrop;
        }
        début = sep + 1;
        if (!fermée) break;
    }
    if (r < taille) l.défauts |= RangéesManquantes;
    return l;
}

QByteArray Ecrit(const Regle& regle, const QString& légende, const life::Cell* univers, int taille) {
    QByteArray out = EncodeCp1252(regle.survie + QLatin1Char('/') + regle.crea);
    out += "\r\n";
    QString l2 = légende;
    l2.remove(QLatin1Char('\n'));
    out += EncodeCp1252(l2);
    out += "\r\n";
    for (int r = 0; r < taille; ++r) {
        out += CodeRangée(univers + size_t(r) * size_t(taille), taille);
        out += char(kSéparateur);
    }
    return out;
}

}  // namespace vie
