#include "Ostrane1.h"

void Ostrane1::CreeJeu() {}
