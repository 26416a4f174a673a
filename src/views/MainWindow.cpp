#include "MainWindow.h"

#include "AppState.h"
#include "Extremes.h"
#include "Julian.h"
#include "LanguageTexts.h"
#include "MessageBoxes.h"
#include "Report.h"
#include "CurveWindow.h"
#include "DateWindow.h"
#include "IntervalWindow.h"
#include "PageSetupWindow.h"
#include "LanguageWindow.h"
#include "OptionsWindow.h"
#include "PortWindow.h"
#include "TableLocation.h"

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
    FormCreate();

    // The other windows, in their fixed order.
    FDate_ = new DateWindow(state_, this);
    Fport_ = new PortWindow(state_, messages_, this);
    Courbe_ = new CurveWindow(state_, messages_, this);
    Foptions_ = new OptionsWindow(state_, messages_, this);
    FInitialisation_ = new LanguageWindow(this);
    FIntervalle_ = new IntervalWindow(state_, messages_, *Courbe_, this);
    FMiseEnPage_ = new PageSetupWindow(state_, messages_, Courbe_, this);

    // The curve window draws every day curve, hosts the interval calculation and prints with the
    // page settings.
    Courbe_->setIntervalWindow(FIntervalle_);
    Courbe_->setPageSetupWindow(FMiseEnPage_, [this] { return FMiseEnPage_->blackAndWhite(); });
    connect(this, &MainWindow::dayCurveRequested, Courbe_, &CurveWindow::DayCurve);
    connect(this, &MainWindow::positionIndicatorAllowed, Courbe_,
            &CurveWindow::setPositionIndicatorAllowed);
    connect(this, &MainWindow::languageChanged, Courbe_, [this] {
        if (Courbe_->isVisible()) Courbe_->FormActivate();
    });

    connect(FDate_, &DateWindow::dateConfirmed, this, &MainWindow::dateConfirmed);
    connect(Fport_, &PortWindow::portConfirmed, this, &MainWindow::showChosenPort);
    connect(Fport_, &PortWindow::countriesRequested, this, &MainWindow::countriesRequested);
    connect(Foptions_, &OptionsWindow::fuseauLabelChanged, fuseau_, &QLabel::setText);
    connect(Foptions_, &OptionsWindow::optionsConfirmed, this, [this] { avertissementOKClick(); });
}

