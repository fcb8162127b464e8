#include "FileLists.h"

#include <QCollator>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>
#ifdef __linux__
#include <mntent.h>
#endif

namespace {

// A list whose picks and openings come from the user only; changes made by
// code go round it with a signal blocker.
class PickList : public QListWidget {
public:
    std::function<void(int row)> picked;
    std::function<void(int row)> opened;
    std::function<void()> fill;  // brings the entries up to date; nothing when they are
    bool openOnEnter = false;

    // The entries of a list that shows are brought up to date once the handler
    // that changed them is done, before the window paints: the several changes of
    // one handler cost one reading.
    void fillLater() {
        if (m_fillPosted) return;
        m_fillPosted = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_fillPosted = false;
                if (isVisible() && fill) fill();
            },
            Qt::QueuedConnection);
    }

    PickList() {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setUniformItemSizes(true);
        QObject::connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
            // The keyboard moves the pick; a press reports its own below.
            if (!m_pressing && row >= 0 && picked) picked(row);
        });
    }

protected:
    void showEvent(QShowEvent* e) override {
        fillLater();
        QListWidget::showEvent(e);
    }
    // The user acts on the entries as they are now.
    void mousePressEvent(QMouseEvent* e) override {
        if (fill) fill();
        m_pressing = true;
        QListWidget::mousePressEvent(e);
        m_pressing = false;
        const int row = indexAt(e->position().toPoint()).row();
        if (row >= 0 && picked) picked(row);
    }
    // Handled here rather than through the view's own signal, since opening a
    // folder rebuilds the list under the view's feet.
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (fill) fill();
        const int row = indexAt(e->position().toPoint()).row();
        if (row < 0 || e->button() != Qt::LeftButton) {
            QListWidget::mouseDoubleClickEvent(e);
            return;
        }
        if (row != currentRow()) {
            {
                const QSignalBlocker block(this);
                setCurrentRow(row);
            }
            if (picked) picked(row);
        }
        if (opened) opened(row);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (fill) fill();
        if (openOnEnter && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentRow() >= 0) {
            if (opened) opened(currentRow());
            return;
        }
        QListWidget::keyPressEvent(e);
    }

private:
    bool m_pressing = false;
    bool m_fillPosted = false;
};

void showRow(QListWidget* l, int row) {
    const QSignalBlocker block(l);
    if (row < 0) {
        l->setCurrentRow(-1);
        l->clearSelection();
    } else {
        l->setCurrentRow(row);
        l->scrollToItem(l->item(row));
    }
}

// French order, letter case aside, the same on every machine whatever its locale.
void sortNames(QStringList& names) {
    QCollator c{QLocale(QLocale::French, QLocale::France)};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&c](const QString& a, const QString& b) {
        const int r = c.compare(a, b);
        return r != 0 ? r < 0 : a < b;
    });
}

// One reading of a folder: its subfolders and its files, in no order, hidden
// ones marked; nothing when it cannot be read.
struct Entry {
    QString name;
    bool hidden;
};
struct Reading {
    QString folder;
    std::vector<Entry> folders, files;
};

// The panel's folder and file lists show one folder and change together: one
// reading serves both until the events that follow the change have run, or
// until either list is told to read again.
Reading g_reading;
bool g_forgetPosted = false;

void forgetReading() {
    g_reading = {};
}

const Reading& folderReading(const QString& folder) {
    if (!g_reading.folder.isEmpty() && g_reading.folder == folder) return g_reading;
    g_reading = {folder, {}, {}};
    QDirIterator it(folder, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo fi = it.fileInfo();
        (fi.isDir() ? g_reading.folders : g_reading.files).push_back({fi.fileName(), fi.isHidden()});
    }
    if (!g_forgetPosted) {
        g_forgetPosted = true;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [] {
                g_forgetPosted = false;
                forgetReading();
            },
            Qt::QueuedConnection);
    }
    return g_reading;
}

void fillLater(QWidget* list) {
    static_cast<PickList*>(list)->fillLater();
}

QString clean(const QString& base, const QString& p) {
    QString s = QDir::fromNativeSeparators(p.trimmed());
    if (s.isEmpty()) return {};
    if (QDir::isRelativePath(s)) s = (base.isEmpty() ? QDir::currentPath() : base) + QLatin1Char('/') + s;
    s = QDir::cleanPath(s);
    // "C:" alone is the drive's current folder elsewhere; here it is its root.
    if (s.size() == 2 && s[1] == QLatin1Char(':')) s += QLatin1Char('/');
    return s;
}

QString cleanFolder(const QString& base, const QString& p) {
    const QString s = clean(base, p);
    return !s.isEmpty() && QFileInfo(s).isDir() ? s : QString();
}

