// The rules of the port selection window that need no window: position texts to degrees, the
// marker's place on the world map, and the country filter of the port list.
#pragma once

#include "engine/Language.h"

#include <QPointF>
#include <QRect>
#include <QString>

#include <functional>
#include <span>

namespace ondrel {

// Receives the messages about unreadable degrees or minutes.
using PositionMessage = std::function<void(const QString&)>;

// "45 30 N" -> 45.5, "012 30 E" -> -12.5: north and west positive. An empty text gives 0; a part
// that cannot be read is reported and counts 0.
double DegreesOfText(const QString& text, const PositionMessage& message);

// Whether a position reads exactly as the table writes it: "dd mm N" (or S) for a latitude,
// "ddd mm W" (or E) for a longitude, minutes below 60, within 90 (180) degrees.
bool IsExactPosition(bool latitude, const QString& text);

// Pixel of the world map (354 x 183) for a latitude and a west-positive longitude.
QPointF MapPosition(double latitude, double longitudeWest);
// The marker's rectangle around a map position: corners trunc(x - 3), trunc(y - 3) and
// trunc(x + 3), trunc(y + 3).
QRect MarkerRect(QPointF position);

// Whether the port list shows a record with this zone code, given the country flags (index 0 to
// 200). Codes of 100 or less and country 0 are always shown.
bool CountryFilterAccepts(qint64 zoneCode, std::span<const bool> countrySelected);

// The country line of the main window's port information: "(France)", or nothing when the zone
// code carries no known country.
QString CountryLine(qint64 zoneCode, Language language);

} // namespace ondrel
