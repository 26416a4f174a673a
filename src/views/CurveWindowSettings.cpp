#include "CurveWindowSettings.h"

#include <QSettings>

namespace ondrel {

namespace {

std::optional<int> ReadInt(const QSettings& store, const QString& name) {
    const QVariant v = store.value(name);
    if (!v.isValid()) return std::nullopt;
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok) return std::nullopt;
    return n;
}

} // namespace

CurveWindowSettings LoadCurveWindowSettings(const QSettings& store) {
    CurveWindowSettings s;
    if (store.allKeys().isEmpty()) return s;
    const auto top = ReadInt(store, QStringLiteral("C_top"));
    const auto left = ReadInt(store, QStringLiteral("C_left"));
    const auto width = ReadInt(store, QStringLiteral("C_width"));
    const auto height = ReadInt(store, QStringLiteral("C_height"));
    // Bounds that would make the window vanish are not taken.
    if (top && left && width && height && *width > 50 && *height > 50)
        s.bounds = QRect(*left, *top, *width, *height);
    s.indicator = ReadInt(store, QStringLiteral("curseur")).value_or(0) == 1;
    s.elements = ReadInt(store, QStringLiteral("elemts_courbe")).value_or(1) == 1;
    return s;
}

void StoreCurveWindowSettings(QSettings& store, const QRect& bounds, bool indicator, bool elements) {
    store.setValue(QStringLiteral("C_top"), bounds.top());
    store.setValue(QStringLiteral("C_left"), bounds.left());
    store.setValue(QStringLiteral("C_width"), bounds.width());
    store.setValue(QStringLiteral("C_height"), bounds.height());
    store.setValue(QStringLiteral("curseur"), indicator ? 1 : 0);
    store.setValue(QStringLiteral("elemts_courbe"), elements ? 1 : 0);
    store.sync();
}

} // namespace ondrel
