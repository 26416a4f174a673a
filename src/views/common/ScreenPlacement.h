// Where windows go on the screen: a stored or derived place is moved and shrunk into the available
// area of the screen it is (mostly) on, or of the primary screen; a window opened from another is
// placed beside it, clear of the main window; a dialog is centred on its owner.
#pragma once

#include "views/common/WindowContract.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace ondrel {

// `wanted` moved and shrunk into `area`.
inline QRect FitOnScreenArea(const QRect& wanted, const QRect& area) {
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(area.size()));
    if (fitted.right() > area.right()) fitted.moveRight(area.right());
    if (fitted.bottom() > area.bottom()) fitted.moveBottom(area.bottom());
    if (fitted.left() < area.left()) fitted.moveLeft(area.left());
    if (fitted.top() < area.top()) fitted.moveTop(area.top());
    return fitted;
}

inline QRect FitOnScreen(const QRect& wanted) {
    QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return wanted;
    return FitOnScreenArea(wanted, screen->availableGeometry());
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

// Where a window whose frame has `size` goes when it is opened from the window framed by `from`:
// on its right, else below it (else on its left or above), else cascaded from its corner, wholly
// inside `area` (the screen's
// available part) and clear of `keepClear` (the main window, with its menu and buttons), and of
// `others` (windows already shown) when there is room. When the screen is too small for any of
// these, the first cascade step brought onto the screen.
inline QRect PlaceBeside(QSize size, const QRect& from, const QRect& keepClear, const QRect& area,
                         const std::vector<QRect>& others = {}) {
    constexpr int kCascade = 32;
    const auto within = [&](QRect r, bool vertical) {
        // Slid along the side it leans on, never across it.
        if (vertical) {
            if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
            if (r.top() < area.top()) r.moveTop(area.top());
        } else {
            if (r.right() > area.right()) r.moveRight(area.right());
            if (r.left() < area.left()) r.moveLeft(area.left());
        }
        return r;
    };
    std::vector<QRect> candidates;
    for (const QRect& next : {from, keepClear}) {
        if (next.isNull()) continue;
        candidates.push_back(within(QRect(QPoint(next.right() + 1, next.top()), size), true));
        candidates.push_back(within(QRect(QPoint(next.left(), next.bottom() + 1), size), false));
    }
    // Then on the other sides.
    for (const QRect& next : {from, keepClear}) {
        if (next.isNull()) continue;
        candidates.push_back(
            within(QRect(QPoint(next.left() - size.width(), next.top()), size), true));
        candidates.push_back(
            within(QRect(QPoint(next.left(), next.top() - size.height()), size), false));
    }
    for (int step = 1; step < 64; ++step)
        candidates.push_back(QRect(from.topLeft() + step * QPoint(kCascade, kCascade), size));
    const auto clearOf = [](const QRect& r, const std::vector<QRect>& rects) {
        return std::none_of(rects.begin(), rects.end(),
                            [&r](const QRect& o) { return o.intersects(r); });
    };
    for (const bool avoidOthers : {true, false})
        for (const QRect& r : candidates)
            if (area.contains(r) && !r.intersects(keepClear) &&
                (!avoidOthers || clearOf(r, others)))
                return r;
    return FitOnScreenArea(QRect(from.topLeft() + QPoint(kCascade, kCascade), size), area);
}

// The same for a window of the program: placed beside `from` on from's screen, clear of the main
// window (the window that owns it) and of the other windows shown. A window already shown stays
// where it is.
inline void PlaceBeside(QWidget* window, const QWidget* from) {
    if (window->isVisible() || !from) return;
    const QWidget* main = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    QScreen* screen = from->screen() ? from->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // Measured as it will be shown: its texts in the program's language, its layout done.
    if (auto* contract = dynamic_cast<WindowContract*>(window)) contract->retranslate();
    window->ensurePolished();
    if (window->layout()) window->layout()->activate();
    window->resize(window->size().expandedTo(window->minimumSizeHint()));
    // Before it is first shown a window has no frame yet: the one of the window it comes from.
    const QRect fromFrame = from->frameGeometry();
    const QSize decoration = fromFrame.size() - from->geometry().size();
    const QSize size = window->size() + (window->testAttribute(Qt::WA_WState_Created) &&
                                                 window->frameGeometry() != window->geometry()
                                             ? window->frameGeometry().size() - window->size()
                                             : decoration);
    std::vector<QRect> others;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != window && w != main && w->isVisible() &&
            (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            others.push_back(w->frameGeometry());
    const QRect place = PlaceBeside(size, fromFrame, main ? main->frameGeometry() : QRect(),
                                    screen->availableGeometry(), others);
    window->move(place.topLeft());
}

// Shows a window beside the one it is opened from (PlaceBeside), in front and active.
inline void ShowBeside(QWidget* window, const QWidget* from) {
    PlaceBeside(window, from);
    window->show();
    window->raise();
    window->activateWindow();
}

// Centres a dialog on the window it belongs to (its frame, or its size before it has one), kept
// on the screen.
inline void CentreOn(QWidget* dialog, const QWidget* over) {
    if (!over) return;
    QRect place(QPoint(), dialog->frameGeometry().size());
    place.moveCenter(over->frameGeometry().center());
    dialog->move(FitOnScreen(place).topLeft());
}

} // namespace ondrel
