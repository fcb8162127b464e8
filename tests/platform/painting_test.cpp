// The board grids and the universe picture keep a picture of themselves and
// repaint only what changed: what reaches the screen must stay, pixel for
// pixel, what a drawing of the whole control from scratch gives, after many
// generations of a soup, at two screen sizes.
#include "App.h"
#include "Controls.h"
#include "Form.h"
#include "Partie.h"
#include "reference_step.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <random>

namespace {

// What the window shows of a control: its part of the window's backing store,
// which only the bands the control told of have been copied into.
QImage AlEcran(QWidget* w) {
    QWidget* fen = w->window();
    const QPoint o = w->mapTo(fen, QPoint(0, 0));
    return w->screen()
        ->grabWindow(fen->winId(), o.x(), o.y(), w->width(), w->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

template <class C>
QImage Entier(const C& c) {
    QImage im(c.widget()->size(), QImage::Format_RGB32);
    im.fill(Qt::magenta);
    QPainter p(&im);
    c.paintWhole(p);
    return im;
}

// Lets the batch's redraw and the window's repaint run.
void Calme() {
    for (int i = 0; i < 3; ++i) DoEvents();
}

// Counts pixels that differ, and gives the first one.
int Ecarts(const QImage& a, const QImage& b, QPoint& premier) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && n++ == 0) premier = QPoint(x, y);
    return n;
}

#define EXPECT_SAME_PICTURE(montre, entier, quand)                                                     \
    do {                                                                                               \
        QPoint p;                                                                                      \
        const int n = Ecarts(montre, entier, p);                                                       \
        EXPECT_EQ(n, 0) << quand << ": " << n << " pixels differ, first at " << p.x() << "," << p.y(); \
    } while (0)

// One generation of the start-up rule on a torus, for the pattern grid, which has no step of its own.
void Generation(FlexGrid& g) {
    const int L = g.Rows(), C = g.Cols();
    std::vector<QString> suivante(size_t(L) * C);
    reference::StepTorus(
        L, C, reference::Rule<QString>{u"3", u"23", QStringLiteral(" "), Vivant()},
        [&](int r, int c) { return g.TextMatrix(r, c); },
        [&](int r, int c, const QString& cellule) { suivante[size_t(r) * C + c] = cellule; }, [] {});
    for (int r = 0; r < L; ++r)
        for (int c = 0; c < C; ++c) g.setTextMatrix(r, c, suivante[size_t(r) * C + c]);
}

void Soupe(FlexGrid& g, std::mt19937& gen) {
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c) g.setTextMatrix(r, c, gen() % 100 < 35 ? Vivant() : QStringLiteral(" "));
}

// Screen sizes in twips: the test screen's own, and a large one with cells about twice as big.
class Peinture : public Partie, public ::testing::WithParamInterface<std::pair<double, double>> {
protected:
    void SetUp() override {
        if (GetParam().first > 0) Screen::setSizeOverride(GetParam().first, GetParam().second);
        ASSERT_NO_FATAL_FAILURE(Demarre());
    }

    // The shown part of the universe, clear of the edge band, filled with a 35 % soup and drawn.
    void SoupeUnivers(unsigned graine) {
        std::mt19937 gen(graine);
        const int U = f().TailleUnivers;
        for (int r = 11; r < U - 20; ++r)
            for (int c = 11; c < U - 20; ++c) f().Univers(r, c) = gen() % 100 < 35 ? life::Live : life::Dead;
        f().DessineJeu();
        Calme();
    }

    // n generations made by `pas`; every `tous` of them (none when 0) the control as the
    // window shows it is compared with a drawing from scratch. At least `rapidesMin` of
    // them must have copied only what changed.
    template <class C>
    void Generations(const C& c, QWidget* w, int n, int tous, int rapidesMin, const std::function<void()>& pas) {
        const int rapides = c.quickPaints();
        for (int i = 1; i <= n; ++i) {
            pas();
            Calme();
            if (tous > 0 && i % tous == 0) EXPECT_SAME_PICTURE(AlEcran(w), Entier(c), "generation " << i);
        }
        EXPECT_GE(c.quickPaints() - rapides, rapidesMin) << "a step copies only what changed";
    }
};

TEST_P(Peinture, TheBoardGridShowsWhatADrawingFromScratchShowsAfterManyGenerations) {
    std::mt19937 gen(46);
    Soupe(*f().grJeu, gen);
    CliqueCase(QStringLiteral("ccCentre"));  // red centre cells, over which the soup lives and dies
    Calme();
    QWidget* grille = w(QStringLiteral("grJeu"));
    ASSERT_GT(f().grJeu->cellRect(0, 0).w, 0);
    EXPECT_SAME_PICTURE(AlEcran(grille), Entier(*f().grJeu), "the soup");
    Generations(*f().grJeu, grille, 120, 30, 100, [this] { Etape(); });
    CliqueCase(QStringLiteral("ccCentre"));
    Calme();
    EXPECT_SAME_PICTURE(AlEcran(grille), Entier(*f().grJeu), "the centre mark taken off");
}

