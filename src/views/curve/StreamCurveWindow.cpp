#include "views/curve/StreamCurveWindow.h"

#include "engine/Julian.h"
#include "rules/HelpTopics.h"
#include "state/AppState.h"
#include "state/StoredColour.h"
#include "texts/Bilingual.h"
#include "texts/DateTimeJulian.h"
#include "texts/StreamTexts.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace ondrel {

namespace {

struct StreamCurveTexts {
    Bilingual caption{"Courant", "Tidal stream"};
    Bilingual day{"&Jour", "&Day"};
    Bilingual week{"&Semaine", "&Week"};
    Bilingual month{"&Mois", "&Month"};
    Bilingual print{"&Imprimer...", "&Print..."};
    Bilingual help{"&Aide", "&Help"};
    Bilingual close{"&Fermer", "&Close"};
    Bilingual speed{"Vitesse (%1) : flot au-dessus, jusant au-dessous",
                    "Speed (%1): flood above, ebb below"};
    Bilingual slacks{"étales", "slacks"};
};
const StreamCurveTexts kTexts;

// Samples per day: every 5 minutes over a day, 10 over a week, 20 over a month.
int SamplesPerDay(int days) {
    return days == 1 ? 288 : days <= 7 ? 144 : 72;
}

} // namespace

StreamCurveWindow::StreamCurveWindow(AppState& state, QWidget* parent)
    : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("TCourbeCourant"));
    view_ = new QChartView(new QChart, this);
    view_->setObjectName(QStringLiteral("grapheCourant"));
    view_->setRenderHint(QPainter::Antialiasing);
    setCentralWidget(view_);
    const auto action = [this](const char* name, auto slot) {
        QAction* a = menuBar()->addAction(QString());
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    dayAction_ = action("Jour", [this] { draw(1); });
    weekAction_ = action("Semaine", [this] { draw(7); });
    monthAction_ = action("Mois", [this] { draw(30); });
    printAction_ = action("Imprimer", [this] { print(); });
    printAction_->setShortcut(QKeySequence::Print);
    helpAction_ = action("Aide", [this] {
        if (state_.help) state_.help(kHelpStreams);
    });
    closeAction_ = action("Fermer", [this] { close(); });
    resize(760, 460);
    retranslate();
}

StreamCurveWindow::~StreamCurveWindow() = default;

QChart* StreamCurveWindow::chart() const {
    return view_->chart();
}

void StreamCurveWindow::retranslate() {
    const Language l = state_.settings.language();
    dayAction_->setText(kTexts.day.in(l));
    weekAction_->setText(kTexts.week.in(l));
    monthAction_->setText(kTexts.month.in(l));
    printAction_->setText(kTexts.print.in(l));
    helpAction_->setText(kTexts.help.in(l));
    closeAction_->setText(kTexts.close.in(l));
    const QString name = state_.station ? state_.station->station.name : QString();
    setWindowTitle(kTexts.caption.in(l) +
                   (name.isEmpty() ? QString() : QStringLiteral(" : ") + name));
}

void StreamCurveWindow::followLanguage() {
    if (state_.station) draw(days_);
}

// Hours from the first day's midnight on the station's clock of the time reference (in the offset
// in force at that midnight), against the speed in the chosen unit.
void StreamCurveWindow::draw(int days) {
    days_ = days;
    retranslate();
    if (!state_.station) return;
    const StationStream& stream = *state_.station;
    const Language l = state_.settings.language();
    const SpeedUnit unit = state_.settings.speedUnit;
    const double factor = unit == SpeedUnit::MetresPerSecond ? kMetresPerSecondPerKnot : 1;
    const QTimeZone zone(stream.station.timeZone.toUtf8());
    const TimeReference reference = state_.settings.timeReference;
    const QDate first = CalendarDateOf(state_.selectedDay);
    // The first midnight on the clock, in UT.
    const QDateTime midnightAsUt(first, QTime(0, 0), Qt::UTC);
    const int offset = StationOffsetSeconds(reference, zone, midnightAsUt);
    const double start = state_.selectedDay - offset / 86400.0;
    const double end = start + days;

    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundBrush(ColourOfStored(state_.settings.backgroundColour));
    const QColor curveColour = ColourOfStored(state_.settings.curveColour);

    auto* speed = new QLineSeries(chart);
    const int count = days * SamplesPerDay(days) + 1;
    const std::vector<double> speeds = stream.speeds(start, end, count);
    double largest = 0.5;
    for (int i = 0; i < count; ++i) {
        const double v = speeds[static_cast<std::size_t>(i)] * factor;
        speed->append(24.0 * days * i / (count - 1), v);
        largest = std::max(largest, std::fabs(v));
    }
    speed->setPen(QPen(curveColour, days == 1 ? 2 : 1));
    auto* zero = new QLineSeries(chart);
    zero->append(0, 0);
    zero->append(24.0 * days, 0);
    zero->setPen(QPen(Qt::black, 1, Qt::DashLine));
    auto* slacks = new QScatterSeries(chart);
    slacks->setName(kTexts.slacks.in(l));
    slacks->setMarkerSize(days == 1 ? 9 : 5);
    slacks->setColor(Qt::white);
    slacks->setBorderColor(Qt::black);
    for (const CurrentEvent& e : stream.events(start, end))
        if (e.kind == CurrentEventKind::Slack) slacks->append((e.time - start) * 24, 0);
    chart->addSeries(zero);
    chart->addSeries(speed);
    chart->addSeries(slacks);

    auto* hours = new QCategoryAxis(chart);
    hours->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    hours->setRange(0, 24.0 * days);
    if (days == 1) {
        for (int h = 0; h <= 24; h += 3)
            hours->append(QStringLiteral("%1:00").arg(h, 2, 10, QLatin1Char('0')), h);
    } else {
        const int step = days <= 7 ? 1 : 3;
        const QLocale locale(l == Language::English ? QLocale::English : QLocale::French);
        for (int d = 0; d <= days; d += step)
            hours->append(locale.toString(first.addDays(d), QStringLiteral("ddd d/MM")), 24.0 * d);
    }
    hours->setGridLineVisible(true);
    auto* speedAxis = new QValueAxis(chart);
    const double top = std::ceil(largest * 2 + 0.2) / 2;
    speedAxis->setRange(-top, top);
    speedAxis->setTickCount(static_cast<int>(std::lround(top * 4)) + 1);
    speedAxis->setLabelFormat(QStringLiteral("%.1f"));
    speedAxis->setTitleText(kTexts.speed.in(l).arg(SpeedUnitText(unit, l)));
    chart->addAxis(hours, Qt::AlignBottom);
    chart->addAxis(speedAxis, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(hours);
        s->attachAxis(speedAxis);
    }
    QString title =
        stream.station.name + QStringLiteral(" — ") + FormatLongDate(first, state_.dateNames);
    if (const QString directions =
            DirectionsText(stream.station.floodDirection, stream.station.ebbDirection, l);
        !directions.isEmpty())
        title += QStringLiteral(" — ") + directions.mid(2);
    chart->setTitle(title);

    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
    if (!isVisible()) show();
}

void StreamCurveWindow::print() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(*printer_);
}

void StreamCurveWindow::printTo(QPrinter& printer) {
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    view_->render(&painter, QRectF(page), view_->viewport()->rect(), Qt::KeepAspectRatio);
}

} // namespace ondrel
