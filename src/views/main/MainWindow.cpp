#include "views/main/MainWindow.h"

#include "engine/Extremes.h"
#include "engine/Julian.h"
#include "engine/Report.h"
#include "ports/TableLocation.h"
#include "rules/HelpTopics.h"
#include "state/AppState.h"
#include "texts/Bilingual.h"
#include "texts/DateTimeJulian.h"
#include "texts/StreamTexts.h"
#include "texts/TideTableText.h"
#include "views/common/MessageBoxes.h"
#include "views/common/QtTranslations.h"
#include "views/common/ScreenPlacement.h"
#include "views/common/Widgets.h"
#include "views/main/LanguageWindow.h"
#include "views/main/MainPanels.h"
#include "views/main/MainWindowTexts.h"
#include "views/main/WarningPanel.h"
#include "views/ports/PortWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace ondrel {

namespace {

const MainWindowTexts kTexts;

} // namespace

MainWindow::MainWindow(AppState& state, MessageBoxes& messages, QWidget* parent)
    : QMainWindow(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("TPrincipale"));
    setWindowTitle(QStringLiteral("Ondrel"));
    // A system menu and a minimise box, no maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildControls();
    menu_ = std::make_unique<MainMenu>(menuBar());
    connectMenu();
    warning_ = new WarningPanel(centralWidget());
    connect(warning_, &WarningPanel::accepted, this, [this] { acceptWarning(); });
    connect(warning_, &WarningPanel::refused, this, [this] { refuseWarning(); });
    loadSettings();
}

MainWindow::~MainWindow() {
    saveSettings();
}

void MainWindow::setNeighbours(std::function<PortWindow*()> ports,
                               std::function<LanguageWindow*()> language) {
    ports_ = std::move(ports);
    languageWindow_ = std::move(language);
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    top_ = new MainTopPanel(central);
    info_ = new MainInfoPanel(central);
    outer->addWidget(top_);
    outer->addWidget(info_, 1);
    fonts_.add(top_->fontControls());
    fonts_.add(info_->fontControls());
    connectControls();
    // The coefficients are explained with the curve.
    top_->coefficientsBox()->setProperty(kHelpContextProperty, int(kHelpCurve));
    for (QPushButton* b : {top_->portButton(), top_->dateButton(), info_->ephemeridesButton(),
                           top_->tideTableButton()})
        b->setEnabled(false);
}

void MainWindow::connectControls() {
    connect(top_->portButton(), &QPushButton::clicked, this, [this] { choosePort(); });
    connect(top_->dateButton(), &QPushButton::clicked, this, &MainWindow::dateChoiceRequested);
    connect(top_->tideTableButton(), &QPushButton::clicked, this, [this] { showTideTable(); });
    connect(top_->quitButton(), &QPushButton::clicked, this, [this] { quitOrReduce(); });
    connect(top_->helpButton(), &QPushButton::clicked, this, [this] { showHelp(kHelpHome); });
    connect(info_->ephemeridesButton(), &QPushButton::clicked, this,
            &MainWindow::ephemeridesRequested);
}

void MainWindow::connectMenu() {
    const MainMenu& m = *menu_;
    connect(m.ports, &QMenu::aboutToShow, this, &MainWindow::portMenuOpening);
    connect(m.addSecondaryPort, &QAction::triggered, this, &MainWindow::addSecondaryPortRequested);
    connect(m.modifySecondaryPort, &QAction::triggered, this,
            &MainWindow::modifySecondaryPortRequested);
    connect(m.importPorts, &QAction::triggered, this, &MainWindow::importRequested);
    connect(m.options, &QAction::triggered, this, &MainWindow::optionsRequested);
    connect(m.hideOnQuit, &QAction::toggled, this, [this](bool on) {
        state_.settings.hideOnQuit = on;
        updateQuitCaption();
    });
    connect(m.changeFont, &QAction::triggered, this, [this] {
        fonts_.choose(this, top_->portButton()->font(), state_.settings.language());
    });
    connect(m.defaultFont, &QAction::triggered, this, [this] { fonts_.restoreDefaults(); });
    connect(m.otherLanguage, &QAction::triggered, this, [this] { switchLanguage(); });
    connect(m.helpTopics, &QAction::triggered, this, [this] { showHelp(kHelpHome); });
    connect(m.about, &QAction::triggered, this, &MainWindow::aboutRequested);
}

