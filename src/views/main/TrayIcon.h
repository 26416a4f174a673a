// TrayIcon: the program hidden in the notification area. When the quit button is set to reduce,
// the windows hide and an icon shows, in whole hours, where the current port stands in its tide
// cycle; its tooltip names the port and it is refreshed every ten minutes. A left click brings
// the program back, a right click offers to quit.
//
// Where the desktop has no notification area, a small frameless window that stays on top plays
// the icon's part, with the same picture, tooltip, refresh and clicks.
#pragma once

#include "state/Settings.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

#include <QTimer>
#include <optional>

#include <optional>

class QSystemTrayIcon;
class QWidget;

namespace ondrel {

struct AppState;
class MessageBoxes;

// "Port de BREST" / "Port of BREST", cut to 63 characters; nothing before a language is chosen.
// The tooltip: the port, then the time to the next high water or since the last (position, in
// days, TidePosition.h) when it is known.
QString TrayToolTip(const QString& portName, const Settings& settings,
                    std::optional<double> position = std::nullopt);

// The icon of the program's resources named by the notification icon's name ("PM-2", "BM",
// "ERROR"...); a null icon when there is none.
QIcon TideIcon(const QString& name);

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // The first tick comes a second after hiding, the next ones every ten minutes.
    static constexpr int kFirstTickMs = 1000;
    static constexpr int kRefreshMs = 600000;

    // mainWindow and curveWindow are hidden and shown again; dialogs are parented to mainWindow.
    TrayIcon(AppState& state, MessageBoxes& messages, QWidget* mainWindow, QWidget* curveWindow,
             QObject* parent = nullptr);
    ~TrayIcon() override;

    // Hides the program (remembering whether the curve window was on screen) and starts the
    // timer; the icon comes at its first tick.
    void reduce();
    // The timer's tick: computes the icon for the present instant and shows it.
    void refresh();
    // Left click: the icon goes and the windows come back.
    void restore();
    // Right click: asks whether to quit; Yes ends the program.
    void askQuit();
    // Removes the icon, whether or not it is shown.
    void remove();

    QString iconName() const { return iconName_; }
    QString toolTip() const { return toolTip_; }
    const QTimer& timer() const { return timer_; }
    // The stand-in window used where there is no notification area (null until first shown).
    QWidget* indicator() const;

signals:
    // The program is to end (right click, then Yes).
    void quitRequested();

private:
    bool show(const QIcon& icon);
    void failed();

    AppState& state_;
    MessageBoxes& messages_;
    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> curveWindow_;
    QTimer timer_;
    bool curveWasVisible_ = false;
    QString iconName_;
    QString toolTip_;
    QSystemTrayIcon* systemIcon_ = nullptr;
    class Indicator;
    Indicator* indicator_ = nullptr;
};

} // namespace ondrel
