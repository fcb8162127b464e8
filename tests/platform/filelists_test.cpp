// The drive, folder and file lists as a file panel uses them: what they list,
// in which order, what a click and a double click do, and that a folder that
// is missing or cannot be read never breaks them.
#include "App.h"
#include "FileLists.h"
#include "Form.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

class Panneau : public Form {
public:
    Panneau() : Form(QStringLiteral("Panneau")) {
        m_designWidth = 9000;
        m_designHeight = 9000;
    }
    DriveListBox* lsUni = nullptr;
    DirListBox* lsRép = nullptr;
    FileListBox* lsFic = nullptr;
    int changeUni = 0, changeRép = 0, clicRép = 0, clicFic = 0, dblFic = 0, cheminFic = 0, motifFic = 0;
    QString nomAuClic;

protected:
    void CreateControls() override {
        lsUni = Ajoute<DriveListBox>(nullptr, QStringLiteral("lsUni"));
        lsUni->Move(120, 120, 4000, 330);
        lsRép = Ajoute<DirListBox>(nullptr, QStringLiteral("lsRép"));
        lsRép->Move(120, 600, 4000, 4000);
        lsFic = Ajoute<FileListBox>(nullptr, QStringLiteral("lsFic"));
        lsFic->Move(4300, 600, 4000, 4000);
        lsUni->Change = [this] { ++changeUni; };
        // As the panel wires them: the file list follows the folder list.
        lsRép->Change = [this] {
            ++changeRép;
            lsFic->setPath(lsRép->Path());
        };
        lsRép->Click = [this] { ++clicRép; };
        lsFic->Click = [this] {
            ++clicFic;
            nomAuClic = lsFic->FileName();
        };
        lsFic->DblClick = [this] { ++dblFic; };
        lsFic->PathChange = [this] { ++cheminFic; };
        lsFic->PatternChange = [this] { ++motifFic; };
    }
};

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write("x");
}

// What the list shows once the handler of the last change is done.
QStringList shown(QListWidget* l) {
    QCoreApplication::sendPostedEvents();
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text().trimmed();
    return out;
}

QStringList listed(const FileListBox& l) {
    QStringList out;
    for (int i = 0; i < l.ListCount(); ++i) out << l.List(i);
    return out;
}

QStringList listed(const DirListBox& l) {
    QStringList out;
    for (int i = 0; i < l.ListCount(); ++i) out << l.List(i);
    return out;
}

// The point a user aims at to hit the entry showing `text`.
QPoint aim(QListWidget* l, const QString& text) {
    QCoreApplication::sendPostedEvents();
    for (int i = 0; i < l->count(); ++i) {
        if (l->item(i)->text().trimmed() != text) continue;
        l->scrollToItem(l->item(i));
        return l->visualItemRect(l->item(i)).center();
    }
    ADD_FAILURE() << "no entry " << text.toStdString();
    return {};
}

void click(QListWidget* l, const QString& text) {
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, aim(l, text));
}

// A double click as the window system delivers it: a click, then a press that is a double click.
void doubleClick(QListWidget* l, const QString& text) {
    const QPoint p = aim(l, text);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mousePress(l->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(l->viewport(), Qt::LeftButton, Qt::NoModifier, p);
}

struct Listes : ::testing::Test {
    QTemporaryDir tmp;
    QString racine;
    Panneau f;
    QListWidget* rép = nullptr;
    QListWidget* fic = nullptr;

    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        racine = tmp.path() + QStringLiteral("/jeux");
        QDir d(tmp.path());
        ASSERT_TRUE(d.mkpath(QStringLiteral("jeux/Planeurs")));
        ASSERT_TRUE(d.mkpath(QStringLiteral("jeux/motifs d'été")));
        ASSERT_TRUE(d.mkpath(QStringLiteral("jeux/anciens")));
        ASSERT_TRUE(d.mkpath(QStringLiteral("jeux/.cachés")));
        ASSERT_TRUE(d.mkpath(QStringLiteral("jeux/dossier.vie")));
        for (const char* n : {"zèbre.vie", "Alpha.vie", "école.vie", "beta.VIE", "Été 2024.vie", "canon.lif",
                              "notes.txt", "LISEZMOI", ".réglages.vie"})
            touch(racine + QLatin1Char('/') + QString::fromUtf8(n));
        touch(racine + QStringLiteral("/motifs d'été/planeur.lif"));
        touch(racine + QStringLiteral("/motifs d'été/vaisseau.lif"));
        f.Show();
        rép = qobject_cast<QListWidget*>(f.ControlByName(QStringLiteral("lsRép"))->widget());
        fic = qobject_cast<QListWidget*>(f.ControlByName(QStringLiteral("lsFic"))->widget());
        ASSERT_TRUE(rép && fic);
        ASSERT_TRUE(f.lsRép->setPath(racine));
        f.changeRép = f.cheminFic = 0;
    }
    void TearDown() override { f.Unload(); }
};

