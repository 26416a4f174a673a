// Loading a row of the port table into a PortRecord.
#include "ports/PortLoader.h"
#include "ports/PortColumns.h"
#include "ports/PortTable.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace ondrel;

namespace {

struct Row {
    QString name;
    QString zoneText; // column 25, stored as text here so that any text can be tried
    QString zone;     // column 27, text too
    double corrections[8];
};

// A table like the real one, except that columns 25 and 27 hold text.
QString MakeTable(const QTemporaryDir& dir, const std::vector<Row>& rows) {
    auto columns = StandardPortColumns();
    columns[ColumnNumber(PortColumn::FUSEAU)] =
        ColumnSpec{QStringLiteral("FUSEAU"), ColumnSpec::Text, 8, 0};
    columns[ColumnNumber(PortColumn::ZONE)] =
        ColumnSpec{QStringLiteral("ZONE"), ColumnSpec::Text, 8, 0};
    const QString path = dir.filePath(QStringLiteral("ports.dbf"));
    PortTable::create(path, columns);
    PortTable::writeStandardTags(path);
    PortTable table;
    table.open(path);
    int n = 0;
    for (const Row& r : rows) {
        table.insert();
        table.setInteger(PortColumn::NUM, ++n);
        table.setText(PortColumn::NOM, r.name);
        table.setInteger(PortColumn::Z0, 410 + n);
        // Stored amplitudes Sa Q1 O1 K1 N2 M2 S2 MN4 M4 MS4, then phases, distinct per column.
        for (int i = 0; i < 10; ++i) {
            table.setInteger(PortColumn::A_SA + i, ColumnNumber(PortColumn::A_SA + i) * 10 + n);
            table.setInteger(PortColumn::G_SA + i, ColumnNumber(PortColumn::G_SA + i) + n);
        }
        table.setText(PortColumn::LATITUDE, QStringLiteral("48 23 N"));
        table.setText(PortColumn::LONGITUDE, QStringLiteral("004 30 W"));
        table.setText(PortColumn::FUSEAU, r.zoneText);
        table.setText(PortColumn::ZONE, r.zone);
        for (int i = 0; i < 8; ++i)
            table.setReal(PortColumn::HPMVE + i, r.corrections[i]);
        table.post();
    }
    return path;
}

TEST(Chargement, CopiesEveryColumnToItsField) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir, {{QStringLiteral("BREST"),
                                          QStringLiteral(" 1"),
                                          QStringLiteral("1001"),
                                          {91.5, 91.6, 0.7, 0.8, 0.1, 0.2, 0.3, 0.4}}});
    PortTable table;
    table.open(path);
    PortRecord port;
    QStringList messages;
    Chargement(table, port, [&](const QString& m) { messages << m; });
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(port.name, "BREST");
    EXPECT_EQ(port.meanLevel, 411);
    EXPECT_EQ(port.latitude, "48 23 N");
    EXPECT_EQ(port.longitude, "004 30 W");
    EXPECT_EQ(port.timeZone, 1); // the leading blank is removed
    EXPECT_EQ(port.zoneNumber, 1001);
    // Column -> constituent: 3 Sa, 4 Q1, 5 O1, 6 K1, 7 N2, 8 M2, 9 S2, 10 MN4, 11 M4, 12 MS4.
    const int constituentOfColumn[10] = {kSa, kQ1, kO1, kK1, kN2, kM2, kS2, kMN4, kM4, kMS4};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(port.amplitude[constituentOfColumn[i]],
                  ColumnNumber(PortColumn::A_SA + i) * 10 + 1)
            << i;
        EXPECT_EQ(port.phase[constituentOfColumn[i]], ColumnNumber(PortColumn::G_SA + i) + 1) << i;
    }
    EXPECT_NEAR(port.amplitude[kP1], -port.amplitude[kK1] / 3, 1e-12);
    EXPECT_NEAR(port.amplitude[kL2], -port.amplitude[kM2] / 35, 1e-12);
    EXPECT_EQ(port.phase[kT2], port.phase[kS2]);
    // Columns 29-32 are heights (corrections 5-8), 33-36 times (corrections 1-4).
    const double expected[9] = {0, 0.1, 0.2, 0.3, 0.4, 91.5, 91.6, 0.7, 0.8};
    for (int i = 1; i <= 8; ++i)
        EXPECT_NEAR(port.corrections[i], expected[i], 1e-9) << i;
}

TEST(Chargement, UnreadableZoneTextsKeepThePreviousPortsValues) {
    QTemporaryDir dir;
    const QString path = MakeTable(
        dir,
        {{QStringLiteral("A"), QStringLiteral("-3.5"), QStringLiteral("2005"), {}},
         {QStringLiteral("B"), QStringLiteral("1,5"), QStringLiteral("x7"), {}}, // wrong separator
         {QStringLiteral("C"), QStringLiteral("abc"), QStringLiteral(""), {}}});
    PortTable table;
    table.open(path);
    PortRecord port;
    QStringList messages;
    const auto collect = [&](const QString& m) { messages << m; };
    table.first();
    Chargement(table, port, collect);
    EXPECT_EQ(port.timeZone, -3.5);
    EXPECT_EQ(port.zoneNumber, 2005);
    table.next();
    Chargement(table, port, collect);
    EXPECT_EQ(port.name, "B");
    EXPECT_EQ(port.timeZone, -3.5);   // kept, with the message
    EXPECT_EQ(port.zoneNumber, 2005); // kept, silently
    table.next();
    Chargement(table, port, collect);
    EXPECT_EQ(port.timeZone, -3.5);
    EXPECT_EQ(messages, (QStringList{QStringLiteral("Problème conversion fuseau"),
                                     QStringLiteral("Problème conversion fuseau")}));
}

TEST(CountryOfZone, LastThreeDigits) {
    const std::pair<qint64, int> cases[] = {{5012, 12}, {101, 101},   {7, 7},
                                            {100, 100}, {10114, 114}, {5000, 0}};
    for (const auto& [code, country] : cases)
        EXPECT_EQ(CountryOfZone(code), country) << code;
}

} // namespace
