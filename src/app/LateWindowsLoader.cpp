// The late windows of the desktop program: the module installed beside it (../lib/ondrel, in the
// build tree as in the installed one), loaded on the first call. The loader keeps it for the rest
// of the process, and hands back the same module on the next call.
#include "LateWindows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <dlfcn.h>

namespace ondrel {

const LateWindowFunctions* LateWindows(QString& problem) {
    const QString path =
        QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                            .filePath(QStringLiteral("../lib/ondrel/ondrel-late-windows.so")));
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
