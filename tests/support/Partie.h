// The real program started as a user starts it, for the tests of the main
// window: helpers press its widgets for real and read back what it shows.
#pragma once

#include "Ostrane1.h"
#include "OstraneM.h"
#include "TestSupport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

class Partie : public ::testing::Test {
protected:
    // Starts the program from its entry, in the folder of m_dossier (a new one
    // unless the test made its own). A width in twips for the grid or the picture
    // replaces the design one before the window's load, which derives the board
    // sizes from them (217 twips a grid cell). A screen size of the test's own is
    // set before, with Screen::setSizeOverride.
    void Demarre(double largeurGrille = 0, double largeurImage = 0);
    // Closes every window quietly, as a re-layout does, and gives the screen back
    // its offscreen size.
    void TearDown() override;

    Ostrane1& f() const { return *static_cast<Ostrane1*>(::FenPrinc); }
    // The widget of the main window with that object name; fails the test when absent.
    QWidget* w(const QString& nom) const;
    void Clique(const QString& nom) const;
    // Option buttons and check boxes take the click on their indicator.
    void CliqueCase(const QString& nom) const;
    void CliqueCellule(const QString& grille, int r, int c) const;
    void Presse(const QString& nom) const;
    void Relache(const QString& nom) const;
    void Etape(int fois = 1) const;
    // Live cells clicked into the board grid.
    void Pose(const std::vector<std::pair<int, int>>& cellules) const;
    // Presses the real "Cosmos" option.
    void EntreCosmos() const;

    QString Affiche(const QString& nom) const;  // a label's text as shown
    bool Coche(const QString& nom) const;       // a check box or option as shown
    bool Actif(const QString& nom) const;
    // Live cells of the board grid, or of a universe array, as "r,c".
    QStringList VivantesGrille() const;
    static QStringList Vivantes(const Plateau& p);
    // The board grid, or the pattern grid, as text, one string per row.
    QStringList Grille() const;
    QStringList Motif() const;
    // Whether the picture shows a black point where the program draws universe
    // cell (r, c), or within `marge` pixels of that place either way.
    bool PointNoir(int r, int c, int marge = 0) const;
    bool AlerteBord() const { return f().étSuite->BackColor() == 0xC0E0FF; }
    QByteArray Journal() const;

    std::unique_ptr<ProgramFolder> m_dossier;
};

QString Vivant();
