#include "OstraneA.h"

#include "App.h"
#include "OstraneM.h"
#include "RichTextBox.h"
#include "pictures.h"

OstraneA::OstraneA() : FenetreAide(QStringLiteral("OstraneA")) {
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
        const BoutonImage bi =
            PoseBoutonImage(*this, caMarlett, QString::fromUtf8(b.nom), DessineBouton(QString::fromUtf8(b.image)),
                            b.left, 396, QString::fromUtf8(b.tip));
        *b.b = bi.bouton;
        *b.z = bi.jumeau;
    }
    imTailleZ->setToolTipText(QStringLiteral("Afficher en pleine page"));
    imEnregN = Ajoute<Image>(caMarlett, QStringLiteral("imEnregN"));
    imEnregN->Move(1260, 36, 420, 420);
    imEnregN->setStretch(true);
    imEnregN->setPicture(DessineBouton(QStringLiteral("imEnregN")));
    imEnregN->setVisible(false);
    imTaille2 = Ajoute<Image>(nullptr, QStringLiteral("imTaille2"));
    imTaille2->Move(0, 0, 420, 420);
    imTaille2->setPicture(DessineBouton(QStringLiteral("imTaille2")));
    imTaille2->setVisible(false);
    imTaille0 = Ajoute<Image>(nullptr, QStringLiteral("imTaille0"));
    imTaille0->Move(480, 0, 420, 420);
    imTaille0->setPicture(DessineBouton(QStringLiteral("imTaille0")));
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
        im->setPicture(DessineEchec(code));
        im->setVisible(false);
        im->MouseUp = [this, code](int b, int s, float x, float y) { imProg_MouseUp(code, b, s, x, y); };
        imProg.set(code, im);
    }
}

void OstraneA::Form_Load() {
    setCaption(QStringLiteral(" ") + App::Title());
    AjusteEcran();
    // A failure code is a single digit where a path would stand.
    if (FicAide.size() == 1 && FicAide <= QLatin1String("9")) {
        FaceEchec();
        return;
    }
    ChargementOrdinaire();
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
    setWidth(Width() * m_r);
    setHeight(Height() * m_r);
}

void OstraneA::FaceEchec() {
    const int code = FicAide.toInt();
    // The panel keeps its design size: the drawn "OK" then lies under the place the
    // mouse-up tests, whatever the screen.
    caInit->Move(0, 0, 7992, 2076);
    caInit->setVisible(true);
    caInit->ZOrder(0);
    setWindowState(vbNormal);
    setHeight(caInit->Height() + 576);
    setWidth(caInit->Width());
    caAide->setVisible(false);
    setTop((Screen::Height() - Height()) / 2);
    setLeft((Screen::Width() - Width()) / 2);
    if (Image* im = imProg(code)) {
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
    FixEnreg(false);
}

void OstraneA::Form_Unload(int& Cancel) {
    (void)Cancel;
    if (caInit->Visible()) End();
}

void OstraneA::Form_Resize() {}

void OstraneA::btAide_Click(int Index) {
    (void)Index;
}

void OstraneA::imProg_MouseUp(int Index, int Button, int Shift, float X, float Y) {
    (void)Index;
    (void)Button;
    (void)Shift;
    if (3096 < X && X < 4824 && 1320 < Y && Y < 1872) End();
}
