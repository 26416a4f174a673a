// Stored settings: defaults, fallbacks group by group, the first-start values and the save list.
#include "SettingsStoreTest.h"

#include "state/CurveWindowSettings.h"
#include "state/PageSetup.h"
#include "state/Settings.h"
#include "state/StoredValue.h"

#include <QSettings>

namespace ondrel::test {
namespace {

using Values = std::vector<std::pair<QString, QVariant>>;

class SettingsFallbackTest : public SettingsStoreTest {
protected:
    Settings LoadWith(const Values& values) {
        auto s = store();
        s->clear();
        for (const auto& [name, value] : values)
            s->setValue(name, value);
        s->sync();
        return LoadSettings(*store());
    }
};

TEST_F(SettingsFallbackTest, NoMainKeyGivesEveryDefault) {
    const Settings s = LoadSettings(*store());
    const Settings defaults;
    EXPECT_FALSE(s.chosenLanguage);
    EXPECT_EQ(s.backgroundColour, kDefaultBackgroundColour);
    EXPECT_EQ(s.curveColour, kDefaultLineColour);
    EXPECT_EQ(s.timeReference, TimeReference(0));
    EXPECT_EQ(s.heightUnit, HeightUnit::Metres);
    EXPECT_EQ(s.curveStart, 0.0);
    EXPECT_EQ(s.curveEnd, 1.0);
    EXPECT_EQ(s.printFontSize, 8);
    EXPECT_FALSE(s.bounds.has_value());
    EXPECT_FALSE(s.hideOnQuit);
    for (int n = 1; n <= kCountryCount; ++n)
        EXPECT_TRUE(s.countrySelected[n]) << n;
}

struct ColourCase {
    const char* label;
    Values stored;
    quint32 fond;
    quint32 trace;
};

class ColourGroupTest : public SettingsFallbackTest,
                        public ::testing::WithParamInterface<ColourCase> {};

TEST_P(ColourGroupTest, BothColoursFallBackTogether) {
    const Settings s = LoadWith(GetParam().stored);
    EXPECT_EQ(s.backgroundColour, GetParam().fond);
    EXPECT_EQ(s.curveColour, GetParam().trace);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ColourGroupTest,
    ::testing::Values(
        ColourCase{"BothStored", {{"couleur_fond", 123456}, {"couleur_trace", 654}}, 123456, 654},
        ColourCase{"BackgroundZeroResetsBoth",
                   {{"couleur_fond", 0}, {"couleur_trace", 654}},
                   kDefaultBackgroundColour,
                   kDefaultLineColour},
        ColourCase{"LineMissing",
                   {{"couleur_fond", 123456}},
                   kDefaultBackgroundColour,
                   kDefaultLineColour},
        ColourCase{"BackgroundUnreadable",
                   {{"couleur_fond", "blue"}, {"couleur_trace", 654}},
                   kDefaultBackgroundColour,
                   kDefaultLineColour}),
    [](const auto& info) { return std::string(info.param.label); });

struct HoursCase {
    const char* label;
    Values stored;
    double debut;
    double fin;
};

class HoursGroupTest : public SettingsFallbackTest,
                       public ::testing::WithParamInterface<HoursCase> {};

TEST_P(HoursGroupTest, BothHoursFallBackTogether) {
    const Settings s = LoadWith(GetParam().stored);
    EXPECT_DOUBLE_EQ(s.curveStart, GetParam().debut);
    EXPECT_DOUBLE_EQ(s.curveEnd, GetParam().fin);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, HoursGroupTest,
    ::testing::Values(
        HoursCase{"BothStored", {{"heure_debut", 0.25}, {"heure_fin", 0.75}}, 0.25, 0.75},
        HoursCase{"EndMissing", {{"heure_debut", 0.25}}, 0.0, 1.0},
        HoursCase{"StartUnreadable", {{"heure_debut", "x"}, {"heure_fin", 0.75}}, 0.0, 1.0},
        HoursCase{"StartAfterEnd", {{"heure_debut", 0.8}, {"heure_fin", 0.5}}, 0.0, 1.0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(SettingsFallbackTest, WindowBoundsNeedAllFour) {
    EXPECT_FALSE(LoadWith({{"P_top", 10}, {"P_left", 20}, {"P_width", 500}}).bounds.has_value());
    const Settings s =
        LoadWith({{"P_top", 10}, {"P_left", 20}, {"P_width", 500}, {"P_height", 400}});
    ASSERT_TRUE(s.bounds.has_value());
    EXPECT_EQ(s.bounds->top, 10);
    EXPECT_EQ(s.bounds->left, 20);
    EXPECT_EQ(s.bounds->width, 500);
    EXPECT_EQ(s.bounds->height, 400);
}

TEST_F(SettingsFallbackTest, EachValueFallsBackAlone) {
    const Settings s = LoadWith({{"langue", "ANGLAIS"},
                                 {"coef unite", 0},
                                 {"TailleImpression", "big"},
                                 {"heure_service", 105},
                                 {"icone", 2},
                                 {"5", 0},
                                 {"6", "maybe"},
                                 {"dernier_port", QString(60, u'A')}});
    EXPECT_EQ(s.chosenLanguage, Language::English);
    EXPECT_EQ(s.heightUnit, HeightUnit::Metres);    // a stored 0 reads as metres
    EXPECT_EQ(s.printFontSize, 8);                  // unreadable
    EXPECT_EQ(s.timeReference, TimeReference(105)); // kept although other values failed
    EXPECT_FALSE(s.hideOnQuit);                     // only 1 sets it
    EXPECT_FALSE(s.countrySelected[5]);
    EXPECT_TRUE(s.countrySelected[6]); // unreadable flag is set
    EXPECT_TRUE(s.countrySelected[7]); // missing flag is set
    EXPECT_EQ(s.lastPortName.size(), kLastPortNameLength);
    EXPECT_EQ(LoadWith({{"coef unite", 3}}).heightUnit, HeightUnit::Feet);
    EXPECT_EQ(LoadWith({{"icone", 1}}).hideOnQuit, true);
}

// Values far out of range (a damaged or hand-edited store) are brought into range or refused
// before any arithmetic is done on them.
TEST_F(SettingsFallbackTest, OutOfRangeNumbersAreTamed) {
    const qint64 huge = qint64(1) << 40;
    const Settings s = LoadWith({{"P_top", huge},
                                 {"P_left", -huge},
                                 {"P_width", huge},
                                 {"P_height", 300},
                                 {"couleur_fond", huge},
                                 {"couleur_trace", 12},
                                 {"TailleImpression", huge},
                                 {"heure_service", huge + 105}});
    ASSERT_TRUE(s.bounds.has_value());
    EXPECT_EQ(s.bounds->top, kMaxWindowCoordinate);
    EXPECT_EQ(s.bounds->left, -kMaxWindowCoordinate);
    EXPECT_EQ(s.bounds->width, kMaxWindowCoordinate);
    EXPECT_EQ(s.backgroundColour, kDefaultBackgroundColour);
    EXPECT_EQ(s.printFontSize, kDefaultPrintSize);
    EXPECT_EQ(s.timeReference, TimeReference());

    LoadWith({{"C_top", -huge}, {"C_left", 10}, {"C_width", huge}, {"C_height", huge}});
    const CurveWindowSettings curve = LoadCurveWindowSettings(*store());
    ASSERT_TRUE(curve.bounds.has_value());
    EXPECT_EQ(curve.bounds->top(), -kMaxWindowCoordinate);
    EXPECT_EQ(curve.bounds->height(), kMaxWindowCoordinate);

    LoadWith({{"impression/marge_g", huge},
              {"impression/marge_d", -huge},
              {"impression/marge_h", 101},
              {"impression/marge_b", 7},
              {"impression/portrait", huge + 1}});
    for (const PageSettings& page : {LoadPageSetup(*store()), LoadPrintSettings(*store())}) {
        EXPECT_EQ(page.margins, (PageMargins{100, 0, 100, 7}));
        EXPECT_EQ(page.portrait, 0); // only 1 means portrait
    }
}

TEST_F(SettingsFallbackTest, SavedValuesReadBackUnchanged) {
    Settings s;
    s.chosenLanguage = Language::English;
    s.backgroundColour = 0x00102030;
    s.curveColour = 0x00405060;
    s.lastPortName = QStringLiteral("BREST");
    s.timeReference = TimeReference(95);
    s.heightUnit = HeightUnit::Feet;
    s.curveStart = 0.2569444444444444;
    s.curveEnd = 0.9479166666666666;
    s.printFontSize = 12;
    s.bounds = WindowBounds{11, 22, 640, 480};
    s.hideOnQuit = true;
    s.countrySelected[12] = false;
    auto out = store();
    ASSERT_TRUE(SaveSettings(*out, s));
    out.reset();

    const Settings back = LoadSettings(*store());
    EXPECT_EQ(back.chosenLanguage, s.chosenLanguage);
    EXPECT_EQ(back.backgroundColour, s.backgroundColour);
    EXPECT_EQ(back.curveColour, s.curveColour);
    EXPECT_EQ(back.lastPortName, s.lastPortName);
    EXPECT_EQ(back.timeReference, s.timeReference);
    EXPECT_EQ(back.heightUnit, s.heightUnit);
    EXPECT_EQ(back.curveStart, s.curveStart); // exact: stored as a double
    EXPECT_EQ(back.curveEnd, s.curveEnd);
    EXPECT_EQ(back.printFontSize, s.printFontSize);
    ASSERT_TRUE(back.bounds.has_value());
    EXPECT_EQ(back.bounds->width, 640);
    EXPECT_TRUE(back.hideOnQuit);
    EXPECT_FALSE(back.countrySelected[12]);
    EXPECT_TRUE(back.countrySelected[13]);
}

TEST(SettingsLanguage, FrenchUntilChosenUnlessAnotherFallbackIsAsked) {
    struct Case {
        QString langue;
        Language language;
        Language orEnglish;
    };
    const Case cases[] = {
        {QString(), Language::French, Language::English},
        {kFrench, Language::French, Language::French},
        {kEnglish, Language::English, Language::English},
    };
    for (const Case& c : cases) {
        Settings s;
        s.chosenLanguage = LanguageOf(c.langue);
        EXPECT_EQ(s.language(), c.language) << c.langue.toStdString();
        EXPECT_EQ(s.languageOr(Language::English), c.orEnglish) << c.langue.toStdString();
        EXPECT_EQ(s.languageOr(Language::French), c.language) << c.langue.toStdString();
    }
}

TEST_F(SettingsFallbackTest, FirstStartValuesFollowTheLanguage) {
    for (const auto& [langue, sondeur, souhait] :
         {std::tuple{kEnglish, "10.50 m", "12.50 m"}, std::tuple{kFrench, "10,50 m", "12,50 m"},
          std::tuple{QString(), "10,50 m", "12,50 m"}}) {
        store()->clear();
        Settings s;
        s.curveStart = 0.3;
        s.curveEnd = 0.6;
        auto out = store();
        StoreFirstStartValues(*out, s, LanguageOf(langue).value_or(Language::French));
        out.reset();
        auto in = store();
        EXPECT_EQ(in->value("H_sondeur").toString(), QString::fromUtf8(sondeur))
            << langue.toStdString();
        EXPECT_EQ(in->value("H_souhait").toString(), QString::fromUtf8(souhait));
        EXPECT_EQ(in->value("Heure_enregistree").toString(), QStringLiteral("12:00"));
        EXPECT_EQ(s.curveStart, 0.0);
        EXPECT_EQ(s.curveEnd, 1.0);
    }
}

} // namespace
} // namespace ondrel::test
