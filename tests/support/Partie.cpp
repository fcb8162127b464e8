#include "Partie.h"

#include "App.h"
#include "Programme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <algorithm>

namespace {
// The main window with a grid or a picture of another width: the load derives
// the board sizes from them.
class Ostrane1Largeurs : public Ostrane1 {
public:
    Ostrane1Largeurs(double grille, double image) : m_grille(grille), m_image(image) {}

protected:
    void CreateControls() override {
        Ostrane1::CreateControls();
        if (m_grille > 0) grJeu->Move(grJeu->Left(), grJeu->Top(), m_grille, m_grille);
        if (m_image > 0) imJeu->Move(imJeu->Left(), imJeu->Top(), m_image, m_image);
    }

private:
    double m_grille, m_image;
};

QString Case(int r, int c) {
    return QStringLiteral("%1,%2").arg(r).arg(c);
}
}  // namespace

QString Vivant() {
    return QString(QChar(life::Live));
}

void Partie::Demarre(double largeurGrille, double largeurImage) {
    ResetEndCount();
    if (!m_dossier) m_dossier = std::make_unique<ProgramFolder>();
    if (largeurGrille > 0 || largeurImage > 0) ::FenPrinc = new Ostrane1Largeurs(largeurGrille, largeurImage);
    Main();
    ASSERT_TRUE(::FenPrinc && ::FenPrinc->Loaded()) << "the main window did not open";
    ASSERT_TRUE(::FenPrinc->Visible());
    ASSERT_EQ(EndCount(), 0);
}

void Partie::TearDown() {
    ReinitProgramme();
    ResetEndCount();
    m_dossier.reset();
}

QWidget* Partie::w(const QString& nom) const {
    QWidget* x = Child(QStringLiteral("Ostrane1"), nom);
    EXPECT_TRUE(x) << "no widget " << nom.toStdString();
    return x;
}

void Partie::Clique(const QString& nom) const {
    ClickWidget(w(nom));
}

void Partie::CliqueCase(const QString& nom) const {
    QWidget* x = w(nom);
    if (x) ClickAt(x, QPoint(std::min(7, x->width() / 2), x->height() / 2));
}

void Partie::CliqueCellule(const QString& grille, int r, int c) const {
    auto* g = dynamic_cast<FlexGrid*>(f().ControlByName(grille));
    ASSERT_TRUE(g);
    const FlexGrid::Rect rc = g->cellRect(r, c);
    ClickAt(g->widget(), QPoint(rc.x + rc.w / 2, rc.y + rc.h / 2));
}

void Partie::Presse(const QString& nom) const {
    QWidget* x = w(nom);
    if (x) QTest::mousePress(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
}

void Partie::Relache(const QString& nom) const {
    QWidget* x = w(nom);
    if (x) QTest::mouseRelease(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
}

void Partie::Etape(int fois) const {
    for (int i = 0; i < fois; ++i) Clique(QStringLiteral("btVa"));
}

void Partie::Pose(const std::vector<std::pair<int, int>>& cellules) const {
    for (const auto& [r, c] : cellules) CliqueCellule(QStringLiteral("grJeu"), r, c);
}

void Partie::EntreCosmos() const {
    CliqueCase(QStringLiteral("coMode(1)"));
    ASSERT_TRUE(f().coMode(1)->Value());
    ASSERT_TRUE(f().imJeu->Visible()) << "the mode switch shows the universe";
}

QString Partie::Affiche(const QString& nom) const {
    auto* l = qobject_cast<QLabel*>(w(nom));
    return l ? l->text() : QString();
}

bool Partie::Coche(const QString& nom) const {
    auto* b = qobject_cast<QAbstractButton*>(w(nom));
    return b && b->isChecked();
}

bool Partie::Actif(const QString& nom) const {
    QWidget* x = w(nom);
    return x && x->isEnabled();
}

QStringList Partie::VivantesGrille() const {
    QStringList out;
    for (int r = 0; r < f().grJeu->Rows(); ++r)
        for (int c = 0; c < f().grJeu->Cols(); ++c)
            if (f().grJeu->TextMatrix(r, c) == Vivant()) out << Case(r, c);
    return out;
}

QStringList Partie::Vivantes(const Plateau& p) {
    QStringList out;
    for (int r = 0; r < p.Rows(); ++r)
        for (int c = 0; c < p.Cols(); ++c)
            if (p(r, c) == life::Live) out << Case(r, c);
    return out;
}

namespace {
QStringList Lignes(const FlexGrid& g) {
    QStringList out;
    for (int r = 0; r < g.Rows(); ++r) {
        QString ligne;
        for (int c = 0; c < g.Cols(); ++c) ligne += g.TextMatrix(r, c);
        out << ligne;
    }
    return out;
}
}  // namespace

QStringList Partie::Grille() const { return Lignes(*f().grJeu); }
QStringList Partie::Motif() const { return Lignes(*f().grMotif); }

bool Partie::PointNoir(int r, int c, int marge) const {
    const QImage im = f().imJeu->canvas();
    // The place in twips is a single-precision product, as the program computes it.
    const float xt = static_cast<float>((c - 10) * 60) * f().FacteurJeu;
    const float yt = static_cast<float>((r - 10) * 60) * f().FacteurJeu;
    const int px = static_cast<int>(xt / Screen::TwipsPerPixelX());
    const int py = static_cast<int>(yt / Screen::TwipsPerPixelY());
    for (int y = py - marge; y <= py + marge; ++y)
        for (int x = px - marge; x <= px + marge; ++x) {
            if (x < 0 || y < 0 || x >= im.width() || y >= im.height()) continue;
            const QRgb p = im.pixel(x, y);
            if (qAlpha(p) == 255 && qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0) return true;
        }
    return false;
}

QByteArray Partie::Journal() const {
    QFile fi(f().FicAléa);
    if (!fi.open(QIODevice::ReadOnly)) return {};
    return fi.readAll();
}
