// The program's module: start-up, the settings table, the help document store,
// the screen fit, picture buttons and the closing of windows.
#pragma once

#include "FenetreAide.h"
#include "settings_block.h"

#include <QString>

class Control;
class FlexGrid;
class Frame;
class Image;
class PictureBox;
class QImage;

// ---- Module state
extern settings::Table Cfg;  // the settings block, row by row
extern QString FicAide;      // help file path; after a failed start-up the failure code
extern QString TexteAide;    // the help document as RTF, without its settings block
extern bool EnReinit;        // start-up or re-layout under way
extern bool OptOuvert;       // the display-options window is open
extern Form* FormeCible;     // the window the display-options window lays out
extern QString NomBouton;    // the picture button being pressed
extern float RapportL, RapportH, FacteurEcran;

// The two window objects, created by Main and kept for the whole run.
extern FenetreAide* FenAide;
extern Form* FenPrinc;

// ---- Settings
QString LisCfg(const QString& key);
void EcriCfg(const QString& key, const QString& value);
QString LisBlocCfg(const QString& block);

// ---- Help document store
// Writes the whole document; false when the file could not be written (the user has been told).
bool EnregAide();

// ---- Start-up and screen fit
void Main();
void Demarrage(Form& principale, FenetreAide& aide);
void AfficheEchec(FenetreAide& aide, int code);
void MiseEnPage(Form& fenetre);
bool PropExiste(Control* objet, const QString& nom);
// Scales a grid's cells to the main window's layout; returns the factor used, which
// the board's other cells and points follow.
float EchelleGrille(FlexGrid& grille);

// ---- Picture buttons and closing
// A title-bar picture button and its pressed twin (24 twips further right and down,
// hidden), both marked "!" so that the screen fit leaves them as they are.
struct BoutonImage {
    PictureBox* bouton;
    Image* jumeau;
};
// The picture is drawn (DessineBouton) when it first shows.
BoutonImage PoseBoutonImage(Form& fenetre, Frame* barre, const QString& nom, const QString& image, double gauche,
                            double coteJumeau, const QString& bulle);
void BoutonBas();
void BoutonHaut();
void FermeForme(Form& fenetre);

// Forgets the module state, as at the program's start (tests run several start-ups).
void ReinitModule();
