// Quitting after the display options have been open: however the options window
// went, the program can be closed, and it asks nothing on the way.
#include "Demarre.h"
#include "OstraneG.h"

#include <QTest>

namespace {

enum class Fermeture { BoutonDuBureau, BoutonFerme };

void PrintTo(Fermeture f, std::ostream* os) {
    *os << (f == Fermeture::BoutonDuBureau ? "desktop close button" : "title-bar close picture");
}

struct QuitteApresOptions : Programme, ::testing::WithParamInterface<Fermeture> {
    void Appuie(const QString& nom) {
        QWidget* x = Child(QStringLiteral("Ostrane1"), nom);
        ASSERT_NE(x, nullptr) << nom.toStdString();
        QTest::mousePress(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
        QTest::mouseRelease(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
    }
};

TEST_P(QuitteApresOptions, TheOptionsWindowClosedFromTheDesktopNoLongerHoldsTheMainWindow) {
    Prepare();
    Demarre();
    MsgBoxScript script;  // any box at all fails the test
    Appuie(QStringLiteral("imTaille"));
    ASSERT_TRUE(FenOptions);
    ASSERT_TRUE(FenOptions->Visible()) << "the options button opens the options window";
    ASSERT_TRUE(OptOuvert);
    // The desktop's close button of the options window.
    FenOptions->widget()->close();
    EXPECT_FALSE(FenOptions->Loaded());
    EXPECT_FALSE(OptOuvert);
    EXPECT_EQ(EndCount(), 0) << "the main window is still there";
    if (GetParam() == Fermeture::BoutonDuBureau)
        FenPrinc->widget()->close();
    else
        Appuie(QStringLiteral("imFerme"));
    EXPECT_EQ(EndCount(), 1) << "the program ends";
    EXPECT_FALSE(FenPrinc->Loaded());
    EXPECT_TRUE(script.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Fermetures, QuitteApresOptions,
                         ::testing::Values(Fermeture::BoutonDuBureau, Fermeture::BoutonFerme),
                         [](const ::testing::TestParamInfo<Fermeture>& i) {
                             return std::string(i.param == Fermeture::BoutonDuBureau ? "DesktopCloseButton"
                                                                                     : "TitleBarClosePicture");
                         });

}  // namespace
