// The file panel: how it opens for each operation, when its confirm button
// may be pressed, the path it hands back, the folders it opens in.
#include "Fichiers.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QPushButton>
#include <QRadioButton>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

class PanneauFichiers : public Fichiers {};

struct Ouverture {
    const char* bouton;
    const char* titre;
    const char* confirme;
    const char* extension;
};
const Ouverture kOuvertures[] = {
    {"btChargeL", " Lire un écran ", "Lire", ".vie"},
    {"btEnregL", " Ecrire un écran ", "Ecrire", ".vie"},
    {"btChargeM", " Lire un motif ", "Lire", ".lif"},
    {"btEnregM", " Ecrire un motif ", "Ecrire", ".lif"},
};

TEST_F(PanneauFichiers, EachOperationOpensThePanelWithItsTitleModeAndExtensionInTheDefaultFolder) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    Dépose(QStringLiteral("a.vie"), "x");
    Dépose(QStringLiteral("b.lif"), "x");
    Dépose(QStringLiteral("c.txt"), "x");
    for (const Ouverture& o : kOuvertures) {
        SCOPED_TRACE(o.bouton);
        const QString ext = QString::fromUtf8(o.extension);
        AvecPanneau(QString::fromUtf8(o.bouton), [&] {
            EXPECT_FALSE(f().caJeu->Visible());
            EXPECT_EQ(f().caFic->Caption(), QString::fromUtf8(o.titre));
            auto* confirme = qobject_cast<QPushButton*>(w(QStringLiteral("btFin(1)")));
            EXPECT_EQ(confirme->text(), QString::fromUtf8(o.confirme));
            EXPECT_FALSE(confirme->isEnabled());
            EXPECT_EQ(qobject_cast<QRadioButton*>(w(QStringLiteral("coFic(1)")))->text(), QLatin1Char('*') + ext);
            EXPECT_TRUE(Coche(QStringLiteral("coFic(1)")));
            EXPECT_EQ(f().ExtFic, ext);
            EXPECT_EQ(f().lsRép->Path(), Dossier());
            EXPECT_EQ(f().lsFic->Path(), Dossier());
            EXPECT_EQ(Listés(),
                      QStringList{ext == QLatin1String(".vie") ? QStringLiteral("a.vie") : QStringLiteral("b.lif")});
            Annule();
        });
        EXPECT_TRUE(f().caJeu->Visible());
        EXPECT_FALSE(f().caFic->Visible());
    }
}

// The readings of a folder's entries, as the system counts them; closings are
// watched too, so that two readings in a row never merge into one event.
struct Lectures {
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    const bool prêt;
    explicit Lectures(const QString& dossier)
        : prêt(inotify_add_watch(fd, QFile::encodeName(dossier).constData(), IN_OPEN | IN_CLOSE_NOWRITE) >= 0) {}
    ~Lectures() { close(fd); }
    // Since the last call; the opening of a file in the folder is not a reading of it.
    int Nouvelles() const {
        int n = 0;
        alignas(inotify_event) char tampon[4096];
        for (ssize_t lu; (lu = read(fd, tampon, sizeof tampon)) > 0;) {
            for (ssize_t i = 0; i < lu;) {
                const auto* e = reinterpret_cast<const inotify_event*>(tampon + i);
                if ((e->mask & IN_OPEN) && (e->mask & IN_ISDIR) && e->len == 0) ++n;
                i += static_cast<ssize_t>(sizeof *e + e->len);
            }
        }
        return n;
    }
};

