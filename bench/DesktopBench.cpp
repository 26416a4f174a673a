// The desktop program's start: its windows created and wired and the main window shown, as
// main() does, on the offscreen platform with a settings store of its own (the dynamic loading of
// the libraries, which a whole process also pays, is not in it: tools/bench-processes.sh).
#include "app/DesktopWindows.h"
#include "state/AppState.h"
#include "views/common/MessageBoxes.h"
#include "views/main/MainWindow.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_DesktopStartToFirstWindow(benchmark::State& state) {
    QTemporaryDir work;
    {
        // A program started before: its language is known, so no question stops the start.
        ondrel::AppState app;
        app.settingsStore.organisation = QStringLiteral("OndrelBench");
        app.settingsStore.open()->setValue(QStringLiteral("langue"), QStringLiteral("FRANCAIS"));
    }
    for (auto _ : state) {
        ondrel::AppState app;
        app.workingDirectory = work.path(); // the table is the shipped one, found from the program
        app.settingsStore.organisation = QStringLiteral("OndrelBench");
        ondrel::QtMessageBoxes messages(app.settings);
        ondrel::DesktopWindows windows(app, messages);
        windows.main().show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(windows.main().isVisible());
    }
}
BENCHMARK(BM_DesktopStartToFirstWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true); // never the user's settings or data
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
