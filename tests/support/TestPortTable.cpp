#include "TestPortTable.h"

#include "ports/PortColumns.h"
#include "ports/PortTable.h"

namespace ondrel::test {

void WriteTestPortTable(const QString& dbfPath, const std::vector<TestPortRow>& rows) {
    PortTable::create(dbfPath, StandardPortColumns());
    PortTable::writeStandardTags(dbfPath);
    PortTable table;
    table.open(dbfPath);
    PortTable::WriteLock lock(table); // one lock for every row
    int number = 0;
    for (const TestPortRow& r : rows) {
        table.insert();
        table.setInteger(PortColumn::NUM, ++number);
        table.setText(PortColumn::NOM, r.name);
        table.setInteger(PortColumn::Z0, r.meanLevel);
        for (int i = 0; i < 10; ++i) {
            table.setInteger(PortColumn::A_SA + i, r.amplitudes[static_cast<std::size_t>(i)]);
            table.setInteger(PortColumn::G_SA + i, r.phases[static_cast<std::size_t>(i)]);
        }
        table.setText(PortColumn::LATITUDE, r.latitude);
        table.setText(PortColumn::LONGITUDE, r.longitude);
        table.setReal(PortColumn::FUSEAU, r.timeZone);
        table.setInteger(PortColumn::RESERVE, 0);
        table.setInteger(PortColumn::ZONE, r.zone);
        table.setText(PortColumn::PORT_REF, r.standardPort);
        for (int i = 0; i < 8; ++i)
            table.setReal(PortColumn::HPMVE + i, r.corrections[static_cast<std::size_t>(i)]);
        table.post();
    }
    table.close();
}

} // namespace ondrel::test
