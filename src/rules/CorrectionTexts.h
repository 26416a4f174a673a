// The texts of the secondary-port corrections in the wizard: the edit texts of its boxes ("+1 30",
// "-0,50") and back, and the summary's "1h30mn".
#pragma once

#include <QString>

#include <optional>

namespace ondrel {

// "+1 30" -> 1.5, "-0 45" -> -0.75: hours from the first three characters, minutes from the
// fourth and fifth. Nothing when either cannot be read.
std::optional<double> TimeCorrectionOfText(const QString& text);
// 1.5 -> "1h30mn", -0.5 -> "-0h30mn": whole hours and minutes, the minutes truncated.
QString TimeCorrectionText(double hours);
// The edit text of a time correction: -1.5 -> "-1 30", 0.999 -> "+0 60" (minutes rounded).
QString TimeCorrectionEditText(double hours);
// The edit text of a height correction: -0.5 -> "-0,50", 1.25 -> "+1,25" with a comma; a factor
// of two whole digits (91.05) has no sign, so that it fits its box.
QString HeightCorrectionEditText(double metres, QChar decimalSeparator);
// A height text read with the regional separator; nothing when it cannot be read.
std::optional<double> HeightCorrectionOfText(const QString& text, QChar decimalSeparator);
// The summary of a height correction: up to 10 significant digits and " m" ("-1,75 m").
QString HeightCorrectionSummary(double metres, QChar decimalSeparator);

} // namespace ondrel
