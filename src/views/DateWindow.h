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
    QCalendarWidget* calendar() const { return Calendar1_; }

    void affichage();
    void MoisPrecClick();
    void MoisSuivClick();
    void AnneePrecClick();
    void AnneeSuivClick();
    void Calendar1Change();
    void FormActivate();
    void BouttonOKClick();

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
    void setCalendarDate(const QDate& date);

    AppState& state_;
    QDate workingDate_;
    QLineEdit* DateSel_ = nullptr;
    QCalendarWidget* Calendar1_ = nullptr;
    std::array<QLabel*, 7> dayHeads_{};
    QPushButton* AnneePrec_ = nullptr;
    QPushButton* AnneeSuiv_ = nullptr;
    QPushButton* MoisPrec_ = nullptr;
    QPushButton* MoisSuiv_ = nullptr;
    QPushButton* BouttonOK_ = nullptr;
};

} // namespace ondrel
