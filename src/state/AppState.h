// The state the windows share: the current port, the selected day, the settings, the time
// reference and the secondary-port day cache. The application owns one; windows get it by
// reference.
#pragma once

#include "engine/PortRecord.h"
#include "engine/Secondary.h"
#include "engine/TableFilter.h"
#include "engine/TideContext.h"
#include "ports/CurrentStations.h"
#include "state/PredictionSource.h"
#include "state/Services.h"
#include "state/Settings.h"
#include "state/SettingsEvents.h"
#include "texts/DateNames.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

namespace ondrel {

struct AppState {
    Settings settings;
    // Says which settings changed, to the windows that show them.
    SettingsEvents settingsEvents;
    PortRecord port;         // the current port
    bool portChosen = false; // the main window shows a tide port
    // The current station the main window shows instead of a tide port (null while it shows a
    // port, or nothing). port then holds the station as a place (PlaceOfStation), for the sun and
    // the time zone, and legalZone its zone.
    std::shared_ptr<const StationStream> station;
    double selectedDay = 0; // SelectedDay: a Julian date at 0 h
    // The secondary-port day cache of the curves and the day report.
    SecondaryDayCache secondaryCache;
    // The main window's coefficients.
    CoefficientMemo coefficientMemo;
    // The tide table's filter, set in its filter window and read by every calculation.
    TideTableFilter tideTableFilter;
    // The model of the settings and the current port's harmonic constants; the main window makes
    // it follow each port it shows.
    PredictionSource prediction;

    // What gives the current port's heights and times (valid while port is unchanged).
    TideSource source() const { return prediction.sourceFor(port); }

    // The current port's legal time (summer time included): its zone's IANA name, and the
    // system's rules for it; null when the port has no zone or the system does not know it (the
    // legal time then falls back to the port's standard time, and legalZoneProblem says why).
    QString legalZoneName;
    std::shared_ptr<const LegalTimeZone> legalZone;
    QString legalZoneProblem;

    // The time reference of the settings and the current port's zone, placed together.
    TideContext context() const {
        return TideContext(settings.timeReference, port.timeZone, legalZone);
    }
    DateNames dateNames = DateNames::French();

    // Where ports.dbf is looked for first.
    QString workingDirectory;
    // Where the settings are stored.
    SettingsStore settingsStore;
    // The system clock; tests set another.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    // The help, installed by the application.
    HelpHook help;
};

} // namespace ondrel
