// The board as the window sets it up at load, the panel switch and the cell toggle.
#include "Partie.h"

#include "App.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRadioButton>

namespace {

struct MiseEnPlace : Partie {};

TEST_F(MiseEnPlace, TheDesignSizesGiveA46By46GridAndAUniverseOf188) {
    Demarre();
    Ostrane1& o = f();
    EXPECT_EQ(o.ColGrille, 46);
    EXPECT_EQ(o.LigGrille, 46);
    EXPECT_EQ(o.grJeu->Rows(), 46);
    EXPECT_EQ(o.grJeu->Cols(), 46);
    EXPECT_EQ(o.Grille.Rows(), 46);
    EXPECT_EQ(o.Grille.Cols(), 46);
    EXPECT_EQ(o.TailleUnivers, 188);
    EXPECT_EQ(o.Univers.Rows(), 188);
    EXPECT_EQ(o.UniSuiv.Cols(), 188);
    EXPECT_EQ(o.UniAnte.Rows(), 188);
    EXPECT_EQ(o.TailleMotif, 15);
    EXPECT_EQ(o.PosMotif, 15);
    EXPECT_EQ(o.PosMotifU, 88);
    EXPECT_EQ(o.grMotif->Rows(), 15);
    EXPECT_EQ(o.grMotif->Cols(), 15);
    EXPECT_EQ(o.NumGénér, 1);
    EXPECT_TRUE(o.PairDG);
    EXPECT_TRUE(o.PairHB);
    EXPECT_TRUE(Coche(QStringLiteral("coSymDG(2)"))) << "\"| |\" for an even column count";
    EXPECT_FALSE(Coche(QStringLiteral("coSymDG(1)")));
    EXPECT_TRUE(Coche(QStringLiteral("coSymHB(2)"))) << "\"=\" for an even row count";
    EXPECT_FALSE(Coche(QStringLiteral("coSymHB(1)")));
    EXPECT_EQ(o.coSymDG(2)->Caption(), QStringLiteral("| |"));
    EXPECT_EQ(o.coSymHB(2)->Caption(), QStringLiteral("="));
}

TEST_F(MiseEnPlace, EveryCellStartsDeadAndTheHistoryHoldsNoBoard) {
    Demarre();
    Ostrane1& o = f();
    for (int r = 0; r < 46; ++r)
        for (int c = 0; c < 46; ++c) {
            ASSERT_EQ(o.grJeu->TextMatrix(r, c), QStringLiteral(" "));
            ASSERT_EQ(o.Grille(r, c), life::Dead);
        }
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 15; ++c) ASSERT_EQ(o.grMotif->TextMatrix(r, c), QStringLiteral(" "));
    EXPECT_EQ(Vivantes(o.Univers).size(), 0);
    EXPECT_EQ(o.Univers(0, 0), life::Dead);
    EXPECT_NE(o.Avant1(0, 0), life::Dead);
    EXPECT_NE(o.Avant1(0, 0), life::Live);
    EXPECT_NE(o.Avant2(45, 45), life::Dead);
    EXPECT_EQ(Affiche(QStringLiteral("étGénér")), QString()) << "empty until the first step";
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QString());
}

