// Reading one value of the settings store: a value that is missing or does not read as a whole
// number gives nothing, so that each caller falls back to its own default.
#pragma once

#include <QRect>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <optional>

namespace ondrel {

inline std::optional<qint64> ReadStoredInteger(const QSettings& store, const QString& key) {
    const QVariant value = store.value(key);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok) return std::nullopt;
    return number;
}

// The same, brought into [low, high] (a value outside takes the nearer bound), so that no later
// arithmetic on it can overflow.
inline std::optional<int> ReadStoredInteger(const QSettings& store, const QString& key, int low,
                                            int high) {
    const auto number = ReadStoredInteger(store, key);
    if (!number) return std::nullopt;
    return static_cast<int>(std::clamp<qint64>(*number, low, high));
}

// Window positions and sizes kept in the settings: far beyond any screen, far from overflowing.
inline constexpr int kMaxWindowCoordinate = 100000;

// A window's place stored under PREFIX_top, PREFIX_left, PREFIX_width and PREFIX_height: nothing
// unless all four are there and the size is above minimumSize (a place that would make the
// window vanish is not taken).
inline std::optional<QRect> ReadStoredBounds(const QSettings& store, const QString& prefix,
                                             int minimumSize) {
    const int far = kMaxWindowCoordinate;
    const auto top = ReadStoredInteger(store, prefix + QStringLiteral("_top"), -far, far);
    const auto left = ReadStoredInteger(store, prefix + QStringLiteral("_left"), -far, far);
    const auto width = ReadStoredInteger(store, prefix + QStringLiteral("_width"), 0, far);
    const auto height = ReadStoredInteger(store, prefix + QStringLiteral("_height"), 0, far);
    if (!top || !left || !width || !height || *width <= minimumSize || *height <= minimumSize)
        return std::nullopt;
    return QRect(*left, *top, *width, *height);
}

} // namespace ondrel
