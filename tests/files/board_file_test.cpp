// Board files: the Cosmos universe written to a ".vie" file byte for byte and
// read back; damaged files and failed writes never cost the user a board.
#include "Fichiers.h"

#include <QProcess>
#include <set>

namespace {

class FichiersVie : public Fichiers {
protected:
    static QByteArray Entête(const char* règle, const QString& légende) {
        return QByteArray(règle) + "\r\n" + EncodeCp1252(légende) + "\r\n";
    }
    // Every cell is dead or live: no third kind enters the board.
    void SeulementMortesOuVivantes() const {
        for (int r = 0; r < f().Univers.Rows(); ++r)
            for (int c = 0; c < f().Univers.Cols(); ++c) {
                const auto x = f().Univers(r, c);
                ASSERT_TRUE(x == life::Dead || x == life::Live) << r << "," << c;
            }
    }
};

TEST_F(FichiersVie, AnEmptyUniverseIsWrittenAsTwoLinesAnd188SeparatorsAndReadsBackEmpty) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    ASSERT_EQ(f().TailleUnivers, 188);
    EcritEcran(QStringLiteral("vide"));
    EXPECT_EQ(Contenu(QStringLiteral("vide.vie")),
              Entête("23/3", QStringLiteral("Génération  1")) + QByteArray(188, '\xFF'));

    f().Univers(50, 50) = life::Live;
    LitEcran(QStringLiteral("vide.vie"));
    EXPECT_EQ(Vivantes(f().Univers), QStringList());
    EXPECT_EQ(f().étLif->Caption(), QStringLiteral("vide"));
    EXPECT_FALSE(PointNoir(50, 50, 1));
}

// Row codes byte for byte, and the same rows read back.
TEST_F(FichiersVie, RowsAreWrittenAsTheirRunCodesAndComeBack) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    struct Cas {
        std::vector<int> vivantes;
        QByteArray code;
    };
    const Cas cas[] = {
        {{10, 11, 12, 20}, QByteArray("\x2D\x20\x26\x21\x2A\x20\x21", 7)},  // the final 167 dead left out
        {{100}, QByteArray("\x87\x20\x21", 3)},                             // 100 dead: count 0x87, kept as a byte
        {{187}, QByteArray("\xDE\x20\x21", 3)},                             // the last column after 187 dead
        {{186}, QByteArray("\xDD\x20\x21\x20", 4)},                         // a final single dead cell stays
        {{0}, QByteArray("\x21", 1)},                                       // column 0 alone
        {{0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  19,
          20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37,  38,  39,
          40,  41,  42,  43,  44,  45,  46,  47,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,
          60,  61,  62,  63,  64,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,
          80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  94,  95,  96,  97,  98,  99,
          100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119},
         QByteArray("\x9B\x21", 2)},  // 120 live: 0x9B, a byte Windows-1252 has no character for
    };
    QByteArray attendu = Entête("23/3", QStringLiteral("Génération  1"));
    for (int r = 0; r < 188; ++r) {
        const int k = r - 40;
        if (k >= 0 && k < int(std::size(cas))) {
            for (int c : cas[k].vivantes) f().Univers(r, c) = life::Live;
            attendu += cas[k].code;
        }
        attendu += '\xFF';
    }
    const QStringList vivantes = Vivantes(f().Univers);
    EcritEcran(QStringLiteral("rangées"));
    EXPECT_EQ(Contenu(QStringLiteral("rangées.vie")).toHex(' '), attendu.toHex(' '));

    Clique(QStringLiteral("btVide"));
    f().Univers(50, 50) = life::Live;  // gone: reading starts from an empty board
    LitEcran(QStringLiteral("rangées.vie"));
    EXPECT_EQ(Vivantes(f().Univers), vivantes);
    EXPECT_TRUE(PointNoir(41, 100, 1)) << "the picture shows the universe read";
}