void MainWindow::setPortManagementEnabled(bool enabled) {
    menu_->setPortManagementEnabled(enabled);
}

void MainWindow::loadSettings() {
    if (!state_.settingsStore.usable())
        QTimer::singleShot(0, this, [this] {
            const Bilingual notAFile{
                "%1 n'est pas un fichier ordinaire : les réglages ne sont ni lus ni enregistrés.",
                "%1 is not a regular file: the settings are neither read nor saved."};
            messages_.information(
                this, notAFile.in(state_.settings.language()).arg(state_.settingsStore.fileName()));
        });
    auto store = state_.settingsStore.open();
    state_.settings = LoadSettings(*store);
    state_.settings.decimalSeparator = SystemDecimalSeparator();
    {
        const QSignalBlocker blocker(menu_->hideOnQuit);
        menu_->hideOnQuit->setChecked(state_.settings.hideOnQuit);
    }
    if (const auto& b = state_.settings.bounds) {
        // A place on no screen any more (a screen removed since) is brought back onto one.
        const QRect place = FitOnScreen(QRect(b->left, b->top, b->width, b->height));
        resize(place.size());
        move(place.topLeft());
    } else {
        // The first start: near the screen's top-left corner, so that the windows it opens find
        // room beside it, and its questions are centred on it wherever the desktop would have
        // put it.
        adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().topLeft() + QPoint(24, 24));
    }
}

void MainWindow::saveSettings() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    state_.settings.bounds = WindowBounds{y(), x(), width(), height()};
    // A store that is not a regular file is never written (said at the start).
    if (state_.settingsStore.usable()) {
        auto store = state_.settingsStore.open();
        if (!SaveSettings(*store, state_.settings)) {
            const Bilingual notSaved{"Les réglages n'ont pas pu être enregistrés dans %1.",
                                     "The settings could not be saved to %1."};
            messages_.information(this,
                                  notSaved.in(state_.settings.language()).arg(store->fileName()));
        }
    }
    emit settingsSaved();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    warning_->place();
    if (!event->spontaneous() && !formShowPending_) {
        formShowPending_ = true;
        // Once the window is on screen, so that the language question comes up over it.
        QTimer::singleShot(0, this, [this] {
            formShowPending_ = false;
            onShown();
        });
    }
}

void MainWindow::onShown() {
    if (!state_.settings.languageChosen() && languageWindow_) {
        state_.settings.chosenLanguage = languageWindow_()->ask(this);
        storeFirstStartValues();
    }
    retranslate();
    if (warningShown()) {
        // Enter accepts the warning once the language question is gone.
        activateWindow();
        warning_->focusAccept();
    }
}

void MainWindow::storeFirstStartValues() {
    auto store = state_.settingsStore.open();
    StoreFirstStartValues(*store, state_.settings, state_.settings.language());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit quitRequested();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    warning_->place();
}

bool MainWindow::warningShown() const {
    return !warning_->isHidden();
}

void MainWindow::retranslate() {
    const Settings& s = state_.settings;
    if (!s.languageChosen()) return; // no language chosen: the built-in texts stay
    const Language l = s.language();
    // Qt's own dialogs and buttons speak the program's language.
    UseQtTranslations(l);
    setWindowTitle(kTexts.caption.in(l));
    state_.dateNames = DateNames::Of(l);
    menu_->retranslate(l);
    if (state_.selectedDay > 0)
        top_->showDate(FormatLongDate(CalendarDateOf(state_.selectedDay), state_.dateNames));
    top_->retranslate(l);
    updateQuitCaption();
    info_->retranslate(l);
    warning_->retranslate(l);
    if (s.timeReference.isPortLegal() && (state_.portChosen || state_.station))
        showLegalTimeReference();
    else
        info_->setTimeReference(QString::fromStdString(s.timeReference.label(s.language())));
    showPredictionModel();
}

