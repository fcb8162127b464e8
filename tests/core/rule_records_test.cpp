// The rule records inside the help text: round trips first, then damaged lists.
#include "record_edits.h"
#include "rule_records.h"

#include <gtest/gtest.h>

using rules::Record;

namespace {

const QString M = rules::kMarker;
const QString C = QString(QChar(rules::kRegionEnd));

QString Doc(const QString& records) {
    return QStringLiteral("Aide\r\nLa liste :\r\n") + records + QStringLiteral("~") + C +
           QStringLiteral(" suite de l'aide\r\nFin du texte");
}

QString Text(const QList<Record>& rows) {
    return Doc(rules::BuildRecords(rows));
}

// The text as a save of these rows leaves it.
QString Saved(const QString& text, const QList<Record>& rows) {
    const rules::Region g = rules::FindRegion(text);
    EXPECT_EQ(g.error, rules::RegionError::None);
    return reference::ReplaceRegion(text, g, rules::BuildRecords(rows));
}

}  // namespace

// ---- Round trips

TEST(RuleRecords, ARecordLineFillsARow) {
    const rules::ReadResult r = rules::ReadRecords(QStringLiteral("x\r\n") + M + QStringLiteral("Exemple|23|3\r\n"));
    EXPECT_EQ(r.error, rules::ReadError::None);
    ASSERT_EQ(r.records.size(), 1);
    EXPECT_EQ(r.records[0], (Record{QStringLiteral("Exemple"), QStringLiteral("23"), QStringLiteral("3")}));
}

TEST(RuleRecords, RowsComeBackAsWrittenFieldByField) {
    const QList<Record> cas = {
        {QStringLiteral("  Deux avant, un après "), QStringLiteral("23"), QStringLiteral("3")},
        {QStringLiteral("Vide"), QString(), QString()},
        {QStringLiteral("Désordre"), QStringLiteral("8312"), QStringLiteral("33")},
        {QStringLiteral("~®~ dans le nom"), QStringLiteral("0"), QStringLiteral("8")},
        {QStringLiteral("Accents éèà ∞ 中"), QStringLiteral("012345678"), QStringLiteral("012345678")},
    };
    const rules::ReadResult r = rules::ReadRecords(Text(cas));
    EXPECT_EQ(r.error, rules::ReadError::None);
    EXPECT_EQ(r.records, cas);
}

TEST(RuleRecords, ElevenRowsFillTheList) {
    QList<Record> onze;
    for (int i = 0; i < rules::kRows; ++i) onze.append({QStringLiteral("R%1").arg(i), QString::number(i % 9), "3"});
    const rules::ReadResult r = rules::ReadRecords(Text(onze));
    EXPECT_EQ(r.error, rules::ReadError::None);
    EXPECT_EQ(r.records, onze);
}

TEST(RuleRecords, BlankNamesAreNotWrittenAndGapsClose) {
    const QList<Record> rangées = {
        {QStringLiteral("Premier"), QStringLiteral("1"), QStringLiteral("2")},
        {QString(), QStringLiteral("5"), QStringLiteral("6")},
        {QStringLiteral("Troisième"), QStringLiteral("3"), QStringLiteral("4")},
        {QStringLiteral("   "), QStringLiteral("7"), QStringLiteral("8")},
    };
    EXPECT_EQ(rules::BuildRecords(rangées),
              M + QStringLiteral("Premier|1|2\r\n") + M + QStringLiteral("Troisième|3|4\r\n"));
    const rules::ReadResult r = rules::ReadRecords(Text(rangées));
    ASSERT_EQ(r.records.size(), 2);
    EXPECT_EQ(r.records[1].name, QStringLiteral("Troisième"));
    EXPECT_TRUE(rules::IsBlankName(QStringLiteral("   ")));
    EXPECT_FALSE(rules::IsBlankName(QStringLiteral(" \t ")));
}

TEST(RuleRecords, ASaveReplacesTheRecordLinesOnlyAndKeepsTheRegionsOtherLinesAfterThem) {
    const QString avant = QStringLiteral("Aide\r\nLa liste :\r\n");
    const QString après = C + QStringLiteral(" suite de l'aide\r\nFin du texte");
    const QString a = M + QStringLiteral("A|1|2\r\n"), b = M + QStringLiteral("B|3|4\r\n");
    const QList<Record> rangées = {{QStringLiteral("Nouveau"), QStringLiteral("23"), QStringLiteral("36")}};
    const QString nouveau = M + QStringLiteral("Nouveau|23|36\r\n");
    struct Cas {
        const char* quoi;
        QString région, attendue;
    };
    const Cas cas[] = {
        {"as shipped: the records, a tilde and the sign", a + b + QStringLiteral("~"), nouveau + QStringLiteral("~")},
        {"a note after the records", a + b + QStringLiteral("Ma note\r\n~"), nouveau + QStringLiteral("Ma note\r\n~")},
        {"a note between two records", a + QStringLiteral("Entre\r\n") + b + QStringLiteral("~"),
         nouveau + QStringLiteral("Entre\r\n~")},
        {"text typed before the sign", a + b + QStringLiteral("vieux ~"), nouveau + QStringLiteral("vieux ~")},
        {"the sign moved on past a heading", a + b + QStringLiteral("~ Bibliothèque\r\n** - 6 - **   Aide\r\nsuite "),
         nouveau + QStringLiteral("~ Bibliothèque\r\n** - 6 - **   Aide\r\nsuite ")},
    };
    for (const Cas& c : cas) {
        const QString enregistré = Saved(avant + c.région + après, rangées);
        EXPECT_EQ(enregistré, avant + c.attendue + après) << c.quoi;
        // Saved again, it stays the same.
        EXPECT_EQ(Saved(enregistré, rangées), enregistré) << c.quoi;
        EXPECT_EQ(rules::ReadRecords(enregistré).records, rangées) << c.quoi;
    }
}