// A Cosmos board carried to a file and back after several steps: universe,
// rule and both lines of the caption; the generation count starts again at 1.
TEST_F(FichiersVie, ABoardWrittenAfterSeveralStepsReadsBackExactly) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Pose({{22, 23}, {22, 24}, {23, 22}, {23, 23}, {24, 23}});  // the R-pentomino
    CliqueCase(QStringLiteral("ccSurvie(6)"));
    EntreCosmos();
    Etape(6);
    const QStringList vivantes = Vivantes(f().Univers);
    const QString légende = f().étGénér->Caption();
    ASSERT_TRUE(légende.contains(QLatin1Char('\r')));
    ASSERT_EQ(Règle(), QStringLiteral("236/3"));
    EcritEcran(QStringLiteral("partie"));
    const QByteArray octets = Contenu(QStringLiteral("partie.vie"));
    EXPECT_TRUE(octets.startsWith(Entête("236/3", légende))) << "line 2 holds the caption's lone CR";

    // Another board, another rule, a run under way.
    Etape(3);
    CliqueCase(QStringLiteral("ccCréa(6)"));
    CliqueCase(QStringLiteral("ccSurvie(6)"));
    CliqueCase(QStringLiteral("ccAuto"));
    LitEcran(QStringLiteral("partie.vie"));
    EXPECT_FALSE(Coche(QStringLiteral("ccAuto"))) << "reading stops the run";
    EXPECT_EQ(Vivantes(f().Univers), vivantes);
    EXPECT_EQ(f().étGénér->Caption(), légende);
    EXPECT_EQ(Règle(), QStringLiteral("236/3"));
    EXPECT_TRUE(Coche(QStringLiteral("ccSurvie(6)")));
    EXPECT_FALSE(Coche(QStringLiteral("ccCréa(6)")));
    EXPECT_EQ(f().NumGénér, 1);
    EXPECT_EQ(f().étSuite->Caption(), QString());
    EXPECT_EQ(f().étLif->Caption(), QStringLiteral("partie"));
    const QStringList premier = vivantes.front().split(QLatin1Char(','));
    EXPECT_TRUE(PointNoir(premier[0].toInt(), premier[1].toInt(), 1));
    Etape();
    EXPECT_TRUE(f().étGénér->Caption().startsWith(QStringLiteral("Génération  2\r")));
}

TEST_F(FichiersVie, ALineOneStartingWithTheSlashUnticksEverySurvivalBox) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    Dépose(QStringLiteral("seul.vie"), Entête("/3", QStringLiteral("x")) + QByteArray(188, '\xFF'));
    LitEcran(QStringLiteral("seul.vie"));
    EXPECT_EQ(Règle(), QStringLiteral("/3"));
    for (int i = 0; i <= 8; ++i) EXPECT_FALSE(Coche(QStringLiteral("ccSurvie(%1)").arg(i)));
}

// A file that cannot be read, or holds nothing, leaves the board, the rule and
// the captions as they were, and says so.
TEST_F(FichiersVie, AFileThatCannotBeReadChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    Dépose(QStringLiteral("bon.vie"), Entête("23/3", QStringLiteral("g")) + "!\xFF");
    Dépose(QStringLiteral("vide.vie"), QByteArray());
    ASSERT_TRUE(QDir(Dossier()).mkdir(QStringLiteral("dossier.vie")));
    Etape();
    f().Univers(80, 80) = life::Live;
    const Plateau univers = f().Univers;
    const QString légende = f().étGénér->Caption();
    struct Cas {
        const char* nom;
        const char* dit;
    };
    for (const Cas& c : {Cas{"absent.vie", "n'a pas pu être lu"}, Cas{"vide.vie", "est vide"},
                         Cas{"dossier.vie", "n'a pas pu être lu"}}) {
        SCOPED_TRACE(c.nom);
        MsgBoxScript boîtes;
        boîtes.expect(vbOK);
        AvecPanneau(QStringLiteral("btChargeL"), [&] {
            Choisit(QStringLiteral("bon.vie"));
            Tape(QString::fromUtf8(c.nom));
            Confirme();
        });
        ASSERT_EQ(boîtes.shown().size(), 1u);
        EXPECT_EQ(boîtes.shown()[0].style, 48);
        EXPECT_TRUE(boîtes.shown()[0].text.contains(Chemin(QString::fromUtf8(c.nom))));
        EXPECT_TRUE(boîtes.shown()[0].text.contains(QString::fromUtf8(c.dit)));
        EXPECT_EQ(f().Univers, univers);
        EXPECT_EQ(f().étGénér->Caption(), légende);
        EXPECT_EQ(f().étLif->Caption(), QString());
        EXPECT_EQ(f().NumGénér, 2);
    }
}

