#include "MainWindow.h"

#include "AboutWindow.h"
#include "AppState.h"
#include "Bilingual.h"
#include "CommonTexts.h"
#include "CountriesWindow.h"
#include "CurveWindow.h"
#include "DateTimeJulian.h"
#include "DateWindow.h"
#include "EphemeridesWindow.h"
#include "Extremes.h"
#include "HelpTopics.h"
#include "HelpWindow.h"
#include "ImportListWindow.h"
#include "ImportTexts.h"
#include "IntervalWindow.h"
#include "Julian.h"
#include "LanguageWindow.h"
#include "MainWindowTexts.h"
#include "MessageBoxes.h"
#include "OptionsWindow.h"
#include "PageSetupWindow.h"
#include "PortImport.h"
#include "PortTable.h"
#include "PortWindow.h"
#include "ProjectInfo.h"
#include "QtTranslations.h"
#include "Report.h"
#include "ScreenPlacement.h"
#include "SecondaryPortWizard.h"
#include "SecondaryPortsWindow.h"
#include "TableLocation.h"
#include "TideTableFilterWindow.h"
#include "TideTableWindow.h"
#include "TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace ondrel {

namespace {

// The controls of the ephemerides window that follow the font commands.
constexpr const char* kEphemeridesFontControls[] = {
    "Panel1", "Panel2",  "Panel3", "GroupeSoleil", "groupeLune", "HemisphereButton1",
    "lever",  "coucher", "LAge",   "AZL",          "AZC",        "EtatLune"};

const MainWindowTexts kTexts;
// The built-in texts, before a language is chosen.
constexpr Language kBuiltIn = Language::French;

template <typename W> W* Named(W* widget, const char* name) {
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
    tideTableWindow_ = new TideTableWindow(state_, messages_, this);
    tideTableFilterWindow_ = new TideTableFilterWindow(state_, messages_, this);
    tideTableWindow_->setFilterWindow(tideTableFilterWindow_);
    trayIcon_ = new TrayIcon(state_, messages_, this, curveWindow_, this);
    countriesWindow_ = new CountriesWindow(
        state_, messages_, portWindow_->table(), [this] { portWindow_->refreshList(); }, this);
    wizard_ = new SecondaryPortWizard(state_, messages_, *portWindow_, this);
    secondaryPortsWindow_ =
        new SecondaryPortsWindow(state_, messages_, *portWindow_, *wizard_, this);
    importListWindow_ = new ImportListWindow(state_, this);

    // Port management.
    wizard_->setBeforeStandardPortChoice([this] { curveWindow_->hide(); });
    secondaryPortsWindow_->setPortDisplayReset([this] { clearPortDisplay(); });
    // The port shown, modified: its report and curve are made again from what was stored.
    connect(wizard_, &SecondaryPortWizard::portStored, this,
            [this](const QString& previousName, const QString& name) {
                if (!state_.portChosen || previousName.isEmpty()) return;
                if (NameKey(QString::fromStdString(state_.port.name)) != NameKey(previousName))
                    return;
                if (portWindow_->selectNearest(name)) portWindow_->confirm();
            });
    const bool tableThere = portWindow_->tableIsOpen();
    addSecondaryPortAction_->setEnabled(tableThere);
    modifySecondaryPortAction_->setEnabled(tableThere);
    importPortsAction_->setEnabled(tableThere);
    connect(addSecondaryPortAction_, &QAction::triggered, this, [this] {
        wizard_->move(pos());
        wizard_->startAdd();
    });
    connect(modifySecondaryPortAction_, &QAction::triggered, this, [this] {
        curveWindow_->hide();
        ShowAt(secondaryPortsWindow_, pos());
    });
    connect(importPortsAction_, &QAction::triggered, this, [this] { chooseAndImportPorts(); });
    setCountriesWindow([this] { ShowAt(countriesWindow_, portWindow_->pos()); });
    setImport([this](const QString& file) { return importPorts(file, true); });
    helpWindow_ = new HelpWindow(state_, this);
    helpCollection_ = HelpCollectionFile();
    aboutWindow_ = new AboutWindow(state_, this);

    setEphemeridesWindow([this] { ShowAt(ephemeridesWindow_, pos()); });
    setTideTableWindow([this] { ShowAt(tideTableWindow_, pos()); });
    for (const char* name : kEphemeridesFontControls)
        if (QWidget* w = ephemeridesWindow_->findChild<QWidget*>(QString::fromLatin1(name)))
            builtInFonts_.insert(w, w->font());
    connect(trayIcon_, &TrayIcon::quitRequested, this, &MainWindow::quitRequested);

    // The curve window draws every day curve, hosts the interval calculation and prints with the
    // page settings.
    curveWindow_->setIntervalWindow(intervalWindow_);
    curveWindow_->setPageSetupWindow(pageSetupWindow_,
                                     [this] { return pageSetupWindow_->blackAndWhite(); });
    connect(this, &MainWindow::dayCurveRequested, curveWindow_, &CurveWindow::drawDayCurve);
    connect(this, &MainWindow::positionIndicatorAllowed, curveWindow_,
            &CurveWindow::setPositionIndicatorAllowed);
    // An open tide table or filter window follows a language switch at once.
    connect(this, &MainWindow::languageChanged, tideTableWindow_, [this] {
        if (tideTableWindow_->isVisible()) tideTableWindow_->onActivated();
        if (tideTableFilterWindow_->isVisible()) tideTableFilterWindow_->onActivated();
    });
    connect(this, &MainWindow::languageChanged, curveWindow_, [this] {
        if (curveWindow_->isVisible()) curveWindow_->onActivated();
    });

    connect(dateWindow_, &DateWindow::dateConfirmed, this, &MainWindow::dateConfirmed);
    connect(portWindow_, &PortWindow::portConfirmed, this, &MainWindow::showChosenPort);
    connect(portWindow_, &PortWindow::countriesRequested, this, [this] {
        if (showCountries_) showCountries_();
        emit countriesRequested();
    });
    connect(optionsWindow_, &OptionsWindow::timeReferenceLabelChanged, timeReferenceLabel_,
            &QLabel::setText);
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
    const int wide =
        fontMetrics().horizontalAdvance(QStringLiteral("Mercredi, 30 septembre 2026 MMMMMM"));
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
        dayReport_->setMinimumWidth(
            fm.horizontalAdvance(QStringLiteral("Pleine mer à 06:42    hauteur : 05,31 mètres")) +
            24);
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
    info->setColumnMinimumWidth(1,
                                fontMetrics().horizontalAdvance(QStringLiteral("048 23 N")) + 16);

    auto* lower = new QHBoxLayout(infoPanel_);
    lower->addWidget(timesPanel_, 1);
    lower->addSpacing(8);
    lower->addWidget(infoTitlePanel_, 1);

    auto* outer = new QVBoxLayout(central);
    outer->addWidget(topPanel_);
    outer->addWidget(infoPanel_, 1);

    // Built-in captions (the French ones); the language routine replaces them.
    const QStringList infoLines = kTexts.infoLines.lines(kBuiltIn);
    for (std::size_t i = 0; i < infoLines_.size(); ++i)
        infoLines_[i]->setText(infoLines[static_cast<qsizetype>(i)]);
    ephemeridesButton_->setText(kTexts.ephemerides.in(kBuiltIn));
    timeReferenceLabel_->setText(QString::fromStdString(TimeReference().label(Language::French)));
    morningCoefficient_->setText(QStringLiteral("matin : "));
    eveningCoefficient_->setText(QStringLiteral("soir : "));

    holdWidths();

    for (const char* name :
         {"SelPort", "SelDate", "PortSelection", "DateSelection", "Annuaire", "BQuitter", "Aide",
          "HeuresOndrel", "ELatitude", "ELongitude", "EFuseauHoraire", "Informations",
          "boiteCoefficients", "Label3", "Label4"})
        if (QWidget* w = fontControl(name)) builtInFonts_.insert(w, w->font());
    for (QLabel* l : infoLines_)
        builtInFonts_.insert(l, l->font());

    connect(portButton_, &QPushButton::clicked, this, [this] { choosePort(); });
    connect(dateButton_, &QPushButton::clicked, this, [this] { chooseDate(); });
    connect(tideTableButton_, &QPushButton::clicked, this, [this] { showTideTable(); });
    connect(quitButton_, &QPushButton::clicked, this, [this] { quitOrReduce(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelpContents(); });
    connect(ephemeridesButton_, &QPushButton::clicked, this, [this] {
        if (showEphemerides_) showEphemerides_();
    });
    // The coefficients are explained with the curve.
    coefficientsBox_->setProperty(kHelpContextProperty, int(kHelpCurve));

    portButton_->setEnabled(false);
    dateButton_->setEnabled(false);
    ephemeridesButton_->setEnabled(false);
    tideTableButton_->setEnabled(false);
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
    const QFontMetrics fm = dayReport_->fontMetrics();
    int widest = 0;
    for (Language l : {Language::French, Language::English}) {
        DayEvents sample;
        sample[0] = TideEvent{2460000.78, 15.31};
        sample[1] = TideEvent{-2460000.99, 15.31};
        for (const std::string& line : DayReportLines(sample, HeightUnit::Feet, l))
            widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(line)));
        for (const std::string& line : DayReportLines(sample, HeightUnit::Metres, l))
            widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(line)));
    }
    dayReport_->setMinimumWidth(std::max(dayReport_->minimumWidth(), widest + 24));
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
    addSecondaryPortAction_->setEnabled(false);
    modifySecondaryPortAction_->setEnabled(false);
    importPortsAction_->setEnabled(false);

    toolsMenu_ = Named(bar->addMenu(kTexts.toolsMenu.in(kBuiltIn)), "Outils1");
    optionsAction_ = Named(toolsMenu_->addAction(kOptionsCaption), "Options");
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

    connect(optionsAction_, &QAction::triggered, this, [this] { showOptions(); });
    connect(hideOnQuitAction_, &QAction::toggled, this, [this](bool on) {
        state_.settings.hideOnQuit = on;
        updateQuitCaption();
    });
    connect(changeFontAction_, &QAction::triggered, this, [this] { chooseFont(); });
    connect(defaultFontAction_, &QAction::triggered, this, [this] { restoreDefaultFont(); });
    connect(languageAction_, &QAction::triggered, this, [this] { switchLanguage(); });
    connect(helpAction_, &QAction::triggered, this, [this] { showHelp(kHelpHome); });
    connect(aboutAction_, &QAction::triggered, this, [this] { showAbout(); });
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
    acceptButton_->setText(kTexts.accept.in(kBuiltIn));
    refuseButton_->setText(kTexts.refuse.in(kBuiltIn));
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
    const int warningHeight =
        warningText_->fontMetrics().lineSpacing() * 19 + acceptButton_->sizeHint().height() + 48;
    centralWidget()->setMinimumHeight(warningHeight + 16);
}

