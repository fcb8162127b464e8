#include "OstraneM.h"

#include "App.h"
#include "Controls.h"
#include "FlexGrid.h"
#include "RichTextBox.h"
#include "pictures.h"

#include <QFileInfo>

settings::Table Cfg;
QString FicAide;
QString TexteAide;
bool EnReinit = false;
bool OptOuvert = false;
Form* FormeCible = nullptr;
QString NomBouton;
float RapportL = 0, RapportH = 0, FacteurEcran = 0;
FenetreAide* FenAide = nullptr;
Form* FenPrinc = nullptr;

namespace {
Form* g_boutonForme = nullptr;  // the window of the picture button being pressed
}

void ReinitModule() {
    Cfg = settings::Table{};
    FicAide.clear();
    TexteAide.clear();
    EnReinit = false;
    OptOuvert = false;
    FormeCible = nullptr;
    NomBouton.clear();
    RapportL = RapportH = FacteurEcran = 0;
    g_boutonForme = nullptr;
}

// ---------------------------------------------------------------- settings

QString LisCfg(const QString& key) {
    const int row = settings::FindRow(Cfg, key);
    if (row < 0) {
        MsgBox(QStringLiteral("LisCfg >>> ") + key + QStringLiteral(" non trouvé"), 16);
        return QString();
    }
    return Cfg.value[size_t(row)];
}

void EcriCfg(const QString& key, const QString& value) {
    const int row = settings::FindRow(Cfg, key);
    if (row < 0) {
        MsgBox(QStringLiteral("EcriCfg >>> ") + key + QStringLiteral(" non trouvé"), 16);
        return;
    }
    Cfg.value[size_t(row)] = value;
}

QString LisBlocCfg(const QString& block) {
    return settings::ParseBlock(block, Cfg) ? QString() : QStringLiteral("*");
}

// ---------------------------------------------------------------- document store

namespace {

// Why a document is not written, told so that the user finds the text to change.
QString MessageRefus(const settings::DocumentCheck& c, const QString& texte) {
    QString pourquoi;
    if (c.fault == settings::DocumentCheck::MarkerInText) {
        const qsizetype début = texte.lastIndexOf(QStringLiteral("\r\n"), c.position) + 2;
        qsizetype fin = texte.indexOf(QStringLiteral("\r\n"), c.position);
        if (fin < 0) fin = texte.size();
        QString ligne = texte.mid(début, fin - début);
        if (ligne.size() > 80) ligne = ligne.left(77) + QStringLiteral("...");
        pourquoi = QStringLiteral("le texte d'aide contient la ligne réservée « ") +
                   texte.mid(c.position, settings::kMarker.size()) +
                   QStringLiteral(" », qui ouvre les paramètres à la fin du fichier, dans la ligne :\r") + ligne +
                   QStringLiteral("\rModifiez-la, puis enregistrez de nouveau.");
    } else if (c.fault == settings::DocumentCheck::NotOnOneLine) {
        pourquoi = QStringLiteral("le paramètre « ") + Cfg.key[size_t(c.row)] +
                   QStringLiteral(" » ne tient pas sur une ligne.");
    } else {
        pourquoi = QStringLiteral(
            "les paramètres, à la fin du fichier, n'ont plus leur ligne « Fin » et dépassent "
            "les 1000 caractères que lit le démarrage.");
    }
    return QStringLiteral("Le fichier d'aide n'a pas été enregistré : ") + pourquoi +
           QStringLiteral("\rLe fichier d'aide n'a pas été modifié.");
}

}  // namespace

