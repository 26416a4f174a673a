#include "state/Services.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace ondrel {

QString SettingsStore::fileName() const {
#ifdef Q_OS_WIN
    return {};
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + organisation + QStringLiteral(".conf");
#endif
}

bool SettingsStore::usable() const {
    const QString name = fileName();
    if (name.isEmpty()) return true;
    const QFileInfo file(name);
    // A folder in the way cannot be read and is reported when the settings are saved.
    return !file.exists() || file.isFile() || file.isDir();
}

std::unique_ptr<QSettings> SettingsStore::open() const {
    if (!usable()) {
        auto nowhere = std::make_unique<QSettings>(QString(), QSettings::IniFormat);
        nowhere->setAtomicSyncRequired(false);
        return nowhere;
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation);
}

} // namespace ondrel
