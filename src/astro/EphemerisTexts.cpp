#include "astro/EphemerisTexts.h"
#include "astro/EphemerisWords.h"

#include <cmath>
#include <cstdio>

namespace ondrel::astro {

namespace {

constexpr EphemerisWords kTexts;

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

// "07 h 42" of UT hours shifted by the offset.
std::string TimeText(double ut, double offsetHours) {
    HoursMinutes hm = HoursToHM(ut + offsetHours);
    // The clock's hour of the day: an offset may carry a UT hour past midnight either way.
    if (hm.hours >= 24) hm.hours -= 24;
    if (hm.hours < 0) hm.hours += 24;
    return TwoDigits(hm.hours) + " h " + TwoDigits(hm.minutes);
}

std::string AzimuthText(double azimuth, Language language) {
    return kTexts.azimuth.In(language) +
           std::to_string(static_cast<long long>(std::trunc(azimuth)));
}

} // namespace

EphemerisLabels EphemerisLabelsOf(Language language) {
    return {kTexts.caption.In(language), kTexts.sunGroup.In(language),
            kTexts.moonGroup.In(language)};
}

std::optional<MoonPhase> MoonPhaseOf(double phaseAge) {
    if (phaseAge < 14) return MoonPhase::Increasing;
    if (phaseAge > 14 && phaseAge < 15) return MoonPhase::Full;
    if (phaseAge > 15 && phaseAge < 28) return MoonPhase::Decreasing;
    if (phaseAge > 28) return MoonPhase::New;
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

EphemerisTexts EphemerisTextsOf(const SunEphemeris& sun, const Moon& moon, double offsetHours,
                                TimeReference timeReference, Language language) {
    EphemerisTexts out;
    const std::string noEvent = sun.day == SunDay::AlwaysDown ? kTexts.alwaysDown.In(language)
                                                              : kTexts.alwaysUp.In(language);
    out.sunrise = kTexts.sunrise.In(language) +
                  (sun.sunrise ? TimeText(sun.sunrise->ut, offsetHours) : noEvent);
    out.sunset =
        kTexts.sunset.In(language) + (sun.sunset ? TimeText(sun.sunset->ut, offsetHours) : noEvent);
    if (sun.sunrise) out.sunriseAzimuth = AzimuthText(sun.sunrise->azimuth, language);
    if (sun.sunset) out.sunsetAzimuth = AzimuthText(sun.sunset->azimuth, language);
    out.moonAge = kTexts.moonAge.In(language) +
                  std::to_string(static_cast<long long>(std::trunc(moon.age))) +
                  kTexts.days.In(language);
    if (const auto phase = MoonPhaseOf(moon.phaseAge))
        out.moonPhase = MoonPhaseText(*phase, language);
    out.timeReference = TimeReferenceText(timeReference, language);
    return out;
}

} // namespace ondrel::astro