QString childOf(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString shownName(const QString& folder) {
    const QString n = QFileInfo(folder).fileName();
    return n.isEmpty() ? QDir::toNativeSeparators(folder) : n;
}

// Wildcards as the program writes them: "*" any run, "?" one character.
bool matches(QStringView name, QStringView pat) {
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pat.size() && (pat[p] == QLatin1Char('?') || pat[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++n;
            ++p;
        } else if (p < pat.size() && pat[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == QLatin1Char('*')) ++p;
    return p == pat.size();
}

bool matchesAny(const QString& name, const QStringList& patterns) {
    for (const QString& p : patterns)
        if (p == QLatin1String("*.*") || matches(name, p)) return true;
    return false;
}

}  // namespace

// ---- DriveListBox
QStringList RealMounts(const std::vector<MountPoint>& mounts) {
    // The kernel's and the containers' own file systems hold no user files.
    static const char* const pseudo[] = {
        "proc",     "sysfs",      "tmpfs",       "devtmpfs",       "devpts",   "overlay",     "aufs",
        "cgroup",   "cgroup2",    "securityfs",  "debugfs",        "tracefs",  "pstore",      "bpf",
        "autofs",   "hugetlbfs",  "mqueue",      "fusectl",        "configfs", "binfmt_misc", "ramfs",
        "squashfs", "nsfs",       "efivarfs",    "rpc_pipefs",     "nfsd",     "selinuxfs",   "rootfs",
        "none",     "fuse.lxcfs", "fuse.portal", "fuse.gvfsd-fuse"};
    auto under = [](const QString& p, const char* top) {
        const QString t = QString::fromLatin1(top);
        return p == t || p.startsWith(t + QLatin1Char('/'));
    };
    QStringList out;
    for (const MountPoint& m : mounts) {
        const QString root = QDir::cleanPath(QDir::fromNativeSeparators(m.root));
        if (root.isEmpty() || root == QLatin1String("/") || !root.startsWith(QLatin1Char('/'))) continue;
        if (under(root, "/proc") || under(root, "/sys") || under(root, "/dev") || under(root, "/boot")) continue;
        const QByteArray type = m.fsType.toLower();
        if (type.isEmpty() ||
            std::any_of(std::begin(pseudo), std::end(pseudo), [&](const char* t) { return type == t; }))
            continue;
        if (!out.contains(root)) out << root;
    }
    return out;
}

namespace {
bool isNetworkFs(const QByteArray& type) {
    const QByteArray t = type.toLower();
    for (const char* n : {"nfs", "cifs", "smb", "fuse.", "9p", "ceph", "glusterfs", "afs", "davfs"})
        if (t.startsWith(n)) return true;
    return false;
}

// The mount table as the C library reads it: no file system is looked at, so
// that a dead network share cannot hang the window.
std::vector<MountPoint> mountTable() {
    std::vector<MountPoint> out;
#ifdef __linux__
    if (FILE* f = setmntent("/proc/self/mounts", "r")) {
        while (const mntent* e = getmntent(f))
            out.push_back({QString::fromLocal8Bit(e->mnt_dir), QByteArray(e->mnt_type)});
        endmntent(f);
        return out;
    }
#endif
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady()) out.push_back({v.rootPath(), v.fileSystemType()});
    return out;
}
}  // namespace

DriveListBox::DriveListBox(Form& f, Control* container, const QString& name, int index)
    : Control(f, container, name, index) {
    for (const QFileInfo& d : QDir::drives()) m_drives << QDir::cleanPath(d.absoluteFilePath());
    if (m_drives.isEmpty()) m_drives << QStringLiteral("/");
    if (m_drives == QStringList{QStringLiteral("/")}) {
        // No drive letters: the home folder is the other place a user keeps
        // files, and media and shares are mounted somewhere in the tree.
        const QString home = QDir::cleanPath(QDir::homePath());
        if (home != m_drives.front()) m_drives << home;
        std::vector<MountPoint> mounts = mountTable();
        for (const QString& m : RealMounts(mounts)) {
            if (m_drives.contains(m)) continue;
            // A share that stopped answering would hang the window on a look at
            // it: those are taken as the folders they are mounted on.
            const auto it = std::find_if(mounts.begin(), mounts.end(),
                                         [&](const MountPoint& p) { return QDir::cleanPath(p.root) == m; });
            if ((it != mounts.end() && isNetworkFs(it->fsType)) || QFileInfo(m).isDir()) m_drives << m;
        }
    }

    auto* c = new QComboBox;
    for (const QString& d : m_drives) c->addItem(QDir::toNativeSeparators(d));
    setWidget(c);
    m_index = std::max(0, holder(QDir::currentPath()));
    show();
    QObject::connect(c, &QComboBox::activated, ctx(), [this](int i) {
        if (i < 0 || i == m_index) return;
        m_index = i;
        if (Change) Change();
    });
}

QString DriveListBox::List(int i) const {
    return i >= 0 && i < m_drives.size() ? QDir::toNativeSeparators(m_drives[i]) : QString();
}

void DriveListBox::show() {
    auto* c = static_cast<QComboBox*>(widget());
    const QSignalBlocker block(c);
    c->setCurrentIndex(m_index);
}

int DriveListBox::holder(const QString& d) const {
    const QString s = QDir::fromNativeSeparators(d.trimmed());
    if (s.isEmpty()) return -1;
    int best = -1;
    for (int i = 0; i < m_drives.size(); ++i) {
        const QString& e = m_drives[i];
        bool holds;
        if (e.size() == 3 && e[1] == QLatin1Char(':'))
            holds = s.left(2).compare(e.left(2), Qt::CaseInsensitive) == 0;
        else
            holds = s == e || (s.startsWith(e) && (e.endsWith(QLatin1Char('/')) || s[e.size()] == QLatin1Char('/')));
        if (holds && (best < 0 || e.size() > m_drives[best].size())) best = i;
    }
    return best;
}

bool DriveListBox::setDrive(const QString& d) {
    const int i = holder(d);
    return i >= 0 && setListIndex(i);
}

bool DriveListBox::setListIndex(int i) {
    if (i < 0 || i >= m_drives.size()) return false;
    if (i == m_index) return true;
    m_index = i;
    show();
    if (Change) Change();
    return true;
}

// ---- DirListBox
DirListBox::DirListBox(Form& f, Control* container, const QString& name, int index)
    : Control(f, container, name, index) {
    auto* l = new PickList;
    l->openOnEnter = true;
    setWidget(l);
    setBackColor(0xFFFFFF);
    l->picked = [this](int row) {
        m_listIndex = row - static_cast<int>(m_parents.size()) - 1;
        if (Click) Click();
    };
    l->opened = [this](int row) { setPath(List(row - static_cast<int>(m_parents.size()) - 1)); };
    l->fill = [this] { showIcons(); };
    m_path = QDir::cleanPath(QDir::currentPath());
}

void DirListBox::ensureFilled() const {
    if (!m_filled) const_cast<DirListBox*>(this)->fill();
}

int DirListBox::ListCount() const {
    ensureFilled();
    return static_cast<int>(m_children.size());
}

QListWidget* DirListBox::list() const {
    return static_cast<QListWidget*>(widget());
}

QString DirListBox::Path() const {
    return QDir::toNativeSeparators(m_path);
}

QString DirListBox::List(int i) const {
    ensureFilled();
    if (i >= 0) return i < m_children.size() ? QDir::toNativeSeparators(m_children[i]) : QString();
    if (i == -1) return Path();
    const qsizetype up = -i - 1;  // how many levels above the folder
    return up <= m_parents.size() ? QDir::toNativeSeparators(m_parents[m_parents.size() - up]) : QString();
}

void DirListBox::fill() {
    m_filled = true;
    m_parents.clear();
    for (QString p = QFileInfo(m_path).path();; p = QFileInfo(p).path()) {
        if (p == m_path || (!m_parents.isEmpty() && p == m_parents.front())) break;
        m_parents.prepend(p);
    }
    QStringList names;
    for (const Entry& e : folderReading(m_path).folders)
        if (!e.hidden) names << e.name;
    sortNames(names);
    m_children.clear();
    for (const QString& n : names) m_children << childOf(m_path, n);
    m_listIndex = -1;

    QListWidget* l = list();
    const QSignalBlocker block(l);
    l->clear();
    int depth = 0;
    for (const QString& p : m_parents) l->addItem(QString(2 * depth++, QLatin1Char(' ')) + shownName(p));
    l->addItem(QString(2 * depth++, QLatin1Char(' ')) + shownName(m_path));
    for (const QString& c : m_children) l->addItem(QString(2 * depth, QLatin1Char(' ')) + shownName(c));
    m_iconsShown = false;
    if (l->isVisible()) showIcons();
    showRow(l, rowOf(-1));
}

void DirListBox::outdate() {
    m_filled = false;
    m_listIndex = -1;
    if (list()->isVisible()) fillLater(list());
}

// The folder pictures come from the style's icon theme, which takes a while to look
// up the first time: a list nobody sees (the file panel while it is closed) has none.
void DirListBox::showIcons() {
    ensureFilled();
    if (m_iconsShown) return;
    m_iconsShown = true;
    QListWidget* l = list();
    const QIcon open = l->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = l->style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (int row = 0; row < l->count(); ++row) l->item(row)->setIcon(row < rowOf(0) ? open : closed);
}

bool DirListBox::setPath(const QString& p) {
    const QString s = cleanFolder(m_path, p);
    if (s.isEmpty()) return false;
    if (s == m_path) return true;
    m_path = s;
    outdate();
    if (Change) Change();
    return true;
}

bool DirListBox::setListIndex(int i) {
    ensureFilled();
    if (i < -static_cast<int>(m_parents.size()) - 1 || i >= ListCount()) return false;
    if (i == m_listIndex) return true;
    m_listIndex = i;
    showRow(list(), rowOf(i));
    if (Click) Click();
    return true;
}

void DirListBox::Refresh() {
    // A folder that went away leaves the list on the nearest one still there.
    QString s = m_path;
    while (!QFileInfo(s).isDir() && QFileInfo(s).path() != s) s = QFileInfo(s).path();
    if (s != m_path) {
        setPath(s);
        return;
    }
    forgetReading();
    outdate();
}

// ---- FileListBox
FileListBox::FileListBox(Form& f, Control* container, const QString& name, int index)
    : Control(f, container, name, index) {
    auto* l = new PickList;
    setWidget(l);
    setBackColor(0xFFFFFF);
    l->picked = [this](int row) { pick(row, true); };
    l->opened = [this](int) {
        if (DblClick) DblClick();
    };
    l->fill = [this] { ensureFilled(); };
    m_path = QDir::cleanPath(QDir::currentPath());
}

QListWidget* FileListBox::list() const {
    return static_cast<QListWidget*>(widget());
}

QString FileListBox::Path() const {
    return QDir::toNativeSeparators(m_path);
}

QString FileListBox::List(int i) const {
    ensureFilled();
    return i >= 0 && i < m_names.size() ? m_names[i] : QString();
}

void FileListBox::fill(bool keepPick) {
    if (!keepPick) m_fileName.clear();
    m_filled = false;
    if (list()->isVisible()) fillLater(list());
}

void FileListBox::ensureFilled() const {
    if (!m_filled) const_cast<FileListBox*>(this)->readFolder();
}

// The picked name, when there is one, stays picked while it is listed.
void FileListBox::readFolder() {
    m_filled = true;
    const QStringList patterns = m_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    m_names.clear();
    for (const Entry& e : folderReading(m_path).files) {
        const bool shown =
            !e.hidden || (!m_alsoListed.isEmpty() && e.name.compare(m_alsoListed, Qt::CaseInsensitive) == 0);
        if (shown && matchesAny(e.name, patterns)) m_names << e.name;
    }
    sortNames(m_names);
    m_listIndex = !m_fileName.isEmpty() ? static_cast<int>(m_names.indexOf(m_fileName)) : -1;

    QListWidget* l = list();
    const QSignalBlocker block(l);
    l->clear();
    l->addItems(m_names);
    showRow(l, m_listIndex);
}

void FileListBox::pick(int row, bool runClick) {
    m_listIndex = row;
    m_fileName = List(row);
    if (runClick && Click) Click();
}

bool FileListBox::setPath(const QString& p) {
    const QString s = cleanFolder(m_path, p);
    if (s.isEmpty()) return false;
    if (s == m_path) return true;
    m_path = s;
    fill(false);
    if (PathChange) PathChange();
    return true;
}

void FileListBox::setPattern(const QString& p) {
    const QString v = p.trimmed().isEmpty() ? QStringLiteral("*.*") : p.trimmed();
    if (v == m_pattern) return;
    m_pattern = v;
    fill(true);
    if (PatternChange) PatternChange();
}

bool FileListBox::setFileName(const QString& n) {
    const QString s = QDir::fromNativeSeparators(n);
    const qsizetype cut = s.lastIndexOf(QLatin1Char('/'));
    const QString name = s.mid(cut + 1);
    if (cut >= 0 && !setPath(cut == 0 ? QStringLiteral("/") : s.left(cut))) return false;
    if (name.isEmpty()) return true;
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'))) {
        setPattern(name);
        return true;
    }
    ensureFilled();
    qsizetype row = m_names.indexOf(name);
    for (qsizetype i = 0; row < 0 && i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) row = i;
    if (row >= 0) return setListIndex(static_cast<int>(row));
    // A name not listed yet (a file about to be written) is kept as it is.
    m_fileName = name;
    if (m_listIndex != -1) {
        m_listIndex = -1;
        showRow(list(), -1);
    }
    return true;
}

bool FileListBox::setListIndex(int i) {
    if (i < -1 || i >= ListCount()) return false;
    if (i == m_listIndex) return true;
    showRow(list(), i);
    if (i < 0) {
        m_listIndex = -1;
        m_fileName.clear();
        if (Click) Click();
    } else {
        pick(i, true);
    }
    return true;
}

void FileListBox::setAlsoListed(const QString& name) {
    if (name == m_alsoListed) return;
    m_alsoListed = name;
    fill(true);
}

void FileListBox::Refresh() {
    forgetReading();
    fill(true);
    Control::Refresh();
}
