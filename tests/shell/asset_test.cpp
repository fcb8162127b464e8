// The help file that ships with the program: the program refuses to start,
// or loses its sections or its rule library, when this file is not as
// start-up, the help window and the rule panel expect it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string Fichier() {
    std::ifstream in(std::string(OSTRANE_ASSET_DIR) + "/Ostrane.rtf", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Utf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::uint32_t Cp1252(unsigned char b) {
    static const std::uint16_t haut[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                           0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    return (b >= 0x80 && b < 0xA0) ? haut[b - 0x80] : b;
}

// The document's text as the help window shows it, in UTF-8, every paragraph
// ended by CR LF. Enough RTF for this file: groups, \par, \'hh, \uN and the
// destinations that hold no text.
std::string TexteBrut(const std::string& rtf) {
    std::string out;
    std::vector<bool> saute{false};
    int aSauter = 0;
    size_t i = 0;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            saute.push_back(saute.back());
            ++i;
        } else if (c == '}') {
            if (saute.size() > 1) saute.pop_back();
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else if (c == '\\') {
            const char d = i + 1 < rtf.size() ? rtf[i + 1] : '\0';
            if (std::isalpha(static_cast<unsigned char>(d))) {
                size_t j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
                const std::string mot = rtf.substr(i + 1, j - i - 1);
                size_t k = j;
                if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) ++k;
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) ++k;
                const std::string nombre = rtf.substr(j, k - j);
                if (k < rtf.size() && rtf[k] == ' ') ++k;
                i = k;
                if (mot == "fonttbl" || mot == "colortbl" || mot == "info" || mot == "stylesheet") saute.back() = true;
                if (saute.back()) continue;
                if (mot == "par") {
                    out += "\r\n";
                } else if (mot == "tab") {
                    out += '\t';
                } else if (mot == "u") {
                    long n = std::stol(nombre);
                    Utf8(out, std::uint32_t(n < 0 ? n + 65536 : n));
                    aSauter = 1;
                }
            } else if (d == '\'') {
                const unsigned char b = static_cast<unsigned char>(std::stoi(rtf.substr(i + 2, 2), nullptr, 16));
                i += 4;
                if (!saute.back()) {
                    if (aSauter > 0)
                        --aSauter;
                    else
                        Utf8(out, Cp1252(b));
                }
            } else if (d == '*') {
                saute.back() = true;
                i += 2;
            } else {
                if (!saute.back()) out += d;
                i += 2;
            }
        } else {
            if (!saute.back()) {
                if (aSauter > 0)
                    --aSauter;
                else
                    out += c;
            }
            ++i;
        }
    }
    return out;
}

size_t Occurrences(const std::string& s, const std::string& quoi) {
    size_t n = 0;
    for (size_t p = s.find(quoi); p != std::string::npos; p = s.find(quoi, p + 1)) ++n;
    return n;
}

std::vector<std::string> Lignes(const std::string& s) {
    std::vector<std::string> l;
    size_t debut = 0;
    for (size_t p = s.find("\r\n"); p != std::string::npos; p = s.find("\r\n", debut)) {
        l.push_back(s.substr(debut, p - debut));
        debut = p + 2;
    }
    if (debut < s.size()) l.push_back(s.substr(debut));
    return l;
}

