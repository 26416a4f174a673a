#include "views/curve/CurveWindow.h"

#include "chart/CurveImage.h"
#include "engine/Julian.h"
#include "engine/LegalTime.h"
#include "rules/HelpTopics.h"
#include "state/AppState.h"
#include "state/CurveWindowSettings.h"
#include "state/PageSetup.h"
#include "state/StoredColour.h"
#include "texts/Bilingual.h"
#include "texts/CommonTexts.h"
#include "texts/DateNames.h"
#include "texts/DateTimeJulian.h"
#include "views/common/MessageBoxes.h"
#include "views/common/ScreenPlacement.h"
#include "views/curve/CurveWindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <utility>

namespace ondrel {

namespace {

constexpr int kHelpTopic = kHelpCurve;

// A menu item: its name, its built-in caption and its caption in each language (none for an
// item whose caption never changes).
struct Caption {
    const char* name;
    const char* initial;
    Bilingual text;
};

const Caption kCaptions[] = {
    {"Affichage1", "&Affichage", {"&Affichage", "&Show"}},
    {"Jourslectionn1", "Jour sélectionné", {"&Journée en cours", "Current &day"}},
    {"Semainevenir1", "Semaine à venir", {"&Semaine en cours", "Current &week"}},
    {"Moisvenir1", "Mois à venir", {"&Mois en cours", "Current &month"}},
    {"Imprimession", "&Impression", {"&Impression", "&Print"}},
    {"Imprimer", "&Imprimer", {"&Imprimer", "&Print"}},
    {"Configuration",
     "&Configuration de l'imprimante",
     {"&Configuration de l'imprimante...", "Print &settings..."}},
    {"Miseenpage", "&Mise en page", {"&Mise en page...", "Pa&ge settings..."}},
    {"Exporter", "&Exporter", {"&Exporter", "&Export"}},
    {"Copierverslepressepapier1",
     "&Copier vers le presse papier",
     {"&Copier vers le presse-papier", "&Cut to the clipboard"}},
    {"Sauvegarder1", "&Sauvegarder", {"&Sauvegarder", "Sa&ve"}},
    {"Options1", "&Options", {nullptr, nullptr}},
    {"Affichageducurseur1", "Affichage du &curseur", {"&Affichage du curseur", "&Show the cursor"}},
    {"Afficheren3dimensions1",
     "Afficher en 3 &dimensions",
     {"Courbe en &3D", "Display the curve in &3D"}},
    {"IndicateurPosition",
     "Afficher l'indicateur de &position",
     {"Indicateur de &position", "Show the &position indicator"}},
    {"AfficherElements",
     "Afficher les é&léments sur la courbe",
     {"Afficher les éléments sur la courbe", "Display the elements on the curve"}},
    {"Couleurs", "&Couleurs", {"&Couleurs", "&Colors"}},
    {"Couleursdufond", "Couleurs du &fond", {"&Couleur du fond", "&Background color"}},
    {"Couleurdutrac", "Couleur du &tracé", {"&Couleur du tracé", "&Curve color"}},
    {"Rtablirlescouleurspardfaut",
     "&Rétablir les couleurs par défaut",
     {"Couleurs par défaut", "&Default colors"}},
    {"Aide1", "Ai&de", kCommonTexts.helpWithKey},
};

const CurveWindowTexts kTexts;

QChar DecimalOf(const AppState& state) {
    const QString s = state.settings.decimalSeparator;
    if (!s.isEmpty()) return s[0];
    const QString system = QLocale::system().decimalPoint();
    return system.isEmpty() ? QLatin1Char('.') : system[0];
}

} // namespace

CurveWindowGeometry CurveWindowLayout(const QSize& client, const QSize& panel, const QSize& readout,
                                      const QSize& progress) {
    // The design rule counts the window's frame, caption and menu (about 50 pixels) in its
    // height; in the client area the chart leaves 50 pixels below it.
    CurveWindowGeometry g;
    const int w = client.width();
    g.chart = QRect(0, 0, std::max(50, w - 5), std::max(50, client.height() - 50));
    const int below = g.chart.bottom() + 1 + 6;
    g.heure = QRect(QPoint(0, below), readout);
    g.hauteur = QRect(QPoint(w - 90, below), readout);
    g.panel = QRect(QPoint(w / 2 - panel.width() / 2, below), panel);
    g.progress = QRect(QPoint(w / 2 - progress.width() / 2, g.chart.bottom() + 1 + 35), progress);
    return g;
}

CurveWindow::CurveWindow(AppState& state, MessageBoxes& messages, QWidget* parent)
    : ActivatedWindow(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("TCourbe"));
    setWindowTitle(QStringLiteral("Courbe de hauteur d'eau"));

