// ".vie" board files: the whole Cosmos universe with its rule and caption.
#include "Ostrane1.h"

#include "disque.h"
#include "vie_format.h"

using namespace fichiers;

void Ostrane1::btEnregL_Click() {
    OuvreFic(QStringLiteral("Ecrire un écran"));
    const QString chemin = AttendFic();
    if (chemin.isEmpty()) return;
    EcritFichier(chemin, vie::Write({SurvieCour, CréaCour}, étGénér->Caption(), Univers.data(), Univers.Rows()));
}

// The board is emptied only once the whole file is in hand: a file that cannot
// be read leaves it as it was.
void Ostrane1::btChargeL_Click() {
    OuvreFic(QStringLiteral("Lire un écran"));
    const QString chemin = AttendFic();
    if (chemin.isEmpty()) return;
    QByteArray octets;
    if (!LitFichier(chemin, octets)) return;
    const vie::ReadResult lu = vie::Read(octets, TailleUnivers);

    étLif->setCaption(NomAffiché(chemin));
    btVide->setValue(true);
    if (lu.rule) {
        EcriCréa(lu.rule->birth);
        EcriSurvie(lu.rule->survival);
    }
    if (lu.caption) étGénér->setCaption(*lu.caption);
    const size_t n = std::min(lu.cells.size(), size_t(Univers.Count()));
    std::copy_n(lu.cells.begin(), n, Univers.data());
    DessineJeu();

    constexpr unsigned abîmé = vie::MissingLines | vie::TruncatedCount | vie::InvalidCount | vie::UnknownByte |
                               vie::UnreadableRule | vie::NoRule;
    constexpr unsigned tropGrand = vie::ExtraRows | vie::RowTooLong;
    const QString nom = QStringLiteral("« ") + chemin + QStringLiteral(" »");
    if (lu.faults & abîmé)
        Avertit(QStringLiteral("Le fichier ") + nom +
                QStringLiteral(" est endommagé : seul ce qui a pu en être lu est affiché."));
    else if (lu.faults & tropGrand)
        Avertit(QStringLiteral("Le fichier ") + nom +
                QStringLiteral(" contient un univers plus grand que celui-ci : ce qui dépasse n'est pas affiché."));
}
