// The settings table and its block: what start-up reads, what a save writes,
// and the messages for a key that is not there.
#include "App.h"
#include "OstraneM.h"
#include "Programme.h"
#include "TestSupport.h"
#include "settings_block.h"

#include <gtest/gtest.h>

namespace {

const QString kBloc = QStringLiteral("~~~~< Ne pas modifier >~~~~\r\nRépFic=#\r\nEcran=/\r\nZoom=10\r\nFin\r\n");

struct Reglages : ::testing::Test {
    void SetUp() override { ReinitProgramme(); }
};

TEST_F(Reglages, KeysAreFoundWithoutRegardToLetterCaseButExactlyOtherwise) {
    ASSERT_EQ(LisBlocCfg(kBloc), QString());
    EXPECT_EQ(LisCfg(QStringLiteral("ecran")), QStringLiteral("/"));
    EXPECT_EQ(LisCfg(QStringLiteral("RÉPFIC")), QStringLiteral("#"));
    MsgBoxScript script;
    script.expect(vbOK);
    EXPECT_EQ(LisCfg(QStringLiteral("Ecran ")), QString());
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("LisCfg >>> Ecran  non trouvé"));
    EXPECT_EQ(script.shown()[0].style, 16);
}

TEST_F(Reglages, TheMarkerLineIsNeverTakenForASetting) {
    LisBlocCfg(QStringLiteral("Zoom=3\r\nZoom=12\r\nFin\r\n"));
    EXPECT_EQ(LisCfg(QStringLiteral("zoom")), QStringLiteral("12"));
}

TEST_F(Reglages, WritingAnAbsentKeyTellsTheUserAndLeavesTheBlockAsItWas) {
    LisBlocCfg(kBloc);
    MsgBoxScript script;
    script.expect(vbOK);
    EcriCfg(QStringLiteral("Couleur"), QStringLiteral("rouge"));
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("EcriCfg >>> Couleur non trouvé"));
    EXPECT_EQ(script.shown()[0].style, 16);
    EXPECT_EQ(settings::BuildBlock(Cfg), kBloc);
}

TEST_F(Reglages, WritingAKeyChangesItsValueOnly) {
    LisBlocCfg(kBloc);
    EcriCfg(QStringLiteral("ECRAN"), QStringLiteral("#"));
    EXPECT_EQ(settings::BuildBlock(Cfg),
              QStringLiteral("~~~~< Ne pas modifier >~~~~\r\nRépFic=#\r\nEcran=#\r\nZoom=10\r\nFin\r\n"));
}

TEST_F(Reglages, ABlockWithOnlyTheMarkerAndFinHasNoSettings) {
    LisBlocCfg(QStringLiteral("~~~~< Ne pas\r\nFin\r\n"));
    MsgBoxScript script;
    script.expect(vbOK);
    script.expect(vbOK);
    EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), QString());
    EXPECT_EQ(LisCfg(QStringLiteral("Zoom")), QString());
}

TEST_F(Reglages, AKeyAloneOrWithAnEmptyValueGivesAnEmptyValue) {
    settings::Table t;
    settings::ParseBlock(QStringLiteral("~~~~< Ne pas\r\nZoom=\r\nEcran\r\nFin"), t);
    EXPECT_EQ(t.key[1], QStringLiteral("Zoom"));
    EXPECT_EQ(t.value[1], QString());
    EXPECT_EQ(t.key[2], QStringLiteral("Ecran"));
    EXPECT_EQ(t.value[2], QString());
    EXPECT_EQ(settings::BuildBlock(t), QStringLiteral("~~~~< Ne pas\r\nZoom=\r\nEcran=\r\nFin\r\n"));
}

TEST_F(Reglages, ElevenLinesFitTwelveDoNot) {
    QString onze = QStringLiteral("~~~~< Ne pas\r\n");
    for (int i = 1; i <= 9; ++i) onze += QStringLiteral("k%1=v%1\r\n").arg(i);
    onze += QStringLiteral("Fin\r\n");
    settings::Table t;
    EXPECT_TRUE(settings::ParseBlock(onze, t));
    EXPECT_EQ(settings::BuildBlock(t), onze) << "all eleven lines are written back";
    settings::Table t2;
    EXPECT_FALSE(settings::ParseBlock(onze + QStringLiteral("Encore\r\n"), t2));
    EXPECT_EQ(t2.key[10], QStringLiteral("Fin"));
    EXPECT_EQ(t2.key[9], QStringLiteral("k9"));
}