MainWindow::~MainWindow() {
    FormDestroy();
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    Panel2_ = Named(new QFrame(central), "Panel2");
    Panel2_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SelPort_ = Button("SelPort", Panel2_);
    SelDate_ = Button("SelDate", Panel2_);
    SelDate_->setText(kSelDateCaption);
    SelPort_->setText(QStringLiteral("&Port"));
    PortSelection_ = SunkenLabel("PortSelection", Panel2_);
    DateSelection_ = SunkenLabel("DateSelection", Panel2_);
    PortSelection_->setFont(Bold(PortSelection_->font()));
    const int wide = fontMetrics().horizontalAdvance(QStringLiteral("Mercredi, 30 septembre 2026 MMMMMM"));
    PortSelection_->setMinimumWidth(wide);
    DateSelection_->setMinimumWidth(wide);
    PortSelection_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A name of up to 50 characters is shown whole, on two lines when it needs them.
    PortSelection_->setWordWrap(true);
    PortSelection_->setMinimumHeight(2 * QFontMetrics(PortSelection_->font()).lineSpacing() +
                                     2 * PortSelection_->margin() + 2 * PortSelection_->frameWidth());

    boiteCoefficients_ = Named(new QGroupBox(kCoefficientsTitle, Panel2_), "boiteCoefficients");
    boiteCoefficients_->setFont(Bold(boiteCoefficients_->font()));
    coeffmatin_ = Named(new QLabel(boiteCoefficients_), "coeffmatin");
    CoeffSoir_ = Named(new QLabel(boiteCoefficients_), "CoeffSoir");
    for (QLabel* l : {coeffmatin_, CoeffSoir_}) {
        QFont f = l->font();
        f.setBold(false);
        l->setFont(f);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("morning : 120")) + 8);
    }
    auto* coefLayout = new QVBoxLayout(boiteCoefficients_);
    coefLayout->addWidget(coeffmatin_);
    coefLayout->addWidget(CoeffSoir_);

    Annuaire_ = Button("Annuaire", Panel2_);
    BQuitter_ = Button("BQuitter", Panel2_);
    Aide_ = Button("Aide", Panel2_);
    Annuaire_->setText(QStringLiteral("A&nnuaire"));
    BQuitter_->setText(QStringLiteral("&Quitter"));
    Aide_->setText(QStringLiteral("&Aide"));

    auto* top = new QGridLayout(Panel2_);
    top->addWidget(SelPort_, 0, 0);
    top->addWidget(PortSelection_, 0, 1);
    top->addWidget(SelDate_, 1, 0);
    top->addWidget(DateSelection_, 1, 1);
    top->addWidget(boiteCoefficients_, 0, 2, 2, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(Annuaire_);
    side->addWidget(BQuitter_);
    side->addWidget(Aide_);
    top->addLayout(side, 0, 3, 2, 1);
    top->setColumnStretch(1, 1);

    Infos_ = Named(new QFrame(central), "Infos");
    Infos_->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Horaires_ = Named(new QFrame(Infos_), "Horaires");
    Label4_ = Named(new QLabel(QStringLiteral("HORAIRES"), Horaires_), "Label4");
    Label4_->setFont(Bold(Label4_->font()));
    Label4_->setAlignment(Qt::AlignCenter);
    HeuresOndrel_ = Named(new QPlainTextEdit(Horaires_), "HeuresOndrel");
    HeuresOndrel_->setReadOnly(true);
    HeuresOndrel_->setLineWrapMode(QPlainTextEdit::NoWrap);
    HeuresOndrel_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HeuresOndrel_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    {
        const QFontMetrics fm = HeuresOndrel_->fontMetrics();
        HeuresOndrel_->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("Pleine mer à 06:42    hauteur : 05,31 mètres")) + 24);
        HeuresOndrel_->setMinimumHeight(fm.lineSpacing() * 4 + 16);
    }
    auto* timesLayout = new QVBoxLayout(Horaires_);
    timesLayout->setContentsMargins(0, 0, 0, 0);
    timesLayout->addWidget(Label4_);
    timesLayout->addWidget(HeuresOndrel_, 1);

    Panel4_ = Named(new QFrame(Infos_), "Panel4");
    Label3_ = Named(new QLabel(QStringLiteral("INFORMATIONS"), Panel4_), "Label3");
    Label3_->setFont(Bold(Label3_->font()));
    Label3_->setAlignment(Qt::AlignCenter);
    auto* info = new QGridLayout(Panel4_);
    info->setContentsMargins(0, 0, 0, 0);
    info->setVerticalSpacing(0);
    info->addWidget(Label3_, 0, 0, 1, 3);
    for (int line = 0; line < 6; ++line) {
        auto* label = new QLabel(Panel4_);
        label->setObjectName(QStringLiteral("Memo_informations_%1").arg(line + 1));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Memo_informations_.push_back(label);
        info->addWidget(label, line + 1, 0);
    }
    Informations_ = Named(new QLabel(Panel4_), "Informations");
    Informations_->setFont(Bold(Informations_->font()));
    Informations_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Informations_->setWordWrap(true);
    Informations_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    info->addWidget(Informations_, 1, 1, 4, 2);
    ELatitude_ = Named(new QLabel(Panel4_), "ELatitude");
    ELongitude_ = Named(new QLabel(Panel4_), "ELongitude");
    EFuseauHoraire_ = Named(new QLabel(Panel4_), "EFuseauHoraire");
    info->addWidget(ELatitude_, 5, 1);
    info->addWidget(ELongitude_, 5, 2);
    info->addWidget(EFuseauHoraire_, 6, 1);
    BEphemerides_ = Button("BEphemerides", Panel4_);
    fuseau_ = SunkenLabel("fuseau", Panel4_);
    fuseau_->setFont(Bold(fuseau_->font(), true));
    info->addWidget(BEphemerides_, 7, 0);
    info->addWidget(fuseau_, 7, 1, 1, 2);
    info->setColumnStretch(1, 1);
    info->setColumnStretch(2, 1);
    info->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("048 23 N")) + 16);

    auto* lower = new QHBoxLayout(Infos_);
    lower->addWidget(Horaires_, 1);
    lower->addSpacing(8);
    lower->addWidget(Panel4_, 1);

    auto* outer = new QVBoxLayout(central);
    outer->addWidget(Panel2_);
    outer->addWidget(Infos_, 1);

    // Built-in captions (the French ones); the language routine replaces them.
    const MainWindowTexts fr = MainTexts(false);
    for (std::size_t i = 0; i < Memo_informations_.size(); ++i)
        Memo_informations_[i]->setText(fr.memoInformations[static_cast<qsizetype>(i)]);
    BEphemerides_->setText(fr.ephemerides);
    fuseau_->setText(FuseauLabel(0, false));
    coeffmatin_->setText(QStringLiteral("matin : "));
    CoeffSoir_->setText(QStringLiteral("soir : "));

    for (const char* name : {"SelPort", "SelDate", "PortSelection", "DateSelection", "Annuaire",
                             "BQuitter", "Aide", "HeuresOndrel", "ELatitude", "ELongitude",
                             "EFuseauHoraire", "Informations", "boiteCoefficients", "Label3", "Label4"})
        if (QWidget* w = fontControl(name)) builtInFonts_.insert(w, w->font());
    for (QLabel* l : Memo_informations_) builtInFonts_.insert(l, l->font());

    connect(SelPort_, &QPushButton::clicked, this, [this] { SelPortClick(); });
    connect(SelDate_, &QPushButton::clicked, this, [this] { SelDateClick(); });
    connect(Annuaire_, &QPushButton::clicked, this, [this] { AnnuaireClick(); });
    connect(BQuitter_, &QPushButton::clicked, this, [this] { BQuitterClick(); });
    connect(Aide_, &QPushButton::clicked, this, [this] { AideClick(); });
    connect(BEphemerides_, &QPushButton::clicked, this, [this] {
        if (showEphemerides_) showEphemerides_();
    });
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] { showHelp(kHelpMainWindow); });

    SelPort_->setEnabled(false);
    SelDate_->setEnabled(false);
    BEphemerides_->setEnabled(false);
    Annuaire_->setEnabled(false);
}

