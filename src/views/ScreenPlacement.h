// Keeps windows on the screen: a stored or derived place is moved and shrunk into the available
// area of the screen it is (mostly) on, or of the primary screen.
#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

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

} // namespace ondrel
