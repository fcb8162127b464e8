// Start-up as the user meets it: from the shipped help file to the main
// window, and the failure window when the file is missing or damaged.
#include "Demarre.h"
#include "RichTextBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <thread>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define OSTRANE_SOUS_ASAN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OSTRANE_SOUS_ASAN
#endif
#endif

namespace {

struct Demarrage_ : Programme {};

TEST_F(Demarrage_, WithTheShippedFileTheSettingsAreReadAndTheMainWindowShows) {
    Prepare();
    Demarre();
    EXPECT_EQ(EndCount(), 0);
    EXPECT_EQ(FicAide, dossier->helpFile());
    EXPECT_EQ(LisCfg(QStringLiteral("RépFic")), QStringLiteral("#"));
    EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), QStringLiteral("/"));
    EXPECT_EQ(LisCfg(QStringLiteral("Zoom")), QStringLiteral("10"));
    EXPECT_FALSE(EnReinit);
    ASSERT_NE(TopLevel(QStringLiteral("Ostrane1")), nullptr);
    EXPECT_TRUE(TopLevel(QStringLiteral("Ostrane1"))->isVisible());
    EXPECT_FALSE(FenAide->Loaded()) << "the help window served as the document's holder and is closed";
}

TEST_F(Demarrage_, TheSettingsBlockIsCutOutOfTheHelpText) {
    Prepare();
    Demarre();
    const QString texte = FenAide->txAide()->Text();
    EXPECT_EQ(texte.indexOf(QStringLiteral("~~~~< Ne pas")), -1);
    EXPECT_EQ(texte.indexOf(QStringLiteral("RépFic=")), -1);
    EXPECT_NE(texte.indexOf(QStringLiteral("** - 1 - **")), -1) << "the help text itself is there";
    EXPECT_FALSE(Aide()->imEnreg->Visible()) << "the text counts as not changed";
}

TEST_F(Demarrage_, ScreenFactorsFollowTheScreenSize) {
    Prepare();
    Screen::setSizeOverride(2 * 14400, 1.5 * 10800);
    Demarre();
    EXPECT_FLOAT_EQ(RapportL, 2);
    EXPECT_FLOAT_EQ(RapportH, 1.5);
    EXPECT_FLOAT_EQ(FacteurEcran, 1.5);
}

struct Disposition : Programme, ::testing::WithParamInterface<const char*> {};

TEST_P(Disposition, TheMainWindowIsLaidOutForEachScreenCode) {
    const QString code = QString::fromUtf8(GetParam());
    Prepare();
    QByteArray aide = ShippedHelpFile();
    aide.replace("Ecran=/", "Ecran=" + code.toUtf8());
    dossier->writeHelpFile(aide);
    const double sw = 19200, sh = 15360;  // 1280 x 1024 pixels
    Screen::setSizeOverride(sw, sh);
    Demarre();
    Form& f = *FenPrinc;
    const double fl = sw / 14400, fh = sh / 10800, fe = std::min(fl, fh);
    double x = fe, y = fe;
    if (code == QLatin1String("#")) {
        x = fl;
        y = fh;
    }
    if (code == QLatin1String("@")) {
        x = y = 1;
    }
    EXPECT_NEAR(f.Width(), 14400 * x, 1);
    EXPECT_NEAR(f.Height(), 10800 * y, 1);
    EXPECT_EQ(f.Top(), 0);
    if (code == QLatin1String("<"))
        EXPECT_EQ(f.Left(), 0);
    else if (code == QLatin1String(">"))
        EXPECT_NEAR(f.Left() + f.Width(), sw, 1);
    else
        EXPECT_NEAR(f.Left(), (sw - f.Width()) / 2, 1);
    auto* p = static_cast<Ostrane1*>(&f);
    EXPECT_NEAR(p->grJeu->Width(), 10188 * x, 1) << "controls are scaled";
    EXPECT_NEAR(p->grJeu->Height(), 10188 * y, 1);
    EXPECT_EQ(p->caMarlett->Width(), 2088) << "the title-bar bar keeps its size";
    EXPECT_NEAR(p->caMarlett->Left(), f.Width() - 2088 - 60, 1) << "60 twips from the right edge after the fit";
    EXPECT_EQ(p->imFerme->Left(), 1620);
}

INSTANTIATE_TEST_SUITE_P(Codes, Disposition, ::testing::Values("#", "@", "<", "/", ">", "?"));

