// Texts of the ephemerides window, in French or English (UTF-8), for a window or a command line.
#pragma once

#include "astro/Ephemerides.h"
#include "engine/Report.h"
#include "engine/TimeReference.h"

#include <optional>
#include <string>

namespace ondrel::astro {

// The window's fixed texts.
struct EphemerisLabels {
    std::string caption;   // "Ephémérides"
    std::string sunGroup;  // " SOLEIL "
    std::string moonGroup; // " LUNE "
};
EphemerisLabels EphemerisLabelsOf(Language language);

enum class MoonPhase { Increasing, Full, Decreasing, New };
// The phase named by its age in a mean synodic month (Moon::phaseAge): below 14 days increasing,
// 14 to 15 full, 15 to 28 decreasing, above 28 new; nothing at exactly 14, 15 or 28 days, where a
// window keeps the text it had.
std::optional<MoonPhase> MoonPhaseOf(double phaseAge);
std::string MoonPhaseText(MoonPhase phase, Language language);

// The texts of one computation.
struct EphemerisTexts {
    std::string sunrise;        // "Lever     : 07 h 42", or the polar text after the prefix
    std::string sunset;         // "Coucher : 21 h 03"
    std::string sunriseAzimuth; // "Azimut : 52"; empty on a day without sunrise
    std::string sunsetAzimuth;  // "Azimut : 307"; empty on a day without sunset
    std::string moonAge;        // "Age de la Lune : 14 jours" (whole days)
    std::optional<std::string> moonPhase; // nothing where the previous text stays
    std::string timeReference;            // status bar: "Heure locale", "UT + 5", ...
};

// offsetHours: hours from UT to the displayed times (TideContext::offsetHours); timeReference: the
// setting's code, for the status bar. Times whose hours pass 24 after the offset lose 24 hours.
// A polar day reads "Soleil toujours levé" / "Sun always up" and a polar night "Soleil toujours
// couché" / "Sun always down" in place of both times; a day that only rises or only sets has the
// polar day's text in place of the missing time, the sun being up through that part of the day.
EphemerisTexts EphemerisTextsOf(const SunEphemeris& sun, const Moon& moon, double offsetHours,
                                TimeReference timeReference, Language language);

// The status bar's time reference: "Heure locale", "Heure d'hiver (UT +1)", ..., "UT + n".
std::string TimeReferenceText(TimeReference timeReference, Language language);

} // namespace ondrel::astro
