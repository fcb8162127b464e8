// The real program started as a user starts it, with helpers that press the
// board panel's widgets for real and read back what the window shows.
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
    // Starts the program from its entry. A width in twips for the grid or the
    // picture replaces the design one before the window's load.
    void Demarre(double largeurGrille = 0, double largeurImage = 0);
    void TearDown() override;

    Ostrane1& f() const { return *static_cast<Ostrane1*>(::FenPrinc); }
    QWidget* w(const QString& nom) const;
    void Clique(const QString& nom) const;
    // Option buttons and check boxes take the click on their indicator.
    void CliqueCase(const QString& nom) const;
    void CliqueCellule(const QString& grille, int r, int c) const;
    void Etape(int fois = 1) const;
    // Live cells clicked into the board grid.
    void Pose(const std::vector<std::pair<int, int>>& cellules) const;
    // Presses the real "Cosmos" option.
    void EntreCosmos() const;

    QString Affiche(const QString& nom) const;   // a label's text as shown
    bool Coche(const QString& nom) const;        // a check box or option as shown
    bool Actif(const QString& nom) const;
    // Live cells of the board grid, or of a universe array, as "r,c".
    QStringList VivantesGrille() const;
    static QStringList Vivantes(const Plateau& p);
    // Whether the picture shows a black point where universe cell (r, c) is drawn.
    bool PointNoir(int r, int c) const;
    bool AlerteBord() const { return f().étSuite->BackColor() == 0xC0E0FF; }
    QByteArray Journal() const;

    std::unique_ptr<ProgramFolder> m_dossier;
};

QString Vivant();
