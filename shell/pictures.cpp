#include "pictures.h"

#include "App.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace {

const QColor kNoir(0, 0, 0);
const QColor kRouge(255, 0, 0);
const QColor kFondEchec(254, 233, 201);
const QColor kFaceBouton(240, 236, 226);
const QColor kPourpre(128, 0, 128);
// The help window's own red, so that its colour button shows what it applies.
const QColor kRougeTexte(192, 64, 0);
const QColor kBleuDisque(0, 64, 192);
const QColor kMagenta(255, 0, 255);
const QColor kTitreFenetre(0, 0, 128);

QFont Police(int pixels, bool gras) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(gras);
    return f;
}

// A one-pixel outline from (x0, y0) to (x1, y1) inclusive, drawn pixel-exact
// whatever the painter's pen rules.
void Cadre(QPainter& p, int x0, int y0, int x1, int y1, const QColor& c) {
    p.fillRect(x0, y0, x1 - x0 + 1, 1, c);
    p.fillRect(x0, y1, x1 - x0 + 1, 1, c);
    p.fillRect(x0, y0, 1, y1 - y0 + 1, c);
    p.fillRect(x1, y0, 1, y1 - y0 + 1, c);
}

void DessineMain(QPainter& p) {
    p.fillRect(16, 14, 36, 47, kNoir);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(kRouge);
    // Fingers, palm and cuff; the one-pixel gaps keep the fingers apart on the black.
    p.drawRoundedRect(QRectF(24, 23, 5, 20), 2.5, 2.5);
    p.drawRoundedRect(QRectF(30, 18, 5, 25), 2.5, 2.5);
    p.drawRoundedRect(QRectF(36, 20, 5, 23), 2.5, 2.5);
    p.drawRoundedRect(QRectF(42, 26, 4.5, 17), 2.25, 2.25);
    p.drawRoundedRect(QRectF(24, 37, 22.5, 15), 5, 5);
    p.drawRoundedRect(QRectF(27, 53, 17, 5), 1.5, 1.5);
    QPen pouce(kRouge, 5.5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pouce);
    p.drawLine(QPointF(27, 45), QPointF(20.5, 34));
    p.restore();
}

// Largest size up to `depart` at which `texte` fits `largeur` x `hauteur`.
QFont PoliceAjustee(const QString& texte, int depart, bool gras, int largeur, int hauteur) {
    for (int taille = depart; taille > 6; --taille) {
        const QFont f = Police(taille, gras);
        const QFontMetrics fm(f);
        if (fm.horizontalAdvance(texte) <= largeur && fm.ascent() + fm.descent() <= hauteur) return f;
    }
    return Police(6, gras);
}

// Draws one line of text so that its ink sits centred in the band haut..bas.
void LigneEchec(QPainter& p, const QString& texte, const QFont& f, int haut, int bas) {
    const int hauteur = bas - haut + 1;
    const QFontMetrics fm(f);
    const QRect encre = fm.tightBoundingRect(texte);
    int ligneBase = haut + (hauteur - encre.height()) / 2 - encre.top();
    // Never let an accent or a descender leave the band.
    ligneBase = qMax(ligneBase, haut - encre.top());
    ligneBase = qMin(ligneBase, bas - encre.bottom());
    p.setFont(f);
    p.setPen(kNoir);
    p.drawText(QPoint(83, ligneBase), texte);
}

void DessineBoutonOK(QPainter& p) {
    p.fillRect(257, 110, 149, 49, kFaceBouton);
    Cadre(p, 256, 109, 406, 159, kNoir);
    Cadre(p, 258, 111, 404, 157, kNoir);
    p.setFont(Police(17, true));
    p.setPen(kNoir);
    p.drawText(QRect(259, 112, 145, 45), Qt::AlignCenter, QStringLiteral("OK"));
}

// ---- title-bar pictures -------------------------------------------------

QImage Fond(const QColor& c) {
    QImage im(35, 35, QImage::Format_RGB32);
    im.fill(c);
    return im;
}

void PointInterrogation(QPainter& p) {
    p.setFont(Police(31, true));
    p.setPen(kPourpre);
    p.drawText(QRect(0, 0, 35, 35), Qt::AlignCenter, QStringLiteral("?"));
}

