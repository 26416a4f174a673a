// A current station from the port window's list to the main window's report, its speed curve and
// its table of a month, in both languages: the same events as `ondrel-cli currents`.
#include "GuiTestSupport.h"

#include "app/DesktopWindows.h"
#include "engine/Julian.h"
#include "ports/PortSelectionRules.h"
#include "views/curve/StreamCurveWindow.h"
#include "views/main/MainWindow.h"
#include "views/ports/PortWindow.h"
#include "views/tidetable/MonthPagesView.h"
#include "views/tidetable/TideTableWindow.h"

#include <QChart>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScatterSeries>
#include <QTabBar>
#include <QTableView>

namespace ondrel::test {
namespace {

using StreamsGuiTest = GuiTest;

QStringList CliDay(const char* language, const char* unit) {
    QProcess cli;
    cli.start(QStringLiteral(ONDREL_BUILD_DIR "/src/cli/ondrel-cli"),
              {"currents", "Pollock Rip Channel (Butler Hole)", "--from", "2026-03-10", "--to",
               "2026-03-10", "--lang", language, "--speed", unit, "--table",
               QStringLiteral(ONDREL_SOURCE_DIR "/data/ports.dbf")});
    cli.waitForFinished(30000);
    QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n');
    lines = lines.mid(2); // the station and the date
    lines.removeAll(QString());
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

TEST_F(StreamsGuiTest, APortWindowStationGivesItsDayCurveAndMonth) {
    WritePortTable(workDir(), SmallPortList());
    ASSERT_TRUE(QFile::copy(QStringLiteral(ONDREL_SOURCE_DIR "/data/currents.json"),
                            QDir(workDir()).filePath("currents.json")));
    now = QDateTime(QDate(2026, 3, 10), QTime(9, 0));
    DesktopWindows desktop(state, boxes);
    MainWindow& main = desktop.main();
    main.acceptWarning();
    PortWindow& ports = *desktop.portWindow();
    ports.findChild<QTabBar*>("OngletsListes")->setCurrentIndex(1);
    QTest::keyClicks(ports.findChild<QLineEdit*>("Edit1"), "Pollock Rip Channel (B");
    auto* list = ports.findChild<QTableView*>("DBGridCourants");
    ASSERT_EQ(list->currentIndex().data().toString(),
              QStringLiteral("Pollock Rip Channel (Butler Hole)"));
    // Its marker where Nantucket Sound is, 41.55° N 69.98° W.
    EXPECT_EQ(ports.markerRect(), MarkerRect(MapPosition(41.55, 69.9833)));
    ASSERT_TRUE(ports.confirm());
    EXPECT_FALSE(state.portChosen);
    EXPECT_EQ(state.settings.lastStationId, QStringLiteral("noaa/ACT1616"));

    const struct {
        Language language;
        SpeedUnit unit;
        const char *cliLanguage, *cliUnit;
    } cases[] = {{Language::French, SpeedUnit::Knots, "fr", "kn"},
                 {Language::English, SpeedUnit::MetresPerSecond, "en", "ms"}};
    for (const auto& c : cases) {
        state.settings.chosenLanguage = c.language;
        state.settings.speedUnit = c.unit;
        main.dateConfirmed(QDate(2026, 3, 10), false);
        const QStringList report =
            main.findChild<QPlainTextEdit*>("HeuresOndrel")->toPlainText().split(u'\n');
        EXPECT_EQ(report, CliDay(c.cliLanguage, c.cliUnit));
        EXPECT_GE(report.size(), 7);
    }

    // The curve: the signed speed, a zero line, each slack marked on it.
    StreamCurveWindow& curve = *desktop.streamCurveWindow();
    ASSERT_TRUE(curve.isVisible());
    for (int days : {1, 7, 30}) {
        curve.draw(days);
        int slacks = -1;
        double lowest = 0, highest = 0;
        for (QAbstractSeries* s : curve.chart()->series()) {
            if (auto* points = qobject_cast<QScatterSeries*>(s)) {
                slacks = static_cast<int>(points->count());
                for (const QPointF& p : points->points())
                    EXPECT_EQ(p.y(), 0);
            } else if (auto* line = qobject_cast<QLineSeries*>(s); line && line->count() > 2) {
                for (const QPointF& p : line->points()) {
                    lowest = std::min(lowest, p.y());
                    highest = std::max(highest, p.y());
                }
            }
        }
        // About four slacks a day; flood and ebb both run.
        EXPECT_NEAR(slacks, 3.9 * days, 1 + 0.1 * days) << days;
        EXPECT_GT(highest, 0.3);
        EXPECT_LT(lowest, -0.3);
    }

    // The table of a month, its lines and one page.
    TideTableWindow& table = *desktop.tideTableWindow();
    table.show();
    table.startPicker()->setDate(QDate(2026, 3, 1));
    table.endPicker()->setDate(QDate(2026, 3, 31));
    table.calculate();
    const QStringList lines = table.lines();
    EXPECT_TRUE(lines.first().startsWith("Pollock Rip Channel (Butler Hole) (noaa/ACT1616)"));
    // As many turns to flood as to ebb, give or take one.
    EXPECT_NEAR(lines.filter(QStringLiteral("slack, flood begins")).size(),
                lines.filter(QStringLiteral("slack, ebb begins")).size(), 1);
    EXPECT_GT(lines.filter(QStringLiteral("max flood")).size(), 55);
    table.setView(TideTableWindow::View::MonthPages);
    EXPECT_EQ(table.findChild<MonthPagesView*>("PagesMois")->pageCount(), 1);
    const QString csv = QDir(workDir()).filePath("streams.csv");
    ASSERT_TRUE(table.saveTo(csv));
    QFile saved(csv);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readLine().startsWith("time,kind,speed_ms,station"));
    EXPECT_FALSE(table.saveTo(QDir(workDir()).filePath("streams.ics"))); // calendars: tides only
    table.close();

    // A tide port again: the speed curve goes, the height curve comes.
    ASSERT_TRUE(ports.selectNearest("BREST"));
    ASSERT_TRUE(ports.confirm());
    EXPECT_TRUE(state.portChosen);
    EXPECT_EQ(state.station, nullptr);
    EXPECT_FALSE(curve.isVisible());
}

} // namespace
} // namespace ondrel::test
