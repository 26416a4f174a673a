#include "CurveWindowSettings.h"

#include "StoredValue.h"

#include <QSettings>

namespace ondrel {

CurveWindowSettings LoadCurveWindowSettings(const QSettings& store) {
    CurveWindowSettings s;
    if (store.allKeys().isEmpty()) return s;
    const int far = kMaxWindowCoordinate;
    const auto top = ReadStoredInteger(store, QStringLiteral("C_top"), -far, far);
    const auto left = ReadStoredInteger(store, QStringLiteral("C_left"), -far, far);
    const auto width = ReadStoredInteger(store, QStringLiteral("C_width"), 0, far);
    const auto height = ReadStoredInteger(store, QStringLiteral("C_height"), 0, far);
    // Bounds that would make the window vanish are not taken.
    if (top && left && width && height && *width > 50 && *height > 50)
        s.bounds = QRect(*left, *top, *width, *height);
    s.indicator = ReadStoredInteger(store, QStringLiteral("curseur")).value_or(0) == 1;
    s.elements = ReadStoredInteger(store, QStringLiteral("elemts_courbe")).value_or(1) == 1;
    return s;
}

void StoreCurveWindowSettings(QSettings& store, const QRect& bounds, bool indicator,
                              bool elements) {
    store.setValue(QStringLiteral("C_top"), bounds.top());
    store.setValue(QStringLiteral("C_left"), bounds.left());
    store.setValue(QStringLiteral("C_width"), bounds.width());
    store.setValue(QStringLiteral("C_height"), bounds.height());
    store.setValue(QStringLiteral("curseur"), indicator ? 1 : 0);
    store.setValue(QStringLiteral("elemts_courbe"), elements ? 1 : 0);
    store.sync();
}

} // namespace ondrel
