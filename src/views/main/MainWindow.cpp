#include "MainWindow.h"

#include "AppState.h"
#include "Bilingual.h"
#include "CommonTexts.h"
#include "DateTimeJulian.h"
#include "Extremes.h"
#include "HelpTopics.h"
#include "Julian.h"
#include "LanguageWindow.h"
#include "MainWindowTexts.h"
#include "MessageBoxes.h"
#include "PortWindow.h"
#include "QtTranslations.h"
#include "Report.h"
#include "ScreenPlacement.h"
#include "TableLocation.h"
#include "TideTableText.h"
#include "WarningPanel.h"
#include "Widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace ondrel {

namespace {

const MainWindowTexts kTexts;
// The built-in texts, before a language is chosen.
constexpr Language kBuiltIn = Language::French;

QPushButton* Button(const char* name, QWidget* parent) {
    auto* b = Named(new QPushButton(parent), name);
    b->setAutoDefault(true); // Enter presses the focused button
    return b;
}

QLabel* SunkenLabel(const char* name, QWidget* parent) {
    auto* label = Named(new QLabel(parent), name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(3);
    return label;
}

// A control keeps the width of the widest of the texts it can show, so that the window does not
// change width with the language or the quit button's caption.
template <typename W> void HoldWidest(W* widget, const QStringList& texts) {
    const QString shown = widget->text();
    int widest = widget->minimumWidth();
    for (const QString& t : texts) {
        widget->setText(t);
        widest = std::max(widest, widget->sizeHint().width());
    }
    widget->setText(shown);
    widget->setMinimumWidth(widest);
}

QStringList BothLanguages(std::initializer_list<Bilingual> texts) {
    QStringList all;
    for (const Bilingual& t : texts)
        all << t.in(Language::French) << t.in(Language::English);
    return all;
}

QFont Bold(QFont f, bool italic = false) {
    f.setBold(true);
    f.setItalic(italic);
    return f;
}

// The widest line of the day report in either language and unit.
int WidestReportLine(const QFontMetrics& fm) {
    int widest = 0;
    for (Language l : {Language::French, Language::English}) {
        DayEvents sample;
        sample[0] = TideEvent{2460000.78, 15.31};
        sample[1] = TideEvent{-2460000.99, 15.31};
        for (HeightUnit unit : {HeightUnit::Feet, HeightUnit::Metres})
            for (const std::string& line : DayReportLines(sample, unit, l))
                widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(line)));
    }
    return widest;
}

} // namespace

MainWindow::MainWindow(AppState& state, MessageBoxes& messages, QWidget* parent)
    : QMainWindow(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("TPrincipale"));
    setWindowTitle(QStringLiteral("Ondrel"));
    // A system menu and a minimise box, no maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildControls();
    buildMenu();
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
    outer->addWidget(buildTopPanel(central));
    outer->addWidget(buildInfoPanel(central), 1);
    setBuiltInTexts();
    holdWidths();
    fonts_.add(ownFontControls());
    connectControls();
    // The coefficients are explained with the curve.
    coefficientsBox_->setProperty(kHelpContextProperty, int(kHelpCurve));
    for (QPushButton* b : {portButton_, dateButton_, ephemeridesButton_, tideTableButton_})
        b->setEnabled(false);
}

