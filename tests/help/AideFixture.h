// The real program with a help file of the test's own, and helpers that drive
// the help window as the user does: its picture buttons pressed and released,
// its text typed into.
#pragma once

#include "App.h"
#include "OstraneA.h"
#include "Partie.h"
#include "Programme.h"
#include "RichTextBox.h"
#include "rtf_model.h"

#include <QColor>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

class Aide : public Partie {
protected:
    // A help file made of these paragraphs, then the settings block.
    static QByteArray FichierAide(const QStringList& paragraphes) {
        rtf::Document d;
        const QStringList bloc{QStringLiteral("~~~~< Ne pas modifier ni déplacer ces lignes >~~~~"),
                               QStringLiteral("RépFic=#"), QStringLiteral("Ecran=/"), QStringLiteral("Zoom=10"),
                               QStringLiteral("Fin")};
        for (const QString& p : paragraphes + bloc) {
            rtf::Paragraph para;
            if (!p.isEmpty()) para.runs.append(rtf::Run{p, {}});
            d.paragraphs.append(para);
        }
        return rtf::Write(d);
    }
    void DemarreAvec(const QStringList& paragraphes) {
        m_dossier = std::make_unique<ProgramFolder>();
        m_dossier->writeHelpFile(FichierAide(paragraphes));
        Demarre();
    }
    // Ends the program quietly and starts it again from the same folder.
    void Redemarre() {
        ReinitProgramme();
        App::setPath(m_dossier->path());
        Demarre();
    }

    OstraneA& a() const { return *static_cast<OstraneA*>(FenAide); }
    QWidget* wa(const QString& nom) const {
        QWidget* x = Child(QStringLiteral("OstraneA"), nom);
        EXPECT_TRUE(x) << "no widget " << nom.toStdString() << " in the help window";
        return x;
    }
    // The main window's help button, as the user opens the help window.
    void Ouvre() {
        Presse(QStringLiteral("imAide"));
        Relache(QStringLiteral("imAide"));
        ASSERT_TRUE(FenAide->Visible()) << "the help window opened";
    }
    // A picture button of the help window pressed and released.
    void Bouton(const QString& nom) const {
        QWidget* x = wa(nom);
        if (!x) return;
        QTest::mousePress(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
        QTest::mouseRelease(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
    }
    void Section(int n) const { ClickWidget(wa(QStringLiteral("btAide(%1)").arg(n))); }
    QTextEdit* edit() const { return qobject_cast<QTextEdit*>(wa(QStringLiteral("txAide"))); }
    void Tape(const QString& texte) const {
        edit()->setFocus();
        QTest::keyClicks(edit(), texte);
    }
    bool Marque() const { return a().imEnreg->Visible() && !a().imEnregN->Visible(); }
    // The colour of the text shown at a position of the plain text.
    QColor Couleur(const QString& mot) const {
        QTextCursor c = edit()->document()->find(mot);
        if (c.isNull()) return {};
        return c.charFormat().foreground().color();
    }
    QString Fichier() const { return QString::fromLatin1(m_dossier->readHelpFile()); }
    // Every part of the window shows or hides as the display mode says.
    void PleinePage() const {
        EXPECT_EQ(a().WindowState(), vbMaximized);
        EXPECT_FALSE(edit()->isReadOnly()) << "full page is editable";
        EXPECT_TRUE(a().caEdite->Visible()) << "full page shows the sections";
        EXPECT_TRUE(wa(QStringLiteral("caEdite"))->isVisible());
    }
    void MultiPage() const {
        EXPECT_EQ(a().WindowState(), vbNormal);
        EXPECT_TRUE(edit()->isReadOnly()) << "multi-page is read-only";
        EXPECT_FALSE(a().caEdite->Visible());
    }
};

// A body of numbered lines with the given headings standing at the given lines.
inline QStringList Texte(int lignes, const std::vector<std::pair<int, QString>>& titres) {
    QStringList out;
    for (int i = 0; i < lignes; ++i) out << QStringLiteral("Ligne %1 du texte.").arg(i);
    for (const auto& [ligne, titre] : titres) out[ligne] = titre;
    return out;
}
