// The window-system services the windows rely on: the program's folder and
// title, ending the program, message boxes, pending events, the screen, colours.
#pragma once

#include <QColor>
#include <QHash>
#include <QString>
#include <functional>

class Form;
class Control;

namespace App {
// The program's folder (the executable's), or the folder a test points it to.
QString Path();
void setPath(const QString& folder);
// The application title, shown in every message box's title bar.
QString Title();
// The platform's path separator as text.
QString Sep();
}  // namespace App

// Ends the program at once, without running any unload handler.
// Tests replace it with a hook; modal loops are then left so the test goes on.
[[maybe_unused]] void End();
void setEndHook(std::function<void()> hook);
bool EndCalled();  // true once End ran under a hook
void resetEndCalled();

// Message box result codes, as the program compares them.
enum MsgResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };
// Style: buttons (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel)
// + icon (16 critical, 32 question, 48 exclamation, 64 information) + default button (0, 256, 512).
int MsgBox(const QString& text, int style = 0);
// Tests answer message boxes by script: the hook gets the text and style and returns the answer.
void setMsgBoxHook(std::function<int(const QString& text, int style)> hook);

// Runs the pending window events once.
void DoEvents();
// Sleeps on the event queue until at least one event has been handled.
void WaitEvents();
// Lets the events run, sleeping on the queue, until done() holds: true then. False when
// the wait is cancelled first, by the owner's unload or by End.
bool WaitUntil(Form& owner, const std::function<bool()>& done);

namespace Screen {
double Width();   // twips
double Height();  // twips
double TwipsPerPixelX();
double TwipsPerPixelY();
// Tests may state a screen size in twips (0, 0 goes back to the real screen).
void setSizeOverride(double widthTwips, double heightTwips);
// The control that last received a mouse-down, whether or not it took the focus.
Control* MouseDownControl();
void setMouseDownControl(Control* c);
void forgetControl(Control* c);
}  // namespace Screen

// Colours as the program writes them: &HBBGGRR.
QColor VbColor(long bgr);

// What `make` gives for a name, made once and kept in `kept` (font stand-ins,
// drawn pictures): the same name is asked for again and again.
template <class V, class F>
V KeptFor(QHash<QString, V>& kept, const QString& name, F make) {
    auto it = kept.constFind(name);
    if (it == kept.constEnd()) it = kept.insert(name, make(name));
    return *it;
}
long VbRGB(int r, int g, int b);

// Rounding of a number to a whole one, halves to even, as the program's
// conversions to integers do.
int VbRound(double v);
