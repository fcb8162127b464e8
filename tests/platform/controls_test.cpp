// The controls behave as the windows rely on: a value set by code runs the
// handler at once and only on a change, option buttons group by container,
// geometry is kept in twips, and widgets carry the controls' names.
#include "App.h"
#include "Controls.h"
#include "Form.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QEventLoop>

#include <gtest/gtest.h>

namespace {

class Fenetre : public Form {
public:
    Fenetre() : Form(QStringLiteral("Fenetre")) {
        m_designWidth = 6000;
        m_designHeight = 4500;
    }
    CheckBox* cc = nullptr;
    CommandButton* bt = nullptr;
    Frame* caA = nullptr;
    Frame* caB = nullptr;
    ControlArray<OptionButton> coA, coB;
    HScrollBar* bh = nullptr;
    Label* ét = nullptr;
    Timer* mi = nullptr;
    Line* ln = nullptr;
    int clicsCc = 0, clicsBt = 0, changements = 0;
    std::vector<int> clicsCoA, clicsCoB;

protected:
    void CreateControls() override {
        coA.clear();
        coB.clear();
        cc = Ajoute<CheckBox>(nullptr, QStringLiteral("ccCréa"), 3);
        cc->Move(120, 120, 1200, 300);
        cc->Click = [this] { ++clicsCc; };
        bt = Ajoute<CommandButton>(nullptr, QStringLiteral("btVa"));
        bt->Move(1500, 120, 1500, 450);
        bt->setCaption(QStringLiteral("Génération suivante"));
        bt->Click = [this] { ++clicsBt; };
        caA = Ajoute<Frame>(nullptr, QStringLiteral("caA"));
        caA->Move(120, 700, 2400, 1200);
        caB = Ajoute<Frame>(nullptr, QStringLiteral("caB"));
        caB->Move(2700, 700, 2400, 1200);
        for (int i = 0; i < 2; ++i) {
            auto* a = Ajoute<OptionButton>(caA, QStringLiteral("coA"), i);
            a->Move(120, 240 + 400 * i, 1800, 300);
            a->Click = [this, i] { clicsCoA.push_back(i); };
            coA.set(i, a);
            auto* b = Ajoute<OptionButton>(caB, QStringLiteral("coB"), i);
            b->Move(120, 240 + 400 * i, 1800, 300);
            b->Click = [this, i] { clicsCoB.push_back(i); };
            coB.set(i, b);
        }
        bh = Ajoute<HScrollBar>(nullptr, QStringLiteral("bhAuto"));
        bh->Move(120, 2100, 3000, 255);
        bh->setRange(0, 4);
        bh->Change = [this] { ++changements; };
        ét = Ajoute<Label>(nullptr, QStringLiteral("étGénér"));
        ét->Move(120, 2500, 3000, 600);
        mi = Ajoute<Timer>(nullptr, QStringLiteral("miAuto"));
        ln = Ajoute<Line>(nullptr, QStringLiteral("lnH"));
        ln->setEnds(0, 3300, 3000, 3300);
    }
};

struct Controles : ::testing::Test {
    Fenetre f;
    void SetUp() override { f.Load(); }
};

TEST_F(Controles, ValueSetByCodeRunsTheHandlerOnceAndOnlyOnAChange) {
    f.cc->setValue(1);
    EXPECT_EQ(f.clicsCc, 1);
    f.cc->setValue(1);
    EXPECT_EQ(f.clicsCc, 1) << "setting the value it already has runs nothing";
    f.cc->setValue(0);
    EXPECT_EQ(f.clicsCc, 2);
    EXPECT_FALSE(static_cast<QCheckBox*>(f.cc->widget())->isChecked());
}

TEST_F(Controles, AUserClickOnACheckBoxRunsTheHandlerOnce) {
    f.Show();
    ClickWidget(f.cc->widget());
    EXPECT_EQ(f.cc->Value(), 1);
    EXPECT_EQ(f.clicsCc, 1);
}

TEST_F(Controles, PressingAButtonByCodeRunsItsClickEvenWhenDisabled) {
    f.bt->setEnabled(false);
    f.bt->setValue(true);
    EXPECT_EQ(f.clicsBt, 1);
    f.bt->setEnabled(true);
    f.Show();
    ClickWidget(f.bt->widget());
    EXPECT_EQ(f.clicsBt, 2);
}

// Lets the event loop run and wait for a moment, as it does while the user holds a button.
void Attend() {
    QEventLoop boucle;
    QTimer::singleShot(20, &boucle, &QEventLoop::quit);
    boucle.exec();
}

// A button clicks when the left button goes down and up over it; it shows
// pressed while held over it (once the press has been seen), and the pointer
// taken away, or the focus given elsewhere, before the release cancels the click.
TEST_F(Controles, AButtonClicksOnlyWhenTheLeftButtonIsReleasedOverIt) {
    f.Show();
    auto* b = static_cast<QPushButton*>(f.bt->widget());
    const QPoint dedans = b->rect().center(), dehors(b->width() + 40, b->height() / 2);
    struct Geste {
        const char* quoi;
        Qt::MouseButton bouton;
        QPoint relache;
        bool focusAilleurs;
        int clics;
    };
    const Geste gestes[] = {
        {"left, released over the button", Qt::LeftButton, dedans, false, 1},
        {"left, released away from it", Qt::LeftButton, dehors, false, 0},
        {"right", Qt::RightButton, dedans, false, 0},
        {"left, the focus given elsewhere while held", Qt::LeftButton, dedans, true, 0},
    };
    for (const Geste& g : gestes) {
        f.clicsBt = 0;
        QTest::mousePress(b, g.bouton, {}, dedans);
        Attend();  // the user holds the button: the event loop waits
        EXPECT_EQ(b->isDown(), g.bouton == Qt::LeftButton) << g.quoi;
        QMouseEvent bouge(QEvent::MouseMove, g.relache, b->mapToGlobal(g.relache), Qt::NoButton, g.bouton, {});
        QApplication::sendEvent(b, &bouge);
        EXPECT_EQ(b->isDown(), g.bouton == Qt::LeftButton && g.relache == dedans) << g.quoi;
        if (g.focusAilleurs) {
            f.cc->widget()->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            EXPECT_FALSE(b->isDown()) << g.quoi;
        }
        QTest::mouseRelease(b, g.bouton, {}, g.relache);
        EXPECT_FALSE(b->isDown()) << g.quoi;
        EXPECT_EQ(f.clicsBt, g.clics) << g.quoi;
    }
}

TEST_F(Controles, OptionButtonsAreGroupedByTheirContainer) {
    f.coA(0)->setValue(true);
    f.coB(1)->setValue(true);
    f.coA(1)->setValue(true);
    EXPECT_FALSE(f.coA(0)->Value());
    EXPECT_TRUE(f.coA(1)->Value());
    EXPECT_TRUE(f.coB(1)->Value()) << "the other frame's group is left alone";
    EXPECT_EQ(f.clicsCoA, (std::vector<int>{0, 1}));
    f.coA(1)->setValue(true);
    EXPECT_EQ(f.clicsCoA.size(), 2u) << "selecting the selected option runs nothing";
}

TEST_F(Controles, ClickingTheSelectedOptionKeepsItSelected) {
    f.Show();
    ClickWidget(f.coA(0)->widget());
    ClickWidget(f.coA(0)->widget());
    EXPECT_TRUE(f.coA(0)->Value());
    EXPECT_TRUE(static_cast<QRadioButton*>(f.coA(0)->widget())->isChecked());
    EXPECT_EQ(f.clicsCoA.size(), 1u);
    ClickWidget(f.coA(1)->widget());
    EXPECT_FALSE(static_cast<QRadioButton*>(f.coA(0)->widget())->isChecked());
}

TEST_F(Controles, ScrollBarChangesRunTheHandlerOnceWhetherByCodeOrByTheUser) {
    f.bh->setValue(4);
    EXPECT_EQ(f.changements, 1);
    EXPECT_EQ(f.bh->Value(), 4);
    f.bh->setValue(9);
    EXPECT_EQ(f.bh->Value(), 4) << "kept inside its range";
    EXPECT_EQ(f.changements, 1);
    static_cast<QScrollBar*>(f.bh->widget())->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(f.bh->Value(), 3);
    EXPECT_EQ(f.changements, 2);
}

TEST_F(Controles, GeometryIsKeptInTwipsAndPlacedInPixels) {
    const double tpp = Screen::TwipsPerPixelX();
    f.bt->Move(1500, 120, 1500, 450);
    EXPECT_EQ(f.bt->Width(), 1500);
    EXPECT_EQ(f.bt->widget()->width(), VbRound(1500 / tpp));
    EXPECT_EQ(f.bt->widget()->x(), VbRound(1500 / tpp));
    f.bt->setWidth(f.bt->Width() * 1.5);
    EXPECT_EQ(f.bt->Width(), 2250) << "what the program reads back is what it set";
}

TEST_F(Controles, WidgetsCarryTheControlNamesWithTheirIndex) {
    EXPECT_EQ(f.cc->widget()->objectName(), QStringLiteral("ccCréa(3)"));
    EXPECT_EQ(f.bt->widget()->objectName(), QStringLiteral("btVa"));
    EXPECT_EQ(f.widget()->objectName(), QStringLiteral("Fenetre"));
    EXPECT_EQ(f.ControlByName(QStringLiteral("coB(1)")), f.coB(1));
}

TEST_F(Controles, ALabelShowsABareCarriageReturnAsALineBreakAndKeepsItsCaption) {
    const QString c = QStringLiteral("Génération  2\r57 vivants");
    f.ét->setCaption(c);
    EXPECT_EQ(f.ét->Caption(), c);
    EXPECT_EQ(static_cast<QLabel*>(f.ét->widget())->text(), QStringLiteral("Génération  2\n57 vivants"));
    // A caption read from a file that looks like markup shows as written: its ink
    // reaches much further than that of the word alone.
    auto* l = static_cast<QLabel*>(f.ét->widget());
    auto encre = [&](const QString& légende) {
        f.ét->setCaption(légende);
        const QImage im = l->grab().toImage();
        int droite = -1;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                if (im.pixel(x, y) != im.pixel(0, 0)) droite = std::max(droite, x);
        return droite;
    };
    const int mot = encre(QStringLiteral("Mort"));
    ASSERT_GT(mot, 0);
    EXPECT_GT(encre(QStringLiteral("<i>Mort</i>")), mot * 2);
}

TEST_F(Controles, AButtonCaptionTooWideForItsButtonShowsOnSeveralLinesBrokenAtItsSpaces) {
    const QString c = QStringLiteral("    Appliquer et enregistrer       les modifications");
    f.bt->setFont(QStringLiteral("Comic Sans MS"), 10.8);
    f.bt->Move(1500, 120, 1500, 1500);  // high enough for its lines
    f.bt->setCaption(c);
    auto* w = static_cast<QPushButton*>(f.bt->widget());
    EXPECT_EQ(f.bt->Caption(), c) << "the caption is kept as set";
    // Measured when the window shows, then at each change of size.
    f.Show();
    const QStringList lignes = w->text().split(QLatin1Char('\n'));
    ASSERT_GT(lignes.size(), 1) << w->text().toStdString();
    EXPECT_EQ(lignes.join(QLatin1Char(' ')).simplified(), c.simplified()) << "broken at spaces only";
    const QFontMetrics fm(w->font());
    for (const QString& l : lignes) EXPECT_LE(fm.horizontalAdvance(l), w->width()) << l.toStdString();
    f.bt->setWidth(6000);
    EXPECT_EQ(w->text(), c) << "a button wide enough shows it on one line";
    f.bt->Move(1500, 120, 1500, 300);
    EXPECT_FALSE(w->text().contains(QLatin1Char('\n'))) << "a button one line high keeps one line";
}

TEST_F(Controles, PropertiesAreFoundByNameWithoutRegardToCase) {
    EXPECT_TRUE(f.bt->HasProperty(QStringLiteral("left")));
    EXPECT_TRUE(f.bt->HasProperty(QStringLiteral("FONT")));
    EXPECT_FALSE(f.ln->HasProperty(QStringLiteral("left"))) << "a line has ends, not a place";
    EXPECT_TRUE(f.ln->HasProperty(QStringLiteral("x1")));
    EXPECT_FALSE(f.mi->HasProperty(QStringLiteral("Font")));
    EXPECT_FALSE(f.bt->HasProperty(QStringLiteral("Rien")));
}

TEST_F(Controles, ATimerTicksAtItsIntervalOnlyWhileEnabledWithANonZeroInterval) {
    int ticks = 0;
    f.mi->Timer_ = [&] { ++ticks; };
    f.mi->setInterval(0);
    f.mi->setEnabled(true);
    QTest::qWait(60);
    EXPECT_EQ(ticks, 0) << "an interval of 0 does not tick";
    f.mi->setInterval(10);
    QTest::qWait(100);
    EXPECT_GT(ticks, 0);
    f.mi->setEnabled(false);
    const int before = ticks;
    QTest::qWait(60);
    EXPECT_EQ(ticks, before);
}

TEST_F(Controles, ATimerDisabledThroughItsBaseClassStopsTicking) {
    int ticks = 0;
    f.mi->Timer_ = [&] { ++ticks; };
    f.mi->setInterval(5);
    f.mi->setEnabled(true);
    ASSERT_TRUE(WaitUntil(f, [&] { return ticks > 0; }));
    Control* c = f.mi;
    c->setEnabled(false);
    EXPECT_FALSE(f.mi->Enabled());
    const int before = ticks;
    bool passe = false;
    QTimer::singleShot(60, [&] { passe = true; });  // a dozen intervals
    ASSERT_TRUE(WaitUntil(f, [&] { return passe; }));
    EXPECT_EQ(ticks, before);
    c->setEnabled(true);
    EXPECT_TRUE(WaitUntil(f, [&] { return ticks > before; }));
}

TEST_F(Controles, AssistiveToolsReadTheCaptionsAndPicturesTheirToolTip) {
    f.caA->setCaption(QStringLiteral("Règle"));
    EXPECT_EQ(f.caA->widget()->accessibleName(), QStringLiteral("Règle"));
    f.caA->setCaption(QStringLiteral("Règle B3/S23"));
    EXPECT_EQ(f.caA->widget()->accessibleName(), QStringLiteral("Règle B3/S23")) << "kept in step";
    f.ét->setCaption(QStringLiteral("Génération  2\r57 vivants"));
    EXPECT_EQ(f.ét->widget()->accessibleName(), QStringLiteral("Génération  2\n57 vivants"));
    f.bt->setCaption(QStringLiteral("&Va"));
    EXPECT_EQ(f.bt->widget()->accessibleName(), QStringLiteral("Va")) << "the shortcut mark is not read";
    f.coA(0)->setCaption(QStringLiteral("Cosmos"));
    EXPECT_EQ(f.coA(0)->widget()->accessibleName(), QStringLiteral("Cosmos"));
    auto* image = f.Ajoute<PictureBox>(nullptr, QStringLiteral("imAvance"));
    image->setToolTipText(QStringLiteral("Avancer d'une génération"));
    EXPECT_EQ(image->widget()->accessibleName(), QStringLiteral("Avancer d'une génération"));
    auto* grille = f.Ajoute<Image>(nullptr, QStringLiteral("imFond"));
    grille->setAccessibleName(QStringLiteral("Fond"));
    grille->setToolTipText(QStringLiteral("bulle"));
    EXPECT_EQ(grille->widget()->accessibleName(), QStringLiteral("Fond")) << "a name set outranks the tool tip";
}

TEST(Polices, TheWindowsFontsAreDrawnWithTheirFreeKin) {
    struct Cas {
        const char* windows;
        const char* libre;
    };
    const Cas cas[] = {{"Arial", "Liberation Sans"},
                       {"MS Sans Serif", "Liberation Sans"},
                       {"Arial Narrow", "Liberation Sans Narrow"},
                       {"Times New Roman", "Liberation Serif"},
                       {"Courier New", "Liberation Mono"},
                       {"Lucida Console", "Liberation Mono"},
                       {"Fixedsys", "Liberation Mono"},
                       {"Comic Sans MS", "DejaVu Sans"},
                       {"Symbol", "DejaVu Sans"}};
    Fenetre f;
    f.Load();
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.windows);
        f.ét->setFont(QString::fromLatin1(c.windows), 10, false);
        EXPECT_EQ(QFontInfo(f.ét->widget()->font()).family(), QString::fromLatin1(c.libre));
        EXPECT_EQ(f.ét->FontName(), QString::fromLatin1(c.windows)) << "the program reads back its own name";
    }
    EXPECT_TRUE(QFontInfo(QFont(QStringLiteral("Lucida Console"))).fixedPitch()) << "text set by font name";
}

