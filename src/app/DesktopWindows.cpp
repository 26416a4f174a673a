#include "app/DesktopWindows.h"

#include "rules/HelpTopics.h"
#include "state/AppState.h"
#include "views/common/MessageBoxes.h"
#include "views/common/ScreenPlacement.h"
#include "views/curve/CurveWindow.h"
#include "views/curve/IntervalWindow.h"
#include "views/curve/PageSetupWindow.h"
#include "views/curve/StreamCurveWindow.h"
#include "views/help/AboutWindow.h"
#include "views/help/HelpKeyFilter.h"
#include "views/help/HelpWindow.h"
#include "views/main/DateWindow.h"
#include "views/main/LanguageWindow.h"
#include "views/main/MainWindow.h"
#include "views/main/MainWindowTexts.h"
#include "views/main/OptionsWindow.h"
#include "views/main/TrayIcon.h"
#include "views/ports/CountriesWindow.h"
#include "views/ports/ImportListWindow.h"
#include "views/ports/PortImportFlow.h"
#include "views/ports/PortWindow.h"
#include "views/ports/SecondaryPortWizard.h"
#include "views/ports/SecondaryPortsWindow.h"
#include "views/sun/EphemeridesWindow.h"
#include "views/tidetable/TideTableFilterWindow.h"
#include "views/tidetable/TideTableWindow.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