TEST_F(Listes, FileListShowsTheNamesMatchingThePatternInFrenchOrderLetterCaseAside) {
    f.lsFic->setPattern(QStringLiteral("*.vie"));
    const QStringList vie{QStringLiteral("Alpha.vie"), QStringLiteral("beta.VIE"), QStringLiteral("école.vie"),
                          QStringLiteral("Été 2024.vie"), QStringLiteral("zèbre.vie")};
    EXPECT_EQ(listed(*f.lsFic), vie);
    EXPECT_EQ(shown(fic), vie);
    EXPECT_EQ(f.motifFic, 1);

    f.lsFic->setPattern(QStringLiteral("*.lif;*.txt"));
    EXPECT_EQ(listed(*f.lsFic), (QStringList{QStringLiteral("canon.lif"), QStringLiteral("notes.txt")}));
    EXPECT_EQ(shown(fic), listed(*f.lsFic));
}

// A name that is not valid in the system's encoding could not be opened by the
// name shown: it is left out.
TEST_F(Listes, EveryFilePatternListsNamesWithoutExtensionButNoFolderHiddenFileOrUndecodableName) {
    const QByteArray illisible = QFile::encodeName(racine) + "/partie\xff.vie";
    ASSERT_EQ(::close(::open(illisible.constData(), O_CREAT | O_WRONLY, 0644)), 0);
    f.lsFic->setPattern(QStringLiteral("*.vie"));
    f.lsFic->setPattern(QStringLiteral("*.*"));
    const QStringList tous = listed(*f.lsFic);
    EXPECT_EQ(tous.size(), 8);
    EXPECT_TRUE(tous.contains(QStringLiteral("LISEZMOI")));
    EXPECT_FALSE(tous.contains(QStringLiteral("dossier.vie")));
    EXPECT_FALSE(tous.contains(QStringLiteral(".réglages.vie")));
}

TEST_F(Listes, SettingThePatternItAlreadyHasRunsNothing) {
    f.lsFic->setPattern(QStringLiteral("*.lif"));
    f.lsFic->setPattern(QStringLiteral("*.lif"));
    EXPECT_EQ(f.motifFic, 1);
}

TEST_F(Listes, FolderListShowsTheParentsFromTheRootThenTheFolderThenItsSubfolders) {
    // Subfolders sorted letter case aside, the hidden one left out, files left out.
    const QStringList sous{racine + QStringLiteral("/anciens"), racine + QStringLiteral("/dossier.vie"),
                           racine + QStringLiteral("/motifs d'été"), racine + QStringLiteral("/Planeurs")};
    EXPECT_EQ(listed(*f.lsRép), sous);
    EXPECT_EQ(f.lsRép->List(-1), racine);
    EXPECT_EQ(f.lsRép->List(-2), tmp.path());
    EXPECT_EQ(f.lsRép->ListIndex(), -1);

    const QStringList parts = racine.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QStringList lignes = shown(rép);
    ASSERT_EQ(lignes.size(), parts.size() + 1 + sous.size());
    EXPECT_EQ(lignes.front(), QStringLiteral("/"));
    EXPECT_EQ(f.lsRép->List(-static_cast<int>(parts.size()) - 1), QStringLiteral("/"));
    EXPECT_EQ(lignes.mid(1, parts.size()), parts);
    EXPECT_EQ(lignes.mid(parts.size() + 1), (QStringList{QStringLiteral("anciens"), QStringLiteral("dossier.vie"),
                                                         QStringLiteral("motifs d'été"), QStringLiteral("Planeurs")}));
    // The folder itself is the highlighted entry.
    EXPECT_EQ(rép->currentRow(), parts.size());
}

