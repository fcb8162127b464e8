// The rule boxes, the random rule and the random-run log.
#include "App.h"
#include "Partie.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <algorithm>

namespace {

struct Règles : Partie {
    QString Cochées(const char* rangée) const {
        QString s;
        for (int i = 0; i <= 8; ++i)
            if (Coche(QStringLiteral("%1(%2)").arg(QString::fromUtf8(rangée)).arg(i))) s += QString::number(i);
        return s;
    }
};

TEST_F(Règles, ClickingTheBoxesRebuildsTheRuleInAscendingOrder) {
    Demarre();
    CliqueCase(QStringLiteral("ccCréa(6)"));
    EXPECT_EQ(f().CréaCour, QStringLiteral("36"));
    CliqueCase(QStringLiteral("ccCréa(1)"));
    EXPECT_EQ(f().CréaCour, QStringLiteral("136"));
    CliqueCase(QStringLiteral("ccCréa(3)"));
    EXPECT_EQ(f().CréaCour, QStringLiteral("16"));
    CliqueCase(QStringLiteral("ccSurvie(2)"));
    CliqueCase(QStringLiteral("ccSurvie(8)"));
    EXPECT_EQ(f().SurvieCour, QStringLiteral("38"));
    EXPECT_EQ(f().LisSurvie(), QStringLiteral("38"));
    EXPECT_EQ(f().LisCréa(), QStringLiteral("16"));
}

TEST_F(Règles, AnEmptyRuleUnticksEveryBox) {
    Demarre();
    f().EcriCréa(QString());
    EXPECT_EQ(Cochées("ccCréa"), QString());
    EXPECT_EQ(f().CréaCour, QString());
    EXPECT_EQ(f().SurvieCour, QStringLiteral("23")) << "the other row is not touched";
}

TEST_F(Règles, ARepeatedDigitTicksItsBoxOnce) {
    Demarre();
    f().EcriSurvie(QStringLiteral("332"));
    EXPECT_EQ(Cochées("ccSurvie"), QStringLiteral("23"));
    EXPECT_EQ(f().SurvieCour, QStringLiteral("23"));
    f().EcriCréa(QStringLiteral("8510"));
    EXPECT_EQ(f().CréaCour, QStringLiteral("0158"));
}

TEST_F(Règles, ASpaceOrALetterTicksBoxZero) {
    Demarre();
    f().EcriCréa(QStringLiteral("a5"));
    EXPECT_EQ(Cochées("ccCréa"), QStringLiteral("05"));
    f().EcriSurvie(QStringLiteral(" 4"));
    EXPECT_EQ(f().SurvieCour, QStringLiteral("04"));
}

TEST_F(Règles, ANineHasNoBoxAndIsDropped) {
    Demarre();
    f().EcriCréa(QStringLiteral("39"));
    EXPECT_EQ(Cochées("ccCréa"), QStringLiteral("3"));
    EXPECT_EQ(f().CréaCour, QStringLiteral("3"));
    f().EcriSurvie(QStringLiteral("9"));
    EXPECT_EQ(Cochées("ccSurvie"), QString());
    EXPECT_EQ(f().SurvieCour, QString());
}

TEST_F(Règles, WritingTheRuleTheBoxesShowChangesNothing) {
    Demarre();
    int appels = 0;
    for (int i = 0; i <= 8; ++i) {
        auto avant = f().ccSurvie(i)->Click;
        f().ccSurvie(i)->Click = [&appels, avant] {
            ++appels;
            avant();
        };
    }
    f().EcriSurvie(QStringLiteral("23"));
    EXPECT_EQ(appels, 4) << "boxes 2 and 3 are unticked, then ticked again";
    EXPECT_EQ(f().SurvieCour, QStringLiteral("23"));
    EXPECT_EQ(Cochées("ccSurvie"), QStringLiteral("23"));
}

struct Hasard : Règles {};

TEST_F(Hasard, TickingChanceEnablesItsTwoBoxesAndUntickingKeepsTheirTicks) {
    Demarre();
    CliqueCase(QStringLiteral("ccAléa"));
    EXPECT_TRUE(Actif(QStringLiteral("ccZéro")));
    EXPECT_TRUE(Actif(QStringLiteral("ccEnregR")));
    CliqueCase(QStringLiteral("ccZéro"));
    EXPECT_FALSE(Coche(QStringLiteral("ccZéro")));
    CliqueCase(QStringLiteral("ccZéro"));
    CliqueCase(QStringLiteral("ccAléa"));
    EXPECT_FALSE(Actif(QStringLiteral("ccZéro")));
    EXPECT_FALSE(Actif(QStringLiteral("ccEnregR")));
    EXPECT_TRUE(Coche(QStringLiteral("ccZéro")));
}

// Many draws: a rule that broke one of these would show within a few dozen.
TEST_F(Hasard, EveryStepDrawsARuleTheBoxesShow) {
    Demarre();
    CliqueCase(QStringLiteral("ccAléa"));
    bool videVue = false;
    QSet<QString> vues;
    QString chiffresCréa, chiffresSurvie;
    for (int i = 0; i < 3000; ++i) {
        Etape();
        const QString c = f().CréaCour, s = f().SurvieCour;
        ASSERT_EQ(c, Cochées("ccCréa"));
        ASSERT_EQ(s, Cochées("ccSurvie"));
        ASSERT_FALSE(s.isEmpty()) << "a drawn survival is never empty";
        ASSERT_FALSE(c.contains(QLatin1Char('0'))) << "\"Ø\" drops the birth digit 0";
        if (c.isEmpty()) videVue = true;
        vues.insert(s + QLatin1Char('/') + c);
        for (QChar d : c)
            if (!chiffresCréa.contains(d)) chiffresCréa += d;
        for (QChar d : s)
            if (!chiffresSurvie.contains(d)) chiffresSurvie += d;
    }
    EXPECT_TRUE(videVue) << "a birth of zeros only leaves no birth box ticked";
    EXPECT_GT(vues.size(), 500);
    // Every box of the row is drawn some time: the draw covers 0 to 8, its
    // highest digit included.
    std::sort(chiffresCréa.begin(), chiffresCréa.end());
    std::sort(chiffresSurvie.begin(), chiffresSurvie.end());
    EXPECT_EQ(chiffresCréa, QStringLiteral("12345678"));
    EXPECT_EQ(chiffresSurvie, QStringLiteral("012345678"));
}

TEST_F(Hasard, WithoutTheZeroBoxABirthDigitZeroIsDrawn) {
    Demarre();
    CliqueCase(QStringLiteral("ccAléa"));
    CliqueCase(QStringLiteral("ccZéro"));
    bool zéro = false;
    for (int i = 0; i < 3000 && !zéro; ++i) {
        Etape();
        zéro = f().CréaCour.startsWith(QLatin1Char('0'));
    }
    EXPECT_TRUE(zéro);
}

TEST_F(Hasard, WithoutChanceTheRuleStays) {
    Demarre();
    Etape(20);
    EXPECT_EQ(f().CréaCour, QStringLiteral("3"));
    EXPECT_EQ(f().SurvieCour, QStringLiteral("23"));
}

struct JournalAléa : Règles {
    // One header line: the short date of today (or of the day before, past midnight), a space, the time.
    static bool EstEnTête(const QByteArray& ligne) {
        const QString t = QString::fromLatin1(ligne);
        const int espace = t.lastIndexOf(QLatin1Char(' '));
        if (espace < 0) return false;
        const QString date = t.left(espace);
        const QDate auj = QDate::currentDate();
        const QLocale loc = QLocale::system();
        const bool dateOk = date == loc.toString(auj, QLocale::ShortFormat) ||
                            date == loc.toString(auj.addDays(-1), QLocale::ShortFormat);
        static const QRegularExpression heure(QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$"));
        return dateOk && heure.match(t.mid(espace + 1)).hasMatch();
    }
    void CocheEcrire() {
        CliqueCase(QStringLiteral("ccAléa"));
        CliqueCase(QStringLiteral("ccEnregR"));
        CliqueCase(QStringLiteral("ccAléa"));  // the rule stays 3/23, the box stays ticked
        ASSERT_TRUE(Coche(QStringLiteral("ccEnregR")));
    }
};

TEST_F(JournalAléa, EachTickOfWriteAddsOneHeaderLine) {
    Demarre();
    EXPECT_TRUE(Journal().isEmpty());
    CliqueCase(QStringLiteral("ccAléa"));
    CliqueCase(QStringLiteral("ccEnregR"));
    QByteArray j = Journal();
    ASSERT_TRUE(j.endsWith("\r\n"));
    QList<QByteArray> lignes = j.split('\n');
    ASSERT_EQ(lignes.size(), 2);
    EXPECT_TRUE(EstEnTête(lignes[0].chopped(1))) << lignes[0].toStdString();
    CliqueCase(QStringLiteral("ccEnregR"));
    EXPECT_EQ(Journal(), j) << "unticking writes nothing";
    CliqueCase(QStringLiteral("ccEnregR"));
    j = Journal();
    lignes = j.split('\n');
    ASSERT_EQ(lignes.size(), 3);
    EXPECT_TRUE(EstEnTête(lignes[1].chopped(1))) << lignes[1].toStdString();
}

TEST_F(JournalAléa, ACosmosStepWritesThePreviousCaptionAndTheRule) {
    Demarre();
    EntreCosmos();
    CocheEcrire();
    const QByteArray entête = Journal();
    // A blinker in the middle: three cells drawn, alternating.
    f().Univers(90, 90) = f().Univers(90, 91) = f().Univers(90, 92) = life::Live;
    Etape();
    Etape();
    const QByteArray attendu = QByteArray("G\xE9n\xE9ration  1\r\n23/3\r\n") +  // the caption after clearing
                               QByteArray("G\xE9n\xE9ration  2\r3 vivants\r\n23/3\r\n");
    EXPECT_EQ(Journal(), entête + attendu);
}

TEST_F(JournalAléa, AGlobeStepWritesNothing) {
    Demarre();
    Pose({{5, 5}, {5, 6}, {5, 7}});
    CocheEcrire();
    const QByteArray entête = Journal();
    Etape(3);
    EXPECT_EQ(Journal(), entête) << "a Globe step writes nothing";
}

TEST_F(JournalAléa, TheLogIsWrittenWhileWriteIsTickedEvenWithoutChance) {
    Demarre();
    EntreCosmos();
    CocheEcrire();
    ASSERT_FALSE(Coche(QStringLiteral("ccAléa")));
    const int avant = Journal().count('\n');
    Etape(3);
    EXPECT_EQ(Journal().count('\n'), avant + 6);
}

TEST_F(JournalAléa, ADrawnRuleIsLoggedAsTheStepUsedIt) {
    Demarre();
    EntreCosmos();
    CliqueCase(QStringLiteral("ccAléa"));
    CliqueCase(QStringLiteral("ccEnregR"));
    Etape();
    const QList<QByteArray> lignes = Journal().split('\n');
    ASSERT_EQ(lignes.size(), 4);
    EXPECT_EQ(lignes[2], (f().SurvieCour + QLatin1Char('/') + f().CréaCour).toLatin1() + '\r');
}

// A run is told once that its log cannot be written: again only once the log
// was written since, or "Ecrire" is ticked anew. The run itself goes on.
TEST_F(JournalAléa, ALogThatCannotBeWrittenIsToldOncePerRunAndTheRunGoesOn) {
    Demarre();
    // A folder where the log should be: it cannot be written as a file.
    ASSERT_TRUE(QDir().mkpath(f().FicAléa));
    MsgBoxScript boîtes;
    boîtes.expect(vbOK);
    EntreCosmos();
    CocheEcrire();
    ASSERT_EQ(boîtes.shown().size(), 1u) << "the header line of the run";
    EXPECT_EQ(boîtes.shown()[0].style, 48);
    EXPECT_TRUE(boîtes.shown()[0].text.contains(f().FicAléa)) << boîtes.shown()[0].text.toStdString();
    f().Univers(90, 90) = f().Univers(90, 91) = f().Univers(90, 92) = life::Live;
    Etape(3);
    CliqueCase(QStringLiteral("ccAuto"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f().NumGénér >= 8; }, 20000));
    EXPECT_TRUE(Coche(QStringLiteral("ccAuto"))) << "automatic running goes on";
    CliqueCase(QStringLiteral("ccAuto"));
    EXPECT_EQ(boîtes.shown().size(), 1u) << "one message for the run";

    CliqueCase(QStringLiteral("ccAléa"));
    CliqueCase(QStringLiteral("ccEnregR"));
    boîtes.expect(vbOK);
    CliqueCase(QStringLiteral("ccEnregR"));
    EXPECT_EQ(boîtes.shown().size(), 2u) << "a new run is told again";

    ASSERT_TRUE(QDir().rmdir(f().FicAléa));
    Etape();
    EXPECT_EQ(Journal().count('\n'), 2);
    ASSERT_TRUE(QFile::remove(f().FicAléa) && QDir().mkpath(f().FicAléa));
    boîtes.expect(vbOK);
    Etape();
    EXPECT_EQ(boîtes.shown().size(), 3u) << "a log written again and then lost again is told again";
}

}  // namespace
