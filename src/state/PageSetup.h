// Page set-up of the printed curve: margins in percent of the page, orientation, colours, the
// preview arithmetic and the stored values (group "impression").
#pragma once

#include "engine/Language.h"

#include <QRect>
#include <QRectF>
#include <QString>

class QSettings;

namespace ondrel {

struct PageMargins {
    int left = 0;   // "marge_g"
    int right = 0;  // "marge_d"
    int top = 0;    // "marge_h"
    int bottom = 0; // "marge_b"
    friend bool operator==(const PageMargins&, const PageMargins&) = default;
};

struct PageSettings {
    PageMargins margins;
    int portrait = 0; // "portrait": 1 portrait, anything else landscape
};

// What a margin field holds: nothing yet, a margin, or a text to refuse.
struct MarginEntry {
    enum class Kind { Empty, Value, Invalid } kind = Kind::Empty;
    int value = 0;
};
// A decimal integer from 0 to 100 is a margin; an empty field is nothing yet; the rest is refused.
MarginEntry ReadMarginField(const QString& text);

// The printable area inside a page drawn at `page` (whole pixels, truncated); an empty height or
// width when the two opposite margins add up to more than 100.
QRect PreviewPrintableArea(const QRect& page, const PageMargins& margins);
// The same on a printer page, in its own units. Opposite margins of 100 or more are not applied.
QRectF PrintableArea(const QRectF& page, const PageMargins& margins);

// The preview page: 40 x 50 for portrait, 60 x 40 for landscape.
QSize PreviewPageSize(bool portrait);

// Values as the page set-up window reads them at creation: the reading stops at the first
// missing value, keeping those read before it; the orientation is taken only when all five are
// there. `store` is rooted at the main key.
PageSettings LoadPageSetup(const QSettings& store);
// Values as the curve's print reads them: margins 0 and portrait when the group is missing.
PageSettings LoadPrintSettings(const QSettings& store);
void StorePageSetup(QSettings& store, const PageSettings& settings);

// Messages.
QString MarginRangeMessage(Language language);
QString OrientationMessage(Language language, bool portrait);

} // namespace ondrel
