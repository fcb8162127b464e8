// Forms: loading builds the controls in their design state, unloading
// destroys them while the form's own variables live on, closing goes through
// the unload handler, and a modal showing waits until the window goes.
#include "App.h"
#include "Controls.h"
#include "Form.h"
#include "TestSupport.h"

#include <QApplication>
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

}  // namespace