TEST_F(Demarrage_, OnAScreenOfTheDesignSizeCodeSlashOnlyPlacesTheWindow) {
    Prepare();
    Screen::setSizeOverride(14400, 10800);
    Demarre();
    auto* p = Principale();
    EXPECT_EQ(p->Width(), 14400);
    EXPECT_EQ(p->grJeu->Left(), 120);
    EXPECT_EQ(p->grJeu->Width(), 10188);
    EXPECT_EQ(p->caMarlett->Left(), 14400 - 2088 - 60);
}

TEST_F(Demarrage_, AMissingScreenCodeIsReportedAndLaidOutAsSlash) {
    Prepare();
    QByteArray aide = ShippedHelpFile();
    aide.replace("Ecran=/", "Ecrin=/");
    dossier->writeHelpFile(aide);
    Screen::setSizeOverride(19200, 15360);
    MsgBoxScript script;
    script.expect(vbOK);
    Demarre();
    ASSERT_GE(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("LisCfg >>> Ecran non trouvé"));
    EXPECT_NEAR(FenPrinc->Width(), 14400 * (19200.0 / 14400), 1);
}

// ---- the failure window

struct Echec : Programme {
    // Runs start-up; `pendant` looks at the failure window while it is up, then the
    // test's own click or closing ends it.
    void DemarreEtRegarde(const std::function<void()>& pendant) {
        bool vu = false;
        QTimer::singleShot(100, [&] {
            vu = true;
            pendant();
            if (EndCount() == 0) End();  // leave the modal window in any case
        });
        Demarre();
        EXPECT_TRUE(vu) << "the failure window was shown modally";
    }
};

TEST_F(Echec, WithoutTheHelpFileTheFailurePanelOfCodeOneShows) {
    Prepare(false);
    DemarreEtRegarde([&] {
        OstraneA* a = Aide();
        ASSERT_TRUE(a->Loaded());
        EXPECT_TRUE(a->Visible());
        EXPECT_EQ(FicAide, QStringLiteral("1"));
        EXPECT_EQ(a->Caption(), QStringLiteral("<!> -  Ostrane - <!>"));
        EXPECT_NEAR(a->ScaleWidth(), 7992, Screen::TwipsPerPixelX()) << "the client area is the panel's";
        EXPECT_NEAR(a->ScaleHeight(), 2076, Screen::TwipsPerPixelY());
        EXPECT_DOUBLE_EQ(a->Left(), (Screen::Width() - a->Width()) / 2);
        EXPECT_DOUBLE_EQ(a->Top(), (Screen::Height() - a->Height()) / 2);
        EXPECT_TRUE(a->caInit->Visible());
        EXPECT_TRUE(a->imProg(1)->Visible());
        EXPECT_FALSE(a->imProg(2)->Visible());
        EXPECT_FALSE(a->caAide->Visible()) << "the text view is hidden";
        EXPECT_FALSE(a->widget()->findChild<QWidget*>(QStringLiteral("txAide"))->isVisible());
        EXPECT_EQ(a->imProg(1)->Picture().size(), QSize(665, 174));
        EXPECT_EQ(FenPrinc->Loaded(), false) << "the main window is never shown";
    });
}

// The window's client area is the panel, whatever the frame the desktop puts around it:
// no empty band below the picture, on every screen.
TEST_F(Echec, TheFailureWindowsClientAreaIsThePanelOnEveryScreen) {
    for (const QSize ecran : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)}) {
        SCOPED_TRACE(ecran.width());
        Prepare(false);
        Screen::setSizeOverride(ecran.width() * Screen::TwipsPerPixelX(), ecran.height() * Screen::TwipsPerPixelY());
        DemarreEtRegarde([&] {
            QWidget* fenetre = TopLevel(QStringLiteral("OstraneA"));
            QWidget* panneau = Child(QStringLiteral("OstraneA"), QStringLiteral("caInit"));
            ASSERT_TRUE(fenetre && panneau);
            EXPECT_EQ(panneau->geometry(), fenetre->rect());
        });
    }
}

TEST_F(Echec, TheDrawnOkEndsTheProgramOnlyStrictlyInsideItsFace) {
    Prepare(false);
    DemarreEtRegarde([&] {
        OstraneA* a = Aide();
        a->imProg_MouseUp(1, 1, 0, 3096, 1500);
        a->imProg_MouseUp(1, 1, 0, 4824, 1500);
        a->imProg_MouseUp(1, 1, 0, 4000, 1320);
        a->imProg_MouseUp(1, 1, 0, 4000, 1872);
        EXPECT_EQ(EndCount(), 0);
        a->imProg_MouseUp(1, 2, 0, 3097, 1321);
        EXPECT_EQ(EndCount(), 1) << "any mouse button inside the face ends the program";
    });
}