// A window with text boxes that take digits only, one line and several, and other
// controls in the focus chain.
class Saisie : public Form {
public:
    Saisie() : Form(QStringLiteral("Saisie")) {
        m_designWidth = 6000;
        m_designHeight = 3000;
    }
    TextBox* tx = nullptr;
    TextBox* txM = nullptr;
    CommandButton* bt = nullptr;
    CheckBox* cc = nullptr;
    OptionButton* co = nullptr;
    QList<int> touches;
    int changements = 0, clics = 0;

protected:
    void CreateControls() override {
        touches.clear();
        tx = Ajoute<TextBox>(nullptr, QStringLiteral("txRègleS"), 1);
        tx->Move(120, 120, 1500, 315);
        txM = Ajoute<TextBox>(nullptr, QStringLiteral("txNotes"), -1, true);
        txM->Move(120, 600, 3000, 900);
        for (TextBox* t : {tx, txM}) {
            t->KeyPress = [this](int& k) {
                touches.push_back(k);
                if ((k < '0' || k > '8') && k != 8) k = 0;
            };
            t->Change = [this] { ++changements; };
            t->Click = [this] { ++clics; };
        }
        bt = Ajoute<CommandButton>(nullptr, QStringLiteral("btVa"));
        bt->Move(3500, 120, 1200, 360);
        cc = Ajoute<CheckBox>(nullptr, QStringLiteral("ccCréa"), 1);
        cc->Move(3500, 600, 1200, 300);
        co = Ajoute<OptionButton>(nullptr, QStringLiteral("coUnivers"), 0);
        co->Move(3500, 1000, 1200, 300);
    }
};