// The folder is read once when the panel opens, whatever its lists showed
// before, and once when "Tous les fichiers" is switched.
TEST_F(PanneauFichiers, TheFolderIsReadOncePerOpeningAndPerSwitch) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Dépose(QStringLiteral("a.vie"), "x");
    Dépose(QStringLiteral("b.lif"), "x");
    ASSERT_TRUE(QDir(Dossier()).mkdir(QStringLiteral("sous")));
    const Lectures lectures(Dossier());
    ASSERT_TRUE(lectures.prêt);
    // The first opening moves the lists from where they started; the others open them again.
    for (const char* bouton : {"btChargeL", "btEnregM", "btEnregM"}) {
        SCOPED_TRACE(bouton);
        AvecPanneau(QString::fromUtf8(bouton), [&] {
            const QString ext = f().ExtFic;
            auto* dossiers = qobject_cast<QListWidget*>(w(QStringLiteral("lsRép")));
            EXPECT_EQ(Listés(),
                      QStringList{ext == QLatin1String(".vie") ? QStringLiteral("a.vie") : QStringLiteral("b.lif")});
            EXPECT_EQ(dossiers->findItems(QStringLiteral("sous"), Qt::MatchEndsWith).size(), 1);
            EXPECT_EQ(lectures.Nouvelles(), 1) << "opening";
            CliqueCase(QStringLiteral("coFic(0)"));
            EXPECT_EQ(Listés(),
                      (QStringList{QStringLiteral("a.vie"), QStringLiteral("b.lif"), QStringLiteral("Ostrane.rtf")}));
            EXPECT_EQ(lectures.Nouvelles(), 1) << "every file";
            CliqueCase(QStringLiteral("coFic(1)"));
            EXPECT_EQ(Listés().size(), 1);
            EXPECT_EQ(lectures.Nouvelles(), 1) << "the extension's files";
            Annule();
        });
    }
}

TEST_F(PanneauFichiers, ControlsCarryTheirCaptionsAndFonts) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    struct Attendu {
        const char* nom;
        const char* police;
    };
    for (const Attendu& a : {Attendu{"lsUni", "Lucida Console"},
                             {"lsRép", "Lucida Console"},
                             {"lsFic", "Lucida Console"},
                             {"txNFic", "Lucida Console"},
                             {"btFixeR", "Comic Sans MS"},
                             {"btFin(0)", "Comic Sans MS"},
                             {"btFin(1)", "Comic Sans MS"},
                             {"coFic(0)", "Arial"},
                             {"coFic(1)", "Arial"}}) {
        Control* c = f().ControlByName(QString::fromUtf8(a.nom));
        ASSERT_TRUE(c) << a.nom;
        EXPECT_EQ(c->FontName(), QString::fromUtf8(a.police)) << a.nom;
    }
    EXPECT_EQ(f().btFixeR->Caption(), QStringLiteral("Fixer comme répertoire par défaut"));
    EXPECT_EQ(f().coFic(0)->Caption(), QStringLiteral("Tous les fichiers"));
    EXPECT_EQ(f().btFin(0)->Caption(), QStringLiteral("Annuler"));
    // The two options side by side, the extension's on the left; so the two buttons, confirm the larger.
    EXPECT_EQ(f().coFic(0)->Top(), f().coFic(1)->Top());
    EXPECT_LT(f().coFic(1)->Left(), f().coFic(0)->Left());
    EXPECT_LT(f().btFin(1)->Left(), f().btFin(0)->Left());
    EXPECT_GT(f().btFin(1)->Width(), f().btFin(0)->Width());
}

