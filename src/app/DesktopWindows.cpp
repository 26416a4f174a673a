#include "DesktopWindows.h"

#include "AboutWindow.h"
#include "AppState.h"
#include "CountriesWindow.h"
#include "CurveWindow.h"
#include "DateWindow.h"
#include "EphemeridesWindow.h"
#include "HelpTopics.h"
#include "HelpWindow.h"
#include "ImportListWindow.h"
#include "IntervalWindow.h"
#include "LanguageWindow.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "MessageBoxes.h"
#include "OptionsWindow.h"
#include "PageSetupWindow.h"
#include "PortImportFlow.h"
#include "PortWindow.h"
#include "ScreenPlacement.h"
#include "SecondaryPortWizard.h"
#include "SecondaryPortsWindow.h"
#include "TideTableFilterWindow.h"
#include "TideTableWindow.h"
#include "TrayIcon.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

namespace ondrel {

DesktopWindows::DesktopWindows(AppState& state, MessageBoxes& messages)
    : state_(state), messages_(messages), main_(std::make_unique<MainWindow>(state, messages)) {
    createWindows();
    connectMainWindow();
    connectPortManagement();
    connectCurve();
    installHelp();
}

DesktopWindows::~DesktopWindows() {
    main_->saveSettings();
}

void DesktopWindows::createWindows() {
    MainWindow* m = main_.get();
    // In their fixed order, each a child of the main window.
    dateWindow_ = new DateWindow(state_, m);
    portWindow_ = new PortWindow(state_, messages_, m);
    curveWindow_ = new CurveWindow(state_, messages_, m);
    optionsWindow_ = new OptionsWindow(state_, messages_, m);
    languageWindow_ = new LanguageWindow(m);
    intervalWindow_ = new IntervalWindow(state_, messages_, *curveWindow_, m);
    pageSetupWindow_ = new PageSetupWindow(state_, messages_, curveWindow_, m);
    ephemeridesWindow_ = new EphemeridesWindow(state_, m);
    tideTableWindow_ = new TideTableWindow(state_, messages_, m);
    tideTableFilterWindow_ = new TideTableFilterWindow(state_, messages_, m);
    trayIcon_ = new TrayIcon(state_, messages_, m, curveWindow_, m);
    countriesWindow_ = new CountriesWindow(
        state_, messages_, portWindow_->table(), [this] { portWindow_->refreshList(); }, m);
    wizard_ = new SecondaryPortWizard(state_, messages_, *portWindow_, m);
    secondaryPortsWindow_ = new SecondaryPortsWindow(state_, messages_, *portWindow_, *wizard_, m);
    importListWindow_ = new ImportListWindow(state_, m);
    helpWindow_ = new HelpWindow(state_, m);
    helpCollection_ = HelpCollectionFile();
    aboutWindow_ = new AboutWindow(state_, m);
    portImport_ = std::make_unique<PortImportFlow>(state_, messages_, *portWindow_,
                                                   *countriesWindow_, *importListWindow_, m);
    const auto add = [this](auto* window) { windows_.emplace_back(window, window); };
    add(dateWindow_);
    add(portWindow_);
    add(curveWindow_);
    add(optionsWindow_);
    add(intervalWindow_);
    add(pageSetupWindow_);
    add(ephemeridesWindow_);
    add(tideTableWindow_);
    add(tideTableFilterWindow_);
    add(countriesWindow_);
    add(wizard_);
    add(secondaryPortsWindow_);
    add(importListWindow_);
    add(helpWindow_);
    add(aboutWindow_);
}

void DesktopWindows::connectMainWindow() {
    MainWindow* m = main_.get();
    m->setNeighbours(*portWindow_, *languageWindow_);
    m->fontCommands().add(ephemeridesWindow_->fontControls());
    m->setEphemeridesWindow([this] { ShowBeside(ephemeridesWindow_, main_.get()); });
    m->setTideTableWindow([this] { ShowBeside(tideTableWindow_, main_.get()); });
    m->setImport([this](const QString& file) { return portImport_->importPorts(file, true); });
    QObject::connect(m, &MainWindow::dateChoiceRequested, m,
                     [this] { ShowBeside(dateWindow_, main_.get()); });
    QObject::connect(m, &MainWindow::optionsRequested, m,
                     [this] { ShowBeside(optionsWindow_, main_.get()); });
    QObject::connect(m, &MainWindow::aboutRequested, m, [this] { showAbout(); });
    QObject::connect(m, &MainWindow::reduceRequested, trayIcon_, &TrayIcon::reduce);
    QObject::connect(m, &MainWindow::languageChanged, m, [this] { followLanguage(); });
    QObject::connect(m, &MainWindow::settingsSaved, m, [this] { uninstall(); });
    QObject::connect(trayIcon_, &TrayIcon::quitRequested, m, &MainWindow::quitRequested);
    QObject::connect(dateWindow_, &DateWindow::dateConfirmed, m, &MainWindow::dateConfirmed);
    QObject::connect(portWindow_, &PortWindow::portConfirmed, m, &MainWindow::showChosenPort);
    QObject::connect(optionsWindow_, &OptionsWindow::timeReferenceLabelChanged, m,
                     &MainWindow::setTimeReferenceLabel);
    QObject::connect(optionsWindow_, &OptionsWindow::optionsConfirmed, m,
                     [m] { m->acceptWarning(); });
    tideTableWindow_->setFilterWindow(tideTableFilterWindow_);
}

void DesktopWindows::connectPortManagement() {
    MainWindow* m = main_.get();
    // The curve and the tide table are of the current port: both go while a port is edited.
    wizard_->setBeforeStandardPortChoice([this] {
        curveWindow_->hide();
        tideTableWindow_->hide();
    });
    secondaryPortsWindow_->setPortDisplayReset([m] { m->clearPortDisplay(); });
    // The port shown, modified: its report and curve are made again from what was stored.
    QObject::connect(wizard_, &SecondaryPortWizard::portStored, m,
                     [this](const QString& previousName, const QString& name) {
                         if (!state_.portChosen || previousName.isEmpty()) return;
                         if (NameKey(QString::fromStdString(state_.port.name)) !=
                             NameKey(previousName))
                             return;
                         if (portWindow_->selectNearest(name)) portWindow_->confirm();
                     });
    m->setPortManagementEnabled(portWindow_->tableIsOpen());
    QObject::connect(m, &MainWindow::addSecondaryPortRequested, m, [this] {
        const bool shown = wizard_->isVisible();
        wizard_->startAdd();
        if (!shown) {
            wizard_->hide();
            ShowBeside(wizard_, main_.get());
        }
    });
    QObject::connect(m, &MainWindow::modifySecondaryPortRequested, m, [this] {
        curveWindow_->hide();
        tideTableWindow_->hide();
        ShowBeside(secondaryPortsWindow_, main_.get());
    });
    QObject::connect(m, &MainWindow::importRequested, m,
                     [this] { portImport_->chooseAndImport(); });
    portWindow_->setCountriesAvailable(true);
    QObject::connect(portWindow_, &PortWindow::countriesRequested, m,
                     [this] { ShowBeside(countriesWindow_, portWindow_); });
}

// The curve window draws every day curve, hosts the interval calculation and prints with the
// page settings.
void DesktopWindows::connectCurve() {
    curveWindow_->setIntervalWindow(intervalWindow_);
    curveWindow_->setPageSetupWindow(pageSetupWindow_,
                                     [this] { return pageSetupWindow_->blackAndWhite(); });
    QObject::connect(main_.get(), &MainWindow::dayCurveRequested, curveWindow_,
                     &CurveWindow::drawDayCurve);
    QObject::connect(main_.get(), &MainWindow::positionIndicatorAllowed, curveWindow_,
                     &CurveWindow::setPositionIndicatorAllowed);
}

void DesktopWindows::installHelp() {
    state_.help = [this](int context) { showHelp(context); };
    helpKey_ = new HelpKeyFilter(
        [this](int context) {
            if (state_.help) state_.help(context);
        },
        main_.get());
    qApp->installEventFilter(helpKey_);
    screenKeeper_ = new KeepWindowsOnScreen(main_.get());
    qApp->installEventFilter(screenKeeper_);
}

// On the way out, once the settings are saved.
void DesktopWindows::uninstall() {
    trayIcon_->remove();
    qApp->removeEventFilter(helpKey_);
    qApp->removeEventFilter(screenKeeper_);
    state_.help = nullptr;
}

void DesktopWindows::followLanguage() {
    for (const auto& [widget, window] : windows_)
        if (widget->isVisible()) window->followLanguage();
}

void DesktopWindows::showHelp(int context) {
    if (!helpWindow_->isOpen()) {
        if (helpCollection_.isEmpty() || !helpWindow_->open(helpCollection_)) {
            const QDir programDir(QCoreApplication::applicationDirPath());
            const QString where = QDir::toNativeSeparators(
                QDir::cleanPath(programDir.filePath(QStringLiteral("../share/ondrel/help"))));
            messages_.information(
                main_.get(), MainWindowTexts{}.noHelp.in(state_.settings.language()).arg(where));
            return;
        }
    }
    // Beside the window the help is asked from.
    QWidget* asking = QApplication::activeWindow();
    PlaceBeside(helpWindow_, asking && asking != helpWindow_ ? asking : main_.get());
    helpWindow_->showTopic(context);
}

void DesktopWindows::showAbout() {
    aboutWindow_->retranslate();
    aboutWindow_->adjustSize();
    CentreOn(aboutWindow_, main_.get());
    aboutWindow_->show();
    aboutWindow_->raise();
    aboutWindow_->activateWindow();
}

} // namespace ondrel
