// The program's entry after the application object: the two window objects,
// then the start-up.
#include "Ostrane1.h"
#include "OstraneA.h"
#include "OstraneM.h"

void Main() {
    if (!FenAide) FenAide = new OstraneA;
    if (!FenPrinc) FenPrinc = new Ostrane1;
    Demarrage(*FenPrinc, *FenAide);
}