TEST_F(Echec, AClickOnTheDrawnOkEndsTheProgram) {
    Prepare(false);
    DemarreEtRegarde([&] {
        QWidget* im = Child(QStringLiteral("OstraneA"), QStringLiteral("imProg(1)"));
        ASSERT_NE(im, nullptr);
        const double t = Screen::TwipsPerPixelX();
        ClickAt(im, QPoint(int(300 / t), int(1500 / t)));  // left of the button
        EXPECT_EQ(EndCount(), 0);
        ClickAt(im, QPoint(int(3960 / t), int(1596 / t)));  // the face's middle
        EXPECT_EQ(EndCount(), 1);
    });
}

TEST_F(Echec, ClosingTheFailureWindowEndsTheProgram) {
    Prepare(false);
    DemarreEtRegarde([&] {
        Aide()->widget()->close();
        EXPECT_EQ(EndCount(), 1);
    });
}

TEST_F(Echec, ADocumentWithoutTheMarkerShowsTheFailurePanelOfCodeTwo) {
    Prepare();
    QByteArray aide = ShippedHelpFile();
    aide.replace("~~~~< Ne pas", "~~~~< Ne plus");
    dossier->writeHelpFile(aide);
    DemarreEtRegarde([&] {
        EXPECT_EQ(FicAide, QStringLiteral("2"));
        EXPECT_TRUE(Aide()->imProg(2)->Visible());
        EXPECT_FALSE(Aide()->imProg(1)->Visible());
    });
}

// Something at the help file's place that is not a regular file: start-up must not
// wait on it, and the user gets the face of a damaged file at once.
struct PasUnFichier : Echec, ::testing::WithParamInterface<const char*> {};

TEST_P(PasUnFichier, AHelpFileThatIsNoRegularFileShowsTheFailurePanelOfCodeTwo) {
    Prepare(false);
    const QByteArray chemin = QFile::encodeName(dossier->helpFile());
    const std::string sorte = GetParam();
    if (sorte == "fifo")
        ASSERT_EQ(mkfifo(chemin.constData(), 0600), 0);
    else if (sorte == "folder")
        ASSERT_TRUE(QDir().mkdir(dossier->helpFile()));
    else
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dossier->helpFile()));
    // Should start-up open a pipe nobody writes to, it would block: this writer, on a
    // thread of its own, lets it go after a while so that the test fails instead of hanging.
    std::atomic<bool> fini{false}, debloque{false};
    std::thread garde([&] {
        for (int i = 0; i < 300 && !fini; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (fini) return;
        const int fd = ::open(chemin.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            debloque = true;
            ::close(fd);
        }
    });
    DemarreEtRegarde([&] {
        fini = true;
        EXPECT_EQ(FicAide, QStringLiteral("2"));
        EXPECT_TRUE(Aide()->imProg(2)->Visible());
        EXPECT_FALSE(FenPrinc->Loaded()) << "the main window is never shown";
    });
    fini = true;
    garde.join();
    EXPECT_FALSE(debloque) << "start-up waited on the file";
}

INSTANTIATE_TEST_SUITE_P(Sortes, PasUnFichier, ::testing::Values("fifo", "folder", "device"),
                         [](const ::testing::TestParamInfo<const char*>& i) { return std::string(i.param); });

TEST_F(Echec, ABlockWithATwelfthLineShowsTheFailurePanelOfCodeTwo) {
    Prepare();
    QByteArray aide = ShippedHelpFile();
    QByteArray extra;
    for (int i = 0; i < 8; ++i) extra += "Cle" + QByteArray::number(i) + "=v\\par\n";
    aide.replace("Zoom=10\\par", "Zoom=10\\par\n" + extra);
    dossier->writeHelpFile(aide);
    DemarreEtRegarde([&] { EXPECT_EQ(FicAide, QStringLiteral("2")); });
}

TEST_F(Echec, AHelpFileThatIsNotRtfShowsCodeTwo) {
    Prepare();
    dossier->writeHelpFile("Ceci n'est pas un document.\r\n~~~~< Ne pas\r\nFin\r\n");
    DemarreEtRegarde([&] { EXPECT_EQ(FicAide, QStringLiteral("2")); });
}

TEST_F(Echec, AHelpFileThatCannotBeReadShowsCodeTwo) {
    Prepare(false);
    // A folder in the file's place cannot be read, even by root.
    ASSERT_TRUE(QDir().mkpath(dossier->helpFile()));
    DemarreEtRegarde([&] { EXPECT_EQ(FicAide, QStringLiteral("2")); });
}

