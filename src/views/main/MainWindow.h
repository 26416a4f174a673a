// MainWindow: the main window. The chosen port and day, the day's high and low waters and
// coefficients, the port information, the safety warning of every start, and the commands that
// lead to the other windows (the application creates those windows and connects them here).
#pragma once

#include "engine/PortRecord.h"
#include "views/common/WindowContract.h"
#include "views/main/FontCommands.h"

#include <QDate>
#include <QMainWindow>

#include <functional>
#include <memory>

namespace ondrel {

struct AppState;
struct ChosenPort;
class LanguageWindow;
class MainInfoPanel;
struct MainMenu;
class MainTopPanel;
class MessageBoxes;
class PortWindow;
class WarningPanel;

class MainWindow : public QMainWindow, public WindowContract {
    Q_OBJECT
public:
    // Loads the settings and builds the window; the other windows come after it.
    MainWindow(AppState& state, MessageBoxes& messages, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The windows the main window leads to itself, each made when first asked for: the port list
    // (the start reloads the last port) and the first start's language question.
    void setNeighbours(std::function<PortWindow*()> ports,
                       std::function<LanguageWindow*()> language);
    // The font commands, to which each window hands its font-sized controls.
    FontCommands& fontCommands() { return fonts_; }

    // Runs each time the window goes from hidden to shown: the language question when no
    // language is known yet, then the texts of the language.
    void onShown();
    // Saves the settings; only the first call writes.
    void saveSettings();
    void retranslate() override;
    void storeFirstStartValues();

    // The acceptance step: today's date and coefficients, the last port reloaded.
    void acceptWarning();
    void refuseWarning();
    bool warningShown() const;

    // A port confirmed in the port window: its caption, information, report and curve.
    void showChosenPort(const ChosenPort& port);
    // A day confirmed in the date window.
    void dateConfirmed(const QDate& date, bool isToday);
    void showDayReport(const PortRecord& port, double curveEnd, double curveStart);
    void writeDayReport(const PortRecord& port);
    // A current station confirmed in the port window (AppState::station): its name and place,
    // its day's slacks and strongest streams, and its curve.
    void showChosenStation(const ChosenPort& place);
    void writeStationReport();
    void showDayCoefficients(double day);
    // Empties the port's caption and information, after a deletion was asked.
    void clearPortDisplay();
    void setTimeReferenceLabel(const QString& text);
    // The port-management commands wait for a port table.
    void setPortManagementEnabled(bool enabled);

    void choosePort();
    void showTideTable();
    void switchLanguage();

signals:
    // The day curve from curveStart to curveEnd is to be drawn (the curve window connects here).
    void dayCurveRequested(double curveStart, double curveEnd);
    // A date other than today was chosen: the curve's position indicator must stop.
    void positionIndicatorAllowed(bool allowed);
    // The current station's speed curve of the selected day is to be drawn.
    void streamCurveRequested();
    // The commands leading to other windows.
    void dateChoiceRequested();
    void tideTableRequested(); // a port is shown
    void ephemeridesRequested();
    void optionsRequested();
    void aboutRequested();
    void addSecondaryPortRequested();
    void modifySecondaryPortRequested();
    void importRequested();
    // The port menu is opening: its commands are to be enabled if the port table is there.
    void portMenuOpening();
    // The quit button hides the program in the notification area.
    void reduceRequested();
    // The settings were written, once, on the way out.
    void settingsSaved();
    // The program is to end (BQuitter, the warning refused, the window closed).
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadSettings();
    void buildControls();
    void connectControls();
    void connectMenu();
    void showLegalTimeReference();
    void reportTableProblem();
    // The model of the settings applied to the current port, and shown under the report.
    void followPrediction();
    void showPredictionModel();
    // A missing or damaged harmonic data file, told once, naming it.
    void tellHarmonicsProblem();
    void updateQuitCaption();
    void quitOrReduce();
    void showHelp(int context);

    AppState& state_;
    MessageBoxes& messages_;
    PortWindow* ports() const { return ports_ ? ports_() : nullptr; }

    std::function<PortWindow*()> ports_;
    std::function<LanguageWindow*()> languageWindow_;
    bool settingsSaved_ = false;
    bool formShowPending_ = false;
    bool accepted_ = false;

    FontCommands fonts_;

    MainTopPanel* top_ = nullptr;
    MainInfoPanel* info_ = nullptr;
    WarningPanel* warning_ = nullptr;
    std::unique_ptr<MainMenu> menu_;
};

} // namespace ondrel
