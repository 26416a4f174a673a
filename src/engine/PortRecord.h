// The description of one port that every engine operation receives by value.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ondrel {

inline constexpr int kConstituentCount = 21;

// Constituent numbers (1-based, the order of the harmonic sum).
enum Constituent : int {
    kSa = 1,
    kK1,
    kO1,
    kQ1,
    kP1,
    kO1Satellite,
    kK1Satellite,
    kM2,
    kN2,
    kS2,
    k2N2,
    kMu2,
    kNu2,
    kL2,
    kK2,
    kT2,
    kM2Satellite,
    kK2Satellite,
    kMN4,
    kM4,
    kMS4
};

struct PortRecord {
    std::string name;      // UTF-8
    std::string latitude;  // "48 23 N"
    std::string longitude; // "004 30 W"
    double timeZone = 0;   // hours east of UT of the port's standard time
    double meanLevel = 0;  // cm above chart datum
    // Indexed 1..21 (and 1..8 for the corrections) as in the documentation; slot 0 is unused.
    std::array<double, kConstituentCount + 1> amplitude{}; // mm
    std::array<double, kConstituentCount + 1> phase{};     // degrees, referred to timeZone
    // 1 HW time springs, 2 HW time neaps, 3 LW time springs, 4 LW time neaps (hours),
    // 5 HW height springs, 6 HW height neaps, 7 LW height springs, 8 LW height neaps.
    std::array<double, 9> corrections{};
    std::int32_t reserved = 0;
    std::int32_t zoneNumber = 0;
};

// Fills the eleven constituents that the table does not store from their main constituents
// (P1, L2, the nodal satellites, 2N2, mu2, nu2, K2, T2).
void DeriveConstituents(PortRecord& port);

} // namespace ondrel
