// The month and year steps of the date window.
#pragma once

#include <QDate>

namespace ondrel {

// One month back (delta -1) or forward (+1). A day after the 28th becomes the 28th first, in
// every month, so that the step always lands on a valid date: 31 January + 1 month = 28 February.
QDate StepMonth(const QDate& date, int delta);
// One year back or forward with the same month and day; 29 February becomes 28 February in a
// common year.
QDate StepYear(const QDate& date, int delta);

} // namespace ondrel
