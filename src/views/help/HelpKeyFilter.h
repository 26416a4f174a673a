// HelpKeyFilter: the help key in any window, turned into a help request for the context of the
// focused control.
#pragma once

#include <QObject>

#include <functional>
#include <utility>

class QWidget;

namespace ondrel {

// Installed on the application: the help key in any window asks for the context of the focused
// control, else of its window (its kHelpContextProperty, else its objectName's context).
class HelpKeyFilter : public QObject {
public:
    HelpKeyFilter(std::function<void(int context)> help, QObject* parent)
        : QObject(parent), help_(std::move(help)) {}
    static int ContextOf(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> help_;
};

} // namespace ondrel