void MainWindow::buildMenu() {
    const MainWindowTexts fr = MainTexts(false);
    QMenuBar* bar = menuBar();
    PortSecondaire_ = Named(bar->addMenu(fr.portSecondaire), "PortSecondaire");
    AjoutPortSecondaire_ = Named(PortSecondaire_->addAction(fr.ajoutPortSecondaire), "AjoutPortSecondaire");
    Retraitportsecondaire_ = Named(PortSecondaire_->addAction(fr.retraitPortSecondaire), "Retraitportsecondaire");
    Ajoutdeportsprincipaux_ = Named(PortSecondaire_->addAction(fr.ajoutDePortsPrincipaux), "Ajoutdeportsprincipaux");
    // Their windows come with later versions.
    AjoutPortSecondaire_->setEnabled(false);
    Retraitportsecondaire_->setEnabled(false);
    Ajoutdeportsprincipaux_->setEnabled(false);

    Outils1_ = Named(bar->addMenu(fr.outils), "Outils1");
    Options_ = Named(Outils1_->addAction(kOptionsCaption), "Options");
    Icnedanslabarredestcheslarduction1_ = Named(Outils1_->addAction(fr.icone), "Icnedanslabarredestcheslarduction1");
    Icnedanslabarredestcheslarduction1_->setCheckable(true);
    police1_ = Named(Outils1_->addMenu(fr.police), "police1");
    changer1_ = Named(police1_->addAction(fr.changer), "changer1");
    policepardefaut1_ = Named(police1_->addAction(fr.policeParDefaut), "policepardefaut1");
    Langue1_ = Named(Outils1_->addAction(fr.langue), "Langue1");

    Aide1_ = Named(bar->addMenu(fr.aide), "Aide1");
    Aide2_ = Named(Aide1_->addAction(fr.aide), "Aide2");
    Apropos1_ = Named(Aide1_->addAction(fr.apropos), "Apropos1");
    Apropos1_->setEnabled(false);

    connect(Options_, &QAction::triggered, this, [this] { OptionsClick(); });
    connect(Icnedanslabarredestcheslarduction1_, &QAction::toggled, this, [this](bool on) {
        state_.settings.icone = on;
        updateQuitCaption();
    });
    connect(changer1_, &QAction::triggered, this, [this] { changer1Click(); });
    connect(policepardefaut1_, &QAction::triggered, this, [this] { policepardefaut1Click(); });
    connect(Langue1_, &QAction::triggered, this, [this] { Langue1Click(); });
    connect(Aide2_, &QAction::triggered, this, [this] { showHelp(kHelpHome); });
}

