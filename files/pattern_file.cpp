// ".lif" pattern files, in the Life 1.05 format: the pattern grid written,
// and a file read into the pattern grid or onto the board.
#include "Ostrane1.h"

#include "App.h"
#include "disque.h"
#include "lif_format.h"

#include <vector>

using namespace fichiers;

void Ostrane1::btEnregM_Click() {
    OuvreFic(QStringLiteral("Ecrire un motif"));
    // The offered name leaves the confirm button disabled until it is changed.
    txNFic->setText(lif::kReservedName);
    const QString chemin = AttendFic();
    if (chemin.isEmpty() || lif::IsReservedName(chemin)) return;

    const int n = TailleMotif;
    std::vector<life::Cell> motif(size_t(n) * size_t(n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            motif[size_t(r) * n + c] = grMotif->TextMatrix(r, c) == QLatin1String(" ") ? life::Dead : life::Live;
    EcritFichier(chemin, lif::Write({SurvieCour, CréaCour}, motif.data(), n));
}

void Ostrane1::btChargeM_Click() {
    // Before the panel opens: even a cancelled reading leaves the board empty.
    if (ccVide->Value() > 0) btVide->setValue(true);
    OuvreFic(QStringLiteral("Lire un motif"));
    const QString chemin = AttendFic();
    if (chemin.isEmpty()) return;
    QByteArray octets;
    if (!LitFichier(chemin, octets)) return;

    const bool versMotif = lif::IntoPatternGrid(chemin);
    const bool globe = coMode(0)->Value();
    const lif::Target cible = versMotif ? lif::Target::PatternGrid(TailleMotif)
                              : globe   ? lif::Target::Globe(LigGrille, ColGrille)
                                        : lif::Target::Cosmos(TailleUnivers);
    const lif::ReadResult lu = lif::Read(octets, cible);
    if (!lu.Life105()) {
        Avertit(QStringLiteral("Le fichier « ") + chemin +
                QStringLiteral(" » n'est pas un motif au format Life 1.05 : rien n'a été lu."));
        return;
    }

    étLif->setCaption(NomAffiché(chemin));
    const QString mort = QStringLiteral(" "), vivant = QString(QChar(life::Live));
    auto texte = [&](lif::Effect e) { return e == lif::Effect::Live ? vivant : mort; };
    const int L = cible.rows, C = cible.cols;
    if (versMotif) {
        // Each "#P" empties the grid: only the last block stays.
        if (lu.clearings > 0) btVideM->setValue(true);
        for (int r = 0; r < L; ++r)
            for (int c = 0; c < C; ++c)
                if (const lif::Effect e = lu.at(r, c, C); e != lif::Effect::None) grMotif->setTextMatrix(r, c, texte(e));
    } else if (globe) {
        // The grid holds what was clicked or shifted since the last step, and
        // after a parity change Grille holds cells never written: the file is
        // merged into the board as shown.
        if (Grille.Rows() != L || Grille.Cols() != C) Grille.Redim(L, C);
        for (int r = 0; r < L; ++r)
            for (int c = 0; c < C; ++c) {
                const lif::Effect e = lu.at(r, c, C);
                const bool vit = e == lif::Effect::None ? grJeu->TextMatrix(r, c) > mort : e == lif::Effect::Live;
                Grille(r, c) = vit ? life::Live : life::Dead;
            }
        for (int c = 0; c < C; ++c)
            for (int r = 0; r < L; ++r) grJeu->setTextMatrix(r, c, Grille(r, c) == life::Live ? vivant : mort);
    } else {
        for (int r = 0; r < L; ++r)
            for (int c = 0; c < C; ++c)
                if (const lif::Effect e = lu.at(r, c, C); e != lif::Effect::None)
                    Univers(r, c) = e == lif::Effect::Live ? life::Live : life::Dead;
        DessineJeu();
    }
    if (ccRègle->Value() > 0 && lu.rule) {
        EcriCréa(lu.rule->birth);
        EcriSurvie(lu.rule->survival);
    }
    // Once per reading: a large pattern would otherwise raise a box per cell.
    if (lu.outside > 0) MsgBox(QStringLiteral("Le motif est trop grand pour être affiché."), 16);
}
