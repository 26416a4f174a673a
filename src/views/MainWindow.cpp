#include "MainWindow.h"

#include "AppState.h"
#include "Extremes.h"
#include "Julian.h"
#include "LanguageTexts.h"
#include "MessageBoxes.h"
#include "Report.h"
#include "CurveWindow.h"
#include "DateWindow.h"
#include "EphemeridesWindow.h"
#include "IntervalWindow.h"
#include "PageSetupWindow.h"
#include "LanguageWindow.h"
#include "OptionsWindow.h"
#include "PortWindow.h"
#include "TableLocation.h"
#include "TrayIcon.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace ondrel {

namespace {

constexpr int kHelpHome = 0;
constexpr int kHelpMainWindow = 9;
// The controls of the ephemerides window that follow the font commands.
constexpr const char* kEphemeridesFontControls[] = {"Panel1", "Panel2", "Panel3", "GroupeSoleil", "groupeLune",
                                                    "HemisphereButton1", "lever", "coucher", "LAge", "AZL",
                                                    "AZC", "EtatLune"};

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

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

QFont Bold(QFont f, bool italic = false) {
    f.setBold(true);
    f.setItalic(italic);
    return f;
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
    buildWarning();
    setUp();

    // The other windows, in their fixed order.
    dateWindow_ = new DateWindow(state_, this);
    portWindow_ = new PortWindow(state_, messages_, this);
    curveWindow_ = new CurveWindow(state_, messages_, this);
    optionsWindow_ = new OptionsWindow(state_, messages_, this);
    languageWindow_ = new LanguageWindow(this);
    intervalWindow_ = new IntervalWindow(state_, messages_, *curveWindow_, this);
    pageSetupWindow_ = new PageSetupWindow(state_, messages_, curveWindow_, this);
    ephemeridesWindow_ = new EphemeridesWindow(state_, this);
    trayIcon_ = new TrayIcon(state_, messages_, this, curveWindow_, this);

    setEphemeridesWindow([this] {
        ephemeridesWindow_->move(pos());
        ephemeridesWindow_->show();
        ephemeridesWindow_->raise();
        ephemeridesWindow_->activateWindow();
    });
    for (const char* name : kEphemeridesFontControls)
        if (QWidget* w = ephemeridesWindow_->findChild<QWidget*>(QString::fromLatin1(name)))
            builtInFonts_.insert(w, w->font());
    connect(trayIcon_, &TrayIcon::quitRequested, this, &MainWindow::quitRequested);

    // The curve window draws every day curve, hosts the interval calculation and prints with the
    // page settings.
    curveWindow_->setIntervalWindow(intervalWindow_);
    curveWindow_->setPageSetupWindow(pageSetupWindow_, [this] { return pageSetupWindow_->blackAndWhite(); });
    connect(this, &MainWindow::dayCurveRequested, curveWindow_, &CurveWindow::drawDayCurve);
    connect(this, &MainWindow::positionIndicatorAllowed, curveWindow_,
            &CurveWindow::setPositionIndicatorAllowed);
    connect(this, &MainWindow::languageChanged, curveWindow_, [this] {
        if (curveWindow_->isVisible()) curveWindow_->onActivated();
    });

    connect(dateWindow_, &DateWindow::dateConfirmed, this, &MainWindow::dateConfirmed);
    connect(portWindow_, &PortWindow::portConfirmed, this, &MainWindow::showChosenPort);
    connect(portWindow_, &PortWindow::countriesRequested, this, &MainWindow::countriesRequested);
    connect(optionsWindow_, &OptionsWindow::timeReferenceLabelChanged, timeReferenceLabel_, &QLabel::setText);
    connect(optionsWindow_, &OptionsWindow::optionsConfirmed, this, [this] { acceptWarning(); });
}

MainWindow::~MainWindow() {
    saveSettings();
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    topPanel_ = Named(new QFrame(central), "Panel2");
    topPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    portButton_ = Button("SelPort", topPanel_);
    dateButton_ = Button("SelDate", topPanel_);
    dateButton_->setText(kSelDateCaption);
    portButton_->setText(QStringLiteral("&Port"));
    portLabel_ = SunkenLabel("PortSelection", topPanel_);
    dateLabel_ = SunkenLabel("DateSelection", topPanel_);
    portLabel_->setFont(Bold(portLabel_->font()));
    const int wide = fontMetrics().horizontalAdvance(QStringLiteral("Mercredi, 30 septembre 2026 MMMMMM"));
    portLabel_->setMinimumWidth(wide);
    dateLabel_->setMinimumWidth(wide);
    portLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A name of up to 50 characters is shown whole, on two lines when it needs them.
    portLabel_->setWordWrap(true);
    portLabel_->setMinimumHeight(2 * QFontMetrics(portLabel_->font()).lineSpacing() +
                                     2 * portLabel_->margin() + 2 * portLabel_->frameWidth());

    coefficientsBox_ = Named(new QGroupBox(kCoefficientsTitle, topPanel_), "boiteCoefficients");
    coefficientsBox_->setFont(Bold(coefficientsBox_->font()));
    morningCoefficient_ = Named(new QLabel(coefficientsBox_), "coeffmatin");
    eveningCoefficient_ = Named(new QLabel(coefficientsBox_), "CoeffSoir");
    for (QLabel* l : {morningCoefficient_, eveningCoefficient_}) {
        QFont f = l->font();
        f.setBold(false);
        l->setFont(f);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("morning : 120")) + 8);
    }
    auto* coefLayout = new QVBoxLayout(coefficientsBox_);
    coefLayout->addWidget(morningCoefficient_);
    coefLayout->addWidget(eveningCoefficient_);

    tideTableButton_ = Button("Annuaire", topPanel_);
    quitButton_ = Button("BQuitter", topPanel_);
    helpButton_ = Button("Aide", topPanel_);
    tideTableButton_->setText(QStringLiteral("A&nnuaire"));
    quitButton_->setText(QStringLiteral("&Quitter"));
    helpButton_->setText(QStringLiteral("&Aide"));

    auto* top = new QGridLayout(topPanel_);
    top->addWidget(portButton_, 0, 0);
    top->addWidget(portLabel_, 0, 1);
    top->addWidget(dateButton_, 1, 0);
    top->addWidget(dateLabel_, 1, 1);
    top->addWidget(coefficientsBox_, 0, 2, 2, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(tideTableButton_);
    side->addWidget(quitButton_);
    side->addWidget(helpButton_);
    top->addLayout(side, 0, 3, 2, 1);
    top->setColumnStretch(1, 1);

    infoPanel_ = Named(new QFrame(central), "Infos");
    infoPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);

    timesPanel_ = Named(new QFrame(infoPanel_), "Horaires");
    timesTitle_ = Named(new QLabel(QStringLiteral("HORAIRES"), timesPanel_), "Label4");
    timesTitle_->setFont(Bold(timesTitle_->font()));
    timesTitle_->setAlignment(Qt::AlignCenter);
    dayReport_ = Named(new QPlainTextEdit(timesPanel_), "HeuresOndrel");
    dayReport_->setReadOnly(true);
    dayReport_->setLineWrapMode(QPlainTextEdit::NoWrap);
    dayReport_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dayReport_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    {
        const QFontMetrics fm = dayReport_->fontMetrics();
        dayReport_->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("Pleine mer à 06:42    hauteur : 05,31 mètres")) + 24);
        dayReport_->setMinimumHeight(fm.lineSpacing() * 4 + 16);
    }
    auto* timesLayout = new QVBoxLayout(timesPanel_);
    timesLayout->setContentsMargins(0, 0, 0, 0);
    timesLayout->addWidget(timesTitle_);
    timesLayout->addWidget(dayReport_, 1);

    infoTitlePanel_ = Named(new QFrame(infoPanel_), "Panel4");
    infoTitle_ = Named(new QLabel(QStringLiteral("INFORMATIONS"), infoTitlePanel_), "Label3");
    infoTitle_->setFont(Bold(infoTitle_->font()));
    infoTitle_->setAlignment(Qt::AlignCenter);
    auto* info = new QGridLayout(infoTitlePanel_);
    info->setContentsMargins(0, 0, 0, 0);
    info->setVerticalSpacing(0);
    info->addWidget(infoTitle_, 0, 0, 1, 3);
    for (int line = 0; line < 6; ++line) {
        auto* label = new QLabel(infoTitlePanel_);
        label->setObjectName(QStringLiteral("Memo_informations_%1").arg(line + 1));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        infoLines_.push_back(label);
        info->addWidget(label, line + 1, 0);
    }
    portInfo_ = Named(new QLabel(infoTitlePanel_), "Informations");
    portInfo_->setFont(Bold(portInfo_->font()));
    portInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    portInfo_->setWordWrap(true);
    portInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    info->addWidget(portInfo_, 1, 1, 4, 2);
    latitude_ = Named(new QLabel(infoTitlePanel_), "ELatitude");
    longitude_ = Named(new QLabel(infoTitlePanel_), "ELongitude");
    timeZone_ = Named(new QLabel(infoTitlePanel_), "EFuseauHoraire");
    info->addWidget(latitude_, 5, 1);
    info->addWidget(longitude_, 5, 2);
    info->addWidget(timeZone_, 6, 1);
    ephemeridesButton_ = Button("BEphemerides", infoTitlePanel_);
    timeReferenceLabel_ = SunkenLabel("fuseau", infoTitlePanel_);
    timeReferenceLabel_->setFont(Bold(timeReferenceLabel_->font(), true));
    info->addWidget(ephemeridesButton_, 7, 0);
    info->addWidget(timeReferenceLabel_, 7, 1, 1, 2);
    info->setColumnStretch(1, 1);
    info->setColumnStretch(2, 1);
    info->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("048 23 N")) + 16);

    auto* lower = new QHBoxLayout(infoPanel_);
    lower->addWidget(timesPanel_, 1);
    lower->addSpacing(8);
    lower->addWidget(infoTitlePanel_, 1);

    auto* outer = new QVBoxLayout(central);
    outer->addWidget(topPanel_);
    outer->addWidget(infoPanel_, 1);

    // Built-in captions (the French ones); the language routine replaces them.
    const MainWindowTexts fr = MainTexts(false);
    for (std::size_t i = 0; i < infoLines_.size(); ++i)
        infoLines_[i]->setText(fr.memoInformations[static_cast<qsizetype>(i)]);
    ephemeridesButton_->setText(fr.ephemerides);
    timeReferenceLabel_->setText(QString::fromStdString(TimeReference().label(Language::French)));
    morningCoefficient_->setText(QStringLiteral("matin : "));
    eveningCoefficient_->setText(QStringLiteral("soir : "));

    for (const char* name : {"SelPort", "SelDate", "PortSelection", "DateSelection", "Annuaire",
                             "BQuitter", "Aide", "HeuresOndrel", "ELatitude", "ELongitude",
                             "EFuseauHoraire", "Informations", "boiteCoefficients", "Label3", "Label4"})
        if (QWidget* w = fontControl(name)) builtInFonts_.insert(w, w->font());
    for (QLabel* l : infoLines_) builtInFonts_.insert(l, l->font());

    connect(portButton_, &QPushButton::clicked, this, [this] { choosePort(); });
    connect(dateButton_, &QPushButton::clicked, this, [this] { chooseDate(); });
    connect(tideTableButton_, &QPushButton::clicked, this, [this] { showTideTable(); });
    connect(quitButton_, &QPushButton::clicked, this, [this] { quitOrReduce(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelpContents(); });
    connect(ephemeridesButton_, &QPushButton::clicked, this, [this] {
        if (showEphemerides_) showEphemerides_();
    });
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] { showHelp(kHelpMainWindow); });

    portButton_->setEnabled(false);
    dateButton_->setEnabled(false);
    ephemeridesButton_->setEnabled(false);
    tideTableButton_->setEnabled(false);
}

