// The file panel caFic: where a board or pattern operation chooses its file.
// An operation opens it with OuvreFic, then waits in AttendFic until one of
// the two btFin buttons closes it; the panel itself reads and writes nothing.
#include "Ostrane1.h"

#include "App.h"
#include "OstraneM.h"
#include "lif_format.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kEcrire = QStringLiteral("Ecrire");
}  // namespace

void Ostrane1::CreeFic() {
    // It shares the board panel's place; one panel shows at a time.
    caFic = Ajoute<Frame>(nullptr, QStringLiteral("caFic"));
    caFic->Move(10440, 540, 3840, 9600);
    caFic->setVisible(false);

    const QString console = QStringLiteral("Lucida Console");
    const QString comic = QStringLiteral("Comic Sans MS");
    const QString arial = QStringLiteral("Arial");

    lsUni = Ajoute<DriveListBox>(caFic, QStringLiteral("lsUni"));
    lsUni->Move(120, 300, 3600, 330);
    lsUni->setFont(console, 9);
    lsRép = Ajoute<DirListBox>(caFic, QStringLiteral("lsRép"));
    lsRép->Move(120, 720, 3600, 2700);
    lsRép->setFont(console, 9);
    btFixeR = Ajoute<CommandButton>(caFic, QStringLiteral("btFixeR"));
    btFixeR->Move(120, 3510, 3600, 420);
    btFixeR->setFont(comic, 8.25);
    btFixeR->setCaption(QStringLiteral("Fixer comme répertoire par défaut"));
    lsFic = Ajoute<FileListBox>(caFic, QStringLiteral("lsFic"));
    lsFic->Move(120, 4020, 3600, 3060);
    lsFic->setFont(console, 9);
    txNFic = Ajoute<TextBox>(caFic, QStringLiteral("txNFic"));
    txNFic->Move(120, 7170, 3600, 360);
    txNFic->setFont(console, 9);

    // Side by side, "*.vie" on the left; created left to right for the focus chain.
    auto* ext = Ajoute<OptionButton>(caFic, QStringLiteral("coFic"), 1);
    ext->Move(120, 7680, 1320, 300);
    ext->setFont(arial, 9);
    ext->setCaption(QStringLiteral("Fichiers .vie"));
    ext->setValue(true);
    auto* tous = Ajoute<OptionButton>(caFic, QStringLiteral("coFic"), 0);
    tous->Move(1500, 7680, 2220, 300);
    tous->setFont(arial, 9);
    tous->setCaption(QStringLiteral("Tous les fichiers"));
    coFic.set(0, tous);
    coFic.set(1, ext);

    // The confirm button on the left, larger.
    auto* lire = Ajoute<CommandButton>(caFic, QStringLiteral("btFin"), 1);
    lire->Move(120, 8160, 2160, 540);
    lire->setFont(comic, 9.75, true);
    lire->setCaption(QStringLiteral("Lire"));
    auto* annuler = Ajoute<CommandButton>(caFic, QStringLiteral("btFin"), 0);
    annuler->Move(2400, 8160, 1320, 540);
    annuler->setFont(comic, 9.75);
    annuler->setCaption(QStringLiteral("Annuler"));
    btFin.set(0, annuler);
    btFin.set(1, lire);

    btFin(0)->Click = [this] { btFin_Click(0); };
    btFin(1)->Click = [this] { btFin_Click(1); };
    coFic(0)->Click = [this] { coFic_Click(0); };
    coFic(1)->Click = [this] { coFic_Click(1); };
    lsFic->Click = [this] { lsFic_Click(); };
    txNFic->Change = [this] { txNFic_Change(); };
    lsRép->Change = [this] { lsRép_Change(); };
    lsUni->Change = [this] { lsUni_Change(); };
    btFixeR->Click = [this] { btFixeR_Click(); };
}

void Ostrane1::OuvreFic(const QString& Titre) {
    caFic->setCaption(QLatin1Char(' ') + Titre + QLatin1Char(' '));
    btFin(1)->setEnabled(false);
    btFin(1)->setCaption(Titre.startsWith(QLatin1Char('L')) ? QStringLiteral("Lire") : kEcrire);
    MontreCadre(caFic);
    ExtFic = QLatin1Char('.') + QLatin1String(Titre.contains(QLatin1String("motif")) ? "lif" : "vie");

    // A file named after the extension alone is hidden here, yet the panel
    // writes one when the name box is emptied: it must be there to read back.
    lsFic->setAlsoListed(ExtFic);
    lsFic->setPattern(QLatin1Char('*') + ExtFic);
    coFic(1)->setCaption(QLatin1Char('*') + ExtFic);
    coFic(1)->setValue(true);

    // A default folder that is not set, not a full path here, or gone: the
    // home folder, where the user's files are.
    QString dossier = RépDéfaut;
    if (dossier.isEmpty() || !QDir::isAbsolutePath(QDir::fromNativeSeparators(dossier)) || !QFileInfo(dossier).isDir())
        dossier = QDir::homePath();
    lsUni->setDrive(dossier);
    lsRép->setPath(dossier);
    // Neither list may have changed (same folder as last time): they agree all
    // the same, and show what was written since.
    lsRép->Refresh();
    lsFic->setPath(lsRép->Path());
    lsFic->Refresh();
}

QString Ostrane1::AttendFic() {
    // A wait cut short by the window's unload (closing, or a re-layout that
    // builds it anew) is a cancel: its controls are gone.
    const bool fini = WaitUntil(*this, [this] { return FinFic; });
    FinFic = false;
    return fini ? CheminFic : QString();
}

void Ostrane1::btFin_Click(int Index) {
    QString chemin;
    if (Index == 1) {
        // Joined as they are: the root's own "/" gives two in a row, which names the same file.
        chemin = lsFic->Path() + QLatin1Char('/') + txNFic->Text();
        if (btFin(1)->Caption() == kEcrire && chemin.right(4).toLower() != ExtFic.toLower()) chemin += ExtFic;
    }
    CheminFic = chemin;
    MontreCadre(caJeu);
    FinFic = true;
}

void Ostrane1::lsFic_Click() {
    txNFic->setText(lsFic->FileName());
    btFin(1)->setEnabled(true);
}

// Enables only; once enabled the button stays so until the next opening.
void Ostrane1::txNFic_Change() {
    if (btFin(1)->Caption() == kEcrire && txNFic->Text() != lif::kReservedName) btFin(1)->setEnabled(true);
}

void Ostrane1::lsRép_Change() {
    lsFic->setPath(lsRép->Path());
}

// Choosing a drive opens its root. A drive that cannot be opened leaves the
// folder as it was, and the panel usable.
void Ostrane1::lsUni_Change() {
    lsRép->setPath(lsUni->Drive());
}

void Ostrane1::coFic_Click(int Index) {
    lsFic->setPattern(Index == 0 ? QStringLiteral("*.*") : QLatin1Char('*') + ExtFic);
}

// In memory only: the next save of the help file keeps it, and the panel
// opens there from the next start on.
void Ostrane1::btFixeR_Click() {
    const QString dossier = lsFic->Path();
    // The folder is one line of the settings block: a line break in its name would
    // split the block, and the next start-up would read other settings, or none.
    if (!settings::FitsOnOneLine(dossier)) {
        MsgBox(QStringLiteral("Ce répertoire ne peut pas devenir le répertoire par défaut : son nom contient un saut "
                              "de ligne ou un caractère de commande, que le fichier d'aide ne peut pas garder.\rLe "
                              "répertoire par défaut n'a pas changé."),
               48);
        return;
    }
    EcriCfg(QStringLiteral("RépFic"), dossier);
}