// Cancel, in every mode: nothing read, nothing written, the path is empty.
TEST_F(PanneauFichiers, CancelReadsAndWritesNothing) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Dépose(QStringLiteral("partie.vie"), "36/3\r\nx\r\n!\xFF");
    Dépose(QStringLiteral("motif.lif"), "#Life 1.05\r\n#N\r\n***\r\n");
    const QStringList fichiers = QDir(Dossier()).entryList(QDir::Files | QDir::Hidden);
    f().grMotif->setTextMatrix(1, 1, Vivant());
    const QStringList motif = Motif();
    Pose({{5, 5}, {5, 6}});
    CliqueCase(QStringLiteral("ccVide"));  // unticked: the pattern reader leaves the board alone
    CliqueCase(QStringLiteral("ccRègle"));
    const QStringList grille = Grille();

    struct Cas {
        const char* bouton;
        const char* nom;
        bool lit;
    };
    auto annule = [&](const Cas& c) {
        SCOPED_TRACE(c.bouton);
        f().CheminFic = QStringLiteral("reste");
        AvecPanneau(QString::fromUtf8(c.bouton), [&] {
            if (c.lit)
                Choisit(QString::fromUtf8(c.nom));
            else
                Tape(QString::fromUtf8(c.nom));
            ASSERT_TRUE(Actif(QStringLiteral("btFin(1)")));
            Annule();
        });
        EXPECT_EQ(f().CheminFic, QString());
        EXPECT_FALSE(f().FinFic);
        EXPECT_EQ(QDir(Dossier()).entryList(QDir::Files | QDir::Hidden), fichiers);
        EXPECT_EQ(f().étLif->Caption(), QString());
        EXPECT_EQ(Règle(), QStringLiteral("23/3"));
        EXPECT_EQ(Motif(), motif);
    };
    for (const Cas& c : {Cas{"btChargeM", "motif.lif", true}, Cas{"btEnregM", "nouveau", false}}) {
        annule(c);
        EXPECT_EQ(Grille(), grille);
    }
    EntreCosmos();
    f().Univers(80, 80) = life::Live;
    const Plateau univers = f().Univers;
    for (const Cas& c : {Cas{"btChargeL", "partie.vie", true}, Cas{"btEnregL", "nouveau", false}}) {
        annule(c);
        EXPECT_EQ(f().Univers, univers);
    }
}

// Read mode: only a pick in the file list enables the button; the name may be
// edited afterwards, and the edited name is the one used.
TEST_F(PanneauFichiers, ReadModeConfirmNeedsAPickAndUsesTheNameAsEdited) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Dépose(QStringLiteral("a.lif"), "#Life 1.05\r\n*\r\n");
    Dépose(QStringLiteral("b.lif"), "#Life 1.05\r\n.*\r\n");
    AvecPanneau(QStringLiteral("btChargeM"), [&] {
        Tape(QStringLiteral("b.lif"));
        EXPECT_FALSE(Actif(QStringLiteral("btFin(1)"))) << "typing does not enable reading";
        Choisit(QStringLiteral("a.lif"));
        EXPECT_EQ(BoiteNom()->text(), QStringLiteral("a.lif"));
        EXPECT_TRUE(Actif(QStringLiteral("btFin(1)")));
        Tape(QString());
        EXPECT_TRUE(Actif(QStringLiteral("btFin(1)"))) << "the name box never disables it";
        Tape(QStringLiteral("b.lif"));
        Confirme();
    });
    EXPECT_EQ(f().CheminFic, Chemin(QStringLiteral("b.lif")));
    EXPECT_EQ(f().étLif->Caption(), QStringLiteral("b"));
    // No "#P": the row's first cell goes to column 1 of row 0.
    EXPECT_EQ(VivantesGrille(), QStringList{QStringLiteral("0,2")});
}