TEST_F(Reglages, EmptyLinesAfterFinAndLoneCarriageReturnsChangeNothing) {
    settings::Table crlf, cr;
    EXPECT_TRUE(settings::ParseBlock(kBloc + QStringLiteral("\r\n\r\n\r\n"), crlf));
    QString seul = kBloc;
    seul.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    EXPECT_TRUE(settings::ParseBlock(seul, cr));
    EXPECT_EQ(settings::BuildBlock(crlf), kBloc);
    EXPECT_EQ(settings::BuildBlock(cr), kBloc) << "the writer always ends lines with CR LF";
}

TEST_F(Reglages, AValueHoldingAnEqualsSignComesBackWhole) {
    settings::Table t;
    settings::ParseBlock(QStringLiteral("~~~~< Ne pas\r\nRépFic=/données/a=b\r\nFin\r\n"), t);
    EXPECT_EQ(t.value[1], QStringLiteral("/données/a=b"));
}

TEST_F(Reglages, ARowLeftEmptyByABlankLineDoesNotLoseTheRowsAfterIt) {
    settings::Table t;
    settings::ParseBlock(QStringLiteral("~~~~< Ne pas\r\nEcran=/\r\n\r\nZoom=10\r\nFin\r\n"), t);
    EXPECT_EQ(settings::BuildBlock(t), QStringLiteral("~~~~< Ne pas\r\nEcran=/\r\nZoom=10\r\nFin\r\n"));
}

TEST_F(Reglages, ALongBlockIsTakenWholeUpToItsFinLine) {
    const QString long_ = QString(1500, QChar('d'));
    const QString bloc = QStringLiteral("~~~~< Ne pas\r\nRépFic=") + long_ + QStringLiteral("\r\nEcran=/\r\nFin\r\n");
    EXPECT_EQ(settings::BlockLength(bloc), bloc.size());
    EXPECT_EQ(settings::BlockLength(kBloc), kBloc.size()) << "a short block: the rest of the text";
    const QString suivi = kBloc + QString(2000, QChar('x'));
    EXPECT_EQ(settings::BlockLength(suivi), 1000) << "the usual 1000 characters";
}

// What a save checks before writing: a marker in the help text would be taken for the
// block's start, a value on two lines would split the block, and a block is read past
// 1000 characters only on to its "Fin" line.
TEST_F(Reglages, ASaveFindsWhatWouldKeepTheProgramFromStartingAgain) {
    using D = settings::DocumentCheck;
    const std::pair<QString, D::Fault> valeurs[] = {
        {QStringLiteral("/a=b/\tc/~~~~< Ne pas/") + QString(1500, QChar('d')), D::None},
        {QStringLiteral("/a\nb"), D::NotOnOneLine},
        {QStringLiteral("/a\rb"), D::NotOnOneLine},
        {QStringLiteral("/a") + QChar(0x2028), D::NotOnOneLine},
        {QStringLiteral("/a") + QChar(1), D::NotOnOneLine},
    };
    LisBlocCfg(kBloc);
    for (const auto& [valeur, défaut] : valeurs) {
        Cfg.value[1] = valeur;
        EXPECT_EQ(settings::CheckDocument(QStringLiteral("Aide"), Cfg).fault, défaut) << valeur.toStdString();
    }
    Cfg.value[1] = QStringLiteral("#");
    const D d = settings::CheckDocument(QStringLiteral("Aide\r\nx ~~~~< nE PAS"), Cfg);
    EXPECT_EQ(d.fault, D::MarkerInText);
    EXPECT_EQ(d.position, 8);
    settings::Table sansFin;
    settings::ParseBlock(QStringLiteral("~~~~< Ne pas\r\nRépFic=") + QString(1000, QChar('d')), sansFin);
    EXPECT_EQ(settings::CheckDocument(QString(), sansFin).fault, D::BlockCut);
}

}  // namespace
