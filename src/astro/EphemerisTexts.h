// Texts of the ephemerides window, in French or English (UTF-8), for a window or a command line.
#pragma once

#include "Ephemerides.h"
#include "Report.h"
#include "TimeReference.h"

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
// The phase named by the age; nothing at exactly 14, 15 or 28 days, where a window keeps the
// text it had.
std::optional<MoonPhase> MoonPhaseOf(double age);
std::string MoonPhaseText(MoonPhase phase, Language language);

// The texts of one computation.
struct EphemerisTexts {
    std::string sunrise;        // "Lever     : 07 h 42", or the polar text after the prefix
    std::string sunset;         // "Coucher : 21 h 03"
    std::string sunriseAzimuth; // "Azimut : 52"; empty when the sun does not rise and set
    std::string sunsetAzimuth;  // "Azimut : 307"
    std::string moonAge;        // "Age de la Lune : 14 jours" (whole days)
    std::optional<std::string> moonPhase; // nothing where the previous text stays
    std::string timeReference;            // status bar: "Heure locale", "UT + 5", ...
};

// offsetHours: hours from UT to the displayed times (TideContext::offsetHours); timeReference: the
// setting's code, for the status bar. Times whose hours pass 24 after the offset lose 24 hours.
// A polar day reads "Soleil toujours levé" / "Sun always up" and a polar night "Soleil toujours
// couché" / "Sun always down" in place of both times.
EphemerisTexts EphemerisTextsOf(const SunEphemeris& sun, double moonAge, double offsetHours,
                                TimeReference timeReference, Language language);

// The status bar's time reference: "Heure locale", "Heure d'hiver (UT +1)", ..., "UT + n".
std::string TimeReferenceText(TimeReference timeReference, Language language);

} // namespace ondrel::astro
