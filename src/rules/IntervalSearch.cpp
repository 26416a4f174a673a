#include "rules/IntervalSearch.h"

#include "rules/FieldTexts.h"
#include "texts/Bilingual.h"

#include <cmath>

namespace ondrel {

namespace {

std::optional<int> TwoDigits(const QString& text, qsizetype at) {
    if (text.size() < at + 2) return std::nullopt;
    const QChar a = text[at], b = text[at + 1];
    if (!a.isDigit() || !b.isDigit()) return std::nullopt;
    return a.digitValue() * 10 + b.digitValue();
}

} // namespace

std::optional<double> ReadMaskedHeight(const QString& text) {
    const auto whole = TwoDigits(text, 0);
    const auto hundredths = TwoDigits(text, 3);
    if (!whole || !hundredths) return std::nullopt;
    return *whole + *hundredths / 100.0;
}

std::optional<double> ReadMaskedTime(const QString& text) {
    // The mask lets the first hour digit be left blank: " 9:30".
    QString t = text;
    if (!t.isEmpty() && t[0] == QLatin1Char(' ')) t[0] = QLatin1Char('0');
    const auto hours = TwoDigits(t, 0);
    const auto minutes = TwoDigits(t, 3);
    if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
    return (*hours + *minutes / 60.0) / 24.0;
}

std::vector<double> SearchInterval(const std::function<double(double)>& height, double selectedDay,
                                   double target, double days) {
    // Counted in whole 30-second steps, so that rounding never lets 24:00 (the next day) in.
    constexpr int kStepsPerDay = 2880;
    constexpr int kSkipSteps = 120;
    const auto steps = static_cast<int>(std::lround(days * kStepsPerDay));
    std::vector<double> found;
    for (int k = 0; k < steps;) {
        const double t = selectedDay + k * kIntervalSearchStep;
        if (std::abs(height(t) - target) < 0.01) {
            found.push_back(t);
            k += kSkipSteps;
        } else {
            ++k;
        }
    }
    return found;
}

namespace {

const FieldTexts kTexts;

QChar UnitLetter(bool feet) {
    return feet ? QLatin1Char('f') : QLatin1Char('m');
}

} // namespace

QString HeightInputMask(Language language, bool feet) {
    // Every digit is required (Qt's "9"); the separator and the unit letter are literals.
    return QStringLiteral("99") + kTexts.separator.in(language) + QStringLiteral("99 ") +
           UnitLetter(feet) + QStringLiteral(";_");
}

QString ReadingFieldText(Language language, bool feet) {
    return QStringLiteral("10") + kTexts.separator.in(language) + QStringLiteral("50 ") +
           UnitLetter(feet);
}

QString WantedFieldText(Language language, bool feet) {
    return kTexts.wanted.in(language) + UnitLetter(feet);
}

} // namespace ondrel