TEST_F(Listes, DoubleClickOnASubfolderOpensItRunsChangeOnceAndTheFileListFollows) {
    doubleClick(rép, QStringLiteral("motifs d'été"));
    EXPECT_EQ(f.lsRép->Path(), racine + QStringLiteral("/motifs d'été"));
    EXPECT_EQ(f.changeRép, 1);
    EXPECT_GE(f.clicRép, 1);
    EXPECT_EQ(f.lsFic->Path(), f.lsRép->Path());
    EXPECT_EQ(f.cheminFic, 1);
    f.lsFic->setPattern(QStringLiteral("*.lif"));
    EXPECT_EQ(shown(fic), (QStringList{QStringLiteral("planeur.lif"), QStringLiteral("vaisseau.lif")}));
    EXPECT_EQ(listed(*f.lsRép), QStringList{});
}

TEST_F(Listes, DoubleClickOnAParentGoesUpToIt) {
    doubleClick(rép, QFileInfo(tmp.path()).fileName());
    EXPECT_EQ(f.lsRép->Path(), tmp.path());
    EXPECT_EQ(f.changeRép, 1);
    EXPECT_EQ(listed(*f.lsRép), QStringList{racine});
}

TEST_F(Listes, DoubleClickOnTheFolderShownRunsNoChange) {
    doubleClick(rép, QStringLiteral("jeux"));
    EXPECT_EQ(f.lsRép->Path(), racine);
    EXPECT_EQ(f.changeRép, 0);
}

TEST_F(Listes, ASingleClickOnAFolderPicksItWithoutOpeningIt) {
    click(rép, QStringLiteral("Planeurs"));
    EXPECT_EQ(f.clicRép, 1);
    EXPECT_EQ(f.lsRép->Path(), racine);
    EXPECT_EQ(f.lsRép->List(f.lsRép->ListIndex()), racine + QStringLiteral("/Planeurs"));
    EXPECT_EQ(f.changeRép, 0);
}

TEST_F(Listes, EnterOpensThePickedFolder) {
    click(rép, QStringLiteral("anciens"));
    QTest::keyClick(rép, Qt::Key_Return);
    EXPECT_EQ(f.lsRép->Path(), racine + QStringLiteral("/anciens"));
    EXPECT_EQ(f.changeRép, 1);
}

TEST_F(Listes, PathSetByCodeRunsChangeOnceAndTheSamePathRunsNothing) {
    ASSERT_TRUE(f.lsRép->setPath(racine + QStringLiteral("/Planeurs")));
    EXPECT_EQ(f.changeRép, 1);
    EXPECT_TRUE(f.lsRép->setPath(racine + QStringLiteral("/Planeurs/")));
    EXPECT_EQ(f.changeRép, 1);
    // A relative path is taken from the folder shown.
    EXPECT_TRUE(f.lsRép->setPath(QStringLiteral("..")));
    EXPECT_EQ(f.lsRép->Path(), racine);
    EXPECT_EQ(f.changeRép, 2);
    EXPECT_EQ(f.cheminFic, 2);
}

