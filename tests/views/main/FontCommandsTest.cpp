// The font dialog of the main window's font commands: face, style and effects, but no size (a
// walkthrough's finding; its others: tests/app/DesktopWalkthroughTest.cpp).
#include "views/main/FontCommands.h"

#include <QFontDialog>
#include <QLineEdit>
#include <QListView>

#include <gtest/gtest.h>

namespace ondrel::test {
namespace {

TEST(FontDialog, OffersFaceStyleAndEffectsButNoSize) {
    QFontDialog dialog;
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    const auto visible = [&](auto pick) {
        int count = 0;
        for (QWidget* w : dialog.findChildren<QWidget*>())
            count += pick(w) && !w->isHidden();
        return count;
    };
    const auto sizeField = [](QWidget* w) {
        return qobject_cast<QLineEdit*>(w) && qobject_cast<QLineEdit*>(w)->validator();
    };
    const auto list = [](QWidget* w) { return qobject_cast<QListView*>(w) != nullptr; };
    ASSERT_EQ(visible(sizeField), 1);
    ASSERT_EQ(visible(list), 3); // face, style, size
    HideFontSizeControls(dialog);
    EXPECT_EQ(visible(sizeField), 0);
    EXPECT_EQ(visible(list), 2);
}

} // namespace
} // namespace ondrel::test
