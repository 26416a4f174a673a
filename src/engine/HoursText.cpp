#include "engine/HoursText.h"

#include <cmath>
#include <cstdio>

namespace ondrel {

namespace {

struct HourParts {
    std::string hours;
    std::string minutes;
};

std::string Trimmed(std::string_view text) {
    std::string out;
    for (char ch : text)
        if (ch != ' ' && ch != '_') out += ch;
    return out;
}

HourParts Split(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return {Trimmed(text.substr(0, 2)), Trimmed(text.size() > 3 ? text.substr(3, 2) : "")};
    return {Trimmed(text.substr(0, colon)), Trimmed(text.substr(colon + 1))};
}

// A short run of digits, read as a number; nothing otherwise.
std::optional<int> Number(const std::string& digits) {
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    int value = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return value;
}

} // namespace

std::optional<double> HmsToReal(std::string_view text) {
    const HourParts parts = Split(text);
    const auto hours = Number(parts.hours);
    const auto minutes = Number(parts.minutes);
    if (!hours || !minutes) return std::nullopt;
    return static_cast<double>((*minutes / 60.0L + *hours) / 24.0L);
}

std::optional<std::string> RealToHms(double fraction) {
    if (!std::isfinite(fraction) || fraction < 0 || fraction > 1000) return std::nullopt;
    const long long count = std::llround(static_cast<long double>(fraction) * 1440);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld", count / 60, count % 60);
    return std::string(buffer);
}

bool IsValidTimeOfDay(std::string_view text) {
    const HourParts parts = Split(text);
    const auto hours = Number(parts.hours);
    const auto minutes = Number(parts.minutes);
    return hours && minutes && parts.hours.size() <= 2 && parts.minutes.size() == 2 &&
           *hours <= 23 && *minutes <= 59;
}

} // namespace ondrel