void MainWindow::updateQuitCaption() {
    top_->setQuitCaption(state_.settings.hideOnQuit, state_.settings.language());
}

void MainWindow::acceptWarning() {
    warning_->hide();
    accepted_ = true;

    const QDate today = state_.clock().date();
    top_->showDate(FormatLongDate(today, state_.dateNames));
    state_.selectedDay = JulianDay(today.year(), today.month(), today.day());
    showDayCoefficients(state_.selectedDay);

    top_->portButton()->setEnabled(true);
    top_->dateButton()->setEnabled(true);
    top_->portButton()->setFocus();
    info_->ephemeridesButton()->setEnabled(true);
    top_->tideTableButton()->setEnabled(true);

    PortWindow* portList = ports();
    if (!portList || !portList->tableIsOpen()) {
        reportTableProblem();
        return;
    }
    // The current station shown last, when it was one.
    if (!state_.settings.lastStationId.isEmpty() &&
        portList->selectStation(state_.settings.lastStationId)) {
        portList->confirm();
        return;
    }
    if (!state_.settings.lastPortName.isEmpty() &&
        portList->selectNearest(state_.settings.lastPortName)) {
        // The port window's OK fills the port information, the report and the curve.
        portList->confirm();
        return;
    }
    choosePort();
}

void MainWindow::refuseWarning() {
    emit quitRequested();
}

void MainWindow::showChosenPort(const ChosenPort& port) {
    top_->showPortName(port.name);
    info_->showPort(port);
    state_.portChosen = true;
    if (state_.settings.timeReference.isPortLegal()) showLegalTimeReference();
    // The coefficients place the day's midnight with the current port's time zone: a port in
    // another zone can change them.
    if (accepted_) showDayCoefficients(state_.selectedDay);
    followPrediction();
    showDayReport(state_.port, state_.selectedDay + state_.settings.curveEnd,
                  state_.selectedDay + state_.settings.curveStart);
    // Once the report of the table model is there to be seen behind it.
    tellHarmonicsProblem();
}

void MainWindow::showChosenStation(const ChosenPort& place) {
    top_->showPortName(place.name);
    info_->showPort(place);
    state_.portChosen = false;
    info_->hideModel();
    if (state_.settings.timeReference.isPortLegal()) showLegalTimeReference();
    if (accepted_) showDayCoefficients(state_.selectedDay);
    writeStationReport();
    emit streamCurveRequested();
}

// The day's events on the station's clock of the time reference.
void MainWindow::writeStationReport() {
    if (!state_.station) return;
    const StationStream& stream = *state_.station;
    const QDate day = CalendarDateOf(state_.selectedDay);
    const std::vector<ClockedCurrentEvent> events = EventsOnClock(
        stream.events(state_.selectedDay - 1, state_.selectedDay + 2),
        state_.settings.timeReference, QTimeZone(stream.station.timeZone.toUtf8()), day, day);
    std::vector<std::string> lines;
    for (const ClockedCurrentEvent& e : events)
        lines.push_back(CurrentEventLine(e, stream.station.floodDirection,
                                         stream.station.ebbDirection, state_.settings.speedUnit,
                                         state_.settings.language())
                            .toStdString());
    info_->showReport(lines);
}

void MainWindow::followPrediction() {
    state_.prediction.follow(state_.port, state_.settings.prediction,
                             ports() ? ports()->table().fileName() : QString());
    showPredictionModel();
}

void MainWindow::tellHarmonicsProblem() {
    QString problem = state_.prediction.takeFileProblem();
    if (problem.isEmpty()) return;
    // The message names the file itself; what is wrong with it follows.
    const QString path = state_.prediction.filePath();
    if (problem.startsWith(path + QStringLiteral(": "))) problem.remove(0, path.size() + 2);
    messages_.information(this, kTexts.harmonicsFileProblem.in(state_.settings.language())
                                    .arg(QDir::toNativeSeparators(path), problem));
}