// Write mode: the offered "@_.lif" keeps the button disabled; any other change
// of the name enables it for good, an emptied name included.
TEST_F(PanneauFichiers, WriteModeConfirmFollowsTheNameBoxAndAnEmptiedNameWritesTheExtensionAlone) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    AvecPanneau(QStringLiteral("btEnregM"), [&] {
        EXPECT_EQ(BoiteNom()->text(), QStringLiteral("@_.lif"));
        EXPECT_FALSE(Actif(QStringLiteral("btFin(1)")));
        QTest::keyClick(BoiteNom(), Qt::Key_End);
        QTest::keyClick(BoiteNom(), Qt::Key_X);
        EXPECT_TRUE(Actif(QStringLiteral("btFin(1)")));
        QTest::keyClick(BoiteNom(), Qt::Key_Backspace);
        EXPECT_EQ(BoiteNom()->text(), QStringLiteral("@_.lif"));
        EXPECT_TRUE(Actif(QStringLiteral("btFin(1)"))) << "once enabled it stays so";
        Annule();
    });
    AvecPanneau(QStringLiteral("btEnregL"), [&] {
        EXPECT_FALSE(Actif(QStringLiteral("btFin(1)"))) << "disabled again at each opening";
        EXPECT_EQ(BoiteNom()->text(), QStringLiteral("@_.lif")) << "the name box keeps its text";
        Tape(QString());
        EXPECT_TRUE(Actif(QStringLiteral("btFin(1)")));
        Confirme();
    });
    EXPECT_EQ(f().CheminFic, Chemin(QStringLiteral(".vie")));
    EXPECT_TRUE(Existe(QStringLiteral(".vie")));
    // The file is hidden here, yet it is listed for reading back; other hidden files are not.
    Dépose(QStringLiteral(".cachée.vie"), "x");
    Dépose(QStringLiteral(".lif"), "x");
    AvecPanneau(QStringLiteral("btChargeL"), [&] {
        EXPECT_EQ(Listés(), QStringList{QStringLiteral(".vie")});
        CliqueCase(QStringLiteral("coFic(0)"));
        EXPECT_EQ(Listés(), (QStringList{QStringLiteral(".vie"), QStringLiteral("Ostrane.rtf")}))
            << "nor the other extension's";
        Choisit(QStringLiteral(".vie"));
        Confirme();
    });
    EXPECT_EQ(f().étLif->Caption(), QString());
    EXPECT_EQ(f().CheminFic, Chemin(QStringLiteral(".vie")));
}

// The extension is added only when the name lacks it, letter case aside.
TEST_F(PanneauFichiers, WriteModeAddsTheExtensionOnlyWhenTheNameLacksIt) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    struct Cas {
        const char* tapé;
        const char* écrit;
    };
    for (const Cas& c : {Cas{"partie", "partie.vie"}, Cas{"a.txt", "a.txt.vie"}, Cas{"Grande.VIE", "Grande.VIE"},
                         Cas{"x.vie", "x.vie"}}) {
        EcritEcran(QString::fromUtf8(c.tapé));
        EXPECT_EQ(f().CheminFic, Chemin(QString::fromUtf8(c.écrit))) << c.tapé;
        EXPECT_TRUE(Existe(QString::fromUtf8(c.écrit))) << c.tapé;
    }
    // Listed under the extension whatever its letter case.
    AvecPanneau(QStringLiteral("btChargeL"), [&] {
        EXPECT_EQ(Listés(), (QStringList{QStringLiteral("a.txt.vie"), QStringLiteral("Grande.VIE"),
                                         QStringLiteral("partie.vie"), QStringLiteral("x.vie")}));
        Annule();
    });
}

TEST_F(PanneauFichiers, EveryFileChoiceIsForgottenAtTheNextOpening) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Dépose(QStringLiteral("a.lif"), "x");
    Dépose(QStringLiteral("notes.txt"), "x");
    AvecPanneau(QStringLiteral("btChargeM"), [&] {
        CliqueCase(QStringLiteral("coFic(0)"));
        EXPECT_EQ(f().lsFic->Pattern(), QStringLiteral("*.*"));
        EXPECT_EQ(Listés(),
                  (QStringList{QStringLiteral("a.lif"), QStringLiteral("notes.txt"), QStringLiteral("Ostrane.rtf")}));
        Annule();
    });
    AvecPanneau(QStringLiteral("btChargeM"), [&] {
        EXPECT_TRUE(Coche(QStringLiteral("coFic(1)")));
        EXPECT_FALSE(Coche(QStringLiteral("coFic(0)")));
        EXPECT_EQ(f().lsFic->Pattern(), QStringLiteral("*.lif"));
        EXPECT_EQ(Listés(), QStringList{QStringLiteral("a.lif")});
        Annule();
    });
}

