// The page set-up's values: the margin rule, the preview and page arithmetic, its messages and
// the stored values with their fallbacks.
#include "state/PageSetup.h"
#include "SettingsStoreTest.h"

#include <QRect>

namespace ondrel::test {
namespace {

TEST(ReadMarginField, IntegersFrom0To100) {
    using K = MarginEntry::Kind;
    struct Case {
        const char* text;
        K kind;
        int value;
    };
    const Case cases[] = {{"", K::Empty, 0},      {"0", K::Value, 0},     {"15", K::Value, 15},
                          {"100", K::Value, 100}, {"101", K::Invalid, 0}, {"150", K::Invalid, 0},
                          {"-1", K::Invalid, 0},  {"1a", K::Invalid, 0},  {"2.5", K::Invalid, 0}};
    for (const Case& c : cases) {
        const MarginEntry e = ReadMarginField(QString::fromLatin1(c.text));
        EXPECT_EQ(e.kind, c.kind) << c.text;
        if (c.kind == K::Value) {
            EXPECT_EQ(e.value, c.value) << c.text;
        }
    }
}

TEST(PreviewPrintableArea, TruncatedPixelsAndEmptyWhenMarginsOverlap) {
    struct Case {
        QRect page;
        PageMargins m;
        QRect expected;
    };
    const Case cases[] = {
        {{10, 7, 60, 40}, {0, 0, 0, 0}, {10, 7, 60, 40}},
        {{10, 7, 60, 40}, {15, 15, 15, 15}, {19, 13, 42, 28}},
        {{20, 2, 40, 50}, {10, 20, 60, 50}, {24, 32, 28, 0}}, // top 60 + bottom 50: no height
        {{0, 0, 40, 50}, {55, 50, 0, 0}, {22, 0, 0, 50}},
        {{0, 0, 60, 40}, {33, 33, 33, 33}, {19, 13, 20, 13}},
    };
    for (const Case& c : cases) {
        const QRect r = PreviewPrintableArea(c.page, c.m);
        EXPECT_EQ(r.left(), c.expected.left());
        EXPECT_EQ(r.top(), c.expected.top());
        EXPECT_EQ(r.width(), c.expected.width());
        EXPECT_EQ(r.height(), c.expected.height());
    }
}

TEST(PrintableArea, PercentOfThePage) {
    const QRectF a = PrintableArea({0, 0, 1000, 2000}, {10, 20, 5, 15});
    EXPECT_DOUBLE_EQ(a.left(), 100);
    EXPECT_DOUBLE_EQ(a.top(), 100);
    EXPECT_DOUBLE_EQ(a.width(), 700);
    EXPECT_DOUBLE_EQ(a.height(), 1600);
    const QRectF full = PrintableArea({0, 0, 1000, 2000}, {60, 50, 60, 50});
    EXPECT_DOUBLE_EQ(full.width(), 1000);
    EXPECT_DOUBLE_EQ(full.height(), 2000);
}

TEST(PageSetupMessages, InTheLanguageAsked) {
    struct Case {
        Language language;
        const char* range;
        const char* portrait;
        const char* landscape;
    };
    const Case cases[] = {
        {Language::French, "Entrez une valeur entière comprise entre 0 et 100 !",
         "La prochaine impression sera au format portrait",
         "La prochaine impression sera au format paysage"},
        {Language::English, "Please, enter a integer value between 0 and 100 !",
         "Next printing will be in the portrait orientation",
         "Next printing will be in the landscape orientation"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarginRangeMessage(c.language), QString::fromUtf8(c.range));
        EXPECT_EQ(OrientationMessage(c.language, true), QString::fromUtf8(c.portrait));
        EXPECT_EQ(OrientationMessage(c.language, false), QString::fromUtf8(c.landscape));
    }
}

// Named for the window whose values these are.
using PageSetupWindowTest = SettingsStoreTest;

TEST_F(PageSetupWindowTest, StoredValuesAndTheirFallbacks) {
    {
        const auto store = state.settingsStore.open();
        EXPECT_EQ(LoadPrintSettings(*store).portrait, 1);
        EXPECT_EQ(LoadPageSetup(*store).portrait, 0);
        store->setValue("impression/marge_g", 7);
        store->setValue("impression/marge_d", 8);
        store->setValue("impression/portrait", 1); // marge_h missing: reading stops at it
    }
    const auto store = state.settingsStore.open();
    const PageSettings s = LoadPageSetup(*store);
    EXPECT_EQ(s.margins, (PageMargins{7, 8, 0, 0}));
    EXPECT_EQ(s.portrait, 0);
    StorePageSetup(*store, {{1, 2, 3, 4}, 1});
    EXPECT_EQ(LoadPageSetup(*store).margins, (PageMargins{1, 2, 3, 4}));
    EXPECT_EQ(LoadPrintSettings(*store).portrait, 1);
}

} // namespace
} // namespace ondrel::test