TEST(RuleRecords, OnlyDigitsZeroToEightReachTheRuleBoxes) {
    EXPECT_EQ(rules::RuleDigits(QStringLiteral("2a39 8")), QStringLiteral("238"));
    EXPECT_EQ(rules::RuleDigits(QStringLiteral("9")), QString());
    for (char16_t c = 0; c < 128; ++c) EXPECT_EQ(rules::IsRuleDigit(c), c >= u'0' && c <= u'8') << int(c);
}

TEST(RuleRecords, NamesRefuseWhatWouldBreakARecord) {
    for (char16_t c : {u'|', char16_t(0xA9), u'\r', u'\n', u'\t', char16_t(0), char16_t(0x2028), char16_t(0x2029)})
        EXPECT_FALSE(rules::FitsInName(c)) << int(c);
    for (char16_t c : {u'a', u' ', u'~', char16_t(0xAE), u'9', char16_t(0xE9), char16_t(0x4E2D)})
        EXPECT_TRUE(rules::FitsInName(c)) << int(c);
}

// ---- Where records are read and written

TEST(RuleRecords, AMarkerOnTheFirstLineIsNotARecord) {
    const QString t = M + QStringLiteral("Tête|1|2\r\n") + M + QStringLiteral("Vraie|3|4\r\n~") + C;
    const rules::ReadResult r = rules::ReadRecords(t);
    ASSERT_EQ(r.records.size(), 1);
    EXPECT_EQ(r.records[0].name, QStringLiteral("Vraie"));
    // The save finds the region where the reading does: the first line is help text.
    const rules::Region g = rules::FindRegion(t);
    EXPECT_EQ(g.error, rules::RegionError::None);
    EXPECT_EQ(g.start, t.indexOf(QStringLiteral("\r\n")) + 2);
}

TEST(RuleRecords, AMarkerInsideALineIsHelpTextNotTheRegion) {
    const QString aide =
        QStringLiteral("Aide : tapez ") + M + QStringLiteral(" pour rien ") + C + QStringLiteral("\r\n");
    const QString texte = aide + M + QStringLiteral("A|1|2\r\n~") + C + QStringLiteral(" fin");
    EXPECT_EQ(rules::ReadRecords(texte).records.size(), 1);
    const QString enregistré = Saved(texte, {{QStringLiteral("B"), QStringLiteral("3"), QStringLiteral("4")}});
    EXPECT_TRUE(enregistré.startsWith(aide)) << "the help text before the records is untouched";
    EXPECT_EQ(enregistré, aide + M + QStringLiteral("B|3|4\r\n~") + C + QStringLiteral(" fin"));
}

TEST(RuleRecords, NoMarkerReadsAsAnEmptyListButHasNoRegion) {
    const QString t = QStringLiteral("Aide sans liste ") + C + QStringLiteral("\r\n");
    const rules::ReadResult r = rules::ReadRecords(t);
    EXPECT_EQ(r.error, rules::ReadError::None);
    EXPECT_TRUE(r.records.isEmpty());
    EXPECT_EQ(rules::FindRegion(t).error, rules::RegionError::NoMarker);
    EXPECT_EQ(rules::FindRegion(QString()).error, rules::RegionError::NoMarker);
}

TEST(RuleRecords, RegionsThatASaveWouldDamageAreRefused) {
    struct Cas {
        const char* quoi;
        QString texte;
        rules::RegionError attendu;
    };
    const QString r1 = QStringLiteral("\r\n") + M + QStringLiteral("A|1|2\r\n");
    const Cas cas[] = {
        {"no sign after the records", QStringLiteral("Aide") + r1 + QStringLiteral("fin"), rules::RegionError::NoEnd},
        {"the sign only before them", C + QStringLiteral("Aide") + r1, rules::RegionError::NoEnd},
        {"a record after the sign", QStringLiteral("Aide") + r1 + C + r1, rules::RegionError::RecordBeyondEnd},
        {"the sign inside a record",
         QStringLiteral("Aide\r\n") + M + QStringLiteral("Conway ") + C + QStringLiteral("|23|3\r\n~") + C,
         rules::RegionError::RecordBeyondEnd},
        {"a last record without line end",
         QStringLiteral("Aide") + r1 + QStringLiteral("~") + C + QStringLiteral("\r\n") + M + QStringLiteral("B|1|2"),
         rules::RegionError::RecordBeyondEnd},
    };
    for (const Cas& c : cas) EXPECT_EQ(rules::FindRegion(c.texte).error, c.attendu) << c.quoi;
}

