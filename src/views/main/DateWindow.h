// DateWindow: the date window. A month calendar whose weeks start on Monday, year and month steps,
// the chosen day written out in full, and OK, which makes the day the selected day.
#pragma once

#include "views/common/WindowContract.h"

#include <QDate>
#include <QDialog>

#include <array>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ondrel {

struct AppState;

class DateWindow : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    explicit DateWindow(AppState& state, QWidget* parent = nullptr);
    void retranslate() override;

    QDate workingDate() const { return workingDate_; }
    QCalendarWidget* calendar() const { return calendar_; }

    void showWorkingDate();
    void previousMonth();
    void nextMonth();
    void previousYear();
    void nextYear();
    void calendarChanged();
    void onActivated() override;
    void confirm();

signals:
    // OK: SelectedDay holds the chosen day; the main window refreshes what depends on it.
    // isToday: the chosen day is today, the only day on which the curve's position indicator
    // may run.
    void dateConfirmed(const QDate& date, bool isToday);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void buildDateField();
    void buildCalendar();
    void buildDayHeads();
    void buildButtons();
    void layOut();
    void connectControls();
    void setCalendarDate(const QDate& date);

    AppState& state_;
    QDate workingDate_;
    QLineEdit* dateField_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
    std::array<QLabel*, 7> dayHeads_{};
    QPushButton* previousYearButton_ = nullptr;
    QPushButton* nextYearButton_ = nullptr;
    QPushButton* previousMonthButton_ = nullptr;
    QPushButton* nextMonthButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace ondrel
