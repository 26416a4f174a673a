#include "state/StoredColour.h"

namespace ondrel {

QColor ColourOfStored(quint32 value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

quint32 StoredOfColour(const QColor& c) {
    return static_cast<quint32>(c.red()) + 256u * static_cast<quint32>(c.green()) +
           65536u * static_cast<quint32>(c.blue());
}

} // namespace ondrel
