// Reading one value of the settings store: a value that is missing or does not read as a whole
// number gives nothing, so that each caller falls back to its own default.
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

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

} // namespace ondrel