namespace ondrel {

DesktopWindows::DesktopWindows(AppState& state, MessageBoxes& messages)
    : state_(state), messages_(messages), main_(std::make_unique<MainWindow>(state, messages)) {
    connectMainWindow();
    connectPortManagement();
    connectCurve();
    installHelp();
}

DesktopWindows::~DesktopWindows() {
    main_->saveSettings();
}

template <typename Window> Window* DesktopWindows::joined(Window* window) {
    windows_.emplace_back(window, window);
    return window;
}

// Each window is a child of the main window, made on the first call and connected then.

DateWindow* DesktopWindows::dateWindow() {
    if (dateWindow_) return dateWindow_;
    dateWindow_ = joined(new DateWindow(state_, main_.get()));
    QObject::connect(dateWindow_, &DateWindow::dateConfirmed, main_.get(),
                     &MainWindow::dateConfirmed);
    return dateWindow_;
}

PortWindow* DesktopWindows::portWindow() {
    if (portWindow_) return portWindow_;
    MainWindow* m = main_.get();
    portWindow_ = joined(new PortWindow(state_, messages_, m));
    QObject::connect(portWindow_, &PortWindow::portConfirmed, m, &MainWindow::showChosenPort);
    QObject::connect(portWindow_, &PortWindow::stationConfirmed, m, &MainWindow::showChosenStation);
    portWindow_->setCountriesAvailable(true);
    QObject::connect(portWindow_, &PortWindow::countriesRequested, m,
                     [this] { ShowBeside(countriesWindow(), portWindow_); });
    m->setPortManagementEnabled(portWindow_->tableIsOpen());
    return portWindow_;
}

// The curve window draws every day curve, hosts the interval calculation and prints with the
// page settings: the three are made together.
CurveWindow* DesktopWindows::curveWindow() {
    if (curveWindow_) return curveWindow_;
    MainWindow* m = main_.get();
    curveWindow_ = joined(new CurveWindow(state_, messages_, m));
    intervalWindow_ = joined(new IntervalWindow(state_, messages_, *curveWindow_, m));
    pageSetupWindow_ = joined(new PageSetupWindow(state_.settings, state_.settingsStore,
                                                  state_.help, messages_, curveWindow_, m));
    curveWindow_->setIntervalWindow(intervalWindow_);
    PageSetupWindow* pageSetup = pageSetupWindow_;
    curveWindow_->setPageSetupWindow(pageSetup, [pageSetup] { return pageSetup->blackAndWhite(); });
    return curveWindow_;
}

StreamCurveWindow* DesktopWindows::streamCurveWindow() {
    if (!streamCurveWindow_) {
        streamCurveWindow_ = joined(new StreamCurveWindow(state_, main_.get()));
        streamCurveWindow_->setWindowFlag(Qt::Window);
    }
    return streamCurveWindow_;
}

IntervalWindow* DesktopWindows::intervalWindow() {
    curveWindow();
    return intervalWindow_;
}

PageSetupWindow* DesktopWindows::pageSetupWindow() {
    curveWindow();
    return pageSetupWindow_;
}

OptionsWindow* DesktopWindows::optionsWindow() {
    if (optionsWindow_) return optionsWindow_;
    MainWindow* m = main_.get();
    optionsWindow_ = joined(new OptionsWindow(state_.settings, messages_, m));
    QObject::connect(optionsWindow_, &OptionsWindow::timeReferenceLabelChanged, m,
                     &MainWindow::setTimeReferenceLabel);
    QObject::connect(optionsWindow_, &OptionsWindow::optionsConfirmed, m,
                     [m] { m->acceptWarning(); });
    return optionsWindow_;
}

LanguageWindow* DesktopWindows::languageWindow() {
    if (!languageWindow_) languageWindow_ = new LanguageWindow(main_.get());
    return languageWindow_;
}

EphemeridesWindow* DesktopWindows::ephemeridesWindow() {
    if (ephemeridesWindow_) return ephemeridesWindow_;
    ephemeridesWindow_ = joined(new EphemeridesWindow(state_, main_.get()));
    // A new day or port in the main window reaches the open window at once.
    QObject::connect(main_.get(), &MainWindow::dayCurveRequested, ephemeridesWindow_, [this] {
        if (ephemeridesWindow_->isVisible()) ephemeridesWindow_->followMainWindow();
    });
    QObject::connect(main_.get(), &MainWindow::streamCurveRequested, ephemeridesWindow_, [this] {
        if (ephemeridesWindow_->isVisible()) ephemeridesWindow_->followMainWindow();
    });
    main_->fontCommands().add(ephemeridesWindow_->fontControls());
    return ephemeridesWindow_;
}

TideTableWindow* DesktopWindows::tideTableWindow() {
    if (tideTableWindow_) return tideTableWindow_;
    tideTableWindow_ = joined(new TideTableWindow(state_, messages_, main_.get()));
    tideTableWindow_->setFilterWindow(tideTableFilterWindow());
    return tideTableWindow_;
}

TideTableFilterWindow* DesktopWindows::tideTableFilterWindow() {
    if (!tideTableFilterWindow_)
        tideTableFilterWindow_ = joined(new TideTableFilterWindow(
            state_.tideTableFilter, state_.settings, state_.help, messages_, main_.get()));
    return tideTableFilterWindow_;
}

TrayIcon* DesktopWindows::trayIcon() {
    if (trayIcon_) return trayIcon_;
    MainWindow* m = main_.get();
    trayIcon_ = new TrayIcon(state_, messages_, m, curveWindow(), m);
    QObject::connect(trayIcon_, &TrayIcon::quitRequested, m, &MainWindow::quitRequested);
    return trayIcon_;
}

CountriesWindow* DesktopWindows::countriesWindow() {
    if (countriesWindow_) return countriesWindow_;
    countriesWindow_ = joined(new CountriesWindow(state_.settings, state_.help, messages_,
                                                  portWindow()->table(), main_.get()));
    QObject::connect(countriesWindow_, &CountriesWindow::filterApplied, portWindow_,
                     &PortWindow::refreshList);
    return countriesWindow_;
}

SecondaryPortWizard* DesktopWindows::secondaryPortWizard() {
    if (wizard_) return wizard_;
    wizard_ =
        joined(new SecondaryPortWizard(state_.settings, messages_, *portWindow(), main_.get()));
    wizard_->setBeforeStandardPortChoice([this] { hidePortViews(); });
    // The port shown, modified: its report and curve are made again from what was stored.
    QObject::connect(wizard_, &SecondaryPortWizard::portStored, main_.get(),
                     [this](const QString& previousName, const QString& name) {
                         if (!state_.portChosen || previousName.isEmpty()) return;
                         if (NameKey(QString::fromStdString(state_.port.name)) !=
                             NameKey(previousName))
                             return;
                         if (portWindow_->selectNearest(name)) portWindow_->confirm();
                     });
    return wizard_;
}

SecondaryPortsWindow* DesktopWindows::secondaryPortsWindow() {
    if (secondaryPortsWindow_) return secondaryPortsWindow_;
    MainWindow* m = main_.get();
    secondaryPortsWindow_ = joined(new SecondaryPortsWindow(
        state_.settings, messages_, *portWindow(), *secondaryPortWizard(), m));
    secondaryPortsWindow_->setPortDisplayReset([m] { m->clearPortDisplay(); });
    return secondaryPortsWindow_;
}

ImportListWindow* DesktopWindows::importListWindow() {
    if (!importListWindow_)
        importListWindow_ = joined(new ImportListWindow(state_.settings, main_.get()));
    return importListWindow_;
}

HelpWindow* DesktopWindows::helpWindow() {
    if (!helpWindow_) helpWindow_ = joined(new HelpWindow(state_.settings, main_.get()));
    return helpWindow_;
}

AboutWindow* DesktopWindows::aboutWindow() {
    if (!aboutWindow_) aboutWindow_ = joined(new AboutWindow(state_.settings, main_.get()));
    return aboutWindow_;
}

PortImportFlow& DesktopWindows::portImport() {
    if (!portImport_)
        portImport_ =
            std::make_unique<PortImportFlow>(state_.settings, messages_, *portWindow(),
                                             *countriesWindow(), *importListWindow(), main_.get());
    return *portImport_;
}

void DesktopWindows::importAtStart(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.at(1) != u"/a") return;
    const QString file = arguments.value(2);
    if (!file.isEmpty() && portImport().importPorts(file, true)) return;
    // Nothing is said while no language is chosen.
    if (state_.settings.languageChosen())
        messages_.plain(main_.get(),
                        MainWindowTexts{}.importMissing.in(state_.settings.language()));
}

