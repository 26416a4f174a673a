#include "engine/Constituents.h"

#include <cctype>
#include <cmath>
#include <numbers>

namespace ondrel {

namespace {

constexpr long double kJ2000 = 2451545.0L;
constexpr long double kDaysPerCentury = 36525.0L;
constexpr double kRad = std::numbers::pi / 180;

// Mean longitudes as polynomials in Julian centuries from J2000 (Meeus, Astronomical Algorithms,
// chapters 22, 25 and 47; the solar perigee is the earth's perihelion plus 180 degrees).
constexpr long double kMoon[] = {218.3164477L, 481267.88123421L, -0.0015786L, 1 / 538841.0L,
                                 -1 / 65194000.0L};
constexpr long double kSun[] = {280.46646L, 36000.76983L, 0.0003032L, 0, 0};
constexpr long double kPerigee[] = {83.3532465L, 4069.0137287L, -0.0103200L, -1 / 80053.0L,
                                    1 / 18999000.0L};
constexpr long double kNode[] = {125.04452L, -1934.136261L, 0.0020708L, 1 / 450000.0L, 0};
constexpr long double kSolarPerigee[] = {282.93735L, 1.71946L, 0.00046L, 0, 0};

long double Polynomial(const long double (&c)[5], long double t) {
    return c[0] + t * (c[1] + t * (c[2] + t * (c[3] + t * c[4])));
}

// Rates in degrees per hour (at J2000; their change over centuries is far below what matters
// for a speed).
constexpr long double kHoursPerCentury = kDaysPerCentury * 24;
constexpr long double kRateS = kMoon[1] / kHoursPerCentury;
constexpr long double kRateH = kSun[1] / kHoursPerCentury;
constexpr long double kRateP = kPerigee[1] / kHoursPerCentury;
constexpr long double kRateN = kNode[1] / kHoursPerCentury;
constexpr long double kRateP1 = kSolarPerigee[1] / kHoursPerCentury;

using Nodal = std::vector<std::pair<Fundamental, double>>;

struct Basic {
    const char* name;
    std::array<double, 6> doodson;
    double phase;
    Nodal nodal;
};

const Nodal kNone{};
const Nodal kM2{{Fundamental::M2, 1}};

// The astronomical constituents (and those whose name does not tell their members), from the IHO
// list of constituents with Schureman's phases; a few names as the database's own predictor reads
// them (3L2, T3, S3, and the compound ones below M(KS)2).
const std::vector<Basic>& Basics() {
    using F = Fundamental;
    static const std::vector<Basic> table{
        // Long period.
        {"Z0", {0, 0, 0, 0, 0, 0}, 0, kNone},
        {"SA", {0, 0, 1, 0, 0, 0}, 0, kNone},
        {"SSA", {0, 0, 2, 0, 0, 0}, 0, kNone},
        {"MM", {0, 1, 0, -1, 0, 0}, 0, {{F::Mm, 1}}},
        {"MSF", {0, 2, -2, 0, 0, 0}, 0, {{F::M2, -1}}},
        {"MF", {0, 2, 0, 0, 0, 0}, 0, {{F::Mf, 1}}},
        {"MTM", {0, 3, 0, -1, 0, 0}, 0, {{F::Mm, 1}}},
        {"MSQM", {0, 4, -2, 0, 0, 0}, 0, {{F::M2, -1}}},
        // Diurnal.
        {"ALP1", {1, -4, 2, 1, 0, 0}, 90, {{F::O1, 1}}},
        {"2Q1", {1, -3, 0, 2, 0, 0}, 90, {{F::O1, 1}}},
        {"SIGMA1", {1, -3, 2, 0, 0, 0}, 90, {{F::O1, 1}}},
        {"Q1", {1, -2, 0, 1, 0, 0}, 90, {{F::O1, 1}}},
        {"RHO1", {1, -2, 2, -1, 0, 0}, 90, {{F::O1, 1}}},
        {"O1", {1, -1, 0, 0, 0, 0}, 90, {{F::O1, 1}}},
        {"MP1", {1, -1, 2, 0, 0, 0}, 0, kM2},
        {"TAU1", {1, -1, 2, 0, 0, 0}, -90, {{F::K1, 1}}},
        {"BET1", {1, 0, -2, 1, 0, 0}, -90, {{F::O1, 1}}},
        {"M1", {1, 0, 0, 1, 0, 0}, -90, {{F::M1, 1}}},
        {"CHI1", {1, 0, 2, -1, 0, 0}, -90, {{F::J1, 1}}},
        {"PI1", {1, 1, -3, 0, 0, 1}, 90, kNone},
        {"P1", {1, 1, -2, 0, 0, 0}, 90, kNone},
        {"S1", {1, 1, -1, 0, 0, 0}, 0, kNone},
        {"K1", {1, 1, 0, 0, 0, 0}, -90, {{F::K1, 1}}},
        {"PSI1", {1, 1, 1, 0, 0, -1}, -90, kNone},
        {"PHI1", {1, 1, 2, 0, 0, 0}, -90, {{F::J1, 1}}},
        {"THETA1", {1, 2, -2, 1, 0, 0}, -90, {{F::J1, 1}}},
        {"J1", {1, 2, 0, -1, 0, 0}, -90, {{F::J1, 1}}},
        {"OO1", {1, 3, 0, 0, 0, 0}, -90, {{F::K2, 1}, {F::O1, -1}}},
        {"UPS1", {1, 4, 0, -1, 0, 0}, -90, {{F::K2, 1}, {F::O1, -1}}},
        // Semidiurnal.
        {"EPS2", {2, -3, 2, 1, 0, 0}, 0, kM2},
        {"2N2", {2, -2, 0, 2, 0, 0}, 0, kM2},
        {"MU2", {2, -2, 2, 0, 0, 0}, 0, kM2},
        {"N2", {2, -1, 0, 1, 0, 0}, 0, kM2},
        {"NU2", {2, -1, 2, -1, 0, 0}, 0, kM2},
        {"GAMMA2", {2, 0, -2, 2, 0, 0}, 180, {{F::Gamma2, 1}}},
        {"ALPHA2", {2, 0, -1, 0, 0, 1}, 180, {{F::Alpha2, 1}}},
        {"MA2", {2, 0, -1, 0, 0, 0}, 0, kNone},
        {"M2", {2, 0, 0, 0, 0, 0}, 0, kM2},
        {"MB2", {2, 0, 1, 0, 0, 0}, 0, kNone},
        {"DELTA2", {2, 0, 2, 0, 0, 0}, 0, {{F::Delta2, 1}}},
        {"LAMBDA2", {2, 1, -2, 1, 0, 0}, 180, kM2},
        {"L2", {2, 1, 0, -1, 0, 0}, 180, {{F::L2, 1}}},
        {"3L2", {2, 1, 0, 0, 0, 0}, 0, {{F::L2, 1}}},
        {"T2", {2, 2, -3, 0, 0, 1}, 0, kNone},
        {"S2", {2, 2, -2, 0, 0, 0}, 0, kNone},
        {"R2", {2, 2, -1, 0, 0, -1}, 180, kNone},
        {"K2", {2, 2, 0, 0, 0, 0}, 0, {{F::K2, 1}}},
        {"XI2", {2, 3, -2, 1, 0, 0}, 0, {{F::Xi2, 1}}},
        {"ETA2", {2, 3, 0, -1, 0, 0}, 0, {{F::Xi2, 1}}},
        // Compound constituents whose listed Doodson numbers are not the sum their name gives.
        {"M(KS)2", {2, 0, 1, 0, 0, -1}, 0, {{F::M2, 1}, {F::K2, 1}}},
        {"MKL2S2", {2, -1, 4, -1, 0, 0}, 0, {{F::M2, 1}, {F::K2, 1}, {F::L2, 1}}},
        {"MLN2S2", {2, -4, 4, 0, 0, 0}, 0, kNone},
        {"ML4", {4, 1, 0, -1, 0, 0}, 0, {{F::M2, 1}, {F::L2, 1}}},
        {"MSK5", {5, 3, -2, 0, 0, 0}, 0, {{F::M2, 1}, {F::K1, 1}}},
        {"3ML8", {8, 1, 0, -1, 0, 0}, 0, {{F::M2, 3}, {F::L2, 1}}},
        {"4MSL12", {12, 3, -2, -1, 0, 0}, 0, {{F::M2, 6}, {F::M2, -1}}},
        // Third-diurnal.
        {"M3", {3, 0, 0, 0, 0, 0}, 180, {{F::M2, 1.5}}},
        {"T3", {3, 3, -4, 0, 0, 0}, 0, kNone},
        {"S3", {3, 3, -3, 0, 0, 0}, 180, kNone},
    };
    return table;
}

// Other names for the same constituent, as the harmonic data write them.
struct Alias {
    const char* name;
    const char* canonical;
};
constexpr Alias kAliases[] = {
    {"SGM", "SIGMA1"},      {"RHO", "RHO1"},        {"LAM2", "LAMBDA2"}, {"EP2", "EPS2"},
    {"MFM", "MTM"},         {"3N2", "MKS2"},        {"R3", "SK3"},       {"M2KS2", "M2(KS)2"},
    {"2SNMK2", "2SN(MK)2"}, {"2KMSN2", "2KM(SN)2"}, {"OO2", "OQ2"},      {"2MLNS6", "4MS6"},
    {"3MLS6", "2MNU6"},     {"2NMLS6", "3MNS6"},    {"4MLS8", "3MNU8"},  {"SIG1", "SIGMA1"},
    {"THE1", "THETA1"},     {"LDA2", "LAMBDA2"},    {"2MN8", "2(MN)8"},  {"2MS8", "2(MS)8"},
};

const Basic* FindBasic(std::string_view name) {
    for (const Basic& b : Basics())
        if (name == b.name) return &b;
    return nullptr;
}

ConstituentDefinition FromBasic(const Basic& b) {
    return {b.name, b.doodson, b.phase, b.nodal};
}

// The constituent a letter of a compound name stands for; K is K2, or K1 where the species needs
// an odd one.
const Basic* LetterConstituent(char letter, bool diurnalK) {
    switch (letter) {
    case 'M':
        return FindBasic("M2");
    case 'S':
        return FindBasic("S2");
    case 'N':
        return FindBasic("N2");
    case 'K':
        return FindBasic(diurnalK ? "K1" : "K2");
    case 'O':
        return FindBasic("O1");
    case 'P':
        return FindBasic("P1");
    case 'Q':
        return FindBasic("Q1");
    case 'L':
        return FindBasic("L2");
    case 'T':
        return FindBasic("T2");
    case 'R':
        return FindBasic("R2");
    case 'J':
        return FindBasic("J1");
    default:
        return nullptr;
    }
}

struct Item {
    double count; // how many times
    char letter;  // 'V' for nu2
};

// Reads a compound name by the IHO rules: the letters' constituents added with their
// multipliers, the signs changed from the right until the sum has the species' number of cycles
// a day. "2MK3" is 2 M2 - K1, "M(KS)2" M2 + K2 - S2, "MSN6" M2 + S2 + N2.
std::optional<ConstituentDefinition> ReadCompound(const std::string& name) {
    std::size_t end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1])))
        --end;
    if (end == name.size() || end == 0) return std::nullopt;
    const int species = std::stoi(name.substr(end));
    const std::string body = name.substr(0, end);

    std::vector<Item> items;
    for (std::size_t i = 0; i < body.size();) {
        int count = 0;
        bool counted = false;
        while (i < body.size() && std::isdigit(static_cast<unsigned char>(body[i]))) {
            count = count * 10 + (body[i] - '0');
            counted = true;
            ++i;
        }
        if (i == body.size()) return std::nullopt;
        std::string letters;
        if (body[i] == '(') {
            const std::size_t close = body.find(')', i);
            if (close == std::string::npos) return std::nullopt;
            letters = body.substr(i + 1, close - i - 1);
            i = close + 1;
        } else if (body.compare(i, 2, "NU") == 0) {
            letters = "V";
            i += 2;
        } else {
            letters = body.substr(i, 1);
            ++i;
        }
        if (letters.empty()) return std::nullopt;
        for (char c : letters)
            items.push_back({counted ? static_cast<double>(count) : 1.0, c});
    }
    // A single letter without a multiplier: as many times as the species needs (M4 = 2 M2).
    const bool single = items.size() == 1 && !std::isdigit(static_cast<unsigned char>(body[0]));

    int kCount = 0;
    for (const Item& it : items)
        if (it.letter == 'K') ++kCount;
    if (kCount > 4) return std::nullopt;
    for (int mask = 0; mask < (1 << kCount); ++mask) {
        std::vector<const Basic*> parts;
        int k = 0;
        for (const Item& it : items) {
            const Basic* b =
                it.letter == 'V' ? FindBasic("NU2") : LetterConstituent(it.letter, (mask >> k) & 1);
            if (it.letter == 'K') ++k;
            if (!b) return std::nullopt;
            parts.push_back(b);
        }
        if (single) {
            const double n = species / parts[0]->doodson[0];
            if (parts[0]->doodson[0] == 0 || n != std::floor(n)) return std::nullopt;
            items[0].count = n;
        }
        for (std::size_t flipped = 0; flipped <= items.size(); ++flipped) {
            double cycles = 0;
            for (std::size_t j = 0; j < items.size(); ++j) {
                const double sign = j + flipped >= items.size() ? -1 : 1;
                cycles += sign * items[j].count * parts[j]->doodson[0];
            }
            if (cycles != species) continue;
            ConstituentDefinition d;
            d.name = name;
            for (std::size_t j = 0; j < items.size(); ++j) {
                const double n = (j + flipped >= items.size() ? -1 : 1) * items[j].count;
                for (int c = 0; c < 6; ++c)
                    d.doodson[c] += n * parts[j]->doodson[c];
                d.phase += n * parts[j]->phase;
                for (const auto& [fundamental, power] : parts[j]->nodal)
                    d.nodal.emplace_back(fundamental, n * power);
            }
            d.phase = std::remainder(d.phase, 360.0);
            return d;
        }
    }
    return std::nullopt;
}