    auto* client = new QWidget(this);
    setCentralWidget(client);

    chart_ = new CurveChart;
    view_ = new QChartView(chart_, client);
    view_->setObjectName(QStringLiteral("graphe"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMouseTracking(true);
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);
    // New colours, chosen here or anywhere, are drawn at once.
    connect(&state_.settingsEvents, &SettingsEvents::curveColoursChanged, this, [this] {
        chart_->setColours(ColourOfStored(state_.settings.backgroundColour),
                           ColourOfStored(state_.settings.curveColour));
        refreshChart();
    });

    const auto makeReadout = [client](const char* name, const QString& text) {
        auto* label = new QLabel(text, client);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->resize(85, 25);
        label->hide();
        return label;
    };
    timeReadout_ = makeReadout("HeureCurseur", QStringLiteral("Heure"));
    heightReadout_ = makeReadout("HauteurCurseur", QStringLiteral("Hauteur"));
    // The cursor readouts are explained with the interval calculation.
    for (QLabel* readout : {timeReadout_, heightReadout_})
        readout->setProperty(kHelpContextProperty, int(kHelpInterval));

    readoutPanel_ = new QWidget(client);
    readoutPanel_->setObjectName(QStringLiteral("Panel1"));
    intervalButton_ = new QPushButton(QStringLiteral("Calcul d'un intervalle ..."), readoutPanel_);
    intervalButton_->setObjectName(QStringLiteral("Bintervalle"));
    intervalButton_->setAutoDefault(false);

    progressBar_ = new QProgressBar(client);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setRange(0, 100);
    progressBar_->setTextVisible(false);
    progressBar_->resize(150, 12);
    progressBar_->hide();

    indicatorTimer_ = new QTimer(this);
    indicatorTimer_->setObjectName(QStringLiteral("Timer1"));
    indicatorTimer_->setInterval(1000);
    connect(indicatorTimer_, &QTimer::timeout, this, [this] { updatePositionIndicator(); });
    connect(intervalButton_, &QPushButton::clicked, this, [this] { showIntervalWindow(); });

    buildMenu();
    setUp();
}

CurveWindow::~CurveWindow() {
    saveSettings();
}

QAction* CurveWindow::action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void CurveWindow::buildMenu() {
    const auto caption = [](const char* name) {
        for (const Caption& c : kCaptions)
            if (qstrcmp(c.name, name) == 0) return QString::fromUtf8(c.initial);
        return QString();
    };
    const auto menu = [&](QMenu* parent, const char* name) {
        QMenu* m = parent ? parent->addMenu(caption(name)) : menuBar()->addMenu(caption(name));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    const auto item = [&](QMenu* parent, const char* name, auto handler, bool checkable = false) {
        QAction* a = parent->addAction(caption(name));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(checkable);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    viewMenu_ = menu(nullptr, "Affichage1");
    selectedDayAction_ = item(viewMenu_, "Jourslectionn1", [this] { drawSelectedDay(); });
    weekAction_ = item(viewMenu_, "Semainevenir1", [this] { drawSpan(7); });
    monthAction_ = item(viewMenu_, "Moisvenir1", [this] { drawSpan(31); });

    printMenu_ = menu(nullptr, "Imprimession");
    printAction_ = item(printMenu_, "Imprimer", [this] { printChart(); });
    printAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    // Margins and orientation have one place, the page settings window.
    printerSetUpAction_ = item(printMenu_, "Configuration", [this] { showPageSetup(); });
    pageSetupAction_ = item(printMenu_, "Miseenpage", [this] { showPageSetup(); });

    exportMenu_ = menu(nullptr, "Exporter");
    copyAction_ = item(exportMenu_, "Copierverslepressepapier1", [this] { copyToClipboard(); });
    copyAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    saveAction_ = item(exportMenu_, "Sauvegarder1", [this] { saveImageAs(); });
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));

    optionsMenu_ = menu(nullptr, "Options1");
    // The handlers toggle the ticks themselves.
    const auto toggle = [&](const char* name, auto handler) {
        QAction* a = optionsMenu_->addAction(caption(name));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [a, handler, this] {
            a->setChecked(!a->isChecked()); // undo Qt's own toggle
            (this->*handler)();
        });
        return a;
    };
    cursorAction_ = toggle("Affichageducurseur1", &CurveWindow::toggleCursor);
    threeDAction_ = toggle("Afficheren3dimensions1", &CurveWindow::toggleThreeD);
    indicatorAction_ = toggle("IndicateurPosition", &CurveWindow::togglePositionIndicator);
    elementsAction_ = toggle("AfficherElements", &CurveWindow::toggleElements);
    coloursMenu_ = menu(optionsMenu_, "Couleurs");
    backgroundColourAction_ =
        item(coloursMenu_, "Couleursdufond", [this] { chooseBackgroundColour(); });
    curveColourAction_ = item(coloursMenu_, "Couleurdutrac", [this] { chooseCurveColour(); });
    defaultColoursAction_ =
        item(coloursMenu_, "Rtablirlescouleurspardfaut", [this] { restoreDefaultColours(); });

