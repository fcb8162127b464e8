#include "OstraneG.h"

#include "App.h"
#include "OstraneM.h"
#include "pictures.h"

#include <QApplication>

Form* FenOptions = nullptr;

namespace {
// The window the options lay out: the main window, whoever opened us.
Form* Cible() {
    return FormeCible ? FormeCible : FenPrinc;
}
}  // namespace

OstraneG::OstraneG() : Form(QStringLiteral("OstraneG")) {
    // The window keeps its design size on every screen: these are its client twips,
    // the desktop adding its border and title bar around them.
    m_designWidth = 5904;
    m_designHeight = 4056;
    m_designStartUp = 2;
    m_designCaption = QStringLiteral(" Paramètres d'affichage");
}

void OstraneG::CreateControls() {
    const QString comic = QStringLiteral("Comic Sans MS");

    // ---- the screen page
    caEcran = Ajoute<Frame>(nullptr, QStringLiteral("caEcran"));
    caEcran->Move(60, 0, 5820, 2052);
    caEcran->setVisible(false);
    const struct {
        const char* texte;
        double gauche, haut, largeur;
    } tailles[] = {{"Proportionnel", 120, 180, 1860},
                   {"Plein écran", 120, 1020, 3000},
                   {"Conserver les dimensions d'origine", 120, 1500, 5400}};
    for (int i = 0; i < 3; ++i) {
        auto* o = Ajoute<OptionButton>(caEcran, QStringLiteral("coTaille"), i);
        o->Move(tailles[i].gauche, tailles[i].haut, tailles[i].largeur, 360);
        o->setFont(comic, 10.8);
        o->setCaption(QString::fromUtf8(tailles[i].texte));
        o->Click = [this, i] { coTaille_Click(i); };
        coTaille.set(i, o);
    }
    caPosH = Ajoute<Frame>(caEcran, QStringLiteral("caPosH"));
    caPosH->Move(2040, 60, 3660, 900);
    caPosH->setCaption(QStringLiteral(" Positionnement horizontal "));
    const struct {
        const char *texte, *code;
        double gauche, haut, largeur, hauteur;
    } positions[] = {
        {"<", "<", 180, 300, 720, 540}, {"Centré", "/", 1320, 390, 1140, 360}, {">", ">", 2700, 300, 720, 540}};
    for (int i = 0; i < 3; ++i) {
        auto* o = Ajoute<OptionButton>(caPosH, QStringLiteral("coPosH"), i);
        o->Move(positions[i].gauche, positions[i].haut, positions[i].largeur, positions[i].hauteur);
        if (i == 1)
            o->setFont(QStringLiteral("Arial"), 10.8);
        else
            o->setFont(QStringLiteral("Lucida Console"), 24, true);
        o->setCaption(QString::fromUtf8(positions[i].texte));
        o->setTag(QString::fromUtf8(positions[i].code));
        o->Click = [this, i] { coPosH_Click(i); };
        coPosH.set(i, o);
    }

    // ---- the zoom page
    caZoom = Ajoute<Frame>(nullptr, QStringLiteral("caZoom"));
    caZoom->Move(60, 0, 4800, 1992);
    caZoom->setVisible(false);
    for (int i = 5; i <= 20; ++i) {
        auto* o = Ajoute<OptionButton>(caZoom, QStringLiteral("coZoom"), i);
        o->Move(60 + 300 * (i - 5), 480, 240, 300);
        o->setTag(QString::number(i));
        // The design size stands out among the sixteen.
        if (i == 10) o->setBackColor(0xFFFFFF);
        o->Click = [this, i] { coZoom_Click(i); };
        coZoom.set(i, o);
    }
    étZoom = Ajoute<Label>(caZoom, QStringLiteral("étZoom"));
    étZoom->Move(60, 840, 4680, 300);
    étZoom->setCaption(QStringLiteral("0,5           0,8      1                      1,5                      2"));

    // ---- the notice and the apply button, under either page
    caAvis = Ajoute<Frame>(nullptr, QStringLiteral("caAvis"));
    caAvis->Move(60, 2040, 4800, 1992);
    btTaille = Ajoute<CommandButton>(caAvis, QStringLiteral("btTaille"));
    btTaille->Move(120, 180, 4560, 720);
    btTaille->setFont(comic, 10.8);
    btTaille->setCaption(QStringLiteral("    Appliquer et enregistrer       les modifications"));
    btTaille->setEnabled(false);
    btTaille->Click = [this] { btTaille_Click(); };
    auto* icone = Ajoute<Image>(caAvis, QStringLiteral("imAvis"), 0);
    icone->Move(180, 1140, 480, 480);
    icone->setStretch(true);
    icone->setPicture(DessineAvis());
    imAvis.set(0, icone);
    auto* avis = Ajoute<Label>(caAvis, QStringLiteral("étAvis"), 0);
    avis->Move(840, 1080, 3840, 780);
    avis->setCaption(QStringLiteral("Cette opérationtion ferme la fenêtre à redimensionner et la réinitialise."));
    étAvis.set(0, avis);

    btFerme = Ajoute<CommandButton>(nullptr, QStringLiteral("btFerme"));
    btFerme->Move(4980, 3480, 840, 480);
    btFerme->setFont(comic, 10.8);
    btFerme->setCaption(QStringLiteral("Fermer"));
    btFerme->Click = [this] { btFerme_Click(); };

    tmDessus = Ajoute<Timer>(nullptr, QStringLiteral("tmDessus"));
    tmDessus->setEnabled(false);
    tmDessus->setInterval(100);
    tmDessus->Timer_ = [this] { tmDessus_Timer(); };
}

