// Page set-up of the printed curve: margin rules, preview arithmetic, orientation and storage.
#include "PageSetupWindow.h"
#include "CurveWindow.h"
#include "PageSetup.h"
#include "ViewsTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest/QTest>

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

using PageSetupWindowTest = ViewsTest;

TEST_F(PageSetupWindowTest, StoredValuesAndTheirFallbacks) {
    {
        const auto store = state.openSettings();
        EXPECT_EQ(LoadPrintSettings(*store).portrait, 1);
        EXPECT_EQ(LoadPageSetup(*store).portrait, 0);
        store->setValue("impression/marge_g", 7);
        store->setValue("impression/marge_d", 8);
        store->setValue("impression/portrait", 1); // marge_h missing: reading stops at it
    }
    const auto store = state.openSettings();
    const PageSettings s = LoadPageSetup(*store);
    EXPECT_EQ(s.margins, (PageMargins{7, 8, 0, 0}));
    EXPECT_EQ(s.portrait, 0);
    StorePageSetup(*store, {{1, 2, 3, 4}, 1});
    EXPECT_EQ(LoadPageSetup(*store).margins, (PageMargins{1, 2, 3, 4}));
    EXPECT_EQ(LoadPrintSettings(*store).portrait, 1);
}

TEST_F(PageSetupWindowTest, MarginOutOfRangeIsRefused) {
    PageSetupWindow window(state, messages, nullptr);
    window.show();
    window.leftMarginField()->setText("12");
    EXPECT_EQ(window.settings().margins.left, 12);
    window.leftMarginField()->clear();
    QTest::keyClicks(window.leftMarginField(), "150");
    EXPECT_EQ(messages.shown, QStringList({"Entrez une valeur entière comprise entre 0 et 100 !"}));
    EXPECT_EQ(window.settings().margins.left, 15); // typing "15" set it, then "150" was refused
    EXPECT_TRUE(window.leftMarginField()->text().isEmpty());
}

// Message boxes that, like real ones, take the activation away from the window while shown.
class ActivatingMessageBoxes : public RecordingMessageBoxes {
public:
    void information(QWidget* parent, const QString& text) override {
        RecordingMessageBoxes::information(parent, text);
        QWidget box;
        box.show();
        QApplication::setActiveWindow(&box);
        QApplication::setActiveWindow(parent ? parent->window() : nullptr);
    }
};

TEST_F(PageSetupWindowTest, RefusedMarginMessageIsNotLeavingTheWindow) {
    ActivatingMessageBoxes boxes;
    PageSetupWindow window(state, boxes, nullptr);
    window.show();
    QApplication::setActiveWindow(&window);
    window.leftMarginField()->setText("12");
    window.leftMarginField()->setText("150");
    // One message, the range one; the window was not left, so nothing was stored or refused.
    EXPECT_EQ(boxes.shown, QStringList({"Entrez une valeur entière comprise entre 0 et 100 !"}));
    EXPECT_FALSE(state.openSettings()->contains("impression/marge_g"));
    EXPECT_EQ(window.settings().margins.left, 12);
}

// A label's text as the screen shows it: "&&" is one ampersand, a single "&" marks a shortcut.
QString Shown(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) shown += text[++i];
            continue;
        }
        shown += text[i];
    }
    return shown;
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

TEST_F(PageSetupWindowTest, ColourChoiceTextsShowTheirAmpersand) {
    struct Case {
        QString langue;
        const char* blackAndWhite;
    };
    const Case cases[] = {{kFrench, "Noir & blanc"}, {kEnglish, "Black & White"}};
    for (const Case& c : cases) {
        state.settings.chosenLanguage = LanguageOf(c.langue);
        PageSetupWindow window(state, messages, nullptr);
        window.show();
        EXPECT_EQ(Shown(window.blackAndWhiteButton()->text()), QString::fromUtf8(c.blackAndWhite));
    }
}

TEST_F(PageSetupWindowTest, PreviewFollowsMarginsAndOrientation) {
    PageSetupWindow window(state, messages, nullptr);
    window.topMarginField()->setText("60");
    window.bottomMarginField()->setText("50");
    EXPECT_EQ(window.previewPrintable().height(), 0);
    window.portraitButton()->click();
    EXPECT_EQ(window.previewPage().size(), QSize(40, 50));
    window.landscapeButton()->click();
    EXPECT_EQ(window.previewPage().size(), QSize(60, 40));
}

TEST_F(PageSetupWindowTest, LeavingStoresMarginsAndOkStoresTheOrientation) {
    CurveWindow curve(state, messages);
    PageSetupWindow window(state, messages, &curve);
    window.show();
    window.leftMarginField()->setText("10");
    window.rightMarginField()->setText("20");
    window.topMarginField()->setText("30");
    window.bottomMarginField()->setText("40");
    window.portraitButton()->click();
    window.cancel(); // Cancel: margins stored, orientation not
    {
        const auto store = state.openSettings();
        const PageSettings s = LoadPageSetup(*store);
        EXPECT_EQ(s.margins, (PageMargins{10, 20, 30, 40}));
        EXPECT_EQ(s.portrait, 0);
    }
    EXPECT_TRUE(messages.shown.isEmpty());

    window.show();
    window.landscapeButton()->click();
    window.confirm(); // already landscape: no message
    EXPECT_TRUE(messages.shown.isEmpty());
    window.show();
    window.portraitButton()->click();
    window.confirm();
    EXPECT_EQ(messages.shown, QStringList({"La prochaine impression sera au format portrait"}));
    EXPECT_EQ(LoadPrintSettings(*state.openSettings()).portrait, 1);
}

TEST_F(PageSetupWindowTest, EmptyMarginFieldStoresNothing) {
    PageSetupWindow window(state, messages, nullptr);
    window.show();
    window.leftMarginField()->setText("25");
    window.bottomMarginField()->clear();
    EXPECT_FALSE(window.storeValues());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_FALSE(state.openSettings()->contains("impression/marge_g"));
}

} // namespace
} // namespace ondrel::test
