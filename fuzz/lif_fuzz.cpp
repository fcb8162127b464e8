// Pattern files of any bytes onto the three targets: nothing outside them,
// and a pattern grid read from a file survives writing and reading again.
#include "lif_format.h"

#include <cstdlib>

namespace {

void Vérifie(const lif::Lecture& l, const lif::Cible& c) {
    if (l.cellules.size() != size_t(c.lignes) * size_t(c.colonnes)) std::abort();
    if (l.horsCible < 0) std::abort();
    if (!l.Life105() && (l.regle || l.horsCible || l.effacements)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView octets(reinterpret_cast<const char*>(data), qsizetype(size));
    const lif::Cible cibles[] = {lif::Cible::Motif(15), lif::Cible::Globe(45, 46), lif::Cible::Cosmos(188)};
    for (const lif::Cible& c : cibles) Vérifie(lif::Lit(octets, c), c);

    const lif::Cible motif = lif::Cible::Motif(15);
    const lif::Lecture l = lif::Lit(octets, motif);
    if (!l.Life105()) return 0;
    std::vector<life::Cell> grille(15 * 15, life::Dead);
    for (size_t i = 0; i < grille.size(); ++i)
        if (l.cellules[i] == lif::Effet::Vivant) grille[i] = life::Live;
    const lif::Regle regle = l.regle.value_or(lif::Regle{});
    const lif::Lecture relue = lif::Lit(lif::Ecrit(regle, grille.data(), 15), motif);
    if (relue.défauts != 0 || relue.horsCible != 0 || relue.regle != regle || relue.effacements != 1) std::abort();
    for (size_t i = 0; i < grille.size(); ++i)
        if ((relue.cellules[i] == lif::Effet::Vivant) != (grille[i] == life::Live)) std::abort();
    return 0;
}
