#include "Control.h"

#include "App.h"
#include "Form.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QPalette>
#include <QToolTip>

namespace {
bool Installee(const QString& family) {
    static const QStringList installed = QFontDatabase::families();
    return installed.contains(family, Qt::CaseInsensitive);
}
QString Premiere(std::initializer_list<const char*> candidates) {
    for (const char* c : candidates)
        if (Installee(QString::fromLatin1(c))) return QString::fromLatin1(c);
    return QString::fromLatin1(*candidates.begin());
}
}  // namespace

namespace {
QString PoliceLibre(const QString& windowsName) {
    const QString n = windowsName.trimmed().toLower();
    // Same metrics as the Windows fonts, so that captions fit their controls as designed.
    if (n == QLatin1String("arial") || n == QLatin1String("ms sans serif") ||
        n == QLatin1String("microsoft sans serif") || n == QLatin1String("helvetica"))
        return Premiere({"Liberation Sans", "DejaVu Sans"});
    if (n == QLatin1String("arial narrow"))
        return Premiere({"Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed"});
    if (n == QLatin1String("times new roman") || n == QLatin1String("ms serif") || n == QLatin1String("times"))
        return Premiere({"Liberation Serif", "DejaVu Serif"});
    if (n == QLatin1String("courier new") || n == QLatin1String("courier") || n == QLatin1String("lucida console") ||
        n == QLatin1String("fixedsys") || n == QLatin1String("terminal") || n == QLatin1String("consolas") ||
        n == QLatin1String("lucida sans typewriter") || n == QLatin1String("ms gothic"))
        return Premiere({"Liberation Mono", "DejaVu Sans Mono"});
    // Comic Sans is a wide, round sans: DejaVu Sans keeps its widths closest.
    if (n == QLatin1String("comic sans ms")) return Premiere({"DejaVu Sans", "Liberation Sans"});
    // The Symbol font's glyphs are written as their Unicode characters here, which a
    // symbol-encoded font would not draw.
    if (n == QLatin1String("symbol")) return QStringLiteral("DejaVu Sans");
    return windowsName;
}
}  // namespace

QString FreeFontFamily(const QString& windowsName) {
    // Every control asks, each time its font is set: the answer is looked up once per name.
    static QHash<QString, QString> vues;
    return KeptFor(vues, windowsName, PoliceLibre);
}

namespace {
// Text set by name elsewhere (the help document's fonts) finds the same stand-ins.
void SubstitueLesPolices() {
    static bool fait = false;
    if (fait) return;
    fait = true;
    for (const char* n : {"Arial", "MS Sans Serif", "Microsoft Sans Serif", "Arial Narrow", "Times New Roman",
                          "Courier New", "Courier", "Lucida Console", "Fixedsys", "Terminal", "Comic Sans MS"}) {
        const QString windows = QString::fromLatin1(n);
        const QString libre = FreeFontFamily(windows);
        QFont::insertSubstitutions(windows, {libre, QStringLiteral("DejaVu Sans")});
    }
}
}  // namespace

Control::Control(Form& form, Control* container, const QString& name, int index)
    : m_form(form),
      m_container(container),
      m_name(name),
      m_index(index),
      m_ctx(std::make_unique<QObject>()),
      m_tabIndex(form.controlCount()) {
    SubstitueLesPolices();
}

Control::~Control() {
    Screen::forgetControl(this);
    m_ctx.reset();
}

QString Control::ObjectName() const {
    if (m_index < 0) return m_name;
    return m_name + QLatin1Char('(') + QString::number(m_index) + QLatin1Char(')');
}

void Control::setWidget(QWidget* w) {
    m_widget = w;
    if (!w) return;
    w->setObjectName(ObjectName());
    QWidget* host = m_container ? m_container->childHost() : m_form.clientArea();
    w->setParent(host);
    applyGeometry();
    applyFont();
    w->setVisible(m_visible);
    w->setEnabled(m_enabled);
    applyAccessibleName();
}

QRect Control::pixelGeometry() const {
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    const int x = VbRound(m_left / tx), y = VbRound(m_top / ty);
    const int w = std::max(0, VbRound(m_width / tx)), h = std::max(0, VbRound(m_height / ty));
    return QRect(x, y, w, h);
}

void Control::applyGeometry() {
    if (m_widget) m_widget->setGeometry(pixelGeometry());
}

