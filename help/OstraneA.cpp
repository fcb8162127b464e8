#include "OstraneA.h"

#include "App.h"
#include "OstraneM.h"
#include "RichTextBox.h"
#include "pictures.h"

#include <QEvent>
#include <algorithm>
#include <QObject>
#include <QWidget>
#include <QWindow>

namespace {

// Red of the colour button: &H40C0, that is RGB(192, 64, 0).
constexpr long kRouge = 0x40C0;
// Lines kept shown above a section's heading after a jump.
constexpr int kLignesAuDessus = 2;

// Watches the desktop's answers about the window's state: a spontaneous state change
// is the desktop saying what it granted.
class VeilleEtat : public QObject {
public:
    explicit VeilleEtat(OstraneA& a) : m_a(a) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && e->spontaneous()) {
            if (auto* w = qobject_cast<QWindow*>(o))
                m_a.EtatAccorde(w->windowStates() & Qt::WindowMaximized, w->windowStates() & Qt::WindowMinimized);
        }
        return false;
    }

private:
    OstraneA& m_a;
};

}  // namespace

OstraneA::OstraneA() : FenetreAide(QStringLiteral("OstraneA")), m_veille(std::make_unique<VeilleEtat>(*this)) {
    // Client area 19104 x 10212 twips, plus the window's border and caption.
    m_designWidth = 19104 + 120;
    m_designHeight = 10212 + 576;
    m_designStartUp = 3;
}

RichTextBox* OstraneA::txAide() {
    Load();
    return m_txAide;
}

void OstraneA::FixEnreg(bool MdB) {
    Load();
    imEnreg->setVisible(MdB);
    imEnregN->setVisible(!MdB);
}

bool OstraneA::Modifié() {
    return Loaded() && imEnreg->Visible();
}

