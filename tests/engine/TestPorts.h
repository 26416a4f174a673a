// Ports with realistic constants for the engine tests.
#pragma once

#include "engine/PortRecord.h"

namespace ondrel::testing {

// Stored columns of a port: Sa, Q1, O1, K1, N2, M2, S2, MN4, M4, MS4 (mm and degrees).
struct StoredConstants {
    double meanLevel;
    double amp[10];
    double phase[10];
};

inline PortRecord MakePort(const char* name, const StoredConstants& c, double timeZone = 0) {
    PortRecord p;
    p.name = name;
    p.latitude = "48 23 N";
    p.longitude = "004 30 W";
    p.timeZone = timeZone;
    p.meanLevel = c.meanLevel;
    const int order[10] = {kSa, kQ1, kO1, kK1, kN2, kM2, kS2, kMN4, kM4, kMS4};
    for (int i = 0; i < 10; ++i) {
        p.amplitude[order[i]] = c.amp[i];
        p.phase[order[i]] = c.phase[i];
    }
    DeriveConstituents(p);
    return p;
}

// A large semidiurnal tide (Brittany-like).
inline PortRecord Semidiurnal() {
    return MakePort("SEMIDIURNE", {420,
                                   {60, 20, 70, 80, 420, 2050, 750, 10, 50, 30},
                                   {250, 310, 330, 75, 80, 100, 140, 50, 100, 150}});
}

// A diurnal tide (Gulf of Mexico-like): one high and one low water a day.
inline PortRecord Diurnal() {
    return MakePort(
        "DIURNE",
        {50, {30, 30, 160, 170, 5, 20, 10, 0, 0, 0}, {200, 300, 320, 340, 10, 20, 40, 0, 0, 0}});
}

// A shallow-water port whose quarter-diurnal constituents give more than four extremes a day.
inline PortRecord ShallowWater() {
    return MakePort(
        "EAUX PEU PROFONDES",
        {300, {0, 0, 0, 0, 100, 1000, 300, 200, 700, 300}, {0, 0, 0, 0, 80, 100, 140, 10, 30, 60}});
}

// A secondary port of p (the corrections the window and tide-table tests use).
inline PortRecord SecondaryOf(PortRecord p) {
    const double c[8] = {0.5, 0.25, -0.5, -0.75, 0.3, 0.1, -0.2, 0.15};
    for (int i = 0; i < 8; ++i)
        p.corrections[i + 1] = c[i];
    p.name = "PORT SECONDAIRE";
    p.timeZone = -3.5;
    return p;
}

} // namespace ondrel::testing