NodalCorrection FromCartesian(double fSinU, double fCosU) {
    return {std::hypot(fSinU, fCosU), std::atan2(fSinU, fCosU) / kRad};
}

} // namespace

Astronomy AstronomyAt(long double jdUt) {
    const long double t = (jdUt - kJ2000) / kDaysPerCentury;
    Astronomy a;
    const long double sinceMidnight = jdUt - 0.5L - std::floor(jdUt - 0.5L);
    a.T = 180 + 360 * sinceMidnight;
    a.s = Polynomial(kMoon, t);
    a.h = Polynomial(kSun, t);
    a.p = Polynomial(kPerigee, t);
    a.N = Polynomial(kNode, t);
    a.p1 = Polynomial(kSolarPerigee, t);
    return a;
}

FundamentalCorrections FundamentalsAt(const Astronomy& a) {
    // The formulas of the IHO list's Annex A, in the node's longitude N and the perigee's p.
    const double n = static_cast<double>(std::remainder(a.N, 360.0L)) * kRad;
    const double p = static_cast<double>(std::remainder(a.p, 360.0L)) * kRad;
    const double p1 = static_cast<double>(std::remainder(a.p1, 360.0L)) * kRad;
    const double c1 = std::cos(n), c2 = std::cos(2 * n), c3 = std::cos(3 * n);
    const double s1 = std::sin(n), s2 = std::sin(2 * n), s3 = std::sin(3 * n);
    FundamentalCorrections out;
    const auto set = [&out](Fundamental f, NodalCorrection c) { out[static_cast<int>(f)] = c; };
    set(Fundamental::Mm,
        {1 - 0.1311 * c1 + 0.0538 * std::cos(2 * p) + 0.0205 * std::cos(2 * p - n), 0});
    set(Fundamental::Mf, {1.084 + 0.415 * c1 + 0.039 * c2, -23.7 * s1 + 2.7 * s2 - 0.4 * s3});
    set(Fundamental::O1, {1.0176 + 0.1871 * c1 - 0.0147 * c2, 10.80 * s1 - 1.34 * s2 + 0.19 * s3});
    set(Fundamental::K1,
        {1.0060 + 0.1150 * c1 - 0.0088 * c2 + 0.0006 * c3, -8.86 * s1 + 0.68 * s2 - 0.07 * s3});
    set(Fundamental::J1,
        {1.1029 + 0.1676 * c1 - 0.0170 * c2 + 0.0016 * c3, -12.94 * s1 + 1.34 * s2 - 0.19 * s3});
    set(Fundamental::M2, {1.0007 - 0.0373 * c1 + 0.0002 * c2, -2.14 * s1});
    set(Fundamental::K2,
        {1.0246 + 0.2863 * c1 + 0.0083 * c2 - 0.0015 * c3, -17.74 * s1 + 0.68 * s2 - 0.04 * s3});
    set(Fundamental::L2, FromCartesian(-0.2505 * std::sin(2 * p) - 0.1102 * std::sin(2 * p - n) -
                                           0.0156 * std::sin(2 * p - 2 * n) - 0.037 * s1,
                                       1 - 0.2505 * std::cos(2 * p) - 0.1102 * std::cos(2 * p - n) -
                                           0.0156 * std::cos(2 * p - 2 * n) - 0.037 * c1));
    set(Fundamental::M1, FromCartesian(std::sin(p) + 0.2 * std::sin(p - n),
                                       2 * (std::cos(p) + 0.2 * std::cos(p - n))));
    set(Fundamental::Gamma2,
        FromCartesian(0.147 * std::sin(2 * (n - p)), 1 + 0.147 * std::cos(2 * (n - p))));
    set(Fundamental::Alpha2,
        FromCartesian(-0.0446 * std::sin(p - p1), 1 - 0.0446 * std::cos(p - p1)));
    set(Fundamental::Delta2, FromCartesian(0.477 * s1, 1 - 0.477 * c1));
    set(Fundamental::Xi2, FromCartesian(-0.439 * s1, 1 + 0.439 * c1));
    return out;
}

