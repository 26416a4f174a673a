// The late windows of the desktop program: the module installed beside it (../lib/ondrel/modules,
// in the build tree as in the installed one; a folder below lib/ondrel, so that the package
// needs no ldconfig call for it), loaded on the first call. It stays loaded for the rest of the
// process: a later call finds the same module.
#include "LateWindows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <dlfcn.h>

namespace ondrel {

const LateWindowFunctions* LateWindows(QString& problem) {
    const QString path = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral("../lib/ondrel/modules/ondrel-late-windows.so")));
    void* module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        problem = why ? QString::fromLocal8Bit(why) : QDir::toNativeSeparators(path);
        return nullptr;
    }
    using Entry = const LateWindowFunctions* (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(module, "ondrel_late_windows"));
    if (!entry) {
        problem = QDir::toNativeSeparators(path);
        return nullptr;
    }
    return entry();
}

} // namespace ondrel
