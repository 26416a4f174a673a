// Reading the fields of dBase records: the blanks that pad them, and the numbers they hold.
// Numbers are written with digits, an optional sign ('+' too) and, for a fraction, '.' and an
// optional exponent; the whole text must be the number.
#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QtGlobal>

#include <string_view>

namespace ondrel {

// A field's bytes without the blanks (and NULs) that pad it, at both ends or at the right only.
QByteArrayView Trimmed(QByteArrayView v);
QByteArrayView TrimmedRight(QByteArrayView v);

// A blank numeric field, or one filled with '*' (the null value some writers use).
bool IsNullNumber(QByteArrayView v);

std::string_view View(QByteArrayView v);

// The whole text as an integer or as a finite real.
bool ParseWhole(std::string_view s, qint64& value);
bool ParseDecimal(std::string_view s, double& value);

// A number written with '.' (file) or the given decimal separator (user text), blanks around.
bool ParseNumber(QString text, QChar decimal, double& value);

} // namespace ondrel
