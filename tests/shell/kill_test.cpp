// A program killed while it saves, at any moment: every file it keeps is
// afterwards the one before the save or the one after it, whole.
#include "Demarre.h"
#include "RichTextBox.h"
#include "disque.h"
#include "lif_format.h"
#include "vie_format.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSet>
#include <climits>
#include <csignal>
#include <iostream>
#include <poll.h>
#include <random>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct Coupure : Programme {
    // The help document, a board file and a pattern file.
    QStringList Fichiers() const {
        return {dossier->helpFile(), dossier->path() + QStringLiteral("/écran.vie"),
                dossier->path() + QStringLiteral("/motif.lif")};
    }
    static QByteArray Octets(const QString& chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // One round of every kind of save, in version v (0 or 1) of what it saves;
    // `après` runs after each save.
    void Tour(int v, const std::function<void()>& après) {
        Ostrane1& f = *Principale();
        // The board and pattern writers, past their file panels.
        f.Univers(90, 90) = v ? life::Live : life::Dead;
        fichiers::EcritFichier(Fichiers()[1], vie::Write({f.SurvieCour, f.CréaCour}, f.étGénér->Caption(),
                                                         f.Univers.data(), f.Univers.Rows()));
        après();
        std::vector<life::Cell> motif(15 * 15, life::Dead);
        motif[7 * 15 + 7 + v] = life::Live;
        fichiers::EcritFichier(Fichiers()[2], lif::Write({f.SurvieCour, f.CréaCour}, motif.data(), 15));
        après();
        // The help text, edited and saved as the help window saves it.
        RichTextBox* tx = FenAide->txAide();
        tx->setSelStart(0);
        tx->setSelLength(1);
        tx->setSelText(v ? QStringLiteral("A") : QStringLiteral("B"));
        EnregAide();
        après();
        f.txRègle(0)->setText(QStringLiteral("Version %1").arg(v));
        f.btRèglEnreg_Click();
        après();
        // What applying a display option saves.
        EcriCfg(QStringLiteral("Ecran"), v ? QStringLiteral("@") : QStringLiteral("/"));
        EnregAide();
        après();
    }
};

TEST_F(Coupure, AProgramKilledWhileSavingLeavesEveryFileOldOrNewAndWhole) {
    Prepare();
    Demarre();
    MsgBoxScript aucune;
    Principale()->btBiblio_Click();
    ASSERT_TRUE(Principale()->caBiblio->Visible());
    const int veille = inotify_init1(IN_CLOEXEC);
    ASSERT_GE(veille, 0);
    ASSERT_GE(inotify_add_watch(veille, QFile::encodeName(dossier->path()).constData(),
                                IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO),
              0);
    // How many changes were made in the folder, waiting up to `délaiMs` for the nth.
    auto changements = [&](int n, int délaiMs) {
        int vus = 0;
        alignas(inotify_event) char tampon[4096];
        pollfd p{veille, POLLIN, 0};
        while (vus < n && poll(&p, 1, délaiMs) > 0) {
            const ssize_t lu = read(veille, tampon, sizeof tampon);
            for (ssize_t i = 0; i < lu;
                 i += ssize_t(sizeof(inotify_event)) + reinterpret_cast<inotify_event*>(tampon + i)->len)
                ++vus;
        }
        return vus;
    };

    // Every version the files go through; how long a round takes and how many changes it makes.
    QHash<QString, QSet<QByteArray>> versions;
    auto note = [&] {
        for (const QString& c : Fichiers()) versions[c].insert(Octets(c));
    };
    note();
    versions[Fichiers()[1]].clear();  // neither is there yet, and once written never goes
    versions[Fichiers()[2]].clear();
    QElapsedTimer montre;
    montre.start();
    // Two rounds of each version: each file meets every pair of neighbouring versions.
    for (int v : {0, 1, 0, 1}) Tour(v, note);
    const int tourUs = int(montre.nsecsElapsed() / 4000);
    const int parTour = changements(INT_MAX, 0) / 4;
    ASSERT_TRUE(aucune.shown().empty());
    ASSERT_GT(parTour, 0);
    const QStringList connus = QDir(dossier->path()).entryList(QDir::Files);

    // The saving process is this one forked: the same program, saving from where it is.
    ASSERT_EQ(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1)
        << "forked from a process of one thread";
    std::mt19937 hasard(std::random_device{}());
    auto auHasard = [&](int de, int à) { return std::uniform_int_distribution<int>(de, à)(hasard); };
    int coupures = 0, restes = 0;
    montre.restart();
    while (montre.elapsed() < 1500) {
        std::fflush(nullptr);
        const pid_t enfant = fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0) {
            for (int i = 0; i < 1000; ++i) Tour(i % 2, [] {});
            _exit(0);
        }
        bool vu = true;
        if (auHasard(0, 1)) {
            // Any moment of a round: most of a save goes in making its data safe on disk.
            std::this_thread::sleep_for(std::chrono::microseconds(auHasard(0, tourUs)));
        } else {
            // Just after a change in the folder: a writer that empties a file first is caught there.
            const int n = auHasard(1, parTour);
            vu = changements(n, 10000) >= n;
            std::this_thread::sleep_for(std::chrono::microseconds(auHasard(0, 100)));
        }
        kill(enfant, SIGKILL);
        int statut = 0;
        ASSERT_EQ(waitpid(enfant, &statut, 0), enfant);
        ASSERT_TRUE(vu) << "the saving process stopped writing";
        ASSERT_TRUE(WIFSIGNALED(statut) && WTERMSIG(statut) == SIGKILL) << "the saving process ended by itself";
        ++coupures;
        for (const QString& c : Fichiers())
            ASSERT_TRUE(versions[c].contains(Octets(c)))
                << c.toStdString() << " after kill " << coupures << ": " << Octets(c).size() << " bytes";
        // What a killed save may leave beside the file: its temporary copy, never in its place.
        for (const QString& nom : QDir(dossier->path()).entryList(QDir::Files))
            if (!connus.contains(nom)) {
                ++restes;
                QFile::remove(dossier->path() + QLatin1Char('/') + nom);
            }
        changements(INT_MAX, 0);
    }
    ::close(veille);
    std::cout << "[          ] " << coupures << " kills, " << restes << " temporary files left behind\n";
}

}  // namespace
