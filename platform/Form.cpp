#include "Form.h"

#include "App.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPalette>
#include <algorithm>

namespace {
std::vector<Form*> g_loaded;
struct Modal {
    Form* form;
    QEventLoop* loop;
};
std::vector<Modal> g_modals;
}  // namespace

namespace ModalLoops {
void QuitFor(Form* f) {
    for (Modal& m : g_modals)
        if (m.form == f) m.loop->quit();
}
void QuitAll() {
    for (Modal& m : g_modals) m.loop->quit();
}
}  // namespace ModalLoops

FormWidget::FormWidget(Form& f) : QWidget(nullptr), m_form(f) {}

void FormWidget::closeEvent(QCloseEvent* e) {
    // The form decides: its unload handler may refuse, and an unload destroys this widget later.
    e->ignore();
    m_form.requestClose();
}

void FormWidget::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    m_form.onNativeResize();
}

void FormWidget::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) m_form.onNativeStateChange();
}

Form::Form(const QString& name) : m_name(name) {}

Form::~Form() {
    m_controls.clear();
    if (m_widget) {
        m_widget->setObjectName(QString());
        delete m_widget;
        m_widget = nullptr;
    }
    g_loaded.erase(std::remove(g_loaded.begin(), g_loaded.end(), this), g_loaded.end());
}

std::vector<Form*> Form::Forms() {
    return g_loaded;
}

QWidget* Form::widget() {
    ensureLoaded();
    return m_widget;
}
QWidget* Form::clientArea() const {
    return m_widget;
}

void Form::Load() {
    if (m_loaded || m_loading) return;
    m_loading = true;
    m_widget = new FormWidget(*this);
    m_widget->setObjectName(m_name);
    m_widget->setAttribute(Qt::WA_DeleteOnClose, false);
    if (m_frameless) m_widget->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    m_width = m_designWidth;
    m_height = m_designHeight;
    m_left = m_designLeft;
    m_top = m_designTop;
    m_state = vbNormal;
    m_avantIco = vbNormal;
    m_startUp = m_designStartUp;
    m_caption = m_designCaption;
    m_topmost = false;
    m_widget->setWindowTitle(m_caption);
    setBackColor(m_backColor);
    applyGeometry();
    CreateControls();
    m_loaded = true;
    m_loading = false;
    applyTabOrder();
    g_loaded.push_back(this);
    Form_Load();
}

bool Form::Unload() {
    if (!m_loaded) return true;
    // An unload asked for from inside this form's own unload (its closing road goes
    // through FermeForme) is the one already under way.
    if (m_unloading) return true;
    int cancel = 0;
    m_unloading = true;
    Form_Unload(cancel);
    m_unloading = false;
    if (cancel) return false;
    if (!m_loaded) return true;  // the handler unloaded it already
    m_loaded = false;
    g_loaded.erase(std::remove(g_loaded.begin(), g_loaded.end(), this), g_loaded.end());
    ModalLoops::QuitFor(this);
    FormWidget* w = m_widget;
    m_widget = nullptr;
    w->hide();
    m_controls.clear();
    // The widget may be inside one of its own event handlers: delete it later, nameless so
    // that nobody finds it meanwhile.
    w->setObjectName(QString());
    w->deleteLater();
    // A wait on this form sleeping on the queue looks again.
    if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
    return true;
}

void Form::Show(int modal) {
    ensureLoaded();
    if (!m_loaded) return;
    if (modal) m_widget->setWindowModality(Qt::ApplicationModal);
    // Without a task bar on the desktop, this is the user's one way back to the window.
    if (m_state == vbMinimized && m_widget->isVisible()) setWindowState(m_avantIco);
    switch (m_state) {
        case vbMinimized:
            m_widget->showMinimized();
            break;
        case vbMaximized:
            m_widget->showMaximized();
            break;
        default:
            m_widget->show();
            break;
    }
    m_widget->raise();
    m_widget->activateWindow();
    if (modal) {
        QEventLoop loop;
        g_modals.push_back({this, &loop});
        if (!EndCalled()) loop.exec();
        g_modals.erase(
            std::remove_if(g_modals.begin(), g_modals.end(), [&](const Modal& m) { return m.loop == &loop; }),
            g_modals.end());
    }
}

void Form::Hide() {
    if (!m_loaded) return;
    m_widget->hide();
    ModalLoops::QuitFor(this);
}

bool Form::Visible() const {
    return m_loaded && m_widget && m_widget->isVisible();
}

QString Form::Caption() {
    ensureLoaded();
    return m_caption;
}
void Form::setCaption(const QString& c) {
    ensureLoaded();
    m_caption = c;
    m_widget->setWindowTitle(c);
}

double Form::Left() {
    ensureLoaded();
    return m_left;
}
double Form::Top() {
    ensureLoaded();
    return m_top;
}
double Form::Width() {
    ensureLoaded();
    return m_width;
}
double Form::Height() {
    ensureLoaded();
    return m_height;
}

QSize Form::frameExtra() const {
    if (!m_widget || !m_widget->isVisible() || m_frameless) return {0, 0};
    return m_widget->frameGeometry().size() - m_widget->size();
}

