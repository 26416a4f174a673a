// The 37 columns of ports.dbf, in file order. The program addresses them by position through
// PortColumn (see docs/PORT_TABLE.md for their meaning); the table generator creates them with
// StandardPortColumns().
#pragma once

#include "ports/TableTypes.h"

#include <QString>

#include <array>
#include <vector>

namespace ondrel {

enum class PortColumn {
    NUM, // running number of the row
    NOM, // port name
    Z0,  // mean level, cm
    A_SA,
    A_Q1,
    A_O1,
    A_K1,
    A_N2,
    A_M2,
    A_S2,
    A_MN4,
    A_M4,
    A_MS4, // amplitudes, mm
    G_SA,
    G_Q1,
    G_O1,
    G_K1,
    G_N2,
    G_M2,
    G_S2,
    G_MN4,
    G_M4,
    G_MS4,     // phases, degrees
    LATITUDE,  // "45 30 N"
    LONGITUDE, // "004 30 E"
    FUSEAU,    // time zone, hours to add to UT
    RESERVE,   // not interpreted
    ZONE,      // zone or zone*1000+country
    PORT_REF,  // standard port of a secondary port
    HPMVE,
    HPMME,
    HBMVE,
    HBMME, // height corrections: high water springs, neaps; low water
    TPMVE,
    TPMME,
    TBMVE,
    TBMME, // time corrections, decimal hours, same order
};

inline constexpr int kPortColumnCount = 37;

constexpr int ColumnNumber(PortColumn column) {
    return static_cast<int>(column);
}

constexpr PortColumn operator+(PortColumn column, int offset) {
    return static_cast<PortColumn>(ColumnNumber(column) + offset);
}

// How the generator creates each column, in file order.
struct PortColumnSpec {
    const char* name;
    ColumnSpec::Type type;
    int width;
    int decimals;
};

// The columns from first to last, both included, in file order.
inline std::vector<PortColumn> PortColumnsFromTo(PortColumn first, PortColumn last) {
    std::vector<PortColumn> columns;
    for (int c = ColumnNumber(first); c <= ColumnNumber(last); ++c)
        columns.push_back(static_cast<PortColumn>(c));
    return columns;
}

inline constexpr std::array<PortColumnSpec, kPortColumnCount> kPortColumnSpecs = {{
    {"NUM", ColumnSpec::Integer, 6, 0},     {"NOM", ColumnSpec::Text, 50, 0},
    {"Z0", ColumnSpec::Integer, 6, 0},      {"A_SA", ColumnSpec::Integer, 6, 0},
    {"A_Q1", ColumnSpec::Integer, 6, 0},    {"A_O1", ColumnSpec::Integer, 6, 0},
    {"A_K1", ColumnSpec::Integer, 6, 0},    {"A_N2", ColumnSpec::Integer, 6, 0},
    {"A_M2", ColumnSpec::Integer, 6, 0},    {"A_S2", ColumnSpec::Integer, 6, 0},
    {"A_MN4", ColumnSpec::Integer, 6, 0},   {"A_M4", ColumnSpec::Integer, 6, 0},
    {"A_MS4", ColumnSpec::Integer, 6, 0},   {"G_SA", ColumnSpec::Integer, 6, 0},
    {"G_Q1", ColumnSpec::Integer, 6, 0},    {"G_O1", ColumnSpec::Integer, 6, 0},
    {"G_K1", ColumnSpec::Integer, 6, 0},    {"G_N2", ColumnSpec::Integer, 6, 0},
    {"G_M2", ColumnSpec::Integer, 6, 0},    {"G_S2", ColumnSpec::Integer, 6, 0},
    {"G_MN4", ColumnSpec::Integer, 6, 0},   {"G_M4", ColumnSpec::Integer, 6, 0},
    {"G_MS4", ColumnSpec::Integer, 6, 0},   {"LATITUDE", ColumnSpec::Text, 7, 0},
    {"LONGITUDE", ColumnSpec::Text, 8, 0},  {"FUSEAU", ColumnSpec::Real, 6, 2},
    {"RESERVE", ColumnSpec::Integer, 6, 0}, {"ZONE", ColumnSpec::Integer, 6, 0},
    {"PORT_REF", ColumnSpec::Text, 50, 0},  {"HPMVE", ColumnSpec::Real, 9, 4},
    {"HPMME", ColumnSpec::Real, 9, 4},      {"HBMVE", ColumnSpec::Real, 9, 4},
    {"HBMME", ColumnSpec::Real, 9, 4},      {"TPMVE", ColumnSpec::Real, 9, 4},
    {"TPMME", ColumnSpec::Real, 9, 4},      {"TBMVE", ColumnSpec::Real, 9, 4},
    {"TBMME", ColumnSpec::Real, 9, 4},
}};

constexpr const PortColumnSpec& SpecOf(PortColumn column) {
    return kPortColumnSpecs[static_cast<std::size_t>(ColumnNumber(column))];
}
static_assert(ColumnNumber(PortColumn::TBMME) + 1 == kPortColumnCount);

inline QLatin1String PortColumnName(PortColumn column) {
    return QLatin1String(SpecOf(column).name);
}

inline std::vector<ColumnSpec> StandardPortColumns() {
    std::vector<ColumnSpec> columns;
    columns.reserve(kPortColumnSpecs.size());
    for (const PortColumnSpec& c : kPortColumnSpecs)
        columns.push_back(ColumnSpec{QLatin1String(c.name), c.type, c.width, c.decimals});
    return columns;
}

} // namespace ondrel
