// Forms: loading builds the controls in their design state, unloading
// destroys them while the form's own variables live on, closing goes through
// the unload handler, and a modal showing waits until the window goes.
#include "App.h"
#include "Controls.h"
#include "Form.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class Fenetre : public Form {
public:
    Fenetre() : Form(QStringLiteral("Essai")) { m_designCaption = QStringLiteral("Essai"); }
    CheckBox* cc = nullptr;
    Frame* ca = nullptr;
    Label* ét = nullptr;
    int chargements = 0, redimensions = 0;
    int refuse = 0;
    bool variable = false;

protected:
    void CreateControls() override {
        ca = Ajoute<Frame>(nullptr, QStringLiteral("ca"));
        ca->Move(0, 0, 3000, 2000);
        cc = Ajoute<CheckBox>(ca, QStringLiteral("cc"));
        ét = Ajoute<Label>(ca, QStringLiteral("ét"));
    }
    void Form_Load() override { ++chargements; }
    void Form_Unload(int& Cancel) override { Cancel = refuse; }
    void Form_Resize() override { ++redimensions; }
};

TEST(Formes, UnloadingGivesBackTheDesignStateButKeepsTheFormsVariables) {
    Fenetre f;
    f.Load();
    f.cc->setValue(1);
    f.ét->setCaption(QStringLiteral("texte"));
    f.variable = true;
    ASSERT_TRUE(f.Unload());
    EXPECT_FALSE(f.Loaded());
    f.Load();
    EXPECT_EQ(f.cc->Value(), 0);
    EXPECT_TRUE(f.ét->Caption().isEmpty());
    EXPECT_TRUE(f.variable);
    EXPECT_EQ(f.chargements, 2);
}

TEST(Formes, ReadingAPropertyOfAnUnloadedFormLoadsItWithoutShowingIt) {
    Fenetre f;
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.StartUpPosition(), 3);
    EXPECT_TRUE(f.Loaded());
    EXPECT_FALSE(f.Visible());
}

TEST(Formes, ControlsComeInCreationOrderThoseInFramesIncluded) {
    Fenetre f;
    const auto cs = f.Controls();
    ASSERT_EQ(cs.size(), 3u);
    EXPECT_EQ(cs[0]->Name(), QStringLiteral("ca"));
    EXPECT_EQ(cs[1]->Name(), QStringLiteral("cc"));
    EXPECT_EQ(cs[1]->Container(), f.ca);
}

TEST(Formes, ClosingFromTheDesktopGoesThroughTheUnloadHandlerWhichMayRefuse) {
    Fenetre f;
    f.Show();
    f.refuse = 1;
    f.widget()->close();
    EXPECT_TRUE(f.Loaded());
    EXPECT_TRUE(f.Visible());
    f.refuse = 0;
    f.widget()->close();
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(TopLevel(QStringLiteral("Essai")), nullptr) << "no window of that name is left to find";
}

TEST(Formes, SizeChangesRunTheResizeHandlerAndAreReadBackInTwips) {
    Fenetre f;
    f.Load();
    const int avant = f.redimensions;
    f.setWidth(7200);
    EXPECT_EQ(f.Width(), 7200);
    EXPECT_EQ(f.redimensions, avant + 1);
    f.setWidth(7200);
    EXPECT_EQ(f.redimensions, avant + 1) << "the same size is no change";
    f.setHeight(3000);
    EXPECT_EQ(f.Height(), 3000);
}

TEST(Formes, AModalShowingReturnsWhenTheWindowIsUnloaded) {
    Fenetre f;
    bool vu = false;
    QTimer::singleShot(50, [&] {
        vu = f.Visible();
        f.Unload();
    });
    f.Show(1);
    EXPECT_TRUE(vu);
    EXPECT_FALSE(f.Loaded());
}

TEST(Formes, LoadedFormsAreListedUntilUnloaded) {
    Fenetre a, b;
    a.Load();
    b.Load();
    auto fs = Form::Forms();
    EXPECT_NE(std::find(fs.begin(), fs.end(), &a), fs.end());
    EXPECT_NE(std::find(fs.begin(), fs.end(), &b), fs.end());
    a.Unload();
    fs = Form::Forms();
    EXPECT_EQ(std::find(fs.begin(), fs.end(), &a), fs.end());
}

TEST(BoitesDeMessage, AreAnsweredByScriptAndRecorded) {
    MsgBoxScript script;
    script.expect(vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Faut-il ?"), 35), vbNo);
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("Faut-il ?"));
    EXPECT_EQ(script.shown()[0].style, 35);
}

TEST(Fin, EndUnderTheTestHookIsCountedAndLeavesModalLoops) {
    ResetEndCount();
    Fenetre f;
    QTimer::singleShot(30, [] { End(); });
    f.Show(1);
    EXPECT_EQ(EndCount(), 1);
    ResetEndCount();
}

// A window whose unload handler closes it again, as the program's closing road does.
class SeFerme : public Form {
public:
    SeFerme() : Form(QStringLiteral("SeFerme")) { m_designCaption = QStringLiteral("SeFerme"); }
    int dechargements = 0;

protected:
    void CreateControls() override { Ajoute<CheckBox>(nullptr, QStringLiteral("cc")); }
    void Form_Unload(int&) override {
        ++dechargements;
        EXPECT_TRUE(Unloading());
        Unload();
    }
};

