// The real program with its rule-library panel: help files with lists of the
// test's own, the panel's rows as the user sees them, typing and restarting.
#pragma once

#include "App.h"
#include "Partie.h"
#include "RichTextBox.h"

#include <QLineEdit>
#include <QTest>

namespace biblio {

// A plain line as RTF text: ASCII as it stands, the rest as Unicode escapes.
inline QByteArray Rtf(const QString& ligne) {
    QByteArray out;
    for (const QChar c : ligne) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}')
            out += '\\', out += char(u);
        else if (u >= 32 && u < 128)
            out += char(u);
        else
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
    }
    return out;
}

inline QByteArray Paragraphe(const QString& ligne) {
    return "\\pard\\plain\\f0\\fs20 " + Rtf(ligne) + "\\par\n";
}

inline const QByteArray kPremierRecord = "\\pard\\plain\\f0\\fs20 ~\\'ae~Jeu de la vie";
inline const QByteArray kSigne = "\\pard\\plain\\f0\\fs20 ~\\'a9";

// The shipped help file with these lines in place of its list.
inline QByteArray AideAvec(const QStringList& lignes) {
    QByteArray a = ShippedHelpFile();
    const qsizetype début = a.indexOf(kPremierRecord);
    const qsizetype fin = a.indexOf(kSigne);
    EXPECT_TRUE(début > 0 && fin > début) << "the shipped help file has moved its list";
    QByteArray liste;
    for (const QString& l : lignes) liste += Paragraphe(l);
    return a.left(début) + liste + a.mid(fin);
}

inline QString R(const char* nom, const char* s, const char* c) {
    return QStringLiteral("~®~") + QString::fromUtf8(nom) + QLatin1Char('|') + QString::fromUtf8(s) + QLatin1Char('|') +
           QString::fromUtf8(c);
}

}  // namespace biblio

struct Biblio : Partie {
    // Starts the program on this help file.
    void DemarreAvec(const QByteArray& aide) {
        m_dossier = std::make_unique<ProgramFolder>();
        m_dossier->writeHelpFile(aide);
        Demarre();
    }
    // Quits and starts again on the same folder, as the user does.
    void Redémarre() {
        auto dossier = std::move(m_dossier);
        TearDown();
        m_dossier = std::move(dossier);
        App::setPath(m_dossier->path());
        Demarre();
    }
    void Ouvre() {
        Clique(QStringLiteral("btBiblio"));
        ASSERT_TRUE(f().caBiblio->Visible()) << "the panel did not open";
    }
    QLineEdit* Boîte(const char* nom, int i) const {
        return qobject_cast<QLineEdit*>(w(QStringLiteral("%1(%2)").arg(QString::fromUtf8(nom)).arg(i)));
    }
    // A row as shown: name, survival and birth boxes joined by "|".
    QString Rangée(int i) const {
        return Boîte("txRègle", i)->text() + QLatin1Char('|') + Boîte("txRègleS", i)->text() + QLatin1Char('|') +
               Boîte("txRègleC", i)->text();
    }
    QStringList Rangées() const {
        QStringList out;
        for (int i = 0; i <= 10; ++i) out << Rangée(i);
        return out;
    }
    // Empties a box with the keyboard, then types into it.
    void Remplace(const char* nom, int i, const QString& texte) const {
        QLineEdit* b = Boîte(nom, i);
        QTest::keyClick(b, Qt::Key_End);
        while (!b->text().isEmpty()) {
            const qsizetype avant = b->text().size();
            QTest::keyClick(b, Qt::Key_Backspace);
            if (b->text().size() == avant) break;
        }
        Tape(b, texte);
    }
    // Real key presses, one a character, accents included.
    static void Tape(QWidget* b, const QString& texte) {
        for (const QChar c : texte) {
            if (c.unicode() < 128) {
                QTest::keyClick(b, char(c.unicode()));
            } else {
                QTest::sendKeyEvent(QTest::Press, b, Qt::Key_unknown, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, b, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
    }
    // The help document's text as the help window holds it, the window left closed.
    static QString TexteDuDocument() {
        const QString t = FenAide->txAide()->Text();
        FenAide->Unload();
        return t;
    }
};
