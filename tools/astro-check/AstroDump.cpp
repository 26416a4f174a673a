// ondrel-astro-dump TABLE.dbf < REQUEST.json > ANSWER.json
//
// The sun and the moon of ports over many days, for astro-check.py: one process for what
// `ondrel-cli sun PORT --date D --ref 100 --json` gives one day at a time (the check compares
// the two on a few days). The request is
//   {"ports": [{"name": "BREST", "dates": [JD...]}]}
// with dates as Julian dates at 0 h UT. For each port the answer gives its position as read from
// the table and, for each date, [date, day, sunrise, sunset, sunrise azimuth, sunset azimuth,
// moon age, phase, illuminated fraction, waxing]: day is "rises and sets", "always up" or "always
// down"; times are UT hours (0 to 24), null where the day has no such event.
#include "astro/Ephemerides.h"
#include "astro/EphemerisTexts.h"
#include "engine/PortRecord.h"
#include "ports/PortLoader.h"
#include "ports/PortSelectionRules.h"
#include "ports/PortTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

using namespace ondrel;

namespace {

QJsonValue Day(double longitude, double latitude, double date) {
    const astro::SunEphemeris sun = astro::SunriseSunset(longitude, latitude, date);
    const astro::Moon moon = astro::MoonAt(date);
    const auto time = [](const std::optional<astro::SunEvent>& e) {
        return e ? QJsonValue(e->ut) : QJsonValue();
    };
    const auto azimuth = [](const std::optional<astro::SunEvent>& e) {
        return e ? QJsonValue(e->azimuth) : QJsonValue();
    };
    const char* day = sun.day == astro::SunDay::RisesAndSets ? "rises and sets"
                      : sun.day == astro::SunDay::AlwaysUp   ? "always up"
                                                             : "always down";
    const auto phase = astro::MoonPhaseOf(moon.phaseAge);
    return QJsonArray{
        date,
        QString::fromLatin1(day),
        time(sun.sunrise),
        time(sun.sunset),
        azimuth(sun.sunrise),
        azimuth(sun.sunset),
        moon.age,
        phase ? QJsonValue(QString::fromStdString(astro::MoonPhaseText(*phase, Language::English)))
              : QJsonValue(),
        moon.illuminated,
        moon.waxing};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: ondrel-astro-dump TABLE.dbf < REQUEST.json\n");
        return 2;
    }
    std::map<std::string, PortRecord> ports;
    try {
        PortTable table;
        table.setReadOnly(true);
        table.open(app.arguments().at(1));
        table.selectTag(PortTag::Name);
        for (table.first(); !table.atEnd(); table.next()) {
            PortRecord port;
            Chargement(table, port, [](const QString&) {});
            ports[port.name] = port;
        }
    } catch (const TableError& e) {
        std::fprintf(stderr, "ondrel-astro-dump: %s\n", e.what());
        return 1;
    }

    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return 1;
    const QJsonObject request = QJsonDocument::fromJson(in.readAll()).object();
    QJsonArray answers;
    for (const QJsonValue& v : request.value(QStringLiteral("ports")).toArray()) {
        const QJsonObject q = v.toObject();
        const std::string name = q.value(QStringLiteral("name")).toString().toStdString();
        QJsonObject a;
        a.insert(QStringLiteral("name"), QString::fromStdString(name));
        const auto found = ports.find(name);
        if (found == ports.end()) {
            a.insert(QStringLiteral("missing"), true);
            answers.append(a);
            continue;
        }
        // The position as the window and `ondrel-cli sun` read it.
        const double latitude = DegreesOfText(QString::fromStdString(found->second.latitude), {});
        const double longitude = DegreesOfText(QString::fromStdString(found->second.longitude), {});
        a.insert(QStringLiteral("latitude"), latitude);
        a.insert(QStringLiteral("longitude"), longitude);
        QJsonArray days;
        for (const QJsonValue& d : q.value(QStringLiteral("dates")).toArray())
            days.append(Day(longitude, latitude, d.toDouble()));
        a.insert(QStringLiteral("days"), days);
        answers.append(a);
    }
    QJsonObject answer;
    answer.insert(QStringLiteral("ports"), answers);
    QTextStream(stdout) << QJsonDocument(answer).toJson(QJsonDocument::Compact) << '\n';
    return 0;
}
