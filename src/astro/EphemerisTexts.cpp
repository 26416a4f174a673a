#include "EphemerisTexts.h"

#include <cmath>
#include <cstdio>

namespace ondrel::astro {

namespace {

// The ephemerides' texts.
struct EphemerisWords {
    TextPair caption{"Ephémérides", "Ephemerides"};
    TextPair sunGroup{" SOLEIL ", " SUN "};
    TextPair moonGroup{" LUNE ", " MOON "};
    TextPair increasingMoon{"Lune croissante", "Increasing moon"};
    TextPair fullMoon{"Pleine Lune", "Full moon"};
    TextPair decreasingMoon{"Lune décroissante", "Decreasing moon"};
    TextPair newMoon{"Nouvelle Lune", "New moon"};
    // The status bar names summer time in English its own way; otherwise as the main window.
    TextPair summerTime{"Heure d'été (UT +2)", "summer time(UT +2)"};
    TextPair sunrise{"Lever     : ", "Sunrise   : "};
    TextPair sunset{"Coucher : ", "Sunset   : "};
    TextPair alwaysUp{"Soleil toujours levé", "Sun always up"};
    TextPair alwaysDown{"Soleil toujours couché", "Sun always down"};
    TextPair moonAge{"Age de la Lune : ", "Moon's age  : "};
    TextPair days{" jours", " days"};
};
constexpr EphemerisWords kTexts;

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
    return {kTexts.caption.In(language), kTexts.sunGroup.In(language),
            kTexts.moonGroup.In(language)};
}

std::optional<MoonPhase> MoonPhaseOf(double age) {
    if (age < 14) return MoonPhase::Increasing;
    if (age > 14 && age < 15) return MoonPhase::Full;
    if (age > 15 && age < 28) return MoonPhase::Decreasing;
    if (age > 28) return MoonPhase::New;
    return std::nullopt;
}

std::string MoonPhaseText(MoonPhase phase, Language language) {
    switch (phase) {
    case MoonPhase::Increasing:
        return kTexts.increasingMoon.In(language);
    case MoonPhase::Full:
        return kTexts.fullMoon.In(language);
    case MoonPhase::Decreasing:
        return kTexts.decreasingMoon.In(language);
    case MoonPhase::New:
        return kTexts.newMoon.In(language);
    }
    return {};
}

std::string TimeReferenceText(TimeReference timeReference, Language language) {
    if (timeReference == TimeReference(2)) return kTexts.summerTime.In(language);
    return timeReference.label(language);
}

EphemerisTexts EphemerisTextsOf(const SunEphemeris& sun, double moonAge, double offsetHours,
                                TimeReference timeReference, Language language) {
    EphemerisTexts out;
    const std::string risePrefix = kTexts.sunrise.In(language);
    const std::string setPrefix = kTexts.sunset.In(language);
    switch (sun.day) {
    case SunDay::RisesAndSets:
        out.sunrise = risePrefix + TimeText(sun.sunriseUt, offsetHours);
        out.sunset = setPrefix + TimeText(sun.sunsetUt, offsetHours);
        out.sunriseAzimuth = AzimuthText(sun.riseAzimuth);
        out.sunsetAzimuth = AzimuthText(sun.setAzimuth);
        break;
    case SunDay::AlwaysUp: {
        const std::string text = kTexts.alwaysUp.In(language);
        out.sunrise = risePrefix + text;
        out.sunset = setPrefix + text;
        break;
    }
    case SunDay::AlwaysDown: {
        const std::string text = kTexts.alwaysDown.In(language);
        out.sunrise = risePrefix + text;
        out.sunset = setPrefix + text;
        break;
    }
    }
    out.moonAge = kTexts.moonAge.In(language) +
                  std::to_string(static_cast<long long>(std::trunc(moonAge))) +
                  kTexts.days.In(language);
    if (const auto phase = MoonPhaseOf(moonAge)) out.moonPhase = MoonPhaseText(*phase, language);
    out.timeReference = TimeReferenceText(timeReference, language);
    return out;
}

} // namespace ondrel::astro
