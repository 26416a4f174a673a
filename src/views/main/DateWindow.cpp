#include "views/main/DateWindow.h"

#include "engine/Julian.h"
#include "rules/DateSteps.h"
#include "state/AppState.h"
#include "texts/Bilingual.h"
#include "texts/DateTimeJulian.h"
#include "views/common/ButtonRow.h"
#include "views/common/Widgets.h"
#include "views/main/DateWindowTexts.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace ondrel {

namespace {

const DateWindowTexts kTexts;

} // namespace

DateWindow::DateWindow(AppState& state, QWidget* parent) : ActivatedWindow(parent), state_(state) {
    setObjectName(QStringLiteral("TFDate"));
    setModal(false);
    // Left through OK (or Escape, which changes nothing): no title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    buildDateField();
    buildCalendar();
    buildDayHeads();
    buildButtons();
    layOut();
    connectControls();
    onActivated();
}

// The chosen day written out in full, in bold; it takes no focus.
void DateWindow::buildDateField() {
    dateField_ = Named(new QLineEdit(this), "DateSel");
    dateField_->setReadOnly(true);
    dateField_->setAlignment(Qt::AlignCenter);
    dateField_->setFocusPolicy(Qt::NoFocus);
    QFont bold = dateField_->font();
    bold.setBold(true);
    dateField_->setFont(bold);
    dateField_->setMinimumWidth(dateField_->fontMetrics().horizontalAdvance(
                                    QStringLiteral("Wednesday, 30 september 2000")) +
                                24);
}

// The month, weeks from Monday, today selected; its column heads are labels of the window.
void DateWindow::buildCalendar() {
    calendar_ = Named(new QCalendarWidget(this), "Calendar1");
    calendar_->setFirstDayOfWeek(Qt::Monday);
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The column heads are the program's own short day names, not the system's.
    calendar_->setHorizontalHeaderFormat(QCalendarWidget::NoHorizontalHeader);
    calendar_->setNavigationBarVisible(false);
    calendar_->setMinimumDate(QDate(kFirstYear, 1, 1)); // the years the predictions hold for
    calendar_->setMaximumDate(QDate(kLastYear, 12, 31));
    calendar_->setSelectedDate(state_.clock().date());
}

// The calendar's column heads, Monday to Sunday, in bold.
void DateWindow::buildDayHeads() {
    for (auto& head : dayHeads_) {
        head = new QLabel(this);
        head->setAlignment(Qt::AlignCenter);
        QFont f = head->font();
        f.setBold(true);
        head->setFont(f);
    }
}

// The year and month steps, reached by Tab only, and OK.
void DateWindow::buildButtons() {
    const auto makeButton = [this](const char* name, const QString& text) {
        QPushButton* b = NamedButton(name, text, this);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    previousYearButton_ = makeButton("AnneePrec", QStringLiteral("An -"));
    previousMonthButton_ = makeButton("MoisPrec", QStringLiteral("Mois -"));
    nextMonthButton_ = makeButton("MoisSuiv", QStringLiteral("Mois +"));
    nextYearButton_ = makeButton("AnneeSuiv", QStringLiteral("An +"));
    for (QPushButton* b : {previousMonthButton_, nextMonthButton_})
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("septembre")) + 24);
    okButton_ = NamedButton("BouttonOK", QStringLiteral("OK"), this);
    okButton_->setDefault(true);
}

// From the top: the day, the steps, the day names over the calendar, OK in the middle.
void DateWindow::layOut() {
    auto* steps = new QHBoxLayout;
    steps->addWidget(previousYearButton_);
    steps->addWidget(previousMonthButton_);
    steps->addStretch(1);
    steps->addWidget(nextMonthButton_);
    steps->addWidget(nextYearButton_);
    auto* heads = new QHBoxLayout;
    heads->setContentsMargins(2, 0, 2, 0);
    heads->setSpacing(0);
    for (QLabel* head : dayHeads_)
        heads->addWidget(head, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dateField_);
    layout->addLayout(steps);
    layout->addLayout(heads);
    layout->addWidget(calendar_, 1);
    layout->addLayout(CentredButtonRow(okButton_));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DateWindow::connectControls() {
    connect(previousYearButton_, &QPushButton::clicked, this, [this] { previousYear(); });
    connect(nextYearButton_, &QPushButton::clicked, this, [this] { nextYear(); });
    connect(previousMonthButton_, &QPushButton::clicked, this, [this] { previousMonth(); });
    connect(nextMonthButton_, &QPushButton::clicked, this, [this] { nextMonth(); });
    connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] { calendarChanged(); });
    // A double click (or Enter) on a day acts as OK.
    connect(calendar_, &QCalendarWidget::activated, this, [this] { confirm(); });
    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
}

void DateWindow::showWorkingDate() {
    const DateNames& names = state_.dateNames;
    dateField_->setText(FormatLongDate(workingDate_, names));
    previousYearButton_->setText(QString::number(workingDate_.year() - 1));
    nextYearButton_->setText(QString::number(workingDate_.year() + 1));
    nextMonthButton_->setText(names.longMonth(workingDate_.month() % 12 + 1));
    previousMonthButton_->setText(names.longMonth((workingDate_.month() + 10) % 12 + 1));
    // Columns run Monday to Sunday.
    for (int column = 0; column < 7; ++column)
        dayHeads_[static_cast<std::size_t>(column)]->setText(
            names.shortDays[static_cast<std::size_t>((column + 1) % 7)]);
}

void DateWindow::setCalendarDate(const QDate& date) {
    if (date.isValid()) calendar_->setSelectedDate(date);
    calendar_->setCurrentPage(calendar_->selectedDate().year(), calendar_->selectedDate().month());
    calendarChanged();
}

void DateWindow::previousMonth() {
    setCalendarDate(StepMonth(calendar_->selectedDate(), -1));
}

void DateWindow::nextMonth() {
    setCalendarDate(StepMonth(calendar_->selectedDate(), +1));
}

void DateWindow::previousYear() {
    setCalendarDate(StepYear(calendar_->selectedDate(), -1));
}

void DateWindow::nextYear() {
    setCalendarDate(StepYear(calendar_->selectedDate(), +1));
}

void DateWindow::calendarChanged() {
    workingDate_ = calendar_->selectedDate();
    showWorkingDate();
}

void DateWindow::onActivated() {
    workingDate_ = calendar_->selectedDate();
    showWorkingDate();
    retranslate();
}

void DateWindow::retranslate() {
    setWindowTitle(kTexts.caption.in(state_.settings.language()));
}

void DateWindow::confirm() {
    hide();
    workingDate_ = calendar_->selectedDate();
    state_.selectedDay = JulianDay(workingDate_.year(), workingDate_.month(), workingDate_.day());

    const double now = JulianDayOf(state_.clock());
    const bool today = now > state_.selectedDay && now - state_.selectedDay < 1;
    emit dateConfirmed(workingDate_, today);
}

void DateWindow::showEvent(QShowEvent* event) {
    onActivated();
    QDialog::showEvent(event);
    calendar_->setFocus();
}

void DateWindow::reject() {
    // Escape leaves the window; the selected day stays as it was.
    hide();
}

} // namespace ondrel