void OstraneA::CreateControls() {
    btAide.clear();
    imProg.clear();

    caAide = Ajoute<Frame>(nullptr, QStringLiteral("caAide"));
    caAide->setBorderStyle(0);
    caAide->Move(0, 0, 19092, 10212);
    caEdite = Ajoute<Frame>(caAide, QStringLiteral("caEdite"));
    caEdite->setBorderStyle(0);
    caEdite->Move(60, 60, 14472, 552);
    for (int n = 1; n <= 6; ++n) {
        auto* b = Ajoute<CommandButton>(caEdite, QStringLiteral("btAide"), n);
        b->Move(2400 * (n - 1), 0, 2352, 492);
        b->setFont(QStringLiteral("Arial"), 9, true);
        b->setCaption(QStringLiteral("Section ") + QString::number(n));
        b->setVisible(false);
        b->Click = [this, n] { btAide_Click(n); };
        btAide.set(n, b);
    }
    m_txAide = Ajoute<RichTextBox>(caAide, QStringLiteral("txAide"));
    m_txAide->Move(0, 600, 19032, 6552);
    m_txAide->setFont(QStringLiteral("Lucida Console"), 10);
    m_txAide->setTextRTF(QStringLiteral("Texte d'aide"));
    m_txAide->Change = [this] { FixEnreg(true); };

    // The bar of picture buttons, above the text view.
    caMarlett = Ajoute<Frame>(nullptr, QStringLiteral("caMarlett"));
    caMarlett->setBorderStyle(0);
    caMarlett->setBackColor(0x808080);
    caMarlett->Move(14700, 24, 4428, 492);
    struct Bouton {
        PictureBox** b;
        Image** z;
        const char* nom;
        const char* image;
        double left;
        const char* tip;
    };
    const Bouton boutons[] = {
        {&imTxR, &imTxRZ, "imTxR", "imTxR", 60, "Mettre le texte en rouge"},
        {&imTxN, &imTxNZ, "imTxN", "imTxN", 540, "Mettre le texte en noir"},
        {&imEnreg, &imEnregZ, "imEnreg", "imEnreg", 1260, "Enregistrer"},
        {&imAide, &imAideZ, "imAide", "imAideA", 2376, "Aller à l'aide sur l'aide"},
        {&imIco, &imIcoZ, "imIco", "imIcoA", 3000, "Réduire la page en icône"},
        {&imTaille, &imTailleZ, "imTaille", "imTaille2", 3480, "Afficher en multi-page"},
        {&imFerme, &imFermeZ, "imFerme", "imFermeA", 3960, "Fermer la page d'aide"},
    };
    for (const Bouton& b : boutons) {
        const BoutonImage bi = PoseBoutonImage(*this, caMarlett, QString::fromUtf8(b.nom), QString::fromUtf8(b.image),
                                               b.left, 396, QString::fromUtf8(b.tip));
        *b.b = bi.bouton;
        *b.z = bi.jumeau;
    }
    imTxR->MouseDown = [this](int b, int s, float x, float y) { imTxR_MouseDown(b, s, x, y); };
    imTxR->MouseUp = [this](int b, int s, float x, float y) { imTxR_MouseUp(b, s, x, y); };
    imTxN->MouseDown = [this](int b, int s, float x, float y) { imTxN_MouseDown(b, s, x, y); };
    imTxN->MouseUp = [this](int b, int s, float x, float y) { imTxN_MouseUp(b, s, x, y); };
    imEnreg->MouseDown = [this](int b, int s, float x, float y) { imEnreg_MouseDown(b, s, x, y); };
    imEnreg->MouseUp = [this](int b, int s, float x, float y) { imEnreg_MouseUp(b, s, x, y); };
    imAide->MouseDown = [this](int b, int s, float x, float y) { imAide_MouseDown(b, s, x, y); };
    imAide->MouseUp = [this](int b, int s, float x, float y) { imAide_MouseUp(b, s, x, y); };
    imIco->MouseDown = [this](int b, int s, float x, float y) { imIco_MouseDown(b, s, x, y); };
    imIco->MouseUp = [this](int b, int s, float x, float y) { imIco_MouseUp(b, s, x, y); };
    imTaille->MouseDown = [this](int b, int s, float x, float y) { imTaille_MouseDown(b, s, x, y); };
    imTaille->MouseUp = [this](int b, int s, float x, float y) { imTaille_MouseUp(b, s, x, y); };
    imFerme->MouseDown = [this](int b, int s, float x, float y) { imFerme_MouseDown(b, s, x, y); };
    imFerme->MouseUp = [this](int b, int s, float x, float y) { imFerme_MouseUp(b, s, x, y); };
    imTailleZ->setToolTipText(QStringLiteral("Afficher en pleine page"));
    imEnregN = Ajoute<Image>(caMarlett, QStringLiteral("imEnregN"));
    imEnregN->Move(1260, 36, 420, 420);
    imEnregN->setStretch(true);
    imEnregN->setPictureLater([] { return DessineBouton(QStringLiteral("imEnregN")); });
    imEnregN->setVisible(false);
    imTaille2 = Ajoute<Image>(nullptr, QStringLiteral("imTaille2"));
    imTaille2->Move(0, 0, 420, 420);
    imTaille2->setPictureLater([] { return DessineBouton(QStringLiteral("imTaille2")); });
    imTaille2->setVisible(false);
    imTaille0 = Ajoute<Image>(nullptr, QStringLiteral("imTaille0"));
    imTaille0->Move(480, 0, 420, 420);
    imTaille0->setPictureLater([] { return DessineBouton(QStringLiteral("imTaille0")); });
    imTaille0->setVisible(false);

    // The failure panel.
    caInit = Ajoute<Frame>(nullptr, QStringLiteral("caInit"));
    caInit->setBorderStyle(0);
    caInit->Move(0, 0, 7992, 2076);
    caInit->setVisible(false);
    for (int code = 1; code <= 2; ++code) {
        auto* im = Ajoute<Image>(caInit, QStringLiteral("imProg"), code);
        im->Move(0, 0, 7980, 2088);
        im->setStretch(true);
        im->setVisible(false);
        im->MouseUp = [this, code](int b, int s, float x, float y) { imProg_MouseUp(code, b, s, x, y); };
        imProg.set(code, im);
    }
}

void OstraneA::Form_Load() {
    // The sizes set while loading are not the window's resizes: the ordinary face lays
    // itself out once at the end, and the failure face keeps the size it gives itself.
    m_chargement = true;
    m_maxDemande = m_maxRefuse = false;
    setCaption(QStringLiteral(" ") + App::Title());
    AjusteEcran();
    // A failure code is a single digit where a path would stand.
    if (FicAide.size() == 1 && FicAide <= QLatin1String("9")) {
        FaceEchec();
        m_chargement = false;
        return;
    }
    ChargementOrdinaire();
    m_chargement = false;
    Form_Resize();
}

