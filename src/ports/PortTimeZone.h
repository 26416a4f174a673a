// Each port's legal time: the IANA name of its zone and the zone's rules from the system's
// time-zone database (QTimeZone over tzdata), behind the engine's LegalTimeZone.
//
// A shipped port's zone is the one harmonics.bin gives. A port without one (added by the wizard
// or an import) takes its standard port's when it is secondary and in the same country, else the
// only zone of its country when the shipped ports of that country all share one, else none: its
// legal time then falls back to its standard time, and the reason says so.
#pragma once

#include "engine/Language.h"
#include "engine/LegalTime.h"

#include <QHash>
#include <QString>
#include <QTimeZone>

#include <memory>
#include <optional>

namespace ondrel {

class HarmonicsFile;
class PortTable;

// A zone of the system's database.
class SystemTimeZone final : public LegalTimeZone {
public:
    explicit SystemTimeZone(QTimeZone zone) : zone_(std::move(zone)) {}
    double offsetHoursAt(double ut) const override;
    std::string name() const override;

private:
    QTimeZone zone_;
};

// The zone of this name, or nothing with the reason (in the language) when the system does not
// know it.
std::shared_ptr<const LegalTimeZone> SystemZone(const QString& ianaName, Language language,
                                                QString* why = nullptr);

// How a port's zone was found.
enum class ZoneSource { Shipped, StandardPort, Country, None };

struct PortZone {
    QString name; // IANA name; empty when the port has none
    ZoneSource source = ZoneSource::None;
};

// The zones of the ports of one table, from its companion harmonics.bin.
class PortZones {
public:
    // harmonics: the table's companion, open or not; tablePath: the table, read (on the first
    // port without a shipped zone) for the countries and standard ports of its rows.
    PortZones(const HarmonicsFile& harmonics, QString tablePath);

    // The zone of the port of this name: the standard port's name of a secondary port (empty for
    // a standard port) and the country number of its zone code are those of its row.
    PortZone zoneOf(const QString& name, const QString& standardPort, int country) const;

private:
    void readTable() const;

    const HarmonicsFile& harmonics_;
    QString tablePath_;
    mutable bool read_ = false;
    mutable QHash<QString, int> countryOfPort_;  // every port of the table
    mutable QHash<int, QString> zoneOfCountry_;  // the countries whose shipped ports share one
    mutable QHash<int, bool> countryHasSeveral_; // the countries whose shipped ports do not
};

// The zone of the table's current row (a convenience over PortZones for one port).
PortZone ZoneOfRow(const PortTable& table, const HarmonicsFile& harmonics);

// The legal zone a context uses for this port: the system's zone of its name, or nothing, with
// the reason in *why (in the language), when the port has no zone or the system does not know it.
std::shared_ptr<const LegalTimeZone> LegalZoneOf(const PortZone& zone, Language language,
                                                 QString* why = nullptr);

} // namespace ondrel
