#pragma once

#include <QImage>
#include <QString>

// The program draws its own pictures rather than shipping image files, so
// that a damaged or missing installation can still show its failure panel.
// All of them need a QGuiApplication (fonts).

// Failure panel for start-up code 1 (no help file) or 2 (help file damaged):
// 665 x 174 pixels, a red hand on a black square, two lines of text and a
// drawn "OK" button, its double frame over pixels 256..406 x 109..159.
// Any other code gives a null image.
QImage DessineEchec(int code);

// The 35 x 35 picture of a title-bar picture button, by the button's name:
// main window "imAide", "imIco", "imTaille", "imFerme"; help window "imTxR",
// "imTxN", "imEnreg", "imEnregN", "imTaille2", "imTaille0", "imFermeA",
// "imAideA", "imIcoA". An unknown name gives a null image.
QImage DessineBouton(const QString& nom);

// The warning sign of a notice: 32 x 32 pixels, a yellow triangle edged in black
// with a black exclamation mark, on a transparent ground.
QImage DessineAvis();