TEST_F(MiseEnPlace, TheControlsStartInTheirDesignState) {
    Demarre();
    Ostrane1& o = f();
    EXPECT_TRUE(Coche(QStringLiteral("coMode(0)")));
    EXPECT_FALSE(Coche(QStringLiteral("coMode(1)")));
    EXPECT_TRUE(o.grJeu->Visible());
    EXPECT_FALSE(o.imJeu->Visible());
    EXPECT_TRUE(o.caGlobe->Visible());
    EXPECT_FALSE(o.caCosmos->Visible());
    EXPECT_TRUE(o.caJeu->Visible());
    EXPECT_FALSE(o.caFic->Visible());
    EXPECT_FALSE(o.caBiblio->Visible());
    // Rule 3/23 ticked in the boxes and in the strings.
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(Coche(QStringLiteral("ccCréa(%1)").arg(i)), i == 3) << i;
        EXPECT_EQ(Coche(QStringLiteral("ccSurvie(%1)").arg(i)), i == 2 || i == 3) << i;
        EXPECT_EQ(o.ccCréa(i)->Caption(), QString::number(i));
    }
    EXPECT_EQ(o.CréaCour, QStringLiteral("3"));
    EXPECT_EQ(o.SurvieCour, QStringLiteral("23"));
    EXPECT_FALSE(Coche(QStringLiteral("ccAléa")));
    EXPECT_TRUE(Coche(QStringLiteral("ccZéro")));
    EXPECT_FALSE(Actif(QStringLiteral("ccZéro")));
    EXPECT_FALSE(Coche(QStringLiteral("ccEnregR")));
    EXPECT_FALSE(Actif(QStringLiteral("ccEnregR")));
    // Fastest speed, stopped.
    EXPECT_EQ(o.bhAuto->Value(), 4);
    EXPECT_EQ(o.DélaiAuto, 100);
    EXPECT_EQ(o.miAuto->Interval(), 100);
    EXPECT_FALSE(o.miAuto->Enabled());
    EXPECT_FALSE(Coche(QStringLiteral("ccAuto")));
    EXPECT_TRUE(Actif(QStringLiteral("btVa")));
    EXPECT_FALSE(Actif(QStringLiteral("btAnte")));
    EXPECT_TRUE(Coche(QStringLiteral("coDépl(0)")));
    EXPECT_TRUE(Coche(QStringLiteral("ccVide")));
    EXPECT_FALSE(Coche(QStringLiteral("ccRègle")));
    const char* tags[] = {"h", "b", "g", "d"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(o.btFlèche(i)->Tag(), QString::fromUtf8(tags[i]));
}

TEST_F(MiseEnPlace, TheCentreCrossRunsThroughThePicturesMiddle) {
    Demarre();
    Ostrane1& o = f();
    // Laid out after the load: both follow the picture's scale.
    const double mid = o.imJeu->Width() / 2;
    EXPECT_NEAR(o.lnV->X1(), mid, 1);
    EXPECT_NEAR(o.lnV->X2(), mid, 1);
    EXPECT_NEAR(o.lnH->Y1(), o.imJeu->Height() / 2, 1);
    EXPECT_NEAR(o.lnH->X2(), o.imJeu->Width(), 1);
    EXPECT_FALSE(o.lnH->Visible());
}

TEST_F(MiseEnPlace, CellsAreScaledToTheScreen) {
    Demarre();
    EXPECT_EQ(f().grJeu->ColWidth(0), VbRound(216 * FacteurEcran));
    EXPECT_EQ(f().grJeu->RowHeight(45), VbRound(216 * FacteurEcran));
    EXPECT_EQ(f().grMotif->ColWidth(14), VbRound(181 * FacteurEcran));
    EXPECT_EQ(f().grMotif->RowHeight(0), VbRound(181 * FacteurEcran));
}

// Grid width in twips, the count it gives, whether the "| |" and "=" options are chosen.
struct LargeurGrille : Partie, ::testing::WithParamInterface<std::tuple<double, int, bool>> {};

TEST_P(LargeurGrille, TheGridCountFollowsItsWidthAndChoosesTheParityOptions) {
    const auto [largeur, compte, pair] = GetParam();
    Demarre(largeur);
    Ostrane1& o = f();
    EXPECT_EQ(o.ColGrille, compte);
    EXPECT_EQ(o.LigGrille, compte);
    EXPECT_EQ(o.grJeu->Cols(), compte);
    EXPECT_EQ(o.grJeu->Rows(), compte) << "the set-up's selections leave the grid at N x N";
    EXPECT_EQ(o.PairDG, pair);
    EXPECT_EQ(o.PairHB, pair);
    EXPECT_EQ(Coche(QStringLiteral("coSymDG(2)")), pair);
    EXPECT_EQ(Coche(QStringLiteral("coSymDG(1)")), !pair);
    EXPECT_EQ(Coche(QStringLiteral("coSymHB(2)")), pair);
    EXPECT_EQ(Coche(QStringLiteral("coSymHB(1)")), !pair);
    EXPECT_EQ(o.PosMotif, (compte - 15) / 2);
}

INSTANTIATE_TEST_SUITE_P(Largeurs, LargeurGrille,
                         ::testing::Values(std::make_tuple(217.0 * 45, 45, false),
                                           std::make_tuple(217.0 * 45 - 1, 44, true),
                                           std::make_tuple(217.0 * 46, 46, true),
                                           std::make_tuple(217.0 * 46 - 1, 45, false)));