void MainWindow::placeWarning() {
    if (!warningPanel_) return;
    const QRect area = centralWidget()->rect();
    const int width =
        std::min(area.width() - 24, warningText_->fontMetrics().horizontalAdvance(QStringLiteral(
                                        "regarding the use of the appropriate products")) +
                                        80);
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
        hideOnQuitAction_->setChecked(state_.settings.hideOnQuit);
    }
    if (const auto& b = state_.settings.bounds) {
        // A place on no screen any more (a screen removed since) is brought back onto one.
        const QRect place = FitOnScreen(QRect(b->left, b->top, b->width, b->height));
        resize(place.size());
        move(place.topLeft());
    } else {
        adjustSize();
    }
    state_.help = [this](int context) { showHelp(context); };
    helpKey_ = new HelpKeyFilter(
        [this](int context) {
            if (state_.help) state_.help(context);
        },
        this);
    qApp->installEventFilter(helpKey_);
    screenKeeper_ = new KeepWindowsOnScreen(this);
    qApp->installEventFilter(screenKeeper_);
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
    trayIcon_->remove();
    qApp->removeEventFilter(helpKey_);
    qApp->removeEventFilter(screenKeeper_);
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
    if (!s.languageChosen()) return; // no language chosen: the built-in texts stay
    const Language l = s.language();
    // Qt's own dialogs and buttons speak the program's language.
    UseQtTranslations(l);
    setWindowTitle(kTexts.caption.in(l));
    state_.dateNames = DateNames::Of(l);
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
    // One line per entry, the empty ones included (append() would fold a leading empty line into
    // the memo's first, empty, paragraph).
    warningText_->setPlainText(kTexts.warning.in(l));
    {
        QTextCursor all(warningText_->document());
        all.select(QTextCursor::Document);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignCenter);
        all.mergeBlockFormat(centred);
    }
    warningText_->moveCursor(QTextCursor::Start);
    acceptButton_->setText(kTexts.accept.in(l));
    refuseButton_->setText(kTexts.refuse.in(l));
    timeReferenceLabel_->setText(QString::fromStdString(s.timeReference.label(s.language())));
}