double ConstituentDefinition::speed() const {
    const long double tau = 15 + kRateH - kRateS;
    const auto& d = doodson;
    return static_cast<double>(d[0] * tau + d[1] * kRateS + d[2] * kRateH + d[3] * kRateP +
                               d[4] * -kRateN + d[5] * kRateP1);
}

long double ConstituentDefinition::argument(const Astronomy& a) const {
    const long double tau = a.T + a.h - a.s;
    const auto& d = doodson;
    // N' = -N: the node's longitude decreases.
    return d[0] * tau + d[1] * a.s + d[2] * a.h + d[3] * a.p - d[4] * a.N + d[5] * a.p1 + phase;
}

NodalCorrection
ConstituentDefinition::correction(const FundamentalCorrections& fundamentals) const {
    NodalCorrection c;
    for (const auto& [fundamental, power] : nodal) {
        const NodalCorrection& x = fundamentals[static_cast<int>(fundamental)];
        c.f *= std::pow(x.f, std::fabs(power));
        c.u += power * x.u;
    }
    return c;
}

std::optional<ConstituentDefinition> DefineConstituent(std::string_view name) {
    std::string upper;
    for (char c : name)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Alias& alias : kAliases)
        if (upper == alias.name) upper = alias.canonical;
    if (const Basic* b = FindBasic(upper)) return FromBasic(*b);
    if (upper.find('_') != std::string::npos) return std::nullopt;
    return ReadCompound(upper);
}

} // namespace ondrel