struct Saisies : ::testing::Test {
    Saisie f;
    void SetUp() override {
        f.Show();
        f.widget()->activateWindow();
    }
    QString Montre(TextBox* t) const {
        if (auto* l = qobject_cast<QLineEdit*>(t->widget())) return l->text();
        return static_cast<QPlainTextEdit*>(t->widget())->toPlainText();
    }
    QWidget* Focus(TextBox* t) const {
        QWidget* w = t->widget();
        w->setFocus();
        return w;
    }
};

TEST_F(Saisies, TheKeyFilterDropsWhatItRefusesAndKeepsDigitsAndBackspace) {
    for (TextBox* t : {f.tx, f.txM}) {
        SCOPED_TRACE(t->Name().toStdString());
        f.touches.clear();
        f.changements = 0;
        QWidget* w = Focus(t);
        QTest::keyClicks(w, QStringLiteral("5a59"));
        EXPECT_EQ(t->Text(), QStringLiteral("55"));
        EXPECT_EQ(Montre(t), QStringLiteral("55"));
        QTest::keyClick(w, Qt::Key_Backspace);
        EXPECT_EQ(t->Text(), QStringLiteral("5"));
        EXPECT_EQ(f.touches, (QList<int>{'5', 'a', '5', '9', 8}));
        EXPECT_EQ(f.changements, 3) << "one change per character that went in";
    }
}

