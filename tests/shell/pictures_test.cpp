#include "pictures.h"

#include <QColor>
#include <QGuiApplication>
#include <QRect>

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QRgb kFond = qRgb(254, 233, 201);

bool Noir(QRgb c) {
    return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80;
}
bool RougeVif(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

int Compte(const QImage& im, const QRect& zone, const std::function<bool(QRgb)>& quoi) {
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (quoi(im.pixel(x, y))) ++n;
    return n;
}

QRect EncreDans(const QImage& im, const QRect& zone) {
    QRect r;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (Noir(im.pixel(x, y))) r |= QRect(x, y, 1, 1);
    return r;
}

// The black square and the hand on it, inclusive pixel bounds.
const QRect kCarre(QPoint(16, 14), QPoint(51, 60));

class PanneauEchec : public ::testing::TestWithParam<int> {
protected:
    QImage im = DessineEchec(GetParam());
};

TEST_P(PanneauEchec, HasThePanelSizeAndBackground) {
    ASSERT_FALSE(im.isNull());
    EXPECT_EQ(im.size(), QSize(665, 174));
    EXPECT_EQ(im.format(), QImage::Format_RGB32);
    EXPECT_EQ(im.pixel(0, 0), kFond);
    EXPECT_EQ(im.pixel(664, 173), kFond);
    EXPECT_EQ(im.pixel(600, 140), kFond);
    EXPECT_EQ(im.pixel(40, 120), kFond);
}

TEST_P(PanneauEchec, ShowsARedHandInsideTheBlackSquare) {
    for (QPoint coin : {kCarre.topLeft(), kCarre.topRight(), kCarre.bottomLeft(), kCarre.bottomRight()})
        EXPECT_EQ(im.pixel(coin), qRgb(0, 0, 0)) << coin.x() << "," << coin.y();
    EXPECT_EQ(im.pixel(15, 30), kFond);
    EXPECT_EQ(im.pixel(52, 30), kFond);
    EXPECT_EQ(im.pixel(30, 13), kFond);
    EXPECT_EQ(im.pixel(30, 61), kFond);

    // A hand, not a dot: a good share of the square is pure red...
    EXPECT_GT(Compte(im, kCarre, [](QRgb c) { return c == qRgb(255, 0, 0); }), 400);
    // ...and none of it spills out of the square.
    const QRect tout = im.rect();
    EXPECT_EQ(Compte(im, tout, RougeVif), Compte(im, kCarre, RougeVif));
    // Black still shows around the fingers.
    EXPECT_EQ(im.pixel(17, 15), qRgb(0, 0, 0));
    EXPECT_EQ(im.pixel(50, 15), qRgb(0, 0, 0));
}

TEST_P(PanneauEchec, WritesTwoBlackLinesFromColumn83WithinTheirBands) {
    const QRect ligne1 = EncreDans(im, QRect(QPoint(60, 0), QPoint(664, 38)));
    const QRect ligne2 = EncreDans(im, QRect(QPoint(60, 39), QPoint(664, 100)));
    ASSERT_FALSE(ligne1.isNull());
    ASSERT_FALSE(ligne2.isNull());
    EXPECT_GE(ligne1.left(), 83);
    EXPECT_LE(ligne1.left(), 86);
    EXPECT_GE(ligne2.left(), 83);
    EXPECT_LE(ligne2.left(), 86);
    EXPECT_LE(ligne1.right(), 660);
    EXPECT_LE(ligne2.right(), 660);
    EXPECT_GE(ligne1.top(), 13);
    EXPECT_LE(ligne1.bottom(), 34);
    EXPECT_GE(ligne2.top(), 43);
    EXPECT_LE(ligne2.bottom(), 64);
    // Readable text, not a hairline: both lines span most of their band's height.
    EXPECT_GE(ligne1.height(), 12);
    EXPECT_GE(ligne2.height(), 12);
    // Nothing else is written between the text and the button.
    EXPECT_TRUE(EncreDans(im, QRect(QPoint(60, 65), QPoint(664, 108))).isNull());
}

TEST_P(PanneauEchec, DrawsAButtonWithADoubleBlackFrame) {
    const int milieuY = 134, milieuX = 331;
    // Left and right edges: black, gap, black, then the face.
    EXPECT_EQ(im.pixel(255, milieuY), kFond);
    EXPECT_TRUE(Noir(im.pixel(256, milieuY)));
    EXPECT_FALSE(Noir(im.pixel(257, milieuY)));
    EXPECT_TRUE(Noir(im.pixel(258, milieuY)));
    EXPECT_FALSE(Noir(im.pixel(259, milieuY)));
    EXPECT_EQ(im.pixel(407, milieuY), kFond);
    EXPECT_TRUE(Noir(im.pixel(406, milieuY)));
    EXPECT_FALSE(Noir(im.pixel(405, milieuY)));
    EXPECT_TRUE(Noir(im.pixel(404, milieuY)));
    EXPECT_FALSE(Noir(im.pixel(403, milieuY)));
    // Top and bottom edges.
    EXPECT_EQ(im.pixel(milieuX, 108), kFond);
    EXPECT_TRUE(Noir(im.pixel(milieuX, 109)));
    EXPECT_FALSE(Noir(im.pixel(milieuX, 110)));
    EXPECT_TRUE(Noir(im.pixel(milieuX, 111)));
    EXPECT_EQ(im.pixel(milieuX, 160), kFond);
    EXPECT_TRUE(Noir(im.pixel(milieuX, 159)));
    EXPECT_FALSE(Noir(im.pixel(milieuX, 158)));
    EXPECT_TRUE(Noir(im.pixel(milieuX, 157)));
    // The frame runs the whole way round.
    for (int x = 256; x <= 406; ++x) {
        EXPECT_TRUE(Noir(im.pixel(x, 109))) << x;
        EXPECT_TRUE(Noir(im.pixel(x, 159))) << x;
    }
}

TEST_P(PanneauEchec, WritesOkInTheMiddleOfTheButtonFace) {
    const QRect face(QPoint(259, 112), QPoint(403, 156));
    const QRect ok = EncreDans(im, face);
    ASSERT_FALSE(ok.isNull());
    EXPECT_NEAR(ok.center().x(), 331, 4);
    EXPECT_NEAR(ok.center().y(), 134, 4);
    // Two letters of a readable size, well inside the hotspot 258..402 x 110..156.
    EXPECT_GE(ok.width(), 16);
    EXPECT_GE(ok.height(), 10);
    EXPECT_GT(ok.left(), 270);
    EXPECT_LT(ok.right(), 390);
}

INSTANTIATE_TEST_SUITE_P(Codes, PanneauEchec, ::testing::Values(1, 2));

TEST(PanneauEchecCodes, TheTwoCodesGiveDifferentMessagesOnTheSamePanel) {
    const QImage un = DessineEchec(1), deux = DessineEchec(2);
    ASSERT_EQ(un.size(), deux.size());
    int diffTexte = 0, diffAilleurs = 0;
    const QRect texte(QPoint(83, 13), QPoint(664, 64));
    for (int y = 0; y < un.height(); ++y)
        for (int x = 0; x < un.width(); ++x)
            if (un.pixel(x, y) != deux.pixel(x, y)) ++(texte.contains(x, y) ? diffTexte : diffAilleurs);
    EXPECT_GT(diffTexte, 200);
    EXPECT_EQ(diffAilleurs, 0);
}

TEST(PanneauEchecCodes, OnlyCodesOneAndTwoHaveAPicture) {
    EXPECT_TRUE(DessineEchec(0).isNull());
    EXPECT_TRUE(DessineEchec(3).isNull());
}

// ---- title-bar pictures -------------------------------------------------

bool Cyan(QRgb c) {
    return qGreen(c) >= 230 && qBlue(c) >= 230 && qRed(c) + 20 < qGreen(c) && qRed(c) + 20 < qBlue(c);
}
// The main window's buttons are a shade stronger than the help window's.
bool CyanClair(QRgb c) {
    return Cyan(c) && qRed(c) < 200;
}
bool CyanPale(QRgb c) {
    return Cyan(c) && qRed(c) >= 200;
}
bool Neutre(QRgb c) {
    return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
}
bool GrisClair(QRgb c) {
    return Neutre(c) && qRed(c) >= 200 && qRed(c) < 250;
}
bool Gris(QRgb c) {
    return Neutre(c) && qRed(c) >= 150 && qRed(c) < 200;
}
bool PecheClaire(QRgb c) {
    return qRed(c) >= 240 && qRed(c) > qGreen(c) && qGreen(c) > qBlue(c) && qGreen(c) >= 180 && qBlue(c) >= 150;
}
bool RougeClair(QRgb c) {
    return qRed(c) >= 230 && qGreen(c) < 200 && qGreen(c) >= 100 && std::abs(qGreen(c) - qBlue(c)) < 20;
}
bool Blanc(QRgb c) {
    return c == qRgb(255, 255, 255);
}
bool JaunePale(QRgb c) {
    return qRed(c) >= 240 && qGreen(c) >= 240 && qBlue(c) >= 150 && qBlue(c) <= 225;
}
bool RosePale(QRgb c) {
    return qRed(c) >= 240 && qGreen(c) >= 200 && qGreen(c) < 245 && qBlue(c) > qGreen(c) && qBlue(c) < 252;
}

struct Bouton {
    const char* nom;
    bool (*fond)(QRgb);
};

const Bouton kBoutons[] = {
    {"imAide", CyanClair},   {"imIco", GrisClair},    {"imTaille", PecheClaire}, {"imFerme", RougeClair},
    {"imTxR", Blanc},        {"imTxN", Blanc},        {"imEnreg", JaunePale},    {"imEnregN", JaunePale},
    {"imTaille2", RosePale}, {"imTaille0", RosePale}, {"imFermeA", CyanPale},    {"imAideA", CyanPale},
    {"imIcoA", Gris},
};

void PrintTo(const Bouton& b, std::ostream* os) {
    *os << b.nom;
}

class ImageBouton : public ::testing::TestWithParam<Bouton> {};

TEST_P(ImageBouton, IsA35PixelSquareWithADrawingOnItsBackground) {
    const Bouton b = GetParam();
    const QImage im = DessineBouton(QString::fromLatin1(b.nom));
    ASSERT_FALSE(im.isNull());
    EXPECT_EQ(im.size(), QSize(35, 35));
    const QRgb coin = im.pixel(0, 0);
    EXPECT_TRUE(b.fond(coin)) << std::hex << coin;
    EXPECT_EQ(im.pixel(34, 34), coin);
    // Something is drawn, and it is more than a stray pixel.
    EXPECT_GT(Compte(im, im.rect(), [coin](QRgb c) { return c != coin; }), 40);
}

INSTANTIATE_TEST_SUITE_P(Noms, ImageBouton, ::testing::ValuesIn(kBoutons),
                         [](const ::testing::TestParamInfo<Bouton>& i) { return std::string(i.param.nom); });

QImage B(const char* nom) {
    return DessineBouton(QString::fromLatin1(nom));
}

bool Pourpre(QRgb c) {
    return qRed(c) > 90 && qBlue(c) > 90 && qGreen(c) < 40;
}
bool RougeTexte(QRgb c) {
    return qRed(c) > 150 && qRed(c) > qGreen(c) + 90 && qRed(c) > qBlue(c) + 90;
}
bool Bleu(QRgb c) {
    return qBlue(c) > 150 && qRed(c) < 60 && qGreen(c) < 110;
}
bool Magenta(QRgb c) {
    return qRed(c) > 200 && qBlue(c) > 200 && qGreen(c) < 60;
}

TEST(ImagesBoutons, QuestionMarksArePurple) {
    for (const char* nom : {"imAide", "imAideA"}) {
        const QImage im = B(nom);
        EXPECT_GT(Compte(im, im.rect(), Pourpre), 40) << nom;
    }
}

TEST(ImagesBoutons, RedColourButtonShowsRedLettersAndBlackOneBlackLetters) {
    const QImage rouge = B("imTxR"), noir = B("imTxN");
    EXPECT_GT(Compte(rouge, rouge.rect(), RougeTexte), 40);
    EXPECT_EQ(Compte(rouge, rouge.rect(), Noir), 0);
    EXPECT_GT(Compte(noir, noir.rect(), Noir), 40);
    EXPECT_EQ(Compte(noir, noir.rect(), RougeTexte), 0);
}

TEST(ImagesBoutons, SaveButtonIsColouredOnlyWhenThereIsSomethingToSave) {
    const QImage actif = B("imEnreg"), inactif = B("imEnregN");
    EXPECT_GT(Compte(actif, actif.rect(), Bleu), 100);
    EXPECT_GT(Compte(actif, actif.rect(), Magenta), 20);
    EXPECT_EQ(Compte(inactif, inactif.rect(), Bleu), 0);
    EXPECT_EQ(Compte(inactif, inactif.rect(), Magenta), 0);
    // The same diskette: the drawn shapes cover the same pixels.
    const QRgb fondA = actif.pixel(0, 0), fondI = inactif.pixel(0, 0);
    for (int y = 0; y < 35; ++y)
        for (int x = 0; x < 35; ++x)
            EXPECT_EQ(actif.pixel(x, y) == fondA, inactif.pixel(x, y) == fondI) << x << "," << y;
}

TEST(ImagesBoutons, CloseCrossesAndTheSquareAreBlackAtTheirCentre) {
    for (const char* nom : {"imFerme", "imFermeA", "imTaille"}) EXPECT_TRUE(Noir(B(nom).pixel(17, 17))) << nom;
    // The square inside a square leaves a gap between the two.
    const QImage carre = B("imTaille");
    EXPECT_FALSE(Noir(carre.pixel(9, 17)));
    EXPECT_TRUE(Noir(carre.pixel(6, 17)));
}

TEST(ImagesBoutons, MinimiseArrowPointsDownAndLeft) {
    for (const char* nom : {"imIco", "imIcoA"}) {
        const QImage im = B(nom);
        // The arrow's head lies in the lower-left quarter, its tail towards the upper right.
        const int basGauche = Compte(im, QRect(0, 18, 17, 17), Noir);
        const int hautDroite = Compte(im, QRect(18, 0, 17, 17), Noir);
        const int hautGauche = Compte(im, QRect(0, 0, 17, 17), Noir);
        EXPECT_GT(basGauche, hautDroite) << nom;
        EXPECT_GT(hautDroite, hautGauche) << nom;
    }
}

TEST(ImagesBoutons, TheTwoLayoutPicturesDiffer) {
    EXPECT_NE(B("imTaille2"), B("imTaille0"));
}

TEST(ImagesBoutons, UnknownNameGivesNoPicture) {
    EXPECT_TRUE(DessineBouton(QString()).isNull());
    EXPECT_TRUE(DessineBouton(QStringLiteral("imAideZ")).isNull());
    EXPECT_TRUE(DessineBouton(QStringLiteral("imaide")).isNull());
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; the tests need no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
