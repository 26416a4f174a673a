// Where windows go: beside the window they are opened from, clear of the main window, on a screen
// of 1600 by 1000 pixels; dialogs centred on their owner.
#include "views/common/ScreenPlacement.h"

#include <QDialog>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <vector>

namespace ondrel::test {
namespace {

const QRect kScreen(0, 0, 1600, 1000);

TEST(WindowPlacement, BesideThenBelowThenElsewhereClearOfTheMainWindow) {
    struct Case {
        const char* what;
        QRect main;
        QRect from; // null: opened from the main window
        QSize size;
        std::vector<QRect> others;
        QPoint expected;
    };
    const Case cases[] = {
        {"room on the right of the main window",
         {100, 100, 700, 500},
         {},
         {460, 600},
         {},
         {800, 100}},
        {"no room on the right, nor below: on the left",
         {1000, 100, 550, 500},
         {},
         {460, 600},
         {},
         {540, 100}},
        {"no room on the right: below", {0, 0, 1200, 450}, {}, {460, 500}, {}, {0, 450}},
        {"near the screen's foot: slid up along the right side",
         {100, 500, 600, 300},
         {},
         {400, 700},
         {},
         {700, 300}},
        {"the filter from the tide table: below it, the right being off the screen",
         {100, 100, 700, 500},
         {800, 100, 460, 600},
         {400, 300},
         {{800, 100, 460, 600}},
         {800, 700}},
        {"the curve already on the right: below the main window",
         {100, 100, 600, 400},
         {},
         {400, 300},
         {{700, 100, 460, 600}},
         {100, 500}},
    };
    for (const Case& c : cases) {
        const QRect from = c.from.isNull() ? c.main : c.from;
        const QRect place = PlaceBeside(c.size, from, c.main, kScreen, c.others);
        EXPECT_EQ(place.topLeft(), c.expected) << c.what;
        EXPECT_EQ(place.size(), c.size) << c.what;
        EXPECT_TRUE(kScreen.contains(place)) << c.what;
        EXPECT_FALSE(place.intersects(c.main)) << c.what;
    }
}

// A screen too small to keep the main window clear: the window still comes wholly on it.
TEST(WindowPlacement, ASmallScreenStillShowsTheWholeWindow) {
    const QRect screen(0, 0, 800, 600);
    const QRect main(0, 0, 780, 560);
    for (const QSize size : {QSize(460, 400), QSize(900, 700)}) {
        const QRect place = PlaceBeside(size, main, main, screen);
        EXPECT_TRUE(screen.contains(place)) << size.width();
    }
}

TEST(WindowPlacement, DialogsAreCentredOnTheirOwner) {
    QMainWindow owner;
    owner.setGeometry(200, 150, 600, 400);
    QDialog dialog(&owner);
    dialog.resize(200, 100);
    CentreOn(&dialog, &owner);
    EXPECT_EQ(dialog.frameGeometry().center(), owner.frameGeometry().center());
}

} // namespace
} // namespace ondrel::test
