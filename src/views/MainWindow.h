// MainWindow: the main window. The chosen port and day, the day's high and low waters and
// coefficients, the port information, the safety warning of every start, and the commands that
// lead to the other windows.
#pragma once

#include "PortRecord.h"

#include <QDate>
#include <QFont>
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <vector>

class QAction;
class QFontDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace ondrel {

struct AppState;
struct ChosenPort;
class MessageBoxes;
class CurveWindow;
class DateWindow;
class AboutWindow;
class EphemeridesWindow;
class HelpWindow;
class IntervalWindow;
class PageSetupWindow;
class LanguageWindow;
class OptionsWindow;
class PortWindow;
class TideTableFilterWindow;
class TideTableWindow;
class TrayIcon;
class CountriesWindow;
class SecondaryPortWizard;
class SecondaryPortsWindow;
class ImportListWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Loads the settings, then creates the other windows in their fixed order.
    MainWindow(AppState& state, MessageBoxes& messages, QWidget* parent = nullptr);
    ~MainWindow() override;

    DateWindow* dateWindow() const { return dateWindow_; }
    PortWindow* portWindow() const { return portWindow_; }
    OptionsWindow* optionsWindow() const { return optionsWindow_; }
    CurveWindow* curveWindow() const { return curveWindow_; }
    IntervalWindow* intervalWindow() const { return intervalWindow_; }
    PageSetupWindow* pageSetupWindow() const { return pageSetupWindow_; }
    LanguageWindow* languageWindow() const { return languageWindow_; }
    EphemeridesWindow* ephemeridesWindow() const { return ephemeridesWindow_; }
    TideTableWindow* tideTableWindow() const { return tideTableWindow_; }
    TideTableFilterWindow* tideTableFilterWindow() const { return tideTableFilterWindow_; }
    TrayIcon* trayIcon() const { return trayIcon_; }
    CountriesWindow* countriesWindow() const { return countriesWindow_; }
    SecondaryPortWizard* secondaryPortWizard() const { return wizard_; }
    SecondaryPortsWindow* secondaryPortsWindow() const { return secondaryPortsWindow_; }
    ImportListWindow* importListWindow() const { return importListWindow_; }

    // The ports of an .add file into the table, listed in the import window; reading problems
    // are logged to bug.txt beside the table and reported in one message at the end. False when
    // the file cannot be read (nothing imported); quiet then when asked from the command line.
    bool importPorts(const QString& file, bool fromCommandLine = false);
    // The menu's import: asks for the file (the chooser can be replaced, for tests).
    void chooseAndImportPorts();
    void setImportFileChooser(std::function<QString()> chooser) {
        chooseImportFile_ = std::move(chooser);
    }
    // Empties the port's caption and information, after a deletion was asked.
    void clearPortDisplay();
    HelpWindow* helpWindow() const { return helpWindow_; }
    AboutWindow* aboutWindow() const { return aboutWindow_; }

    // Runs each time the window goes from hidden to shown: the language question when no
    // language is known yet, then the texts of the language.
    void onShown();
    // Saves the settings; only the first call writes.
    void saveSettings();
    void retranslate();
    void InitialisationValeurs(const QString& langue);

    // The acceptance step: today's date and coefficients, the last port reloaded.
    void acceptWarning();
    void refuseWarning();
    bool warningShown() const;

    void showDayReport(const PortRecord& port, double curveEnd, double curveStart);
    void writeDayReport(const PortRecord& port);
    void showDayCoefficients(double day);

    void choosePort();
    void chooseDate();
    void showTideTable();
    void quitOrReduce();
    void showHelpContents();
    void showAbout();
    void showOptions();
    void switchLanguage();
    void chooseFont();
    void restoreDefaultFont();
    // Applies a face, style and effects to the controls that follow the font commands.
    void applyFont(const QFont& font);

    // The command line: "/a FILE" imports ports at start.
    void importAtStart(const QStringList& arguments);

