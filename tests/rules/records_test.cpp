// The rule list read from the help document and saved back into it, through the
// real program: "Afficher la liste" and "Ecrire les modifications".
#include "Biblio.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

using biblio::AideAvec;
using biblio::R;

namespace {

const QString kEndommagée = QStringLiteral(
    "La liste des règles est endommagée. Cette fonction est désactivée.\rPour la rétablir, remettre un fichier "
    "Ostrane.rtf sain.");

// The help text before the first record and from the region's end sign on.
struct Entourage {
    QString avant, après;
};
Entourage Autour(const QString& texte) {
    const qsizetype p = texte.indexOf(QStringLiteral("\r\n~®~"));
    const qsizetype q = texte.indexOf(QChar(0xA9), p);
    EXPECT_TRUE(p > 0 && q > p);
    return {texte.left(p + 2), texte.mid(q)};
}

TEST_F(Biblio, TheShippedListFillsTheRowsAndEmptiesTheRest) {
    Demarre();
    Ouvre();
    EXPECT_EQ(Rangée(0), QStringLiteral("Jeu de la vie|23|3"));
    EXPECT_EQ(Rangée(3), QStringLiteral("Seeds||2"));
    EXPECT_EQ(Rangée(9), QStringLiteral("34 Life|34|34"));
    EXPECT_EQ(Rangée(10), QStringLiteral("||"));
    EXPECT_FALSE(Actif(QStringLiteral("btRèglEnreg"))) << "a fresh reading is not a change";
    EXPECT_FALSE(Actif(QStringLiteral("btRèglApp"))) << "no row is selected";
    // Typed into the last row, then read again: the row is emptied, not kept as a ghost.
    Remplace("txRègle", 10, QStringLiteral("Fantôme"));
    Clique(QStringLiteral("btRègleF"));
    Ouvre();
    EXPECT_EQ(Rangée(10), QStringLiteral("||"));
}

TEST_F(Biblio, ARecordFillsARowAsWrittenSpacesIncluded) {
    DemarreAvec(AideAvec({R("Exemple", "23", "3"), R("  Deux avant, un après ", "8312", "33"), R("Vide", "", "")}));
    Ouvre();
    EXPECT_EQ(Rangées().mid(0, 4),
              (QStringList{QStringLiteral("Exemple|23|3"), QStringLiteral("  Deux avant, un après |8312|33"),
                           QStringLiteral("Vide||"), QStringLiteral("||")}));
}

TEST_F(Biblio, AMarkerOnTheDocumentsFirstLineIsNotARecord) {
    QByteArray aide = AideAvec({R("Vraie", "1", "2")});
    const QByteArray titre = "\\pard\\plain\\qc\\f1\\fs32\\b\\cf3 Ostrane\\par";
    ASSERT_EQ(aide.indexOf(titre), aide.indexOf("\\pard"));
    aide.replace(titre, "\\pard\\plain\\f0\\fs20 ~\\'ae~T\\'eate|7|8\\par");
    DemarreAvec(aide);
    ASSERT_TRUE(TexteDuDocument().startsWith(QStringLiteral("~®~Tête|7|8\r\n")));
    Ouvre();
    EXPECT_EQ(Rangée(0), QStringLiteral("Vraie|1|2"));
    EXPECT_EQ(Rangée(1), QStringLiteral("||"));
    // Saved, the first line stays as it was and the list goes where it was read.
    Remplace("txRègle", 1, QStringLiteral("Nouvelle"));
    Clique(QStringLiteral("btRèglEnreg"));
    const QString t = TexteDuDocument();
    EXPECT_TRUE(t.startsWith(QStringLiteral("~®~Tête|7|8\r\n")));
    EXPECT_NE(t.indexOf(QStringLiteral("\r\n~®~Vraie|1|2\r\n~®~Nouvelle||\r\n~©")), -1);
}

TEST_F(Biblio, ADamagedListShowsTheMessageAndKeepsThePanelClosed) {
    QStringList douze, onze;
    for (int i = 0; i < 12; ++i) {
        douze << R(qPrintable(QStringLiteral("R%1").arg(i)), "2", "3");
        if (i < 11) onze << QStringLiteral("R%1|2|3").arg(i);
    }
    struct Cas {
        const char* quoi;
        QByteArray aide;
        QStringList rangées;  // the rows read before the damage
    };
    // No line end after a record: the help text's last line, the settings block right after it.
    QByteArray sansFin = ShippedHelpFile();
    sansFin.replace("\\pard\\plain\\f0\\fs20 ~~~~< Ne pas", "\\pard\\plain\\f0\\fs20 ~\\'ae~Dernier|1|2~~~~< Ne pas");
    const Cas cas[] = {
        {"two fields",
         AideAvec({R("Bon", "2", "3"), QStringLiteral("~®~Court|23"), R("Après", "1", "1")}),
         {QStringLiteral("Bon|2|3")}},
        {"twelve records", AideAvec(douze), onze},
        {"no line end", sansFin, {QStringLiteral("Jeu de la vie|23|3"), QStringLiteral("HighLife|23|36")}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        DemarreAvec(c.aide);
        MsgBoxScript script;
        script.expect(vbOK);
        Clique(QStringLiteral("btBiblio"));
        ASSERT_EQ(script.shown().size(), 1u);
        EXPECT_EQ(script.shown()[0].text, kEndommagée);
        EXPECT_EQ(script.shown()[0].style, 48);
        EXPECT_FALSE(f().caBiblio->Visible());
        EXPECT_TRUE(f().caJeu->Visible());
        EXPECT_FALSE(FenAide->Loaded());
        for (int i = 0; i < c.rangées.size(); ++i) EXPECT_EQ(Rangée(i), c.rangées[i]);
        script.expect(vbOK);
        EXPECT_FALSE(f().LisRègles()) << "and again";
        EXPECT_EQ(script.shown().size(), 2u);
        TearDown();
    }
}

TEST_F(Biblio, ADocumentWithoutAListReadsAsAnEmptyOneButIsNotWrittenInto) {
    QByteArray aide = ShippedHelpFile();
    const qsizetype début = aide.indexOf(biblio::kPremierRecord);
    aide = aide.left(début) + aide.mid(aide.indexOf(biblio::kSigne));
    DemarreAvec(aide);
    Ouvre();
    EXPECT_EQ(Rangées(), QStringList(11, QStringLiteral("||")));
    const QByteArray fichier = m_dossier->readHelpFile();
    const QString texte = TexteDuDocument();
    Remplace("txRègle", 0, QStringLiteral("Perdue"));
    MsgBoxScript script;
    script.expect(vbOK);
    Clique(QStringLiteral("btRèglEnreg"));
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].style, 48);
    EXPECT_TRUE(script.shown()[0].text.startsWith(QStringLiteral("Les règles ne peuvent pas être enregistrées")));
    EXPECT_TRUE(script.shown()[0].text.endsWith(QStringLiteral("\rLe fichier d'aide n'a pas été modifié.")));
    EXPECT_EQ(m_dossier->readHelpFile(), fichier);
    EXPECT_EQ(TexteDuDocument(), texte);
    EXPECT_TRUE(Actif(QStringLiteral("btRèglEnreg"))) << "the rows are still to be saved";
}