void MainWindow::updateQuitCaption() {
    const Bilingual& caption = state_.settings.hideOnQuit ? kTexts.reduce : kTexts.quit;
    quitButton_->setText(caption.in(state_.settings.language()));
}

void MainWindow::acceptWarning() {
    warningPanel_->hide();
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

    if (!portWindow_->tableIsOpen()) {
        reportTableProblem();
        return;
    }
    if (!state_.settings.lastPortName.isEmpty() &&
        portWindow_->selectNearest(state_.settings.lastPortName)) {
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
    // The coefficients place the day's midnight with the current port's time zone: a port in
    // another zone can change them.
    if (accepted_) showDayCoefficients(state_.selectedDay);
    showDayReport(state_.port, state_.selectedDay + state_.settings.curveEnd,
                  state_.selectedDay + state_.settings.curveStart);
}

void MainWindow::showDayReport(const PortRecord& port, double curveEnd, double curveStart) {
    state_.secondaryCache.prepare(state_.context(), port, curveStart);
    writeDayReport(port);
    emit dayCurveRequested(curveStart, curveEnd);
}

void MainWindow::writeDayReport(const PortRecord& port) {
    const DayEvents events = DayTideEvents(state_.context(), port, state_.selectedDay);
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
    if (state_.portChosen) showDayReport(state_.port, state_.selectedDay + 1, state_.selectedDay);
}

void MainWindow::reportTableProblem() {
    const QString where = QDir::toNativeSeparators(UserTableDirectory());
    const QString detail = portWindow_->tableError();
    messages_.information(this,
                          kTexts.tableProblem.in(state_.settings.language()).arg(detail, where));
}

void MainWindow::choosePort() {
    if (!portWindow_->tableIsOpen()) {
        reportTableProblem();
        return;
    }
    ShowAt(portWindow_, pos());
}

void MainWindow::chooseDate() {
    ShowAt(dateWindow_, pos());
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
        trayIcon_->reduce();
    else
        emit quitRequested();
}

void MainWindow::showHelpContents() {
    showHelp(kHelpHome);
}

void MainWindow::showHelp(int context) {
    if (!helpWindow_->isOpen()) {
        if (helpCollection_.isEmpty() || !helpWindow_->open(helpCollection_)) {
            const QDir programDir(QCoreApplication::applicationDirPath());
            const QString where = QDir::toNativeSeparators(
                QDir::cleanPath(programDir.filePath(QStringLiteral("../share/ondrel/help"))));
            messages_.information(this, kTexts.noHelp.in(state_.settings.language()).arg(where));
            return;
        }
    }
    helpWindow_->showTopic(context);
}

void MainWindow::showAbout() {
    aboutWindow_->retranslate();
    aboutWindow_->adjustSize();
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect place(QPoint(), aboutWindow_->sizeHint());
    if (screen) place.moveCenter(screen->availableGeometry().center());
    ShowAt(aboutWindow_, FitOnScreen(place).topLeft());
}

void MainWindow::showOptions() {
    ShowAt(optionsWindow_, pos());
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
    for (const char* name : {"SelPort", "SelDate", "PortSelection", "DateSelection", "Annuaire",
                             "BQuitter", "Aide", "HeuresOndrel", "ELatitude", "ELongitude",
                             "EFuseauHoraire", "Informations", "boiteCoefficients"})
        apply(fontControl(name), false);
    for (QLabel* l : infoLines_)
        apply(l, false);
    apply(infoTitle_, true);
    apply(timesTitle_, true);
    for (const char* name : kEphemeridesFontControls)
        apply(ephemeridesWindow_->findChild<QWidget*>(QString::fromLatin1(name)), false);
}

void MainWindow::chooseFont() {
    QFontDialog dialog(portButton_->font(), this);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setOption(QFontDialog::ScalableFonts);
    HideFontSizeControls(dialog);
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* applyButton = box->addButton(QDialogButtonBox::Apply);
        applyButton->setText(kTexts.apply.in(state_.settings.language()));
        connect(applyButton, &QPushButton::clicked, this,
                [this, &dialog] { applyFont(dialog.currentFont()); });
    }
    if (dialog.exec() == QDialog::Accepted) applyFont(dialog.selectedFont());
}

