#include "engine/Report.h"
#include "engine/ReportTexts.h"

#include <charconv>

#include <cmath>
#include <cstdio>

namespace ondrel {

namespace {

// As "%02lld" writes it: at least two characters, the sign counted.
std::string TwoDigits(long long value) {
    char buffer[32];
    char* digits = buffer + 1;
    const bool negative = value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : value;
    char* end = std::to_chars(digits, buffer + sizeof buffer, magnitude).ptr;
    if (!negative && end - digits < 2) { // one digit: a leading zero
        digits[1] = digits[0];
        digits[0] = '0';
        end = digits + 2;
    }
    if (negative) *--digits = '-';
    return std::string(digits, end);
}

// What is written in place of a value that cannot be one (never a number cast out of range).
constexpr const char* kUnknownTime = "--:--";
constexpr const char* kUnknownTimeH = "--h--";
constexpr const char* kUnknownHeight = "--,--";
// Far above any tide, far below what the integer conversions hold.
constexpr double kLargestHeight = 1e9;

struct HoursMinutes {
    long long hours;
    long long minutes;
};

// Hours of the day of a signed time, Frac keeping the sign, then both parts truncated.
HoursMinutes TimeOfDay(double signedTime) {
    const long double shifted = static_cast<long double>(signedTime) + 0.5L;
    const long double hours = 24 * (shifted - std::trunc(shifted));
    const long double minutes = (hours - std::trunc(hours)) * 60;
    return {static_cast<long long>(std::fabs(std::trunc(hours))),
            static_cast<long long>(std::fabs(std::trunc(minutes)))};
}

constexpr ReportTexts kTexts;

} // namespace

long double UnitFactor(HeightUnit unit) {
    return unit == HeightUnit::Feet ? 1 / 0.3048L : 1.0L;
}

std::string UnitText(HeightUnit unit, Language language) {
    return (unit == HeightUnit::Feet ? kTexts.feet : kTexts.metres).In(language);
}

std::string FormatEventTime(double signedTime) {
    if (!std::isfinite(signedTime)) return kUnknownTime;
    const HoursMinutes hm = TimeOfDay(signedTime);
    return TwoDigits(hm.hours) + ":" + TwoDigits(hm.minutes);
}

std::string FormatEventTimeH(double signedTime) {
    if (!std::isfinite(signedTime)) return kUnknownTimeH;
    const HoursMinutes hm = TimeOfDay(std::fabs(signedTime));
    return TwoDigits(hm.hours) + "h" + TwoDigits(hm.minutes);
}

std::string FormatHeight(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= kLargestHeight) return kUnknownHeight;
    const long double v = value;
    long long whole = static_cast<long long>(std::fabs(std::trunc(v)));
    long double hundredths = 100 * std::fabs(v - std::trunc(v));
    if (hundredths > 99.5L) {
        hundredths = 0;
        whole += 1;
    }
    // Hundredths rounded half away from zero, as a "00" number format does.
    const long long rounded = std::llround(hundredths);
    return std::string(v < 0 ? "-" : "") + TwoDigits(whole) + "," + TwoDigits(rounded);
}

std::vector<std::string> DayReportLines(const DayEvents& events, HeightUnit unit,
                                        Language language) {
    std::vector<std::string> lines;
    for (const TideEvent& ev : events) {
        if (ev.empty()) continue;
        std::string line = (ev.time > 0 ? kTexts.highWater : kTexts.lowWater).In(language);
        line += FormatEventTime(ev.time);
        line += kTexts.height.In(language);
        line += FormatHeight(static_cast<double>(UnitFactor(unit) * ev.height));
        line += UnitText(unit, language);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string MorningCoefficientLabel(int coefficient, Language language) {
    return kTexts.morning.In(language) + std::to_string(coefficient);
}

std::string EveningCoefficientLabel(int coefficient, Language language) {
    return kTexts.evening.In(language) + std::to_string(coefficient);
}

} // namespace ondrel
