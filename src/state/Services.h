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

    // The file that holds the settings; empty where they are not kept in a file (the registry).
    QString fileName() const;
    // Whether the settings may be read and written: their file is a regular file (or a folder,
    // which saving reports) or not there yet. Reading a FIFO in its place would hang the program,
    // and saving would put a file in place of a device or of a link to one; such a store is neither
    // read nor written.
    bool usable() const;
    // The settings; when the store is not usable, empty ones that are never written anywhere.
    std::unique_ptr<QSettings> open() const;
};

// Shows the help topic of a context number; empty until the application installs it.
using HelpHook = std::function<void(int context)>;

} // namespace ondrel
