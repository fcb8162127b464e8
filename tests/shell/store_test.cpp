// The help document store: a save writes help text, rules and settings
// together, a new start-up gives them back, and a save that fails leaves the
// old file whole and tells the user.
#include "Demarre.h"
#include "RichTextBox.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

struct Enregistrement : Programme {
    QString TexteDuDocument() { return FenAide->txAide()->Text(); }
};

TEST_F(Enregistrement, ASaveAndANewStartUpGiveBackTheSameTextRulesAndSettings) {
    Prepare();
    Demarre();
    const QString avant = TexteDuDocument();
    EcriCfg(QStringLiteral("Ecran"), QStringLiteral("#"));
    EnregAide();
    EXPECT_FALSE(FenAide->Loaded()) << "the help window ends closed";
    Nettoie();
    App::setPath(dossier->path());
    Demarre();
    EXPECT_EQ(TexteDuDocument(), avant) << "the help text comes back to the character, rules included";
    EXPECT_NE(avant.indexOf(QStringLiteral("~®~")), -1);
    EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), QStringLiteral("#"));
    EXPECT_EQ(LisCfg(QStringLiteral("RépFic")), QStringLiteral("#"));
    EXPECT_EQ(LisCfg(QStringLiteral("Zoom")), QStringLiteral("10"));
}

TEST_F(Enregistrement, TheSavedFileEndsWithTheSettingsBlockAndKeepsItsAccentsAndColours) {
    Prepare();
    Demarre();
    EnregAide();
    const QByteArray fichier = dossier->readHelpFile();
    EXPECT_TRUE(fichier.startsWith("{\\rtf1"));
    for (qsizetype i = 0; i < fichier.size(); ++i)
        ASSERT_LT(static_cast<unsigned char>(fichier[i]), 0x80) << "ASCII only: byte " << i;
    const int fin = fichier.lastIndexOf("Fin");
    const int zoom = fichier.lastIndexOf("Zoom=10");
    const int marque = fichier.lastIndexOf("~~~~< Ne pas");
    EXPECT_TRUE(marque >= 0 && marque < zoom && zoom < fin);
    // The settings block closes the document: after "Fin" come only paragraph
    // ends and the document's close, no text.
    QByteArray après = fichier.mid(fin + 3);
    après.replace("\r", "").replace("\n", "");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^(\\\\par)+\\}$")).match(QString::fromLatin1(après)).hasMatch())
        << après.constData();
    EXPECT_NE(fichier.indexOf("\\'e9"), -1) << "accents as code-page escapes";
    EXPECT_NE(fichier.indexOf("\\colortbl"), -1);
}

TEST_F(Enregistrement, ASaveWithTheHelpWindowClosedLeavesItClosedAndOneWithItOpenClosesIt) {
    Prepare();
    Demarre();
    ASSERT_FALSE(FenAide->Loaded());
    EnregAide();
    EXPECT_FALSE(FenAide->Loaded());
    FenAide->Show();
    ASSERT_TRUE(FenAide->Visible());
    EnregAide();
    EXPECT_FALSE(FenAide->Loaded());
    EXPECT_EQ(EndCount(), 0);
}

TEST_F(Enregistrement, UnsavedEditsInTheHelpWindowAreSavedWithTheDocument) {
    Prepare();
    Demarre();
    RichTextBox* tx = FenAide->txAide();
    tx->setSelStart(0);
    tx->setSelText(QStringLiteral("Note de l'utilisateur : été.\r\n"));
    EnregAide();
    Nettoie();
    App::setPath(dossier->path());
    Demarre();
    EXPECT_TRUE(TexteDuDocument().startsWith(QStringLiteral("Note de l'utilisateur : été.\r\n")));
}

TEST_F(Enregistrement, AHelpTextWithoutAFinalLineBreakComesBackUnchanged) {
    Prepare();
    Demarre();
    RichTextBox* tx = FenAide->txAide();
    tx->setTextRTF(QStringLiteral("{\\rtf1\\ansi {\\fonttbl{\\f0 Arial;}}\\f0 Deux lignes\\par sans fin}"));
    ASSERT_EQ(tx->Text(), QStringLiteral("Deux lignes\r\nsans fin"));
    EnregAide();
    Nettoie();
    App::setPath(dossier->path());
    Demarre();
    EXPECT_EQ(TexteDuDocument(), QStringLiteral("Deux lignes\r\nsans fin"));
}

TEST_F(Enregistrement, ALongFolderSettingComesBackWholeAndLeavesNothingInTheText) {
    Prepare();
    Demarre();
    const QString long_ = QStringLiteral("/home/utilisateur/") + QString(1200, QChar('r')) + QStringLiteral("/été");
    EcriCfg(QStringLiteral("RépFic"), long_);
    const QString avant = TexteDuDocument();
    EnregAide();
    Nettoie();
    App::setPath(dossier->path());
    Demarre();
    EXPECT_EQ(LisCfg(QStringLiteral("RépFic")), long_);
    EXPECT_EQ(LisCfg(QStringLiteral("Zoom")), QStringLiteral("10"));
    EXPECT_EQ(TexteDuDocument(), avant);
}

