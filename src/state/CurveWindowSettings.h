// The curve window's stored values: its bounds ("C_top", "C_left", "C_width", "C_height"), the
// position indicator ("curseur") and the elements on the curve ("elemts_courbe").
#pragma once

#include <QRect>

#include <optional>

class QSettings;

namespace ondrel {

// The window's built-in bounds: left 324, top 186, 413 x 477.
inline const QRect kCurveWindowDesignBounds(324, 186, 413, 477);

struct CurveWindowSettings {
    std::optional<QRect> bounds; // when all four were stored
    bool indicator = false;
    bool elements = false;
};

// A store without any value gives both switches off; otherwise a missing "curseur" leaves the
// indicator off and a missing "elemts_courbe" shows the elements.
CurveWindowSettings LoadCurveWindowSettings(const QSettings& store);
void StoreCurveWindowSettings(QSettings& store, const QRect& bounds, bool indicator, bool elements);

} // namespace ondrel