void FlecheBasGauche(QPainter& p) {
    p.setPen(QPen(kNoir, 3.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(27.5, 7.5), QPointF(13, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(kNoir);
    p.drawPolygon(QPolygonF({QPointF(7, 28), QPointF(7, 14), QPointF(21, 28)}));
}

void CarreDansCarre(QPainter& p) {
    p.setPen(QPen(kNoir, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 6, 23, 23));
    p.fillRect(QRectF(12, 12, 11, 11), kNoir);
}

void Croix(QPainter& p, double epaisseur) {
    p.setPen(QPen(kNoir, epaisseur, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(25.5, 25.5));
    p.drawLine(QPointF(25.5, 9.5), QPointF(9.5, 25.5));
}

void Abc(QPainter& p, const QColor& c) {
    p.setFont(PoliceAjustee(QStringLiteral("abc"), 17, true, 31, 30));
    p.setPen(c);
    p.drawText(QRect(0, 0, 35, 34), Qt::AlignCenter, QStringLiteral("abc"));
}

struct TeintesDisque {
    QColor corps, volet, fente, etiquette, traits, fleche;
};

void Disquette(QPainter& p, const TeintesDisque& t) {
    p.setPen(Qt::NoPen);
    // Arrow from above, into the diskette.
    p.setBrush(t.fleche);
    p.drawRect(QRectF(15.5, 0, 5, 6));
    p.drawPolygon(QPolygonF({QPointF(10.5, 5.5), QPointF(25.5, 5.5), QPointF(18, 11.5)}));
    // Body with its cut corner.
    p.setBrush(t.corps);
    p.drawPolygon(
        QPolygonF({QPointF(5, 12.5), QPointF(27, 12.5), QPointF(30, 15.5), QPointF(30, 33.5), QPointF(5, 33.5)}));
    p.setBrush(t.volet);
    p.drawRect(QRectF(10, 12.5, 14, 7.5));
    p.setBrush(t.fente);
    p.drawRect(QRectF(19, 13.5, 3, 5.5));
    p.setBrush(t.etiquette);
    p.drawRect(QRectF(8, 23, 19, 10.5));
    p.setPen(QPen(t.traits, 1.0));
    p.drawLine(QPointF(10, 26.5), QPointF(25, 26.5));
    p.drawLine(QPointF(10, 29.5), QPointF(25, 29.5));
}

void Fenetre(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kNoir, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width(), 4), kTitreFenetre);
}

}  // namespace

QImage DessineEchec(int code) {
    QString ligne1, ligne2;
    if (code == 1) {
        ligne1 = QStringLiteral("Ce programme ne peut pas fonctionner sans son fichier d'aide.");
        ligne2 = QStringLiteral("Veuillez procéder à sa réinstallation.");
    } else if (code == 2) {
        ligne1 = QStringLiteral("Le fichier d'aide et de configuration est corrompu.");
        ligne2 = QStringLiteral("Veuillez réinstaller le programme.");
    } else {
        return QImage();
    }

    QImage im(665, 174, QImage::Format_RGB32);
    im.fill(kFondEchec);
    QPainter p(&im);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    DessineMain(p);
    // Both lines at one size, the largest at which the first (bold) line fits.
    const int largeur = 660 - 83 - 2;
    const QFont gras = PoliceAjustee(ligne1, 19, true, largeur, 22);
    const QFont maigre = PoliceAjustee(ligne2, gras.pixelSize(), false, largeur, 22);
    LigneEchec(p, ligne1, gras, 13, 34);
    LigneEchec(p, ligne2, maigre, 43, 64);
    DessineBoutonOK(p);
    p.end();
    return im;
}

namespace {
QImage PeintBouton(const QString& nom) {
    const QColor cyanClair(176, 240, 255);
    const QColor cyanPale(214, 252, 252);
    const QColor grisClair(224, 224, 224);
    const QColor gris(192, 192, 192);
    const QColor peche(255, 218, 185);
    const QColor rougeClair(255, 150, 150);
    const QColor jaunePale(255, 255, 204);
    const QColor rosePale(255, 226, 236);

    const TeintesDisque couleur{kBleuDisque, QColor(208, 212, 224), kBleuDisque,
                                Qt::white,   QColor(150, 150, 170), kMagenta};
    const TeintesDisque grise{QColor(128, 128, 128), QColor(208, 208, 208), QColor(128, 128, 128),
                              QColor(238, 238, 238), QColor(170, 170, 170), QColor(160, 160, 160)};

    QImage im;
    auto peindre = [&](const QColor& fond, auto&& dessin) {
        im = Fond(fond);
        QPainter p(&im);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        dessin(p);
    };

    if (nom == QLatin1String("imAide"))
        peindre(cyanClair, PointInterrogation);
    else if (nom == QLatin1String("imAideA"))
        peindre(cyanPale, PointInterrogation);
    else if (nom == QLatin1String("imIco"))
        peindre(grisClair, FlecheBasGauche);
    else if (nom == QLatin1String("imIcoA"))
        peindre(gris, FlecheBasGauche);
    else if (nom == QLatin1String("imTaille"))
        peindre(peche, CarreDansCarre);
    else if (nom == QLatin1String("imFerme"))
        peindre(rougeClair, [](QPainter& p) { Croix(p, 4.5); });
    else if (nom == QLatin1String("imFermeA"))
        peindre(cyanPale, [](QPainter& p) { Croix(p, 4.0); });
    else if (nom == QLatin1String("imTxR"))
        peindre(Qt::white, [](QPainter& p) { Abc(p, kRougeTexte); });
    else if (nom == QLatin1String("imTxN"))
        peindre(Qt::white, [](QPainter& p) { Abc(p, kNoir); });
    else if (nom == QLatin1String("imEnreg"))
        peindre(jaunePale, [&](QPainter& p) { Disquette(p, couleur); });
    else if (nom == QLatin1String("imEnregN"))
        peindre(jaunePale, [&](QPainter& p) { Disquette(p, grise); });
    else if (nom == QLatin1String("imTaille2"))
        peindre(rosePale, [](QPainter& p) {
            Fenetre(p, QRectF(3.5, 4.5, 18, 15));
            Fenetre(p, QRectF(12.5, 14.5, 19, 16));
        });
    else if (nom == QLatin1String("imTaille0"))
        peindre(rosePale, [](QPainter& p) { Fenetre(p, QRectF(3.5, 3.5, 28, 28)); });
    return im;
}
}  // namespace

// Both windows show some of the same pictures, and the help window is built again
// each time it opens: each picture is drawn once.
QImage DessineBouton(const QString& nom) {
    static QHash<QString, QImage> faits;
    return KeptFor(faits, nom, PeintBouton);
}

QImage DessineAvis() {
    QImage im(32, 32, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::transparent);
    QPainter p(&im);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kNoir, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 220, 0));
    p.drawPolygon(QPolygonF({QPointF(16, 1.5), QPointF(30.5, 29.5), QPointF(1.5, 29.5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(kNoir);
    // The mark: a stroke narrowing downwards, then its point.
    p.drawPolygon(QPolygonF({QPointF(14.2, 10), QPointF(17.8, 10), QPointF(16.8, 21), QPointF(15.2, 21)}));
    p.drawEllipse(QPointF(16, 25), 1.9, 1.9);
    return im;
}