void MainWindow::buildMenu() {
    const MainWindowTexts fr = MainTexts(false);
    QMenuBar* bar = menuBar();
    portsMenu_ = Named(bar->addMenu(fr.portSecondaire), "PortSecondaire");
    addSecondaryPortAction_ = Named(portsMenu_->addAction(fr.ajoutPortSecondaire), "AjoutPortSecondaire");
    modifySecondaryPortAction_ = Named(portsMenu_->addAction(fr.retraitPortSecondaire), "Retraitportsecondaire");
    importPortsAction_ = Named(portsMenu_->addAction(fr.ajoutDePortsPrincipaux), "Ajoutdeportsprincipaux");
    // Their windows come with later versions.
    addSecondaryPortAction_->setEnabled(false);
    modifySecondaryPortAction_->setEnabled(false);
    importPortsAction_->setEnabled(false);

    toolsMenu_ = Named(bar->addMenu(fr.outils), "Outils1");
    optionsAction_ = Named(toolsMenu_->addAction(kOptionsCaption), "Options");
    hideOnQuitAction_ = Named(toolsMenu_->addAction(fr.icone), "Icnedanslabarredestcheslarduction1");
    hideOnQuitAction_->setCheckable(true);
    fontMenu_ = Named(toolsMenu_->addMenu(fr.police), "police1");
    changeFontAction_ = Named(fontMenu_->addAction(fr.changer), "changer1");
    defaultFontAction_ = Named(fontMenu_->addAction(fr.policeParDefaut), "policepardefaut1");
    languageAction_ = Named(toolsMenu_->addAction(fr.langue), "Langue1");

    helpMenu_ = Named(bar->addMenu(fr.aide), "Aide1");
    helpAction_ = Named(helpMenu_->addAction(fr.aide), "Aide2");
    aboutAction_ = Named(helpMenu_->addAction(fr.apropos), "Apropos1");
    aboutAction_->setEnabled(false);

    connect(optionsAction_, &QAction::triggered, this, [this] { showOptions(); });
    connect(hideOnQuitAction_, &QAction::toggled, this, [this](bool on) {
        state_.settings.icone = on;
        updateQuitCaption();
    });
    connect(changeFontAction_, &QAction::triggered, this, [this] { chooseFont(); });
    connect(defaultFontAction_, &QAction::triggered, this, [this] { restoreDefaultFont(); });
    connect(languageAction_, &QAction::triggered, this, [this] { switchLanguage(); });
    connect(helpAction_, &QAction::triggered, this, [this] { showHelp(kHelpHome); });
}

