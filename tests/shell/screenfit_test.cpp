// The screen fit on a window of the test's own: every control follows its mark
// ("!" left alone, "§" moved but keeping its size and font, "ls"/"lc" names
// keeping their height), and fonts grow with the heights.
#include "App.h"
#include "Controls.h"
#include "OstraneM.h"
#include "Programme.h"
#include "TestSupport.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

class Essai : public Form {
public:
    explicit Essai(int startUp) : Form(QStringLiteral("Essai")) {
        m_designWidth = 7200;
        m_designHeight = 5400;
        m_designStartUp = startUp;
        m_frameless = true;
    }

protected:
    void CreateControls() override {
        auto* barre = Ajoute<Frame>(nullptr, QStringLiteral("caMarlett"));
        barre->Move(7200 - 1000 - 96, 0, 1000, 480);
        barre->setTag(QStringLiteral("!"));
        auto* bouton = Ajoute<PictureBox>(barre, QStringLiteral("imFerme"));
        bouton->Move(84, 36, 420, 420);
        bouton->setTag(QStringLiteral("!"));
        ajoute<Label>("étTexte", "", 1000, 2000, 3000, 600);
        ajoute<CommandButton>("btDéplacé", "§", 4000, 3000, 1200, 400);
        ajoute<Label>("étFixe", "!", 200, 4000, 2000, 300);
        ajoute<Label>("lsListe", "", 400, 600, 2400, 1200);
        ajoute<TextBox>("lcChamp", "", 3000, 600, 2400, 480);
        // Only "ls" and "lc" as written keep their height.
        ajoute<Label>("LsMajuscule", "", 3000, 1300, 2400, 480);
    }

private:
    template <class T>
    void ajoute(const char* nom, const char* tag, double l, double t, double w, double h) {
        auto* c = Ajoute<T>(nullptr, QString::fromUtf8(nom));
        c->Move(l, t, w, h);
        c->setFont(QStringLiteral("Arial"), 10);
        c->setTag(QString::fromUtf8(tag));
    }
};

struct Cas {
    const char* nom;
    int startUp;          // 0: placed by hand, laid out by "Ecran"; 2: centred, by "Zoom"
    const char* reglage;  // the setting's line in the block
    double x, y;          // the factors the layout must use
    double gauche;        // the window's left edge, by its new width w: -1 centred
    bool centreVertical;
};

void PrintTo(const Cas& c, std::ostream* os) {
    *os << c.nom;
}

struct MiseEnPage_ : ::testing::TestWithParam<Cas> {
    void SetUp() override { ReinitProgramme(); }
    void TearDown() override {
        delete m_f;
        ReinitProgramme();
    }
    Control& c(const char* nom) {
        Control* x = m_f->ControlByName(QString::fromUtf8(nom));
        EXPECT_TRUE(x) << nom;
        return *x;
    }
    Essai* m_f = nullptr;
};

struct Geo {
    double l, t, w, h, pt;
};
Geo De(Control& c) {
    return {c.Left(), c.Top(), c.Width(), c.Height(), c.FontSize()};
}

TEST_P(MiseEnPage_, EachControlFollowsItsMarkAndFontsFollowTheHeights) {
    const Cas cas = GetParam();
    // A screen twice as wide and one and a half times as high as the design one.
    Screen::setSizeOverride(2 * 14400, 1.5 * 10800);
    RapportL = 2;
    RapportH = 1.5;
    FacteurEcran = 1.5;
    ASSERT_EQ(LisBlocCfg(QStringLiteral("~~~~< Ne pas modifier\r\nRépFic=#\r\n") + QString::fromUtf8(cas.reglage) +
                         QStringLiteral("\r\nFin\r\n")),
              QString());
    m_f = new Essai(cas.startUp);
    m_f->Load();
    const double largeur = m_f->Width(), hauteur = m_f->Height();
    const Geo texte = De(c("étTexte")), deplace = De(c("btDéplacé")), fixe = De(c("étFixe")), liste = De(c("lsListe")),
              champ = De(c("lcChamp")), maj = De(c("LsMajuscule")), bouton = De(c("imFerme")),
              barre = De(c("caMarlett"));

    MiseEnPage(*m_f);

    const double x = cas.x, y = cas.y;
    EXPECT_NEAR(m_f->Width(), largeur * x, 1);
    EXPECT_NEAR(m_f->Height(), hauteur * y, 1);
    const double gauche = cas.gauche < 0 ? (Screen::Width() - m_f->Width()) / 2 : cas.gauche;
    EXPECT_NEAR(m_f->Left(), gauche, 1);
    EXPECT_NEAR(m_f->Top(), cas.centreVertical ? (Screen::Height() - m_f->Height()) / 2 : 0, 1);
    EXPECT_NEAR(c("caMarlett").Left(), m_f->Width() - barre.w - 60, 1) << "the button bar sits 60 twips from the edge";

    auto verifie = [&](const char* nom, const Geo& avant, double gx, double gy, double gw, double gh, double gf) {
        SCOPED_TRACE(nom);
        Control& k = c(nom);
        EXPECT_NEAR(k.Left(), avant.l * gx, 1);
        EXPECT_NEAR(k.Top(), avant.t * gy, 1);
        EXPECT_NEAR(k.Width(), avant.w * gw, 1);
        EXPECT_NEAR(k.Height(), avant.h * gh, 1);
        EXPECT_NEAR(k.FontSize(), avant.pt * gf, 0.01);
        // The font the user sees is the one the layout set.
        if (k.widget()) {
            EXPECT_NEAR(k.widget()->font().pointSizeF(), k.FontSize(), 0.01);
        }
    };
    verifie("étTexte", texte, x, y, x, y, y);
    verifie("btDéplacé", deplace, x, y, 1, 1, 1);
    verifie("étFixe", fixe, 1, 1, 1, 1, 1);
    verifie("imFerme", bouton, 1, 1, 1, 1, 1);
    verifie("lsListe", liste, x, y, x, 1, y);
    verifie("lcChamp", champ, x, y, x, 1, y);
    verifie("LsMajuscule", maj, x, y, x, y, y);
    EXPECT_EQ(EndCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Reglages, MiseEnPage_,
    ::testing::Values(Cas{"FullScreenStretchesUnevenly", 0, "Ecran=#", 2, 1.5, -1, false},
                      Cas{"DesignSizeCentred", 0, "Ecran=@", 1, 1, -1, false},
                      Cas{"ProportionalAtTheRightEdge", 0, "Ecran=>", 1.5, 1.5, 2 * 14400 - 7200 * 1.5, false},
                      Cas{"ProportionalAtTheLeftEdge", 0, "Ecran=<", 1.5, 1.5, 0, false},
                      Cas{"ZoomOfANonManualWindowCentredBothWays", 2, "Zoom=15", 1.5, 1.5, -1, true}),
    [](const ::testing::TestParamInfo<Cas>& i) { return std::string(i.param.nom); });

}  // namespace
