#include "TrayIcon.h"

#include "AppState.h"
#include "Bilingual.h"
#include "Extremes.h"
#include "Julian.h"
#include "MessageBoxes.h"
#include "TidePosition.h"
#include "TrayTexts.h"

#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>

namespace ondrel {

namespace {

constexpr qsizetype kToolTipLength = 63;
constexpr int kIndicatorIcon = 32;
constexpr int kIndicatorMargin = 4;

const TrayTexts kTexts;

// The computer's clock as a Julian date, whatever the time reference of the options.
double JulianNow(const QDateTime& now) {
    const QDate d = now.date();
    return JulianDay(d.year(), d.month(), d.day()) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

QString TrayToolTip(const QString& portName, const Settings& settings) {
    // Before a language is chosen neither text applies.
    if (!settings.languageChosen()) return {};
    return (kTexts.toolTip.in(settings.language()) + portName).left(kToolTipLength);
}

QIcon TideIcon(const QString& name) {
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    if (!QFile::exists(path)) return {};
    return QIcon(path);
}

// The stand-in for the notification area: the icon in a small window above the others, at the
// bottom right of the screen.
class TrayIcon::Indicator : public QWidget {
public:
    explicit Indicator(TrayIcon& owner)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
          owner_(owner) {
        setObjectName(QStringLiteral("IconeIndicateur"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        // Never the active window, it shows its tooltip all the same.
        setAttribute(Qt::WA_AlwaysShowToolTips);
        setFixedSize(kIndicatorIcon + 2 * kIndicatorMargin, kIndicatorIcon + 2 * kIndicatorMargin);
    }

    void setIcon(const QIcon& icon) {
        icon_ = icon;
        update();
    }

    void placeOn(const QScreen* screen) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() - 8, area.bottom() - height() - 8);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        icon_.paint(&painter, rect().adjusted(kIndicatorMargin, kIndicatorMargin, -kIndicatorMargin,
                                              -kIndicatorMargin));
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            owner_.restore();
        else if (event->button() == Qt::RightButton)
            owner_.askQuit();
    }

private:
    TrayIcon& owner_;
    QIcon icon_;
};

TrayIcon::TrayIcon(AppState& state, MessageBoxes& messages, QWidget* mainWindow,
                   QWidget* curveWindow, QObject* parent)
    : QObject(parent), state_(state), messages_(messages), mainWindow_(mainWindow),
      curveWindow_(curveWindow) {
    timer_.setInterval(kFirstTickMs);
    connect(&timer_, &QTimer::timeout, this, [this] { refresh(); });
}

TrayIcon::~TrayIcon() {
    remove();
    delete indicator_;
}

QWidget* TrayIcon::indicator() const {
    return indicator_;
}

void TrayIcon::reduce() {
    curveWasVisible_ = curveWindow_ && curveWindow_->isVisible();
    if (curveWindow_) curveWindow_->hide();
    if (mainWindow_) mainWindow_->hide();
    toolTip_ = TrayToolTip(QString::fromStdString(state_.port.name), state_.settings);
    timer_.setInterval(kFirstTickMs);
    timer_.start();
}

void TrayIcon::refresh() {
    // The hidden program keeps the day it had: past midnight the position comes from that day's
    // last events and the next day's first.
    const DayEventsOf events = [this](int days) {
        if (!state_.portChosen) return DayEvents{};
        return DayTideEvents(state_.context(), state_.source(), state_.selectedDay + days);
    };
    iconName_ =
        QString::fromStdString(TideIconName(TidePositionIndex(events, JulianNow(state_.clock()))));
    const QIcon icon = TideIcon(iconName_);
    if (icon.isNull() || !show(icon)) {
        failed();
        return;
    }
    timer_.setInterval(kRefreshMs);
}

bool TrayIcon::show(const QIcon& icon) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!systemIcon_) {
            systemIcon_ = new QSystemTrayIcon(this);
            connect(systemIcon_, &QSystemTrayIcon::activated, this,
                    [this](QSystemTrayIcon::ActivationReason why) {
                        if (why == QSystemTrayIcon::Trigger)
                            restore();
                        else if (why == QSystemTrayIcon::Context)
                            askQuit();
                    });
        }
        systemIcon_->setIcon(icon);
        systemIcon_->setToolTip(toolTip_);
        systemIcon_->show();
        return true;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    if (!indicator_) indicator_ = new Indicator(*this);
    indicator_->setIcon(icon);
    indicator_->setToolTip(toolTip_);
    indicator_->placeOn(screen);
    indicator_->show();
    indicator_->raise();
    return true;
}

void TrayIcon::failed() {
    timer_.stop();
    remove();
    // Before a language is chosen the message has no language to be said in.
    if (state_.settings.languageChosen())
        messages_.information(mainWindow_, kTexts.noIcon.in(state_.settings.language()));
    if (mainWindow_) mainWindow_->show();
}

void TrayIcon::remove() {
    if (systemIcon_) systemIcon_->hide();
    if (indicator_) indicator_->hide();
}

void TrayIcon::restore() {
    timer_.stop();
    timer_.setInterval(kFirstTickMs);
    remove();
    if (curveWasVisible_ && curveWindow_) curveWindow_->show();
    if (mainWindow_) {
        mainWindow_->show();
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
}

void TrayIcon::askQuit() {
    const QString question = kTexts.quitQuestion.in(state_.settings.language());
    if (messages_.askYesNo(nullptr, question) == MessageBoxes::Answer::Yes) emit quitRequested();
}

} // namespace ondrel