// The default folder is stored for the next start: the panel keeps opening in
// the folder read at this start.
TEST_F(PanneauFichiers, TheDefaultFolderTakesEffectAtTheNextStartOnly) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    const QString autre = Chemin(QStringLiteral("jeux"));
    ASSERT_TRUE(QDir().mkpath(autre));
    AvecPanneau(QStringLiteral("btChargeM"), [&] {
        VaDans(autre);
        EXPECT_EQ(f().lsFic->Path(), autre);
        Clique(QStringLiteral("btFixeR"));
        Annule();
    });
    EXPECT_EQ(LisCfg(QStringLiteral("RépFic")), autre);
    AvecPanneau(QStringLiteral("btChargeM"), [&] {
        EXPECT_EQ(f().lsFic->Path(), Dossier());
        Annule();
    });
    ASSERT_TRUE(EnregAide());
    Redemarre();
    AvecPanneau(QStringLiteral("btChargeM"), [&] {
        EXPECT_EQ(f().lsRép->Path(), autre);
        EXPECT_EQ(f().lsFic->Path(), autre);
        Annule();
    });
}

// A default folder that is not set or is gone opens the home folder.
TEST_F(PanneauFichiers, AMissingOrEmptyDefaultFolderOpensTheHomeFolder) {
    for (const QString& valeur : {QString(), QStringLiteral("/nulle/part/ici"), QStringLiteral("Jeux")}) {
        SCOPED_TRACE(valeur.toStdString());
        m_dossier = std::make_unique<ProgramFolder>();
        QByteArray aide = ShippedHelpFile();
        aide.replace("R\\'e9pFic=#", "R\\'e9pFic=" + valeur.toLatin1());
        m_dossier->writeHelpFile(aide);
        ASSERT_NO_FATAL_FAILURE(Demarre());
        ASSERT_EQ(f().RépDéfaut, valeur);
        AvecPanneau(QStringLiteral("btEnregM"), [&] {
            EXPECT_EQ(f().lsRép->Path(), QDir::homePath());
            EXPECT_EQ(f().lsFic->Path(), QDir::homePath());
            EXPECT_EQ(f().lsUni->Drive(), QDir::homePath());
            Annule();
        });
        Partie::TearDown();
    }
}

// Choosing a drive opens its root; at the root of "/" the path holds two
// separators in a row, which name the same file.
TEST_F(PanneauFichiers, ChoosingADriveOpensItsRoot) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    if (f().lsUni->ListCount() < 2) GTEST_SKIP() << "one drive only";
    const QString maison = QDir::homePath();
    // Something else may have put a file of that name at the root: it must stay as it was.
    const QFileInfo racine(QStringLiteral("/@_.lif"));
    const bool existait = racine.exists();
    const QDateTime modifié = racine.lastModified();
    AvecPanneau(QStringLiteral("btEnregM"), [&] {
        auto* uni = qobject_cast<QComboBox*>(w(QStringLiteral("lsUni")));
        ASSERT_EQ(uni->currentText(), QStringLiteral("/"));
        uni->setFocus();
        QTest::keyClick(uni, Qt::Key_Down);
        EXPECT_EQ(f().lsRép->Path(), maison);
        EXPECT_EQ(f().lsFic->Path(), maison);
        QTest::keyClick(uni, Qt::Key_Up);
        EXPECT_EQ(f().lsRép->Path(), QStringLiteral("/"));
        EXPECT_EQ(f().lsFic->Path(), QStringLiteral("/"));
        // The reserved name is not written, wherever it is.
        Tape(QStringLiteral("@_.lif"));
        EXPECT_TRUE(Actif(QStringLiteral("btFin(1)")));
        Confirme();
    });
    EXPECT_EQ(f().CheminFic, QStringLiteral("//@_.lif"));
    const QFileInfo après(QStringLiteral("/@_.lif"));
    EXPECT_EQ(après.exists(), existait);
    EXPECT_EQ(après.lastModified(), modifié);
}