    helpAction_ = menuBar()->addAction(caption("Aide1"));
    helpAction_->setObjectName(QStringLiteral("Aide1"));
    connect(helpAction_, &QAction::triggered, this, [this] {
        if (state_.help) state_.help(kHelpTopic);
    });
}

void CurveWindow::setUp() {
    chart_->setColours(ColourOfStored(state_.settings.backgroundColour),
                       ColourOfStored(state_.settings.curveColour));
    setGeometry(kCurveWindowDesignBounds);
    const auto store = state_.settingsStore.open();
    const CurveWindowSettings s = LoadCurveWindowSettings(*store);
    // A stored place is kept; without one the window goes beside the main window when it first
    // appears.
    if (s.bounds) setGeometry(FitOnScreen(*s.bounds));
    placeBeside_ = !s.bounds;
    elementsAction_->setChecked(s.elements);
    if (s.indicator) togglePositionIndicator();
}

void CurveWindow::saveSettings() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    indicatorTimer_->stop();
    const auto store = state_.settingsStore.open();
    StoreCurveWindowSettings(*store, geometry(), indicatorOn(), elementsOn());
}

long double CurveWindow::unitFactor() const {
    return UnitFactor(state_.settings.heightUnit);
}

double CurveWindow::now() const {
    if (!frameOffset_) return JulianDayOf(state_.clock());
    return JulianDayOf(state_.clock().toUTC()) + *frameOffset_ / 24;
}

TideContext CurveWindow::curveContext() const {
    const TideContext ctx = state_.context();
    return frameOffset_ && ctx.followsLegalTime() ? ctx.inFrame(*frameOffset_) : ctx;
}

double CurveWindow::frameTimeOfClock(double t) const {
    const TideContext ctx = state_.context();
    if (!frameOffset_ || !ctx.followsLegalTime()) return t;
    return UtOfClock(*ctx.legalZone(), t).ut + *frameOffset_ / 24;
}

QString CurveWindow::dateText() const {
    const CalendarDate c = CalendarOfJulianDay(state_.selectedDay);
    return FormatLongDate(QDate(c.year, c.month, static_cast<int>(c.day)), state_.dateNames);
}

double CurveWindow::heightAt(double t) {
    if (IsSecondaryPort(state_.port)) {
        const double day = DayStart(t);
        if (day != readingDay_) {
            readingCache_.prepare(curveContext(), state_.source(), t);
            readingDay_ = day;
        }
    }
    return static_cast<double>(HeightAt(curveContext(), readingCache_, state_.source(), t) *
                               unitFactor());
}

// ---------------------------------------------------------------------------------------------
// Curves

void CurveWindow::drawDayCurve(double curveStart, double curveEnd) {
    readingDay_ = -1; // the port or its day may have changed
    // The day cache must hold the curve's day, whatever drew last (a week curve leaves it on
    // its last day).
    // With the legal time, the hours that really pass (23 or 25 on the days the clocks change),
    // computed in the offset in force at the start and labelled on the legal clock.
    const TideContext ctx = state_.context();
    const CurveFrame frame = CurveFrameOf(ctx, curveStart, curveEnd);
    frameOffset_.reset();
    std::function<double(double)> clock;
    if (ctx.followsLegalTime()) {
        frameOffset_ = frame.frameOffset;
        clock = [zone = ctx.sharedLegalZone(), offset = frame.frameOffset](double x) {
            return ClockOfFrameTime(*zone, offset, x + kDateTimeOrigin) - kDateTimeOrigin;
        };
    }
    state_.secondaryCache.prepare(frame.context, state_.source(), frame.start);
    chart_->setClock(std::move(clock));
    chart_->setPoints(ondrel::DayCurve(frame.context, state_.secondaryCache, state_.source(),
                                       frame.start, frame.end, unitFactor()),
                      CurveView::Day);
    const bool appearing = !isVisible();
    if (appearing && std::exchange(placeBeside_, false)) PlaceBeside(this, parentWidget());
    show();
    curveComputed_ = true;
    // Shown without being activated (at start, behind the main window): its captions and layout
    // are those of the language from the first look.
    if (appearing) retranslate();
    refreshChart();
}