// A help file far larger than any document is refused by its size, before anything
// is read: start-up shows the damaged file's panel at once. The test runs again in a
// process of its own, whose memory could not hold the file: reading it would fail there.
TEST_F(Echec, AHugeHelpFileShowsCodeTwoWithoutBeingRead) {
    const char* kEnfant = "OSTRANE_MEMOIRE_LIMITEE";
    if (qEnvironmentVariableIsSet(kEnfant)) {
#ifndef OSTRANE_SOUS_ASAN
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        struct rlimit limite {};
        getrlimit(RLIMIT_AS, &limite);
        limite.rlim_cur = rlim_t(pages) * sysconf(_SC_PAGESIZE) + (rlim_t(1) << 30);
        ASSERT_EQ(setrlimit(RLIMIT_AS, &limite), 0);
#endif
        Prepare(false);
        QFile creux(dossier->helpFile());
        ASSERT_TRUE(creux.open(QIODevice::WriteOnly) && creux.resize(3LL << 30));
        creux.close();
        DemarreEtRegarde([&] { EXPECT_EQ(FicAide, QStringLiteral("2")); });
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kEnfant), QStringLiteral("1"));
    // The address sanitizer reserves more address space than any limit would allow:
    // its own allocator is held back instead.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) +
                   QStringLiteral(":max_allocation_size_mb=1024:allocator_may_return_null=1"));
    QProcess enfant;
    enfant.setProcessEnvironment(env);
    enfant.setProcessChannelMode(QProcess::MergedChannels);
    const auto* moi = ::testing::UnitTest::GetInstance()->current_test_info();
    enfant.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=%1.%2")
                      .arg(QString::fromLatin1(moi->test_suite_name()), QString::fromLatin1(moi->name()))});
    ASSERT_TRUE(enfant.waitForFinished(120000));
    const QByteArray sortie = enfant.readAll();
    EXPECT_EQ(enfant.exitStatus(), QProcess::NormalExit) << sortie.constData();
    EXPECT_EQ(enfant.exitCode(), 0) << sortie.constData();
    EXPECT_TRUE(sortie.contains("[  PASSED  ] 1 test")) << sortie.constData();
    EXPECT_FALSE(sortie.contains("bad_alloc")) << sortie.constData();
}

}  // namespace

namespace {

struct FenetreAide_ : Programme {};

TEST_F(FenetreAide_, TouchingTheTextLoadsTheWindowUnseenWithTheHelpTextAndNoChangeMark) {
    Prepare();
    Demarre();
    ASSERT_FALSE(FenAide->Loaded());
    RichTextBox* tx = FenAide->txAide();
    OstraneA* a = Aide();
    EXPECT_TRUE(a->Loaded());
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(a->Caption(), QStringLiteral(" Aide -  Ostrane"));
    EXPECT_FALSE(a->caInit->Visible()) << "the ordinary face";
    EXPECT_FALSE(a->imEnreg->Visible());
    EXPECT_TRUE(a->imEnregN->Visible());
    EXPECT_TRUE(tx->Text().startsWith(QStringLiteral("** - 1 - **")) ||
                tx->Text().contains(QStringLiteral("\r\n** - 1 - **")));
    // The section buttons carry the headings' titles.
    EXPECT_TRUE(a->btAide(1)->Visible());
    EXPECT_EQ(a->btAide(1)->Caption(), QStringLiteral("Présentation"));
    EXPECT_TRUE(a->btAide(6)->Visible());
}

TEST_F(FenetreAide_, TheSaveButtonShowsWhetherTheTextChanged) {
    Prepare();
    Demarre();
    OstraneA* a = Aide();
    a->FixEnreg(true);
    a->FixEnreg(true);
    EXPECT_TRUE(a->imEnreg->Visible());
    EXPECT_FALSE(a->imEnregN->Visible());
    a->FixEnreg(false);
    EXPECT_FALSE(a->imEnreg->Visible());
    EXPECT_TRUE(a->imEnregN->Visible());
    EXPECT_EQ(a->imEnregN->Left(), a->imEnreg->Left()) << "in the same place";
    a->txAide()->setSelStart(0);
    a->txAide()->setSelText(QStringLiteral("x"));
    EXPECT_TRUE(a->imEnreg->Visible()) << "every change of the text marks it";
    a->FixEnreg(false);
}

TEST_F(FenetreAide_, TheHelpWindowFitsTheScreenAtEachLoad) {
    Prepare();
    Screen::setSizeOverride((19104 + 120) / 2.0, 20000);
    Demarre();
    OstraneA* a = Aide();
    a->Load();
    EXPECT_NEAR(a->Width(), (19104 + 120) / 2.0, 1);
    EXPECT_NEAR(a->caMarlett->Width(), 4428 / 2.0, 1);
    EXPECT_NEAR(a->btAide(1)->Height(), 492 / 2.0, 1);
}

}  // namespace