TEST_P(Peinture, ThePatternGridShowsWhatADrawingFromScratchShowsAfterManyGenerations) {
    QWidget* grille = w(QStringLiteral("grMotif"));
    ASSERT_TRUE(grille->isVisible());
    std::mt19937 gen(15);
    Soupe(*f().grMotif, gen);
    Calme();
    EXPECT_SAME_PICTURE(AlEcran(grille), Entier(*f().grMotif), "the soup");
    Generations(*f().grMotif, grille, 60, 20, 20, [this] { Generation(*f().grMotif); });
    CliqueCellule(QStringLiteral("grMotif"), 7, 7);
    Calme();
    EXPECT_SAME_PICTURE(AlEcran(grille), Entier(*f().grMotif), "a clicked cell");
}

TEST_P(Peinture, TheUniverseShowsWhatADrawingFromScratchShowsAfterManyGenerations) {
    EntreCosmos();
    SoupeUnivers(188);
    QWidget* image = w(QStringLiteral("imJeu"));
    EXPECT_SAME_PICTURE(AlEcran(image), Entier(*f().imJeu), "the soup");
    Generations(*f().imJeu, image, 120, 30, 100, [this] { Etape(); });
    // The previous generation, held and let go.
    Presse(QStringLiteral("btAnte"));
    Calme();
    EXPECT_SAME_PICTURE(AlEcran(image), Entier(*f().imJeu), "the previous generation held");
    Relache(QStringLiteral("btAnte"));
    Calme();
    EXPECT_SAME_PICTURE(AlEcran(image), Entier(*f().imJeu), "let go");
    Clique(QStringLiteral("btVide"));
    Calme();
    EXPECT_SAME_PICTURE(AlEcran(image), Entier(*f().imJeu), "cleared");
}

// The centre mark's lines lie over the universe: steps that copy only their
// changes under them leave the window as a repaint of the whole universe shows it.
TEST_P(Peinture, TheCentreLinesOverTheUniverseStayWhatARepaintOfItShows) {
    EntreCosmos();
    CliqueCase(QStringLiteral("ccCentre"));
    SoupeUnivers(7);
    QWidget* image = w(QStringLiteral("imJeu"));
    ASSERT_TRUE(w(QStringLiteral("lnV"))->isVisible());
    Generations(*f().imJeu, image, 40, 0, 30, [this] { Etape(); });
    const QImage pas = AlEcran(image);
    image->repaint();
    Calme();
    EXPECT_SAME_PICTURE(pas, AlEcran(image), "40 steps against a repaint of the whole universe");
}

// A drawing surface on its own, cleared and drawn again many times: the points
// kept, gone and come must show as a drawing from scratch, whatever the order
// the points come in, their overlaps and their colours.
class Surface : public Form {
public:
    Surface() : Form(QStringLiteral("Surface")) {
        m_designWidth = 6000;
        m_designHeight = 6000;
    }
    PictureBox* im = nullptr;

protected:
    void CreateControls() override {
        im = Ajoute<PictureBox>(nullptr, QStringLiteral("imSurface"));
        im->Move(120, 120, 4800, 4800);
    }
};

TEST(Surfaces, RedrawnPointsShowWhatADrawingFromScratchShows) {
    struct Cas {
        const char* quoi;
        bool melange;    // points out of reading order
        int largeurMax;  // points up to this wide, so that they may overlap
        bool deuxCouleurs;
    };
    const Cas cas[] = {
        {"reading order, apart", false, 3, false},
        {"any order, overlapping", true, 9, false},
        {"any order, two colours", true, 6, true},
    };
    for (const Cas& c : cas) {
        Surface f;
        f.Load();
        f.Show();
        const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
        std::mt19937 gen(99);
        std::vector<std::pair<int, int>> places;
        for (int y = 2; y < 300; y += 4)
            for (int x = 2; x < 300; x += 4)
                if (gen() % 100 < 35) places.emplace_back(x, y);
        for (int tour = 0; tour < 12; ++tour) {
            // Most points stay from one drawing to the next; in reading order they keep
            // to a grid, one point per place, as the universe draws them.
            for (auto& p : places)
                if (gen() % 100 < 15)
                    p = c.melange ? std::pair(int(gen() % 300), int(gen() % 300))
                                  : std::pair(2 + 4 * int(gen() % 75), 2 + 4 * int(gen() % 75));
            if (c.melange) {
                std::shuffle(places.begin(), places.end(), gen);
            } else {
                std::sort(places.begin(), places.end(),
                          [](auto a, auto b) { return std::pair(a.second, a.first) < std::pair(b.second, b.first); });
                places.erase(std::unique(places.begin(), places.end()), places.end());
            }
            f.im->Cls();
            for (size_t i = 0; i < places.size(); ++i) {
                f.im->setDrawWidth(c.largeurMax > 3 ? 1 + int(i % size_t(c.largeurMax)) : 3);
                const long couleur = c.deuxCouleurs && i % 3 == 0 ? 0xFF : 0;
                f.im->PSet(places[i].first * tx, places[i].second * ty, couleur);
            }
            Calme();
            EXPECT_SAME_PICTURE(AlEcran(f.im->widget()), Entier(*f.im), c.quoi << ", drawing " << tour);
        }
        f.Unload();
    }
}

