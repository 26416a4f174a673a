// Colours as the settings store them: red + 256 green + 65536 blue.
#pragma once

#include <QColor>

namespace ondrel {

QColor ColourOfStored(quint32 value);
quint32 StoredOfColour(const QColor& colour);

} // namespace ondrel