// How a save is made to fail, for root as for anyone.
enum class Panne {
    TropGros,      // no file may grow beyond a few hundred bytes: the disk is as good as full
    PasUnDossier,  // the file's folder is a regular file
};

struct CasEchec {
    const char* nom;
    bool petitDocument;  // small enough to be buffered whole, so that the failure comes at the flush
    Panne panne;
    int errnoAttendu;
};

void PrintTo(const CasEchec& c, std::ostream* os) {
    *os << c.nom;
}

struct EchecEnregistrement : Enregistrement, ::testing::WithParamInterface<CasEchec> {};

// A document far smaller than a write buffer, with its settings block.
QByteArray PetitDocument() {
    return QByteArrayLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Petite aide.\\par\n"
        "~~~~< Ne pas modifier ce qui suit\\par\nR\\'e9pFic=#\\par\nEcran=/\\par\n"
        "Zoom=10\\par\nFin\\par\n}");
}

TEST_P(EchecEnregistrement, ASaveThatFailsLeavesTheOldFileWholeAndTellsTheUserWhy) {
    const CasEchec cas = GetParam();
    Prepare();
    if (cas.petitDocument) dossier->writeHelpFile(PetitDocument());
    Demarre();
    ASSERT_EQ(EndCount(), 0);
    const QByteArray ancien = dossier->readHelpFile();
    const QString fichier = FicAide;
    struct rlimit avant {};
    getrlimit(RLIMIT_FSIZE, &avant);
    auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    if (cas.panne == Panne::TropGros) {
        struct rlimit petit = avant;
        petit.rlim_cur = 64;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petit), 0);
    } else {
        FicAide = fichier + QStringLiteral("/Ostrane.rtf");
    }
    MsgBoxScript script;
    script.expect(vbOK);
    EcriCfg(QStringLiteral("Ecran"), QStringLiteral("@"));
    const bool ecrit = EnregAide();
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, ancienSignal);
    FicAide = fichier;
    EXPECT_FALSE(ecrit);
    ASSERT_EQ(script.shown().size(), 1u);
    const QString texte = script.shown()[0].text;
    EXPECT_TRUE(texte.startsWith(QStringLiteral("Le fichier d'aide n'a pas pu être enregistré")))
        << texte.toStdString();
    EXPECT_TRUE(texte.contains(QString::fromLocal8Bit(std::strerror(cas.errnoAttendu))))
        << "the system's reason is given: " << texte.toStdString();
    EXPECT_FALSE(texte.contains(QStringLiteral("Unknown error"))) << texte.toStdString();
    EXPECT_EQ(script.shown()[0].style, 48);
    EXPECT_EQ(dossier->readHelpFile(), ancien) << "the old file is whole";
    // What was to be saved is still there for the next save.
    EXPECT_TRUE(EnregAide());
    EXPECT_NE(dossier->readHelpFile(), ancien);
    Nettoie();
    App::setPath(dossier->path());
    Demarre();
    EXPECT_EQ(EndCount(), 0);
    EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), QStringLiteral("@"));
}

INSTANTIATE_TEST_SUITE_P(Cas, EchecEnregistrement,
                         ::testing::Values(CasEchec{"DiskFullMidWrite", false, Panne::TropGros, EFBIG},
                                           CasEchec{"DiskFullAtTheFlush", true, Panne::TropGros, EFBIG},
                                           CasEchec{"FolderIsAFile", false, Panne::PasUnDossier, ENOTDIR}),
                         [](const ::testing::TestParamInfo<CasEchec>& i) { return std::string(i.param.nom); });

}  // namespace

namespace {

// What LibreOffice makes of a help file saved by the program, where it is installed.
TEST_F(Enregistrement, ASavedHelpFileOpensInLibreOfficeWithItsAccentsAndColours) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    Prepare();
    Demarre();
    EnregAide();
    QTemporaryDir sortie;
    const QString profil = QUrl::fromLocalFile(sortie.filePath(QStringLiteral("profil"))).toString();
    auto convertit = [&](const QString& format) {
        QProcess p;
        p.start(soffice, {QStringLiteral("-env:UserInstallation=") + profil, QStringLiteral("--headless"),
                          QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), sortie.path(),
                          dossier->helpFile()});
        p.waitForFinished(180000);
    };
    convertit(QStringLiteral("txt:Text (encoded):UTF8"));
    QFile txt(sortie.filePath(QStringLiteral("Ostrane.txt")));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    const QString texte = QString::fromUtf8(txt.readAll());
    EXPECT_TRUE(texte.contains(QStringLiteral("Présentation")));
    EXPECT_TRUE(texte.contains(QStringLiteral("~®~")));
    EXPECT_TRUE(texte.contains(QStringLiteral("RépFic=#")));
    convertit(QStringLiteral("odt"));
    ASSERT_TRUE(QFile::exists(sortie.filePath(QStringLiteral("Ostrane.odt"))));
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"),
                {QStringLiteral("-p"), sortie.filePath(QStringLiteral("Ostrane.odt")), QStringLiteral("content.xml")});
    unzip.waitForFinished(30000);
    const QByteArray contenu = unzip.readAllStandardOutput();
    if (contenu.isEmpty()) GTEST_SKIP() << "unzip is not installed";
    EXPECT_TRUE(contenu.contains("#c04000")) << "the program's red survives";
}

}  // namespace
