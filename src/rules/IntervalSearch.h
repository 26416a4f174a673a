// The interval calculation: the instants of a day at which the depth sounder will show a wanted
// depth, from a sounder reading corrected against the prediction.
#pragma once

#include "engine/Language.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace ondrel {

// A masked height "12,50 m": characters 1-2 the whole part, 4-5 the hundredths, whatever stands
// between. Nothing when a digit is missing (the mask leaves blanks or "_").
std::optional<double> ReadMaskedHeight(const QString& text);
// A masked time "13:45" as a fraction of a day. Nothing when a digit is missing or the time is
// not a time of day.
std::optional<double> ReadMaskedTime(const QString& text);

// Height (display unit) at which the sounder shows `wanted`, given that it showed `reading` when
// the prediction was `predictedAtReading`.
inline double IntervalTarget(double reading, double predictedAtReading, double wanted) {
    return wanted - (reading - predictedAtReading);
}

inline constexpr double kIntervalSearchStep = 1.0 / 2880; // 30 seconds
inline constexpr double kIntervalSkip = 1.0 / 24;         // one crossing, one point

// Instants t of [selectedDay, selectedDay + days) where |height(t) - target| < 0.01, scanning
// every 30 seconds and skipping one hour after each find. days: 1, or the length of a legal day
// of 23 or 25 hours counted in its frame.
std::vector<double> SearchInterval(const std::function<double(double)>& height, double selectedDay,
                                   double target, double days = 1);

// Texts of the masked fields: the unit letter follows the height unit, the separator the
// language ("00,00 m" in French, "00.00 m" in English).
QString HeightInputMask(Language language, bool feet);
// The time field's mask: a first hour digit that may stay blank, then three required digits.
inline const QString kTimeInputMask = QStringLiteral("09:99;_");
QString ReadingFieldText(Language language, bool feet);
QString WantedFieldText(Language language, bool feet);

} // namespace ondrel
