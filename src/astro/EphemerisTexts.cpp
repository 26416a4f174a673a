#include "EphemerisTexts.h"

#include <cmath>
#include <cstdio>

namespace ondrel::astro {

namespace {

bool English(Language language) { return language == Language::English; }

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

// "07 h 42" of UT hours shifted by the offset.
std::string TimeText(double ut, double offsetHours) {
    HoursMinutes hm = HoursToHM(ut + offsetHours);
    if (hm.hours > 24) hm.hours -= 24;
    return TwoDigits(hm.hours) + " h " + TwoDigits(hm.minutes);
}

std::string AzimuthText(double azimuth) {
    return "Azimut : " + std::to_string(static_cast<long long>(std::trunc(azimuth)));
}

} // namespace

EphemerisLabels EphemerisLabelsOf(Language language) {
    if (English(language)) return {"Ephemerides", " SUN ", " MOON "};
    return {"Ephémérides", " SOLEIL ", " LUNE "};
}

std::optional<MoonPhase> MoonPhaseOf(double age) {
    if (age < 14) return MoonPhase::Increasing;
    if (age > 14 && age < 15) return MoonPhase::Full;
    if (age > 15 && age < 28) return MoonPhase::Decreasing;
    if (age > 28) return MoonPhase::New;
    return std::nullopt;
}

std::string MoonPhaseText(MoonPhase phase, Language language) {
    const bool en = English(language);
    switch (phase) {
    case MoonPhase::Increasing: return en ? "Increasing moon" : "Lune croissante";
    case MoonPhase::Full: return en ? "Full moon" : "Pleine Lune";
    case MoonPhase::Decreasing: return en ? "Decreasing moon" : "Lune décroissante";
    case MoonPhase::New: return en ? "New moon" : "Nouvelle Lune";
    }
    return {};
}

std::string TimeReferenceText(TimeReference timeReference, Language language) {
    const bool en = English(language);
    switch (timeReference.code()) {
    case 0: return en ? "local time" : "Heure locale";
    case 1: return en ? "winter time (UT +1)" : "Heure d'hiver (UT +1)";
    case 2: return en ? "summer time(UT +2)" : "Heure d'été (UT +2)";
    default: return "UT + " + std::to_string(timeReference.hoursAheadOfUt());
    }
}

EphemerisTexts EphemerisTextsOf(const SunEphemeris& sun, double moonAge, double offsetHours,
                                TimeReference timeReference, Language language) {
    const bool en = English(language);
    EphemerisTexts out;
    const std::string risePrefix = en ? "Sunrise   : " : "Lever     : ";
    const std::string setPrefix = en ? "Sunset   : " : "Coucher : ";
    switch (sun.day) {
    case SunDay::RisesAndSets:
        out.sunrise = risePrefix + TimeText(sun.sunriseUt, offsetHours);
        out.sunset = setPrefix + TimeText(sun.sunsetUt, offsetHours);
        out.sunriseAzimuth = AzimuthText(sun.riseAzimuth);
        out.sunsetAzimuth = AzimuthText(sun.setAzimuth);
        break;
    case SunDay::AlwaysUp: {
        const std::string text = en ? "Sun always up" : "Soleil toujours levé";
        out.sunrise = risePrefix + text;
        out.sunset = setPrefix + text;
        break;
    }
    case SunDay::AlwaysDown: {
        const std::string text = en ? "Sun always down" : "Soleil toujours couché";
        out.sunrise = risePrefix + text;
        out.sunset = setPrefix + text;
        break;
    }
    }
    out.moonAge = (en ? "Moon's age  : " : "Age de la Lune : ") +
                  std::to_string(static_cast<long long>(std::trunc(moonAge))) +
                  (en ? " days" : " jours");
    if (const auto phase = MoonPhaseOf(moonAge)) out.moonPhase = MoonPhaseText(*phase, language);
    out.timeReference = TimeReferenceText(timeReference, language);
    return out;
}

} // namespace ondrel::astro
