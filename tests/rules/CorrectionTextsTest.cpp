// The texts of a secondary port's corrections: the wizard's fields read and written, and the
// summary of its last page.
#include "rules/CorrectionTexts.h"
#include "QStringPrinting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace ondrel::test {
namespace {

TEST(CorrectionTextsTest, EditAndSummaryTexts) {
    struct Case {
        const char* text;
        std::optional<double> hours;
        const char* summary;
    };
    for (const Case& c : {Case{"+1 30", 1.5, "1h30mn"}, Case{"-1 30", -1.5, "-1h30mn"},
                          Case{"-0 30", -0.5, "-0h30mn"}, Case{"+0 12", 0.2, "0h12mn"},
                          Case{"+0 21", 0.35, "0h21mn"}, Case{"+2 00", 2, "2h00mn"},
                          Case{"+   ", std::nullopt, ""}, Case{" 1 3 ", 1.05, "1h03mn"}}) {
        const auto hours = TimeCorrectionOfText(QString::fromLatin1(c.text));
        ASSERT_EQ(hours.has_value(), c.hours.has_value()) << c.text;
        if (!hours) continue;
        EXPECT_NEAR(*hours, *c.hours, 1e-12) << c.text;
        EXPECT_EQ(TimeCorrectionText(*hours), QString::fromLatin1(c.summary)) << c.text;
    }
    struct Edit {
        double value;
        const char* time;
        const char* height;
    };
    for (const Edit& e :
         {Edit{-1.5, "-1 30", "-1,50"}, Edit{0.2, "+0 12", "+0,20"}, Edit{-0.25, "-0 15", "-0,25"},
          Edit{0.999, "+0 60", "+1,00"}, Edit{91.05, "+91 03", "91,05"}}) {
        EXPECT_EQ(TimeCorrectionEditText(e.value), QString::fromLatin1(e.time)) << e.value;
        EXPECT_EQ(HeightCorrectionEditText(e.value, QLatin1Char(',')),
                  QString::fromLatin1(e.height))
            << e.value;
        EXPECT_NEAR(*HeightCorrectionOfText(QString::fromLatin1(e.height), QLatin1Char(',')),
                    std::round(e.value * 100) / 100, 1e-12);
    }
    EXPECT_FALSE(HeightCorrectionOfText(QStringLiteral("+0.50"), QLatin1Char(',')));
    EXPECT_EQ(HeightCorrectionSummary(-1.75, QLatin1Char(',')), QStringLiteral("-1,75 m"));
}

} // namespace
} // namespace ondrel::test
