// The 37 columns of ports.dbf, in file order, as the table generator creates them. The program
// addresses them by position (see docs/PORT_TABLE.md for their meaning).
#pragma once

#include "PortTable.h"

#include <vector>

namespace ondrel {

inline std::vector<ColumnSpec> StandardPortColumns() {
    static const char* const constituents[] = {"SA", "Q1", "O1", "K1", "N2",
                                               "M2", "S2", "MN4", "M4", "MS4"};
    std::vector<ColumnSpec> columns;
    columns.reserve(37);
    auto add = [&columns](const QString& name, ColumnSpec::Type type, int width, int decimals) {
        columns.push_back(ColumnSpec{name, type, width, decimals});
    };
    add(QStringLiteral("NUM"), ColumnSpec::Integer, 6, 0);   // 0 running number
    add(QStringLiteral("NOM"), ColumnSpec::Text, 50, 0);     // 1 port name
    add(QStringLiteral("Z0"), ColumnSpec::Integer, 6, 0);    // 2 mean level, cm
    for (const char* c : constituents)                        // 3-12 amplitudes, mm
        add(QStringLiteral("A_") + QLatin1String(c), ColumnSpec::Integer, 6, 0);
    for (const char* c : constituents)                        // 13-22 phases, degrees
        add(QStringLiteral("G_") + QLatin1String(c), ColumnSpec::Integer, 6, 0);
    add(QStringLiteral("LATITUDE"), ColumnSpec::Text, 7, 0);  // 23 "45 30 N"
    add(QStringLiteral("LONGITUDE"), ColumnSpec::Text, 8, 0); // 24 "004 30 E"
    add(QStringLiteral("FUSEAU"), ColumnSpec::Real, 6, 2);    // 25 time zone, hours
    add(QStringLiteral("RESERVE"), ColumnSpec::Integer, 6, 0); // 26 not interpreted
    add(QStringLiteral("ZONE"), ColumnSpec::Integer, 6, 0);   // 27 zone or zone*1000+country
    add(QStringLiteral("PORT_REF"), ColumnSpec::Text, 50, 0); // 28 standard port of a secondary
    for (const char* name : {"HPMVE", "HPMME", "HBMVE", "HBMME",  // 29-32 height corrections
                             "TPMVE", "TPMME", "TBMVE", "TBMME"}) // 33-36 time corrections
        add(QLatin1String(name), ColumnSpec::Real, 9, 4);
    return columns;
}

} // namespace ondrel
