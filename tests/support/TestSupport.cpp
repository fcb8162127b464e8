#include "TestSupport.h"

#include "App.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QFile>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {
MsgBoxScript* g_script = nullptr;
int g_ends = 0;
}  // namespace

MsgBoxScript::MsgBoxScript() {
    g_script = this;
}
MsgBoxScript::~MsgBoxScript() {
    if (g_script == this) g_script = nullptr;
    EXPECT_TRUE(m_answers.empty()) << "message boxes expected but not shown: " << m_answers.size();
}
void MsgBoxScript::expect(int answer) {
    m_answers.push_back(answer);
}

void InstallTestHooks() {
    setEndHook([] { ++g_ends; });
    setMsgBoxHook([](const QString& text, int style) {
        if (!g_script || g_script->pending() == 0) {
            ADD_FAILURE() << "unexpected message box: " << text.toStdString() << " (style " << style << ")";
            if (g_script) const_cast<std::vector<ShownBox>&>(g_script->shown()).push_back({text, style});
            return static_cast<int>(vbOK);
        }
        auto& s = const_cast<std::vector<ShownBox>&>(g_script->shown());
        s.push_back({text, style});
        return g_script->next();
    });
}
int EndCount() {
    return g_ends;
}
void ResetEndCount() {
    g_ends = 0;
    resetEndCalled();
}

QWidget* TopLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}
QWidget* Child(const QString& topName, const QString& childName) {
    QWidget* t = TopLevel(topName);
    return t ? t->findChild<QWidget*>(childName) : nullptr;
}
void ClickWidget(QWidget* w) {
    if (!w) {
        ADD_FAILURE() << "no widget to click";
        return;
    }
    // A check box or an option takes clicks on its box and caption only: aim at the box.
    QPoint p = w->rect().center();
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) p = QPoint(6, w->height() / 2);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p);
}
void ClickAt(QWidget* w, QPoint p) {
    if (!w) {
        ADD_FAILURE() << "no widget to click";
        return;
    }
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p);
}

ProgramFolder::ProgramFolder(bool withHelpFile) {
    App::setPath(m_dir.path());
    if (withHelpFile) writeHelpFile(ShippedHelpFile());
}
QString ProgramFolder::helpFile() const {
    return m_dir.path() + QStringLiteral("/Ostrane.rtf");
}
void ProgramFolder::writeHelpFile(const QByteArray& bytes) const {
    QFile f(helpFile());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) ADD_FAILURE() << "cannot write the help file";
    f.write(bytes);
}
QByteArray ProgramFolder::readHelpFile() const {
    QFile f(helpFile());
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QByteArray ShippedHelpFile() {
    QFile f(QStringLiteral(OSTRANE_ASSET_DIR "/Ostrane.rtf"));
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "the shipped help file is missing";
        return {};
    }
    return f.readAll();
}

FullDisk::FullDisk(unsigned long bytes) {
    struct rlimit r {};
    getrlimit(RLIMIT_FSIZE, &r);
    m_before = r.rlim_cur;
    m_signal = std::signal(SIGXFSZ, SIG_IGN);
    r.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &r) != 0) ADD_FAILURE() << "cannot limit the size of files";
}
FullDisk::~FullDisk() {
    struct rlimit r {};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = m_before;
    setrlimit(RLIMIT_FSIZE, &r);
    std::signal(SIGXFSZ, m_signal);
}
