#include "views/main/TrayIcon.h"

#include "engine/Extremes.h"
#include "engine/Julian.h"
#include "engine/TidePosition.h"
#include "state/AppState.h"
#include "texts/Bilingual.h"
#include "texts/TideNow.h"
#include "views/common/MessageBoxes.h"
#include "views/main/TrayTexts.h"

#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>

#include <cmath>

namespace ondrel {

namespace {

constexpr qsizetype kToolTipLength = 63;
constexpr int kIndicatorIcon = 32;
constexpr int kIndicatorMargin = 4;

const TrayTexts kTexts;

} // namespace

QString TrayToolTip(const QString& portName, const Settings& settings,
                    std::optional<double> position) {
    // Before a language is chosen neither text applies.
    if (!settings.languageChosen()) return {};
    const Language l = settings.language();
    QString tip = (kTexts.toolTip.in(l) + portName).left(kToolTipLength);
    if (!position) return tip;
    const long long minutes = std::llround(std::fabs(*position) * 1440);
    return tip + QLatin1Char('\n') +
           (*position < 0 ? kTexts.highWaterIn : kTexts.highWaterAgo)
               .in(l)
               .arg(minutes / 60)
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
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
    // With the port's legal time, the present instant is read on the port's clocks.
    const std::optional<double> position =
        state_.portChosen
            ? TidePositionAt(state_.context(), state_.source(), state_.clock(), state_.selectedDay)
                  .position
            : std::nullopt;
    iconName_ = QString::fromStdString(
        TideIconName(position ? std::optional<int>(TidePositionHours(*position)) : std::nullopt));
    toolTip_ = TrayToolTip(QString::fromStdString(state_.port.name), state_.settings, position);
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