void Form::applyGeometry() {
    if (!m_widget) return;
    m_applying = true;
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    const QSize cadre = frameExtra();
    if (m_state == vbNormal) {
        m_widget->move(VbRound(m_left / tx), VbRound(m_top / ty));
        m_widget->resize(std::max(1, VbRound(m_width / tx) - cadre.width()),
                         std::max(1, VbRound(m_height / ty) - cadre.height()));
    }
    m_applying = false;
}

void Form::setLeft(double v) {
    ensureLoaded();
    m_left = v;
    applyGeometry();
}
void Form::setTop(double v) {
    ensureLoaded();
    m_top = v;
    applyGeometry();
}
void Form::setWidth(double v) {
    ensureLoaded();
    if (v == m_width) return;
    m_width = v;
    applyGeometry();
    Form_Resize();
}
void Form::setHeight(double v) {
    ensureLoaded();
    if (v == m_height) return;
    m_height = v;
    applyGeometry();
    Form_Resize();
}
void Form::Move(double left, double top, double width, double height) {
    ensureLoaded();
    const bool sized = (width >= 0 && width != m_width) || (height >= 0 && height != m_height);
    m_left = left;
    m_top = top;
    if (width >= 0) m_width = width;
    if (height >= 0) m_height = height;
    applyGeometry();
    if (sized) Form_Resize();
}

void Form::setClientSize(double width, double height) {
    ensureLoaded();
    const QSize cadre = frameExtra();
    Move(m_left, m_top, width + cadre.width() * Screen::TwipsPerPixelX(),
         height + cadre.height() * Screen::TwipsPerPixelY());
}

double Form::ScaleWidth() {
    ensureLoaded();
    return m_widget->width() * Screen::TwipsPerPixelX();
}
double Form::ScaleHeight() {
    ensureLoaded();
    return m_widget->height() * Screen::TwipsPerPixelY();
}

int Form::WindowState() {
    ensureLoaded();
    return m_state;
}
void Form::setWindowState(int s) {
    ensureLoaded();
    if (s == m_state) return;
    enterState(s);
    m_applying = true;
    Qt::WindowStates ws = m_widget->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (s == vbMinimized) ws |= Qt::WindowMinimized;
    if (s == vbMaximized) ws |= Qt::WindowMaximized;
    m_widget->setWindowState(ws);
    m_applying = false;
    if (s == vbNormal)
        applyGeometry();
    else if (s == vbMaximized) {
        const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
        m_width = Screen::Width();
        m_height = Screen::Height();
        (void)tx;
        (void)ty;
    }
    Form_Resize();
}

int Form::StartUpPosition() {
    ensureLoaded();
    return m_startUp;
}

void Form::setBackColor(long bgr) {
    m_backColor = bgr;
    if (!m_widget) return;
    QPalette p = m_widget->palette();
    p.setColor(QPalette::Window, VbColor(bgr));
    m_widget->setPalette(p);
    m_widget->setAutoFillBackground(true);
}

void Form::setTopmost(bool on) {
    ensureLoaded();
    m_topmost = on;
    if (!m_widget) return;
    if (bool(m_widget->windowFlags() & Qt::WindowStaysOnTopHint) == on) return;
    // Changing a window's flags hides it: it is shown again where it was.
    const bool shown = m_widget->isVisible();
    const QRect where = m_widget->geometry();
    m_applying = true;
    m_widget->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    m_widget->setGeometry(where);
    m_applying = false;
    if (shown) {
        m_widget->show();
        m_widget->raise();
    }
}

void Form::applyTabOrder() {
    if (!m_loaded || m_loading) return;
    std::vector<Control*> chain;
    for (auto& c : m_controls)
        if (c->widget() && (c->widget()->focusPolicy() & Qt::TabFocus)) chain.push_back(c.get());
    std::stable_sort(chain.begin(), chain.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1]->widget(), chain[i]->widget());
}

std::vector<Control*> Form::Controls() {
    ensureLoaded();
    std::vector<Control*> out;
    out.reserve(m_controls.size());
    for (auto& c : m_controls) out.push_back(c.get());
    return out;
}

Control* Form::ControlByName(const QString& objectName) {
    ensureLoaded();
    for (auto& c : m_controls)
        if (c->ObjectName() == objectName) return c.get();
    return nullptr;
}

Control* Form::ActiveControl() {
    ensureLoaded();
    QWidget* f = QApplication::focusWidget();
    for (auto& c : m_controls)
        if (c->widget() && (c->widget() == f || c->widget()->isAncestorOf(f))) return c.get();
    return nullptr;
}

bool Form::requestClose() {
    return Unload();
}

void Form::onNativeResize() {
    if (m_applying || !m_widget || !m_loaded) return;
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    const QRect fg = m_widget->isVisible() ? m_widget->frameGeometry() : m_widget->geometry();
    const double w = fg.width() * tx, h = fg.height() * ty;
    if (std::abs(w - m_width) < tx && std::abs(h - m_height) < ty) return;
    m_width = w;
    m_height = h;
    Form_Resize();
}

void Form::onNativeStateChange() {
    if (m_applying || !m_widget || !m_loaded) return;
    const Qt::WindowStates ws = m_widget->windowState();
    const int s = (ws & Qt::WindowMinimized) ? vbMinimized : (ws & Qt::WindowMaximized) ? vbMaximized : vbNormal;
    if (s == m_state) return;
    enterState(s);
    Form_Resize();
}

void Form::enterState(int s) {
    if (s == vbMinimized && m_state != vbMinimized) m_avantIco = m_state;
    m_state = s;
}
