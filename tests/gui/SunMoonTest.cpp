// The ephemerides window and the notification icon of the hidden program.
#include "GuiTestSupport.h"

#include "CurveWindow.h"
#include "DateNames.h"
#include "Ephemerides.h"
#include "EphemerisTexts.h"
#include "EphemeridesWindow.h"
#include "Extremes.h"
#include "Julian.h"
#include "LanguageTexts.h"
#include "MainWindow.h"
#include "TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace ondrel::test {
namespace {

template <typename W>
W* Child(QObject* parent, const char* name) {
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QString Text(QObject* parent, const char* name) { return Child<QLabel>(parent, name)->text(); }

class EphemeridesTest : public GuiTest {};

struct PortCase {
    const char* name;
    const char* latitude;
    const char* longitude;
    double timeZone;
    double latitudeDegrees; // north positive
    double longitudeDegrees; // west positive
    QDate date;
    const char* langue;
    const char* sunrise; // the polar text, or nullptr where the sun rises and sets
    Qt::Alignment portAlignment;
};

TEST_F(EphemeridesTest, TextsOfNorthernSouthernAndPolarPorts) {
    const PortCase cases[] = {
        {"BREST", "48 23 N", "004 30 W", 1, 48 + 23 / 60.0, 4.5, QDate(2024, 3, 17), "FRANCAIS", nullptr,
         Qt::AlignHCenter},
        {"HOBART", "42 53 S", "147 20 E", 10, -(42 + 53 / 60.0), -(147 + 20 / 60.0), QDate(2024, 3, 17), "ANGLAIS",
         nullptr, Qt::AlignHCenter},
        {"NY-ALESUND, KONGSFJORDEN, SVALBARD (NORGE)", "78 56 N", "011 57 E", 1, 78 + 56 / 60.0, -(11 + 57 / 60.0),
         QDate(2024, 6, 21), "FRANCAIS", "Lever     : Soleil toujours levé", Qt::AlignLeft},
        {"NY-ALESUND", "78 56 N", "011 57 E", 1, 78 + 56 / 60.0, -(11 + 57 / 60.0), QDate(2024, 12, 21), "ANGLAIS",
         "Sunrise   : Sun always down", Qt::AlignHCenter},
    };
    for (const PortCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetState();
        state.settings.langue = QString::fromLatin1(c.langue);
        state.dateNames = state.settings.english() ? DateNames::English() : DateNames::French();
        state.port.name = c.name;
        state.port.latitude = c.latitude;
        state.port.longitude = c.longitude;
        state.port.timeZone = c.timeZone;
        state.selectedDay = JulianDay(2024, 3, 13);
        EphemeridesWindow w(state);
        w.datePicker()->setDate(c.date);
        w.show();

        const Language language = state.settings.language();
        const double date = JulianDay(c.date.year(), c.date.month(), c.date.day());
        const astro::SunEphemeris sun = astro::SunriseSunset(c.longitudeDegrees, c.latitudeDegrees, date);
        const astro::EphemerisTexts expected =
            astro::EphemerisTextsOf(sun, astro::MoonAge(date), c.timeZone, TimeReference(0), language);
        EXPECT_EQ(Text(&w, "lever"), QString::fromStdString(expected.sunrise));
        EXPECT_EQ(Text(&w, "coucher"), QString::fromStdString(expected.sunset));
        EXPECT_EQ(Text(&w, "AZL"), QString::fromStdString(expected.sunriseAzimuth));
        EXPECT_EQ(Text(&w, "AZC"), QString::fromStdString(expected.sunsetAzimuth));
        EXPECT_EQ(Text(&w, "LAge"), QString::fromStdString(expected.moonAge));
        EXPECT_EQ(Text(&w, "EtatLune"), QString::fromStdString(expected.moonPhase.value_or("")));
        if (c.sunrise) {
            EXPECT_EQ(Text(&w, "lever"), QString::fromUtf8(c.sunrise));
            EXPECT_TRUE(Text(&w, "AZL").isEmpty());
        } else {
            EXPECT_TRUE(Text(&w, "lever").contains(QRegularExpression(QStringLiteral(": \\d\\d h \\d\\d$"))));
        }
        EXPECT_EQ(w.windowTitle(), QString::fromStdString(astro::EphemerisLabelsOf(language).caption));
        EXPECT_EQ(Text(&w, "Panel1"), state.settings.english() ? QStringLiteral("local time") : QStringLiteral("Heure locale"));
        EXPECT_EQ(Text(&w, "Panel2"), FormatLongDate(QDate(2024, 3, 13), state.dateNames));
        EXPECT_EQ(Text(&w, "Panel3"), QString::fromUtf8(c.name));
        EXPECT_EQ(Child<QLabel>(&w, "Panel3")->alignment() & Qt::AlignHorizontal_Mask, c.portAlignment);
        w.hide();
    }
}

TEST_F(EphemeridesTest, TheMoonIsMirroredSouthOfTheEquator) {
    // Seven days after the new moon: the right half lit from the north, the left from the south.
    for (const char* latitude : {"48 23 N", "42 53 S"}) {
        SCOPED_TRACE(latitude);
        state.port.latitude = latitude;
        EphemeridesWindow w(state);
        w.datePicker()->setDate(QDate(2024, 3, 17));
        w.show();
        ASSERT_GT(w.moonAge(), 5);
        ASSERT_LT(w.moonAge(), 9);
        const QImage moon = Child<QWidget>(&w, "lune")->grab().toImage();
        const bool north = latitude[6] == 'N';
        const QColor right = moon.pixelColor(15, 10);
        const QColor left = moon.pixelColor(4, 10);
        EXPECT_EQ((north ? right : left), QColor(Qt::white));
        EXPECT_NE((north ? left : right), QColor(Qt::white));
        w.hide();
    }
}

TEST_F(EphemeridesTest, PickerLanguageHelpAndOk) {
    state.settings.langue = kFrench;
    state.port.latitude = "48 23 N";
    state.port.longitude = "004 30 W";
    state.port.timeZone = 1;
    std::vector<int> help;
    state.help = [&](int context) { help.push_back(context); };
    EphemeridesWindow w(state);
    EXPECT_EQ(w.datePicker()->date(), QDate(2024, 3, 13)); // today, from the clock
    w.show();
    const QString age = Text(&w, "LAge");
    w.datePicker()->setDate(QDate(2024, 3, 20));
    EXPECT_NE(Text(&w, "LAge"), age); // a new day computes again
    EXPECT_TRUE(Text(&w, "lever").startsWith(QStringLiteral("Lever     : ")));

    // The language of the main window reaches the window at its next activation.
    state.settings.langue = kEnglish;
    w.hide();
    w.show();
    EXPECT_TRUE(Text(&w, "lever").startsWith(QStringLiteral("Sunrise   : ")));
    EXPECT_EQ(Child<QGroupBox>(&w, "groupeLune")->title(), QStringLiteral(" MOON "));

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    EXPECT_EQ(help, std::vector<int>{7});
    QTest::mouseClick(Child<QPushButton>(&w, "HemisphereButton1"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST(TrayToolTip, NamesThePortInSixtyThreeCharacters) {
    const QString longName = QStringLiteral("SAINT-MALO, BASSIN VAUBAN ET ANSE DES SABLONS NORD ET SUD");
    const struct {
        QString name;
        QString langue;
        QString tip;
    } cases[] = {
        {QStringLiteral("BREST"), kFrench, QStringLiteral("Port de BREST")},
        {QStringLiteral("BREST"), kEnglish, QStringLiteral("Port of BREST")},
        {longName, kEnglish, (QStringLiteral("Port of ") + longName).left(63)},
        {QStringLiteral("BREST"), QString(), QString()}, // no language chosen yet
    };
    for (const auto& c : cases) {
        Settings settings;
        settings.langue = c.langue;
        const QString tip = TrayToolTip(c.name, settings);
        EXPECT_EQ(tip, c.tip);
        EXPECT_LE(tip.size(), 63);
    }
}

class TrayIconTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WritePortTable(workDir(), SmallPortList());
        auto s = store();
        s->setValue("langue", kFrench);
        s->setValue("dernier_port", "BREST");
        s->setValue("icone", 1);
    }

    // Places the clock 20 minutes after the selected day's first high water.
    void NowAfterHighWater(double minutes) {
        const DayEvents events = DayTideEvents(state.context(), state.port, state.selectedDay);
        const auto high = std::find_if(events.begin(), events.end(),
                                       [](const TideEvent& e) { return !e.empty() && e.isHighWater(); });
        ASSERT_NE(high, events.end());
        const qint64 seconds = qRound64((high->instant() - state.selectedDay) * 86400 + minutes * 60);
        now = QDateTime(QDate(2024, 3, 13), QTime(0, 0)).addSecs(seconds);
    }
};

TEST_F(TrayIconTest, HiddenProgramShowsTheTideAndAnswersBothClicks) {
    MainWindow w(state, boxes);
    w.show();
    ASSERT_TRUE(WaitFor([&] { return w.windowTitle() == QStringLiteral("Ondrel - v 4.6"); }));
    w.acceptWarning();
    ASSERT_TRUE(w.curveWindow()->isVisible());
    auto* quit = Child<QPushButton>(&w, "BQuitter");
    EXPECT_EQ(quit->text(), QStringLiteral("&Réduire"));
    NowAfterHighWater(20);
    QSignalSpy ended(&w, &MainWindow::quitRequested);

    QTest::mouseClick(quit, Qt::LeftButton);
    TrayIcon* tray = w.trayIcon();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.curveWindow()->isVisible());
    EXPECT_TRUE(tray->timer().isActive());
    EXPECT_EQ(tray->timer().interval(), TrayIcon::kFirstTickMs);
    ASSERT_TRUE(WaitFor([&] { return tray->indicator() && tray->indicator()->isVisible(); }));
    QWidget* indicator = tray->indicator();
    EXPECT_EQ(tray->iconName(), QStringLiteral("PM"));
    EXPECT_EQ(indicator->toolTip(), QStringLiteral("Port de BREST"));
    EXPECT_TRUE(indicator->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(tray->timer().interval(), TrayIcon::kRefreshMs);

    // Right click, No: the icon stays and keeps its timer.
    QTest::mouseClick(indicator, Qt::RightButton);
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown.back().kind, QStringLiteral("yesno"));
    EXPECT_EQ(boxes.shown.back().text, QStringLiteral("Voulez-vous quitter \"Ondrel\" ?"));
    EXPECT_TRUE(indicator->isVisible());
    EXPECT_TRUE(tray->timer().isActive());
    EXPECT_EQ(ended.count(), 0);

    // A later refresh follows the clock: 5 h 50 after high water.
    NowAfterHighWater(5 * 60 + 50);
    tray->refresh();
    EXPECT_EQ(tray->iconName(), QStringLiteral("PM+5"));

    // Left click: the program comes back with its curve, the icon goes.
    QTest::mouseClick(indicator, Qt::LeftButton);
    EXPECT_FALSE(indicator->isVisible());
    EXPECT_FALSE(tray->timer().isActive());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.curveWindow()->isVisible());

    // Hidden again, right click, Yes: the program ends.
    QTest::mouseClick(quit, Qt::LeftButton);
    tray->refresh();
    boxes.answers = {MessageBoxes::Answer::Yes};
    QTest::mouseClick(indicator, Qt::RightButton);
    EXPECT_EQ(ended.count(), 1);
    w.saveSettings();
    EXPECT_FALSE(indicator->isVisible()); // removed when the settings are saved on the way out
    EXPECT_EQ(store()->value("icone").toInt(), 1);
}

TEST_F(TrayIconTest, WithoutTheCheckMarkTheButtonQuits) {
    MainWindow w(state, boxes);
    w.show();
    ASSERT_TRUE(WaitFor([&] { return w.windowTitle() == QStringLiteral("Ondrel - v 4.6"); }));
    w.acceptWarning();
    Child<QAction>(&w, "Icnedanslabarredestcheslarduction1")->trigger();
    auto* quit = Child<QPushButton>(&w, "BQuitter");
    EXPECT_EQ(quit->text(), QStringLiteral("&Quitter"));
    QSignalSpy ended(&w, &MainWindow::quitRequested);
    QTest::mouseClick(quit, Qt::LeftButton);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(w.trayIcon()->timer().isActive());
}

TEST_F(TrayIconTest, EphemeridesButtonShowsTheWindowOfTheCurrentPort) {
    MainWindow w(state, boxes);
    w.show();
    ASSERT_TRUE(WaitFor([&] { return w.windowTitle() == QStringLiteral("Ondrel - v 4.6"); }));
    auto* button = Child<QPushButton>(&w, "BEphemerides");
    EXPECT_FALSE(button->isEnabled()); // until the warning is accepted
    w.acceptWarning();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(w.ephemeridesWindow()->isVisible());
    EXPECT_EQ(w.ephemeridesWindow()->objectName(), QStringLiteral("TFEphemerides"));
    EXPECT_EQ(Text(w.ephemeridesWindow(), "Panel3"), QStringLiteral("BREST"));
    EXPECT_EQ(Text(w.ephemeridesWindow(), "Panel2"), FormatLongDate(QDate(2024, 3, 13), state.dateNames));
    w.ephemeridesWindow()->hide();
}

} // namespace
} // namespace ondrel::test
