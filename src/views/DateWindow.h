// DateWindow: the date window. A month calendar whose weeks start on Monday, year and month steps,
// the chosen day written out in full, and OK, which makes the day the selected day.
#pragma once

#include <QDate>
#include <QDialog>

#include <array>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ondrel {

struct AppState;

class DateWindow : public QDialog {
    Q_OBJECT
public:
    explicit DateWindow(AppState& state, QWidget* parent = nullptr);

    QDate workingDate() const { return workingDate_; }
    QCalendarWidget* calendar() const { return calendar_; }

    void showWorkingDate();
    void previousMonth();
    void nextMonth();
    void previousYear();
    void nextYear();
    void calendarChanged();
    void onActivated();
    void confirm();

signals:
    // OK: SelectedDay holds the chosen day; the main window refreshes what depends on it.
    // isToday: the chosen day is today, the only day on which the curve's position indicator
    // may run.
    void dateConfirmed(const QDate& date, bool isToday);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    // Sets every text in the language of the settings.
    void retranslate();
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
