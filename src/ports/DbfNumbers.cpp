#include "ports/DbfNumbers.h"

#include <QByteArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace ondrel {

namespace {

std::string_view WithoutPlus(std::string_view s) {
    if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
    return s;
}

} // namespace

QByteArrayView TrimmedRight(QByteArrayView v) {
    const char* begin = v.data();
    const char* end = begin + v.size();
    // Names fill a third of their field: the padding goes eight blanks at a time.
    static constexpr char kBlanks[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    while (end - begin >= 8 && std::memcmp(end - 8, kBlanks, 8) == 0)
        end -= 8;
    while (end != begin && (end[-1] == ' ' || end[-1] == '\0'))
        --end;
    return QByteArrayView(begin, end - begin);
}

QByteArrayView Trimmed(QByteArrayView v) {
    v = TrimmedRight(v);
    const char* begin = v.data();
    const char* end = begin + v.size();
    while (begin != end && (*begin == ' ' || *begin == '\0'))
        ++begin;
    return QByteArrayView(begin, end - begin);
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
