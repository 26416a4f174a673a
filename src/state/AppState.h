// The state the windows share: the current port, the selected day, the settings, the time
// reference and the secondary-port day cache. The application owns one; windows get it by
// reference.
#pragma once

#include "DateNames.h"
#include "PortRecord.h"
#include "PredictionSource.h"
#include "Secondary.h"
#include "Settings.h"
#include "TableFilter.h"
#include "TideContext.h"

#include <QDateTime>
#include <QSettings>
#include <QString>

#include <functional>
#include <memory>

namespace ondrel {

struct AppState {
    Settings settings;
    PortRecord port;         // the current port
    bool portChosen = false; // the main window shows a port
    double selectedDay = 0;  // SelectedDay: a Julian date at 0 h
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

    // The time reference of the settings and the current port's zone, placed together.
    TideContext context() const { return TideContext(settings.timeReference, port.timeZone); }
    DateNames dateNames = DateNames::French();

    // Where ports.dbf is looked for first.
    QString workingDirectory;
    // Organisation under which the settings are stored ("Software\Ondrel").
    QString settingsOrganisation = QStringLiteral("Ondrel");
    // The system clock; tests set another.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    // The help hook: shows the topic of a context number. Installed by the main window.
    std::function<void(int context)> help;

    std::unique_ptr<QSettings> openSettings() const {
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           settingsOrganisation);
    }
};

} // namespace ondrel