TEST_F(Biblio, ADocumentWhereASaveWouldReplaceHelpTextIsNotWrittenInto) {
    struct Cas {
        const char* quoi;
        QByteArray aide;
    };
    QByteArray sansSigne = ShippedHelpFile();
    sansSigne.replace(biblio::kSigne, "\\pard\\plain\\f0\\fs20 ~");
    QByteArray aprèsSigne = AideAvec({R("Avant", "1", "2")});
    aprèsSigne.replace(biblio::kSigne, biblio::kSigne + " suite\\par\n" + biblio::Paragraphe(R("Après", "3", "4")) +
                                           "\\pard\\plain\\f0\\fs20 ");
    const Cas cas[] = {
        {"no end sign", sansSigne},
        {"a record after the sign", aprèsSigne},
        {"the sign inside a name", AideAvec({QStringLiteral("~®~Conway ©|23|3")})},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        DemarreAvec(c.aide);
        Ouvre();
        const QByteArray fichier = m_dossier->readHelpFile();
        Remplace("txRègleS", 0, QStringLiteral("5"));
        MsgBoxScript script;
        script.expect(vbOK);
        Clique(QStringLiteral("btRèglEnreg"));
        ASSERT_EQ(script.shown().size(), 1u);
        EXPECT_EQ(script.shown()[0].style, 48);
        EXPECT_EQ(m_dossier->readHelpFile(), fichier);
        EXPECT_FALSE(FenAide->Loaded());
        TearDown();
    }
}

