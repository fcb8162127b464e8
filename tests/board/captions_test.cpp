// Every caption of the main window is read whole: no button, box, option, label
// or frame caption is wider (or taller) than the room its control gives it.
#include "Partie.h"

#include "App.h"
#include "Controls.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace {

struct Legendes : Partie {};

// Where the style draws a button's text: what is left of the widget once the frame,
// the margins or the indicator have taken their share.
QRect PlaceDuTexte(QAbstractButton* b, QStyle::SubElement e) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    return b->style()->subElementRect(e, &opt, b);
}

// The lines of a caption that do not fit a rectangle drawn without wrapping.
QString Deborde(const QFontMetrics& fm, const QString& texte, const QRect& place) {
    const QStringList lignes = texte.split(QLatin1Char('\n'));
    QString trop;
    for (const QString& l : lignes)
        if (fm.horizontalAdvance(l) > place.width())
            trop += QStringLiteral("\"%1\" needs %2 px of %3; ").arg(l).arg(fm.horizontalAdvance(l)).arg(place.width());
    if (lignes.size() * fm.lineSpacing() - fm.leading() > place.height())
        trop += QStringLiteral("%1 lines need %2 px of height %3; ")
                    .arg(lignes.size())
                    .arg(lignes.size() * fm.lineSpacing())
                    .arg(place.height());
    return trop;
}

TEST_F(Legendes, EveryCaptionOfTheMainWindowFitsItsControlAtTheDesignSize) {
    // A screen of 14400 by 10800 twips lays the window out at its design size.
    Screen::setSizeOverride(14400, 10800);
    Demarre();
    ASSERT_DOUBLE_EQ(f().btBiblio->FontSize(), 10.2) << "laid out at the design size";
    // Captions are measured as their controls show: every panel is shown, over one another.
    for (Control* c : f().Controls())
        if (dynamic_cast<Frame*>(c)) c->setVisible(true);
    int vues = 0;
    bool afficherLaListe = false;
    for (Control* c : f().Controls()) {
        QWidget* w = c->widget();
        if (!w) continue;
        const QFontMetrics fm(w->font());
        QString caption, trop;
        if (auto* b = dynamic_cast<CommandButton*>(c)) {
            caption = b->Caption();
            if (caption.isEmpty()) continue;
            auto* pb = static_cast<QAbstractButton*>(w);
            trop = Deborde(fm, pb->text(), PlaceDuTexte(pb, QStyle::SE_PushButtonContents));
            if (caption == QStringLiteral("Afficher la liste")) afficherLaListe = true;
        } else if (auto* k = dynamic_cast<CheckBox*>(c)) {
            caption = k->Caption();
            if (caption.isEmpty()) continue;
            auto* ab = static_cast<QAbstractButton*>(w);
            trop = Deborde(fm, ab->text(), PlaceDuTexte(ab, QStyle::SE_CheckBoxContents));
        } else if (auto* o = dynamic_cast<OptionButton*>(c)) {
            caption = o->Caption();
            if (caption.isEmpty()) continue;
            auto* ab = static_cast<QAbstractButton*>(w);
            trop = Deborde(fm, ab->text(), PlaceDuTexte(ab, QStyle::SE_RadioButtonContents));
        } else if (auto* l = dynamic_cast<Label*>(c)) {
            caption = l->Caption();
            if (caption.trimmed().isEmpty()) continue;
            auto* ql = static_cast<QLabel*>(w);
            const QRect place = ql->contentsRect();
            // Labels wrap at spaces: a word wider than the label, or more lines than
            // its height holds, is cut.
            const QRect besoin = fm.boundingRect(place, Qt::TextWordWrap | ql->alignment(), ql->text());
            if (besoin.width() > place.width() || besoin.height() > place.height())
                trop = QStringLiteral("needs %1x%2 px of %3x%4")
                           .arg(besoin.width())
                           .arg(besoin.height())
                           .arg(place.width())
                           .arg(place.height());
        } else if (auto* fr = dynamic_cast<Frame*>(c)) {
            caption = fr->Caption();
            if (caption.isEmpty()) continue;
            // The caption is painted six pixels in from the frame's left edge.
            const int besoin = 6 + fm.horizontalAdvance(caption);
            if (besoin > w->width()) trop = QStringLiteral("needs %1 px of %2").arg(besoin).arg(w->width());
        } else {
            continue;
        }
        ++vues;
        EXPECT_TRUE(trop.isEmpty()) << c->ObjectName().toStdString() << " \"" << caption.toStdString()
                                    << "\" is cut: " << trop.toStdString();
    }
    EXPECT_GT(vues, 20) << "the main window's captions were all looked at";
    EXPECT_TRUE(afficherLaListe) << "the rule frame's list button was among them";
}

}  // namespace
