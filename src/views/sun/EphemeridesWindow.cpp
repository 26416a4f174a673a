#include "views/sun/EphemeridesWindow.h"

#include "texts/DateTimeJulian.h"

#include "astro/Ephemerides.h"
#include "astro/EphemerisTexts.h"
#include "engine/Julian.h"
#include "engine/LegalTime.h"
#include "ports/PortSelectionRules.h"
#include "state/AppState.h"
#include "texts/DateNames.h"
#include "views/common/Widgets.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cmath>

namespace ondrel {

// The window's texts are those of the command line's `sun` too: they live with the computation,
// in astro/EphemerisTexts, and retranslation takes them from there. "OK" is the same in both
// languages.

namespace {

constexpr int kHelpTopic = 7;
constexpr int kMoonSize = 20;
// Names of 40 characters or more are left-aligned, so that their beginning shows.
constexpr qsizetype kLeftAlignedName = 40;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void DrawMoon(QPainter& painter, double illuminated, bool waxing, bool north,
              const QColor& background) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double size = kMoonSize;
    const double half = size / 2;
    // Clear the box (and a margin around it) with the background.
    painter.setBrush(background);
    painter.drawEllipse(QRectF(-half, -half, 2 * size, 2 * size));

    const bool rightLit = waxing == north;
    const QRectF leftHalf(0, 0, half, size);
    const QRectF rightHalf(half, 0, half, size);
    const QRectF& litSide = rightLit ? rightHalf : leftHalf;
    const QRectF& darkSide = rightLit ? leftHalf : rightHalf;
    const auto halfEllipse = [&](const QRectF& ellipse, const QRectF& side, const QColor& colour) {
        QPainterPath path;
        path.addEllipse(ellipse);
        QPainterPath clip;
        clip.addRect(side);
        painter.setBrush(colour);
        painter.drawPath(path.intersected(clip));
    };
    // The dark side in a shade of the background: white on the light grey of a window would
    // leave a moon hardly to be seen.
    const QColor shadow = background.darker(220);
    painter.setBrush(shadow);
    painter.drawEllipse(QRectF(0, 0, size, size));
    halfEllipse(QRectF(0, 0, size, size), litSide, Qt::white);

    // Half the width of the terminator's ellipse: the cosine of the phase angle, in pixels.
    const int s = static_cast<int>(std::trunc(10 * (1 - 2 * illuminated)));
    if (s < 0) // gibbous: the lit part spills onto the dark half
        halfEllipse(QRectF(half + s, 0, -2.0 * s, size), darkSide, Qt::white);
    else if (s > 0) // crescent: the dark part eats into the lit half
        halfEllipse(QRectF(half - s, 0, 2.0 * s, size), litSide, shadow);
    painter.restore();
}

// The paint box `lune`: redraws the moon of the last computation in the moon group's colour.
class EphemeridesWindow::MoonPicture : public QWidget {
public:
    MoonPicture(const EphemeridesWindow& window, QWidget* parent)
        : QWidget(parent), window_(window) {
        setObjectName(QStringLiteral("lune"));
        setFixedSize(kMoonSize, kMoonSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        DrawMoon(painter, window_.moon().illuminated, window_.moon().waxing, window_.northern(),
                 parentWidget()->palette().color(QPalette::Window));
    }

private:
    const EphemeridesWindow& window_;
};

EphemeridesWindow::EphemeridesWindow(AppState& state, QWidget* parent)
    : ActivatedWindow(parent), state_(state) {
    setObjectName(QStringLiteral("TFEphemerides"));
    setModal(false);
    setWindowTitle(Text(astro::EphemerisLabelsOf(Language::French).caption));

    datePicker_ = Named(new QDateEdit(this), "DateTimePicker1");
    datePicker_->setCalendarPopup(true);
    datePicker_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    // The picker starts at today.
    datePicker_->setDate(state_.clock().date());

    sunGroup_ = Named(new QGroupBox(this), "GroupeSoleil");
    sunrise_ = Named(new QLabel(sunGroup_), "lever");
    sunset_ = Named(new QLabel(sunGroup_), "coucher");
    sunriseAzimuth_ = Named(new QLabel(sunGroup_), "AZL");
    sunsetAzimuth_ = Named(new QLabel(sunGroup_), "AZC");
    auto* sun = new QGridLayout(sunGroup_);
    sun->addWidget(sunrise_, 0, 0);
    sun->addWidget(sunriseAzimuth_, 0, 1);
    sun->addWidget(sunset_, 1, 0);
    sun->addWidget(sunsetAzimuth_, 1, 1);
    sun->setColumnStretch(0, 1);
    sun->setHorizontalSpacing(16);

    moonGroup_ = Named(new QGroupBox(this), "groupeLune");
    moonAgeLabel_ = Named(new QLabel(moonGroup_), "LAge");
    moonPhase_ = Named(new QLabel(moonGroup_), "EtatLune");
    moonPicture_ = new MoonPicture(*this, moonGroup_);
    auto* moonLayout = new QGridLayout(moonGroup_);
    moonLayout->addWidget(moonAgeLabel_, 0, 0);
    moonLayout->addWidget(moonPhase_, 1, 0);
    moonLayout->addWidget(moonPicture_, 0, 1, 2, 1, Qt::AlignCenter);
    moonLayout->setColumnStretch(0, 1);

    okButton_ = Named(new QPushButton(QStringLiteral("OK"), this), "HemisphereButton1");
    okButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addStretch(1);

    statusBar_ = Named(new QStatusBar(this), "StatusBar1");
    statusBar_->setSizeGripEnabled(false);
    timeReferencePanel_ = Named(new QLabel(statusBar_), "Panel1");
    dayPanel_ = Named(new QLabel(statusBar_), "Panel2");
    portPanel_ = Named(new QLabel(statusBar_), "Panel3");
    // A long port name is cut at the window's edge rather than widening the window.
    portPanel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    portPanel_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("SAINT-MALO MMMM")));
    statusBar_->addWidget(timeReferencePanel_);
    statusBar_->addWidget(dayPanel_);
    statusBar_->addWidget(portPanel_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(datePicker_);
    layout->addWidget(sunGroup_);
    layout->addWidget(moonGroup_);
    layout->addLayout(buttons);
    layout->addWidget(statusBar_);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    setMinimumWidth(fontMetrics().horizontalAdvance(
        QStringLiteral("Heure d'hiver (UT +1)  Mercredi, 30 septembre 2026  SAINT-MALO MMM")));

    // Every event of the picker computes again: a change, the calendar's click, entering and
    // leaving it.
    connect(datePicker_, &QDateEdit::dateChanged, this, [this] { onActivated(); });
    connect(datePicker_, &QDateEdit::editingFinished, this, [this] { onActivated(); });
    connect(datePicker_->calendarWidget(), &QCalendarWidget::clicked, this,
            [this] { onActivated(); });
    datePicker_->installEventFilter(this);
    connect(okButton_, &QPushButton::clicked, this, &QWidget::hide);
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] {
        if (state_.help) state_.help(kHelpTopic);
    });
}

