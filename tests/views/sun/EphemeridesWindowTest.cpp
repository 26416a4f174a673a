// The ephemerides window: sun and moon of the chosen day at the port, in its time reference and
// language.
#include "GuiTestSupport.h"

#include "astro/Ephemerides.h"
#include "astro/EphemerisTexts.h"
#include "engine/Julian.h"
#include "engine/LegalTime.h"
#include "ports/PortTimeZone.h"
#include "texts/DateNames.h"
#include "views/sun/EphemeridesWindow.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cstring>

namespace ondrel::test {
namespace {

QString Text(QObject* parent, const char* name) {
    auto* label = parent->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

class EphemeridesTest : public GuiTest {};

TEST_F(EphemeridesTest, NorthernSouthernAndPolarPorts) {
    const struct {
        const char* name;
        const char* latitude;
        const char* longitude;
        double timeZone, north, west; // the position in degrees, north and west positive
        QDate date;
        const char* langue;
        const char* sunrise; // the polar text, or nullptr where the sun rises and sets
        char litSide;        // of the moon picture: 'R', 'L', or 0 not looked at
    } cases[] = {
        {"BREST", "48 23 N", "004 30 W", 1, 48 + 23 / 60.0, 4.5, QDate(2024, 3, 17), "FRANCAIS",
         nullptr, 'R'},
        {"HOBART", "42 53 S", "147 20 E", 10, -(42 + 53 / 60.0), -(147 + 20 / 60.0),
         QDate(2024, 3, 17), "ANGLAIS", nullptr, 'L'},
        {"NY-ALESUND, KONGSFJORDEN, SVALBARD (NORGE)", "78 56 N", "011 57 E", 1, 78 + 56 / 60.0,
         -(11 + 57 / 60.0), QDate(2024, 6, 21), "FRANCAIS", "Lever     : Soleil toujours levé", 0},
        {"NY-ALESUND", "78 56 N", "011 57 E", 1, 78 + 56 / 60.0, -(11 + 57 / 60.0),
         QDate(2024, 12, 21), "ANGLAIS", "Sunrise   : Sun always down", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetState();
        state.settings.chosenLanguage = LanguageOf(QString::fromLatin1(c.langue));
        state.dateNames = DateNames::Of(state.settings.language());
        state.port.name = c.name;
        state.port.latitude = c.latitude;
        state.port.longitude = c.longitude;
        state.port.timeZone = c.timeZone;
        // Opened, the window shows the main window's day.
        state.selectedDay = JulianDay(c.date.year(), c.date.month(), c.date.day());
        EphemeridesWindow w(state);
        w.show();
        EXPECT_EQ(w.datePicker()->date(), c.date);

        // The astro texts of the port's position, in its time zone.
        const double date = JulianDay(c.date.year(), c.date.month(), c.date.day());
        const astro::EphemerisTexts expected = astro::EphemerisTextsOf(
            astro::SunriseSunset(c.west, c.north, date), astro::MoonAt(date), c.timeZone,
            TimeReference(0), state.settings.language());
        const std::pair<const char*, std::string> labels[] = {
            {"lever", expected.sunrise},       {"coucher", expected.sunset},
            {"AZL", expected.sunriseAzimuth},  {"AZC", expected.sunsetAzimuth},
            {"LAge", expected.moonAge},        {"EtatLune", expected.moonPhase.value_or("")},
            {"Panel1", expected.timeReference}};
        for (const auto& [name, text] : labels)
            EXPECT_EQ(Text(&w, name), QString::fromStdString(text)) << name;
        if (c.sunrise) {
            EXPECT_EQ(Text(&w, "lever"), QString::fromUtf8(c.sunrise));
        }
        EXPECT_EQ(Text(&w, "Panel2"), FormatLongDate(c.date, state.dateNames));
        EXPECT_EQ(Text(&w, "Panel3"), QString::fromUtf8(c.name));
        // Names of 40 characters or more are left-aligned.
        const bool longName = std::strlen(c.name) >= 40;
        EXPECT_EQ(w.findChild<QLabel*>("Panel3")->alignment() & Qt::AlignHorizontal_Mask,
                  longName ? Qt::AlignLeft : Qt::AlignHCenter);
        if (c.litSide) {
            // A week after the new moon: the right half lit from the north, the left from the
            // south.
            const QImage moon = w.findChild<QWidget*>("lune")->grab().toImage();
            const QColor white(Qt::white);
            EXPECT_EQ(moon.pixelColor(c.litSide == 'R' ? 15 : 4, 10), white);
            EXPECT_NE(moon.pixelColor(c.litSide == 'R' ? 4 : 15, 10), white);
        }
    }
}

TEST_F(EphemeridesTest, TheLegalTimeReadsTheOffsetInForceThatDay) {
    const struct {
        const char* zone;
        const char* latitude;
        const char* longitude;
        double timeZone; // the port's standard time
        QDate date;
        int fixedCode; // the fixed reference of the offset in force that day
    } cases[] = {
        {"Europe/Paris", "48 23 N", "004 30 W", 1, QDate(2026, 7, 1), 2},
        {"Europe/Paris", "48 23 N", "004 30 W", 1, QDate(2026, 1, 15), 1},
        {"Australia/Hobart", "42 53 S", "147 20 E", 10, QDate(2026, 1, 15), 111},
        {"Australia/Hobart", "42 53 S", "147 20 E", 10, QDate(2026, 7, 1), 110},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.date.toString().toStdString());
        ResetState();
        state.settings.chosenLanguage = Language::French;
        state.port.name = "PORT";
        state.port.latitude = c.latitude;
        state.port.longitude = c.longitude;
        state.port.timeZone = c.timeZone;
        state.legalZone = SystemZone(QString::fromLatin1(c.zone), Language::French);
        ASSERT_NE(state.legalZone, nullptr);
        state.selectedDay = JulianDay(c.date.year(), c.date.month(), c.date.day());
        const auto shown = [&](TimeReference reference) {
            state.settings.timeReference = reference;
            EphemeridesWindow w(state);
            w.datePicker()->setDate(c.date);
            w.show();
            return std::pair(Text(&w, "lever"), Text(&w, "coucher"));
        };
        const auto fixed = shown(TimeReference(c.fixedCode));
        EXPECT_EQ(shown(TimeReference::PortLegal()), fixed);
        // The case tells the offsets apart: the standard time reads otherwise in summer.
        if (c.fixedCode % 100 != static_cast<int>(c.timeZone)) {
            EXPECT_NE(shown(TimeReference(0)), fixed);
        }
    }
}

TEST_F(EphemeridesTest, PickerLanguageHelpAndOk) {
    state.settings.chosenLanguage = Language::French;
    state.port.latitude = "48 23 N";
    std::vector<int> help;
    state.help = [&](int context) { help.push_back(context); };
    EphemeridesWindow w(state);
    EXPECT_EQ(w.datePicker()->date(), QDate(2024, 3, 13)); // today, from the clock
    w.show();
    const QString age = Text(&w, "LAge");
    w.datePicker()->setDate(QDate(2024, 3, 20));
    EXPECT_NE(Text(&w, "LAge"), age);
    // A language switch reaches the window at its next activation.
    state.settings.chosenLanguage = Language::English;
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(Text(&w, "lever").startsWith(QStringLiteral("Sunrise   : ")));
    QTest::keyClick(&w, Qt::Key_F1);
    EXPECT_EQ(help, std::vector<int>{7});
    // Another port and day in the main window: the open window follows, the picker with it.
    const QString before = Text(&w, "lever");
    state.port.name = "HOBART";
    state.port.latitude = "42 53 S";
    state.port.longitude = "147 20 E";
    state.selectedDay = JulianDay(2024, 7, 1);
    w.followMainWindow();
    EXPECT_EQ(w.datePicker()->date(), QDate(2024, 7, 1));
    EXPECT_EQ(Text(&w, "Panel3"), QStringLiteral("HOBART"));
    EXPECT_NE(Text(&w, "lever"), before);
    QTest::mouseClick(w.findChild<QPushButton*>("HemisphereButton1"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

} // namespace
} // namespace ondrel::test
