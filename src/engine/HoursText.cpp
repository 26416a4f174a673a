#include "HoursText.h"

#include <cmath>
#include <cstdio>

namespace ondrel {

namespace {
std::optional<int> TwoDigitNumber(std::string_view text, std::size_t pos) {
    if (text.size() < pos + 2) return std::nullopt;
    int value = 0;
    bool digit = false;
    for (std::size_t i = pos; i < pos + 2; ++i) {
        const char ch = text[i];
        if (ch == ' ' && !digit) continue; // a blank-padded number still reads
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
        digit = true;
    }
    if (!digit) return std::nullopt;
    return value;
}
} // namespace

std::optional<double> HmsToReal(std::string_view text) {
    const auto hours = TwoDigitNumber(text, 0);
    const auto minutes = TwoDigitNumber(text, 3);
    if (!hours || !minutes) return std::nullopt;
    return static_cast<double>((*minutes / 60.0L + *hours) / 24.0L);
}

std::string RealToHms(double fraction) {
    const long long count = std::llround(static_cast<long double>(fraction) * 1440);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld", count / 60, count % 60);
    return buffer;
}

} // namespace ondrel