void OstraneA::AjusteEcran() {
    const double rH = Screen::Height() / Height();
    const double rW = Screen::Width() / Width();
    m_r = static_cast<float>(rH < rW ? rH : rW);
    for (Control* c : Controls()) {
        if (!PropExiste(c, QStringLiteral("left"))) continue;
        c->Move(c->Left() * m_r, c->Top() * m_r, c->Width() * m_r, c->Height() * m_r);
        if (PropExiste(c, QStringLiteral("Font"))) {
            c->setFontSize(c->FontSize() * m_r);
            c->Refresh();
        }
    }
    m_largeurNormale = Width() * m_r;
    m_hauteurNormale = Height() * m_r;
    Move(Left(), Top(), m_largeurNormale, m_hauteurNormale);
}

void OstraneA::FaceEchec() {
    const int code = FicAide.toInt();
    // The panel keeps its design size: the drawn "OK" then lies under the place the
    // mouse-up tests, whatever the screen.
    caInit->Move(0, 0, 7992, 2076);
    caInit->setVisible(true);
    caInit->ZOrder(0);
    setWindowState(vbNormal);
    // The panel fills the client area, with no band below it, whatever the desktop's frame.
    setClientSize(caInit->Width(), caInit->Height());
    caAide->setVisible(false);
    setTop((Screen::Height() - Height()) / 2);
    setLeft((Screen::Width() - Width()) / 2);
    if (Image* im = imProg(code)) {
        // Drawn when it is needed: a window that loads well never draws it.
        if (im->Picture().isNull()) im->setPicture(DessineEchec(code));
        im->Move(0, 0, 7980, 2088);
        im->setVisible(true);
    }
    setCaption(QStringLiteral("<!> - ") + Caption() + QStringLiteral(" - <!>"));
}

void OstraneA::ChargementOrdinaire() {
    setCaption(QStringLiteral(" Aide - ") + Caption());
    m_txAide->setTextRTF(TexteAide);
    m_txAide->setHeight(m_txAide->Height() + 1980 * m_r);
    const QString texte = m_txAide->Text();
    imTaille->setVisible(true);
    imTxR->setVisible(true);
    imTxN->setVisible(true);
    imAide->setVisible(true);
    // The picture of the mode the window is in, which outlives the window.
    imTaille->setPicture(MultiPage ? imTaille0->Picture() : imTaille2->Picture());
    imTailleZ->setPicture(imTaille->Picture());
    qsizetype p = -1;  // 0-based here
    for (int n = 1; n <= 6; ++n) {
        const QString marque = QStringLiteral("** - ") + QString::number(n) + QStringLiteral(" - **");
        p = texte.indexOf(marque, p + 1);
        if (p >= 0) {
            // A heading on the last line, or shorter than its marker, gives the rest of the line.
            qsizetype fin = texte.indexOf(QStringLiteral("\r\n"), p);
            if (fin < 0) fin = texte.size();
            const qsizetype debut = std::min(p + 14, fin);
            btAide(n)->setCaption(texte.mid(debut, fin - debut));
            btAide(n)->setVisible(true);
        }
    }
    m_txAide->MoveToStart();
    // Typing goes into the text from the start; the window gives the focus on its showing.
    m_txAide->SetFocus();
    FixEnreg(false);
}

void OstraneA::Form_Unload(int& Cancel) {
    if (caInit->Visible()) {
        End();
        return;
    }
    if (imEnreg->Visible()) {
        const int r = MsgBox(QStringLiteral("Le texte a été modifié. Faut-il l'enregistrer ?"), 35);
        if (r == vbCancel) {
            Cancel = 1;
            return;
        }
        // A save that failed has told the user and left the mark up: the window stays, so
        // that the edits are not lost without a question.
        if (r == vbYes && !EnregAide()) {
            Cancel = 1;
            return;
        }
    }
    FermeForme(*this);
}

void OstraneA::Form_Resize() {
    if (m_chargement || !caInit || caInit->Visible()) return;
    Surveille();
    const int etat = WindowState();
    if (etat != vbMinimized && !MultiPage && etat != vbMaximized) Agrandit();
    // Full page stays editable with its sections where the desktop will not maximise.
    m_txAide->setLocked(MultiPage);
    caEdite->setVisible(!MultiPage && WindowState() != vbMinimized);
    // Statements that a window too small would make negative are skipped.
    const double W = Width(), H = Height(), B = 492 * m_r;
    if (W - 60 > 0) m_txAide->setWidth(W - 60);
    if (H - B - 1296 > 0) m_txAide->setHeight(H - B - 1296);
    caMarlett->setLeft(W - caMarlett->Width() - 60);
    // The frame grows with the text, so that the text's scroll bar is never cut off.
    caAide->Move(0, 0, std::max(caAide->Width(), m_txAide->Left() + m_txAide->Width()),
                 std::max(caAide->Height(), m_txAide->Top() + m_txAide->Height()));
}