TEST_F(Listes, AClickOnAFileSetsTheNameAndRunsClick) {
    f.lsFic->setPattern(QStringLiteral("*.vie"));
    click(fic, QStringLiteral("Été 2024.vie"));
    EXPECT_EQ(f.clicFic, 1);
    EXPECT_EQ(f.nomAuClic, QStringLiteral("Été 2024.vie"));
    EXPECT_EQ(f.lsFic->FileName(), QStringLiteral("Été 2024.vie"));
    EXPECT_EQ(f.lsFic->List(f.lsFic->ListIndex()), QStringLiteral("Été 2024.vie"));
    // Clicking the picked file again gives its name again: the panel puts it back in the name box.
    click(fic, QStringLiteral("Été 2024.vie"));
    EXPECT_EQ(f.clicFic, 2);
    click(fic, QStringLiteral("école.vie"));
    EXPECT_EQ(f.lsFic->FileName(), QStringLiteral("école.vie"));
    EXPECT_EQ(f.clicFic, 3);
    EXPECT_EQ(f.dblFic, 0);
}

TEST_F(Listes, ADoubleClickOnAFileRunsDblClickOnceWithTheFilePicked) {
    f.lsFic->setPattern(QStringLiteral("*.lif"));
    doubleClick(fic, QStringLiteral("canon.lif"));
    EXPECT_EQ(f.dblFic, 1);
    EXPECT_EQ(f.lsFic->FileName(), QStringLiteral("canon.lif"));
}

TEST_F(Listes, PickingByCodeRunsClickOnceAndOnlyOnAChange) {
    f.lsFic->setPattern(QStringLiteral("*.vie"));
    ASSERT_TRUE(f.lsFic->setListIndex(1));
    EXPECT_EQ(f.clicFic, 1);
    EXPECT_EQ(f.nomAuClic, QStringLiteral("beta.VIE"));
    EXPECT_EQ(fic->currentRow(), 1);
    EXPECT_TRUE(f.lsFic->setListIndex(1));
    EXPECT_EQ(f.clicFic, 1);
    EXPECT_FALSE(f.lsFic->setListIndex(5));
    EXPECT_EQ(f.lsFic->ListIndex(), 1);

    ASSERT_TRUE(f.lsFic->setFileName(QStringLiteral("zèbre.vie")));
    EXPECT_EQ(f.clicFic, 2);
    EXPECT_EQ(f.lsFic->ListIndex(), 4);
}

TEST_F(Listes, AFileNameWithAFolderOrAWildcardMovesTheListThere) {
    ASSERT_TRUE(f.lsFic->setFileName(racine + QStringLiteral("/motifs d'été/*.lif")));
    EXPECT_EQ(f.lsFic->Path(), racine + QStringLiteral("/motifs d'été"));
    EXPECT_EQ(f.lsFic->Pattern(), QStringLiteral("*.lif"));
    EXPECT_EQ(f.cheminFic, 1);
    EXPECT_EQ(f.motifFic, 1);
    EXPECT_EQ(listed(*f.lsFic), (QStringList{QStringLiteral("planeur.lif"), QStringLiteral("vaisseau.lif")}));
}

TEST_F(Listes, ANewFileShowsAfterRefreshAndThePickStays) {
    f.lsFic->setPattern(QStringLiteral("*.lif"));
    click(fic, QStringLiteral("canon.lif"));
    touch(racine + QStringLiteral("/a-planeur.lif"));
    EXPECT_EQ(f.lsFic->ListCount(), 1);
    f.lsFic->Refresh();
    EXPECT_EQ(shown(fic), (QStringList{QStringLiteral("a-planeur.lif"), QStringLiteral("canon.lif")}));
    EXPECT_EQ(f.lsFic->FileName(), QStringLiteral("canon.lif"));
    EXPECT_EQ(f.lsFic->ListIndex(), 1);
    EXPECT_EQ(fic->currentRow(), 1);
}