QFrame* MainWindow::buildTopPanel(QWidget* parent) {
    auto* panel = Named(new QFrame(parent), "Panel2");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    portButton_ = Button("SelPort", panel);
    dateButton_ = Button("SelDate", panel);
    dateButton_->setText(kSelDateCaption);
    portButton_->setText(QStringLiteral("&Port"));
    portLabel_ = SunkenLabel("PortSelection", panel);
    dateLabel_ = SunkenLabel("DateSelection", panel);
    portLabel_->setFont(Bold(portLabel_->font()));
    const int wide =
        fontMetrics().horizontalAdvance(QStringLiteral("Mercredi, 30 septembre 2026 MMMMMM"));
    portLabel_->setMinimumWidth(wide);
    dateLabel_->setMinimumWidth(wide);
    portLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A name of up to 50 characters is shown whole, on two lines when it needs them.
    portLabel_->setWordWrap(true);
    portLabel_->setMinimumHeight(2 * QFontMetrics(portLabel_->font()).lineSpacing() +
                                 2 * portLabel_->margin() + 2 * portLabel_->frameWidth());

    coefficientsBox_ = Named(new QGroupBox(kCoefficientsTitle, panel), "boiteCoefficients");
    coefficientsBox_->setFont(Bold(coefficientsBox_->font()));
    morningCoefficient_ = Named(new QLabel(coefficientsBox_), "coeffmatin");
    eveningCoefficient_ = Named(new QLabel(coefficientsBox_), "CoeffSoir");
    auto* coefLayout = new QVBoxLayout(coefficientsBox_);
    for (QLabel* l : {morningCoefficient_, eveningCoefficient_}) {
        QFont f = l->font();
        f.setBold(false);
        l->setFont(f);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("morning : 120")) + 8);
        coefLayout->addWidget(l);
    }

    tideTableButton_ = Button("Annuaire", panel);
    quitButton_ = Button("BQuitter", panel);
    helpButton_ = Button("Aide", panel);
    tideTableButton_->setText(QStringLiteral("A&nnuaire"));
    quitButton_->setText(QStringLiteral("&Quitter"));
    helpButton_->setText(QStringLiteral("&Aide"));

    auto* top = new QGridLayout(panel);
    top->addWidget(portButton_, 0, 0);
    top->addWidget(portLabel_, 0, 1);
    top->addWidget(dateButton_, 1, 0);
    top->addWidget(dateLabel_, 1, 1);
    top->addWidget(coefficientsBox_, 0, 2, 2, 1);
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {tideTableButton_, quitButton_, helpButton_})
        side->addWidget(b);
    top->addLayout(side, 0, 3, 2, 1);
    top->setColumnStretch(1, 1);
    return panel;
}

QFrame* MainWindow::buildInfoPanel(QWidget* parent) {
    auto* panel = Named(new QFrame(parent), "Infos");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);

    auto* timesPanel = Named(new QFrame(panel), "Horaires");
    timesTitle_ = Named(new QLabel(QStringLiteral("HORAIRES"), timesPanel), "Label4");
    timesTitle_->setFont(Bold(timesTitle_->font()));
    timesTitle_->setAlignment(Qt::AlignCenter);
    dayReport_ = Named(new QPlainTextEdit(timesPanel), "HeuresOndrel");
    dayReport_->setReadOnly(true);
    dayReport_->setLineWrapMode(QPlainTextEdit::NoWrap);
    dayReport_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dayReport_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics fm = dayReport_->fontMetrics();
    dayReport_->setMinimumWidth(
        fm.horizontalAdvance(QStringLiteral("Pleine mer à 06:42    hauteur : 05,31 mètres")) + 24);
    dayReport_->setMinimumHeight(fm.lineSpacing() * 4 + 16);
    modelLabel_ = Named(new QLabel(timesPanel), "LabelModele");
    modelLabel_->setWordWrap(true);
    modelLabel_->hide();
    auto* timesLayout = new QVBoxLayout(timesPanel);
    timesLayout->setContentsMargins(0, 0, 0, 0);
    timesLayout->addWidget(timesTitle_);
    timesLayout->addWidget(dayReport_, 1);
    timesLayout->addWidget(modelLabel_);

    auto* infoPanel = Named(new QFrame(panel), "Panel4");
    infoTitle_ = Named(new QLabel(QStringLiteral("INFORMATIONS"), infoPanel), "Label3");
    infoTitle_->setFont(Bold(infoTitle_->font()));
    infoTitle_->setAlignment(Qt::AlignCenter);
    auto* info = new QGridLayout(infoPanel);
    info->setContentsMargins(0, 0, 0, 0);
    info->setVerticalSpacing(0);
    info->addWidget(infoTitle_, 0, 0, 1, 3);
    for (int line = 0; line < 6; ++line) {
        auto* label = new QLabel(infoPanel);
        label->setObjectName(QStringLiteral("Memo_informations_%1").arg(line + 1));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        infoLines_.push_back(label);
        info->addWidget(label, line + 1, 0);
    }
    portInfo_ = Named(new QLabel(infoPanel), "Informations");
    portInfo_->setFont(Bold(portInfo_->font()));
    portInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    portInfo_->setWordWrap(true);
    portInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    info->addWidget(portInfo_, 1, 1, 4, 2);
    latitude_ = Named(new QLabel(infoPanel), "ELatitude");
    longitude_ = Named(new QLabel(infoPanel), "ELongitude");
    timeZone_ = Named(new QLabel(infoPanel), "EFuseauHoraire");
    info->addWidget(latitude_, 5, 1);
    info->addWidget(longitude_, 5, 2);
    info->addWidget(timeZone_, 6, 1);
    ephemeridesButton_ = Button("BEphemerides", infoPanel);
    timeReferenceLabel_ = SunkenLabel("fuseau", infoPanel);
    timeReferenceLabel_->setFont(Bold(timeReferenceLabel_->font(), true));
    info->addWidget(ephemeridesButton_, 7, 0);
    info->addWidget(timeReferenceLabel_, 7, 1, 1, 2);
    info->setColumnStretch(1, 1);
    info->setColumnStretch(2, 1);
    info->setColumnMinimumWidth(1,
                                fontMetrics().horizontalAdvance(QStringLiteral("048 23 N")) + 16);

    auto* lower = new QHBoxLayout(panel);
    lower->addWidget(timesPanel, 1);
    lower->addSpacing(8);
    lower->addWidget(infoPanel, 1);
    return panel;
}

