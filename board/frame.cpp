#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"

void Ostrane1::Form_Resize() {
    if (!caMarlett) return;
    caMarlett->setLeft(Width() - caMarlett->Width() - 96);
    caSigne->setLeft(Width() - caSigne->Width() - 96);
    caSigne->setTop(Height() - EcartBas);
}

void Ostrane1::Form_Unload(int& Cancel) {
    (void)Cancel;
}
