#include "views/help/HelpKeyFilter.h"

#include "rules/HelpTopics.h"

#include <QEvent>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace ondrel {

int HelpKeyFilter::ContextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant own = w->property(kHelpContextProperty);
        if (own.isValid()) return own.toInt();
        if (w->isWindow()) {
            const int context = HelpContextOfWindow(w->objectName());
            // A message box or another dialog without a context of its own asks for its owner's.
            if (context != kHelpHome || !w->parentWidget()) return context;
        }
    }
    return kHelpHome;
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::HelpContents)) {
        help_(ContextOf(static_cast<QWidget*>(watched)));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ondrel