// Length in characters, not bytes.
size_t Longueur(const std::string& utf8) {
    return size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

const std::string kMarqueCfg = "~~~~< Ne pas";
const std::string kMarqueRegle = "~\xC2\xAE~";  // ~®~
const std::string kCopyright = "\xC2\xA9";      // ©

class FichierAide : public ::testing::Test {
protected:
    std::string rtf = Fichier();
    std::string texte = TexteBrut(rtf);
};

TEST_F(FichierAide, IsThereAndWrittenInPlainAscii) {
    ASSERT_FALSE(rtf.empty()) << "no Ostrane.rtf in " << OSTRANE_ASSET_DIR;
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    for (size_t i = 0; i < rtf.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(rtf[i]);
        ASSERT_TRUE((b >= 0x20 && b < 0x7F) || b == '\r' || b == '\n') << "byte " << int(b) << " at " << i;
    }
}

TEST_F(FichierAide, BracesBalanceAndTheDocumentGroupClosesLast) {
    int profondeur = 0;
    size_t fermeture = std::string::npos;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;  // an escaped brace or backslash is text
        } else if (rtf[i] == '{') {
            ++profondeur;
        } else if (rtf[i] == '}') {
            --profondeur;
            ASSERT_GE(profondeur, 0) << "at " << i;
            if (profondeur == 0 && fermeture == std::string::npos) fermeture = i;
        }
    }
    EXPECT_EQ(profondeur, 0);
    ASSERT_NE(fermeture, std::string::npos);
    EXPECT_EQ(rtf.find_first_not_of(" \r\n\t", fermeture + 1), std::string::npos)
        << "text after the document's closing brace";
}

TEST_F(FichierAide, EndsWithTheSettingsBlock) {
    std::string fin = rtf.substr(0, rtf.find_last_not_of(" \r\n\t") + 1);
    fin.erase(std::remove_if(fin.begin(), fin.end(), [](char c) { return c == '\r' || c == '\n'; }), fin.end());
    EXPECT_EQ(fin.substr(fin.size() - 8), "Fin\\par}");

    ASSERT_EQ(Occurrences(texte, kMarqueCfg), 1u) << "start-up cuts the block at the first marker";
    const size_t debut = texte.find(kMarqueCfg);
    ASSERT_GE(debut, 2u);
    EXPECT_EQ(texte.substr(debut - 2, 2), "\r\n") << "the marker must start its own line";

    const std::string bloc = texte.substr(debut);
    EXPECT_LT(Longueur(bloc), 1000u) << "start-up reads 1000 characters from the marker";
    const std::vector<std::string> l = Lignes(bloc);
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0].find('='), std::string::npos);
    EXPECT_EQ(l[1], "R\xC3\xA9pFic=#");
    EXPECT_EQ(l[2], "Ecran=/");
    EXPECT_EQ(l[3], "Zoom=10");
    EXPECT_EQ(l[4], "Fin");
    EXPECT_EQ(bloc.substr(bloc.size() - 5), "Fin\r\n") << "nothing may follow the block";
}

TEST_F(FichierAide, HasSixSectionHeadingsInOrderOnceEach) {
    EXPECT_EQ(Occurrences(texte, "** - 1") + Occurrences(texte, "** - 2") + Occurrences(texte, "** - 3") +
                  Occurrences(texte, "** - 4") + Occurrences(texte, "** - 5") + Occurrences(texte, "** - 6"),
              6u)
        << "a section button jumps to the first match, which must be its heading";
    size_t avant = 0;
    for (char n = '1'; n <= '6'; ++n) {
        const std::string marque = std::string("** - ") + n + " - **";
        const size_t p = texte.find(marque);
        ASSERT_NE(p, std::string::npos) << marque;
        EXPECT_EQ(Occurrences(texte, marque), 1u) << marque;
        EXPECT_GT(p, avant) << marque << " out of order";
        ASSERT_GE(p, 2u);
        EXPECT_EQ(texte.substr(p - 2, 2), "\r\n") << marque << " must start a line";
        avant = p;
        // The button's caption: from the 15th character of the line to its end.
        const size_t finLigne = texte.find("\r\n", p);
        ASSERT_NE(finLigne, std::string::npos);
        const std::string titre = texte.substr(p + 14, finLigne - p - 14);
        EXPECT_EQ(texte.substr(p + 11, 3), "   ");
        EXPECT_FALSE(titre.empty()) << marque;
        EXPECT_NE(titre[0], ' ') << marque;
        EXPECT_LE(Longueur(titre), 20u) << "\"" << titre << "\" is too long for its button";
    }
    for (const char* f : {"** - 0", "** - 7", "** - 8", "** - 9"}) EXPECT_EQ(Occurrences(texte, f), 0u) << f;
}

