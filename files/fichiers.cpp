// The file panel caFic: folders and files of boards and patterns.
#include "Ostrane1.h"

void Ostrane1::CreeFic() {
    // It shares the board panel's place; the set-up shows one panel at a time.
    caFic = Ajoute<Frame>(nullptr, QStringLiteral("caFic"));
    caFic->Move(10440, 540, 3840, 9600);
    caFic->setVisible(false);
}