    // Windows of later versions register here; until then their commands stay disabled.
    void setTideTableWindow(std::function<void()> show);
    void setEphemeridesWindow(std::function<void()> show);
    void setImport(std::function<bool(const QString& file)> importPorts);
    // The countries window, shown by the port window's countries button (disabled until then).
    void setCountriesWindow(std::function<void()> show);
    // The help collection the help window opens (found beside the program unless set).
    void setHelpCollection(const QString& file) { helpCollection_ = file; }

signals:
    // The day curve from curveStart to curveEnd is to be drawn (the curve window connects here).
    void dayCurveRequested(double curveStart, double curveEnd);
    // A date other than today was chosen: the curve's position indicator must stop.
    void positionIndicatorAllowed(bool allowed);
    // The language changed; a visible curve window follows at once.
    void languageChanged();
    // The countries window is asked for (port window's BPays).
    void countriesRequested();
    // The program is to end (BQuitter, the warning refused, the window closed).
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setUp();
    void buildControls();
    void buildMenu();
    void holdWidths();
    void buildWarning();
    void placeWarning();
    void showChosenPort(const ChosenPort& port);
    void dateConfirmed(const QDate& date, bool isToday);
    void reportTableProblem();
    void showHelp(int context);
    void updateQuitCaption();
    QWidget* fontControl(const char* name) const;

    AppState& state_;
    MessageBoxes& messages_;
    bool settingsSaved_ = false;
    bool formShowPending_ = false;
    bool accepted_ = false;

    // The windows, created once in their fixed order.
    DateWindow* dateWindow_ = nullptr;
    PortWindow* portWindow_ = nullptr;
    CurveWindow* curveWindow_ = nullptr;
    OptionsWindow* optionsWindow_ = nullptr;
    LanguageWindow* languageWindow_ = nullptr;
    IntervalWindow* intervalWindow_ = nullptr;
    PageSetupWindow* pageSetupWindow_ = nullptr;
    EphemeridesWindow* ephemeridesWindow_ = nullptr;
    TideTableWindow* tideTableWindow_ = nullptr;
    TideTableFilterWindow* tideTableFilterWindow_ = nullptr;
    // The notification icon of the hidden program.
    TrayIcon* trayIcon_ = nullptr;
    CountriesWindow* countriesWindow_ = nullptr;
    SecondaryPortWizard* wizard_ = nullptr;
    SecondaryPortsWindow* secondaryPortsWindow_ = nullptr;
    ImportListWindow* importListWindow_ = nullptr;
    std::function<QString()> chooseImportFile_;
    HelpWindow* helpWindow_ = nullptr;
    AboutWindow* aboutWindow_ = nullptr;
    // Turns the help key in any window into a help request.
    QObject* helpKey_ = nullptr;
    // Keeps every window that appears on the screen.
    QObject* screenKeeper_ = nullptr;
    QString helpCollection_;

    std::function<void()> showTideTable_;
    std::function<void()> showEphemerides_;
    std::function<bool(const QString&)> importPorts_;
    std::function<void()> showCountries_;

    // Top panel.
    QFrame* topPanel_ = nullptr;
    QPushButton* portButton_ = nullptr;
    QPushButton* dateButton_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QGroupBox* coefficientsBox_ = nullptr;
    QLabel* morningCoefficient_ = nullptr;
    QLabel* eveningCoefficient_ = nullptr;
    QPushButton* tideTableButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    // Lower panel.
    QFrame* infoPanel_ = nullptr;
    QFrame* timesPanel_ = nullptr;
    QLabel* timesTitle_ = nullptr;
    QPlainTextEdit* dayReport_ = nullptr;
    QFrame* infoTitlePanel_ = nullptr;
    QLabel* infoTitle_ = nullptr;
    std::vector<QLabel*> infoLines_; // one label per line
    QLabel* portInfo_ = nullptr;
    QLabel* latitude_ = nullptr;
    QLabel* longitude_ = nullptr;
    QLabel* timeZone_ = nullptr;
    QPushButton* ephemeridesButton_ = nullptr;
    QLabel* timeReferenceLabel_ = nullptr;
    // The warning.
    QFrame* warningPanel_ = nullptr;
    QTextEdit* warningText_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
    QPushButton* refuseButton_ = nullptr;
    // Menu.
    QMenu* portsMenu_ = nullptr;
    QAction* addSecondaryPortAction_ = nullptr;
    QAction* modifySecondaryPortAction_ = nullptr;
    QAction* importPortsAction_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QAction* optionsAction_ = nullptr;
    QAction* hideOnQuitAction_ = nullptr;
    QMenu* fontMenu_ = nullptr;
    QAction* changeFontAction_ = nullptr;
    QAction* defaultFontAction_ = nullptr;
    QAction* languageAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* aboutAction_ = nullptr;

    // The fonts the controls were built with, for the default-font command.
    QHash<QWidget*, QFont> builtInFonts_;
};

// The font commands choose face, style and effects: the size controls of Qt's font dialog are
// hidden.
void HideFontSizeControls(QFontDialog& dialog);

} // namespace ondrel