bool EnregAide() {
    // Whether the user has the help window before him: a failed save must leave it open
    // with its mark up, so that the edits are not later lost without a question.
    const bool montrée = FenAide->Loaded() && FenAide->Visible();
    RichTextBox* tx = FenAide->txAide();
    bool ecrit = false;
    // A document the program could not start from again is never written.
    const settings::DocumentCheck contrôle = settings::CheckDocument(tx->Text(), Cfg);
    if (contrôle.fault != settings::DocumentCheck::None) {
        MsgBox(MessageRefus(contrôle, tx->Text()), 48);
    } else {
        const QString texte = tx->TextRTF();
        tx->setSelStart(static_cast<int>(tx->Text().size()));
        tx->setSelLength(0);
        tx->setSelText(settings::BuildBlock(Cfg));
        QString erreur;
        ecrit = tx->SaveFile(FicAide, &erreur);
        tx->setTextRTF(texte);
        tx->setSelStart(0);
        // What was not written is not kept either: it still shows as unsaved where it shows.
        if (ecrit) {
            TexteAide = texte;
        } else {
            // The old file is still whole (the new one is written beside it, then renamed).
            MsgBox(QStringLiteral("Le fichier d'aide n'a pas pu être enregistré :\r") + FicAide +
                       (erreur.isEmpty() ? QString() : QStringLiteral("\r(") + erreur + QStringLiteral(")")) +
                       QStringLiteral("\rLe fichier précédent est resté intact."),
                   48);
        }
    }
    if (!ecrit && montrée) {
        FenAide->FixEnreg(true);
        return false;
    }
    FenAide->FixEnreg(false);
    FenAide->Unload();
    return ecrit;
}

// ---------------------------------------------------------------- start-up

void Demarrage(Form& principale, FenetreAide& aide) {
    FicAide = App::Path() + App::Sep() + App::Title() + QStringLiteral(".rtf");
    EnReinit = true;
    const QFileInfo fichier(FicAide);
    if (!fichier.exists()) {
        AfficheEchec(aide, 1);
        return;
    }
    // A pipe or a device would block the read, or never end it; a folder has no text.
    if (!fichier.isFile()) {
        AfficheEchec(aide, 2);
        return;
    }
    RichTextBox* tx = aide.txAide();
    // A file that cannot be read, or is not RTF, is as damaged as one without its block.
    if (!tx->LoadFile(FicAide)) {
        AfficheEchec(aide, 2);
        return;
    }
    // Found as a save checks for it.
    const int pos = static_cast<int>(settings::FindMarker(tx->Text()));
    if (pos < 0) {
        AfficheEchec(aide, 2);
        return;
    }
    tx->setSelStart(pos);
    tx->setSelLength(settings::BlockLength(tx->Text().mid(pos)));
    if (LisBlocCfg(tx->SelText()) == QLatin1String("*")) {
        AfficheEchec(aide, 2);
        return;
    }
    tx->setSelText(QString());
    TexteAide = tx->TextRTF();
    aide.FixEnreg(false);
    aide.Unload();

    RapportL = static_cast<float>(Screen::Width() / 14400.0);
    RapportH = static_cast<float>(Screen::Height() / 10800.0);
    FacteurEcran = RapportL > RapportH ? RapportH : RapportL;
    EnReinit = false;
    MiseEnPage(principale);
    DoEvents();
    principale.Show();
}

void AfficheEchec(FenetreAide& aide, int code) {
    // The document may be loaded and marked as changed: the unload must not stop on the
    // save question, so that the next load shows the failure face.
    if (aide.Loaded()) aide.FixEnreg(false);
    aide.Unload();
    FicAide = QString::number(code);
    aide.Show(1);
}

// ---------------------------------------------------------------- screen fit

bool PropExiste(Control* objet, const QString& nom) {
    return objet && objet->HasProperty(nom);
}

void MiseEnPage(Form& fenetre) {
    const bool manuel = fenetre.StartUpPosition() == 0;
    float x, y;
    QString code;
    if (manuel) {
        code = LisCfg(QStringLiteral("Ecran"));
        if (code == QLatin1String("#")) {
            x = RapportL;
            y = RapportH;
        } else if (code == QLatin1String("@")) {
            x = y = 1;
        } else {
            x = y = FacteurEcran;
        }
    } else {
        bool ok = false;
        const double zoom = LisCfg(QStringLiteral("Zoom")).trimmed().toDouble(&ok);
        // An unreadable or out-of-range zoom lays the window out at its design size.
        x = y = (ok && zoom >= 5 && zoom <= 20) ? static_cast<float>(zoom / 10.0) : 1.0f;
    }
    fenetre.setWidth(fenetre.Width() * x);
    fenetre.setHeight(fenetre.Height() * y);
    if (Control* barre = fenetre.ControlByName(QStringLiteral("caMarlett")))
        barre->setLeft(fenetre.Width() - barre->Width() - 60);
    double gauche = (Screen::Width() - fenetre.Width()) / 2;
    double haut = 0;
    if (manuel) {
        if (code == QLatin1String(">"))
            gauche = Screen::Width() - fenetre.Width();
        else if (code == QLatin1String("<"))
            gauche = 0;
    } else {
        haut = (Screen::Height() - fenetre.Height()) / 2;
    }
    fenetre.setLeft(gauche);
    fenetre.setTop(haut);

    for (Control* c : fenetre.Controls()) {
        if (c->Tag() == QLatin1String("!")) continue;
        if (!PropExiste(c, QStringLiteral("left"))) {
            // Lines have ends instead of a place: they follow their container so that a
            // mark drawn through a picture's centre stays there.
            if (auto* l = dynamic_cast<Line*>(c)) l->setEnds(l->X1() * x, l->Y1() * y, l->X2() * x, l->Y2() * y);
            continue;
        }
        c->setLeft(c->Left() * x);
        c->setTop(c->Top() * y);
        if (c->Tag() == QStringLiteral("§")) continue;
        c->setWidth(c->Width() * x);
        if (!c->Name().startsWith(QLatin1String("ls")) && !c->Name().startsWith(QLatin1String("lc")))
            c->setHeight(c->Height() * y);
        if (PropExiste(c, QStringLiteral("Font"))) {
            c->setFontSize(c->FontSize() * y);
            c->Refresh();
        }
    }
}

