// Ondrel: the desktop program. Creates the windows, runs the import asked on the command line,
// runs the event loop and saves the settings once on the way out.
#include "AppState.h"
#include "MessageBoxes.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>

namespace {

// A graphical session is needed; without one, say so and point to the command-line program.
bool DisplayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (!DisplayAvailable()) {
        std::fputs("ondrel: no display available; for tide predictions in a terminal use "
                   "build/src/cli/ondrel-cli (see ondrel-cli --help).\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ondrel"));
    QApplication::setOrganizationName(QStringLiteral("Ondrel"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window, and the task bar, show the program's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/ondrel.svg")));

    ondrel::AppState state;
    state.workingDirectory = QDir::currentPath();
    ondrel::QtMessageBoxes messages(state.settings);

    int status = 0;
    {
        ondrel::MainWindow mainWindow(state, messages);
        QObject::connect(&mainWindow, &ondrel::MainWindow::quitRequested, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        mainWindow.importAtStart(QApplication::arguments());
        mainWindow.show();
        status = app.exec();
        mainWindow.saveSettings();
    }
    return status;
}
