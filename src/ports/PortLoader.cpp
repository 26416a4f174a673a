#include "PortLoader.h"

#include "PortTable.h"

#include <QLocale>

namespace ondrel {

namespace {

// Reads an integer column as a real; a value that cannot be read counts 0.
double IntegerColumn(const PortTable& table, int column) {
    try {
        return static_cast<double>(table.integer(column));
    } catch (const TableError&) {
        return 0;
    }
}

double RealColumn(const PortTable& table, int column) {
    try {
        return table.real(column);
    } catch (const TableError&) {
        return 0;
    }
}

} // namespace

void Chargement(const PortTable& table, PortRecord& port, const LoaderMessage& message) {
    port.name = table.text(1).toStdString();
    port.meanLevel = IntegerColumn(table, 2);
    port.latitude = table.text(23).toStdString();
    port.longitude = table.text(24).toStdString();

    // The time zone is read as text and converted with the system's decimal separator.
    QString zoneText = table.text(25);
    while (!zoneText.isEmpty() && zoneText.front() == u' ') zoneText.remove(0, 1);
    try {
        port.zoneNumber = static_cast<std::int32_t>(table.integer(27));
    } catch (const TableError&) {
        // An unreadable ZONE keeps the previous value, silently.
    }
    bool ok = false;
    const double timeZone = QLocale::system().toDouble(zoneText, &ok);
    if (ok)
        port.timeZone = timeZone;
    else if (message)
        message(QStringLiteral("Problème conversion fuseau"));

    auto& a = port.amplitude;
    auto& g = port.phase;
    a[kSa] = IntegerColumn(table, 3);
    a[kK1] = IntegerColumn(table, 6);
    a[kO1] = IntegerColumn(table, 5);
    a[kQ1] = IntegerColumn(table, 4);
    a[kM2] = IntegerColumn(table, 8);
    a[kN2] = IntegerColumn(table, 7);
    a[kS2] = IntegerColumn(table, 9);
    a[kMN4] = IntegerColumn(table, 10);
    a[kM4] = IntegerColumn(table, 11);
    a[kMS4] = IntegerColumn(table, 12);
    g[kSa] = IntegerColumn(table, 13);
    g[kK1] = IntegerColumn(table, 16);
    g[kO1] = IntegerColumn(table, 15);
    g[kQ1] = IntegerColumn(table, 14);
    g[kM2] = IntegerColumn(table, 18);
    g[kN2] = IntegerColumn(table, 17);
    g[kS2] = IntegerColumn(table, 19);
    g[kMN4] = IntegerColumn(table, 20);
    g[kM4] = IntegerColumn(table, 21);
    g[kMS4] = IntegerColumn(table, 22);
    DeriveConstituents(port);

    auto& c = port.corrections;
    c[5] = RealColumn(table, 29);
    c[6] = RealColumn(table, 30);
    c[7] = RealColumn(table, 31);
    c[8] = RealColumn(table, 32);
    c[1] = RealColumn(table, 33);
    c[2] = RealColumn(table, 34);
    c[3] = RealColumn(table, 35);
    c[4] = RealColumn(table, 36);
}

int CountryOfZone(qint64 zoneCode) {
    if (zoneCode <= 100) return static_cast<int>(zoneCode);
    return static_cast<int>(zoneCode % 1000);
}

} // namespace ondrel