TEST_F(Saisies, ArrowsDeleteHomeAndEndKeepWorkingAndDoNotReachTheFilter) {
    for (TextBox* t : {f.tx, f.txM}) {
        SCOPED_TRACE(t->Name().toStdString());
        t->setText(QStringLiteral("1a23"));
        EXPECT_EQ(t->Text(), QStringLiteral("1a23")) << "text set by code is not filtered";
        f.touches.clear();
        QWidget* w = Focus(t);
        QTest::keyClick(w, Qt::Key_Home);
        QTest::keyClick(w, Qt::Key_Right);
        QTest::keyClick(w, Qt::Key_Delete);
        EXPECT_EQ(t->Text(), QStringLiteral("123"));
        QTest::keyClick(w, Qt::Key_End);
        QTest::keyClick(w, Qt::Key_Left);
        QTest::keyClick(w, Qt::Key_Backspace);
        EXPECT_EQ(t->Text(), QStringLiteral("13"));
        QTest::keyClick(w, Qt::Key_4);
        EXPECT_EQ(t->Text(), QStringLiteral("143"));
        EXPECT_EQ(f.touches, (QList<int>{8, '4'}));
    }
}

TEST_F(Saisies, PastedTextGoesThroughTheSameFilter) {
    for (TextBox* t : {f.tx, f.txM}) {
        SCOPED_TRACE(t->Name().toStdString());
        t->setText(QString());
        f.changements = 0;
        QWidget* w = Focus(t);
        QGuiApplication::clipboard()->setText(QStringLiteral("a5b6"));
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), QStringLiteral("56"));
        EXPECT_EQ(Montre(t), QStringLiteral("56"));
        EXPECT_EQ(f.changements, 1);
        QGuiApplication::clipboard()->setText(QStringLiteral("xyz"));
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), QStringLiteral("56"));
        EXPECT_EQ(f.changements, 1) << "nothing went in, nothing changed";
        // A backspace the filter keeps for the key goes into no text.
        QGuiApplication::clipboard()->setText(QStringLiteral("\b7"));
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), QStringLiteral("567"));
    }
}

