#include "FenetreJeu.h"

#include "App.h"
#include "OstraneG.h"
#include "OstraneM.h"

#include <QApplication>
#include <QTest>

namespace {
// The main window with a grid of another width: the load counts the cells from it.
class Ostrane1Largeur : public Ostrane1 {
public:
    explicit Ostrane1Largeur(double largeur) : m_largeur(largeur) {}

protected:
    void CreateControls() override {
        Ostrane1::CreateControls();
        grJeu->setWidth(m_largeur);
        grJeu->setHeight(m_largeur);
    }

private:
    double m_largeur;
};
}  // namespace

QString Vivant() { return QString(QChar(life::Vivant)); }

void FenetreJeu::Demarre(double largeurGrille, double ecranL, double ecranH) {
    ResetEndCount();
    if (ecranL > 0) Screen::setSizeOverride(ecranL, ecranH);
    m_dossier = std::make_unique<ProgramFolder>();
    if (largeurGrille > 0) ::FenPrinc = new Ostrane1Largeur(largeurGrille);
    Main();
    ASSERT_TRUE(::FenPrinc && ::FenPrinc->Loaded()) << "the main window did not open";
    ASSERT_TRUE(::FenPrinc->Visible());
    ASSERT_EQ(EndCount(), 0);
}

void FenetreJeu::TearDown() {
    // Quietly, as a re-layout closes windows: no question, no end.
    EnReinit = true;
    for (Form* fo : Form::Forms()) fo->Unload();
    EnReinit = false;
    delete FenOptions;
    FenOptions = nullptr;
    delete ::FenPrinc;
    ::FenPrinc = nullptr;
    delete FenAide;
    FenAide = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Screen::setSizeOverride(0, 0);
    ReinitModule();
    ResetEndCount();
    m_dossier.reset();
}

QWidget* FenetreJeu::w(const QString& nom) const {
    QWidget* x = Child(QStringLiteral("Ostrane1"), nom);
    EXPECT_TRUE(x) << "no widget " << nom.toStdString();
    return x;
}

void FenetreJeu::Clique(const QString& nom) const { ClickWidget(w(nom)); }

void FenetreJeu::CliqueCase(const QString& nom) const {
    QWidget* x = w(nom);
    if (!x) return;
    ClickAt(x, QPoint(std::min(7, x->width() / 2), x->height() / 2));
}

void FenetreJeu::CliqueCellule(const QString& grille, int r, int c) const {
    auto* g = dynamic_cast<FlexGrid*>(f().ControlByName(grille));
    ASSERT_TRUE(g);
    const FlexGrid::Rect rc = g->cellRect(r, c);
    ClickAt(g->widget(), QPoint(rc.x + rc.w / 2, rc.y + rc.h / 2));
}

void FenetreJeu::Presse(const QString& nom) const {
    QWidget* x = w(nom);
    if (x) QTest::mousePress(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
}

void FenetreJeu::Relache(const QString& nom) const {
    QWidget* x = w(nom);
    if (x) QTest::mouseRelease(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
}

QStringList FenetreJeu::Grille() const {
    QStringList out;
    for (int r = 0; r < f().grJeu->Rows(); ++r) {
        QString ligne;
        for (int c = 0; c < f().grJeu->Cols(); ++c) ligne += f().grJeu->TextMatrix(r, c);
        out << ligne;
    }
    return out;
}

bool FenetreJeu::PointNoir(int r, int c) const {
    const QImage im = f().imJeu->canvas();
    // The place in twips is a single-precision product, as the program computes it.
    const float xt = static_cast<float>((c - 10) * 60) * FacteurEcran;
    const float yt = static_cast<float>((r - 10) * 60) * FacteurEcran;
    const double x = xt / Screen::TwipsPerPixelX(), y = yt / Screen::TwipsPerPixelY();
    const int px = static_cast<int>(x), py = static_cast<int>(y);
    if (px < 0 || py < 0 || px >= im.width() || py >= im.height()) return false;
    const QRgb p = im.pixel(px, py);
    return qAlpha(p) == 255 && qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0;
}

QStringList FenetreJeu::Vivantes(const Plateau& p) {
    QStringList out;
    for (int r = 0; r < p.Rows(); ++r)
        for (int c = 0; c < p.Cols(); ++c)
            if (p(r, c) == life::Vivant) out << QStringLiteral("%1,%2").arg(r).arg(c);
    return out;
}