TEST_F(Listes, APathThatIsNoFolderLeavesBothListsAsTheyWere) {
    f.lsFic->setPattern(QStringLiteral("*.*"));
    const QStringList dossiers = listed(*f.lsRép), fichiers = listed(*f.lsFic);
    const QStringList lignes = shown(rép);
    // Under a regular file: no one can list that, not even root.
    for (const QString& p : {racine + QStringLiteral("/notes.txt/sous"), racine + QStringLiteral("/notes.txt"),
                             racine + QStringLiteral("/absent"), QString()}) {
        EXPECT_FALSE(f.lsRép->setPath(p)) << p.toStdString();
        EXPECT_FALSE(f.lsFic->setPath(p)) << p.toStdString();
    }
    EXPECT_EQ(f.lsRép->Path(), racine);
    EXPECT_EQ(f.lsFic->Path(), racine);
    EXPECT_EQ(listed(*f.lsRép), dossiers);
    EXPECT_EQ(shown(rép), lignes);
    EXPECT_EQ(listed(*f.lsFic), fichiers);
    EXPECT_EQ(f.changeRép, 0);
    EXPECT_EQ(f.cheminFic, 0);
    EXPECT_FALSE(f.lsFic->setFileName(racine + QStringLiteral("/absent/x.vie")));
    EXPECT_EQ(f.lsFic->Path(), racine);
}

TEST_F(Listes, AFolderThatCannotBeReadListsNothing) {
    const QString fermé = racine + QStringLiteral("/Planeurs");
    touch(fermé + QStringLiteral("/planeur.vie"));
    ASSERT_TRUE(QDir(fermé).mkdir(QStringLiteral("sous")));
    ASSERT_TRUE(QFile::setPermissions(fermé, QFileDevice::ExeOwner));
    struct Rouvre {
        QString p;
        ~Rouvre() {
            QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
    } rouvre{fermé};
    if (!QDir(fermé).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty())
        GTEST_SKIP() << "this user reads every folder";
    ASSERT_TRUE(f.lsRép->setPath(fermé));
    EXPECT_EQ(f.lsRép->ListCount(), 0);
    EXPECT_EQ(f.lsFic->Path(), fermé);
    EXPECT_EQ(f.lsFic->ListCount(), 0);
    EXPECT_EQ(fic->count(), 0);
}

TEST_F(Listes, TheDriveListHoldsTheRootAndTheHomeFolder) {
    ASSERT_GE(f.lsUni->ListCount(), 1);
    EXPECT_EQ(f.lsUni->List(0), QStringLiteral("/"));
    auto* uni = qobject_cast<QComboBox*>(f.ControlByName(QStringLiteral("lsUni"))->widget());
    ASSERT_TRUE(uni);
    EXPECT_EQ(uni->count(), f.lsUni->ListCount());
    EXPECT_EQ(uni->itemText(0), QStringLiteral("/"));

    ASSERT_TRUE(f.lsUni->setDrive(QStringLiteral("/etc")));
    EXPECT_EQ(f.lsUni->Drive(), QStringLiteral("/"));
    const int avant = f.changeUni;
    EXPECT_TRUE(f.lsUni->setDrive(QStringLiteral("/")));
    EXPECT_EQ(f.changeUni, avant);
    EXPECT_FALSE(f.lsUni->setDrive(QStringLiteral("Z:")));
    EXPECT_EQ(f.lsUni->Drive(), QStringLiteral("/"));

    const QString maison = QDir::cleanPath(QDir::homePath());
    if (maison == QStringLiteral("/")) return;
    ASSERT_EQ(f.lsUni->ListCount(), 2);
    ASSERT_TRUE(f.lsUni->setDrive(maison + QStringLiteral("/Documents")));
    EXPECT_EQ(f.lsUni->Drive(), maison);
    EXPECT_EQ(f.changeUni, avant + 1);
    EXPECT_EQ(uni->currentIndex(), 1);
}

TEST_F(Listes, ChoosingADriveInTheBoxRunsChangeOnce) {
    if (f.lsUni->ListCount() < 2) GTEST_SKIP() << "one drive only";
    ASSERT_TRUE(f.lsUni->setListIndex(0));
    f.changeUni = 0;
    auto* uni = qobject_cast<QComboBox*>(f.ControlByName(QStringLiteral("lsUni"))->widget());
    uni->setFocus();
    QTest::keyClick(uni, Qt::Key_Down);
    EXPECT_EQ(f.changeUni, 1);
    EXPECT_EQ(f.lsUni->ListIndex(), 1);
    EXPECT_EQ(f.lsUni->Drive(), f.lsUni->List(1));
}

}  // namespace