void MainWindow::buildWarning() {
    warningPanel_ = Named(new QFrame(centralWidget()), "paneau_avertissement");
    warningPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    warningPanel_->setLineWidth(2);
    warningPanel_->setAutoFillBackground(true);
    warningText_ = Named(new QTextEdit(warningPanel_), "Avertissement");
    warningText_->setReadOnly(true);
    warningText_->setFrameStyle(QFrame::NoFrame);
    warningText_->setFocusPolicy(Qt::NoFocus);
    acceptButton_ = Button("avertissementOK", warningPanel_);
    refuseButton_ = Button("AvertissementNO", warningPanel_);
    const MainWindowTexts fr = MainTexts(false);
    acceptButton_->setText(fr.accept);
    refuseButton_->setText(fr.refuse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(acceptButton_);
    buttons->addWidget(refuseButton_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(warningPanel_);
    layout->addWidget(warningText_, 1);
    layout->addLayout(buttons);
    connect(acceptButton_, &QPushButton::clicked, this, [this] { acceptWarning(); });
    connect(refuseButton_, &QPushButton::clicked, this, [this] { refuseWarning(); });
    warningPanel_->raise();
    acceptButton_->setFocus();
    // The window is tall enough for the whole warning (18 lines in English) without scrolling.
    const int warningHeight = warningText_->fontMetrics().lineSpacing() * 19 +
                              acceptButton_->sizeHint().height() + 48;
    centralWidget()->setMinimumHeight(warningHeight + 16);
}

void MainWindow::placeWarning() {
    if (!warningPanel_) return;
    const QRect area = centralWidget()->rect();
    const int width = std::min(area.width() - 24, warningText_->fontMetrics().horizontalAdvance(
                                                      QStringLiteral("regarding the use of the appropriate products")) + 80);
    const int height = area.height() - 16;
    warningPanel_->setGeometry(area.center().x() - width / 2, area.top() + 8, width, height);
    warningPanel_->raise();
}

void MainWindow::setUp() {
    auto store = state_.openSettings();
    state_.settings = LoadSettings(*store);
    state_.settings.decimalSeparator = SystemDecimalSeparator();
    {
        const QSignalBlocker blocker(hideOnQuitAction_);
        hideOnQuitAction_->setChecked(state_.settings.icone);
    }
    if (const auto& b = state_.settings.bounds) {
        resize(b->width, b->height);
        // A position on no screen any more (a screen removed since) is left to the system.
        if (QGuiApplication::screenAt(QPoint(b->left + b->width / 2, b->top + 10)))
            move(b->left, b->top);
    } else {
        adjustSize();
    }
    state_.help = [this](int context) { showHelp(context); };
}

void MainWindow::saveSettings() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    state_.settings.bounds = WindowBounds{y(), x(), width(), height()};
    auto store = state_.openSettings();
    SaveSettings(*store, state_.settings);
    trayIcon_->remove();
    state_.help = nullptr;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    placeWarning();
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
    if (state_.settings.langue.isEmpty()) {
        state_.settings.langue = languageWindow_->ask(this);
        InitialisationValeurs(state_.settings.langue);
    }
    retranslate();
    if (warningShown()) {
        // Enter accepts the warning once the language question is gone.
        activateWindow();
        acceptButton_->setFocus();
    }
}

void MainWindow::InitialisationValeurs(const QString& langue) {
    auto store = state_.openSettings();
    ondrel::InitialisationValeurs(*store, state_.settings, langue);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit quitRequested();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeWarning();
}

bool MainWindow::warningShown() const {
    return !warningPanel_->isHidden();
}

void MainWindow::retranslate() {
    const Settings& s = state_.settings;
    if (!s.english() && !s.french()) return; // no language chosen: the built-in texts stay
    const bool english = s.english();
    const MainWindowTexts t = MainTexts(english);
    setWindowTitle(t.caption);
    state_.dateNames = english ? DateNames::English() : DateNames::French();
    portsMenu_->setTitle(t.portSecondaire);
    addSecondaryPortAction_->setText(t.ajoutPortSecondaire);
    modifySecondaryPortAction_->setText(t.retraitPortSecondaire);
    importPortsAction_->setText(t.ajoutDePortsPrincipaux);
    toolsMenu_->setTitle(t.outils);
    hideOnQuitAction_->setText(t.icone);
    fontMenu_->setTitle(t.police);
    changeFontAction_->setText(t.changer);
    defaultFontAction_->setText(t.policeParDefaut);
    languageAction_->setText(t.langue);
    helpMenu_->setTitle(t.aide);
    helpAction_->setText(t.aide);
    aboutAction_->setText(t.apropos);
    portButton_->setText(t.selPort);
    tideTableButton_->setText(t.annuaire);
    updateQuitCaption();
    helpButton_->setText(t.aideButton);
    ephemeridesButton_->setText(t.ephemerides);
    portButton_->setToolTip(t.selPortHint);
    dateButton_->setToolTip(t.selDateHint);
    infoTitle_->setText(t.label3);
    timesTitle_->setText(t.label4);
    for (std::size_t i = 0; i < infoLines_.size(); ++i)
        infoLines_[i]->setText(t.memoInformations.value(static_cast<qsizetype>(i)));
    // One line per entry, the empty ones included (append() would fold a leading empty line into
    // the memo's first, empty, paragraph).
    warningText_->setPlainText(t.warning.join(QLatin1Char('\n')));
    {
        QTextCursor all(warningText_->document());
        all.select(QTextCursor::Document);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignCenter);
        all.mergeBlockFormat(centred);
    }
    warningText_->moveCursor(QTextCursor::Start);
    acceptButton_->setText(t.accept);
    refuseButton_->setText(t.refuse);
    timeReferenceLabel_->setText(QString::fromStdString(s.timeReference.label(s.language())));
}

