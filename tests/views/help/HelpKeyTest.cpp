// The help key: F1 asks for the context of the focused control, else of its window, else the home
// page (the help window it opens: tests/app/HelpTest.cpp).
#include "rules/HelpTopics.h"
#include "views/help/HelpKeyFilter.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace ondrel::test {
namespace {

TEST(HelpTopics, TheHelpKeyAsksForTheFocusedControlsOrItsWindowsContext) {
    QWidget tideTable;
    tideTable.setObjectName(QStringLiteral("TFAnnuaire"));
    auto* inside = new QWidget(&tideTable);
    QWidget countries;
    countries.setObjectName(QStringLiteral("TFPays"));
    QWidget curve;
    curve.setObjectName(QStringLiteral("TCourbe"));
    auto* cursorPanel = new QLabel(&curve);
    cursorPanel->setProperty(kHelpContextProperty, int(kHelpInterval));
    QWidget portWindow;
    portWindow.setObjectName(QStringLiteral("TFport"));
    auto* messageBox = new QWidget(&portWindow, Qt::Dialog); // a box the port window opens
    auto* inBox = new QPushButton(messageBox);
    QWidget unknown;

    const std::pair<QWidget*, int> rows[] = {
        {inside, kHelpTideTable}, {&countries, kHelpCountries}, {cursorPanel, kHelpInterval},
        {&curve, kHelpCurve},     {inBox, kHelpPorts},          {&unknown, kHelpHome},
    };
    for (const auto& [widget, context] : rows) {
        std::vector<int> asked;
        HelpKeyFilter filter([&](int c) { asked.push_back(c); }, nullptr);
        widget->installEventFilter(&filter);
        QTest::keyClick(widget, Qt::Key_F1);
        EXPECT_EQ(asked, std::vector<int>{context}) << widget->metaObject()->className();
        widget->removeEventFilter(&filter);
    }
}

} // namespace
} // namespace ondrel::test