// A write that fails says so, and the file that was there stays whole.
TEST_F(FichiersVie, AFailedWriteIsToldAndLeavesTheOldFileWhole) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    ASSERT_TRUE(QDir(Dossier()).mkdir(QStringLiteral("dossier.vie")));
    {
        MsgBoxScript boîtes;
        boîtes.expect(vbOK);
        EcritEcran(QStringLiteral("dossier.vie"));
        ASSERT_EQ(boîtes.shown().size(), 1u);
        EXPECT_EQ(boîtes.shown()[0].style, 48);
        EXPECT_TRUE(boîtes.shown()[0].text.contains(Chemin(QStringLiteral("dossier.vie"))));
        EXPECT_TRUE(boîtes.shown()[0].text.contains(QStringLiteral("n'a pas pu être écrit")));
        EXPECT_TRUE(QFileInfo(Chemin(QStringLiteral("dossier.vie"))).isDir());
    }

    // A folder where nothing can be written: by its permissions, or, for a user
    // whom permissions do not stop, by the file system's immutable flag.
    const QString protégé = Chemin(QStringLiteral("protégé"));
    ASSERT_TRUE(QDir().mkpath(protégé));
    const QByteArray ancien = Entête("3/3", QStringLiteral("ancien")) + QByteArray(188, '\xFF');
    {
        QFile fi(protégé + QStringLiteral("/garde.vie"));
        ASSERT_TRUE(fi.open(QIODevice::WriteOnly));
        fi.write(ancien);
    }
    QFile::setPermissions(protégé, QFile::ReadOwner | QFile::ExeOwner);
    bool immuable = false;
    auto inscriptible = [&] {
        QFile essai(protégé + QStringLiteral("/essai"));
        const bool ok = essai.open(QIODevice::WriteOnly);
        if (ok) essai.remove();
        return ok;
    };
    if (inscriptible()) immuable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), protégé}) == 0;
    if (inscriptible()) {
        QFile::setPermissions(protégé, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "no folder can be made unwritable here";
    }
    f().Univers(70, 70) = life::Live;
    {
        MsgBoxScript boîtes;
        boîtes.expect(vbOK);
        AvecPanneau(QStringLiteral("btEnregL"), [&] {
            VaDans(protégé);
            Choisit(QStringLiteral("garde.vie"));
            Confirme();
        });
        ASSERT_EQ(boîtes.shown().size(), 1u);
        EXPECT_EQ(boîtes.shown()[0].style, 48);
        EXPECT_TRUE(boîtes.shown()[0].text.contains(QStringLiteral("garde.vie")));
    }
    if (immuable) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), protégé});
    QFile::setPermissions(protégé, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile fi(protégé + QStringLiteral("/garde.vie"));
    ASSERT_TRUE(fi.open(QIODevice::ReadOnly));
    EXPECT_EQ(fi.readAll(), ancien);
}

// Damaged files: what can be read is shown, nothing lands outside the
// universe, only "!" gives a live cell, and the user is told.
TEST_F(FichiersVie, DamagedFilesShowWhatCanBeReadAndSaySo) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EntreCosmos();
    const QString légende = QStringLiteral("Génération  1");
    QByteArray plusDeRangées;
    for (int r = 0; r < 200; ++r) plusDeRangées += "!\xFF";
    struct Cas {
        const char* quoi;
        QByteArray octets;
        const char* règle;
        std::vector<std::pair<int, int>> vivantes;  // empty: not checked cell by cell
        int compte;
        const char* dit;
    };
    const Cas cas[] = {
        {"a count with nothing after it", Entête("23/3", légende) + "!\x87", "23/3", {{0, 0}}, 1, "endommagé"},
        {"a count below 0x25", Entête("23/3", légende) + "\x22!\x24!\x26!!", "23/3", {}, -1, "endommagé"},
        {"a cell byte other than \"!\"", Entête("23/3", légende) + "\x27x!", "23/3", {{0, 4}}, 1, "endommagé"},
        {"more rows than the universe", Entête("23/3", légende) + plusDeRangées, "23/3", {}, 188, "plus grand"},
        {"a row longer than the universe", Entête("23/3", légende) + "\xFE!\xFE!\xFF", "23/3", {}, 188, "plus grand"},
        {"a line 1 without a slash", Entête("36", légende) + "!\xFF", "23/3", {{0, 0}}, 1, "endommagé"},
        {"fewer than three lines", QByteArray("36/3\r\n"), "36/3", {}, 0, "endommagé"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        Dépose(QStringLiteral("abîmé.vie"), c.octets);
        f().EcriCréa(QStringLiteral("3"));
        f().EcriSurvie(QStringLiteral("23"));
        MsgBoxScript boîtes;
        boîtes.expect(vbOK);
        LitEcran(QStringLiteral("abîmé.vie"));
        ASSERT_EQ(boîtes.shown().size(), 1u);
        EXPECT_EQ(boîtes.shown()[0].style, 48);
        EXPECT_TRUE(boîtes.shown()[0].text.contains(QString::fromUtf8(c.dit))) << boîtes.shown()[0].text.toStdString();
        EXPECT_EQ(Règle(), QString::fromUtf8(c.règle));
        ASSERT_NO_FATAL_FAILURE(SeulementMortesOuVivantes());
        const QStringList vivantes = Vivantes(f().Univers);
        if (c.compte >= 0) {
            EXPECT_EQ(vivantes.size(), c.compte);
        }
        for (const auto& [r, col] : c.vivantes) EXPECT_TRUE(vivantes.contains(QStringLiteral("%1,%2").arg(r).arg(col)));
        EXPECT_EQ(f().étLif->Caption(), QStringLiteral("abîmé"));
    }
}

}  // namespace
