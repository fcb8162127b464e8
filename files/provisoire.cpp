// TEMPORARY: the file operations open the panel only, until the codecs are merged.
#include "Ostrane1.h"

void Ostrane1::btEnregL_Click() {
    OuvreFic(QStringLiteral("Ecrire un écran"));
    AttendFic();
}
void Ostrane1::btChargeL_Click() {
    OuvreFic(QStringLiteral("Lire un écran"));
    AttendFic();
}
void Ostrane1::btEnregM_Click() {
    OuvreFic(QStringLiteral("Ecrire un motif"));
    txNFic->setText(QStringLiteral("@_.lif"));
    AttendFic();
}
void Ostrane1::btChargeM_Click() {
    if (ccVide->Value() > 0) btVide->setValue(true);
    OuvreFic(QStringLiteral("Lire un motif"));
    AttendFic();
}