void MainWindow::updateQuitCaption() {
    const bool english = state_.settings.english();
    if (state_.settings.icone)
        quitButton_->setText(english ? QStringLiteral("&Reduce") : QStringLiteral("&Réduire"));
    else
        quitButton_->setText(english ? QStringLiteral("&Exit") : QStringLiteral("&Quitter"));
}

void MainWindow::acceptWarning() {
    warningPanel_->hide();
    accepted_ = true;

    const QDate today = state_.clock().date();
    dateLabel_->setText(FormatLongDate(today, state_.dateNames));
    const auto day = JulianDayOfText(today.toString(QStringLiteral("dd MM yyyy 00:00:00")).toStdString());
    state_.selectedDay = day ? *day : JulianDay(today.year(), today.month(), today.day());
    showDayCoefficients(state_.selectedDay);

    portButton_->setEnabled(true);
    dateButton_->setEnabled(true);
    portButton_->setFocus();
    ephemeridesButton_->setEnabled(static_cast<bool>(showEphemerides_));
    tideTableButton_->setEnabled(static_cast<bool>(showTideTable_));

    if (!portWindow_->tableIsOpen()) {
        reportTableProblem();
        return;
    }
    if (!state_.settings.lastPortName.isEmpty() && portWindow_->selectNearest(state_.settings.lastPortName)) {
        // The port window's OK fills the port information, the report and the curve.
        portWindow_->confirm();
        return;
    }
    choosePort();
}