void MainWindow::buildWarning() {
    paneau_avertissement_ = Named(new QFrame(centralWidget()), "paneau_avertissement");
    paneau_avertissement_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paneau_avertissement_->setLineWidth(2);
    paneau_avertissement_->setAutoFillBackground(true);
    Avertissement_ = Named(new QTextEdit(paneau_avertissement_), "Avertissement");
    Avertissement_->setReadOnly(true);
    Avertissement_->setFrameStyle(QFrame::NoFrame);
    Avertissement_->setFocusPolicy(Qt::NoFocus);
    avertissementOK_ = Button("avertissementOK", paneau_avertissement_);
    AvertissementNO_ = Button("AvertissementNO", paneau_avertissement_);
    const MainWindowTexts fr = MainTexts(false);
    avertissementOK_->setText(fr.accept);
    AvertissementNO_->setText(fr.refuse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(avertissementOK_);
    buttons->addWidget(AvertissementNO_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(paneau_avertissement_);
    layout->addWidget(Avertissement_, 1);
    layout->addLayout(buttons);
    connect(avertissementOK_, &QPushButton::clicked, this, [this] { avertissementOKClick(); });
    connect(AvertissementNO_, &QPushButton::clicked, this, [this] { AvertissementNOClick(); });
    paneau_avertissement_->raise();
    avertissementOK_->setFocus();
    // The window is tall enough for the whole warning (18 lines in English) without scrolling.
    const int warningHeight = Avertissement_->fontMetrics().lineSpacing() * 19 +
                              avertissementOK_->sizeHint().height() + 48;
    centralWidget()->setMinimumHeight(warningHeight + 16);
}

void MainWindow::placeWarning() {
    if (!paneau_avertissement_) return;
    const QRect area = centralWidget()->rect();
    const int width = std::min(area.width() - 24, Avertissement_->fontMetrics().horizontalAdvance(
                                                      QStringLiteral("regarding the use of the appropriate products")) + 80);
    const int height = area.height() - 16;
    paneau_avertissement_->setGeometry(area.center().x() - width / 2, area.top() + 8, width, height);
    paneau_avertissement_->raise();
}

void MainWindow::FormCreate() {
    auto store = state_.openSettings();
    state_.settings = LoadSettings(*store);
    state_.settings.decimalSeparator = SystemDecimalSeparator();
    state_.context.setTimeReference(state_.settings.heureService);
    {
        const QSignalBlocker blocker(Icnedanslabarredestcheslarduction1_);
        Icnedanslabarredestcheslarduction1_->setChecked(state_.settings.icone);
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

void MainWindow::FormDestroy() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    state_.settings.bounds = WindowBounds{y(), x(), width(), height()};
    auto store = state_.openSettings();
    SaveSettings(*store, state_.settings);
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
            FormShow();
        });
    }
}

