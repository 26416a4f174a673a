#include "DateWindow.h"

#include "AppState.h"
#include "DateSteps.h"
#include "Julian.h"

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

DateWindow::DateWindow(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("TFDate"));
    setModal(false);
    // Left through OK (or Escape, which changes nothing): no title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    DateSel_ = new QLineEdit(this);
    DateSel_->setObjectName(QStringLiteral("DateSel"));
    DateSel_->setReadOnly(true);
    DateSel_->setAlignment(Qt::AlignCenter);
    DateSel_->setFocusPolicy(Qt::NoFocus);
    QFont bold = DateSel_->font();
    bold.setBold(true);
    DateSel_->setFont(bold);
    DateSel_->setMinimumWidth(DateSel_->fontMetrics().horizontalAdvance(
                                  QStringLiteral("Wednesday, 30 september 2000")) + 24);

    Calendar1_ = new QCalendarWidget(this);
    Calendar1_->setObjectName(QStringLiteral("Calendar1"));
    Calendar1_->setFirstDayOfWeek(Qt::Monday);
    Calendar1_->setGridVisible(true);
    Calendar1_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The column heads are the program's own short day names, not the system's.
    Calendar1_->setHorizontalHeaderFormat(QCalendarWidget::NoHorizontalHeader);
    Calendar1_->setNavigationBarVisible(false);
    Calendar1_->setMinimumDate(QDate(1583, 1, 1));
    Calendar1_->setMaximumDate(QDate(4000, 12, 31));
    Calendar1_->setSelectedDate(state_.clock().date());

    auto* heads = new QHBoxLayout;
    heads->setContentsMargins(2, 0, 2, 0);
    heads->setSpacing(0);
    for (auto& head : dayHeads_) {
        head = new QLabel(this);
        head->setAlignment(Qt::AlignCenter);
        QFont f = head->font();
        f.setBold(true);
        head->setFont(f);
        heads->addWidget(head, 1);
    }

    const auto makeButton = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    AnneePrec_ = makeButton("AnneePrec", QStringLiteral("An -"));
    MoisPrec_ = makeButton("MoisPrec", QStringLiteral("Mois -"));
    MoisSuiv_ = makeButton("MoisSuiv", QStringLiteral("Mois +"));
    AnneeSuiv_ = makeButton("AnneeSuiv", QStringLiteral("An +"));
    for (QPushButton* b : {MoisPrec_, MoisSuiv_})
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("septembre")) + 24);
    BouttonOK_ = new QPushButton(QStringLiteral("OK"), this);
    BouttonOK_->setObjectName(QStringLiteral("BouttonOK"));
    BouttonOK_->setDefault(true);

    auto* steps = new QHBoxLayout;
    steps->addWidget(AnneePrec_);
    steps->addWidget(MoisPrec_);
    steps->addStretch(1);
    steps->addWidget(MoisSuiv_);
    steps->addWidget(AnneeSuiv_);
    auto* ok = new QHBoxLayout;
    ok->addStretch(1);
    ok->addWidget(BouttonOK_);
    ok->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DateSel_);
    layout->addLayout(steps);
    layout->addLayout(heads);
    layout->addWidget(Calendar1_, 1);
    layout->addLayout(ok);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(AnneePrec_, &QPushButton::clicked, this, [this] { AnneePrecClick(); });
    connect(AnneeSuiv_, &QPushButton::clicked, this, [this] { AnneeSuivClick(); });
    connect(MoisPrec_, &QPushButton::clicked, this, [this] { MoisPrecClick(); });
    connect(MoisSuiv_, &QPushButton::clicked, this, [this] { MoisSuivClick(); });
    connect(Calendar1_, &QCalendarWidget::selectionChanged, this, [this] { Calendar1Change(); });
    // A double click (or Enter) on a day acts as OK.
    connect(Calendar1_, &QCalendarWidget::activated, this, [this] { BouttonOKClick(); });
    connect(BouttonOK_, &QPushButton::clicked, this, [this] { BouttonOKClick(); });

    FormActivate();
}

void DateWindow::affichage() {
    const DateNames& names = state_.dateNames;
    DateSel_->setText(FormatLongDate(workingDate_, names));
    AnneePrec_->setText(QString::number(workingDate_.year() - 1));
    AnneeSuiv_->setText(QString::number(workingDate_.year() + 1));
    MoisSuiv_->setText(names.longMonth(workingDate_.month() % 12 + 1));
    MoisPrec_->setText(names.longMonth((workingDate_.month() + 10) % 12 + 1));
    // Columns run Monday to Sunday.
    for (int column = 0; column < 7; ++column)
        dayHeads_[static_cast<std::size_t>(column)]->setText(names.shortDays[static_cast<std::size_t>((column + 1) % 7)]);
}

void DateWindow::setCalendarDate(const QDate& date) {
    if (date.isValid()) Calendar1_->setSelectedDate(date);
    Calendar1_->setCurrentPage(Calendar1_->selectedDate().year(), Calendar1_->selectedDate().month());
    Calendar1Change();
}

void DateWindow::MoisPrecClick() {
    setCalendarDate(StepMonth(Calendar1_->selectedDate(), -1));
}

void DateWindow::MoisSuivClick() {
    setCalendarDate(StepMonth(Calendar1_->selectedDate(), +1));
}

void DateWindow::AnneePrecClick() {
    setCalendarDate(StepYear(Calendar1_->selectedDate(), -1));
}

void DateWindow::AnneeSuivClick() {
    setCalendarDate(StepYear(Calendar1_->selectedDate(), +1));
}

void DateWindow::Calendar1Change() {
    workingDate_ = Calendar1_->selectedDate();
    affichage();
}

void DateWindow::FormActivate() {
    workingDate_ = Calendar1_->selectedDate();
    affichage();
    setWindowTitle(state_.settings.english() ? QStringLiteral("Selection of the Date")
                                             : QStringLiteral("Saisie de la date"));
}

void DateWindow::BouttonOKClick() {
    hide();
    workingDate_ = Calendar1_->selectedDate();
    state_.selectedDay = JulianDay(workingDate_.year(), workingDate_.month(), workingDate_.day());

    const QDateTime now = state_.clock();
    const auto nowJulian = JulianDayOfText(
        now.toString(QStringLiteral("dd MM yyyy hh:mm:ss")).toStdString());
    const bool today = nowJulian && *nowJulian > state_.selectedDay &&
                       *nowJulian - state_.selectedDay < 1;
    emit dateConfirmed(workingDate_, today);
}

void DateWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QDialog::changeEvent(event);
}

void DateWindow::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
    Calendar1_->setFocus();
}

void DateWindow::reject() {
    // Escape leaves the window; the selected day stays as it was.
    hide();
}

} // namespace ondrel