void HideFontSizeControls(QFontDialog& dialog) {
    // The size field is the dialog's one line edit that takes a number; its label names it as
    // buddy, and the size list is the list whose entries are numbers.
    for (auto* edit : dialog.findChildren<QLineEdit*>()) {
        if (!edit->validator()) continue;
        edit->hide();
        for (auto* label : dialog.findChildren<QLabel*>())
            if (label->buddy() == edit) label->hide();
    }
    for (auto* list : dialog.findChildren<QListView*>()) {
        bool numbers = false;
        if (list->model() && list->model()->rowCount() > 0)
            list->model()->index(0, 0).data().toString().toInt(&numbers);
        if (numbers) list->hide();
    }
}

void MainWindow::restoreDefaultFont() {
    for (auto it = builtInFonts_.cbegin(); it != builtInFonts_.cend(); ++it)
        it.key()->setFont(it.value());
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

void MainWindow::setCountriesWindow(std::function<void()> show) {
    showCountries_ = std::move(show);
    portWindow_->setCountriesAvailable(static_cast<bool>(showCountries_));
}

void MainWindow::setImport(std::function<bool(const QString&)> importPorts) {
    importPorts_ = std::move(importPorts);
}

void MainWindow::clearPortDisplay() {
    portLabel_->clear();
    portInfo_->clear();
}

void MainWindow::chooseAndImportPorts() {
    QString file;
    if (chooseImportFile_) {
        file = chooseImportFile_();
    } else {
        QFileDialog dialog(this);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({QStringLiteral("Fichiers ajout de port (*.add)"),
                               QStringLiteral("Tous les fichiers (*)")});
        dialog.setDefaultSuffix(QStringLiteral("add"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            file = dialog.selectedFiles().front();
    }
    if (!file.isEmpty()) importPorts(file);
}

bool MainWindow::importPorts(const QString& file, bool fromCommandLine) {
    const Language l = state_.settings.language();
    const bool speak = state_.settings.languageChosen() || !fromCommandLine;
    const QString path = portWindow_->table().fileName();
    PortTable table; // the import's own table object
    try {
        if (path.isEmpty()) throw TableError(portWindow_->tableError().toStdString());
        table.open(path);
    } catch (const TableError& e) {
        if (speak)
            messages_.information(
                this, kImportTexts.tableUnwritable.in(l).arg(QString::fromUtf8(e.what())));
        return true;
    }
    const QString log = QFileInfo(path).absoluteDir().filePath(QStringLiteral("bug.txt"));
    const QString separator = state_.settings.decimalSeparator;
    const ImportSettings settings{countriesWindow_->hasCountryCodes(),
                                  separator.isEmpty() ? QLatin1Char('.') : separator.front(), l};

    importListWindow_->clear();
    importListWindow_->showCentred();
    int listed = 0;
    const ImportReport report = ImportPorts(table, file, log, settings, [&](const QString& line) {
        importListWindow_->addLine(line);
        // The list grows on screen while the import runs; no command can start meanwhile.
        if (++listed % 64 == 0) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    table.close();

    using Failure = ImportReport::Failure;
    if (report.failure == Failure::AddFile) {
        importListWindow_->hide();
        if (fromCommandLine) return false;
        messages_.information(this, kImportTexts.addFileUnreadable.in(l).arg(report.failureDetail));
        return true;
    }
    if (report.failure == Failure::LogFile || report.failure == Failure::Busy) {
        importListWindow_->hide();
        const Bilingual& text = report.failure == Failure::LogFile ? kImportTexts.logUnwritable
                                                                   : kCommonTexts.tableBusy;
        if (speak) messages_.information(this, text.in(l).arg(report.failureDetail));
        return true;
    }
    // A failed write stopped the import: the list keeps the ports stored before it.
    if (report.failure == Failure::Table && speak)
        messages_.information(importListWindow_,
                              kImportTexts.tableUnwritable.in(l).arg(report.failureDetail));

    // The port list and the countries see the new ports.
    portWindow_->reopenTable(!portWindow_->table().isReadOnly());
    if (countriesWindow_->hasCountryCodes() && report.lastCountry > 0)
        state_.settings.countrySelected[static_cast<std::size_t>(report.lastCountry)] = true;
    countriesWindow_->build();
    if (!report.log.isEmpty())
        messages_.information(importListWindow_,
                              kImportTexts.readError.in(l) + QLatin1String(kHomePage) +
                                  QStringLiteral("\n\n") +
                                  kImportTexts.logPlace.in(l).arg(QDir::toNativeSeparators(log)));
    return true;
}

} // namespace ondrel