void EphemeridesWindow::onActivated() {
    if (updating_) return;
    updating_ = true;
    const Language language = state_.settings.language();
    const TideContext context = state_.context();

    const astro::EphemerisLabels labels = astro::EphemerisLabelsOf(language);
    setWindowTitle(Text(labels.caption));
    sunGroup_->setTitle(Text(labels.sunGroup));
    moonGroup_->setTitle(Text(labels.moonGroup));

    dayPanel_->setText(state_.selectedDay > 0
                           ? FormatLongDate(CalendarDateOf(state_.selectedDay), state_.dateNames)
                           : QString());
    const QString name = Text(state_.port.name);
    portPanel_->setAlignment((name.size() >= kLeftAlignedName ? Qt::AlignLeft : Qt::AlignHCenter) |
                             Qt::AlignVCenter);
    portPanel_->setText(name);
    portPanel_->setToolTip(name);

    const QDate picked = datePicker_->date();
    const double date = JulianDay(picked.year(), picked.month(), picked.day());
    // An unreadable position has been reported when the port was chosen; here it counts 0.
    const QString latitudeText = Text(state_.port.latitude);
    const double latitude = DegreesOfText(latitudeText, {});
    const double longitude = DegreesOfText(Text(state_.port.longitude), {});
    const astro::ShownSun shown =
        astro::SunOfShownDay(context, state_.port.timeZone, longitude, latitude, date);
    const astro::SunEphemeris& sun = shown.sun;
    const double offset = shown.offsetHours;
    moon_ = astro::MoonAt(date);
    north_ = latitudeText.contains(u'N');
    const astro::EphemerisTexts texts =
        astro::EphemerisTextsOf(sun, moon_, offset, state_.settings.timeReference, language);
    timeReferencePanel_->setText(Text(texts.timeReference));
    sunrise_->setText(Text(texts.sunrise));
    sunset_->setText(Text(texts.sunset));
    sunriseAzimuth_->setText(Text(texts.sunriseAzimuth));
    sunsetAzimuth_->setText(Text(texts.sunsetAzimuth));
    moonAgeLabel_->setText(Text(texts.moonAge));
    // At exactly 14, 15 or 28 days the phase keeps its previous text.
    if (texts.moonPhase) moonPhase_->setText(Text(*texts.moonPhase));
    moonPicture_->update();
    updating_ = false;
}

std::vector<FontSizedControl> EphemeridesWindow::fontControls() const {
    std::vector<FontSizedControl> controls;
    for (QWidget* w : std::initializer_list<QWidget*>{
             timeReferencePanel_, dayPanel_, portPanel_, sunGroup_, moonGroup_, okButton_, sunrise_,
             sunset_, moonAgeLabel_, sunriseAzimuth_, sunsetAzimuth_, moonPhase_})
        controls.push_back({w, false});
    return controls;
}

void EphemeridesWindow::followMainWindow() {
    if (state_.selectedDay > 0) {
        const QSignalBlocker quiet(datePicker_);
        datePicker_->setDate(CalendarDateOf(state_.selectedDay));
    }
    onActivated();
}

void EphemeridesWindow::showEvent(QShowEvent* event) {
    // Opened, it shows the main window's day, the day its foot names.
    followMainWindow();
    QDialog::showEvent(event);
}

bool EphemeridesWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == datePicker_ &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        onActivated();
    return QDialog::eventFilter(watched, event);
}

} // namespace ondrel