// ---- Damaged lists

TEST(RuleRecordsDamaged, TooFewFieldsKeepsTheRecordsBefore) {
    const QString t = QStringLiteral("x\r\n") + M + QStringLiteral("Bon|2|3\r\n") + M + QStringLiteral("Court|23\r\n") +
                      M + QStringLiteral("Après|1|1\r\n");
    const rules::ReadResult r = rules::ReadRecords(t);
    EXPECT_EQ(r.error, rules::ReadError::TooFewFields);
    ASSERT_EQ(r.records.size(), 1);
    EXPECT_EQ(r.records[0].name, QStringLiteral("Bon"));
}

TEST(RuleRecordsDamaged, EveryShortRecordIsDamaged) {
    for (const QString& ligne : {QString(), QStringLiteral("Nom"), QStringLiteral("Nom|23"), QStringLiteral("|")}) {
        const rules::ReadResult r = rules::ReadRecords(QStringLiteral("x\r\n") + M + ligne + QStringLiteral("\r\n"));
        EXPECT_EQ(r.error, rules::ReadError::TooFewFields) << ligne.toStdString();
        EXPECT_TRUE(r.records.isEmpty());
    }
    // Two bars are enough, even with empty fields; extra fields are ignored.
    const rules::ReadResult r = rules::ReadRecords(QStringLiteral("x\r\n") + M + QStringLiteral("||\r\n") + M +
                                                   QStringLiteral("N|1|2|3|4\r\n"));
    EXPECT_EQ(r.error, rules::ReadError::None);
    EXPECT_EQ(r.records, (QList<Record>{{}, {QStringLiteral("N"), QStringLiteral("1"), QStringLiteral("2")}}));
}

TEST(RuleRecordsDamaged, ARecordWithoutLineEndIsDamaged) {
    for (const QString& fin :
         {QStringLiteral("A|1|2"), QStringLiteral("A|1|2\r"), QStringLiteral("A|1|2\n"), QString()}) {
        const rules::ReadResult r =
            rules::ReadRecords(QStringLiteral("x\r\n") + M + QStringLiteral("Bon|2|3\r\n") + M + fin);
        EXPECT_EQ(r.error, rules::ReadError::NoLineEnd) << fin.toStdString();
        EXPECT_EQ(r.records.size(), 1);
    }
}

TEST(RuleRecordsDamaged, ATwelfthRecordIsDamagedAfterElevenRows) {
    QString t = QStringLiteral("x");
    for (int i = 0; i < 12; ++i) t += QStringLiteral("\r\n") + M + QStringLiteral("R%1|2|3").arg(i);
    t += QStringLiteral("\r\n~") + C;
    const rules::ReadResult r = rules::ReadRecords(t);
    EXPECT_EQ(r.error, rules::ReadError::TooMany);
    ASSERT_EQ(r.records.size(), rules::kRows);
    EXPECT_EQ(r.records.last().name, QStringLiteral("R10"));
}

TEST(RuleRecordsDamaged, TruncatedTextsNeverReadPastTheirEnd) {
    const QString t = Text({{QStringLiteral("Jeu"), QStringLiteral("23"), QStringLiteral("3")},
                            {QStringLiteral("Autre"), QStringLiteral("1"), QStringLiteral("2")}});
    for (qsizetype n = 0; n <= t.size(); ++n) {
        const QString tronqué = t.left(n);
        const rules::ReadResult r = rules::ReadRecords(tronqué);
        EXPECT_LE(r.records.size(), 2);
        const rules::Region g = rules::FindRegion(tronqué);
        if (g.error == rules::RegionError::None) {
            EXPECT_LT(g.start, g.end);
            EXPECT_LE(g.end, tronqué.size());
        }
    }
}

TEST(RuleRecordsDamaged, OddCharactersAroundMarkersAreTakenAsText) {
    // A lone CR or LF is no line end; a marker with another sign is no marker.
    const QString t = QStringLiteral("x\r") + M + QStringLiteral("A|1|2\r\n\n") + M + QStringLiteral("B|1|2\r\n") +
                      QStringLiteral("\r\n~\u00A9~C|1|2\r\n\r\n~\u00AE D|1|2\r\n");
    const rules::ReadResult r = rules::ReadRecords(t);
    EXPECT_EQ(r.error, rules::ReadError::None);
    EXPECT_TRUE(r.records.isEmpty());
}
