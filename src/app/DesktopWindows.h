// DesktopWindows: the windows of the desktop program, created once in their fixed order and
// connected together: the main window leads to the others, the curve window draws every day
// curve, a language switch reaches every shown window, the help key opens the help window.
#pragma once

#include <QString>

#include <memory>
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
class TrayIcon;
class WindowContract;

class DesktopWindows {
public:
    // Loads the settings (the main window does, first), then creates every other window.
    DesktopWindows(AppState& state, MessageBoxes& messages);
    // Saves the settings if that was not done yet.
    ~DesktopWindows();
    DesktopWindows(const DesktopWindows&) = delete;
    DesktopWindows& operator=(const DesktopWindows&) = delete;

    MainWindow& main() const { return *main_; }
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
    HelpWindow* helpWindow() const { return helpWindow_; }
    AboutWindow* aboutWindow() const { return aboutWindow_; }
    PortImportFlow& portImport() const { return *portImport_; }

    // The help collection the help window opens (found beside the program unless set).
    void setHelpCollection(const QString& file) { helpCollection_ = file; }

private:
    void createWindows();
    void connectMainWindow();
    void connectPortManagement();
    void connectCurve();
    void installHelp();
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
    // Every window but the main one, which leads the language switch.
    std::vector<std::pair<QWidget*, WindowContract*>> windows_;
    // Turns the help key in any window into a help request.
    QObject* helpKey_ = nullptr;
    // Keeps every window that appears on the screen.
    QObject* screenKeeper_ = nullptr;
    QString helpCollection_;
};

} // namespace ondrel
