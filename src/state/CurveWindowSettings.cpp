#include "state/CurveWindowSettings.h"

#include "state/StoredValue.h"

#include <QSettings>

namespace ondrel {

CurveWindowSettings LoadCurveWindowSettings(const QSettings& store) {
    CurveWindowSettings s;
    if (store.allKeys().isEmpty()) return s;
    s.bounds = ReadStoredBounds(store, QStringLiteral("C"), 50);
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