float EchelleGrille(FlexGrid& grille) {
    // Under "@" the window and its grids keep their design size: cells scaled by the
    // screen would not all fit. Every other code lays the grids out at FacteurEcran or
    // more. Read without LisCfg's message: the layout gives it for a missing code.
    const int rang = settings::FindRow(Cfg, QStringLiteral("Ecran"));
    const float facteur = rang >= 0 && Cfg.value[size_t(rang)] == QLatin1String("@") ? 1.0f : FacteurEcran;
    for (int i = 0; i < grille.Cols(); ++i) grille.setColWidth(i, VbRound(grille.ColWidth(i) * facteur));
    for (int i = 0; i < grille.Rows(); ++i) grille.setRowHeight(i, VbRound(grille.RowHeight(i) * facteur));
    return facteur;
}

// ---------------------------------------------------------------- picture buttons and closing

BoutonImage PoseBoutonImage(Form& fenetre, Frame* barre, const QString& nom, const QString& image, double gauche,
                            double coteJumeau, const QString& bulle) {
    const auto dessin = [image] { return DessineBouton(image); };
    auto* z = fenetre.Ajoute<Image>(barre, nom + QLatin1Char('Z'));
    z->Move(gauche + 24, 60, coteJumeau, coteJumeau);
    z->setStretch(true);
    z->setPictureLater(dessin);
    z->setVisible(false);
    z->setTag(QStringLiteral("!"));
    auto* b = fenetre.Ajoute<PictureBox>(barre, nom);
    b->Move(gauche, 36, 420, 420);
    b->setStretch(true);
    b->setPictureLater(dessin);
    b->setToolTipText(bulle);
    b->setTag(QStringLiteral("!"));
    return {b, z};
}

void BoutonBas() {
    // The picture that took the mouse-down, whether or not it holds the focus.
    Control* c = Screen::MouseDownControl();
    if (!c) return;
    NomBouton = c->Name();
    g_boutonForme = &c->Parent();
    c->setVisible(false);
    if (Control* z = g_boutonForme->ControlByName(NomBouton + QLatin1Char('Z'))) z->setVisible(true);
}

void BoutonHaut() {
    if (!g_boutonForme || !g_boutonForme->Loaded()) return;
    if (Control* b = g_boutonForme->ControlByName(NomBouton)) b->setVisible(true);
    if (Control* z = g_boutonForme->ControlByName(NomBouton + QLatin1Char('Z'))) z->setVisible(false);
}

void FermeForme(Form& fenetre) {
    // A window whose unload handler closes through here as well (the help window) would
    // otherwise look for a visible window twice: the outer call alone decides.
    static Form* enCours = nullptr;
    if (enCours == &fenetre) return;
    Form* const avant = enCours;
    enCours = &fenetre;
    fenetre.Unload();
    enCours = avant;
    if (EnReinit) return;
    for (Form* f : Form::Forms()) {
        // Called from the window's own unload, the window is still loaded: it is on its way out.
        if (f == &fenetre && f->Unloading()) continue;
        if (f->Visible()) return;
    }
    End();
}
