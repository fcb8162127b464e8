#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"

void Ostrane1::Form_Load() {
    if (EnReinit) return;
    EcartBas = static_cast<short>(VbRound(Height() - caSigne->Top()));
}