TEST_F(Biblio, ASavedListComesBackAfterARestartWithTheHelpTextAroundItUnchanged) {
    Demarre();
    const Entourage avant = Autour(TexteDuDocument());
    Ouvre();
    // Row 1 blanked, a rule written in row 10: the gap closes on saving.
    Remplace("txRègle", 1, QString());
    Remplace("txRègle", 10, QStringLiteral("  Ma règle "));
    Remplace("txRègleS", 10, QStringLiteral("3216"));
    Remplace("txRègleC", 10, QStringLiteral("36"));
    ASSERT_TRUE(Actif(QStringLiteral("btRèglEnreg")));
    Clique(QStringLiteral("btRèglEnreg"));
    EXPECT_FALSE(Actif(QStringLiteral("btRèglEnreg")));
    EXPECT_FALSE(FenAide->Loaded()) << "the help window ends closed";

    Redémarre();
    const QString texte = TexteDuDocument();
    const Entourage après = Autour(texte);
    EXPECT_EQ(après.avant, avant.avant);
    EXPECT_EQ(après.après, avant.après);
    // The region is the records, one a line, then "~" right before the sign.
    EXPECT_NE(texte.indexOf(QStringLiteral("~®~Morley|245|368\r\n~®~34 Life|34|34\r\n~®~  Ma règle |3216|36\r\n~©")),
              -1);
    Ouvre();
    EXPECT_EQ(Rangée(0), QStringLiteral("Jeu de la vie|23|3"));
    EXPECT_EQ(Rangée(1), QStringLiteral("Day & Night|34678|3678")) << "the blank row is gone";
    EXPECT_EQ(Rangée(9), QStringLiteral("  Ma règle |3216|36"));
    EXPECT_EQ(Rangée(10), QStringLiteral("||"));
    EXPECT_EQ(LisCfg(QStringLiteral("Zoom")), QStringLiteral("10")) << "the settings are saved along";
}

// Help text among the records, or between them and a sign moved further on, stays.
TEST_F(Biblio, ASaveReplacesTheRecordLinesOnlyAndKeepsEveryOtherLineOfTheRegion) {
    QByteArray signeDéplacé = ShippedHelpFile();
    signeDéplacé.replace(biblio::kSigne, "\\pard\\plain\\f0\\fs20 ~");
    signeDéplacé.replace("** - 6 - **", "\\'a9** - 6 - **");
    const struct {
        const char* quoi;
        QByteArray aide;
    } cas[] = {
        {"a note after the records", AideAvec({R("A", "1", "2"), R("B", "3", "4"), QStringLiteral("Ma note")})},
        {"a note between two records", AideAvec({R("A", "1", "2"), QStringLiteral("Entre"), R("B", "3", "4")})},
        {"the sign moved on past a heading", signeDéplacé},
    };
    // The document's lines that are no records.
    const auto autres = [](const QString& texte) {
        QStringList out;
        for (const QString& l : texte.split(QStringLiteral("\r\n")))
            if (!l.startsWith(QStringLiteral("~®~"))) out << l;
        return out;
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        DemarreAvec(c.aide);
        const QStringList avant = autres(TexteDuDocument());
        Ouvre();
        Remplace("txRègle", 0, QStringLiteral("Nouvelle"));
        Clique(QStringLiteral("btRèglEnreg"));
        ASSERT_FALSE(Actif(QStringLiteral("btRèglEnreg")));
        Redémarre();
        EXPECT_EQ(autres(TexteDuDocument()), avant);
        Ouvre();
        EXPECT_TRUE(Rangée(0).startsWith(QStringLiteral("Nouvelle|")));
        TearDown();
    }
}

TEST_F(Biblio, ABlankNameIsNotWrittenWhateverItsDigits) {
    Demarre();
    Ouvre();
    for (int i = 1; i <= 9; ++i) Remplace("txRègle", i, QString());
    Remplace("txRègle", 4, QStringLiteral("   "));
    Remplace("txRègleS", 4, QStringLiteral("123"));
    Clique(QStringLiteral("btRèglEnreg"));
    const QString t = TexteDuDocument();
    EXPECT_NE(t.indexOf(QStringLiteral("\r\n~®~Jeu de la vie|23|3\r\n~©")), -1);
    EXPECT_EQ(t.count(QStringLiteral("~®~")), 1);
}

