// DesktopWindows: the windows of the desktop program, each created when it is first needed and
// connected then: the main window leads to the others, the curve window draws every day curve, a
// language switch reaches every shown window, the help key opens the help window. The start
// builds the main window only.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QObject;
class QWidget;

namespace ondrel {

struct AppState;
class AboutWindow;
class CountriesWindow;
class CurveWindow;
class DateWindow;
class EphemeridesWindow;
class HelpWindow;
class ImportListWindow;
class IntervalWindow;
class LanguageWindow;
class MainWindow;
class MessageBoxes;
class OptionsWindow;
class PageSetupWindow;
class PortImportFlow;
class PortWindow;
class SecondaryPortWizard;
class SecondaryPortsWindow;
class TideTableFilterWindow;
class TideTableWindow;
class StreamCurveWindow;
class TrayIcon;
class WindowContract;

class DesktopWindows {
public:
    // Loads the settings (the main window does) and builds the main window.
    DesktopWindows(AppState& state, MessageBoxes& messages);
    // Saves the settings if that was not done yet.
    ~DesktopWindows();
    DesktopWindows(const DesktopWindows&) = delete;
    DesktopWindows& operator=(const DesktopWindows&) = delete;

    MainWindow& main() const { return *main_; }
    // The other windows, each created on the first call.
    DateWindow* dateWindow();
    PortWindow* portWindow();
    OptionsWindow* optionsWindow();
    CurveWindow* curveWindow();
    IntervalWindow* intervalWindow();
    PageSetupWindow* pageSetupWindow();
    LanguageWindow* languageWindow();
    EphemeridesWindow* ephemeridesWindow();
    TideTableWindow* tideTableWindow();
    StreamCurveWindow* streamCurveWindow();
    TideTableFilterWindow* tideTableFilterWindow();
    TrayIcon* trayIcon();
    CountriesWindow* countriesWindow();
    SecondaryPortWizard* secondaryPortWizard();
    SecondaryPortsWindow* secondaryPortsWindow();
    ImportListWindow* importListWindow();
    HelpWindow* helpWindow();
    AboutWindow* aboutWindow();
    PortImportFlow& portImport();

    // The command line: "/a FILE" imports ports at start.
    void importAtStart(const QStringList& arguments);

    // The help collection the help window opens (found beside the program unless set).
    void setHelpCollection(const QString& file) { helpCollection_ = file; }

private:
    void connectMainWindow();
    void connectPortManagement();
    void connectCurve();
    void installHelp();
    // A window just made joins the list that follows a language switch.
    template <typename Window> Window* joined(Window* window);
    // The curve and the tide table are of the current port: both go while a port is edited.
    void hidePortViews();
    void uninstall();
    // A language switch: every shown window speaks the new language at once.
    void followLanguage();
    void showHelp(int context);
    void showAbout();

    AppState& state_;
    MessageBoxes& messages_;
    std::unique_ptr<MainWindow> main_;
    DateWindow* dateWindow_ = nullptr;
    PortWindow* portWindow_ = nullptr;
    CurveWindow* curveWindow_ = nullptr;
    StreamCurveWindow* streamCurveWindow_ = nullptr;
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
    HelpWindow* helpWindow_ = nullptr;
    AboutWindow* aboutWindow_ = nullptr;
    std::unique_ptr<PortImportFlow> portImport_;
    // Every window made so far but the main one, which leads the language switch.
    std::vector<std::pair<QWidget*, WindowContract*>> windows_;
    // Turns the help key in any window into a help request.
    QObject* helpKey_ = nullptr;
    // Keeps every window that appears on the screen.
    QObject* screenKeeper_ = nullptr;
    // Found beside the program when help is first asked for, unless set.
    std::optional<QString> helpCollection_;
};

} // namespace ondrel