void OstraneG::FixAppli(bool MdB) {
    btTaille->setEnabled(MdB);
}

void OstraneG::Form_Load() {
    // Centred on the screen each time it is loaded.
    setLeft((Screen::Width() - Width()) / 2);
    setTop((Screen::Height() - Height()) / 2);

    // Selecting the stored choice runs the options' handlers, which set the Tag and the
    // apply button; both are put back afterwards, so nothing is pending at the opening.
    QString v;
    Form* cible = Cible();
    if (cible && cible->StartUpPosition() != 0) {
        v = LisCfg(QStringLiteral("Zoom"));
        bool ok = false;
        const double zoom = v.trimmed().toDouble(&ok);
        // The same values the layout accepts: any other has no option that shows it.
        if (ok && zoom >= 5 && zoom <= 20) coZoom(VbRound(zoom))->setValue(true);
        caZoom->setVisible(true);
    } else {
        v = LisCfg(QStringLiteral("Ecran"));
        coTaille(0)->setValue(true);
        if (v == QLatin1String("/"))
            coPosH(1)->setValue(true);
        else if (v == QLatin1String("<"))
            coPosH(0)->setValue(true);
        else if (v == QLatin1String(">"))
            coPosH(2)->setValue(true);
        else if (v == QLatin1String("#"))
            coTaille(1)->setValue(true);
        else if (v == QLatin1String("@"))
            coTaille(2)->setValue(true);
        caEcran->setVisible(true);
    }
    btTaille->setTag(v);
    // Above every other window while open, the main window included when it comes back.
    setTopmost(true);
    FixAppli(false);
}

void OstraneG::coTaille_Click(int) {
    const bool proportionnel = coTaille(0)->Value();
    caPosH->setEnabled(proportionnel);
    for (const auto& [i, o] : coPosH) o->setEnabled(proportionnel);
    SuitChoix();
}

void OstraneG::coPosH_Click(int) {
    SuitChoix();
}

void OstraneG::SuitChoix() {
    // "Proportionnel" is a choice only once a position goes with it; the position
    // chosen before "Plein écran" or "Conserver..." still shows and comes back with it.
    QString choix;
    if (coTaille(1)->Value())
        choix = QStringLiteral("#");
    else if (coTaille(2)->Value())
        choix = QStringLiteral("@");
    else if (coTaille(0)->Value())
        for (const auto& [i, o] : coPosH)
            if (o->Value()) choix = o->Tag();
    if (choix.isEmpty()) {
        FixAppli(false);
        return;
    }
    btTaille->setTag(choix);
    // Read without LisCfg's message: a missing setting is told when the window opens.
    const int rang = settings::FindRow(Cfg, QStringLiteral("Ecran"));
    FixAppli(rang < 0 || choix != Cfg.value[size_t(rang)]);
}

void OstraneG::coZoom_Click(int Index) {
    btTaille->setTag(QString::number(Index));
    FixAppli(true);
}

void OstraneG::btTaille_Click() {
    Form* cible = Cible();
    if (!cible) return;
    const QString clé = caZoom->Visible() ? QStringLiteral("Zoom") : QStringLiteral("Ecran");
    const int rang = settings::FindRow(Cfg, clé);
    const QString ancienne = rang >= 0 ? Cfg.value[size_t(rang)] : QString();
    EcriCfg(clé, btTaille->Tag());
    if (!EnregAide()) {
        // The user has been told. The board is not thrown away for a setting that is not
        // on disk: the window stays as it is, the choice stays pending, and the setting
        // in memory stays the one the window is laid out with.
        if (rang >= 0) Cfg.value[size_t(rang)] = ancienne;
        return;
    }
    // Closed quietly (no question, no end of the program), then opened anew as at start-up.
    EnReinit = true;
    cible->Unload();
    EnReinit = false;
    cible->Show();
    MiseEnPage(*cible);
    FixAppli(false);
    // The new main window takes the focus when the desktop maps it, a moment from now; a
    // window manager may then lift a borderless window that covers the screen above every
    // stay-on-top window while it has the focus. We take the focus back once it has.
    if (!Unloading() && Visible()) {
        Show();
        m_attentes = 0;
        tmDessus->setEnabled(true);
    }
}

void OstraneG::tmDessus_Timer() {
    Form* cible = Cible();
    const bool principaleActive = cible && cible->Loaded() && QApplication::activeWindow() == cible->topWidget();
    if (principaleActive) Show();
    // Given up after two seconds: the user may have gone to the main window by then.
    if (principaleActive || ++m_attentes >= 20) tmDessus->setEnabled(false);
}

void OstraneG::btFerme_Click() {
    OptOuvert = false;
    Unload();
}

void OstraneG::Form_Unload(int&) {
    // A test reset or another quiet closing asks nothing.
    if (!EnReinit && btTaille->Enabled()) {
        if (MsgBox(QStringLiteral("Les paramètres ont été modifiés.\rFaut-il les enregistrer ?"), 52) == vbYes)
            btTaille->setValue(true);
    }
    setTopmost(false);
    // Closed from the desktop as well as by its own button: either way the window is
    // gone, and the main window must not go on refusing to close for it.
    OptOuvert = false;
}