// A row of points set at once draws what setting them one by one draws, points
// beyond the edges included.
TEST(Surfaces, ARowOfPointsIsThePointsOneByOne) {
    Surface un, rang;
    for (Surface* f : {&un, &rang}) {
        f->Load();
        f->Show();
        f->im->setDrawWidth(4);
    }
    const double tx = Screen::TwipsPerPixelX();
    std::mt19937 gen(11);
    // Each drawing after the first clears the one before and draws most of it again:
    // the points drawn again are then left alone, and those that came or went
    // repainted. The points of a row stand apart, some outside, or come out of order,
    // some over others.
    auto place = [&](int case_) { return float(case_ * 6 - 20) * float(tx); };
    std::vector<std::vector<float>> rangées;
    for (int ligne = -2; ligne < 330; ligne += 5) {
        std::vector<int> cases(64);
        for (int i = 0; i < 64; ++i) cases[size_t(i)] = i;
        std::shuffle(cases.begin(), cases.end(), gen);
        cases.resize(40);
        if (ligne % 2) std::sort(cases.begin(), cases.end());
        std::vector<float> xs;
        for (int c : cases) xs.push_back(place(c));
        // Out of order, points also fall over others.
        if (ligne % 2 == 0)
            for (int i = 0; i < 10; ++i) xs.push_back(xs[size_t(i)] + float(2 * tx));
        rangées.push_back(xs);
    }
    for (int dessin = 0; dessin < 5; ++dessin) {
        if (dessin) {
            un.im->Cls();
            rang.im->Cls();
            // The last drawing's points are smaller: those in the same places are
            // drawn anew.
            for (Surface* f : {&un, &rang}) f->im->setDrawWidth(dessin == 4 ? 3 : 4);
            // A point moves to a free place.
            for (auto& xs : rangées) {
                float libre;
                do libre = place(int(gen() % 64));
                while (std::find(xs.begin(), xs.end(), libre) != xs.end());
                xs[gen() % 40] = libre;
            }
        }
        for (size_t k = 0; k < rangées.size(); ++k) {
            const int ligne = -2 + 5 * int(k);
            const std::vector<float>& xs = rangées[k];
            // One colour, then two.
            const long couleur = dessin == 3 && ligne % 3 == 0 ? 0xFF : 0;
            const double y = ligne * Screen::TwipsPerPixelY();
            for (float x : xs) un.im->PSet(x, y, couleur);
            rang.im->PSetRow(xs.data(), int(xs.size()), y, couleur);
        }
        EXPECT_EQ(rang.im->canvas(), un.im->canvas()) << "drawing " << dessin;
        Calme();
        EXPECT_SAME_PICTURE(AlEcran(rang.im->widget()), Entier(*un.im), "drawing " << dessin);
    }
    un.Unload();
    rang.Unload();
}

// Another part of the window repainted between a drawing and its telling (a
// window uncovered, a neighbour's change) leaves none of the drawing unshown.
TEST(Surfaces, APaintBetweenADrawingAndItsTellingLosesNothing) {
    Surface f;
    f.Load();
    f.Show();
    Calme();
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    std::mt19937 gen(7);
    QWidget* w = f.im->widget();
    for (int tour = 0; tour < 6; ++tour) {
        if (tour % 2) f.im->Cls();
        f.im->setDrawWidth(3);
        for (int i = 0; i < 200; ++i) f.im->PSet(double(gen() % 300) * tx, double(gen() % 300) * ty, 0);
        w->repaint(QRect(0, 0, 20, 20));
        Calme();
        EXPECT_SAME_PICTURE(AlEcran(w), Entier(*f.im), "drawing " << tour);
    }
    f.Unload();
}

INSTANTIATE_TEST_SUITE_P(Ecrans, Peinture,
                         ::testing::Values(std::make_pair(0.0, 0.0), std::make_pair(38400.0, 24000.0)));

// Painting follows the board: a glider's step repaints the rows around it, not the whole board.
class Repeint : public QObject {
public:
    QRegion fait;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) fait += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

class Bandes : public Partie {};

TEST_F(Bandes, AGlidersStepRepaintsOnlyTheRowsItCrosses) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Pose({{10, 11}, {11, 12}, {12, 10}, {12, 11}, {12, 12}});
    Calme();
    QWidget* grille = w(QStringLiteral("grJeu"));
    Repeint r;
    grille->installEventFilter(&r);
    Etape();
    Calme();
    grille->removeEventFilter(&r);
    const FlexGrid::Rect haut = f().grJeu->cellRect(10, 0), bas = f().grJeu->cellRect(13, 0);
    ASSERT_FALSE(r.fait.isEmpty()) << "the step painted nothing";
    EXPECT_GE(r.fait.boundingRect().top(), haut.y);
    EXPECT_LE(r.fait.boundingRect().bottom(), bas.y + bas.h - 1);
    EXPECT_LT(r.fait.boundingRect().width(), grille->width() / 4) << "only the glider's columns";
}

}  // namespace