TEST_F(Biblio, AnEmptyListIsRefusedRetryKeepsTheRowsCancelReadsThemAgain) {
    Demarre();
    Ouvre();
    const QByteArray fichier = m_dossier->readHelpFile();
    for (int i = 0; i <= 10; ++i) Remplace("txRègle", i, QString());
    Remplace("txRègleS", 0, QStringLiteral("7"));
    const QStringList vidées = Rangées();
    MsgBoxScript script;
    script.expect(vbRetry);
    Clique(QStringLiteral("btRèglEnreg"));
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(
        script.shown()[0].text,
        QStringLiteral("Cette liste doit comporter au moins une règle.\r\r[Recommencer] >> pour pouvoir compléter "
                       "la liste avec une règle\r[Annuler] >> pour remettre la liste dans son état primitif."));
    EXPECT_EQ(script.shown()[0].style, 53);
    EXPECT_EQ(Rangées(), vidées);
    EXPECT_TRUE(Actif(QStringLiteral("btRèglEnreg")));
    EXPECT_EQ(m_dossier->readHelpFile(), fichier);

    script.expect(vbCancel);
    Clique(QStringLiteral("btRèglEnreg"));
    EXPECT_EQ(Rangée(0), QStringLiteral("Jeu de la vie|23|3"));
    EXPECT_EQ(Rangée(9), QStringLiteral("34 Life|34|34"));
    EXPECT_FALSE(Actif(QStringLiteral("btRèglEnreg")));
    EXPECT_TRUE(f().caBiblio->Visible());
    EXPECT_EQ(m_dossier->readHelpFile(), fichier);
}

TEST_F(Biblio, ACancelThatFindsTheListDamagedLeavesThePanel) {
    Demarre();
    Ouvre();
    // The document in memory has lost a bar since the panel was opened.
    const QByteArray seeds = "~\\'ae~Seeds||2";
    ASSERT_TRUE(::TexteAide.contains(QString::fromLatin1(seeds)));
    ::TexteAide.replace(QString::fromLatin1(seeds), QStringLiteral("~\\'ae~Seeds|2"));
    for (int i = 0; i <= 10; ++i) Remplace("txRègle", i, QString());
    MsgBoxScript script;
    script.expect(vbCancel);
    script.expect(vbOK);
    Clique(QStringLiteral("btRèglEnreg"));
    ASSERT_EQ(script.shown().size(), 2u);
    EXPECT_EQ(script.shown()[1].text, kEndommagée);
    EXPECT_TRUE(f().caJeu->Visible()) << "rows read in part are not left to be saved over the list";
    EXPECT_FALSE(f().caBiblio->Visible());
}

TEST_F(Biblio, ASaveThatFailsKeepsTheListMarkedAsNotSavedAndTheHelpWindowAsTheUserLeftIt) {
    Demarre();
    Ouvre();
    FenAide->Show();
    RichTextBox* tx = FenAide->txAide();
    tx->setSelStart(0);
    tx->setSelText(QStringLiteral("Note de l'utilisateur\r\n"));
    Remplace("txRègle", 0, QStringLiteral("Renommée"));
    const QByteArray ancien = m_dossier->readHelpFile();
    {
        FullDisk plein;
        MsgBoxScript script;
        script.expect(vbOK);
        Clique(QStringLiteral("btRèglEnreg"));
        ASSERT_EQ(script.shown().size(), 1u);
        EXPECT_TRUE(script.shown()[0].text.startsWith(QStringLiteral("Le fichier d'aide n'a pas pu être enregistré")));
    }
    EXPECT_EQ(m_dossier->readHelpFile(), ancien);
    EXPECT_TRUE(Actif(QStringLiteral("btRèglEnreg"))) << "a failed save is not shown as done";
    EXPECT_TRUE(FenAide->Visible());
    EXPECT_TRUE(FenAide->Modifié());
    EXPECT_TRUE(tx->Text().startsWith(QStringLiteral("Note de l'utilisateur\r\n"))) << "the user's edit is kept";
    EXPECT_EQ(tx->Text().indexOf(QStringLiteral("Renommée")), -1) << "and the list that was not saved is not in it";
    // The help window closed with "Non", the list read again is the document's.
    {
        MsgBoxScript script;
        script.expect(vbNo);
        FenAide->Unload();
    }
    Clique(QStringLiteral("btRègleF"));
    Ouvre();
    EXPECT_EQ(Rangée(0), QStringLiteral("Jeu de la vie|23|3"));
    EXPECT_FALSE(Actif(QStringLiteral("btRèglEnreg")));
    // Typed again and pressed once the disk has room, the list is saved.
    Remplace("txRègle", 0, QStringLiteral("Renommée"));
    Clique(QStringLiteral("btRèglEnreg"));
    EXPECT_FALSE(Actif(QStringLiteral("btRèglEnreg")));
    Redémarre();
    Ouvre();
    EXPECT_EQ(Rangée(0), QStringLiteral("Renommée|23|3"));
}