void CurveWindow::drawSelectedDay() {
    drawDayCurve(state_.selectedDay, state_.selectedDay + 1);
}

void CurveWindow::drawSpan(int spanDays) {
    if (elementsOn()) toggleElements();
    if (indicatorOn()) togglePositionIndicator();
    readingDay_ = -1;
    frameOffset_.reset();
    chart_->setClock({});
    chart_->setIndicator(std::nullopt);
    progressBar_->setValue(0);
    progressBar_->show();
    progressBar_->raise();
    int shown = -1;
    // With the legal time, in the frame of the offset in force at the first day's start (the
    // axis reads dates).
    const CurveFrame frame =
        CurveFrameOf(state_.context(), state_.selectedDay, state_.selectedDay + spanDays);
    auto points = SpanCurve(frame.context, state_.secondaryCache, state_.source(), frame.start,
                            spanDays, unitFactor(), [&](int progress) {
                                if (progress == shown) return;
                                shown = progress;
                                progressBar_->setValue(progress);
                                progressBar_->repaint();
                            });
    chart_->setPoints(std::move(points), CurveView::Span);
    progressBar_->hide();
}

// ---------------------------------------------------------------------------------------------
// Title, foot, language

void CurveWindow::refreshChart() {
    if (!curveComputed_) return;
    chart_->setColours(ColourOfStored(state_.settings.backgroundColour),
                       ColourOfStored(state_.settings.curveColour));
    const bool elements = elementsOn();
    chart_->setTexts(CurveTitleLines(state_.port, dateText(), elements),
                     CurveFootLines(state_.context(), state_.source(), state_.selectedDay,
                                    state_.settings.language(), unitFactor(),
                                    state_.settings.timeReference, state_.settings.decimalSeparator,
                                    elements));
}

void CurveWindow::retranslate() {
    if (!keepIntervalOnActivation_) chart_->clearInterval();
    keepIntervalOnActivation_ = false;
    const Language l = state_.settings.language();
    chart_->setLanguage(l);
    if (!state_.settings.languageChosen()) return;
    for (const Caption& c : kCaptions) {
        if (!c.text.french) continue;
        if (auto* m = findChild<QMenu*>(QString::fromLatin1(c.name)))
            m->setTitle(c.text.in(l));
        else if (QAction* a = action(c.name))
            a->setText(c.text.in(l));
    }
    setWindowTitle(kTexts.caption.in(l));
    if (!indicatorOn()) {
        timeReadout_->setText(kTexts.hour.in(l));
        heightReadout_->setText(kTexts.height.in(l));
    }
    intervalButton_->setText(kTexts.interval.in(l));
    layoutControls();
}

void CurveWindow::onActivated() {
    retranslate();
    refreshChart();
    chart_->hideCrossHair();
}

// ---------------------------------------------------------------------------------------------
// Layout

void CurveWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutControls();
}

void CurveWindow::layoutControls() {
    intervalButton_->adjustSize();
    readoutPanel_->resize(intervalButton_->size());
    const CurveWindowGeometry g = CurveWindowLayout(centralWidget()->size(), readoutPanel_->size(),
                                                    timeReadout_->size(), progressBar_->size());
    view_->setGeometry(g.chart);
    timeReadout_->move(g.heure.topLeft());
    heightReadout_->move(g.hauteur.topLeft());
    readoutPanel_->move(g.panel.topLeft());
    progressBar_->move(g.progress.topLeft());
}

// ---------------------------------------------------------------------------------------------
// Cross-hair and indicator

