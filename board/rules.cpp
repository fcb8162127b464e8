// The rule boxes, the random rule and the random-run log.
#include "Ostrane1.h"

#include "App.h"
#include "SafeFile.h"
#include "TextFile.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <chrono>

namespace {

QString LisRangée(const ControlArray<CheckBox>& boites) {
    QString s;
    for (int i = 0; i <= 8; ++i)
        if (boites(i)->Value() > 0) s += boites(i)->Caption();
    return s;
}

// The boxes' handlers rebuild the rule string after every change, so the
// string ends as the distinct digits in ascending order.
void EcriRangée(const ControlArray<CheckBox>& boites, const QString& s) {
    for (int i = 0; i <= 8; ++i) boites(i)->setValue(0);
    for (const QChar ch : s) {
        // Anything but a digit stands for 0; a 9 has no box and is dropped.
        const int n = (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) ? ch.unicode() - '0' : 0;
        if (n <= 8) boites(n)->setValue(1);
    }
}

}  // namespace

QString Ostrane1::LisCréa() {
    return LisRangée(ccCréa);
}
QString Ostrane1::LisSurvie() {
    return LisRangée(ccSurvie);
}
void Ostrane1::EcriCréa(const QString& s) {
    EcriRangée(ccCréa, s);
}
void Ostrane1::EcriSurvie(const QString& s) {
    EcriRangée(ccSurvie, s);
}

void Ostrane1::ccCréa_Click(int) {
    CréaCour = LisCréa();
}
void Ostrane1::ccSurvie_Click(int) {
    SurvieCour = LisSurvie();
}

void Ostrane1::ccAléa_Click() {
    m_aléa.seed(static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
    ccZéro->setEnabled(ccAléa->Value() > 0);
    ccEnregR->setEnabled(ccZéro->Enabled());
}

void Ostrane1::ccEnregR_Click() {
    if (ccEnregR->Value() <= 0) return;
    // A new run: a log that cannot be written is told again.
    m_journalTu = false;
    const QDateTime maintenant = QDateTime::currentDateTime();
    EcritAléa({QLocale::system().toString(maintenant.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
               maintenant.time().toString(QStringLiteral("hh:mm:ss"))});
}

void Ostrane1::EcritAléa(const QStringList& lignes) {
    QString raison;
    if (TextFile::AppendLines(FicAléa, lignes, &raison)) {
        m_journalTu = false;
        return;
    }
    // Told once, not at every step of an automatic run, which goes on.
    if (m_journalTu) return;
    m_journalTu = true;
    MsgBox(SafeFile::NotWrittenText(FicAléa, raison) +
               QStringLiteral("\rLa série continue ; tant que le journal ne pourra pas être écrit, cela ne sera plus "
                              "signalé."),
           48);
}

int Ostrane1::ChiffreAléa() {
    const double x = std::generate_canonical<double, 32>(m_aléa);
    // generate_canonical may round up to 1.0.
    return std::min(8, static_cast<int>(x * 9));
}

void Ostrane1::TireRègle() {
    QString survie;
    for (int k = ChiffreAléa(); k >= 0; --k) survie += QChar('0' + ChiffreAléa());
    EcriSurvie(survie);

    QString créa;
    for (int k = ChiffreAléa(); k >= 0; --k) créa += QChar('0' + ChiffreAléa());
    if (ccZéro->Value() > 0) créa.remove(QLatin1Char('0'));
    CréaCour = créa;
    EcriCréa(créa);
}
