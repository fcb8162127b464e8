// The drive, folder and file lists of a file panel. A value set by code runs
// the handler at once, once, and only on a change; a path that is not a folder
// leaves a list as it was and the setter says false; a folder that cannot be
// read lists nothing. Names are sorted without regard to letter case, French
// order, and hidden entries are not listed.
#pragma once

#include "Control.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QComboBox;
class QListWidget;

// A mounted file system as the machine reports it.
struct MountPoint {
    QString root;
    QByteArray fsType;
};
// The mounts worth offering as drives, in the order given, duplicates and the
// root aside: real file systems (disks, removable media, network shares), not
// the kernel's own (proc, sys, tmpfs, overlay and their kin) nor what lies
// under /proc, /sys, /dev or /boot.
QStringList RealMounts(const std::vector<MountPoint>& mounts);

// The drives: the roots of the machine, plus, where there are no drive
// letters, the user's home folder (so that the panel can jump there in one
// choice) and the real file systems mounted on the machine.
class DriveListBox : public Control {
public:
    DriveListBox(Form& f, Control* container, const QString& name, int index = -1);
    // The chosen entry: "/" or the home folder, "C:\" on a machine with letters.
    QString Drive() const { return List(m_index); }
    // Chooses the entry that holds the given path ("/home/x/y" gives the home
    // entry, "/etc" the root, "c:" the drive C:). False when none does.
    bool setDrive(const QString& d);
    QString List(int i) const;
    int ListCount() const { return static_cast<int>(m_drives.size()); }
    int ListIndex() const { return m_index; }
    bool setListIndex(int i);
    std::function<void()> Change;

private:
    void show();
    int holder(const QString& path) const;  // the longest entry holding it, or -1
    QStringList m_drives;                   // clean paths, '/' separators
    int m_index = 0;
};

// The folder list: the parents of the folder from the root down, the folder
// itself, then its subfolders. ListIndex -1 is the folder itself, -2 its
// parent and so on up to the root; 0 .. ListCount - 1 the subfolders.
class DirListBox : public Control {
public:
    DirListBox(Form& f, Control* container, const QString& name, int index = -1);
    QString Path() const;
    // A relative path is taken from the folder shown.
    bool setPath(const QString& p);
    // Full path of entry i (see above); empty outside the list.
    QString List(int i) const;
    int ListCount() const;
    int ListIndex() const { return m_listIndex; }
    bool setListIndex(int i);
    // Reads the subfolders again.
    void Refresh();
    std::function<void()> Change;  // the path changed
    std::function<void()> Click;   // an entry was picked

private:
    void fill();
    // The folder is read when the list is first asked for or shown, not when it is made;
    // a list that shows reads it once the handler that changed it is done.
    void ensureFilled() const;
    void outdate();
    void showIcons();
    int rowOf(int listIndex) const { return listIndex + static_cast<int>(m_parents.size()) + 1; }
    QListWidget* list() const;
    bool m_iconsShown = false;
    bool m_filled = false;
    QString m_path;          // clean, '/' separators
    QStringList m_parents;   // root first
    QStringList m_children;  // full paths, sorted
    int m_listIndex = -1;
};

// The file list: the names in a folder that match any of its patterns.
class FileListBox : public Control {
public:
    FileListBox(Form& f, Control* container, const QString& name, int index = -1);
    QString Path() const;
    bool setPath(const QString& p);
    // Patterns separated by ";": "*.vie", "*.lif;*.txt"; "*.*" lists every file,
    // with or without an extension. Letter case does not count, as the program's
    // files come from systems where it does not.
    QString Pattern() const { return m_pattern; }
    void setPattern(const QString& p);
    // The picked name, without its folder. Setting a name with a folder changes
    // the path too, a name with "*" or "?" the pattern; a plain name picks that
    // file when it is listed.
    QString FileName() const { return m_fileName; }
    bool setFileName(const QString& n);
    QString List(int i) const;
    int ListCount() const {
        ensureFilled();
        return static_cast<int>(m_names.size());
    }
    int ListIndex() const {
        ensureFilled();
        return m_listIndex;
    }
    bool setListIndex(int i);
    // Reads the folder again; the picked name stays picked while it is there.
    void Refresh();
    // A hidden file of exactly this name, letter case aside, is listed too when
    // it matches the pattern (a file named ".vie" is a board file all the same).
    void setAlsoListed(const QString& name);
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> PathChange;
    std::function<void()> PatternChange;

private:
    // The folder is read when the list is first asked for or shown, not when it is made
    // or each time its path or pattern changes meanwhile; a list that shows reads it
    // once the handler that changed it is done.
    void fill(bool keepPick);
    void ensureFilled() const;
    void readFolder();
    void pick(int row, bool runClick);
    QListWidget* list() const;
    bool m_filled = false;
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QString m_alsoListed;
    QStringList m_names;
    QString m_fileName;
    int m_listIndex = -1;
};