void DesktopWindows::hidePortViews() {
    if (curveWindow_) curveWindow_->hide();
    if (tideTableWindow_) tideTableWindow_->hide();
}

void DesktopWindows::connectMainWindow() {
    MainWindow* m = main_.get();
    m->setNeighbours([this] { return portWindow(); }, [this] { return languageWindow(); });
    QObject::connect(m, &MainWindow::ephemeridesRequested, m,
                     [this] { ShowBeside(ephemeridesWindow(), main_.get()); });
    QObject::connect(m, &MainWindow::tideTableRequested, m,
                     [this] { ShowBeside(tideTableWindow(), main_.get()); });
    QObject::connect(m, &MainWindow::dateChoiceRequested, m,
                     [this] { ShowBeside(dateWindow(), main_.get()); });
    QObject::connect(m, &MainWindow::optionsRequested, m,
                     [this] { ShowBeside(optionsWindow(), main_.get()); });
    QObject::connect(m, &MainWindow::aboutRequested, m, [this] { showAbout(); });
    QObject::connect(m, &MainWindow::reduceRequested, m, [this] { trayIcon()->reduce(); });
    const SettingsEvents* events = &state_.settingsEvents;
    QObject::connect(events, &SettingsEvents::languageChanged, m, [this] { followLanguage(); });
    QObject::connect(m, &MainWindow::settingsSaved, m, [this] { uninstall(); });
}

void DesktopWindows::connectPortManagement() {
    MainWindow* m = main_.get();
    // The commands wait for the port table: the port window opens it.
    QObject::connect(m, &MainWindow::portMenuOpening, m, [this] { portWindow(); });
    QObject::connect(m, &MainWindow::addSecondaryPortRequested, m, [this] {
        SecondaryPortWizard* wizard = secondaryPortWizard();
        const bool shown = wizard->isVisible();
        wizard->startAdd();
        if (!shown) {
            wizard->hide();
            ShowBeside(wizard, main_.get());
        }
    });
    QObject::connect(m, &MainWindow::modifySecondaryPortRequested, m, [this] {
        hidePortViews();
        ShowBeside(secondaryPortsWindow(), main_.get());
    });
    QObject::connect(m, &MainWindow::importRequested, m,
                     [this] { portImport().chooseAndImport(); });
}

// A tide port's height curve, or a current station's speed curve: one of the two is shown.
void DesktopWindows::connectCurve() {
    QObject::connect(main_.get(), &MainWindow::dayCurveRequested, main_.get(),
                     [this](double start, double end) {
                         if (streamCurveWindow_) streamCurveWindow_->hide();
                         curveWindow()->drawDayCurve(start, end);
                     });
    QObject::connect(main_.get(), &MainWindow::streamCurveRequested, main_.get(), [this] {
        if (curveWindow_) curveWindow_->hide();
        StreamCurveWindow* curve = streamCurveWindow();
        const bool appearing = !curve->isVisible();
        if (appearing) PlaceBeside(curve, main_.get());
        curve->draw(appearing ? 1 : curve->shownDays());
    });
    QObject::connect(main_.get(), &MainWindow::positionIndicatorAllowed, main_.get(),
                     [this](bool allowed) { curveWindow()->setPositionIndicatorAllowed(allowed); });
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
    if (trayIcon_) trayIcon_->remove();
    qApp->removeEventFilter(helpKey_);
    qApp->removeEventFilter(screenKeeper_);
    state_.help = nullptr;
}

void DesktopWindows::followLanguage() {
    for (const auto& [widget, window] : windows_)
        if (widget->isVisible()) window->followLanguage();
}

void DesktopWindows::showHelp(int context) {
    HelpWindow* help = helpWindow();
    if (!help->isOpen()) {
        if (!helpCollection_) helpCollection_ = HelpCollectionFile();
        if (helpCollection_->isEmpty() || !help->open(*helpCollection_)) {
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
    PlaceBeside(help, asking && asking != help ? asking : main_.get());
    help->showTopic(context);
}

void DesktopWindows::showAbout() {
    AboutWindow* about = aboutWindow();
    about->retranslate();
    about->adjustSize();
    CentreOn(about, main_.get());
    about->show();
    about->raise();
    about->activateWindow();
}

} // namespace ondrel
