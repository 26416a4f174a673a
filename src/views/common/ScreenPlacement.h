// Keeps windows on the screen: a stored or derived place is moved and shrunk into the available
// area of the screen it is (mostly) on, or of the primary screen.
#pragma once

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace ondrel {

inline QRect FitOnScreen(const QRect& wanted) {
    QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return wanted;
    const QRect area = screen->availableGeometry();
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(area.size()));
    if (fitted.right() > area.right()) fitted.moveRight(area.right());
    if (fitted.bottom() > area.bottom()) fitted.moveBottom(area.bottom());
    if (fitted.left() < area.left()) fitted.moveLeft(area.left());
    if (fitted.top() < area.top()) fitted.moveTop(area.top());
    return fitted;
}

// Installed on the application: every window that appears is brought wholly onto the screen it
// is mostly on (windows are placed at another window's corner, or where they were last time).
class KeepWindowsOnScreen : public QObject {
public:
    using QObject::QObject;

    static void Fit(QWidget* w) {
        const QRect frame = w->frameGeometry();
        const QRect fitted = FitOnScreen(frame);
        if (fitted.size() != frame.size()) w->resize(w->size() - (frame.size() - fitted.size()));
        if (fitted.topLeft() != frame.topLeft())
            w->move(w->pos() + (fitted.topLeft() - frame.topLeft()));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            const Qt::WindowType type = w->windowType();
            if (w->isWindow() && (type == Qt::Window || type == Qt::Dialog)) {
                Fit(w);
                // Once more when the frame the desktop adds is known.
                QTimer::singleShot(0, w, [w] { Fit(w); });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// Shows a window with its top-left corner at topLeft, in front and active: a window that leads
// to another places the next one at its own top-left corner.
inline void ShowAt(QWidget* window, QPoint topLeft) {
    window->move(topLeft);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace ondrel
