#include "ports/PortTimeZone.h"

#include "ports/HarmonicsFile.h"
#include "ports/PortLoader.h"
#include "ports/PortTable.h"
#include "ports/ZoneTexts.h"

#include <QDateTime>

#include <cmath>

namespace ondrel {

namespace {

constexpr double kUnixEpochJulian = 2440587.5;
constexpr long double kMillisecondsPerDay = 86400000.0L;

constexpr ZoneTexts kTexts;

QString Text(const TextPair& pair, Language language) {
    return QString::fromUtf8(pair.In(language));
}

} // namespace

double SystemTimeZone::offsetHoursAt(double ut) const {
    const long double ms = (static_cast<long double>(ut) - kUnixEpochJulian) * kMillisecondsPerDay;
    const QDateTime instant =
        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(ms)), Qt::UTC);
    return zone_.offsetFromUtc(instant) / 3600.0;
}

std::string SystemTimeZone::name() const {
    return zone_.id().toStdString();
}

std::shared_ptr<const LegalTimeZone> SystemZone(const QString& ianaName, Language language,
                                                QString* why) {
    const QByteArray id = ianaName.toLatin1();
    if (!id.isEmpty() && QTimeZone::isTimeZoneIdAvailable(id)) {
        QTimeZone zone(id);
        if (zone.isValid()) return std::make_shared<SystemTimeZone>(std::move(zone));
    }
    if (why) *why = Text(kTexts.unknown, language).arg(ianaName);
    return nullptr;
}

PortZones::PortZones(const HarmonicsFile& harmonics, QString tablePath)
    : harmonics_(harmonics), tablePath_(std::move(tablePath)) {}

void PortZones::readTable() const {
    if (read_) return;
    read_ = true;
    PortTable table;
    try {
        table.setReadOnly(true);
        table.open(tablePath_);
        table.selectTag(PortTag::Name);
        for (table.first(); !table.atEnd(); table.next()) {
            const QString name = table.text(PortColumn::NOM).trimmed();
            int country = 0;
            try {
                country = CountryOfZone(table.integer(PortColumn::ZONE));
            } catch (const TableError&) {
                continue; // a row whose zone code cannot be read names no country
            }
            countryOfPort_.insert(name, country);
            const QString zone = harmonics_.isOpen() ? harmonics_.timeZoneName(name) : QString();
            if (zone.isEmpty() || country <= 0) continue;
            const auto known = zoneOfCountry_.constFind(country);
            if (known == zoneOfCountry_.cend())
                zoneOfCountry_.insert(country, zone);
            else if (*known != zone)
                countryHasSeveral_.insert(country, true);
        }
    } catch (const TableError&) {
        // No table: no country has a zone.
    }
}

PortZone PortZones::zoneOf(const QString& name, const QString& standardPort, int country) const {
    if (harmonics_.isOpen()) {
        const QString shipped = harmonics_.timeZoneName(name.trimmed());
        if (!shipped.isEmpty()) return {shipped, ZoneSource::Shipped};
    }
    readTable();
    const QString standard = standardPort.trimmed();
    if (!standard.isEmpty() && harmonics_.isOpen() &&
        countryOfPort_.value(standard, -1) == country) {
        const QString zone = harmonics_.timeZoneName(standard);
        if (!zone.isEmpty()) return {zone, ZoneSource::StandardPort};
    }
    if (country > 0 && !countryHasSeveral_.value(country, false)) {
        const QString zone = zoneOfCountry_.value(country);
        if (!zone.isEmpty()) return {zone, ZoneSource::Country};
    }
    return {};
}

PortZone ZoneOfRow(const PortTable& table, const HarmonicsFile& harmonics) {
    int country = 0;
    try {
        country = CountryOfZone(table.integer(PortColumn::ZONE));
    } catch (const TableError&) {
    }
    const PortZones zones(harmonics, table.fileName());
    return zones.zoneOf(table.text(PortColumn::NOM), table.text(PortColumn::PORT_REF), country);
}

std::shared_ptr<const LegalTimeZone> LegalZoneOf(const PortZone& zone, Language language,
                                                 QString* why) {
    if (zone.name.isEmpty()) {
        if (why) *why = Text(kTexts.none, language);
        return nullptr;
    }
    return SystemZone(zone.name, language, why);
}

} // namespace ondrel
