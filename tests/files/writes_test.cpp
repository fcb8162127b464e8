// Every file the program writes, refused by the file system: what was there
// stays byte for byte, and the user is told which file and why.
#include "Fichiers.h"

#include <QFileInfo>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

enum class Ecrivain { Ecran, Motif, Aide, Journal };
enum class Panne { DisquePlein, Tube, LienVersPériphérique };

struct Cas {
    const char* nom;
    Ecrivain ecrivain;
    Panne panne;
};

void PrintTo(const Cas& c, std::ostream* os) {
    *os << c.nom;
}

struct Refus : Fichiers, ::testing::WithParamInterface<Cas> {
    QString Cible(Ecrivain e) const {
        switch (e) {
            case Ecrivain::Ecran:
                return Chemin(QStringLiteral("cible.vie"));
            case Ecrivain::Motif:
                return Chemin(QStringLiteral("cible.lif"));
            case Ecrivain::Aide:
                return FicAide;
            case Ecrivain::Journal:
                return f().FicAléa;
        }
        return {};
    }
    // As the user writes: through the file panel, a save, a step of a logged run.
    void Ecrit(Ecrivain e) {
        switch (e) {
            case Ecrivain::Ecran:
                return EcritEcran(QStringLiteral("cible.vie"));
            case Ecrivain::Motif:
                return EcritMotif(QStringLiteral("cible.lif"));
            case Ecrivain::Aide:
                EnregAide();
                return;
            case Ecrivain::Journal:
                return Etape();
        }
    }
    // A device node of the test's own where the system lets it make one, so that a
    // faulty writer could replace only that one.
    QString Périphérique() const {
        const QString p = Chemin(QStringLiteral("périph"));
        if (mknod(QFile::encodeName(p).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) return p;
        // Without root nothing in /dev can be replaced.
        return geteuid() == 0 ? QString() : QStringLiteral("/dev/null");
    }
    static mode_t Sorte(const QString& chemin, bool suitLeLien = true) {
        struct stat st {};
        const QByteArray c = QFile::encodeName(chemin);
        if ((suitLeLien ? stat(c.constData(), &st) : lstat(c.constData(), &st)) != 0) return 0;
        return st.st_mode & S_IFMT;
    }
};

// The help document on a full disk, with what a failed save leaves to save again,
// is in the document store's tests.
TEST_P(Refus, AWriteTheFileSystemRefusesLeavesWhatWasThereAndIsTold) {
    const Cas cas = GetParam();
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    if (cas.ecrivain == Ecrivain::Journal) {
        CliqueCase(QStringLiteral("ccAléa"));
        CliqueCase(QStringLiteral("ccEnregR"));  // the run's header line: the log's old contents
        CliqueCase(QStringLiteral("ccAléa"));
    } else if (cas.ecrivain != Ecrivain::Aide) {
        Dépose(QFileInfo(Cible(cas.ecrivain)).fileName(), "ancien\r\n");
    }
    const QString cible = Cible(cas.ecrivain);
    const QByteArray cibleC = QFile::encodeName(cible);
    const QByteArray ancien = Contenu(QFileInfo(cible).fileName());
    ASSERT_FALSE(ancien.isEmpty());
    const QString périph = cas.panne == Panne::LienVersPériphérique ? Périphérique() : QString();
    if (cas.panne == Panne::LienVersPériphérique && périph.isEmpty())
        GTEST_SKIP() << "no device node of the test's own can be made here";

    struct rlimit avant {};
    getrlimit(RLIMIT_FSIZE, &avant);
    auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    int lecteur = -1;
    switch (cas.panne) {
        case Panne::DisquePlein: {
            struct rlimit petit = avant;
            // The log's step lines are cut in their middle.
            petit.rlim_cur = cas.ecrivain == Ecrivain::Journal ? ancien.size() + 8 : 16;
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petit), 0);
            break;
        }
        case Panne::Tube:
            ASSERT_TRUE(QFile::remove(cible));
            ASSERT_EQ(mkfifo(cibleC.constData(), 0600), 0);
            // A reader, so that a writer that opens the pipe is not held there.
            lecteur = ::open(cibleC.constData(), O_RDONLY | O_NONBLOCK);
            ASSERT_GE(lecteur, 0);
            break;
        case Panne::LienVersPériphérique:
            ASSERT_TRUE(QFile::remove(cible));
            ASSERT_TRUE(QFile::link(périph, cible));
            break;
    }
    MsgBoxScript boîtes;
    boîtes.expect(vbOK);
    Ecrit(cas.ecrivain);
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, ancienSignal);

    ASSERT_EQ(boîtes.shown().size(), 1u);
    const QString texte = boîtes.shown()[0].text;
    EXPECT_EQ(boîtes.shown()[0].style, 48);
    EXPECT_TRUE(texte.contains(cible)) << texte.toStdString();
    const QString raison = cas.panne == Panne::DisquePlein ? QString::fromLocal8Bit(std::strerror(EFBIG))
                                                           : QStringLiteral("pas un fichier ordinaire");
    EXPECT_TRUE(texte.contains(raison)) << texte.toStdString();
    switch (cas.panne) {
        case Panne::DisquePlein:
            EXPECT_EQ(Contenu(QFileInfo(cible).fileName()), ancien);
            break;
        case Panne::Tube: {
            EXPECT_EQ(Sorte(cible), mode_t(S_IFIFO));
            char octet;
            EXPECT_LE(::read(lecteur, &octet, 1), 0) << "nothing went into the pipe";
            ::close(lecteur);
            break;
        }
        case Panne::LienVersPériphérique:
            EXPECT_EQ(Sorte(cible, false), mode_t(S_IFLNK));
            EXPECT_EQ(Sorte(périph), mode_t(S_IFCHR));
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Refus,
    ::testing::Values(Cas{"BoardFileOnAFullDisk", Ecrivain::Ecran, Panne::DisquePlein},
                      Cas{"BoardFileOverAPipe", Ecrivain::Ecran, Panne::Tube},
                      Cas{"BoardFileOverALinkToADevice", Ecrivain::Ecran, Panne::LienVersPériphérique},
                      Cas{"PatternFileOnAFullDisk", Ecrivain::Motif, Panne::DisquePlein},
                      Cas{"PatternFileOverAPipe", Ecrivain::Motif, Panne::Tube},
                      Cas{"PatternFileOverALinkToADevice", Ecrivain::Motif, Panne::LienVersPériphérique},
                      Cas{"HelpDocumentOverAPipe", Ecrivain::Aide, Panne::Tube},
                      Cas{"HelpDocumentOverALinkToADevice", Ecrivain::Aide, Panne::LienVersPériphérique},
                      Cas{"LogOnAFullDisk", Ecrivain::Journal, Panne::DisquePlein},
                      Cas{"LogOverAPipe", Ecrivain::Journal, Panne::Tube},
                      Cas{"LogOverALinkToADevice", Ecrivain::Journal, Panne::LienVersPériphérique}),
    [](const ::testing::TestParamInfo<Cas>& i) { return std::string(i.param.nom); });

}  // namespace