void MainWindow::showPredictionModel() {
    const PredictionSource& p = state_.prediction;
    if (!state_.portChosen || p.chosen() != PredictionModel::Full) {
        info_->hideModel();
        return;
    }
    const Language l = state_.settings.language();
    const QString text =
        !p.fellBack()
            ? kTexts.fullModel.in(l).arg(p.constituentCount())
            : (p.fileUnusable() ? kTexts.noHarmonicsFile : kTexts.noHarmonicsForPort).in(l);
    info_->showModel(text, p.reason());
}

void MainWindow::showDayReport(const PortRecord& port, double curveEnd, double curveStart) {
    state_.secondaryCache.prepare(state_.context(), state_.prediction.sourceFor(port), curveStart);
    writeDayReport(port);
    emit dayCurveRequested(curveStart, curveEnd);
}

void MainWindow::writeDayReport(const PortRecord& port) {
    const DayEvents events =
        DayTideEvents(state_.context(), state_.prediction.sourceFor(port), state_.selectedDay);
    info_->showReport(
        DayReportLines(events, state_.settings.heightUnit, state_.settings.language()));
}

void MainWindow::showDayCoefficients(double day) {
    const CoefficientPair c = state_.coefficientMemo.coefficients(state_.context(), day);
    top_->showCoefficients(c, state_.settings.language());
}

void MainWindow::dateConfirmed(const QDate& date, bool isToday) {
    top_->showDate(FormatLongDate(date, state_.dateNames));
    showDayCoefficients(state_.selectedDay);
    emit positionIndicatorAllowed(isToday);
    if ((state_.portChosen || state_.station) && state_.settings.timeReference.isPortLegal())
        showLegalTimeReference();
    if (state_.portChosen) showDayReport(state_.port, state_.selectedDay + 1, state_.selectedDay);
    if (state_.station) {
        writeStationReport();
        emit streamCurveRequested();
    }
}

void MainWindow::setTimeReferenceLabel(const QString& text) {
    info_->setTimeReference(text);
}

// The port's zone and its offsets, or the port's standard time and the words saying it has no
// zone (the reason in the tooltip).
void MainWindow::showLegalTimeReference() {
    const Settings& s = state_.settings;
    const QString separator =
        s.decimalSeparator.isEmpty() ? QStringLiteral(",") : s.decimalSeparator;
    info_->setTimeReference(
        LegalTimeReferenceLine(state_.context(), state_.selectedDay, s.language(), separator),
        state_.legalZone ? QString() : state_.legalZoneProblem);
}

void MainWindow::reportTableProblem() {
    const QString where = QDir::toNativeSeparators(UserTableDirectory());
    const QString detail = ports() ? ports()->tableError() : QString();
    messages_.information(this,
                          kTexts.tableProblem.in(state_.settings.language()).arg(detail, where));
}

void MainWindow::choosePort() {
    PortWindow* portList = ports();
    if (!portList || !portList->tableIsOpen()) {
        reportTableProblem();
        return;
    }
    ShowBeside(portList, this);
}

void MainWindow::showTideTable() {
    if (!top_->portNameShown()) {
        messages_.information(this, kTexts.selectPortFirst.in(state_.settings.language()));
        return;
    }
    emit tideTableRequested();
}

void MainWindow::quitOrReduce() {
    if (state_.settings.hideOnQuit)
        emit reduceRequested();
    else
        emit quitRequested();
}

void MainWindow::showHelp(int context) {
    if (state_.help) state_.help(context);
}

void MainWindow::switchLanguage() {
    Settings& s = state_.settings;
    const Language l = s.language();
    if (messages_.askYesNoCancel(this, kTexts.switchQuestion.in(l)) == MessageBoxes::Answer::Yes) {
        messages_.information(this, kTexts.switchBack.in(l));
        s.chosenLanguage = l == Language::English ? Language::French : Language::English;
    }
    retranslate();
    if (accepted_) showDayCoefficients(state_.selectedDay);
    if (state_.portChosen) writeDayReport(state_.port);
    writeStationReport();
    emit state_.settingsEvents.languageChanged();
}

void MainWindow::clearPortDisplay() {
    top_->clearPortName();
    info_->clearPort();
}

} // namespace ondrel