// The drive list offers the real file systems mounted on the machine, not the
// kernel's own.
TEST(Lecteurs, OnlyRealFileSystemsAreOfferedAsDrives) {
    const std::vector<MountPoint> montages = {
        {QStringLiteral("/"), "ext4"},
        {QStringLiteral("/proc"), "proc"},
        {QStringLiteral("/sys/fs/cgroup"), "cgroup2"},
        {QStringLiteral("/dev/shm"), "tmpfs"},
        {QStringLiteral("/tmp"), "tmpfs"},
        {QStringLiteral("/var/lib/docker/overlay2/x/merged"), "overlay"},
        {QStringLiteral("/run/media/anne/CLE USB"), "vfat"},
        {QStringLiteral("/media/anne/DISQUE"), "fuseblk"},
        {QStringLiteral("/mnt/partage"), "nfs4"},
        {QStringLiteral("/snap/core/1"), "squashfs"},
        {QStringLiteral("/boot/efi"), "vfat"},
        {QStringLiteral("/home"), "btrfs"},
        {QStringLiteral("/home"), "btrfs"},
        {QStringLiteral("/mnt/x"), "OVERLAY"},
    };
    EXPECT_EQ(RealMounts(montages),
              (QStringList{QStringLiteral("/run/media/anne/CLE USB"), QStringLiteral("/media/anne/DISQUE"),
                           QStringLiteral("/mnt/partage"), QStringLiteral("/home")}));
}

// Closing the window while an operation waits ends the operation: nothing is
// read or written, and nothing touches the window's controls afterwards.
TEST_F(PanneauFichiers, ClosingTheWindowWhileThePanelWaitsCancelsTheOperation) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    AvecPanneau(QStringLiteral("btEnregM"), [&] {
        Tape(QStringLiteral("perdu"));
        EXPECT_TRUE(f().Unload());
    });
    EXPECT_FALSE(f().Loaded());
    EXPECT_FALSE(Existe(QStringLiteral("perdu.lif")));
    EXPECT_FALSE(f().FinFic);
    EXPECT_EQ(EndCount(), 1) << "closing the main window ends the program";
}

// A re-layout (display options) builds the window anew while an operation
// waits: the operation ends there, and the new window's panel is left alone.
TEST_F(PanneauFichiers, ARelayoutWhileThePanelWaitsCancelsTheOperation) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    AvecPanneau(QStringLiteral("btEnregM"), [&] {
        Tape(QStringLiteral("perdu"));
        EnReinit = true;
        ASSERT_TRUE(f().Unload());
        EnReinit = false;
        MiseEnPage(f());
        f().Show();
    });
    ASSERT_TRUE(f().Loaded());
    EXPECT_TRUE(f().caJeu->Visible());
    EXPECT_FALSE(f().caFic->Visible());
    EXPECT_FALSE(Existe(QStringLiteral("perdu.lif")));
    EXPECT_FALSE(f().FinFic);
    EXPECT_EQ(EndCount(), 0);
    // The new window's panel works as ever.
    EcritMotif(QStringLiteral("après"));
    EXPECT_TRUE(Existe(QStringLiteral("après.lif")));
}

// While the panel is open the rest of the window keeps working: a run goes on.
TEST_F(PanneauFichiers, AutomaticRunningGoesOnWhileThePanelIsOpen) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Pose({{10, 10}, {10, 11}, {10, 12}});
    CliqueCase(QStringLiteral("ccVide"));
    CliqueCase(QStringLiteral("ccAuto"));
    AvecPanneau(QStringLiteral("btChargeM"), [&] {
        const long avant = f().NumGénér;
        EXPECT_TRUE(QTest::qWaitFor([&] { return f().NumGénér >= avant + 2; }, 20000));
        Annule();
    });
    CliqueCase(QStringLiteral("ccAuto"));
}

}  // namespace