TEST_F(FichierAide, HoldsARuleLibraryThatThePanelCanRead) {
    const size_t debut = texte.find(kMarqueRegle);
    ASSERT_NE(debut, std::string::npos);
    ASSERT_GE(debut, 2u) << "a record on the document's first line is not read";
    EXPECT_EQ(texte.substr(debut - 2, 2), "\r\n");
    const size_t fin = texte.find(kCopyright, debut);
    ASSERT_NE(fin, std::string::npos) << "the rule writer needs the copyright sign after the records";
    EXPECT_EQ(texte.substr(fin - 3, 3), "\r\n~") << "the records end with a lone tilde before the sign";

    const std::vector<std::string> l = Lignes(texte.substr(debut, fin - 1 - debut));
    ASSERT_GE(l.size(), 1u);
    ASSERT_LE(l.size(), 11u) << "the panel has eleven rows";
    std::vector<std::string> noms;
    for (const std::string& ligne : l) {
        ASSERT_EQ(ligne.rfind(kMarqueRegle, 0), 0u) << ligne;
        const std::string corps = ligne.substr(kMarqueRegle.size());
        ASSERT_EQ(std::count(corps.begin(), corps.end(), '|'), 2) << ligne;
        const size_t b1 = corps.find('|'), b2 = corps.find('|', b1 + 1);
        const std::string nom = corps.substr(0, b1);
        EXPECT_NE(nom.find_first_not_of(' '), std::string::npos) << "a blank name is not a rule";
        for (const std::string& chiffres : {corps.substr(b1 + 1, b2 - b1 - 1), corps.substr(b2 + 1)}) {
            for (size_t k = 0; k < chiffres.size(); ++k) {
                EXPECT_TRUE(chiffres[k] >= '0' && chiffres[k] <= '8') << ligne;
                if (k > 0) {
                    EXPECT_LT(chiffres[k - 1], chiffres[k]) << ligne;
                }
            }
        }
        EXPECT_EQ(std::count(noms.begin(), noms.end(), nom), 0) << "twice: " << nom;
        noms.push_back(nom);
    }
    EXPECT_EQ(l.front(), kMarqueRegle + "Jeu de la vie|23|3");
    EXPECT_EQ(Occurrences(texte, kMarqueRegle), l.size()) << "a record marker outside the library";
}

TEST_F(FichierAide, EndsItsHelpTextWithTheHelpOnHelp) {
    // The help window's "?" sends the caret to the end of the text, which must
    // be the last section, after the library.
    const size_t derniere = texte.find("** - 6 - **");
    ASSERT_NE(derniere, std::string::npos);
    EXPECT_GT(derniere, texte.find(kCopyright));
    const std::string section = texte.substr(derniere, texte.find(kMarqueCfg) - derniere);
    for (const char* mot : {"rouge", "noir", "enregistrer", "multi-page", "sections", "icône", "fermer"})
        EXPECT_NE(section.find(mot), std::string::npos) << mot;
}

TEST_F(FichierAide, ShowsSomeWordsInTheProgramsRed) {
    const size_t table = rtf.find("{\\colortbl");
    ASSERT_NE(table, std::string::npos);
    const std::string couleurs = rtf.substr(table, rtf.find('}', table) - table);
    // Entry 0 is the automatic colour; count entries up to the red one.
    const size_t rouge = couleurs.find("\\red192\\green64\\blue0;");
    ASSERT_NE(rouge, std::string::npos);
    const auto index = std::count(couleurs.begin(), couleurs.begin() + long(rouge), ';');
    EXPECT_NE(rtf.find("{\\cf" + std::to_string(index) + " ", table + couleurs.size()), std::string::npos);
}

TEST_F(FichierAide, KeepsItsAccents) {
    EXPECT_NE(texte.find("Pr\xC3\xA9sentation"), std::string::npos);
    EXPECT_NE(texte.find("G\xC3\xA9n\xC3\xA9ration suivante"), std::string::npos);
    EXPECT_NE(texte.find("r\xC3\xA8gles"), std::string::npos);
}

}  // namespace