struct LargeurImage : Partie, ::testing::WithParamInterface<std::tuple<double, int>> {};

TEST_P(LargeurImage, ThePatternsUniversePlaceRoundsHalvesToEven) {
    const auto [largeur, cote] = GetParam();
    Demarre(0, largeur);
    EXPECT_EQ(f().TailleUnivers, cote);
    EXPECT_EQ(f().Univers.Rows(), cote);
    EXPECT_EQ(f().PosMotifU, 88) << "87.5, 88 and 88.5 all give 88";
}

INSTANTIATE_TEST_SUITE_P(Largeurs, LargeurImage,
                         ::testing::Values(std::make_tuple(10092.0, 188), std::make_tuple(10140.0, 189),
                                           std::make_tuple(10200.0, 190)));

TEST_F(MiseEnPlace, TheDefaultFolderHashIsTheProgramsFolder) {
    Demarre();
    EXPECT_EQ(f().RépDéfaut, App::Path());
}

TEST_F(MiseEnPlace, AnyOtherDefaultFolderIsUsedAsItStands) {
    m_dossier = std::make_unique<ProgramFolder>();
    QByteArray aide = ShippedHelpFile();
    ASSERT_TRUE(aide.contains("R\\'e9pFic=#"));
    aide.replace("R\\'e9pFic=#", "R\\'e9pFic=/ailleurs/l\\'e0");
    m_dossier->writeHelpFile(aide);
    Demarre();
    EXPECT_EQ(f().RépDéfaut, QStringLiteral("/ailleurs/là"));
}

TEST_F(MiseEnPlace, TheRandomRunLogLiesBesideTheHelpFile) {
    Demarre();
    EXPECT_EQ(f().FicAléa, m_dossier->path() + QStringLiteral("/Ostrane-aléa.txt"));
}

TEST_F(MiseEnPlace, AFolderNamedLikeAnRtfFileIsRenamedInTheLogsPathToo) {
    m_dossier = std::make_unique<ProgramFolder>(false);
    const QString dans = m_dossier->path() + QStringLiteral("/aide.rtf");
    ASSERT_TRUE(QDir().mkpath(dans));
    QFile fi(dans + QStringLiteral("/Ostrane.rtf"));
    ASSERT_TRUE(fi.open(QIODevice::WriteOnly));
    fi.write(ShippedHelpFile());
    fi.close();
    App::setPath(dans);
    Demarre();
    EXPECT_EQ(f().FicAléa, m_dossier->path() + QStringLiteral("/aide-aléa.txt/Ostrane-aléa.txt"));
}

struct Cellules : Partie {};

TEST_F(Cellules, AClickBringsABoardCellToLifeAndASecondKillsIt) {
    Demarre();
    CliqueCellule(QStringLiteral("grJeu"), 7, 12);
    EXPECT_EQ(f().grJeu->TextMatrix(7, 12), Vivant());
    EXPECT_EQ(VivantesGrille(), QStringList{QStringLiteral("7,12")});
    EXPECT_EQ(f().Grille(7, 12), life::Dead) << "the click changes the grid only";
    EXPECT_EQ(f().NumGénér, 1);
    CliqueCellule(QStringLiteral("grJeu"), 7, 12);
    EXPECT_EQ(f().grJeu->TextMatrix(7, 12), QStringLiteral(" "));
}

TEST_F(Cellules, ACellHoldingAnyOtherTextIsEmptiedFirst) {
    Demarre();
    f().grJeu->setTextMatrix(3, 3, QStringLiteral("x"));
    f().grMotif->setTextMatrix(2, 2, QString());
    CliqueCellule(QStringLiteral("grJeu"), 3, 3);
    EXPECT_EQ(f().grJeu->TextMatrix(3, 3), QStringLiteral(" "));
    CliqueCellule(QStringLiteral("grJeu"), 3, 3);
    EXPECT_EQ(f().grJeu->TextMatrix(3, 3), Vivant());
    CliqueCellule(QStringLiteral("grMotif"), 2, 2);
    EXPECT_EQ(f().grMotif->TextMatrix(2, 2), QStringLiteral(" "));
}

