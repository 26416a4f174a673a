// The date window: the steps through its buttons, the captions, OK and the position indicator
// (what it changes in the main window: tests/app/MainWindowRefreshTest.cpp).
#include "GuiTestSupport.h"

#include "engine/Julian.h"
#include "views/main/DateWindow.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace ondrel::test {
namespace {

class DateWindowTest : public GuiTest {
protected:
    QPushButton* button(QWidget& w, const char* name) {
        return w.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString text(QWidget& w, const char* name) {
        return w.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    }
};

TEST_F(DateWindowTest, ButtonsStepAndCaptionsFollow) {
    state.settings.chosenLanguage = Language::French;
    DateWindow w(state);
    w.show();
    struct Step {
        QDate from;
        const char* button;
        QDate to;
        const char* shown;
        const char* previousMonth;
        const char* nextMonth;
    };
    for (const Step& s : {Step{QDate(2024, 1, 31), "MoisSuiv", QDate(2024, 2, 28),
                               "Mercredi, 28 février 2024", "janvier", "mars"},
                          Step{QDate(2024, 1, 5), "MoisPrec", QDate(2023, 12, 5),
                               "Mardi, 5 décembre 2023", "novembre", "janvier"},
                          Step{QDate(2023, 12, 31), "MoisSuiv", QDate(2024, 1, 28),
                               "Dimanche, 28 janvier 2024", "décembre", "février"},
                          Step{QDate(2024, 2, 29), "AnneeSuiv", QDate(2025, 2, 28),
                               "Vendredi, 28 février 2025", "janvier", "mars"},
                          Step{QDate(2024, 2, 29), "AnneePrec", QDate(2023, 2, 28),
                               "Mardi, 28 février 2023", "janvier", "mars"}}) {
        w.calendar()->setSelectedDate(s.from);
        QTest::mouseClick(button(w, s.button), Qt::LeftButton);
        EXPECT_EQ(w.calendar()->selectedDate(), s.to) << s.button;
        EXPECT_EQ(w.workingDate(), s.to);
        EXPECT_EQ(text(w, "DateSel"), QString::fromUtf8(s.shown));
        EXPECT_EQ(button(w, "AnneePrec")->text(), QString::number(s.to.year() - 1));
        EXPECT_EQ(button(w, "AnneeSuiv")->text(), QString::number(s.to.year() + 1));
        EXPECT_EQ(button(w, "MoisPrec")->text(), QString::fromUtf8(s.previousMonth));
        EXPECT_EQ(button(w, "MoisSuiv")->text(), QString::fromUtf8(s.nextMonth));
        // The calendar shows the month of the date.
        EXPECT_EQ(w.calendar()->monthShown(), s.to.month());
    }
    EXPECT_EQ(w.calendar()->firstDayOfWeek(), Qt::Monday);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Saisie de la date"));
}

TEST_F(DateWindowTest, OkOnTodayAllowsThePositionIndicator) {
    DateWindow w(state);
    QSignalSpy confirmed(&w, &DateWindow::dateConfirmed);
    w.show();
    EXPECT_EQ(w.calendar()->selectedDate(), now.date()); // starts on today
    QTest::keyClick(w.findChild<QPushButton*>(QStringLiteral("BouttonOK")), Qt::Key_Space);
    ASSERT_EQ(confirmed.count(), 1);
    EXPECT_TRUE(confirmed.at(0).at(1).toBool());
    EXPECT_EQ(state.selectedDay, JulianDay(2024, 3, 13));
    EXPECT_FALSE(w.isVisible());

    w.show();
    w.calendar()->setSelectedDate(QDate(2024, 3, 14));
    emit w.calendar()->activated(QDate(2024, 3, 14)); // a double click on the day
    ASSERT_EQ(confirmed.count(), 2);
    EXPECT_FALSE(confirmed.at(1).at(1).toBool());
    EXPECT_EQ(state.selectedDay, JulianDay(2024, 3, 14));
}

TEST_F(DateWindowTest, EscapeChangesNothing) {
    DateWindow w(state);
    state.selectedDay = 42;
    w.show();
    w.calendar()->setSelectedDate(QDate(2020, 1, 1));
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(state.selectedDay, 42);
}

} // namespace
} // namespace ondrel::test