TEST_F(Saisies, ThePasteOfTheContextMenuGoesThroughTheFilterToo) {
    for (TextBox* t : {f.tx, f.txM}) {
        SCOPED_TRACE(t->Name().toStdString());
        t->setText(QString());
        QWidget* w = Focus(t);
        QGuiApplication::clipboard()->setText(QStringLiteral("7z7"));
        QWidget* cible = qobject_cast<QPlainTextEdit*>(w) ? static_cast<QPlainTextEdit*>(w)->viewport() : w;
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), cible->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(cible, &menu);
        QMenu* m = nullptr;
        ASSERT_TRUE(WaitUntil(f, [&] { return (m = qobject_cast<QMenu*>(QApplication::activePopupWidget())); }));
        QAction* coller = nullptr;
        for (QAction* a : m->actions())
            if (a->text().startsWith(QStringLiteral("&Paste"))) coller = a;
        ASSERT_NE(coller, nullptr);
        coller->trigger();
        m->close();
        EXPECT_EQ(t->Text(), QStringLiteral("77"));
    }
}

TEST_F(Saisies, AClickOnATextBoxRunsItsClick) {
    QTest::mouseClick(f.tx->widget(), Qt::LeftButton);
    EXPECT_EQ(f.clics, 1);
    QTest::mouseClick(static_cast<QPlainTextEdit*>(f.txM->widget())->viewport(), Qt::LeftButton);
    EXPECT_EQ(f.clics, 2);
}

