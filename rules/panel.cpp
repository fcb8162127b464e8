// The rule-library panel caBiblio: eleven rows of a name and its survival and birth
// digits, the selection of a row, the digit filter, and applying a rule.
#include "Ostrane1.h"

#include "rule_records.h"

#include <QFontMetrics>
#include <QPushButton>

namespace {

const long kBlanc = 0xFFFFFF;
const long kSélection = 0xD0FFFF;

// A caption wider than its button shows on several lines, broken at its spaces,
// while Caption() keeps the text exactly as set.
void LegendeSurLignes(CommandButton* b) {
    auto* w = static_cast<QPushButton*>(b->widget());
    const QFontMetrics fm(w->font());
    const int place = w->width() - 6;
    QString reste = b->Caption(), texte;
    while (fm.horizontalAdvance(reste) > place) {
        // The last space that leaves a first line short enough, past any leading spaces.
        qsizetype coupe = -1;
        for (qsizetype i = reste.size() - 1; i > 0; --i)
            if (reste[i] == u' ' && !reste.left(i).trimmed().isEmpty() &&
                fm.horizontalAdvance(reste.left(i)) <= place) {
                coupe = i;
                break;
            }
        if (coupe < 0) break;
        texte += reste.left(coupe) + QLatin1Char('\n');
        reste = reste.mid(coupe).trimmed();
    }
    w->setText(texte + reste);
}

}  // namespace

void Ostrane1::CreeBiblio() {
    // It shares the board panel's place, and the set-up shows one panel at a time. Its
    // rows and buttons reach 3972 twips across, more than the board panel: it takes
    // the room between the board and the window's right edge.
    caBiblio = Ajoute<Frame>(nullptr, QStringLiteral("caBiblio"));
    caBiblio->Move(10350, 540, 4020, 9600);
    caBiblio->setVisible(false);
    caBiblio->setCaption(QStringLiteral(" Liste des règles "));
    caBiblio->setFont(QStringLiteral("Arial"), 10.8, false);

    txRègle.clear();
    txRègleS.clear();
    txRègleC.clear();
    const int tops[rules::kRows] = {360, 1080, 1860, 2640, 3420, 4200, 5040, 5760, 6540, 7320, 8100};
    const QString chiffres = QStringLiteral("Lucida Console");
    for (int i = 0; i < rules::kRows; ++i) {
        auto* nom = Ajoute<TextBox>(caBiblio, QStringLiteral("txRègle"), i);
        nom->Move(120, tops[i], 2532, 372);
        nom->setFont(QStringLiteral("Arial"), 10.8, false);
        txRègle.set(i, nom);
        auto* s = Ajoute<TextBox>(caBiblio, QStringLiteral("txRègleS"), i);
        s->Move(2760, 180 + 780 * i, 1152, 324);
        s->setFont(chiffres, 10.8, false);
        txRègleS.set(i, s);
        auto* c = Ajoute<TextBox>(caBiblio, QStringLiteral("txRègleC"), i);
        c->Move(2760, 504 + 780 * i, 1152, 324);
        c->setFont(chiffres, 10.8, false);
        txRègleC.set(i, c);
    }

    auto bouton = [this](const char* nom, const char* légende, double gauche, double largeur) {
        auto* b = Ajoute<CommandButton>(caBiblio, QString::fromUtf8(nom));
        b->Move(gauche, 8676, largeur, 552);
        b->setBackColor(0xE8FFE8);
        b->setFont(QStringLiteral("Arial"), 10.2, true);
        b->setCaption(QString::fromUtf8(légende));
        LegendeSurLignes(b);
        return b;
    };
    btRèglEnreg = bouton("btRèglEnreg", "Ecrire les modifications", 60, 1512);
    btRèglEnreg->setEnabled(false);
    btRègleF = bouton("btRègleF", " Fermer  ce cadre", 1620, 1092);
    btRèglApp = bouton("btRèglApp", "  Utiliser   ces règles", 2760, 1212);
    btRèglApp->setEnabled(false);

    // Tab order: the names, the three buttons, then the digits row by row. The panel's
    // controls were made one after the other, so their own creation numbers are free.
    int tab = txRègle(0)->TabIndex();
    for (int i = 0; i < rules::kRows; ++i) txRègle(i)->setTabIndex(tab++);
    btRèglEnreg->setTabIndex(tab++);
    btRèglApp->setTabIndex(tab++);
    btRègleF->setTabIndex(tab++);
    for (int i = 0; i < rules::kRows; ++i) {
        txRègleS(i)->setTabIndex(tab++);
        txRègleC(i)->setTabIndex(tab++);
    }

    for (int i = 0; i < rules::kRows; ++i) {
        txRègle(i)->Click = [this, i] { txRègle_Click(i); };
        txRègle(i)->Change = [this, i] { txRègle_Change(i); };
        txRègle(i)->KeyPress = [this, i](int& k) { txRègle_KeyPress(i, k); };
        txRègleS(i)->Change = [this, i] { txRègleS_Change(i); };
        txRègleS(i)->KeyPress = [this, i](int& k) { txRègleS_KeyPress(i, k); };
        txRègleC(i)->Change = [this, i] { txRègleC_Change(i); };
        txRègleC(i)->KeyPress = [this, i](int& k) { txRègleC_KeyPress(i, k); };
    }
    btRèglEnreg->Click = [this] { btRèglEnreg_Click(); };
    btRègleF->Click = [this] { btRègleF_Click(); };
    btRèglApp->Click = [this] { btRèglApp_Click(); };
}

