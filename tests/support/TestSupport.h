// Helpers for window tests: scripted message boxes, the End hook, a folder of
// one's own for the program, clicks on named widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <deque>
#include <memory>
#include <vector>

struct ShownBox {
    QString text;
    int style;
};

// Message boxes answered by script. An unexpected box fails the test.
class MsgBoxScript {
public:
    MsgBoxScript();
    ~MsgBoxScript();
    // The next box is answered with `answer`.
    void expect(int answer);
    const std::vector<ShownBox>& shown() const { return m_shown; }
    int pending() const { return static_cast<int>(m_answers.size()); }
    int next() {
        int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }

private:
    std::deque<int> m_answers;
    std::vector<ShownBox> m_shown;
};

void InstallTestHooks();
int EndCount();  // how many times End ran since the last reset
void ResetEndCount();

// A top-level widget by object name (visible or not).
QWidget* TopLevel(const QString& name);
// A child widget of a top-level by object name.
QWidget* Child(const QString& topName, const QString& childName);
// A real left click in the middle of a widget (or at a point of it).
void ClickWidget(QWidget* w);
void ClickAt(QWidget* w, QPoint p);

// A program folder of its own, holding a copy of the shipped help file (or not).
class ProgramFolder {
public:
    explicit ProgramFolder(bool withHelpFile = true);
    QString path() const { return m_dir.path(); }
    QString helpFile() const;
    void writeHelpFile(const QByteArray& bytes) const;
    QByteArray readHelpFile() const;

private:
    QTemporaryDir m_dir;
};

QByteArray ShippedHelpFile();

// While it lives, no file may grow past `bytes`, as on a full disk: a write fails
// with EFBIG (SIGXFSZ ignored) instead of ending the process.
class FullDisk {
public:
    explicit FullDisk(unsigned long bytes = 1024);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    unsigned long m_before;
    void (*m_signal)(int);
};