TEST(Formes, AnUnloadAskedForInsideItsOwnUnloadRunsTheHandlerOnceAndEndsUnloaded) {
    SeFerme f;
    f.Show();
    f.widget()->close();
    EXPECT_EQ(f.dechargements, 1);
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(f.Unloading());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TopLevel(QStringLiteral("SeFerme")), nullptr);
}

// A wait ends on its condition, or is cancelled by the unload of its window or by End.
TEST(Attente, EndsOnItsConditionOnTheOwnersUnloadOrOnEnd) {
    enum Fin { Condition, Fermeture, FinDuProgramme };
    struct Cas {
        Fin fin;
        bool attendu;
    };
    for (const Cas& cas : {Cas{Condition, true}, Cas{Fermeture, false}, Cas{FinDuProgramme, false}}) {
        SCOPED_TRACE(static_cast<int>(cas.fin));
        ResetEndCount();
        Fenetre f;
        f.Show();
        QWidget* coche = f.cc->widget();
        bool arrive = false;
        QTimer::singleShot(20, [&] {
            arrive = true;
            if (cas.fin == Condition)
                QTest::keyClick(coche, Qt::Key_Space);  // the user ticks the box
            else if (cas.fin == Fermeture)
                f.widget()->close();
            else
                End();
        });
        const bool r = WaitUntil(f, [&] { return f.Loaded() && f.cc->Value() == 1; });
        EXPECT_TRUE(arrive) << "the wait went on until something happened";
        EXPECT_EQ(r, cas.attendu);
        EXPECT_EQ(f.Loaded(), cas.fin != Fermeture);
        EXPECT_EQ(EndCount(), cas.fin == FinDuProgramme ? 1 : 0);
        ResetEndCount();
    }
}

TEST(Attente, OnAWindowNotLoadedReturnsAtOnceUnlessTheConditionHolds) {
    Fenetre f;
    int appels = 0;
    EXPECT_FALSE(WaitUntil(f, [&] { return ++appels > 5; }));
    EXPECT_TRUE(WaitUntil(f, [] { return true; }));
}

bool DessusDeTout(QWidget* w) {
    return w && (w->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(AuDessus, AWindowStaysAboveOthersUntilItIsUnloadedWithoutMovingWhenAlreadyShown) {
    Fenetre a, b;
    a.Show();
    b.Show();
    a.Move(600, 900, 5000, 4000);
    const QRect ou = a.widget()->geometry();
    a.setTopmost(true);
    EXPECT_TRUE(a.Topmost());
    EXPECT_TRUE(DessusDeTout(a.widget()));
    EXPECT_TRUE(a.Visible()) << "shown again after the change";
    EXPECT_EQ(a.widget()->geometry(), ou);
    EXPECT_FALSE(DessusDeTout(b.widget()));
    a.setTopmost(false);
    EXPECT_FALSE(DessusDeTout(a.widget()));
    a.setTopmost(true);
    ASSERT_TRUE(a.Unload());
    b.Unload();
    b.Load();
    a.Load();
    EXPECT_FALSE(a.Topmost()) << "each load starts without it";
    EXPECT_FALSE(DessusDeTout(a.widget()));
    EXPECT_FALSE(DessusDeTout(b.widget()));
    // Set before showing, as a load handler does.
    a.setTopmost(true);
    a.Show();
    EXPECT_TRUE(DessusDeTout(a.widget()));
    EXPECT_TRUE(a.Visible());
}

// The real message box, answered by pressing its button; reports whether it stayed above
// all windows.
bool BoiteAuDessus() {
    setMsgBoxHook(nullptr);
    bool vue = false, dessus = false;
    QTimer attend;
    QObject::connect(&attend, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        attend.stop();
        vue = true;
        dessus = DessusDeTout(box);
        for (QPushButton* p : box->findChildren<QPushButton*>())
            if (p->text() == QStringLiteral("Non")) p->click();
    });
    attend.start(5);
    const int r = MsgBox(QStringLiteral("Faut-il ?"), 36);
    InstallTestHooks();
    EXPECT_TRUE(vue);
    EXPECT_EQ(r, vbNo);
    return dessus;
}

// A message that quotes a file name or a text that looks like markup shows it as written.
TEST(Messages, AMessageShowsItsTextAsWritten) {
    setMsgBoxHook(nullptr);
    const QString texte = QStringLiteral("<i>Mort</i>.vie est endommagé.");
    int largeur = -1, place = 0;
    QTimer attend;
    QObject::connect(&attend, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        attend.stop();
        if (auto* l = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            largeur = l->sizeHint().width();
            place = QFontMetrics(l->font()).horizontalAdvance(texte);
        }
        for (QPushButton* p : box->findChildren<QPushButton*>()) p->click();
    });
    attend.start(5);
    MsgBox(texte, 0);
    InstallTestHooks();
    EXPECT_GE(largeur, place);
}

TEST(AuDessus, AQuestionAskedWhileATopmostWindowIsShownIsAboveItToo) {
    Fenetre f;
    f.Show();
    EXPECT_FALSE(BoiteAuDessus());
    f.setTopmost(true);
    EXPECT_TRUE(BoiteAuDessus());
    f.Hide();
    EXPECT_FALSE(BoiteAuDessus()) << "a hidden topmost window hides nothing";
}

}  // namespace
