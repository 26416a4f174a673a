// Tells the open windows that a group of settings has changed. Whoever changes a setting says so
// here once the new value is in place; each window that shows it is connected. (The options, the
// time reference, the unit and the model, are applied by their window's OK, which redraws the main
// window, the curve and the sun window at once.)
#pragma once

#include <QObject>

namespace ondrel {

class SettingsEvents : public QObject {
    Q_OBJECT
public:
    SettingsEvents() = default;
    // The state holding it may be given new values; whoever listens keeps listening.
    SettingsEvents(const SettingsEvents&) : QObject() {}
    SettingsEvents& operator=(const SettingsEvents&) { return *this; }

signals:
    void languageChanged();
    void curveColoursChanged();
};

} // namespace ondrel