// Built-in captions (the French ones); the language routine replaces them.
void MainWindow::setBuiltInTexts() {
    const QStringList infoLines = kTexts.infoLines.lines(kBuiltIn);
    for (std::size_t i = 0; i < infoLines_.size(); ++i)
        infoLines_[i]->setText(infoLines[static_cast<qsizetype>(i)]);
    ephemeridesButton_->setText(kTexts.ephemerides.in(kBuiltIn));
    timeReferenceLabel_->setText(QString::fromStdString(TimeReference().label(Language::French)));
    morningCoefficient_->setText(QStringLiteral("matin : "));
    eveningCoefficient_->setText(QStringLiteral("soir : "));
}

std::vector<FontSizedControl> MainWindow::ownFontControls() const {
    std::vector<FontSizedControl> controls;
    for (QWidget* w : std::initializer_list<QWidget*>{
             portButton_, dateButton_, portLabel_, dateLabel_, tideTableButton_, quitButton_,
             helpButton_, dayReport_, latitude_, longitude_, timeZone_, portInfo_,
             coefficientsBox_})
        controls.push_back({w, false});
    for (QLabel* l : infoLines_)
        controls.push_back({l, false});
    controls.push_back({infoTitle_, true});
    controls.push_back({timesTitle_, true});
    return controls;
}

void MainWindow::connectControls() {
    connect(portButton_, &QPushButton::clicked, this, [this] { choosePort(); });
    connect(dateButton_, &QPushButton::clicked, this, &MainWindow::dateChoiceRequested);
    connect(tideTableButton_, &QPushButton::clicked, this, [this] { showTideTable(); });
    connect(quitButton_, &QPushButton::clicked, this, [this] { quitOrReduce(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpHome); });
    connect(ephemeridesButton_, &QPushButton::clicked, this, [this] {
        if (showEphemerides_) showEphemerides_();
    });
}

