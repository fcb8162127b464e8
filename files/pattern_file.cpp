// ".lif" pattern files, in the Life 1.05 format: the pattern grid written,
// and a file read into the pattern grid or onto the board.
#include "Ostrane1.h"

#include "App.h"
#include "disque.h"
#include "lif_format.h"

#include <vector>

using namespace fichiers;

namespace {
const QString kRéservé = QStringLiteral("@_.lif");
}  // namespace

void Ostrane1::btEnregM_Click() {
    OuvreFic(QStringLiteral("Ecrire un motif"));
    // The offered name leaves the confirm button disabled until it is changed.
    txNFic->setText(kRéservé);
    const QString chemin = AttendFic();
    // Only the offered name itself is silently refused; "planeur@_.lif" is a
    // name of the user's.
    if (chemin.isEmpty() || NomDeFichier(chemin) == kRéservé) return;

    const int n = TailleMotif;
    std::vector<life::Cell> motif(size_t(n) * size_t(n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            motif[size_t(r) * n + c] = grMotif->TextMatrix(r, c) == QLatin1String(" ") ? life::Dead : life::Live;
    EcritFichier(chemin, lif::Ecrit({SurvieCour, CréaCour}, motif.data(), n));
}

void Ostrane1::btChargeM_Click() {
    // Before the panel opens: even a cancelled reading leaves the board empty.
    if (ccVide->Value() > 0) btVide->setValue(true);
    OuvreFic(QStringLiteral("Lire un motif"));
    const QString chemin = AttendFic();
    if (chemin.isEmpty()) return;
    QByteArray octets;
    if (!LitFichier(chemin, octets)) return;

    const bool versMotif = chemin.contains(QLatin1String("@_"));
    const bool globe = coMode(0)->Value();
    const lif::Cible cible = versMotif ? lif::Cible::Motif(TailleMotif)
                             : globe   ? lif::Cible::Globe(LigGrille, ColGrille)
                                       : lif::Cible::Cosmos(TailleUnivers);
    const lif::Lecture lu = lif::Lit(octets, cible);
    if (!lu.Life105()) {
        Avertit(QStringLiteral("Le fichier « ") + chemin +
                QStringLiteral(" » n'est pas un motif au format Life 1.05 : rien n'a été lu."));
        return;
    }

    étLif->setCaption(NomAffiché(chemin));
    const QString mort = QStringLiteral(" "), vivant = QString(QChar(life::Live));
    auto texte = [&](lif::Effet e) { return e == lif::Effet::Vivant ? vivant : mort; };
    const int L = cible.lignes, C = cible.colonnes;
    if (versMotif) {
        // Each "#P" empties the grid: only the last block stays.
        if (lu.effacements > 0) btVideM->setValue(true);
        for (int r = 0; r < L; ++r)
            for (int c = 0; c < C; ++c)
                if (const lif::Effet e = lu.at(r, c, C); e != lif::Effet::Aucun) grMotif->setTextMatrix(r, c, texte(e));
    } else if (globe) {
        // The grid holds what was clicked or shifted since the last step, and
        // after a parity change Grille holds cells never written: the file is
        // merged into the board as shown.
        if (Grille.Rows() != L || Grille.Cols() != C) Grille.Redim(L, C);
        for (int r = 0; r < L; ++r)
            for (int c = 0; c < C; ++c) {
                const lif::Effet e = lu.at(r, c, C);
                const bool vit = e == lif::Effet::Aucun ? grJeu->TextMatrix(r, c) > mort : e == lif::Effet::Vivant;
                Grille(r, c) = vit ? life::Live : life::Dead;
            }
        for (int c = 0; c < C; ++c)
            for (int r = 0; r < L; ++r) grJeu->setTextMatrix(r, c, Grille(r, c) == life::Live ? vivant : mort);
    } else {
        for (int r = 0; r < L; ++r)
            for (int c = 0; c < C; ++c)
                if (const lif::Effet e = lu.at(r, c, C); e != lif::Effet::Aucun)
                    Univers(r, c) = e == lif::Effet::Vivant ? life::Live : life::Dead;
        DessineJeu();
    }
    if (ccRègle->Value() > 0 && lu.regle) {
        EcriCréa(lu.regle->crea);
        EcriSurvie(lu.regle->survie);
    }
    // Once per reading: a large pattern would otherwise raise a box per cell.
    if (lu.horsCible > 0) MsgBox(QStringLiteral("Le motif est trop grand pour être affiché."), 16);
}