void OstraneA::Agrandit() {
    if (m_maxRefuse) return;
    // Only a shown window hears back from the desktop.
    if (Visible()) m_maxDemande = true;
    setWindowState(vbMaximized);
}

void OstraneA::Surveille() {
    QWidget* w = topWidget();
    QWindow* h = w ? w->windowHandle() : nullptr;
    if (!h || h == m_fenetreVeillee) return;
    h->installEventFilter(m_veille.get());
    m_fenetreVeillee = h;
}

void OstraneA::EtatAccorde(bool maximise, bool minimise) {
    if (maximise) {
        m_maxDemande = m_maxRefuse = false;
    } else if (m_maxDemande && !minimise) {
        // Asked for a maximise, told normal: the desktop will not maximise this window.
        m_maxDemande = false;
        m_maxRefuse = true;
    }
}

void OstraneA::btAide_Click(int Index) {
    RichTextBox* tx = m_txAide;
    const QString ouverture = QStringLiteral("** - ") + QString::number(Index);
    const int pos = tx->Find(ouverture, 0);
    // The heading may have been deleted since the load: nothing to go to.
    if (pos < 0) return;
    tx->SetFocus();
    tx->setSelStart(pos);
    tx->Span(QStringLiteral("\r"), true);
    tx->ScrollLineTo(pos, kLignesAuDessus);
}

// A picture button takes the focus on its press and passes it on when it hides: the text
// takes it back, so that typing goes on into it. A window the button closed has no text.
void OstraneA::RendFocus() {
    if (Loaded()) m_txAide->SetFocus();
}

void OstraneA::imTxR_MouseDown(int, int, float, float) {
    BoutonBas();
}

void OstraneA::imTxR_MouseUp(int, int, float, float) {
    BoutonHaut();
    m_txAide->setSelColor(kRouge);
    RendFocus();
}

void OstraneA::imTxN_MouseDown(int, int, float, float) {
    BoutonBas();
}

void OstraneA::imTxN_MouseUp(int, int, float, float) {
    BoutonHaut();
    m_txAide->setSelColor(0);
    RendFocus();
}

void OstraneA::imEnreg_MouseDown(int, int, float, float) {
    BoutonBas();
}

void OstraneA::imEnreg_MouseUp(int, int, float, float) {
    BoutonHaut();
    EnregAide();
    RendFocus();
}

void OstraneA::imAide_MouseDown(int, int, float, float) {
    BoutonBas();
}

void OstraneA::imAide_MouseUp(int, int, float, float) {
    BoutonHaut();
    // The help on help stands at the end of the text.
    m_txAide->SetFocus();
    m_txAide->MoveToEnd();
}

void OstraneA::imIco_MouseDown(int, int, float, float) {
    BoutonBas();
}

void OstraneA::imIco_MouseUp(int, int, float, float) {
    BoutonHaut();
    setWindowState(vbMinimized);
    RendFocus();
}

void OstraneA::imTaille_MouseDown(int, int, float, float) {
    BoutonBas();
}

void OstraneA::imTaille_MouseUp(int, int, float, float) {
    BoutonHaut();
    MultiPage = !MultiPage;
    imTaille->setPicture(MultiPage ? imTaille0->Picture() : imTaille2->Picture());
    imTailleZ->setPicture(imTaille->Picture());
    m_txAide->setLocked(MultiPage);
    caEdite->setVisible(!MultiPage);
    if (MultiPage) {
        setWindowState(vbNormal);
        Move(Left(), Top(), m_largeurNormale, m_hauteurNormale);
    } else {
        // The user asks for full page: ask the desktop again, even after a refusal.
        m_maxRefuse = false;
        Agrandit();
    }
    RendFocus();
}

void OstraneA::imFerme_MouseDown(int, int, float, float) {
    BoutonBas();
}

void OstraneA::imFerme_MouseUp(int, int, float, float) {
    BoutonHaut();
    FermeForme(*this);
    RendFocus();
}

void OstraneA::imProg_MouseUp(int Index, int Button, int Shift, float X, float Y) {
    (void)Index;
    (void)Button;
    (void)Shift;
    if (3096 < X && X < 4824 && 1320 < Y && Y < 1872) End();
}
