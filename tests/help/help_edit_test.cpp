// What the user does with the help text: types into it, colours it, switches
// between full page and multi-page, saves it, and answers the question asked
// when the window closes with changes.
#include "AideFixture.h"

#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QImage>
#include <optional>
#include <vector>

namespace {

const QString kQuestion = QStringLiteral("Le texte a été modifié. Faut-il l'enregistrer ?");

using AideEdition = Aide;

TEST_F(AideEdition, ThePictureButtonsCarryTheirPicturesAndToolTips) {
    Demarre();
    Ouvre();
    struct Cas {
        const char* nom;
        const char* bulle;
    };
    const Cas cas[] = {
        {"imTxR", "Mettre le texte en rouge"},
        {"imTxN", "Mettre le texte en noir"},
        {"imEnreg", "Enregistrer"},
        {"imAide", "Aller à l'aide sur l'aide"},
        {"imIco", "Réduire la page en icône"},
        {"imTaille", "Afficher en multi-page"},
        {"imTailleZ", "Afficher en pleine page"},
        {"imFerme", "Fermer la page d'aide"},
    };
    for (const Cas& c : cas) {
        QWidget* x = wa(QString::fromUtf8(c.nom));
        ASSERT_TRUE(x) << c.nom;
        EXPECT_EQ(x->toolTip(), QString::fromUtf8(c.bulle)) << c.nom;
        EXPECT_EQ(a().ControlByName(QString::fromUtf8(c.nom))->ToolTipText(), QString::fromUtf8(c.bulle));
    }
    // The red button shows the red it gives; the black one black letters.
    auto contient = [](const QImage& im, QRgb couleur) {
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                if ((im.pixel(x, y) & 0xFFFFFF) == (couleur & 0xFFFFFF)) return true;
        return false;
    };
    EXPECT_EQ(a().imTxR->Picture().size(), QSize(35, 35));
    EXPECT_TRUE(contient(a().imTxR->Picture(), qRgb(192, 64, 0)));
    EXPECT_TRUE(contient(a().imTxN->Picture(), qRgb(0, 0, 0)));
    EXPECT_FALSE(contient(a().imTxN->Picture(), qRgb(192, 64, 0)));
    EXPECT_NE(a().imTaille0->Picture(), a().imTaille2->Picture()) << "the two pictures of the switch differ";
    EXPECT_NE(a().imEnreg->Picture(), a().imEnregN->Picture());
    EXPECT_EQ(a().imEnregN->Left(), a().imEnreg->Left()) << "the grey diskette stands where the blue one does";
}

TEST_F(AideEdition, PressingAButtonShowsItsPressedTwinUntilReleased) {
    Demarre();
    Ouvre();
    QWidget* x = wa(QStringLiteral("imAide"));
    QTest::mousePress(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
    EXPECT_FALSE(a().imAide->Visible());
    EXPECT_TRUE(a().imAideZ->Visible());
    QTest::mouseRelease(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
    EXPECT_TRUE(a().imAide->Visible());
    EXPECT_FALSE(a().imAideZ->Visible());
    EXPECT_EQ(a().txAide()->SelStart(), a().txAide()->Text().size()) << "help on help: the end of the text";
}

TEST_F(AideEdition, TheMarkFollowsTypingAndColouring) {
    Demarre();
    Ouvre();
    EXPECT_FALSE(Marque());
    RichTextBox* tx = a().txAide();
    tx->setSelStart(0);
    tx->setSelLength(7);
    Bouton(QStringLiteral("imTxN"));
    EXPECT_TRUE(Marque()) << "a colour given to the selection is a change";
    a().FixEnreg(false);
    tx->setSelStart(3);
    Tape(QStringLiteral("x"));
    EXPECT_TRUE(Marque()) << "typing is a change";
    a().FixEnreg(true);
    a().FixEnreg(true);
    EXPECT_TRUE(Marque());
    a().FixEnreg(false);
    EXPECT_FALSE(a().imEnreg->Visible());
    EXPECT_TRUE(a().imEnregN->Visible());
}

// Typing goes into the text from the opening on, and again after every picture button
// that leaves the window open.
TEST_F(AideEdition, TheTextHoldsTheKeyboardAtTheOpeningAndAfterEveryPictureButton) {
    Demarre();
    Ouvre();
    QWidget* fenetre = TopLevel(QStringLiteral("OstraneA"));
    EXPECT_EQ(fenetre->focusWidget(), edit()) << "at the opening";
    struct Cas {
        const char* bouton;
        int réponse;  // to the message box it raises, or 0
    };
    // The save on a full disk fails, and the window stays; the question about the changes
    // that closing asks is answered "Annuler".
    const Cas cas[] = {{"imTxR", 0},    {"imTxN", 0},      {"imAide", 0},         {"imTaille", 0},
                       {"imTaille", 0}, {"imEnreg", vbOK}, {"imFerme", vbCancel}, {"imIco", 0}};
    a().txAide()->setSelStart(0);
    Tape(QStringLiteral("x"));
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.bouton);
        {
            std::optional<FullDisk> plein;
            if (c.réponse == vbOK) plein.emplace();
            MsgBoxScript script;
            if (c.réponse) script.expect(c.réponse);
            Bouton(QString::fromUtf8(c.bouton));
        }
        ASSERT_TRUE(a().Loaded());
        EXPECT_EQ(fenetre->focusWidget(), edit());
    }
}

// A paste with nothing in it changes nothing; control characters pasted do not come in,
// so that the text shown is the text saved.
TEST_F(AideEdition, APasteWithNothingInItChangesNothingAndControlCharactersStayOut) {
    Demarre();
    Ouvre();
    RichTextBox* tx = a().txAide();
    const QString avant = tx->Text();
    auto colle = [&](QMimeData* donnees) {
        QApplication::clipboard()->setMimeData(donnees);
        QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
    };
    auto image = new QMimeData;
    image->setImageData(QImage(8, 8, QImage::Format_RGB32));
    auto vide = new QMimeData;
    vide->setText(QString());
    for (QMimeData* d : {image, vide}) {
        tx->setSelStart(0);
        tx->setSelLength(7);
        colle(d);
        EXPECT_EQ(tx->Text(), avant);
        EXPECT_FALSE(Marque());
    }

    tx->setSelStart(0);
    auto controles = new QMimeData;
    controles->setText(QStringLiteral("A\aB\fC\033D\tE\r\nF "));
    colle(controles);
    const QString montre = QStringLiteral("ABCD\tE\r\nF ") + avant;
    EXPECT_EQ(tx->Text(), montre);
    Bouton(QStringLiteral("imEnreg"));
    Ouvre();
    EXPECT_EQ(a().txAide()->Text(), montre) << "what showed is what was saved";
}

// ---- Closing with changes

TEST_F(AideEdition, CancelKeepsTheWindowAndNoDropsTheChanges) {
    Demarre();
    Ouvre();
    const QByteArray avant = m_dossier->readHelpFile();
    const QString texte = a().txAide()->Text();
    a().txAide()->setSelStart(0);
    Tape(QStringLiteral("Z"));
    ASSERT_TRUE(Marque());
    {
        MsgBoxScript script;
        script.expect(vbCancel);
        Bouton(QStringLiteral("imFerme"));
        ASSERT_EQ(script.shown().size(), 1u);
        EXPECT_EQ(script.shown()[0].text, kQuestion);
        EXPECT_EQ(script.shown()[0].style, 35);
    }
    EXPECT_TRUE(a().Visible()) << "Cancel: the window stays";
    EXPECT_TRUE(Marque()) << "with its mark";
    EXPECT_EQ(a().txAide()->Text(), QStringLiteral("Z") + texte);
    {
        MsgBoxScript script;
        script.expect(vbNo);
        Bouton(QStringLiteral("imFerme"));
        EXPECT_EQ(script.shown().size(), 1u);
    }
    EXPECT_FALSE(a().Loaded()) << "No: the window closes";
    EXPECT_EQ(EndCount(), 0) << "the main window is still there";
    EXPECT_EQ(m_dossier->readHelpFile(), avant) << "nothing was written";
    Ouvre();
    EXPECT_EQ(a().txAide()->Text(), texte) << "reopened, the text is as it was";
    EXPECT_FALSE(Marque());
}

TEST_F(AideEdition, YesSavesTheChangesAndClosesTheWindow) {
    Demarre();
    Ouvre();
    a().txAide()->setSelStart(0);
    Tape(QStringLiteral("Motneuf "));
    {
        MsgBoxScript script;
        script.expect(vbYes);
        Bouton(QStringLiteral("imFerme"));
        EXPECT_EQ(script.shown().size(), 1u);
    }
    EXPECT_FALSE(a().Loaded());
    EXPECT_TRUE(Fichier().contains(QStringLiteral("Motneuf"))) << "the help file was rewritten";
    EXPECT_TRUE(Fichier().contains(QStringLiteral("Fin\\par"))) << "with its settings block";
    Ouvre();
    EXPECT_TRUE(a().txAide()->Text().startsWith(QStringLiteral("Motneuf ")));
    EXPECT_FALSE(Marque());
}

TEST_F(AideEdition, ClosingAnUnchangedTextAsksNothing) {
    Demarre();
    Ouvre();
    MsgBoxScript script;
    Bouton(QStringLiteral("imFerme"));
    EXPECT_TRUE(script.shown().empty());
    EXPECT_FALSE(a().Loaded());
    EXPECT_EQ(EndCount(), 0);
}

TEST_F(AideEdition, ClosingTheLastVisibleWindowEndsTheProgram) {
    Demarre();
    Ouvre();
    f().setWindowState(vbMinimized);
    f().Hide();
    Bouton(QStringLiteral("imFerme"));
    EXPECT_EQ(EndCount(), 1);
}

TEST_F(AideEdition, YesOnAFullDiskKeepsTheEditsMarkedAndNoThenDropsThemForGood) {
    Demarre();
    Ouvre();
    const QByteArray avant = m_dossier->readHelpFile();
    a().txAide()->setSelStart(0);
    Tape(QStringLiteral("Perdu? "));
    {
        FullDisk plein;
        MsgBoxScript script;
        script.expect(vbYes);
        script.expect(vbOK);
        Bouton(QStringLiteral("imFerme"));
        ASSERT_EQ(script.shown().size(), 2u);
        EXPECT_EQ(script.shown()[1].style, 48);
    }
    EXPECT_TRUE(a().Visible()) << "the edits are still before the user";
    EXPECT_TRUE(Marque());
    EXPECT_TRUE(a().txAide()->Text().startsWith(QStringLiteral("Perdu? ")));
    EXPECT_EQ(m_dossier->readHelpFile(), avant) << "the old file is whole";
    {
        MsgBoxScript script;
        script.expect(vbNo);
        Bouton(QStringLiteral("imFerme"));
    }
    Ouvre();
    EXPECT_FALSE(a().txAide()->Text().startsWith(QStringLiteral("Perdu? "))) << "reopened, the text is as saved";
    EXPECT_FALSE(Marque());
    Bouton(QStringLiteral("imEnreg"));
    EXPECT_FALSE(Fichier().contains(QStringLiteral("Perdu? "))) << "no later save writes what was dropped";
}

// Quitting the program while the help text has unsaved edits: only "Non" lets it end.
TEST_F(AideEdition, QuittingWithUnsavedEditsGoesOnUnlessTheAnswerIsNo) {
    struct Cas {
        const char* quoi;
        std::vector<int> réponses;
        bool disquePlein, fin;
    };
    const Cas cas[] = {
        {"Annuler", {vbCancel}, false, false},
        {"Oui, on a full disk", {vbYes, vbOK}, true, false},
        {"Non", {vbNo}, false, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        Demarre();
        Ouvre();
        a().txAide()->setSelStart(0);
        Tape(QStringLiteral("Garde "));
        {
            std::optional<FullDisk> plein;
            if (c.disquePlein) plein.emplace();
            MsgBoxScript script;
            for (int r : c.réponses) script.expect(r);
            Presse(QStringLiteral("imFerme"));
            Relache(QStringLiteral("imFerme"));
            ASSERT_EQ(script.shown().size(), c.réponses.size());
            EXPECT_EQ(script.shown()[0].text, kQuestion);
        }
        EXPECT_EQ(EndCount(), c.fin ? 1 : 0);
        if (!c.fin) {
            EXPECT_TRUE(f().Loaded() && f().Visible()) << "the main window stays";
            EXPECT_TRUE(a().Visible());
            EXPECT_TRUE(Marque());
            EXPECT_TRUE(a().txAide()->Text().startsWith(QStringLiteral("Garde ")));
        }
        TearDown();
    }
}

TEST_F(AideEdition, TheSaveButtonSavesAndClosesTheWindow) {
    Demarre();
    Ouvre();
    a().txAide()->setSelStart(0);
    Tape(QStringLiteral("Sauve "));
    MsgBoxScript script;
    Bouton(QStringLiteral("imEnreg"));
    EXPECT_TRUE(script.shown().empty()) << "the save asks nothing";
    EXPECT_FALSE(a().Loaded()) << "a save closes the help window";
    EXPECT_TRUE(Fichier().contains(QStringLiteral("Sauve ")));
}

// ---- Full page and multi-page

TEST_F(AideEdition, TwoPressesOfTheMultiPageButtonComeBackToFullPage) {
    Demarre();
    Ouvre();
    Bouton(QStringLiteral("imTaille"));
    EXPECT_TRUE(a().MultiPage);
    MultiPage();
    EXPECT_EQ(a().imTaille->Picture(), a().imTaille0->Picture());
    Bouton(QStringLiteral("imTaille"));
    EXPECT_FALSE(a().MultiPage);
    PleinePage();
    EXPECT_EQ(a().imTaille->Picture(), a().imTaille2->Picture());
}

TEST_F(AideEdition, MultiPageOutlivesTheWindowAndTheMinimiseButtonMinimises) {
    Demarre();
    Ouvre();
    Bouton(QStringLiteral("imTaille"));
    Bouton(QStringLiteral("imFerme"));
    ASSERT_FALSE(a().Loaded());
    Ouvre();
    EXPECT_TRUE(a().MultiPage);
    MultiPage();
    EXPECT_EQ(a().imTaille->Picture(), a().imTaille0->Picture()) << "the picture of the mode the window is in";
    Bouton(QStringLiteral("imIco"));
    EXPECT_EQ(a().WindowState(), vbMinimized);
    EXPECT_TRUE(a().imIco->Visible()) << "the button came back up before the window went";
    a().MultiPage = false;
}

TEST_F(AideEdition, ColoursGivenInMultiPageAreFoundAgainAfterASaveAndARestart) {
    DemarreAvec({QStringLiteral("Un mot rouge et un mot noir."), QStringLiteral("** - 1 - **   Un")});
    Ouvre();
    Bouton(QStringLiteral("imTaille"));
    ASSERT_TRUE(a().MultiPage);
    RichTextBox* tx = a().txAide();
    tx->Find(QStringLiteral("mot rouge"), 0);
    Bouton(QStringLiteral("imTxR"));
    EXPECT_TRUE(Marque()) << "the colour buttons act in multi-page";
    tx->Find(QStringLiteral("rouge et"), 0);
    Bouton(QStringLiteral("imTxN"));
    tx->Find(QStringLiteral("noir"), 0);
    Bouton(QStringLiteral("imTxR"));
    Bouton(QStringLiteral("imTxN"));
    Bouton(QStringLiteral("imEnreg"));
    ASSERT_FALSE(a().Loaded());
    a().MultiPage = false;

    // A new start from the saved file.
    Redemarre();
    Ouvre();
    EXPECT_EQ(Couleur(QStringLiteral("mot")), QColor(192, 64, 0));
    EXPECT_EQ(Couleur(QStringLiteral("et un")), QColor(Qt::black)) << "black where nothing was coloured";
    EXPECT_EQ(Couleur(QStringLiteral("rouge")), QColor(Qt::black)) << "red then black";
    EXPECT_EQ(Couleur(QStringLiteral("noir")), QColor(Qt::black)) << "the last colour given holds";
    EXPECT_TRUE(Fichier().contains(QStringLiteral("\\red192\\green64\\blue0")));
}

// ---- The help text keeps its looks through a save

TEST_F(AideEdition, TheShippedTitleAndIndentsSurviveASaveAndShow) {
    Demarre();
    Ouvre();
    QTextBlock titre = edit()->document()->begin();
    ASSERT_EQ(titre.text(), QStringLiteral("Ostrane"));
    EXPECT_EQ(titre.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    a().txAide()->setSelStart(0);
    Tape(QStringLiteral("Mon "));
    Bouton(QStringLiteral("imEnreg"));
    const QString fichier = Fichier();
    EXPECT_TRUE(fichier.contains(QStringLiteral("\\qc"))) << "the centred title";
    EXPECT_TRUE(fichier.contains(QStringLiteral("\\li360\\fi-240"))) << "the indented items";
    EXPECT_TRUE(fichier.contains(QStringLiteral("\\sb120\\sa60"))) << "the space around the headings";
    Ouvre();
    titre = edit()->document()->begin();
    EXPECT_EQ(titre.text(), QStringLiteral("Mon Ostrane"));
    EXPECT_EQ(titre.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

TEST_F(AideEdition, AHelpFileFromLibreOfficeOpensAndSavesBackWhole) {
    QFile lo(QStringLiteral(OSTRANE_RTF_TEST_DATA "/libreoffice_paragraphs.rtf"));
    ASSERT_TRUE(lo.open(QIODevice::ReadOnly));
    QByteArray doc = lo.readAll();
    // The settings block as LibreOffice would have written it, before the last brace.
    const int fin = doc.lastIndexOf('}');
    doc.insert(fin,
               "\\pard\\plain ~~~~< Ne pas modifier ni d\\'e9placer ces lignes >~~~~\\par "
               "R\\'e9pFic=#\\par Ecran=/\\par Zoom=10\\par Fin\\par ");
    m_dossier = std::make_unique<ProgramFolder>();
    m_dossier->writeHelpFile(doc);
    Demarre();
    Ouvre();
    RichTextBox* tx = a().txAide();
    EXPECT_TRUE(tx->Text().startsWith(QString::fromUtf8("Règles de la vie\r\nUne cellule née survit à côté.")));
    EXPECT_TRUE(tx->Text().contains(QString::fromUtf8("•\tPremière puce"))) << "the bullets show as bullets";
    EXPECT_EQ(Couleur(QString::fromUtf8("née")), QColor(0xC0, 0x40, 0x00));
    QTextBlock b = edit()->document()->begin();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(b.begin().fragment().charFormat().fontWeight() >= QFont::Bold);
    b = b.next();
    EXPECT_GT(b.blockFormat().leftMargin(), 0);
    EXPECT_LT(b.blockFormat().textIndent(), 0);

    Bouton(QStringLiteral("imEnreg"));
    const rtf::ReadResult relu = rtf::Read(m_dossier->readHelpFile());
    ASSERT_TRUE(relu.ok);
    const rtf::ReadResult origine = rtf::Read(doc);
    for (qsizetype i = 0; i < 6; ++i) {
        EXPECT_EQ(relu.doc.paragraphs[i].style, origine.doc.paragraphs[i].style) << "paragraph " << i;
    }
    const auto texte = [](const rtf::Document& d) {
        const QString t = rtf::PlainText(d);
        return t.left(t.indexOf(QStringLiteral("~~~~<")));
    };
    EXPECT_EQ(texte(relu.doc), texte(origine.doc));
    EXPECT_TRUE(texte(relu.doc).contains(QString::fromUtf8("Deuxième puce")));
}

}  // namespace
