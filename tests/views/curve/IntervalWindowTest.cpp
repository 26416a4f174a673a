// The interval window: its fields and their masks, the points it puts on the curve and its
// messages (the search itself: tests/rules/IntervalSearchTest.cpp).
#include "views/curve/IntervalWindow.h"
#include "ViewsTestSupport.h"
#include "rules/IntervalSearch.h"
#include "views/curve/CurveWindow.h"

#include <QLineEdit>
#include <QLineSeries>
#include <QRadioButton>

#include <cmath>

namespace ondrel::test {
namespace {

class IntervalWindowTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        curve = std::make_unique<CurveWindow>(state, messages);
        curve->drawDayCurve(state.selectedDay, state.selectedDay + 1);
        window = std::make_unique<ondrel::IntervalWindow>(state, messages, *curve);
        window->show();
    }
    void TearDown() override {
        window.reset();
        curve.reset();
    }
    static QString Masked(double value) {
        const long long hundredths = std::llround(value * 100);
        return QStringLiteral("%1,%2 m")
            .arg(hundredths / 100, 2, 10, QLatin1Char('0'))
            .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    }
    std::unique_ptr<CurveWindow> curve;
    std::unique_ptr<ondrel::IntervalWindow> window;
};

TEST_F(IntervalWindowTest, TargetAboveTheHighestWaterFindsNothing) {
    double highest = -1e9;
    for (double t = state.selectedDay; t < state.selectedDay + 1; t += 1.0 / 2880)
        highest = std::max(highest, curve->heightAt(t));
    const double now = curve->heightAt(JulianDayOfText("12 03 2024 10:17:23").value());
    window->sounderField()->setText(Masked(now));
    window->wantedHeightField()->setText(Masked(highest + 0.5));
    window->confirm();
    EXPECT_EQ(curve->chart()->intervalSeries()->count(), 0);
    EXPECT_EQ(messages.shown,
              QStringList({"Impossible de trouver un tel intervalle sur la journée"}));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(IntervalWindowTest, EqualReadingFindsThePresentInstant) {
    const double now = JulianDayOfText("12 03 2024 10:17:23").value();
    const QString reading = Masked(curve->heightAt(now));
    window->sounderField()->setText(reading);
    window->wantedHeightField()->setText(reading);
    window->confirm();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
    const QList<QPointF> points = curve->chart()->intervalSeries()->points();
    ASSERT_FALSE(points.isEmpty());
    bool present = false;
    for (const QPointF& p : points) {
        const double t = p.x() + kDateTimeOrigin;
        EXPECT_NEAR(p.y(), curve->heightAt(now), 1e-9); // the target is today's predicted height
        EXPECT_LT(std::abs(curve->heightAt(t) - p.y()), 0.01);
        if (t <= now + 1e-9 && now - t < 1.0 / 24) present = true;
    }
    EXPECT_TRUE(present);
    // The texts were stored.
    const auto store = state.settingsStore.open();
    EXPECT_EQ(store->value("H_sondeur").toString(), window->sounderField()->text());
    EXPECT_EQ(store->value("H_souhait").toString(), window->wantedHeightField()->text());
}

TEST_F(IntervalWindowTest, RecordedReadingUsesItsTimeOfTheSelectedDay) {
    window->recordedHeightButton()->click();
    EXPECT_TRUE(window->readingTimeField()->isEnabled());
    window->readingTimeField()->setText("00:00");
    const QString reading = Masked(curve->heightAt(state.selectedDay));
    window->sounderField()->setText(reading);
    window->wantedHeightField()->setText(reading);
    window->confirm();
    const QList<QPointF> points = curve->chart()->intervalSeries()->points();
    ASSERT_FALSE(points.isEmpty());
    EXPECT_DOUBLE_EQ(points.front().x() + kDateTimeOrigin, state.selectedDay);
}

TEST_F(IntervalWindowTest, IncompleteFieldSaysSoAndSearchesNothing) {
    // The search stops at the first incomplete field, after the window has been hidden and the
    // texts stored.
    struct Case {
        const char* reading;
        bool recorded;
        const char* time;
        const char* wanted;
        const char* field; // named in the message
    };
    const Case cases[] = {
        {"1", false, "12:00", "12,00 m", "Entrez la hauteur lue au sondeur"},
        {"10,50 m", true, "1", "12,00 m", "Hauteur observée à :"},
        {"10,50 m", false, "1", "1", "Hauteur désirée"},
        {"1", true, "1", "1", "Entrez la hauteur lue au sondeur"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        window->show();
        (c.recorded ? window->recordedHeightButton() : window->currentHeightButton())->click();
        window->sounderField()->setText(c.reading);
        window->readingTimeField()->setText(c.time);
        window->wantedHeightField()->setText(c.wanted);
        const QString reading = window->sounderField()->text(),
                      time = window->readingTimeField()->text(),
                      wanted = window->wantedHeightField()->text();
        window->confirm();
        ASSERT_EQ(messages.shown.size(), 1) << c.field;
        EXPECT_TRUE(messages.shown.front().contains("incomplet"))
            << messages.shown.front().toStdString();
        EXPECT_TRUE(messages.shown.front().contains(QString::fromUtf8(c.field)))
            << messages.shown.front().toStdString();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(curve->chart()->intervalSeries()->count(), 0);
        const auto store = state.settingsStore.open();
        EXPECT_EQ(store->value("H_sondeur").toString(), reading);
        EXPECT_EQ(store->value("Heure_enregistree").toString(), time);
        EXPECT_EQ(store->value("H_souhait").toString(), wanted);
    }
}

TEST(IntervalFieldTexts, SeparatorFollowsTheLanguageAndLetterTheUnit) {
    struct Case {
        Language language;
        bool feet;
        const char* mask;
        const char* reading;
        const char* wanted;
    };
    const Case cases[] = {
        {Language::French, false, "99,99 m;_", "10,50 m", "12,00 m"},
        {Language::French, true, "99,99 f;_", "10,50 f", "12,00 f"},
        {Language::English, false, "99.99 m;_", "10.50 m", "25.00 m"},
        {Language::English, true, "99.99 f;_", "10.50 f", "25.00 f"},
    };
    for (const Case& c : cases) {
        const std::string what =
            std::string(c.language == Language::English ? "English" : "French") +
            (c.feet ? ", feet" : ", metres");
        EXPECT_EQ(HeightInputMask(c.language, c.feet), QString::fromUtf8(c.mask)) << what;
        EXPECT_EQ(ReadingFieldText(c.language, c.feet), QString::fromUtf8(c.reading)) << what;
        EXPECT_EQ(WantedFieldText(c.language, c.feet), QString::fromUtf8(c.wanted)) << what;
        // The first values fit their own mask.
        QLineEdit field;
        field.setInputMask(HeightInputMask(c.language, c.feet));
        field.setText(ReadingFieldText(c.language, c.feet));
        EXPECT_EQ(ReadMaskedHeight(field.text()), 10.5) << what;
    }
}

TEST_F(IntervalWindowTest, FieldsFollowLanguageAndUnit) {
    state.settings.chosenLanguage = Language::English;
    state.settings.heightUnit = HeightUnit::Feet;
    window->hide();
    window->show();
    EXPECT_EQ(window->windowTitle(), "Calculation of an interval");
    // Nothing stored yet: the fields are empty, and any text follows the "00.00 f" mask.
    EXPECT_EQ(ReadMaskedHeight(window->sounderField()->text()), std::nullopt);
    window->sounderField()->setText("10.50 f");
    EXPECT_EQ(window->sounderField()->text(), "10.50 f");
}

} // namespace
} // namespace ondrel::test
