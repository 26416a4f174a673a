// What the application lends its windows beside the settings themselves, each on its own so that
// a window is given only what it uses: where the settings are stored, and the help.
#pragma once

#include <QSettings>
#include <QString>

#include <functional>
#include <memory>

namespace ondrel {

// Where the settings are stored: the user's settings of an organisation ("Software\Ondrel"); tests
// name another.
struct SettingsStore {
    QString organisation = QStringLiteral("Ondrel");

    std::unique_ptr<QSettings> open() const {
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           organisation);
    }
};

// Shows the help topic of a context number; empty until the application installs it.
using HelpHook = std::function<void(int context)>;

} // namespace ondrel
