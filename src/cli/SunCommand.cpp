#include "cli/Commands.h"

#include "astro/Ephemerides.h"
#include "astro/EphemerisTexts.h"
#include "cli/Output.h"
#include "engine/TideContext.h"
#include "ports/PortSelectionRules.h"

#include <cstdio>

namespace ondrel::cli {

// The sun and the moon of the day, as the ephemerides window shows them.
int Sun(PortTable& table, const Options& o) {
    const PortRecord port = LoadPort(table, o);
    const auto report = [](const QString& message) {
        std::fprintf(stderr, "%s\n", message.toStdString().c_str());
    };
    const double latitude = DegreesOfText(QString::fromStdString(port.latitude), report);
    const double longitude = DegreesOfText(QString::fromStdString(port.longitude), report);
    const double date = SelectedDayOf(o);
    const TideContext ctx = ContextFor(table, port, o);
    const astro::ShownSun shown =
        astro::SunOfShownDay(ctx, port.timeZone, longitude, latitude, date);
    const astro::SunEphemeris& sun = shown.sun;
    const double offset = shown.offsetHours;
    const astro::Moon moon = astro::MoonAt(date);
    const astro::EphemerisTexts texts =
        astro::EphemerisTextsOf(sun, moon, offset, TimeReference(o.ref), o.language);
    std::vector<std::string> lines;
    for (const std::string* text : {&texts.sunrise, &texts.sunset, &texts.sunriseAzimuth,
                                    &texts.sunsetAzimuth, &texts.moonAge})
        if (!text->empty()) lines.push_back(*text);
    if (texts.moonPhase) lines.push_back(*texts.moonPhase);
    if (!o.json) {
        for (const std::string& line : lines)
            PrintLine(line);
        return 0;
    }
    // A day without sunrise or without sunset has no time nor azimuth for it.
    const auto time = [](const std::optional<astro::SunEvent>& event) {
        return event ? JsonNumber(event->ut) : std::string("null");
    };
    const auto azimuth = [](const std::optional<astro::SunEvent>& event) {
        return event ? JsonNumber(event->azimuth) : std::string("null");
    };
    std::string out =
        "{\"port\": " + JsonString(port.name) + ", \"date\": " + JsonNumber(date) +
        ", \"sunrise\": " + time(sun.sunrise) + ", \"sunset\": " + time(sun.sunset) +
        ", \"sunrise_azimuth\": " + azimuth(sun.sunrise) +
        ", \"sunset_azimuth\": " + azimuth(sun.sunset) + ", \"moon_age\": " + JsonNumber(moon.age) +
        ", \"phase\": " + (texts.moonPhase ? JsonString(*texts.moonPhase) : std::string("null")) +
        ", \"lines\": [";
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += (i ? ", " : "") + JsonString(lines[i]);
    if (TimeReference(o.ref).isPortLegal())
        out += "], \"offset\": " + JsonNumber(offset) + "}\n";
    else
        out += "]}\n";
    Print(out);
    return 0;
}

} // namespace ondrel::cli
