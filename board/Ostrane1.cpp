#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"
#include "pictures.h"

Ostrane1::Ostrane1() : Form(QStringLiteral("Ostrane1")) {
    // Designed for a screen of 14400 x 10800 twips; the window draws its own title bar.
    m_designWidth = 14400;
    m_designHeight = 10800;
    m_designStartUp = 0;
    m_frameless = true;
    m_designCaption = App::Title();
}

void Ostrane1::CreeCadre() {
    caMarlett = Ajoute<Frame>(nullptr, QStringLiteral("caMarlett"));
    caMarlett->setBorderStyle(0);
    caMarlett->setBackColor(0x808080);
    caMarlett->Move(14400 - 2088 - 96, 0, 2088, 492);
    caMarlett->setTag(QStringLiteral("!"));
    struct Bouton {
        PictureBox** b;
        Image** z;
        const char* nom;
        double left;
        const char* tip;
    };
    const Bouton boutons[] = {
        {&imAide, &imAideZ, "imAide", 84, "Afficher la page d'aide"},
        {&imIco, &imIcoZ, "imIco", 660, "Réduire la feuille en icône"},
        {&imTaille, &imTailleZ, "imTaille", 1140, "Changer les options d'affichage"},
        {&imFerme, &imFermeZ, "imFerme", 1620, "Fermer le programme"},
    };
    for (const Bouton& b : boutons) {
        const QString nom = QString::fromUtf8(b.nom);
        // The help button's twin is as large as the button.
        const BoutonImage bi = PoseBoutonImage(*this, caMarlett, nom, nom, b.left,
                                               nom == QLatin1String("imAide") ? 420 : 396, QString::fromUtf8(b.tip));
        *b.b = bi.bouton;
        *b.z = bi.jumeau;
    }
    imAide->MouseDown = [this](int b, int s, float x, float y) { imAide_MouseDown(b, s, x, y); };
    imAide->MouseUp = [this](int b, int s, float x, float y) { imAide_MouseUp(b, s, x, y); };
    imIco->MouseDown = [this](int b, int s, float x, float y) { imIco_MouseDown(b, s, x, y); };
    imIco->MouseUp = [this](int b, int s, float x, float y) { imIco_MouseUp(b, s, x, y); };
    imTaille->MouseDown = [this](int b, int s, float x, float y) { imTaille_MouseDown(b, s, x, y); };
    imTaille->MouseUp = [this](int b, int s, float x, float y) { imTaille_MouseUp(b, s, x, y); };
    imFerme->MouseDown = [this](int b, int s, float x, float y) { imFerme_MouseDown(b, s, x, y); };
    imFerme->MouseUp = [this](int b, int s, float x, float y) { imFerme_MouseUp(b, s, x, y); };

    étTitre = Ajoute<Label>(nullptr, QStringLiteral("étTitre"));
    étTitre->Move(120, 60, 6000, 400);
    étTitre->setFont(QStringLiteral("Arial"), 12, true);
    étTitre->setCaption(App::Title());

    caSigne = Ajoute<Frame>(nullptr, QStringLiteral("caSigne"));
    caSigne->setBorderStyle(0);
    caSigne->Move(14400 - 3840 - 96, 10200, 3840, 480);
    caSigne->setTag(QStringLiteral("!"));
    étSigne = Ajoute<Label>(caSigne, QStringLiteral("étSigne"));
    étSigne->Move(0, 60, 3840, 360);
    étSigne->setFont(QStringLiteral("Arial"), 8, false);
    étSigne->setAlignment(1);
    étSigne->setCaption(QStringLiteral("Ostrane — automates cellulaires"));
    étSigne->setTag(QStringLiteral("!"));
}

void Ostrane1::CreateControls() {
    CreeCadre();

    grJeu = Ajoute<FlexGrid>(nullptr, QStringLiteral("grJeu"));
    grJeu->Move(120, 540, 10188, 10188);
    grJeu->setFont(QStringLiteral("Symbol"), 13.8, true);
    imJeu = Ajoute<PictureBox>(nullptr, QStringLiteral("imJeu"));
    imJeu->Move(120, 540, 10092, 10092);
    imJeu->setVisible(false);
    lnH = Ajoute<Line>(imJeu, QStringLiteral("lnH"));
    lnH->setBorderColor(0xFF);
    lnH->setVisible(false);
    lnV = Ajoute<Line>(imJeu, QStringLiteral("lnV"));
    lnV->setBorderColor(0xFF);
    lnV->setVisible(false);

    caJeu = Ajoute<Frame>(nullptr, QStringLiteral("caJeu"));
    caJeu->Move(10440, 540, 3840, 9600);
    caJeu->setCaption(QStringLiteral(" Mode "));
    CreeFic();
    CreeBiblio();

    CreeJeu();
}
