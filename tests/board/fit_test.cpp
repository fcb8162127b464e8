// The whole board in the window, at every layout code, on real screens of three
// sizes: CTest runs the cases of each size under Qt's offscreen platform given a
// screen of that size.
#include "Partie.h"

#include "App.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <tuple>

// For the names of the cases.
static void PrintTo(const QSize& s, std::ostream* os) {
    *os << s.width() << "x" << s.height();
}

namespace {

struct Code {
    const char* nom;
    const char* ecran;
};
void PrintTo(const Code& c, std::ostream* os) {
    *os << c.ecran;
}

class PlateauEntier : public Partie, public ::testing::WithParamInterface<std::tuple<Code, QSize>> {
protected:
    // Whether a rectangle of a widget's pixels shows whole: inside the widget, inside
    // each of its containers, and the window inside the screen.
    static bool Montre(QWidget* w, QRect r) {
        if (!w->isVisible()) return false;
        for (; !w->isWindow(); w = w->parentWidget()) {
            if (!w->rect().contains(r)) return false;
            r.translate(w->pos());
        }
        return w->rect().contains(r) && w->screen()->geometry().contains(r.translated(w->geometry().topLeft()));
    }
    // Cells of a grid that do not show whole: how many, and the first as "r,c".
    std::string Cachees(const QString& nom) const {
        auto* g = dynamic_cast<FlexGrid*>(f().ControlByName(nom));
        QStringList out;
        for (int r = 0; r < g->Rows(); ++r)
            for (int c = 0; c < g->Cols(); ++c) {
                const FlexGrid::Rect x = g->cellRect(r, c);
                if (!Montre(g->widget(), QRect(x.x, x.y, x.w, x.h))) out << QStringLiteral("%1,%2").arg(r).arg(c);
            }
        return out.isEmpty() ? std::string() : std::to_string(out.size()) + " from " + out.first().toStdString();
    }
    // Black dots on the universe's picture as the user sees it, each a patch of touching pixels.
    int Points() const {
        QImage im = f().imJeu->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto noir = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < im.width() && y < im.height() && (im.pixel(x, y) & 0xFFFFFF) == 0;
        };
        int n = 0;
        for (int y0 = 0; y0 < im.height(); ++y0)
            for (int x0 = 0; x0 < im.width(); ++x0) {
                if (!noir(x0, y0)) continue;
                ++n;
                std::vector<QPoint> pile{{x0, y0}};
                im.setPixel(x0, y0, 0xFFFFFFFF);
                while (!pile.empty()) {
                    const QPoint p = pile.back();
                    pile.pop_back();
                    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                        if (noir(p.x() + d.x(), p.y() + d.y())) {
                            im.setPixel(p + d, 0xFFFFFFFF);
                            pile.push_back(p + d);
                        }
                }
            }
        return n;
    }
};

TEST_P(PlateauEntier, EveryCellOfTheBoardAndOfThePatternGridShowsInTheWindow) {
    const auto& [code, ecran] = GetParam();
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().size(), ecran)
        << "to be run on a screen of that size: QT_QPA_PLATFORM=offscreen:configfile=<file>, as CTest does";
    m_dossier = std::make_unique<ProgramFolder>();
    QByteArray aide = ShippedHelpFile();
    aide.replace("Ecran=/\\par", "Ecran=" + QByteArray(code.ecran) + "\\par");
    m_dossier->writeHelpFile(aide);
    ASSERT_NO_FATAL_FAILURE(Demarre());
    ASSERT_EQ(LisCfg(QStringLiteral("Ecran")), QString::fromLatin1(code.ecran));

    EXPECT_EQ(Cachees(QStringLiteral("grJeu")), "");
    EXPECT_EQ(Cachees(QStringLiteral("grMotif")), "");
    // A column and a row taken away and given back are as large as the others.
    for (const char* o : {"coSymDG(1)", "coSymDG(2)", "coSymHB(1)", "coSymHB(2)"}) CliqueCase(QString::fromLatin1(o));
    EXPECT_EQ(Cachees(QStringLiteral("grJeu")), "");
    const int n = f().ColGrille;
    EXPECT_EQ(f().grJeu->ColWidth(n - 1), f().grJeu->ColWidth(0));
    EXPECT_EQ(f().grJeu->RowHeight(n - 1), f().grJeu->RowHeight(0));

    // The corners of the universe's drawn area, by each of its three drawings: the
    // redraw, the step (a lone cell lives on under survival 0) and the previous generation.
    EntreCosmos();
    ASSERT_TRUE(Montre(f().imJeu->widget(), f().imJeu->widget()->rect()));
    const int bas = f().TailleUnivers - 11;
    for (const int r : {11, bas})
        for (const int c : {11, bas}) f().Univers(r, c) = life::Live;
    f().DessineJeu();
    EXPECT_EQ(Points(), 4) << "redrawn";
    CliqueCase(QStringLiteral("ccSurvie(0)"));
    Etape();
    ASSERT_EQ(Vivantes(f().Univers).size(), 4);
    EXPECT_EQ(Points(), 4) << "stepped";
    Presse(QStringLiteral("btAnte"));
    EXPECT_EQ(Points(), 4) << "the previous generation";
    Relache(QStringLiteral("btAnte"));
}

std::string Nom(const ::testing::TestParamInfo<std::tuple<Code, QSize>>& i) {
    const QSize s = std::get<1>(i.param);
    return std::string(std::get<0>(i.param).nom) + "_" + std::to_string(s.width()) + "x" + std::to_string(s.height());
}

// CTest picks the cases of each screen by the name's end.
INSTANTIATE_TEST_SUITE_P(Ecrans, PlateauEntier,
                         ::testing::Combine(::testing::Values(Code{"PleinEcran", "#"}, Code{"Origine", "@"},
                                                              Code{"Gauche", "<"}, Code{"Centre", "/"},
                                                              Code{"Droite", ">"}),
                                            ::testing::Values(QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080))),
                         Nom);

}  // namespace
