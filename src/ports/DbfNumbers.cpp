#include "DbfNumbers.h"

#include <QByteArray>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ondrel {

namespace {

std::string_view WithoutPlus(std::string_view s) {
    if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
    return s;
}

} // namespace

QByteArrayView Trimmed(QByteArrayView v) {
    auto blank = [](char c) { return c == ' ' || c == '\0'; };
    while (!v.isEmpty() && blank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && blank(v.back()))
        v.chop(1);
    return v;
}

QByteArrayView TrimmedRight(QByteArrayView v) {
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\0'))
        v.chop(1);
    return v;
}

bool IsNullNumber(QByteArrayView v) {
    return std::all_of(v.begin(), v.end(), [](char c) { return c == '*'; });
}

std::string_view View(QByteArrayView v) {
    return {v.data(), static_cast<std::size_t>(v.size())};
}

bool ParseWhole(std::string_view s, qint64& value) {
    s = WithoutPlus(s);
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, value);
    return !s.empty() && error == std::errc() && stop == end;
}

bool ParseDecimal(std::string_view s, double& value) {
    s = WithoutPlus(s);
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, value);
    return !s.empty() && error == std::errc() && stop == end && std::isfinite(value);
}

bool ParseNumber(QString text, QChar decimal, double& value) {
    text = text.trimmed();
    if (decimal != QLatin1Char('.')) text.replace(decimal, QLatin1Char('.'));
    const QByteArray bytes = text.toUtf8();
    return ParseDecimal(View(bytes), value);
}

} // namespace ondrel
