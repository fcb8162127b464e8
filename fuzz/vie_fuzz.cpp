// Board files of any bytes: the reader must stay inside the universe, and
// what it read must survive writing and reading again.
#include "vie_format.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte picks a small universe now and then, to reach the edges.
    int taille = 188;
    if (size > 0 && data[0] < 0x10) taille = data[0];
    const QByteArrayView octets(reinterpret_cast<const char*>(data), qsizetype(size));
    const vie::Lecture l = vie::Lit(octets, taille);
    if (l.cellules.size() != size_t(taille) * size_t(taille)) std::abort();
    for (const life::Cell c : l.cellules)
        if (c != life::Dead && c != life::Live) std::abort();

    const vie::Regle regle = l.regle.value_or(vie::Regle{});
    const QByteArray f = vie::Ecrit(regle, l.légende.value_or(QString()), l.cellules.data(), taille);
    const vie::Lecture relue = vie::Lit(f, taille);
    if (!relue.Intacte() || relue.cellules != l.cellules || relue.regle != regle) std::abort();
    return 0;
}
