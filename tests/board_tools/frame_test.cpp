// The main window's title-bar pictures and its closing.
#include "Partie.h"

#include "App.h"
#include "OstraneG.h"

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <utility>

namespace {
class FenetreCadre : public Partie {
protected:
    bool Montre(const QString& nom) const {
        QWidget* x = w(nom);
        return x && x->isVisible();
    }
    int Fenetres(const QString& nom) const {
        int n = 0;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == nom) ++n;
        return n;
    }
};

// ---- pressed look

TEST_F(FenetreCadre, HeldPictureIsReplacedByItsTwinUntilReleased) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    for (const char* nom : {"imAide", "imIco", "imTaille", "imFerme"}) {
        const QString b = QString::fromUtf8(nom);
        EXPECT_TRUE(Montre(b)) << nom;
        EXPECT_FALSE(Montre(b + QLatin1Char('Z'))) << nom << ": twin shown at rest";
    }
    // Another picture holds the focus: the press still goes to the picture pressed.
    for (const auto& [tenue, focus] : {std::pair{"imAide", "imIco"}, std::pair{"imTaille", "imAide"}}) {
        SCOPED_TRACE(tenue);
        const QString b = QString::fromUtf8(tenue), autre = QString::fromUtf8(focus);
        Control* c = f().ControlByName(autre);
        ASSERT_TRUE(c);
        c->SetFocus();
        Presse(b);
        EXPECT_FALSE(Montre(b));
        EXPECT_TRUE(Montre(b + QLatin1Char('Z')));
        EXPECT_TRUE(Montre(autre));
        EXPECT_FALSE(Montre(autre + QLatin1Char('Z')));
        Relache(b);
        EXPECT_TRUE(Montre(b));
        EXPECT_FALSE(Montre(b + QLatin1Char('Z')));
    }
}

TEST_F(FenetreCadre, PictureHiddenByItsPressStillGetsTheReleaseFromTheWindowSystem) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    // Through the window, as the desktop delivers them: the widget under the pointer
    // changes when the picture hides, the release must still reach it.
    QWidget* b = w(QStringLiteral("imTaille"));
    QWindow* fenetre = b->window()->windowHandle();
    ASSERT_TRUE(fenetre);
    const QPoint ici = b->mapTo(b->window(), b->rect().center());
    QTest::mousePress(fenetre, Qt::LeftButton, Qt::NoModifier, ici);
    EXPECT_FALSE(Montre(QStringLiteral("imTaille")));
    EXPECT_TRUE(Montre(QStringLiteral("imTailleZ")));
    QTest::mouseRelease(fenetre, Qt::LeftButton, Qt::NoModifier, ici);
    EXPECT_TRUE(Montre(QStringLiteral("imTaille")));
    EXPECT_FALSE(Montre(QStringLiteral("imTailleZ")));
    EXPECT_TRUE(OptOuvert) << "the release runs the picture's action";
}

// ---- actions on release

TEST_F(FenetreCadre, HelpPictureShowsTheOneHelpWindow) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    ASSERT_FALSE(FenAide->Visible());
    Presse(QStringLiteral("imAide"));
    EXPECT_FALSE(FenAide->Visible()) << "the action waits for the release";
    Relache(QStringLiteral("imAide"));
    EXPECT_TRUE(FenAide->Visible());
    EXPECT_TRUE(FenPrinc->Visible());
    Clique(QStringLiteral("imAide"));
    EXPECT_TRUE(FenAide->Visible());
    EXPECT_EQ(Fenetres(QStringLiteral("OstraneA")), 1);
}

TEST_F(FenetreCadre, MinimisePictureMinimisesAndComesBackUp) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Clique(QStringLiteral("imIco"));
    EXPECT_EQ(FenPrinc->WindowState(), vbMinimized);
    EXPECT_TRUE(FenPrinc->Loaded());
    FenPrinc->setWindowState(vbNormal);
    EXPECT_TRUE(Montre(QStringLiteral("imIco")));
    EXPECT_FALSE(Montre(QStringLiteral("imIcoZ")));
}

TEST_F(FenetreCadre, OptionsPictureOpensOneOptionsWindowForTheMainWindow) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    ASSERT_FALSE(OptOuvert);
    Clique(QStringLiteral("imTaille"));
    EXPECT_TRUE(OptOuvert);
    EXPECT_EQ(FormeCible, FenPrinc);
    ASSERT_TRUE(FenOptions);
    EXPECT_TRUE(FenOptions->Visible());
    QWidget* g = TopLevel(QStringLiteral("OstraneG"));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->windowTitle(), QStringLiteral(" Paramètres d'affichage"));
    // Its client area keeps its design twips, centred on the screen.
    EXPECT_NEAR(g->width() * Screen::TwipsPerPixelX(), 5904, Screen::TwipsPerPixelX());
    EXPECT_NEAR(g->height() * Screen::TwipsPerPixelY(), 4056, Screen::TwipsPerPixelY());
    EXPECT_NEAR(FenOptions->Left() + FenOptions->Width() / 2, Screen::Width() / 2, 1);
    EXPECT_NEAR(FenOptions->Top() + FenOptions->Height() / 2, Screen::Height() / 2, 1);

    Form* premier = FenOptions;
    Clique(QStringLiteral("imTaille"));
    EXPECT_EQ(FenOptions, premier);
    EXPECT_TRUE(OptOuvert);
    EXPECT_TRUE(FenOptions->Visible());
    EXPECT_EQ(Fenetres(QStringLiteral("OstraneG")), 1);
}

