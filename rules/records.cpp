// The rule library lives as record lines inside the help document: read into the
// panel's rows, written back in place of the old records, saved with the document.
#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"
#include "RichTextBox.h"
#include "rule_records.h"
#include "settings_block.h"

namespace {

QString MessageEndommagée() {
    return QStringLiteral(
               "La liste des règles est endommagée. Cette fonction est désactivée.\rPour la rétablir, "
               "remettre un fichier ") +
           App::Title() + QStringLiteral(".rtf sain.");
}

QString MessageRefus(rules::RegionError e) {
    QString pourquoi;
    switch (e) {
        case rules::RegionError::NoMarker:
            pourquoi = QStringLiteral("aucune ligne du texte d'aide ne commence par ") + rules::kMarker +
                       QStringLiteral(", qui marque leur place.");
            break;
        case rules::RegionError::NoEnd:
            pourquoi = QStringLiteral("le signe ") + QChar(rules::kRegionEnd) +
                       QStringLiteral(", qui termine leur place, manque après elles dans le texte d'aide.");
            break;
        default:
            pourquoi = QStringLiteral("une règle du texte d'aide se trouve après le signe ") +
                       QChar(rules::kRegionEnd) + QStringLiteral(" qui termine leur place.");
            break;
    }
    return QStringLiteral("Les règles ne peuvent pas être enregistrées : ") + pourquoi +
           QStringLiteral("\rLe fichier d'aide n'a pas été modifié.");
}

}  // namespace

bool Ostrane1::LisRègles() {
    const QString texte = FenAide->txAide()->Text();
    // An open help window closes here, with its own question when its text has changed.
    FenAide->Unload();

    const rules::ReadResult lu = rules::ReadRecords(texte);
    const int n = static_cast<int>(lu.records.size());
    for (int i = 0; i < n; ++i) {
        txRègle(i)->setText(lu.records[i].name);
        txRègleS(i)->setText(lu.records[i].survival);
        txRègleC(i)->setText(lu.records[i].birth);
    }
    if (lu.error != rules::ReadError::None) {
        MsgBox(MessageEndommagée(), 48);
        // Rows partly read must not be saved over the document's list.
        if (caBiblio->Visible()) MontreCadre(caJeu);
        return false;
    }
    // Rows past the list would otherwise keep older rules, and a save would write them twice.
    for (int i = n; i < rules::kRows; ++i) {
        txRègle(i)->setText(QString());
        txRègleS(i)->setText(QString());
        txRègleC(i)->setText(QString());
    }
    for (int i = 0; i < rules::kRows; ++i) txRègle(i)->setBackColor(0xFFFFFF);
    btRèglApp->setEnabled(false);
    btRèglEnreg->setEnabled(false);
    return true;
}

void Ostrane1::btRèglEnreg_Click() {
    QList<rules::Record> rangées;
    for (int i = 0; i < rules::kRows; ++i)
        rangées.append({txRègle(i)->Text(), txRègleS(i)->Text(), txRègleC(i)->Text()});
    const QString s = rules::BuildRecords(rangées);
    if (s.isEmpty()) {
        const int r = MsgBox(QStringLiteral("Cette liste doit comporter au moins une règle.\r\r[Recommencer] >> pour "
                                            "pouvoir compléter la liste avec une règle\r[Annuler] >> pour remettre "
                                            "la liste dans son état primitif."),
                             53);
        if (r == vbCancel) LisRègles();
        return;
    }

    // A name that would give the document the settings block's marker: refused here,
    // where the rule can be named, before the document is touched.
    for (const rules::Record& r : rangées) {
        const QString ligne = rules::BuildRecords({r});
        if (ligne.isEmpty() || settings::FindMarker(ligne) < 0) continue;
        MsgBox(QStringLiteral("Les règles ne peuvent pas être enregistrées : le nom de la règle « ") + r.name +
                   QStringLiteral(" » donnerait au fichier d'aide la ligne réservée « ") + settings::kMarker +
                   QStringLiteral(" », qui ouvre ses paramètres.\rLe fichier d'aide n'a pas été modifié."),
               48);
        return;
    }

    const bool déjàChargée = FenAide->Loaded();
    RichTextBox* tx = FenAide->txAide();
    const QString texte = tx->Text();
    // The records are replaced where the reading finds them; a document where that
    // would touch help text, or leave a record behind, is not written at all.
    const rules::Region région = rules::FindRegion(texte);
    if (région.error != rules::RegionError::None) {
        if (!déjàChargée) FenAide->Unload();
        MsgBox(MessageRefus(région.error), 48);
        return;
    }
    // A help window the user has open gets back its own text if the save fails.
    const QString avant = déjàChargée ? tx->TextRTF() : QString();
    const bool modifiée = FenAide->Modifié();
    for (const rules::Edit& e : rules::RegionEdits(texte, région, s)) {
        tx->setSelStart(e.start);
        tx->setSelLength(e.length);
        tx->setSelText(e.text);
    }

    // A save that failed has told the user; the list stays marked as not saved.
    if (EnregAide()) {
        btRèglEnreg->setEnabled(false);
    } else if (FenAide->Loaded()) {
        tx->setTextRTF(avant);
        tx->setSelStart(0);
        FenAide->FixEnreg(modifiée);
    }
}