void MainWindow::holdWidths() {
    const QStringList sideButtons =
        BothLanguages({kTexts.tideTable, kTexts.quit, kTexts.reduce, kCommonTexts.helpWithKey});
    for (QPushButton* b : {tideTableButton_, quitButton_, helpButton_})
        HoldWidest(b, sideButtons);
    HoldWidest(ephemeridesButton_, BothLanguages({kTexts.ephemerides}));
    QStringList coefficients;
    for (Language l : {Language::French, Language::English})
        coefficients << QString::fromStdString(MorningCoefficientLabel(120, l))
                     << QString::fromStdString(EveningCoefficientLabel(120, l));
    HoldWidest(morningCoefficient_, coefficients);
    HoldWidest(eveningCoefficient_, coefficients);
    for (std::size_t i = 0; i < infoLines_.size(); ++i) {
        const auto line = static_cast<qsizetype>(i);
        HoldWidest(infoLines_[i], {kTexts.infoLines.lines(Language::French).value(line),
                                   kTexts.infoLines.lines(Language::English).value(line)});
    }
    QStringList references;
    for (int code : {0, 1, 2, 88, 112})
        for (Language l : {Language::French, Language::English})
            references << QString::fromStdString(TimeReference(code).label(l));
    HoldWidest(timeReferenceLabel_, references);
    // The report: its longest line in either language.
    dayReport_->setMinimumWidth(
        std::max(dayReport_->minimumWidth(), WidestReportLine(dayReport_->fontMetrics()) + 24));
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    portsMenu_ = Named(bar->addMenu(kTexts.portsMenu.in(kBuiltIn)), "PortSecondaire");
    addSecondaryPortAction_ =
        Named(portsMenu_->addAction(kTexts.addSecondaryPort.in(kBuiltIn)), "AjoutPortSecondaire");
    modifySecondaryPortAction_ = Named(
        portsMenu_->addAction(kTexts.modifySecondaryPort.in(kBuiltIn)), "Retraitportsecondaire");
    importPortsAction_ =
        Named(portsMenu_->addAction(kTexts.importPorts.in(kBuiltIn)), "Ajoutdeportsprincipaux");
    // Enabled once the port table is known to be there.
    setPortManagementEnabled(false);
    connect(portsMenu_, &QMenu::aboutToShow, this, &MainWindow::portMenuOpening);

    toolsMenu_ = Named(bar->addMenu(kTexts.toolsMenu.in(kBuiltIn)), "Outils1");
    QAction* optionsAction = Named(toolsMenu_->addAction(kOptionsCaption), "Options");
    hideOnQuitAction_ = Named(toolsMenu_->addAction(kTexts.hideOnQuit.in(kBuiltIn)),
                              "Icnedanslabarredestcheslarduction1");
    hideOnQuitAction_->setCheckable(true);
    fontMenu_ = Named(toolsMenu_->addMenu(kTexts.fontMenu.in(kBuiltIn)), "police1");
    changeFontAction_ = Named(fontMenu_->addAction(kTexts.changeFont.in(kBuiltIn)), "changer1");
    defaultFontAction_ =
        Named(fontMenu_->addAction(kTexts.defaultFont.in(kBuiltIn)), "policepardefaut1");
    languageAction_ = Named(toolsMenu_->addAction(kTexts.otherLanguage.in(kBuiltIn)), "Langue1");

    helpMenu_ = Named(bar->addMenu(kTexts.helpMenu.in(kBuiltIn)), "Aide1");
    helpAction_ = Named(helpMenu_->addAction(kCommonTexts.helpWithKey.in(kBuiltIn)), "Aide2");
    aboutAction_ = Named(helpMenu_->addAction(kTexts.about.in(kBuiltIn)), "Apropos1");

    connect(addSecondaryPortAction_, &QAction::triggered, this,
            &MainWindow::addSecondaryPortRequested);
    connect(modifySecondaryPortAction_, &QAction::triggered, this,
            &MainWindow::modifySecondaryPortRequested);
    connect(importPortsAction_, &QAction::triggered, this, &MainWindow::importRequested);
    connect(optionsAction, &QAction::triggered, this, &MainWindow::optionsRequested);
    connect(hideOnQuitAction_, &QAction::toggled, this, [this](bool on) {
        state_.settings.hideOnQuit = on;
        updateQuitCaption();
    });
    connect(changeFontAction_, &QAction::triggered, this,
            [this] { fonts_.choose(this, portButton_->font(), state_.settings.language()); });
    connect(defaultFontAction_, &QAction::triggered, this, [this] { fonts_.restoreDefaults(); });
    connect(languageAction_, &QAction::triggered, this, [this] { switchLanguage(); });
    connect(helpAction_, &QAction::triggered, this, [this] { showHelp(kHelpHome); });
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::aboutRequested);
}

void MainWindow::setPortManagementEnabled(bool enabled) {
    for (QAction* a : {addSecondaryPortAction_, modifySecondaryPortAction_, importPortsAction_})
        a->setEnabled(enabled);
}