void Ostrane1::btBiblio_Click() {
    if (LisRègles()) MontreCadre(caBiblio);
}

void Ostrane1::btRègleF_Click() {
    MontreCadre(caJeu);
}

void Ostrane1::txRègle_Change(int) {
    btRèglEnreg->setEnabled(true);
}
void Ostrane1::txRègleS_Change(int) {
    btRèglEnreg->setEnabled(true);
}
void Ostrane1::txRègleC_Change(int) {
    btRèglEnreg->setEnabled(true);
}

void Ostrane1::txRègle_Click(int Index) {
    btRèglApp->setEnabled(false);
    if (rules::IsBlankName(txRègle(Index)->Text())) return;
    for (int i = 0; i < rules::kRows; ++i) txRègle(i)->setBackColor(kBlanc);
    txRègle(Index)->setBackColor(kSélection);
    btRèglApp->setEnabled(true);
    btRèglApp->setTag(QString::number(Index));
}

// A name is one field of a record line: a separator, the region's end sign or a line
// break typed or pasted into it would break the record at the next save.
void Ostrane1::txRègle_KeyPress(int, int& KeyAscii) {
    if (KeyAscii != 8 && (KeyAscii < 0 || KeyAscii > 0xFFFF || !rules::FitsInName(char16_t(KeyAscii)))) KeyAscii = 0;
}

void Ostrane1::txRègleS_KeyPress(int, int& KeyAscii) {
    if ((KeyAscii > '8' || KeyAscii < '0') && KeyAscii != 8) KeyAscii = 0;
}
void Ostrane1::txRègleC_KeyPress(int, int& KeyAscii) {
    if ((KeyAscii > '8' || KeyAscii < '0') && KeyAscii != 8) KeyAscii = 0;
}

void Ostrane1::btRèglApp_Click() {
    const int k = btRèglApp->Tag().toInt();
    if (!txRègleS(k) || !txRègleC(k)) return;
    // A hand-edited record may hold a 9 or a letter: only the digits that have a box count.
    EcriSurvie(rules::RuleDigits(txRègleS(k)->Text()));
    EcriCréa(rules::RuleDigits(txRègleC(k)->Text()));
    MontreCadre(caJeu);
}
