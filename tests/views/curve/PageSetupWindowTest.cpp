// The page set-up window of the printed curve: its margin fields, preview, orientation and what it
// stores (the values themselves are tested with the state, tests/state/PageSetupTest.cpp).
#include "views/curve/PageSetupWindow.h"
#include "ViewsTestSupport.h"
#include "state/PageSetup.h"
#include "views/curve/CurveWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest/QTest>

namespace ondrel::test {
namespace {

using PageSetupWindowTest = ViewsTest;

TEST_F(PageSetupWindowTest, MarginOutOfRangeIsRefused) {
    PageSetupWindow window(state.settings, state.settingsStore, state.help, messages, nullptr);
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
    PageSetupWindow window(state.settings, state.settingsStore, state.help, boxes, nullptr);
    window.show();
    QApplication::setActiveWindow(&window);
    window.leftMarginField()->setText("12");
    window.leftMarginField()->setText("150");
    // One message, the range one; the window was not left, so nothing was stored or refused.
    EXPECT_EQ(boxes.shown, QStringList({"Entrez une valeur entière comprise entre 0 et 100 !"}));
    EXPECT_FALSE(state.settingsStore.open()->contains("impression/marge_g"));
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

TEST_F(PageSetupWindowTest, ColourChoiceTextsShowTheirAmpersand) {
    struct Case {
        QString langue;
        const char* blackAndWhite;
    };
    const Case cases[] = {{kFrench, "Noir & blanc"}, {kEnglish, "Black & White"}};
    for (const Case& c : cases) {
        state.settings.chosenLanguage = LanguageOf(c.langue);
        PageSetupWindow window(state.settings, state.settingsStore, state.help, messages, nullptr);
        window.show();
        EXPECT_EQ(Shown(window.blackAndWhiteButton()->text()), QString::fromUtf8(c.blackAndWhite));
    }
}

TEST_F(PageSetupWindowTest, PreviewFollowsMarginsAndOrientation) {
    PageSetupWindow window(state.settings, state.settingsStore, state.help, messages, nullptr);
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
    PageSetupWindow window(state.settings, state.settingsStore, state.help, messages, &curve);
    window.show();
    window.leftMarginField()->setText("10");
    window.rightMarginField()->setText("20");
    window.topMarginField()->setText("30");
    window.bottomMarginField()->setText("40");
    window.portraitButton()->click();
    window.cancel(); // Cancel: margins stored, orientation not
    {
        const auto store = state.settingsStore.open();
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
    EXPECT_EQ(LoadPrintSettings(*state.settingsStore.open()).portrait, 1);
}

TEST_F(PageSetupWindowTest, EmptyMarginFieldStoresNothing) {
    PageSetupWindow window(state.settings, state.settingsStore, state.help, messages, nullptr);
    window.show();
    window.leftMarginField()->setText("25");
    window.bottomMarginField()->clear();
    EXPECT_FALSE(window.storeValues());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_FALSE(state.settingsStore.open()->contains("impression/marge_g"));
}

} // namespace
} // namespace ondrel::test
