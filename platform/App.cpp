#include "App.h"

#include "Control.h"
#include "Form.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QPointer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
QString g_path;
std::function<void()> g_endHook;
bool g_endCalled = false;
std::function<int(const QString&, int)> g_msgHook;
double g_screenW = 0, g_screenH = 0;
Control* g_mouseDown = nullptr;
}  // namespace

namespace App {
QString Path() {
    if (g_path.isEmpty()) return QCoreApplication::applicationDirPath();
    return g_path;
}
void setPath(const QString& folder) {
    g_path = folder;
}
QString Title() {
    return QStringLiteral("Ostrane");
}
QString Sep() {
    return QString(QDir::separator());
}
}  // namespace App

namespace ModalLoops {
void QuitAll();
}

void End() {
    if (g_endHook) {
        g_endCalled = true;
        g_endHook();
        ModalLoops::QuitAll();
        // A wait sleeping on the queue looks again.
        if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}
void setEndHook(std::function<void()> hook) {
    g_endHook = std::move(hook);
}
bool EndCalled() {
    return g_endCalled;
}
void resetEndCalled() {
    g_endCalled = false;
}

void setMsgBoxHook(std::function<int(const QString&, int)> hook) {
    g_msgHook = std::move(hook);
}

int MsgBox(const QString& text, int style) {
    if (g_msgHook) return g_msgHook(text, style);
    QMessageBox box;
    box.setWindowTitle(App::Title());
    // The program's texts end lines with a bare CR.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    // Shown as written, even a file name or a text read from a file that looks like markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);
    // A question is never hidden under a window that stays above the others.
    for (Form* f : Form::Forms())
        if (f->Topmost() && f->Visible()) {
            box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            break;
        }
    switch (style & 0x70) {
        case 16:
            box.setIcon(QMessageBox::Critical);
            break;
        case 32:
            box.setIcon(QMessageBox::Question);
            break;
        case 48:
            box.setIcon(QMessageBox::Warning);
            break;
        case 64:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    struct B {
        const char* text;
        int result;
    };
    std::vector<B> buttons;
    switch (style & 7) {
        case 1:
            buttons = {{"OK", vbOK}, {"Annuler", vbCancel}};
            break;
        case 2:
            buttons = {{"Abandonner", vbAbort}, {"Recommencer", vbRetry}, {"Ignorer", vbIgnore}};
            break;
        case 3:
            buttons = {{"Oui", vbYes}, {"Non", vbNo}, {"Annuler", vbCancel}};
            break;
        case 4:
            buttons = {{"Oui", vbYes}, {"Non", vbNo}};
            break;
        case 5:
            buttons = {{"Recommencer", vbRetry}, {"Annuler", vbCancel}};
            break;
        default:
            buttons = {{"OK", vbOK}};
            break;
    }
    std::vector<QPushButton*> made;
    for (const B& b : buttons) {
        const bool cancels = b.result == vbCancel || (buttons.size() == 1);
        made.push_back(
            box.addButton(QString::fromUtf8(b.text), cancels ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    const size_t def = static_cast<size_t>((style >> 8) & 3);
    if (def < made.size()) box.setDefaultButton(made[def]);
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i]) return buttons[i].result;
    // Closed from the title bar: the cancelling answer, or the only one.
    for (const B& b : buttons)
        if (b.result == vbCancel) return vbCancel;
    return buttons.back().result;
}

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
void WaitEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

bool WaitUntil(Form& owner, const std::function<bool()>& done) {
    // The owner's window at the start: a new one means it was unloaded meanwhile.
    const QPointer<FormWidget> window = owner.topWidget();
    for (;;) {
        if (done()) return true;
        if (EndCalled() || !owner.Loaded() || !window || owner.topWidget() != window) return false;
        WaitEvents();
    }
}

namespace Screen {
static QScreen* primary() {
    return QGuiApplication::primaryScreen();
}
double TwipsPerPixelX() {
    QScreen* s = primary();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}
double TwipsPerPixelY() {
    QScreen* s = primary();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}
double Width() {
    if (g_screenW > 0) return g_screenW;
    QScreen* s = primary();
    return (s ? s->geometry().width() : 1024) * TwipsPerPixelX();
}
double Height() {
    if (g_screenH > 0) return g_screenH;
    QScreen* s = primary();
    return (s ? s->geometry().height() : 768) * TwipsPerPixelY();
}
void setSizeOverride(double w, double h) {
    g_screenW = w;
    g_screenH = h;
}
Control* MouseDownControl() {
    return g_mouseDown;
}
void setMouseDownControl(Control* c) {
    g_mouseDown = c;
}
void forgetControl(Control* c) {
    if (g_mouseDown == c) g_mouseDown = nullptr;
}
}  // namespace Screen

QColor VbColor(long bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}
long VbRGB(int r, int g, int b) {
    return (long(b) << 16) | (long(g) << 8) | long(r);
}

int VbRound(double v) {
    return static_cast<int>(std::nearbyint(v));
}