TEST_F(Biblio, ReadingClosesAnUnchangedHelpWindowWithoutAQuestion) {
    Demarre();
    // Unchanged: closed without a question.
    FenAide->Show();
    Ouvre();
    EXPECT_FALSE(FenAide->Loaded());
}

// Needs the help window's own closing question (style 35) on a changed text.
TEST_F(Biblio, ReadingAsksTheHelpWindowsQuestionWhenItsTextChanged) {
    Demarre();
    // "Non" drops the change, and the rows read are those the window showed.
    FenAide->Show();
    RichTextBox* tx = FenAide->txAide();
    tx->setSelStart(tx->Find(QStringLiteral("~®~HighLife")));
    tx->setSelLength(int(QStringLiteral("~®~HighLife").size()));
    tx->setSelText(QStringLiteral("~®~Haute vie"));
    MsgBoxScript script;
    script.expect(vbNo);
    Ouvre();
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].style, 35);
    EXPECT_FALSE(FenAide->Loaded());
    EXPECT_EQ(Rangée(1), QStringLiteral("Haute vie|23|36"));
    EXPECT_EQ(TexteDuDocument().indexOf(QStringLiteral("Haute vie")), -1) << "the help text change was dropped";
}

TEST_F(Biblio, SavingWithTheHelpWindowOpenStoresItsTextAlongWithTheList) {
    Demarre();
    Ouvre();
    FenAide->Show();
    RichTextBox* tx = FenAide->txAide();
    tx->setSelStart(0);
    tx->setSelText(QStringLiteral("Note de l'utilisateur\r\n"));
    Remplace("txRègleC", 0, QStringLiteral("38"));
    Clique(QStringLiteral("btRèglEnreg"));
    EXPECT_FALSE(FenAide->Loaded()) << "the save closes the help window without a question";
    Redémarre();
    const QString t = TexteDuDocument();
    EXPECT_TRUE(t.startsWith(QStringLiteral("Note de l'utilisateur\r\n")));
    EXPECT_NE(t.indexOf(QStringLiteral("\r\n~®~Jeu de la vie|23|38\r\n")), -1);
}

// A help file that LibreOffice Writer saved as RTF still gives its rules.
TEST_F(Biblio, AHelpFileSavedByLibreOfficeGivesItsRules) {
    QFile f(QStringLiteral(OSTRANE_RULES_TEST_DATA "/libreoffice_Ostrane.rtf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    DemarreAvec(f.readAll());
    Ouvre();
    EXPECT_EQ(Rangée(0), QStringLiteral("Jeu de la vie|23|3"));
    EXPECT_EQ(Rangée(2), QStringLiteral("Day & Night|34678|3678"));
    EXPECT_EQ(Rangée(9), QStringLiteral("34 Life|34|34"));
}

TEST_F(Biblio, AListSavedHereThenResavedByLibreOfficeComesBack) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    Demarre();
    Ouvre();
    Remplace("txRègle", 10, QStringLiteral("Écrite ici"));
    Remplace("txRègleS", 10, QStringLiteral("1"));
    Clique(QStringLiteral("btRèglEnreg"));
    ASSERT_FALSE(Actif(QStringLiteral("btRèglEnreg")));

    QTemporaryDir sortie;
    QProcess p;
    p.start(soffice,
            {QStringLiteral("-env:UserInstallation=") +
                 QUrl::fromLocalFile(sortie.filePath(QStringLiteral("profil"))).toString(),
             QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("rtf:Rich Text Format"),
             QStringLiteral("--outdir"), sortie.filePath(QStringLiteral("lo")), m_dossier->helpFile()});
    ASSERT_TRUE(p.waitForFinished(180000));
    QFile lo(sortie.filePath(QStringLiteral("lo/Ostrane.rtf")));
    ASSERT_TRUE(lo.open(QIODevice::ReadOnly)) << "LibreOffice wrote nothing";
    const QByteArray réécrit = lo.readAll();
    ASSERT_NE(réécrit, m_dossier->readHelpFile());
    m_dossier->writeHelpFile(réécrit);
    Redémarre();
    Ouvre();
    EXPECT_EQ(Rangée(0), QStringLiteral("Jeu de la vie|23|3"));
    EXPECT_EQ(Rangée(10), QStringLiteral("Écrite ici|1|"));
}

}  // namespace
