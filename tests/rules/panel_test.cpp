// The rule-library panel as the user sees and uses it: its rows and buttons,
// choosing a row, applying its rule, and what the boxes let through.
#include "Biblio.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPushButton>

using biblio::AideAvec;
using biblio::R;

namespace {

struct Panneau : Biblio {
    QString Cochées(const char* rangée) const {
        QString s;
        for (int i = 0; i <= 8; ++i)
            if (Coche(QStringLiteral("%1(%2)").arg(QString::fromUtf8(rangée)).arg(i))) s += QString::number(i);
        return s;
    }
    long Fond(int i) const { return f().txRègle(i)->BackColor(); }
    QStringList Surlignées() const {
        QStringList out;
        for (int i = 0; i <= 10; ++i) {
            if (Fond(i) == 0xD0FFFF)
                out << QString::number(i);
            else
                EXPECT_EQ(Fond(i), 0xFFFFFF) << "row " << i;
        }
        return out;
    }
};

TEST_F(Panneau, RowsAndButtonsStandWhereDesignedWithTheirCaptionsColoursAndFonts) {
    // A screen of the design size: the layout keeps every place as designed.
    Screen::setSizeOverride(14400, 10800);
    Demarre();
    Ostrane1& o = f();
    EXPECT_EQ(o.caBiblio->Caption(), QStringLiteral(" Liste des règles "));
    EXPECT_EQ(o.caBiblio->FontName(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(o.caBiblio->FontSize(), 10.8);
    EXPECT_FALSE(o.caBiblio->Visible());
    const int tops[] = {360, 1080, 1860, 2640, 3420, 4200, 5040, 5760, 6540, 7320, 8100};
    for (int i = 0; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const TextBox* n = o.txRègle(i);
        EXPECT_EQ((std::vector<double>{n->Left(), n->Top(), n->Width(), n->Height()}),
                  (std::vector<double>{120, double(tops[i]), 2532, 372}));
        EXPECT_EQ(n->FontName(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(n->FontSize(), 10.8);
        for (const TextBox* d : {o.txRègleS(i), o.txRègleC(i)}) {
            EXPECT_EQ(d->FontName(), QStringLiteral("Lucida Console"));
            EXPECT_DOUBLE_EQ(d->FontSize(), 10.8);
            EXPECT_EQ(d->Left(), 2760);
            EXPECT_EQ(d->Width(), 1152);
            EXPECT_EQ(d->Height(), 324);
        }
        EXPECT_EQ(o.txRègleS(i)->Top(), 180 + 780 * i);
        EXPECT_EQ(o.txRègleC(i)->Top(), 504 + 780 * i);
        EXPECT_EQ(n->Text() + o.txRègleS(i)->Text() + o.txRègleC(i)->Text(), QString());
    }
    struct Bouton {
        CommandButton* b;
        const char* légende;
        double gauche, largeur;
        bool actif;
    };
    for (const Bouton& b : {Bouton{o.btRèglEnreg, "Ecrire les modifications", 60, 1512, false},
                            Bouton{o.btRègleF, " Fermer  ce cadre", 1620, 1092, true},
                            Bouton{o.btRèglApp, "  Utiliser   ces règles", 2760, 1212, false}}) {
        SCOPED_TRACE(b.légende);
        EXPECT_EQ(b.b->Caption(), QString::fromUtf8(b.légende));
        EXPECT_EQ(b.b->widget()->accessibleName(), QString::fromUtf8(b.légende)) << "what a screen reader says";
        EXPECT_EQ((std::vector<double>{b.b->Left(), b.b->Top(), b.b->Width(), b.b->Height()}),
                  (std::vector<double>{b.gauche, 8676, b.largeur, 552}));
        EXPECT_EQ(b.b->BackColor(), 0xE8FFE8);
        EXPECT_EQ(b.b->FontName(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(b.b->FontSize(), 10.2);
        EXPECT_TRUE(b.b->FontBold());
        EXPECT_EQ(b.b->Enabled(), b.actif);
        // The caption is shown whole, on as many lines as the button needs, once the panel shows.
        o.caBiblio->setVisible(true);
        auto* pb = static_cast<QPushButton*>(b.b->widget());
        EXPECT_EQ(pb->text().simplified(), QString::fromUtf8(b.légende).simplified());
        for (const QString& ligne : pb->text().split(QLatin1Char('\n')))
            EXPECT_LE(pb->fontMetrics().horizontalAdvance(ligne), pb->width()) << ligne.toStdString();
        // Inside the panel, and the panel inside the window: nothing is cut off.
        EXPECT_LE(b.b->Left() + b.b->Width(), o.caBiblio->Width());
    }
    EXPECT_LE(o.txRègleS(0)->Left() + o.txRègleS(0)->Width(), o.caBiblio->Width());
    EXPECT_LE(o.caBiblio->Left() + o.caBiblio->Width(), o.Width());
    EXPECT_LE(o.grJeu->Left() + o.grJeu->Width(), o.caBiblio->Left()) << "the panel leaves the board whole";
    EXPECT_EQ(o.btBiblio->Caption(), QStringLiteral("Afficher la liste"));
}

TEST_F(Panneau, TabGoesThroughTheNamesThenTheButtonsThenTheDigitsRowByRow) {
    Demarre();
    Ouvre();
    QStringList attendu;
    for (int i = 0; i <= 10; ++i) attendu << QStringLiteral("txRègle(%1)").arg(i);
    attendu << QStringLiteral("btRèglEnreg") << QStringLiteral("btRèglApp") << QStringLiteral("btRègleF");
    for (int i = 0; i <= 10; ++i)
        attendu << QStringLiteral("txRègleS(%1)").arg(i) << QStringLiteral("txRègleC(%1)").arg(i);
    // The focus chain, as Tab follows it, from the first name on.
    QStringList vu;
    QWidget* départ = w(QStringLiteral("txRègle(0)"));
    QWidget* x = départ;
    do {
        const QString n = x->objectName();
        if (n.startsWith(QStringLiteral("txRègl")) || n.startsWith(QStringLiteral("btRègl"))) vu << n;
        x = x->nextInFocusChain();
    } while (x && x != départ && vu.size() < 100);
    EXPECT_EQ(vu.join(QLatin1Char(' ')).toStdString(), attendu.join(QLatin1Char(' ')).toStdString());
}

TEST_F(Panneau, ClickingANameSelectsItsRowAndABlankNameSelectsNothing) {
    DemarreAvec(AideAvec({R("Un", "1", "1"), R("Deux", "2", "2"), R("   ", "3", "3")}));
    Ouvre();
    EXPECT_EQ(Surlignées(), QStringList());
    Clique(QStringLiteral("txRègle(1)"));
    EXPECT_EQ(Surlignées(), QStringList{QStringLiteral("1")});
    EXPECT_TRUE(Actif(QStringLiteral("btRèglApp")));
    EXPECT_EQ(f().btRèglApp->Tag(), QStringLiteral("1"));
    // A name of spaces is no rule: the highlight stays where it was, the button goes off.
    for (int blanche : {2, 7}) {
        Clique(QStringLiteral("txRègle(%1)").arg(blanche));
        EXPECT_EQ(Surlignées(), QStringList{QStringLiteral("1")});
        EXPECT_FALSE(Actif(QStringLiteral("btRèglApp")));
    }
    Clique(QStringLiteral("txRègle(0)"));
    EXPECT_EQ(Surlignées(), QStringList{QStringLiteral("0")});
    // A new reading forgets the selection.
    Clique(QStringLiteral("btRègleF"));
    Ouvre();
    EXPECT_EQ(Surlignées(), QStringList());
    EXPECT_FALSE(Actif(QStringLiteral("btRèglApp")));
}

TEST_F(Panneau, ApplyingTicksTheRowsDigitsAndGoesBackToTheBoard) {
    struct Cas {
        const char* quoi;
        QString record;
        const char* survie;
        const char* créa;
    };
    const Cas cas[] = {
        {"as written", R("HighLife", "23", "36"), "23", "36"},
        {"no survival digit", R("Seeds", "", "2"), "", "2"},
        {"out of order and twice", R("Désordre", "8331", "0770"), "138", "07"},
        {"a nine or a letter from a hand-edited record", R("Main", "2a9 ", "39x"), "2", "3"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        DemarreAvec(AideAvec({c.record}));
        Ouvre();
        Clique(QStringLiteral("txRègle(0)"));
        Clique(QStringLiteral("btRèglApp"));
        EXPECT_TRUE(f().caJeu->Visible());
        EXPECT_FALSE(f().caBiblio->Visible());
        EXPECT_EQ(Cochées("ccSurvie"), QString::fromUtf8(c.survie));
        EXPECT_EQ(Cochées("ccCréa"), QString::fromUtf8(c.créa));
        EXPECT_EQ(f().SurvieCour, QString::fromUtf8(c.survie));
        EXPECT_EQ(f().CréaCour, QString::fromUtf8(c.créa));
        TearDown();
    }
}

TEST_F(Panneau, ClearingTheSelectedNameStillAppliesThatRowsDigits) {
    Demarre();
    Ouvre();
    Clique(QStringLiteral("txRègle(2)"));  // Day & Night
    Remplace("txRègle", 2, QString());
    EXPECT_TRUE(Actif(QStringLiteral("btRèglApp")));
    Remplace("txRègleS", 2, QStringLiteral("05"));
    Clique(QStringLiteral("btRèglApp"));
    EXPECT_EQ(f().SurvieCour, QStringLiteral("05"));
    EXPECT_EQ(f().CréaCour, QStringLiteral("3678"));
    // Closed and opened again without saving: the document's list comes back.
    Clique(QStringLiteral("btBiblio"));
    EXPECT_EQ(Rangée(2), QStringLiteral("Day & Night|34678|3678"));
}

TEST_F(Panneau, AnyEditEnablesSavingAndClosingKeepsTheRows) {
    Demarre();
    Ouvre();
    for (const char* boîte : {"txRègle", "txRègleS", "txRègleC"}) {
        SCOPED_TRACE(boîte);
        Clique(QStringLiteral("btRègleF"));
        Ouvre();
        ASSERT_FALSE(Actif(QStringLiteral("btRèglEnreg")));
        Tape(Boîte(boîte, 4), QStringLiteral("7"));
        EXPECT_TRUE(Actif(QStringLiteral("btRèglEnreg")));
        Clique(QStringLiteral("btRègleF"));
        EXPECT_TRUE(f().caJeu->Visible());
        EXPECT_TRUE(Rangée(4).contains(QLatin1Char('7'))) << "closing keeps what was typed";
    }
}

TEST_F(Panneau, DigitBoxesTakeOnlyZeroToEightTypedOrPasted) {
    Demarre();
    Ouvre();
    QLineEdit* s = Boîte("txRègleS", 0);
    Remplace("txRègleS", 0, QString());
    Tape(s, QStringLiteral("1a9 8-Zé|3"));
    QTest::keyClick(s, Qt::Key_Return);
    EXPECT_EQ(s->text(), QStringLiteral("183"));
    // Backspace, the arrows and Delete keep working.
    QTest::keyClick(s, Qt::Key_Backspace);
    EXPECT_EQ(s->text(), QStringLiteral("18"));
    QTest::keyClick(s, Qt::Key_Home);
    QTest::keyClick(s, Qt::Key_Delete);
    EXPECT_EQ(s->text(), QStringLiteral("8"));
    QTest::keyClick(s, Qt::Key_Left);
    Tape(s, QStringLiteral("0"));
    EXPECT_EQ(s->text(), QStringLiteral("08"));

    QLineEdit* c = Boîte("txRègleC", 0);
    Remplace("txRègleC", 0, QString());
    QApplication::clipboard()->setText(QStringLiteral("2x9|7\r\n3 ©"));
    QTest::keyClick(c, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(c->text(), QStringLiteral("273"));
    EXPECT_EQ(f().txRègleC(0)->Text(), QStringLiteral("273")) << "the program sees what is shown";
}

TEST_F(Panneau, NamesTakeNoCharacterThatWouldBreakARecord) {
    Demarre();
    Ouvre();
    QLineEdit* n = Boîte("txRègle", 0);
    Remplace("txRègle", 0, QStringLiteral("Life | classic"));
    EXPECT_EQ(n->text(), QStringLiteral("Life  classic"));
    Remplace("txRègle", 1, QString());
    QApplication::clipboard()->setText(QStringLiteral("Conway ©\r\n~®~Fantôme|1|2"));
    QTest::keyClick(Boîte("txRègle", 1), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Boîte("txRègle", 1)->text(), QStringLiteral("Conway ~®~Fantôme12"));
    Clique(QStringLiteral("btRèglEnreg"));
    ASSERT_FALSE(Actif(QStringLiteral("btRèglEnreg")));
    // Saved and read again: the same eleven rows, no record broken or added.
    const QStringList avant = Rangées();
    Clique(QStringLiteral("btRègleF"));
    Ouvre();
    EXPECT_EQ(Rangées(), avant);
    EXPECT_EQ(TexteDuDocument().count(QStringLiteral("\r\n~®~")), 10);
}

// Whatever brings text into a filtered box, it keeps out what a typed key could not put in.
TEST_F(Panneau, PastedDroppedAndInputMethodTextGoesThroughTheBoxesFilters) {
    Demarre();
    Ouvre();
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    struct Cas {
        const char* nom;
        QString entre, reste;
    };
    const Cas boîtes[] = {{"txRègle", QStringLiteral("A|b©") + emoji, QStringLiteral("Ab")},
                          {"txRègleS", QStringLiteral("9a5") + emoji + QStringLiteral("8"), QStringLiteral("58")},
                          {"txRègleC", QStringLiteral("1") + emoji + QStringLiteral("©9|"), QStringLiteral("1")}};
    using Voie = std::function<void(QLineEdit*, const QString&)>;
    const std::pair<const char*, Voie> voies[] = {
        {"an input method's commit",
         [](QLineEdit* b, const QString& t) {
             QInputMethodEvent e;
             e.setCommitString(t);
             QApplication::sendEvent(b, &e);
         }},
        {"a paste",
         [](QLineEdit* b, const QString& t) {
             QApplication::clipboard()->setText(t);
             QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
         }},
        {"a drop",
         [](QLineEdit* b, const QString& t) {
             QMimeData m;
             m.setText(t);
             const QPoint p = b->rect().center();
             QDragEnterEvent entre(p, Qt::CopyAction, &m, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(b, &entre);
             QDropEvent lâche(p, Qt::CopyAction, &m, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(b, &lâche);
         }},
        {"a key that makes several characters",
         [](QLineEdit* b, const QString& t) {
             QTest::sendKeyEvent(QTest::Click, b, Qt::Key_unknown, t, Qt::NoModifier);
         }},
    };
    for (const auto& [voie, entre] : voies)
        for (const Cas& x : boîtes) {
            SCOPED_TRACE(std::string(voie) + " into " + x.nom);
            Remplace(x.nom, 5, QString());
            QLineEdit* b = Boîte(x.nom, 5);
            b->setFocus();
            entre(b, x.entre);
            EXPECT_EQ(b->text(), x.reste);
            const auto* t = dynamic_cast<TextBox*>(f().ControlByName(b->objectName()));
            ASSERT_TRUE(t);
            EXPECT_EQ(t->Text(), x.reste) << "the program sees what is shown";
        }
}

// A button that cannot be used shows its caption dimmed, as the style does, though it
// has a colour of its own.
TEST_F(Panneau, TheListsDisabledButtonsLookDisabled) {
    Demarre();
    Ouvre();
    // The darkest pixel of a button as shown.
    auto encre = [this](const char* nom) {
        const QImage im = w(QString::fromUtf8(nom))->grab().toImage();
        int sombre = 255;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x) sombre = std::min(sombre, qGray(im.pixel(x, y)));
        return sombre;
    };
    const int terne = qGray(QApplication::palette().color(QPalette::Disabled, QPalette::ButtonText).rgb());
    ASSERT_GT(terne, 100) << "the style dims a disabled caption";
    for (const char* nom : {"btRèglEnreg", "btRèglApp"}) {
        SCOPED_TRACE(nom);
        ASSERT_FALSE(Actif(QString::fromUtf8(nom)));
        EXPECT_GE(encre(nom), terne - 8) << "no darker than the style's dimmed text";
    }
    Tape(Boîte("txRègleS", 0), QStringLiteral("4"));
    Clique(QStringLiteral("txRègle(0)"));
    for (const char* nom : {"btRèglEnreg", "btRèglApp"}) {
        SCOPED_TRACE(nom);
        ASSERT_TRUE(Actif(QString::fromUtf8(nom)));
        EXPECT_LT(encre(nom), 60) << "black text once usable";
    }
}

// "Life without death" keeps every cell alive: its nine survival digits show whole in
// their box, the caret after them, at every display choice on the usual screens.
TEST_F(Panneau, NineDigitsShowWholeWithTheCaretAtEveryDisplayChoice) {
    const QString neuf = QStringLiteral("012345678");
    for (const QSize écran : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)})
        for (const char* code : {"#", "@", "<", "/", ">"}) {
            SCOPED_TRACE(std::to_string(écran.width()) + "x" + std::to_string(écran.height()) + " " + code);
            Screen::setSizeOverride(écran.width() * 15, écran.height() * 15);
            QByteArray aide = AideAvec({R("Life without death", "012345678", "3")});
            aide.replace("Ecran=/\\par", "Ecran=" + QByteArray(code) + "\\par");
            DemarreAvec(aide);
            Ouvre();
            QLineEdit* b = Boîte("txRègleS", 0);
            ASSERT_EQ(b->text(), neuf);
            b->setFocus();
            // Where the caret stands at the end and at the start: as far apart as the
            // digits are wide when none has scrolled out of the box.
            auto caret = [b] {
                b->grab();
                return b->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
            };
            b->end(false);
            const int fin = caret();
            b->home(false);
            const int début = caret();
            EXPECT_NEAR(fin - début, QFontMetricsF(b->font()).horizontalAdvance(neuf), 1);
            TearDown();
        }
}

}  // namespace