void Control::applyFont() {
    if (!m_widget || !HasFont()) return;
    // The Symbol font's glyphs are written as their Unicode characters here, which a
    // symbol-encoded font would not draw.
    QFont f(FreeFontFamily(m_fontName));
    f.setPointSizeF(m_fontSize > 0 ? m_fontSize : 8.25);
    f.setBold(m_fontBold);
    m_widget->setFont(f);
}

void Control::applyColors() {
    if (!m_widget) return;
    QPalette p = m_widget->palette();
    if (m_hasBackColor) {
        p.setColor(QPalette::Window, VbColor(m_backColor));
        p.setColor(QPalette::Base, VbColor(m_backColor));
        p.setColor(QPalette::Button, VbColor(m_backColor));
        m_widget->setAutoFillBackground(true);
    }
    // The fore colour is the text's while the control can be used; a disabled control,
    // whatever its colours, keeps the style's dimmed text and so looks as it is.
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::WindowText, VbColor(m_foreColor));
        p.setColor(g, QPalette::Text, VbColor(m_foreColor));
        p.setColor(g, QPalette::ButtonText, VbColor(m_foreColor));
    }
    m_widget->setPalette(p);
    m_widget->update();
}

void Control::setLeft(double v) {
    m_left = v;
    applyGeometry();
}
void Control::setTop(double v) {
    m_top = v;
    applyGeometry();
}
void Control::setWidth(double v) {
    m_width = std::max(0.0, v);
    applyGeometry();
}
void Control::setHeight(double v) {
    m_height = std::max(0.0, v);
    applyGeometry();
}
void Control::Move(double left, double top, double width, double height) {
    m_left = left;
    m_top = top;
    if (width >= 0) m_width = width;
    if (height >= 0) m_height = height;
    applyGeometry();
}

void Control::setVisible(bool v) {
    m_visible = v;
    if (m_widget) m_widget->setVisible(v);
}

void Control::setEnabled(bool v) {
    const bool changed = v != m_enabled;
    m_enabled = v;
    if (m_widget) m_widget->setEnabled(v);
    if (changed) enabledChanged();
}

void Control::setToolTipText(const QString& t) {
    m_toolTip = t;
    if (m_widget) m_widget->setToolTip(t);
    applyAccessibleName();
}

QString Control::AccessibleName() const {
    const QString c = captionRead();
    if (!c.isEmpty()) return c;
    if (!m_accessibleName.isEmpty()) return m_accessibleName;
    return m_toolTip;
}
void Control::setAccessibleName(const QString& n) {
    m_accessibleName = n;
    applyAccessibleName();
}
void Control::applyAccessibleName() {
    if (m_widget) m_widget->setAccessibleName(AccessibleName());
}

void Control::setTabIndex(int i) {
    m_tabIndex = i;
    m_form.applyTabOrder();
}

void Control::setFontName(const QString& n) {
    m_fontName = n;
    applyFont();
}
void Control::setFontSize(double pt) {
    m_fontSize = pt;
    applyFont();
}
void Control::setFontBold(bool b) {
    m_fontBold = b;
    applyFont();
}
void Control::setFont(const QString& name, double pt, bool bold) {
    m_fontName = name;
    m_fontSize = pt;
    m_fontBold = bold;
    applyFont();
}
void Control::Refresh() {
    if (m_widget) m_widget->update();
}

void Control::setBackColor(long bgr) {
    // The same colour again (a step marks the board's edge at each generation) changes
    // nothing and repaints nothing.
    if (m_widget && m_hasBackColor && m_backColor == bgr && m_widget->autoFillBackground() &&
        m_widget->palette().color(QPalette::Window) == VbColor(bgr))
        return;
    m_backColor = bgr;
    m_hasBackColor = true;
    applyColors();
}
void Control::setForeColor(long bgr) {
    m_foreColor = bgr;
    applyColors();
}

void Control::SetFocus() {
    if (m_widget) m_widget->setFocus(Qt::OtherFocusReason);
}

void Control::ZOrder(int position) {
    if (!m_widget) return;
    if (position == 0)
        m_widget->raise();
    else
        m_widget->lower();
}

bool Control::HasProperty(const QString& name) const {
    const QString n = name.toLower();
    if (n == QLatin1String("left") || n == QLatin1String("top") || n == QLatin1String("width") ||
        n == QLatin1String("height"))
        return HasPosition();
    if (n == QLatin1String("font")) return HasFont();
    if (n == QLatin1String("name") || n == QLatin1String("visible") || n == QLatin1String("tag") ||
        n == QLatin1String("enabled") || n == QLatin1String("index"))
        return true;
    for (const QString& p : extraProperties())
        if (p.toLower() == n) return true;
    return false;
}