void MainWindow::FormShow() {
    if (state_.settings.langue.isEmpty()) {
        state_.settings.langue = FInitialisation_->ask(this);
        InitialisationValeurs(state_.settings.langue);
    }
    ChargementLangue();
    if (warningShown()) {
        // Enter accepts the warning once the language question is gone.
        activateWindow();
        avertissementOK_->setFocus();
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
    return !paneau_avertissement_->isHidden();
}

void MainWindow::ChargementLangue() {
    const Settings& s = state_.settings;
    if (!s.english() && !s.french()) return; // no language chosen: the built-in texts stay
    const bool english = s.english();
    const MainWindowTexts t = MainTexts(english);
    setWindowTitle(t.caption);
    state_.dateNames = english ? DateNames::English() : DateNames::French();
    PortSecondaire_->setTitle(t.portSecondaire);
    AjoutPortSecondaire_->setText(t.ajoutPortSecondaire);
    Retraitportsecondaire_->setText(t.retraitPortSecondaire);
    Ajoutdeportsprincipaux_->setText(t.ajoutDePortsPrincipaux);
    Outils1_->setTitle(t.outils);
    Icnedanslabarredestcheslarduction1_->setText(t.icone);
    police1_->setTitle(t.police);
    changer1_->setText(t.changer);
    policepardefaut1_->setText(t.policeParDefaut);
    Langue1_->setText(t.langue);
    Aide1_->setTitle(t.aide);
    Aide2_->setText(t.aide);
    Apropos1_->setText(t.apropos);
    SelPort_->setText(t.selPort);
    Annuaire_->setText(t.annuaire);
    updateQuitCaption();
    Aide_->setText(t.aideButton);
    BEphemerides_->setText(t.ephemerides);
    SelPort_->setToolTip(t.selPortHint);
    SelDate_->setToolTip(t.selDateHint);
    Label3_->setText(t.label3);
    Label4_->setText(t.label4);
    for (std::size_t i = 0; i < Memo_informations_.size(); ++i)
        Memo_informations_[i]->setText(t.memoInformations.value(static_cast<qsizetype>(i)));
    // One line per entry, the empty ones included (append() would fold a leading empty line into
    // the memo's first, empty, paragraph).
    Avertissement_->setPlainText(t.warning.join(QLatin1Char('\n')));
    {
        QTextCursor all(Avertissement_->document());
        all.select(QTextCursor::Document);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignCenter);
        all.mergeBlockFormat(centred);
    }
    Avertissement_->moveCursor(QTextCursor::Start);
    avertissementOK_->setText(t.accept);
    AvertissementNO_->setText(t.refuse);
    fuseau_->setText(FuseauLabel(s.heureService, english));
}

void MainWindow::updateQuitCaption() {
    const bool english = state_.settings.english();
    if (state_.settings.icone)
        BQuitter_->setText(english ? QStringLiteral("&Reduce") : QStringLiteral("&Réduire"));
    else
        BQuitter_->setText(english ? QStringLiteral("&Exit") : QStringLiteral("&Quitter"));
}

void MainWindow::avertissementOKClick() {
    paneau_avertissement_->hide();
    accepted_ = true;

    const QDate today = state_.clock().date();
    DateSelection_->setText(FormatLongDate(today, state_.dateNames));
    const auto day = JulianDayOfText(today.toString(QStringLiteral("dd MM yyyy 00:00:00")).toStdString());
    state_.selectedDay = day ? *day : JulianDay(today.year(), today.month(), today.day());
    ShowDayCoefficients(state_.selectedDay);

    SelPort_->setEnabled(true);
    SelDate_->setEnabled(true);
    SelPort_->setFocus();
    BEphemerides_->setEnabled(static_cast<bool>(showEphemerides_));
    Annuaire_->setEnabled(static_cast<bool>(showTideTable_));

    if (!Fport_->tableIsOpen()) {
        reportTableProblem();
        return;
    }
    if (!state_.settings.lastPortName.isEmpty() && Fport_->selectNearest(state_.settings.lastPortName)) {
        // The port window's OK fills the port information, the report and the curve.
        Fport_->BouttonOKClick();
        return;
    }
    SelPortClick();
}

void MainWindow::AvertissementNOClick() {
    emit quitRequested();
}