TEST_F(Saisies, TabFollowsTheTabIndexAndNeverReachesTheFilter) {
    // Creation order is tx, txM, bt, cc, co; the tab order set here is tx, cc, bt, co, txM.
    f.tx->setTabIndex(0);
    f.cc->setTabIndex(1);
    f.bt->setTabIndex(2);
    f.co->setTabIndex(3);
    f.txM->setTabIndex(4);
    f.tx->setText(QStringLiteral("1"));
    f.touches.clear();
    QWidget* w = Focus(f.tx);
    QTest::keyClick(w, Qt::Key_Tab);
    EXPECT_EQ(f.widget()->focusWidget(), f.cc->widget());
    QTest::keyClick(f.widget()->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f.widget()->focusWidget(), f.bt->widget());
    QTest::keyClick(f.widget()->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f.widget()->focusWidget(), f.co->widget());
    EXPECT_TRUE(f.touches.isEmpty());
    EXPECT_EQ(f.tx->Text(), QStringLiteral("1"));
}

TEST(Arrondi, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(VbRound(87.5), 88);
    EXPECT_EQ(VbRound(88.5), 88);
    EXPECT_EQ(VbRound(-2.5), -2);
    EXPECT_EQ(VbRound(2.6), 3);
}

TEST(Couleurs, ProgramColoursAreBlueGreenRed) {
    EXPECT_EQ(VbColor(0xC0E0FF), QColor(255, 224, 192));
    EXPECT_EQ(VbRGB(192, 64, 0), 0x40C0);
}

}  // namespace
