// Ondrel: the desktop program. Creates the windows (DesktopWindows), runs the import asked on the
// command line, runs the event loop and saves the settings once on the way out.
#include "app/DesktopWindows.h"
#include "state/AppState.h"
#include "views/common/MessageBoxes.h"
#include "views/main/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

namespace {

// A graphical session is needed: a Wayland socket, or an X display whose local socket exists (a
// remote display is trusted), or a platform named outright.
bool DisplayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty()) {
        const QString socket =
            wayland.startsWith(QLatin1Char('/'))
                ? wayland
                : qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + wayland;
        if (QFileInfo::exists(socket)) return true;
    }
    const QString x = qEnvironmentVariable("DISPLAY");
    if (x.isEmpty()) return false;
    if (!x.startsWith(QLatin1Char(':'))) return true; // host:n, reached over the network
    const QString number = x.mid(1).section(QLatin1Char('.'), 0, 0);
    return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + number);
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (!DisplayAvailable()) {
        std::fputs("ondrel: no graphical display found; ondrel-cli gives the same predictions in a "
                   "terminal (ondrel-cli --help).\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ondrel"));
    QApplication::setOrganizationName(QStringLiteral("Ondrel"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window, and the task bar, show the program's icon (its renderings at the theme's
    // sizes up to 128 pixels, built in).
    QIcon icon;
    for (QDirIterator it(QStringLiteral(":/icons/window")); it.hasNext();)
        icon.addFile(it.next());
    QApplication::setWindowIcon(icon);

    ondrel::AppState state;
    state.workingDirectory = QDir::currentPath();
    ondrel::QtMessageBoxes messages(state.settings);

    int status = 0;
    {
        ondrel::DesktopWindows windows(state, messages);
        ondrel::MainWindow& mainWindow = windows.main();
        QObject::connect(&mainWindow, &ondrel::MainWindow::quitRequested, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        windows.importAtStart(QApplication::arguments());
        mainWindow.show();
        status = app.exec();
        mainWindow.saveSettings();
    }
    return status;
}