void MainWindow::refuseWarning() {
    emit quitRequested();
}

void MainWindow::showChosenPort(const ChosenPort& port) {
    portInfo_->clear();
    portLabel_->setAlignment((port.name.size() >= 40 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
    portLabel_->setText(port.name);
    portLabel_->setToolTip(port.name);
    QString lines = port.name;
    if (!port.countryLine.isEmpty()) lines += QLatin1Char('\n') + port.countryLine;
    portInfo_->setText(lines);
    latitude_->setText(port.latitude);
    longitude_->setText(port.longitude);
    timeZone_->setText(port.timeZone);
    state_.portChosen = true;
    // The coefficients place the day's midnight with the current port's time zone: a port in
    // another zone can change them.
    if (accepted_) showDayCoefficients(state_.selectedDay);
    showDayReport(state_.port, state_.selectedDay + state_.settings.heureFin,
                  state_.selectedDay + state_.settings.heureDebut);
}

void MainWindow::showDayReport(const PortRecord& port, double curveEnd, double curveStart) {
    state_.secondaryCache.prepare(state_.context(), port, curveStart);
    writeDayReport(port);
    emit dayCurveRequested(curveStart, curveEnd);
}

void MainWindow::writeDayReport(const PortRecord& port) {
    const DayEvents events = DayTideEvents(state_.context(), port, state_.selectedDay);
    const auto lines = DayReportLines(events, state_.settings.heightUnit(), state_.settings.language());
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    dayReport_->setPlainText(text.join(QLatin1Char('\n')));
}

void MainWindow::showDayCoefficients(double day) {
    const CoefficientPair c = state_.coefficientMemo.coefficients(state_.context(), day);
    const Language language = state_.settings.language();
    morningCoefficient_->setText(QString::fromStdString(MorningCoefficientLabel(c.morning, language)));
    eveningCoefficient_->setText(QString::fromStdString(EveningCoefficientLabel(c.evening, language)));
}

void MainWindow::dateConfirmed(const QDate& date, bool isToday) {
    dateLabel_->setText(FormatLongDate(date, state_.dateNames));
    showDayCoefficients(state_.selectedDay);
    emit positionIndicatorAllowed(isToday);
    if (state_.portChosen) showDayReport(state_.port, state_.selectedDay + 1, state_.selectedDay);
}

void MainWindow::reportTableProblem() {
    const bool english = state_.settings.english();
    const QString where = QDir::toNativeSeparators(UserTableDirectory());
    const QString detail = portWindow_->tableError();
    messages_.information(
        this, english ? QStringLiteral("The port table cannot be opened (%1).\n\nOndrel cannot predict any tide "
                                       "without it. Put ports.dbf and ports.tags in the working folder or in %2, "
                                       "then start the program again.")
                            .arg(detail, where)
                      : QStringLiteral("La table des ports ne peut pas être ouverte (%1).\n\nOndrel ne peut prédire "
                                       "aucune marée sans elle. Placez ports.dbf et ports.tags dans le dossier de "
                                       "travail ou dans %2, puis relancez le programme.")
                            .arg(detail, where));
}

void MainWindow::choosePort() {
    if (!portWindow_->tableIsOpen()) {
        reportTableProblem();
        return;
    }
    portWindow_->move(pos());
    portWindow_->show();
    portWindow_->raise();
    portWindow_->activateWindow();
}

void MainWindow::chooseDate() {
    dateWindow_->move(pos());
    dateWindow_->show();
    dateWindow_->raise();
    dateWindow_->activateWindow();
}

void MainWindow::showTideTable() {
    if (portLabel_->text().isEmpty()) {
        messages_.information(this, state_.settings.english()
                                        ? QStringLiteral("You have first to select a port !")
                                        : QStringLiteral("Vous devez d'abord sélectionner un port !"));
        return;
    }
    if (showTideTable_) showTideTable_();
}

void MainWindow::quitOrReduce() {
    if (state_.settings.icone)
        trayIcon_->reduce();
    else
        emit quitRequested();
}

void MainWindow::showHelpContents() {
    showHelp(kHelpHome);
}

void MainWindow::showHelp(int context) {
    Q_UNUSED(context);
    const bool english = state_.settings.english();
    messages_.information(this, english ? QStringLiteral("The help files are not installed with this version.")
                                        : QStringLiteral("Les fichiers d'aide ne sont pas installés avec cette version."));
}

void MainWindow::showOptions() {
    optionsWindow_->move(pos());
    optionsWindow_->show();
    optionsWindow_->raise();
    optionsWindow_->activateWindow();
}

void MainWindow::switchLanguage() {
    Settings& s = state_.settings;
    if (s.english()) {
        if (messages_.askYesNoCancel(this, QStringLiteral("Do you wish to change to the <French> language version? ")) ==
            MessageBoxes::Answer::Yes) {
            messages_.information(this, QStringLiteral("If you wish to restore the <English> version after making the change, "
                                                       "use the same button (in the <\"Outils\"> menu), labeled <\"version Anglaise\">"));
            s.langue = kFrench;
        }
    } else {
        if (messages_.askYesNoCancel(this, QStringLiteral("Désirez-vous passer à la version <Anglaise> ? Si vous cliquez sur \"OUI\" "
                                                          "tous les textes seront affichés en anglais. Si vous ne désirez pas faire ce "
                                                          "changement, cliquez sur \"NON\".")) == MessageBoxes::Answer::Yes) {
            messages_.information(this, QStringLiteral("Si vous désirez revenir à la version <Française> après ce changement, "
                                                       "utilisez le même bouton (dans le menu <\"Tools\">), sous-menu <\"French version\">"));
            s.langue = kEnglish;
        }
    }
    retranslate();
    if (accepted_) showDayCoefficients(state_.selectedDay);
    if (state_.portChosen) writeDayReport(state_.port);
    emit languageChanged();
}

QWidget* MainWindow::fontControl(const char* name) const {
    return findChild<QWidget*>(QString::fromLatin1(name));
}

void MainWindow::applyFont(const QFont& font) {
    const auto apply = [&](QWidget* w, bool bold) {
        if (!w) return;
        QFont f = font;
        // The font commands choose face, style and effects; every control keeps its size.
        f.setPointSizeF(w->font().pointSizeF());
        if (bold) f.setBold(true);
        w->setFont(f);
    };
    for (const char* name : {"SelPort", "SelDate", "PortSelection", "DateSelection", "Annuaire", "BQuitter",
                             "Aide", "HeuresOndrel", "ELatitude", "ELongitude", "EFuseauHoraire",
                             "Informations", "boiteCoefficients"})
        apply(fontControl(name), false);
    for (QLabel* l : infoLines_) apply(l, false);
    apply(infoTitle_, true);
    apply(timesTitle_, true);
    for (const char* name : kEphemeridesFontControls)
        apply(ephemeridesWindow_->findChild<QWidget*>(QString::fromLatin1(name)), false);
}

void MainWindow::chooseFont() {
    QFontDialog dialog(portButton_->font(), this);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setOption(QFontDialog::ScalableFonts);
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* applyButton = box->addButton(QDialogButtonBox::Apply);
        applyButton->setText(state_.settings.english() ? QStringLiteral("&Apply") : QStringLiteral("A&ppliquer"));
        connect(applyButton, &QPushButton::clicked, this, [this, &dialog] { applyFont(dialog.currentFont()); });
    }
    if (dialog.exec() == QDialog::Accepted) applyFont(dialog.selectedFont());
}

void MainWindow::restoreDefaultFont() {
    for (auto it = builtInFonts_.cbegin(); it != builtInFonts_.cend(); ++it) it.key()->setFont(it.value());
}

void MainWindow::importAtStart(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.at(1) != u"/a") return;
    const QString file = arguments.value(2);
    const bool imported = importPorts_ && !file.isEmpty() && importPorts_(file);
    if (imported) return;
    if (state_.settings.french())
        messages_.plain(this, QStringLiteral("Impossible de trouver le fichier d'ajout de ports"));
    else if (state_.settings.english())
        messages_.plain(this, QStringLiteral("Impossible to find the file for adding new ports"));
}

void MainWindow::setTideTableWindow(std::function<void()> show) {
    showTideTable_ = std::move(show);
    tideTableButton_->setEnabled(static_cast<bool>(showTideTable_));
}

void MainWindow::setEphemeridesWindow(std::function<void()> show) {
    showEphemerides_ = std::move(show);
    ephemeridesButton_->setEnabled(accepted_ && showEphemerides_);
}

void MainWindow::setImport(std::function<bool(const QString&)> importPorts) {
    importPorts_ = std::move(importPorts);
}

} // namespace ondrel