void MainWindow::loadSettings() {
    auto store = state_.openSettings();
    state_.settings = LoadSettings(*store);
    state_.settings.decimalSeparator = SystemDecimalSeparator();
    {
        const QSignalBlocker blocker(hideOnQuitAction_);
        hideOnQuitAction_->setChecked(state_.settings.hideOnQuit);
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
    auto store = state_.openSettings();
    if (!SaveSettings(*store, state_.settings)) {
        const Bilingual notSaved{"Les réglages n'ont pas pu être enregistrés dans %1.",
                                 "The settings could not be saved to %1."};
        messages_.information(this, notSaved.in(state_.settings.language()).arg(store->fileName()));
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
    if (state_.settings.langue.isEmpty() && languageWindow_) {
        state_.settings.langue = languageWindow_()->ask(this);
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
    auto store = state_.openSettings();
    StoreFirstStartValues(*store, state_.settings, state_.settings.langue);
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
    retranslateMenu(l);
    portButton_->setText(kTexts.portButton.in(l));
    tideTableButton_->setText(kTexts.tideTable.in(l));
    updateQuitCaption();
    helpButton_->setText(kCommonTexts.helpWithKey.in(l));
    ephemeridesButton_->setText(kTexts.ephemerides.in(l));
    portButton_->setToolTip(kTexts.portHint.in(l));
    dateButton_->setToolTip(kTexts.dateHint.in(l));
    infoTitle_->setText(kTexts.infoTitle.in(l));
    timesTitle_->setText(kTexts.timesTitle.in(l));
    const QStringList infoLines = kTexts.infoLines.lines(l);
    for (std::size_t i = 0; i < infoLines_.size(); ++i)
        infoLines_[i]->setText(infoLines.value(static_cast<qsizetype>(i)));
    warning_->retranslate(l);
    if (s.timeReference.isPortLegal() && state_.portChosen)
        showLegalTimeReference();
    else
        timeReferenceLabel_->setText(QString::fromStdString(s.timeReference.label(s.language())));
    showPredictionModel();
}

void MainWindow::retranslateMenu(Language l) {
    portsMenu_->setTitle(kTexts.portsMenu.in(l));
    addSecondaryPortAction_->setText(kTexts.addSecondaryPort.in(l));
    modifySecondaryPortAction_->setText(kTexts.modifySecondaryPort.in(l));
    importPortsAction_->setText(kTexts.importPorts.in(l));
    toolsMenu_->setTitle(kTexts.toolsMenu.in(l));
    hideOnQuitAction_->setText(kTexts.hideOnQuit.in(l));
    fontMenu_->setTitle(kTexts.fontMenu.in(l));
    changeFontAction_->setText(kTexts.changeFont.in(l));
    defaultFontAction_->setText(kTexts.defaultFont.in(l));
    languageAction_->setText(kTexts.otherLanguage.in(l));
    helpMenu_->setTitle(kTexts.helpMenu.in(l));
    helpAction_->setText(kCommonTexts.helpWithKey.in(l));
    aboutAction_->setText(kTexts.about.in(l));
}

void MainWindow::updateQuitCaption() {
    const Bilingual& caption = state_.settings.hideOnQuit ? kTexts.reduce : kTexts.quit;
    quitButton_->setText(caption.in(state_.settings.language()));
}

void MainWindow::acceptWarning() {
    warning_->hide();
    accepted_ = true;

    const QDate today = state_.clock().date();
    dateLabel_->setText(FormatLongDate(today, state_.dateNames));
    state_.selectedDay = JulianDay(today.year(), today.month(), today.day());
    showDayCoefficients(state_.selectedDay);

    portButton_->setEnabled(true);
    dateButton_->setEnabled(true);
    portButton_->setFocus();
    ephemeridesButton_->setEnabled(static_cast<bool>(showEphemerides_));
    tideTableButton_->setEnabled(static_cast<bool>(showTideTable_));

    PortWindow* portList = ports();
    if (!portList || !portList->tableIsOpen()) {
        reportTableProblem();
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
    portInfo_->clear();
    portLabel_->setAlignment((port.name.size() >= 40 ? Qt::AlignLeft : Qt::AlignHCenter) |
                             Qt::AlignVCenter);
    portLabel_->setText(port.name);
    portLabel_->setToolTip(port.name);
    QString lines = port.name;
    if (!port.countryLine.isEmpty()) lines += QLatin1Char('\n') + port.countryLine;
    portInfo_->setText(lines);
    latitude_->setText(port.latitude);
    longitude_->setText(port.longitude);
    timeZone_->setText(port.timeZone);
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
        modelLabel_->hide();
        return;
    }
    const Language l = state_.settings.language();
    if (!p.fellBack())
        modelLabel_->setText(kTexts.fullModel.in(l).arg(p.constituentCount()));
    else
        modelLabel_->setText(
            (p.fileUnusable() ? kTexts.noHarmonicsFile : kTexts.noHarmonicsForPort).in(l));
    modelLabel_->setToolTip(p.reason());
    modelLabel_->show();
}

void MainWindow::showDayReport(const PortRecord& port, double curveEnd, double curveStart) {
    state_.secondaryCache.prepare(state_.context(), state_.prediction.sourceFor(port), curveStart);
    writeDayReport(port);
    emit dayCurveRequested(curveStart, curveEnd);
}

void MainWindow::writeDayReport(const PortRecord& port) {
    const DayEvents events =
        DayTideEvents(state_.context(), state_.prediction.sourceFor(port), state_.selectedDay);
    const auto lines =
        DayReportLines(events, state_.settings.heightUnit, state_.settings.language());
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    dayReport_->setPlainText(text.join(QLatin1Char('\n')));
}

void MainWindow::showDayCoefficients(double day) {
    const CoefficientPair c = state_.coefficientMemo.coefficients(state_.context(), day);
    const Language language = state_.settings.language();
    morningCoefficient_->setText(
        QString::fromStdString(MorningCoefficientLabel(c.morning, language)));
    eveningCoefficient_->setText(
        QString::fromStdString(EveningCoefficientLabel(c.evening, language)));
}

void MainWindow::dateConfirmed(const QDate& date, bool isToday) {
    dateLabel_->setText(FormatLongDate(date, state_.dateNames));
    showDayCoefficients(state_.selectedDay);
    emit positionIndicatorAllowed(isToday);
    if (state_.portChosen && state_.settings.timeReference.isPortLegal()) showLegalTimeReference();
    if (state_.portChosen) showDayReport(state_.port, state_.selectedDay + 1, state_.selectedDay);
}

void MainWindow::setTimeReferenceLabel(const QString& text) {
    timeReferenceLabel_->setText(text);
    timeReferenceLabel_->setToolTip({});
}

// The port's zone and its offsets, or the port's standard time and the words saying it has no
// zone (the reason in the tooltip).
void MainWindow::showLegalTimeReference() {
    const Settings& s = state_.settings;
    const QString separator =
        s.decimalSeparator.isEmpty() ? QStringLiteral(",") : s.decimalSeparator;
    timeReferenceLabel_->setText(
        LegalTimeReferenceLine(state_.context(), state_.selectedDay, s.language(), separator));
    timeReferenceLabel_->setToolTip(state_.legalZone ? QString() : state_.legalZoneProblem);
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
    if (portLabel_->text().isEmpty()) {
        messages_.information(this, kTexts.selectPortFirst.in(state_.settings.language()));
        return;
    }
    if (showTideTable_) showTideTable_();
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
        s.langue = l == Language::English ? kFrench : kEnglish;
    }
    retranslate();
    if (accepted_) showDayCoefficients(state_.selectedDay);
    if (state_.portChosen) writeDayReport(state_.port);
    emit languageChanged();
}

void MainWindow::importAtStart(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.at(1) != u"/a") return;
    const QString file = arguments.value(2);
    const bool imported = importPorts_ && !file.isEmpty() && importPorts_(file);
    if (imported) return;
    // Nothing is said while no language is chosen.
    if (state_.settings.languageChosen())
        messages_.plain(this, kTexts.importMissing.in(state_.settings.language()));
}

void MainWindow::setTideTableWindow(std::function<void()> show) {
    showTideTable_ = std::move(show);
    // Like the other commands, the button waits for the warning to be accepted.
    tideTableButton_->setEnabled(accepted_ && showTideTable_);
}

void MainWindow::setEphemeridesWindow(std::function<void()> show) {
    showEphemerides_ = std::move(show);
    ephemeridesButton_->setEnabled(accepted_ && showEphemerides_);
}

void MainWindow::setImport(std::function<bool(const QString&)> importPorts) {
    importPorts_ = std::move(importPorts);
}

void MainWindow::clearPortDisplay() {
    portLabel_->clear();
    portInfo_->clear();
    modelLabel_->hide();
}

} // namespace ondrel