TEST_F(Cellules, APatternCellTogglesTheSameWayAndLeavesTheBoardAlone) {
    Demarre();
    CliqueCellule(QStringLiteral("grMotif"), 0, 14);
    EXPECT_EQ(f().grMotif->TextMatrix(0, 14), Vivant());
    EXPECT_TRUE(VivantesGrille().isEmpty());
    CliqueCellule(QStringLiteral("grMotif"), 0, 14);
    EXPECT_EQ(f().grMotif->TextMatrix(0, 14), QStringLiteral(" "));
}

TEST_F(Cellules, ALiveCellIsDrawnAsABoldBullet) {
    Demarre();
    QWidget* grille = w(QStringLiteral("grJeu"));
    ASSERT_TRUE(grille);
    const FlexGrid::Rect rc = f().grJeu->cellRect(10, 10);
    auto encre = [&] {
        const QImage im = grille->grab().toImage();
        int n = 0;
        for (int y = rc.y + 2; y < rc.y + rc.h - 2; ++y)
            for (int x = rc.x + 2; x < rc.x + rc.w - 2; ++x)
                if (qGray(im.pixel(x, y)) < 96) ++n;
        return n;
    };
    EXPECT_EQ(encre(), 0);
    CliqueCellule(QStringLiteral("grJeu"), 10, 10);
    // A middle dot would be a pixel or two; the bullet fills a good part of the cell.
    EXPECT_GE(encre(), 9);
    EXPECT_TRUE(f().grJeu->FontBold());
}

struct Panneaux : Partie {};

TEST_F(Panneaux, OnePanelShowsAtATime) {
    Demarre();
    Ostrane1& o = f();
    o.MontreCadre(o.caFic);
    EXPECT_TRUE(o.caFic->Visible());
    EXPECT_FALSE(o.caJeu->Visible());
    EXPECT_FALSE(o.caBiblio->Visible());
    o.MontreCadre(o.caBiblio);
    EXPECT_TRUE(o.caBiblio->Visible());
    EXPECT_FALSE(o.caFic->Visible());
    o.MontreCadre(o.caJeu);
    EXPECT_TRUE(o.caJeu->Visible());
    EXPECT_FALSE(o.caBiblio->Visible());
    EXPECT_TRUE(w(QStringLiteral("btVa"))->isVisible());
}

// Every control of the board panel lies inside its frame, and none covers another:
// what overlaps would hide a caption or take another control's clicks.
TEST_F(Panneaux, TheBoardPanelsControlsFitTheirFramesWithoutOverlapping) {
    Demarre();
    Ostrane1& o = f();
    std::vector<Control*> dedans;
    for (Control* c : o.Controls()) {
        if (!c->widget() || !c->HasPosition() || dynamic_cast<Line*>(c)) continue;
        for (Control* p = c->Container(); p; p = p->Container())
            if (p == o.caJeu) {
                dedans.push_back(c);
                break;
            }
    }
    ASSERT_GT(dedans.size(), 60u);
    for (Control* c : dedans) {
        const QRect r = c->widget()->geometry();
        const QRect hote(QPoint(0, 0), c->widget()->parentWidget()->size());
        EXPECT_TRUE(hote.contains(r)) << c->ObjectName().toStdString() << " leaves its frame";
    }
    // The two universes' frames share one place, shown one at a time.
    auto partagent = [&](Control* a, Control* b) {
        return (a == o.caGlobe && b == o.caCosmos) || (a == o.caCosmos && b == o.caGlobe);
    };
    for (size_t i = 0; i < dedans.size(); ++i)
        for (size_t j = i + 1; j < dedans.size(); ++j) {
            Control* a = dedans[i];
            Control* b = dedans[j];
            if (a->Container() != b->Container() || partagent(a, b)) continue;
            EXPECT_FALSE(a->widget()->geometry().intersects(b->widget()->geometry()))
                << a->ObjectName().toStdString() << " overlaps " << b->ObjectName().toStdString();
        }
}

TEST_F(Panneaux, ThePatternGridShowsAllFifteenColumnsAndRows) {
    Demarre();
    Ostrane1& o = f();
    const FlexGrid::Rect der = o.grMotif->cellRect(14, 14);
    EXPECT_LE(der.x + der.w, o.grMotif->widget()->width());
    EXPECT_LE(der.y + der.h, o.grMotif->widget()->height());
    const QRect dansCadre = o.grMotif->widget()->geometry();
    EXPECT_LE(dansCadre.right(), o.caMotif->widget()->width() - 2) << "clear of the frame's border";
}

}  // namespace