bool CurveWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            const auto* e = static_cast<QMouseEvent*>(event);
            chartMouseMove(view_->mapToScene(e->position().toPoint()));
        } else if (event->type() == QEvent::Leave) {
            lastMouse_.reset();
            chart_->hideCrossHair();
            if (!indicatorOn()) showReadouts(false);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CurveWindow::mouseInPlot() const {
    if (!lastMouse_) return false;
    const QPointF off = chart_->depthOffset();
    return chart_->plotArea().contains(*lastMouse_ - QPointF(off.x(), -off.y()));
}

void CurveWindow::chartMouseMove(const QPointF& position) {
    lastMouse_ = chart_->mapFromScene(position);
    chart_->hideCrossHair();
    const QPointF off = chart_->depthOffset();
    const QPointF front = *lastMouse_ - QPointF(off.x(), -off.y());
    if (cursorOn() && curveComputed_ && chart_->plotArea().contains(front)) {
        const double x = chart_->valueAt(front).x();
        const double y = heightAt(x + kDateTimeOrigin);
        const double py = chart_->positionOf({x, y}).y();
        chart_->showCrossHair(front.x(), py);
        timeReadout_->setText(chart_->bottomLabel(x));
        heightReadout_->setText(FormatReadoutHeight(y, DecimalOf(state_)));
        showReadouts(true);
    } else if (!indicatorOn()) {
        showReadouts(false);
    }
}

void CurveWindow::showReadouts(bool visible) {
    timeReadout_->setVisible(visible);
    heightReadout_->setVisible(visible);
}

bool CurveWindow::indicatorOn() const {
    return indicatorAction_->isChecked();
}
bool CurveWindow::elementsOn() const {
    return elementsAction_->isChecked();
}
bool CurveWindow::cursorOn() const {
    return cursorAction_->isChecked();
}
bool CurveWindow::threeDOn() const {
    return threeDAction_->isChecked();
}

void CurveWindow::togglePositionIndicator() {
    const double t = now();
    indicatorAction_->setChecked(!indicatorAction_->isChecked());
    if (!indicatorOn()) {
        showReadouts(false);
        chart_->setIndicator(std::nullopt);
        indicatorTimer_->stop();
        return;
    }
    showReadouts(true);
    const double y = heightAt(t);
    chart_->setIndicatorBlue(false);
    chart_->setIndicator(QPointF(t - kDateTimeOrigin, y));
    timeReadout_->setText(chart_->bottomLabel(t - kDateTimeOrigin));
    heightReadout_->setText(chart_->leftLabel(y));
    indicatorTimer_->start();
}

void CurveWindow::updatePositionIndicator() {
    if (!indicatorOn()) return;
    chart_->setIndicatorBlue(!chart_->data().indicatorBlue);
    const double t = now();
    const double y = heightAt(t);
    chart_->setIndicator(QPointF(t - kDateTimeOrigin, y));
    if (!(cursorOn() && mouseInPlot())) {
        timeReadout_->setText(chart_->bottomLabel(t - kDateTimeOrigin));
        heightReadout_->setText(chart_->leftLabel(y));
    }
}

void CurveWindow::setPositionIndicatorAllowed(bool allowed) {
    if (indicatorOn()) togglePositionIndicator();
    indicatorAction_->setEnabled(allowed);
}

// ---------------------------------------------------------------------------------------------
// Switches and colours

void CurveWindow::toggleElements() {
    elementsAction_->setChecked(!elementsAction_->isChecked());
    refreshChart();
    drawDayCurve(state_.selectedDay, state_.selectedDay + 1);
}

void CurveWindow::toggleCursor() {
    cursorAction_->setChecked(!cursorAction_->isChecked());
    if (!cursorOn()) {
        chart_->hideCrossHair();
        if (!indicatorOn()) showReadouts(false);
    }
}

void CurveWindow::toggleThreeD() {
    threeDAction_->setChecked(!threeDAction_->isChecked());
    chart_->hideCrossHair();
    chart_->setThreeD(threeDOn());
    refreshChart();
}

void CurveWindow::setPageSetupWindow(QWidget* window, std::function<bool()> blackAndWhite) {
    pageSetupWindow_ = window;
    printBlackAndWhite_ = std::move(blackAndWhite);
}

void CurveWindow::showPageSetup() {
    if (!pageSetupWindow_) return;
    ShowBeside(pageSetupWindow_, this);
}

void CurveWindow::showIntervalWindow() {
    if (!intervalWindow_) return;
    ShowBeside(intervalWindow_, this);
}

void CurveWindow::prepareIntervalDrawing() {
    // The search hides the interval window and the curve comes to the front: its activation
    // empties the series now, not after the points are drawn.
    onActivated();
    keepIntervalOnActivation_ = true;
}

void CurveWindow::addIntervalPoint(double t, double height) {
    chart_->addIntervalPoint(QPointF(t - kDateTimeOrigin, height));
}

} // namespace ondrel
