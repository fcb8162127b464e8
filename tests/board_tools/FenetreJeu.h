// The real program started as a user starts it, for the tests of the board tools
// and the window frame; helpers press named widgets for real.
#pragma once

#include "Ostrane1.h"
#include "OstraneM.h"
#include "TestSupport.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

class FenetreJeu : public ::testing::Test {
protected:
    // Starts the program. A grid width (twips) replaces the design one before the
    // window's load, which counts its cells from it (217 twips a cell); a screen
    // size (twips) replaces the offscreen one.
    void Demarre(double largeurGrille = 0, double ecranL = 0, double ecranH = 0);
    void TearDown() override;

    Ostrane1& f() const { return *static_cast<Ostrane1*>(::FenPrinc); }
    // The widget of the main window with that object name; fails the test when absent.
    QWidget* w(const QString& nom) const;
    void Clique(const QString& nom) const;
    // Option buttons and check boxes react on their indicator.
    void CliqueCase(const QString& nom) const;
    void CliqueCellule(const QString& grille, int r, int c) const;
    void Presse(const QString& nom) const;
    void Relache(const QString& nom) const;

    // The board grid as text, one string per row.
    QStringList Grille() const;
    // Whether the picture shows a black point where the universe cell (r, c) is drawn.
    bool PointNoir(int r, int c) const;
    // Cells of a universe array as "r,c" of the live ones.
    static QStringList Vivantes(const Plateau& p);

    std::unique_ptr<ProgramFolder> m_dossier;
};

QString Vivant();
