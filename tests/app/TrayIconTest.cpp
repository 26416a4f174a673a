// The notification icon of the hidden program: its picture following the tide, its tooltip, and
// its two clicks, which bring the program back or end it.
#include "GuiTestSupport.h"

#include "app/DesktopWindows.h"
#include "engine/Extremes.h"
#include "views/curve/CurveWindow.h"
#include "views/main/MainWindow.h"
#include "views/main/TrayIcon.h"
#include "views/sun/EphemeridesWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <algorithm>

namespace ondrel::test {
namespace {

QString Text(QObject* parent, const char* name) {
    auto* label = parent->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

class TrayIconTest : public GuiTest {
protected:
    // Places the clock this many minutes after the selected day's first high water.
    void AfterHighWater(double minutes) {
        const DayEvents events = DayTideEvents(state.context(), state.port, state.selectedDay);
        const auto high = std::find_if(events.begin(), events.end(), [](const TideEvent& e) {
            return !e.empty() && e.isHighWater();
        });
        ASSERT_NE(high, events.end());
        const qint64 seconds =
            qRound64((high->instant() - state.selectedDay) * 86400 + minutes * 60);
        now = QDateTime(QDate(2024, 3, 13), QTime(0, 0)).addSecs(seconds);
    }
};

TEST_F(TrayIconTest, HiddenProgramShowsTheTideAndAnswersBothClicks) {
    WritePortTable(workDir(), SmallPortList());
    for (const auto& [name, value] : {std::pair<const char*, QVariant>{"langue", kFrench},
                                      {"dernier_port", "BREST"},
                                      {"icone", 1}})
        store()->setValue(name, value);
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    w.show();
    ASSERT_TRUE(WaitFor([&] { return w.windowTitle() == QStringLiteral("Ondrel - v 4.6"); }));
    w.acceptWarning();
    // The ephemerides button shows the window of the current port.
    QTest::mouseClick(w.findChild<QPushButton*>("BEphemerides"), Qt::LeftButton);
    EXPECT_EQ(Text(desktop.ephemeridesWindow(), "Panel3"), QStringLiteral("BREST"));
    desktop.ephemeridesWindow()->hide();

    auto* quit = w.findChild<QPushButton*>("BQuitter");
    EXPECT_EQ(quit->text(), QStringLiteral("&Réduire"));
    AfterHighWater(20);
    QSignalSpy ended(&w, &MainWindow::quitRequested);
    QTest::mouseClick(quit, Qt::LeftButton);
    TrayIcon* tray = desktop.trayIcon();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(desktop.curveWindow()->isVisible());
    EXPECT_EQ(tray->timer().interval(), TrayIcon::kFirstTickMs);
    ASSERT_TRUE(WaitFor([&] { return tray->indicator() && tray->indicator()->isVisible(); }));
    QWidget* indicator = tray->indicator();
    EXPECT_EQ(tray->iconName(), QStringLiteral("PM"));
    EXPECT_EQ(indicator->toolTip(), QStringLiteral("Port de BREST\nPleine mer il y a 0 h 20"));
    // The stand-in is not the active window; the mouse resting on it shows the tooltip all the
    // same.
    QApplication::setActiveWindow(nullptr);
    ASSERT_FALSE(indicator->isActiveWindow());
    QTest::mouseMove(indicator, indicator->rect().center());
    EXPECT_TRUE(WaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Port de BREST\nPleine mer il y a 0 h 20"));
    QToolTip::hideText();
    EXPECT_EQ(tray->timer().interval(), TrayIcon::kRefreshMs);

    // Right click, No: the icon stays with its timer.
    QTest::mouseClick(indicator, Qt::RightButton);
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown.back().kind + boxes.shown.back().text,
              QStringLiteral("yesnoVoulez-vous quitter \"Ondrel\" ?"));
    EXPECT_TRUE(indicator->isVisible());
    EXPECT_TRUE(tray->timer().isActive());
    // The next refresh follows the clock.
    AfterHighWater(5 * 60 + 50);
    tray->refresh();
    EXPECT_EQ(tray->iconName(), QStringLiteral("PM+5"));

    // Left click: the program comes back with its curve, the icon goes.
    QTest::mouseClick(indicator, Qt::LeftButton);
    EXPECT_FALSE(indicator->isVisible());
    EXPECT_FALSE(tray->timer().isActive());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(desktop.curveWindow()->isVisible());
    EXPECT_EQ(ended.count(), 0);

    // Hidden again, right click, Yes: the program ends.
    QTest::mouseClick(quit, Qt::LeftButton);
    tray->refresh();
    boxes.answers = {MessageBoxes::Answer::Yes};
    QTest::mouseClick(indicator, Qt::RightButton);
    EXPECT_EQ(ended.count(), 1);
    w.saveSettings();
    EXPECT_FALSE(indicator->isVisible()); // removed on the way out

    // Without the check mark the button quits at once.
    w.findChild<QAction*>("Icnedanslabarredestcheslarduction1")->trigger();
    EXPECT_EQ(quit->text(), QStringLiteral("&Quitter"));
    QTest::mouseClick(quit, Qt::LeftButton);
    EXPECT_EQ(ended.count(), 2);
}

// With the port's legal time the icon reads the present instant on the port's clocks, whatever
// the machine's zone: 00:15 UT is 01:15 at Brest (high water at 04:12) and 11:15 at Hobart (high
// water at 07:44).
TEST_F(TrayIconTest, LegalTimeReadsTheInstantOnThePortsClocks) {
    CopyShippedTable(workDir());
    ASSERT_TRUE(QFile::copy(QStringLiteral(ONDREL_SOURCE_DIR "/data/harmonics.bin"),
                            QDir(workDir()).filePath(QStringLiteral("harmonics.bin"))));
    const struct {
        const char* port;
        const char* icon;
        const char* tip;
    } cases[] = {
        {"BREST", "PM-2", "Port of BREST\nHigh water in 2 h 58"},
        {"HOBART", "PM+3", "Port of HOBART\nHigh water 3 h 30 ago"},
    };
    for (const auto& c : cases) {
        ResetState();
        now = QDateTime(QDate(2026, 12, 8), QTime(0, 15), Qt::UTC);
        for (const auto& [name, value] : {std::pair<const char*, QVariant>{"langue", kEnglish},
                                          {"dernier_port", QString::fromLatin1(c.port)},
                                          {"heure_service", 200},
                                          {"icone", 1}})
            store()->setValue(name, value);
        DesktopWindows desktop(state, boxes);
        desktop.main().acceptWarning();
        ASSERT_EQ(state.port.name, c.port);
        desktop.trayIcon()->refresh();
        EXPECT_EQ(desktop.trayIcon()->iconName(), QString::fromLatin1(c.icon)) << c.port;
        ASSERT_TRUE(desktop.trayIcon()->indicator());
        EXPECT_EQ(desktop.trayIcon()->indicator()->toolTip(), QString::fromLatin1(c.tip));
    }
}

} // namespace
} // namespace ondrel::test
