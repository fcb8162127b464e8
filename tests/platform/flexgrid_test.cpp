// The painted grid: cells by row and column, sizes in twips, the current cell
// set before the click runs, back colours, and a live cell shown as a bullet.
#include "App.h"
#include "FlexGrid.h"
#include "Form.h"
#include "TestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class Fenetre : public Form {
public:
    Fenetre() : Form(QStringLiteral("Grille")) {}
    FlexGrid* gr = nullptr;
    std::vector<std::pair<int, int>> clics;

protected:
    void CreateControls() override {
        gr = Ajoute<FlexGrid>(nullptr, QStringLiteral("grJeu"));
        gr->Move(0, 0, 3000, 3000);
        gr->setRows(10);
        gr->setCols(10);
        for (int i = 0; i < 10; ++i) {
            gr->setColWidth(i, 300);
            gr->setRowHeight(i, 300);
        }
        gr->Click = [this] { clics.emplace_back(gr->Row(), gr->Col()); };
    }
};

TEST(Grille, AClickRunsAfterTheClickedCellBecameCurrent) {
    Fenetre f;
    f.Show();
    const auto r = f.gr->cellRect(3, 7);
    ClickAt(f.gr->widget(), QPoint(r.x + r.w / 2, r.y + r.h / 2));
    ASSERT_EQ(f.clics.size(), 1u);
    EXPECT_EQ(f.clics[0], std::make_pair(3, 7));
}

TEST(Grille, CellTextsAreKeptWhenTheGridShrinksAndGrows) {
    Fenetre f;
    f.Load();
    f.gr->setTextMatrix(2, 9, QStringLiteral("·"));
    f.gr->setTextMatrix(2, 8, QStringLiteral("·"));
    f.gr->setCols(9);
    EXPECT_EQ(f.gr->TextMatrix(2, 8), QStringLiteral("·"));
    f.gr->setCols(10);
    EXPECT_TRUE(f.gr->TextMatrix(2, 9).isEmpty()) << "a column that comes back is new";
    EXPECT_TRUE(f.gr->TextMatrix(20, 20).isEmpty()) << "outside the grid reads nothing";
}

TEST(Grille, SizesAreKeptInTwips) {
    Fenetre f;
    f.Load();
    f.gr->setColWidth(4, 216 * 1.5);
    EXPECT_DOUBLE_EQ(f.gr->ColWidth(4), 324);
    EXPECT_DOUBLE_EQ(f.gr->RowHeight(4), 300);
}

TEST(Grille, TheCurrentCellsBackColourIsItsOwn) {
    Fenetre f;
    f.Load();
    f.gr->setRow(4);
    f.gr->setCol(5);
    f.gr->setCellBackColor(255);
    EXPECT_EQ(f.gr->CellBackColorAt(4, 5), 255);
    EXPECT_EQ(f.gr->CellBackColorAt(5, 4), 0xFFFFFF);
    EXPECT_EQ(f.gr->CellBackColor(), 255);
}

TEST(Grille, ALiveCellIsPaintedAsADarkBulletAndADeadOneStaysWhite) {
    Fenetre f;
    f.Show();
    f.gr->setFont(QStringLiteral("Symbol"), 13.8, true);
    f.gr->setDisplayMap(QStringLiteral("·"), QStringLiteral("•"));
    f.gr->setTextMatrix(1, 1, QStringLiteral("·"));
    f.gr->setTextMatrix(1, 2, QStringLiteral(" "));
    QTest::qWait(20);
    const QImage img = f.gr->widget()->grab().toImage();
    auto dark = [&](int r, int c) {
        const auto cr = f.gr->cellRect(r, c);
        int n = 0;
        for (int y = cr.y + 2; y < cr.y + cr.h - 1; ++y)
            for (int x = cr.x + 2; x < cr.x + cr.w - 1; ++x)
                if (qGray(img.pixel(x, y)) < 100) ++n;
        return n;
    };
    EXPECT_GT(dark(1, 1), 3);
    EXPECT_EQ(dark(1, 2), 0);
}

}  // namespace
