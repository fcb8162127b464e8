// The board panel caJeu in its design state, and the wiring of its events.
#include "Ostrane1.h"

namespace {

// A control of the panel at its place, with its caption.
template <class T>
T* Pose(Form& f, Control* dans, const char* nom, int i, const QString& leg, double l, double t, double w, double h) {
    auto* c = f.Ajoute<T>(dans, QString::fromUtf8(nom), i);
    c->Move(l, t, w, h);
    c->setCaption(leg);
    return c;
}

void RapprocheLegende(Control* c) {
    c->widget()->setStyleSheet(QStringLiteral("spacing: 2px;"));
}

}  // namespace

void Ostrane1::CreeJeu() {
    const QString arial = QStringLiteral("Arial");

    auto option = [this](Control* dans, const char* nom, int i, const char* leg, double l, double t, double w,
                         double h) {
        return Pose<OptionButton>(*this, dans, nom, i, QString::fromUtf8(leg), l, t, w, h);
    };
    auto bouton = [this](Control* dans, const char* nom, const char* leg, double l, double t, double w, double h) {
        return Pose<CommandButton>(*this, dans, nom, -1, QString::fromUtf8(leg), l, t, w, h);
    };
    auto caseACocher = [this](Control* dans, const char* nom, int i, const QString& leg, double l, double t, double w,
                              double h) { return Pose<CheckBox>(*this, dans, nom, i, leg, l, t, w, h); };
    auto etiquette = [this](Control* dans, const char* nom, const char* leg, double l, double t, double w, double h) {
        return Pose<Label>(*this, dans, nom, -1, QString::fromUtf8(leg), l, t, w, h);
    };
    auto cadre = [this](Control* dans, const char* nom, const char* leg, double l, double t, double w, double h,
                        int bord) {
        auto* f = Pose<Frame>(*this, dans, nom, -1, QString::fromUtf8(leg), l, t, w, h);
        f->setBorderStyle(bord);
        return f;
    };

    // The board grid lies outside the panel, but its live cell is drawn here as
    // the Symbol font's bullet.
    grJeu->setDisplayMap(QStringLiteral("·"), QStringLiteral("•"));

    // ---- Universe
    coMode.set(0, option(caJeu, "coMode", 0, "Globe", 180, 270, 1080, 300));
    coMode.set(1, option(caJeu, "coMode", 1, "Cosmos", 1380, 270, 1200, 300));
    coMode(0)->setValue(true);

    caGlobe = cadre(caJeu, "caGlobe", "", 120, 600, 3600, 540, 0);
    caSymDG = cadre(caGlobe, "caSymDG", "", 0, 0, 1740, 540, 1);
    coSymDG.set(1, option(caSymDG, "coSymDG", 1, "|", 180, 120, 660, 300));
    coSymDG.set(2, option(caSymDG, "coSymDG", 2, "| |", 900, 120, 780, 300));
    caSymHB = cadre(caGlobe, "caSymHB", "", 1860, 0, 1740, 540, 1);
    coSymHB.set(1, option(caSymHB, "coSymHB", 1, "--", 180, 120, 660, 300));
    coSymHB.set(2, option(caSymHB, "coSymHB", 2, "=", 900, 120, 780, 300));

    caCosmos = cadre(caJeu, "caCosmos", "", 120, 600, 3600, 540, 0);
    caCosmos->setVisible(false);
    btChargeL = bouton(caCosmos, "btChargeL", "Lire un écran", 0, 60, 1740, 420);
    btEnregL = bouton(caCosmos, "btEnregL", "Ecrire l'écran", 1860, 60, 1740, 420);

    // ---- Stepping and automatic running, beside the shift frame
    btVa = bouton(caJeu, "btVa", "Génération suivante", 120, 1230, 2160, 420);
    btVide = bouton(caJeu, "btVide", "Vider la grille", 120, 1710, 2160, 420);
    ccAuto = caseACocher(caJeu, "ccAuto", -1, QStringLiteral("Automate"), 120, 2190, 2160, 300);
    étLent = etiquette(caJeu, "étLent", "lent", 120, 2535, 420, 240);
    bhAuto = Ajoute<HScrollBar>(caJeu, QStringLiteral("bhAuto"));
    bhAuto->Move(570, 2520, 1140, 255);
    bhAuto->setRange(0, 4);
    bhAuto->setSmallChange(1);
    bhAuto->setLargeChange(1);
    bhAuto->setValue(4);
    étRapide = etiquette(caJeu, "étRapide", "rapide", 1770, 2535, 540, 240);
    miAuto = Ajoute<Timer>(caJeu, QStringLiteral("miAuto"));
    miAuto->setEnabled(false);

    ccCentre = caseACocher(caJeu, "ccCentre", -1, QStringLiteral("Fixer le centre"), 120, 2910, 2160, 300);
    btAnte = bouton(caJeu, "btAnte", "⇔", 2730, 2880, 600, 390);
    btAnte->setFont(QStringLiteral("Symbol"), 12, true);
    btAnte->setEnabled(false);

    // ---- Shift: places inside the frame as designed
    caPlace = cadre(caJeu, "caPlace", " Déplacer ", 2340, 1200, 1380, 1620, 1);
    caPlace->setFont(arial, 8.25, false);
    coDépl.set(0, option(caPlace, "coDépl", 0, "1", 120, 300, 480, 312));
    coDépl.set(1, option(caPlace, "coDépl", 1, "10", 840, 300, 480, 312));
    for (int i = 0; i <= 1; ++i) {
        coDépl(i)->setFont(arial, 8.25, false);
        RapprocheLegende(coDépl(i));
    }
    coDépl(0)->setValue(true);
    struct Fleche {
        double l, t;
        const char* tag;
        const char* glyphe;
    };
    const Fleche fleches[] = {{540, 720, "h", "↑"}, {540, 1140, "b", "↓"}, {180, 900, "g", "←"}, {900, 900, "d", "→"}};
    for (int i = 0; i < 4; ++i) {
        auto* b = Ajoute<CommandButton>(caPlace, QStringLiteral("btFlèche"), i);
        b->Move(fleches[i].l, fleches[i].t, 312, 312);
        b->setFont(QStringLiteral("Symbol"), 12, true);
        b->setCaption(QString::fromUtf8(fleches[i].glyphe));
        b->setTag(QString::fromUtf8(fleches[i].tag));
        btFlèche.set(i, b);
    }

    // ---- Generation and status
    étGénér = etiquette(caJeu, "étGénér", "", 120, 3330, 2160, 450);
    étSuite = etiquette(caJeu, "étSuite", "", 120, 3810, 3600, 270);

    // ---- Rule: survival row above the birth row
    caRègle = cadre(caJeu, "caRègle", " Règles ", 60, 4140, 3720, 1710, 1);
    étSurvie = etiquette(caRègle, "étSurvie", "Survie", 120, 240, 1200, 240);
    étCréa = etiquette(caRègle, "étCréa", "Création", 120, 780, 1200, 240);
    for (int i = 0; i <= 8; ++i) {
        const QString chiffre = QString::number(i);
        ccSurvie.set(i, caseACocher(caRègle, "ccSurvie", i, chiffre, 75 + i * 400, 480, 390, 270));
        ccCréa.set(i, caseACocher(caRègle, "ccCréa", i, chiffre, 75 + i * 400, 1020, 390, 270));
    }
    // Nine boxes to a row: the caption sits close to its box.
    for (int i = 0; i <= 8; ++i) {
        RapprocheLegende(ccSurvie(i));
        RapprocheLegende(ccCréa(i));
    }
    ccSurvie(2)->setValue(1);
    ccSurvie(3)->setValue(1);
    ccCréa(3)->setValue(1);
    ccAléa = caseACocher(caRègle, "ccAléa", -1, QStringLiteral("Aléa"), 120, 1350, 780, 270);
    ccZéro = caseACocher(caRègle, "ccZéro", -1, QStringLiteral("Ø"), 930, 1350, 540, 270);
    ccZéro->setValue(1);
    ccZéro->setEnabled(false);
    ccEnregR = caseACocher(caRègle, "ccEnregR", -1, QStringLiteral("Ecrire"), 1500, 1350, 900, 270);
    ccEnregR->setEnabled(false);
    btBiblio = bouton(caRègle, "btBiblio", "Afficher la liste", 2400, 1290, 1230, 360);
    btBiblio->setFont(QStringLiteral("Arial Narrow"), 10.2, true);
    btBiblio->setBackColor(0xE8FFE8);

    // ---- Pattern tools. The grid is 15 cells of 181 twips: beside buttons of
    // 972 it would not fit the panel, so the buttons are narrower.
    caMotif = cadre(caJeu, "caMotif", " Motifs ", 30, 5880, 3780, 3690, 1);
    ccVide = caseACocher(caMotif, "ccVide", -1, QStringLiteral("Vider la grille"), 180, 360, 1860, 300);
    ccVide->setValue(1);
    ccRègle = caseACocher(caMotif, "ccRègle", -1, QStringLiteral("Lire les règles"), 2160, 360, 1560, 300);
    const QString narrow = QStringLiteral("Arial Narrow");
    btChargeM = bouton(caMotif, "btChargeM", "Lire un motif", 120, 840, 810, 612);
    btPlaceM = bouton(caMotif, "btPlaceM", "Placer le motif", 120, 1560, 810, 612);
    btEnregM = bouton(caMotif, "btEnregM", "Ecrire le motif", 120, 2280, 810, 612);
    btVideM = bouton(caMotif, "btVideM", "Effacer le motif", 120, 3000, 810, 612);
    // Narrower than their captions: shown on two lines when they show (CaptionLayout).
    for (CommandButton* b : {btChargeM, btPlaceM, btEnregM, btVideM}) b->setFont(narrow, 8.25, true);
    grMotif = Ajoute<FlexGrid>(caMotif, QStringLiteral("grMotif"));
    grMotif->Move(990, 900, 2730, 2730);
    grMotif->setFont(QStringLiteral("Symbol"), 12, true);
    grMotif->setDisplayMap(QStringLiteral("·"), QStringLiteral("•"));

    caNomFic = cadre(caJeu, "caNomFic", "", 2340, 3330, 1380, 450, 0);
    étLif = etiquette(caNomFic, "étLif", "", 0, 0, 1380, 450);

    // ---- Events
    for (int i = 0; i <= 8; ++i) {
        ccSurvie(i)->Click = [this, i] { ccSurvie_Click(i); };
        ccCréa(i)->Click = [this, i] { ccCréa_Click(i); };
    }
    coMode(0)->Click = [this] { coMode_Click(0); };
    coMode(1)->Click = [this] { coMode_Click(1); };
    coSymDG(1)->Click = [this] { coSymDG_Click(1); };
    coSymDG(2)->Click = [this] { coSymDG_Click(2); };
    coSymHB(1)->Click = [this] { coSymHB_Click(1); };
    coSymHB(2)->Click = [this] { coSymHB_Click(2); };
    for (int i = 0; i < 4; ++i) btFlèche(i)->Click = [this, i] { btFlèche_Click(i); };
    btVa->Click = [this] { btVa_Click(); };
    btVide->Click = [this] { btVide_Click(); };
    ccAuto->Click = [this] { ccAuto_Click(); };
    bhAuto->Change = [this] { bhAuto_Change(); };
    miAuto->Timer_ = [this] { miAuto_Timer(); };
    btAnte->MouseDown = [this](int b, int s, float x, float y) { btAnte_MouseDown(b, s, x, y); };
    btAnte->MouseUp = [this](int b, int s, float x, float y) { btAnte_MouseUp(b, s, x, y); };
    ccCentre->Click = [this] { ccCentre_Click(); };
    ccAléa->Click = [this] { ccAléa_Click(); };
    ccEnregR->Click = [this] { ccEnregR_Click(); };
    btBiblio->Click = [this] { btBiblio_Click(); };  // rules/
    btPlaceM->Click = [this] { btPlaceM_Click(); };
    btChargeL->Click = [this] { btChargeL_Click(); };
    btEnregL->Click = [this] { btEnregL_Click(); };
    btChargeM->Click = [this] { btChargeM_Click(); };
    btEnregM->Click = [this] { btEnregM_Click(); };
    btVideM->Click = [this] { btVideM_Click(); };
    grJeu->Click = [this] { grJeu_Click(); };
    grMotif->Click = [this] { grMotif_Click(); };
}
