// The rule library panel caBiblio: the rules kept in the help document.
#include "Ostrane1.h"

void Ostrane1::CreeBiblio() {
    // It shares the board panel's place; the set-up shows one panel at a time.
    caBiblio = Ajoute<Frame>(nullptr, QStringLiteral("caBiblio"));
    caBiblio->Move(10440, 540, 3840, 9600);
    caBiblio->setVisible(false);
}
