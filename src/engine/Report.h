// Texts of the daily report: event lines, coefficient labels, and the time and height formats
// shared by the report, the curve and the tide table.
#pragma once

#include "engine/Extremes.h"
#include "engine/Language.h"

#include <string>
#include <vector>

namespace ondrel {

// Height-unit factor: 1 for metres, 1/0.3048 for feet.
long double UnitFactor(HeightUnit unit);
// " mètres", " meters", " pieds" or " feet".
std::string UnitText(HeightUnit unit, Language language);

// "hh:mm" of a signed event time, hours and minutes truncated.
std::string FormatEventTime(double signedTime);
// "hhhmm" ("05h04") of an instant, as the curve's foot writes it.
std::string FormatEventTimeH(double signedTime);
// "-"? whole (at least two digits) "," hundredths, of a height already in the display unit.
// A value that is not finite, or beyond a billion, is written "--,--" (and a time "--:--").
std::string FormatHeight(double value);

// One line per filled slot: "Pleine mer à 06:42    hauteur : 05,31 mètres".
std::vector<std::string> DayReportLines(const DayEvents& events, HeightUnit unit,
                                        Language language);
// "matin : 95" / "morning : 95".
std::string MorningCoefficientLabel(int coefficient, Language language);
// "soir : 96" / "evening : 96".
std::string EveningCoefficientLabel(int coefficient, Language language);

} // namespace ondrel
