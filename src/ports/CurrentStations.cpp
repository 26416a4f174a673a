#include "ports/CurrentStations.h"

#include "ports/TableLocation.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace ondrel {

namespace {

std::optional<double> Direction(const QJsonValue& v) {
    if (!v.isDouble()) return std::nullopt;
    return v.toDouble();
}

// The constants of a reference station; null when one of them is not a constituent the engine
// knows or not a plausible value.
std::shared_ptr<HarmonicConstants> StreamOf(const QJsonObject& o) {
    auto stream = std::make_shared<HarmonicConstants>();
    stream->datumOffset = o.value(QLatin1String("mean_flow")).toDouble();
    for (const QJsonValue term : o.value(QLatin1String("constituents")).toArray()) {
        const QJsonArray t = term.toArray();
        const auto definition = DefineConstituent(t.at(0).toString().toStdString());
        const double amplitude = t.at(1).toDouble(-1);
        const double phase = t.at(2).toDouble(-1);
        // A constituent the engine does not know is left out, as the full model does.
        if (!definition) continue;
        if (!(amplitude >= 0 && amplitude < 50 && phase >= 0 && phase <= 360)) return nullptr;
        stream->terms.push_back({*definition, amplitude, phase});
    }
    if (stream->terms.empty() || !std::isfinite(stream->datumOffset)) return nullptr;
    return stream;
}

// The IANA zones of Canada's coasts and lakes.
bool OnACanadianClock(const QString& zone) {
    static const QStringList canadian = {
        QStringLiteral("America/Vancouver"), QStringLiteral("America/Halifax"),
        QStringLiteral("America/St_Johns"),  QStringLiteral("America/Toronto"),
        QStringLiteral("America/Montreal"),  QStringLiteral("America/Moncton"),
        QStringLiteral("America/Glace_Bay"), QStringLiteral("America/Goose_Bay"),
        QStringLiteral("America/Winnipeg"),  QStringLiteral("America/Iqaluit"),
        QStringLiteral("America/Whitehorse")};
    return canadian.contains(zone);
}

} // namespace

bool CurrentStations::open(const QString& path) {
    stations_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        error_ = QStringLiteral("%1: not a file of current stations (%2)")
                     .arg(path, parse.errorString());
        return false;
    }
    for (const QJsonValue value : document.object().value(QLatin1String("stations")).toArray()) {
        const QJsonObject o = value.toObject();
        CurrentStation s;
        s.id = o.value(QLatin1String("id")).toString();
        s.name = o.value(QLatin1String("name")).toString();
        s.latitude = o.value(QLatin1String("latitude")).toDouble();
        s.longitude = o.value(QLatin1String("longitude")).toDouble();
        s.timeZone = o.value(QLatin1String("timezone")).toString();
        s.country = OnACanadianClock(s.timeZone) ? 6 : 5;
        s.floodDirection = Direction(o.value(QLatin1String("flood_direction")));
        s.ebbDirection = Direction(o.value(QLatin1String("ebb_direction")));
        if (o.contains(QLatin1String("constituents"))) {
            s.stream = StreamOf(o);
            if (!s.stream) continue;
        } else {
            s.reference = o.value(QLatin1String("reference")).toString();
            const QJsonArray f = o.value(QLatin1String("offsets")).toArray();
            if (s.reference.isEmpty() || f.size() != 6) continue;
            s.offsets = {f[0].toDouble(), f[1].toDouble(), f[2].toDouble(),
                         f[3].toDouble(), f[4].toDouble(), f[5].toDouble()};
        }
        if (s.id.isEmpty() || s.name.isEmpty()) continue;
        stations_.push_back(std::move(s));
    }
    if (stations_.empty()) {
        error_ = QStringLiteral("%1: no current station").arg(path);
        return false;
    }
    error_.clear();
    return true;
}

const CurrentStation* CurrentStations::find(const QString& nameOrId) const {
    for (const CurrentStation& s : stations_)
        if (s.id == nameOrId) return &s;
    for (const CurrentStation& s : stations_)
        if (s.name.compare(nameOrId, Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

std::vector<CurrentEvent> StationStream::events(double from, double to) const {
    if (station.stream) return CurrentEvents(*constants, from, to);
    // The largest offsets are a few hours: a day either side covers them.
    return SubordinateCurrentEvents(CurrentEvents(*constants, from - 1, to + 1), station.offsets,
                                    from, to);
}

std::vector<double> StationStream::speeds(double from, double to, int count) const {
    std::vector<double> speeds;
    speeds.reserve(static_cast<std::size_t>(std::max(count, 0)));
    const double step = count > 1 ? (to - from) / (count - 1) : 0;
    // A subordinate station's speed runs between its events, found a day beyond the span.
    const std::vector<CurrentEvent> around =
        station.stream ? std::vector<CurrentEvent>{} : events(from - 1, to + 1);
    for (int i = 0; i < count; ++i) {
        const double t = from + i * step;
        speeds.push_back(station.stream ? CurrentSpeedAt(*constants, t)
                                        : SpeedBetweenEvents(around, t));
    }
    return speeds;
}

std::optional<StationStream> StreamOfStation(const CurrentStations& stations,
                                             const CurrentStation& station, QString* problem) {
    if (station.stream) return StationStream{station, station.stream};
    const CurrentStation* reference = stations.find(station.reference);
    if (reference && reference->stream) return StationStream{station, reference->stream};
    if (problem)
        *problem =
            QStringLiteral("%1: its reference %2 has no data").arg(station.id, station.reference);
    return std::nullopt;
}

PortRecord PlaceOfStation(const CurrentStation& station) {
    const auto written = [](double degrees, int width, char positive, char negative) {
        const long minutes = std::lround(std::fabs(degrees) * 60);
        return QStringLiteral("%1 %2 %3")
            .arg(minutes / 60, width, 10, QLatin1Char('0'))
            .arg(minutes % 60, 2, 10, QLatin1Char('0'))
            .arg(QLatin1Char(degrees < 0 ? negative : positive))
            .toStdString();
    };
    PortRecord place;
    place.name = station.name.toStdString();
    place.latitude = written(station.latitude, 2, 'N', 'S');
    place.longitude = written(station.longitude, 3, 'E', 'W');
    const QTimeZone zone(station.timeZone.toUtf8());
    if (zone.isValid())
        place.timeZone = zone.standardTimeOffset(QDateTime::currentDateTimeUtc()) / 3600.0;
    return place;
}

QString CurrentsToReadFor(const QString& tablePath) {
    return CompanionToRead(tablePath, kCurrentsFileName);
}

} // namespace ondrel