// ---- closing the main window

TEST_F(FenetreCadre, CloseIsRefusedWhileTheOptionsWindowIsOpen) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Clique(QStringLiteral("imTaille"));
    Clique(QStringLiteral("imAide"));
    MsgBoxScript boites;
    boites.expect(vbOK);
    Clique(QStringLiteral("imFerme"));
    ASSERT_EQ(boites.shown().size(), 1u);
    EXPECT_EQ(boites.shown()[0].text, QStringLiteral("Il faut débord fermer la fenêtre des options d'affichage."));
    EXPECT_EQ(boites.shown()[0].style, 48);
    EXPECT_TRUE(FenPrinc->Loaded());
    EXPECT_TRUE(FenPrinc->Visible());
    EXPECT_TRUE(FenOptions->Visible());
    EXPECT_TRUE(FenAide->Visible());
    EXPECT_EQ(EndCount(), 0);
    EXPECT_TRUE(Montre(QStringLiteral("imFerme")));
    EXPECT_FALSE(Montre(QStringLiteral("imFermeZ")));

    // The desktop's close goes the same way.
    boites.expect(vbOK);
    TopLevel(QStringLiteral("Ostrane1"))->close();
    EXPECT_EQ(boites.shown().size(), 2u);
    EXPECT_TRUE(FenPrinc->Loaded());
    EXPECT_EQ(EndCount(), 0);
}

TEST_F(FenetreCadre, CloseUnloadsEveryWindowAndEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Clique(QStringLiteral("imAide"));
    ASSERT_TRUE(FenAide->Visible());
    Clique(QStringLiteral("imFerme"));
    EXPECT_FALSE(FenPrinc->Loaded());
    EXPECT_FALSE(FenAide->Loaded());
    EXPECT_TRUE(Form::Forms().empty());
    EXPECT_EQ(EndCount(), 1);
}

TEST_F(FenetreCadre, CloseWhileRebuildingUnloadsTheMainWindowOnly) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Clique(QStringLiteral("imTaille"));
    Clique(QStringLiteral("imAide"));
    EnReinit = true;
    EXPECT_TRUE(FenPrinc->Unload());
    EnReinit = false;
    EXPECT_FALSE(FenPrinc->Loaded());
    EXPECT_TRUE(FenAide->Visible());
    EXPECT_TRUE(FenOptions->Visible());
    EXPECT_EQ(EndCount(), 0);
}

// ---- FermeForme

TEST_F(FenetreCadre, FermeFormeEndsOnlyWhenNoLoadedWindowIsVisible) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Clique(QStringLiteral("imAide"));
    ASSERT_TRUE(FenAide->Visible());
    FermeForme(*FenAide);
    EXPECT_FALSE(FenAide->Loaded());
    EXPECT_EQ(EndCount(), 0) << "the main window is still shown";

    // A loaded but hidden window does not keep the program alive.
    Clique(QStringLiteral("imAide"));
    FenPrinc->Hide();
    ASSERT_TRUE(FenPrinc->Loaded());
    FermeForme(*FenAide);
    EXPECT_FALSE(FenAide->Loaded());
    EXPECT_EQ(EndCount(), 1);
}

TEST_F(FenetreCadre, FermeFormeNeverEndsWhileRebuilding) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EnReinit = true;
    FermeForme(*FenPrinc);
    EnReinit = false;
    EXPECT_FALSE(FenPrinc->Loaded());
    for (Form* fo : Form::Forms()) EXPECT_FALSE(fo->Visible()) << fo->Name().toStdString();
    EXPECT_EQ(EndCount(), 0);
}

// ---- resize

TEST_F(FenetreCadre, ResizeKeepsTheTitleButtonsTopRightAndTheSignatureBottomRight) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    f().setWidth(f().Width() - 1500);
    f().setHeight(f().Height() - 900);
    EXPECT_DOUBLE_EQ(f().caMarlett->Left(), f().Width() - f().caMarlett->Width() - 96);
    EXPECT_DOUBLE_EQ(f().caSigne->Left(), f().Width() - f().caSigne->Width() - 96);
    EXPECT_NEAR(f().Height() - f().caSigne->Top(), f().EcartBas, 0.001);
}

}  // namespace