void MainWindow::showChosenPort(const ChosenPort& port) {
    Informations_->clear();
    PortSelection_->setAlignment((port.name.size() >= 40 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
    PortSelection_->setText(port.name);
    PortSelection_->setToolTip(port.name);
    QString lines = port.name;
    if (!port.countryLine.isEmpty()) lines += QLatin1Char('\n') + port.countryLine;
    Informations_->setText(lines);
    ELatitude_->setText(port.latitude);
    ELongitude_->setText(port.longitude);
    EFuseauHoraire_->setText(port.timeZone);
    state_.portChosen = true;
    // The coefficients place the day's midnight with the current port's time zone: a port in
    // another zone can change them.
    if (accepted_) ShowDayCoefficients(state_.selectedDay);
    ShowDayReport(state_.port, state_.selectedDay + state_.settings.heureFin,
                  state_.selectedDay + state_.settings.heureDebut);
}

void MainWindow::ShowDayReport(const PortRecord& port, double curveEnd, double curveStart) {
    state_.secondaryCache.prepare(state_.context, port, curveStart);
    DayReport(port);
    emit dayCurveRequested(curveStart, curveEnd);
}

void MainWindow::DayReport(const PortRecord& port) {
    const DayEvents events = DayTideEvents(state_.context, port, state_.selectedDay);
    const auto lines = DayReportLines(events, state_.settings.heightUnit(), state_.settings.language());
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    HeuresOndrel_->setPlainText(text.join(QLatin1Char('\n')));
}

void MainWindow::ShowDayCoefficients(double day) {
    const CoefficientPair c = DayCoefficients(state_.context, day);
    const Language language = state_.settings.language();
    coeffmatin_->setText(QString::fromStdString(MorningCoefficientLabel(c.morning, language)));
    CoeffSoir_->setText(QString::fromStdString(EveningCoefficientLabel(c.evening, language)));
}

void MainWindow::dateConfirmed(const QDate& date, bool isToday) {
    DateSelection_->setText(FormatLongDate(date, state_.dateNames));
    ShowDayCoefficients(state_.selectedDay);
    emit positionIndicatorAllowed(isToday);
    if (state_.portChosen) ShowDayReport(state_.port, state_.selectedDay + 1, state_.selectedDay);
}

void MainWindow::reportTableProblem() {
    const bool english = state_.settings.english();
    const QString where = QDir::toNativeSeparators(UserTableDirectory());
    const QString detail = Fport_->tableError();
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

void MainWindow::SelPortClick() {
    if (!Fport_->tableIsOpen()) {
        reportTableProblem();
        return;
    }
    Fport_->move(pos());
    Fport_->show();
    Fport_->raise();
    Fport_->activateWindow();
}

void MainWindow::SelDateClick() {
    FDate_->move(pos());
    FDate_->show();
    FDate_->raise();
    FDate_->activateWindow();
}

void MainWindow::AnnuaireClick() {
    if (PortSelection_->text().isEmpty()) {
        messages_.information(this, state_.settings.english()
                                        ? QStringLiteral("You have first to select a port !")
                                        : QStringLiteral("Vous devez d'abord sélectionner un port !"));
        return;
    }
    if (showTideTable_) showTideTable_();
}

void MainWindow::BQuitterClick() {
    // Hiding in the notification area comes with the notification icon; until then the
    // button always quits.
    emit quitRequested();
}

void MainWindow::AideClick() {
    showHelp(kHelpHome);
}

void MainWindow::showHelp(int context) {
    Q_UNUSED(context);
    const bool english = state_.settings.english();
    messages_.information(this, english ? QStringLiteral("The help files are not installed with this version.")
                                        : QStringLiteral("Les fichiers d'aide ne sont pas installés avec cette version."));
}

void MainWindow::OptionsClick() {
    Foptions_->move(pos());
    Foptions_->show();
    Foptions_->raise();
    Foptions_->activateWindow();
}

void MainWindow::Langue1Click() {
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
    ChargementLangue();
    if (accepted_) ShowDayCoefficients(state_.selectedDay);
    if (state_.portChosen) DayReport(state_.port);
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
    for (QLabel* l : Memo_informations_) apply(l, false);
    apply(Label3_, true);
    apply(Label4_, true);
}

void MainWindow::changer1Click() {
    QFontDialog dialog(SelPort_->font(), this);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setOption(QFontDialog::ScalableFonts);
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* applyButton = box->addButton(QDialogButtonBox::Apply);
        applyButton->setText(state_.settings.english() ? QStringLiteral("&Apply") : QStringLiteral("A&ppliquer"));
        connect(applyButton, &QPushButton::clicked, this, [this, &dialog] { applyFont(dialog.currentFont()); });
    }
    if (dialog.exec() == QDialog::Accepted) applyFont(dialog.selectedFont());
}

void MainWindow::policepardefaut1Click() {
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
    Annuaire_->setEnabled(static_cast<bool>(showTideTable_));
}

void MainWindow::setEphemeridesWindow(std::function<void()> show) {
    showEphemerides_ = std::move(show);
    BEphemerides_->setEnabled(accepted_ && showEphemerides_);
}

void MainWindow::setImport(std::function<bool(const QString&)> importPorts) {
    importPorts_ = std::move(importPorts);
}

} // namespace ondrel
