// What a user walkthrough found in the main window and the port window: the countries button, the
// windows made when first needed, a window made after a font was chosen, the window's width
// across languages, windows off screen, shared shortcut letters, cut port names and the curve's
// date after a language switch (the font dialog's size: tests/views/main/FontCommandsTest.cpp).
#include "GuiTestSupport.h"

#include "app/DesktopWindows.h"
#include "chart/CurveChart.h"
#include "views/common/ScreenPlacement.h"
#include "views/curve/CurveWindow.h"
#include "views/main/MainWindow.h"
#include "views/ports/CountriesWindow.h"
#include "views/ports/PortWindow.h"
#include "views/sun/EphemeridesWindow.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

namespace ondrel::test {
namespace {

class DesktopWalkthroughTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WritePortTable(workDir(), SmallPortList());
    }
    void Store(const char* key, const QVariant& value) {
        store()->setValue(QString::fromLatin1(key), value);
    }
};

QChar Mnemonic(const QString& text) {
    const qsizetype at = text.indexOf(u'&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
}

// The countries button does something: it opens the countries window.
TEST_F(DesktopWalkthroughTest, TheCountriesButtonOpensItsWindow) {
    Store("langue", kFrench);
    DesktopWindows desktop(state, boxes);
    auto* button = desktop.portWindow()->findChild<QPushButton*>(QStringLiteral("BPays"));
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(desktop.countriesWindow()->isVisible());
}

// The start builds the main window only; the port window (and its table) comes with the
// warning's acceptance, or with the port menu, whose commands wait for the table.
TEST_F(DesktopWalkthroughTest, WindowsAreMadeWhenFirstNeeded) {
    Store("langue", kFrench);
    for (const bool throughMenu : {false, true}) {
        DesktopWindows desktop(state, boxes);
        MainWindow& w = desktop.main();
        EXPECT_TRUE(w.findChildren<QDialog*>().isEmpty());
        auto* add = w.findChild<QAction*>(QStringLiteral("AjoutPortSecondaire"));
        EXPECT_FALSE(add->isEnabled());
        if (throughMenu)
            emit w.findChild<QMenu*>(QStringLiteral("PortSecondaire"))->aboutToShow();
        else
            w.acceptWarning();
        EXPECT_NE(w.findChild<QDialog*>(QStringLiteral("TFport")), nullptr) << throughMenu;
        EXPECT_TRUE(add->isEnabled()) << throughMenu;
        EXPECT_EQ(w.findChild<QDialog*>(QStringLiteral("TFAnnuaire")), nullptr) << throughMenu;
    }
}

// A window made after a font was chosen (windows are made when first needed) takes that font,
// each control keeping its size; the default font gives each its own back.
TEST_F(DesktopWalkthroughTest, AWindowMadeLaterFollowsTheChosenFont) {
    Store("langue", kFrench);
    DesktopWindows desktop(state, boxes);
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setItalic(true);
    desktop.main().fontCommands().apply(chosen);
    std::vector<std::pair<QWidget*, QFont>> builtIn;
    for (const FontSizedControl& c : desktop.ephemeridesWindow()->fontControls()) {
        EXPECT_EQ(c.widget->font().family(), chosen.family());
        EXPECT_TRUE(c.widget->font().italic());
        builtIn.emplace_back(c.widget, c.widget->font());
    }
    ASSERT_FALSE(builtIn.empty());
    desktop.main().fontCommands().restoreDefaults();
    for (const auto& [widget, font] : builtIn) {
        EXPECT_FALSE(widget->font().italic());
        EXPECT_EQ(widget->font().pointSizeF(), font.pointSizeF());
    }
}

TEST_F(DesktopWalkthroughTest, TheMainWindowKeepsItsWidthAcrossLanguagesAndCaptions) {
    Store("langue", kFrench);
    Store("dernier_port", "BREST");
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    w.show();
    ASSERT_TRUE(WaitFor([&] { return w.windowTitle() == QStringLiteral("Ondrel - v 4.6"); }));
    w.acceptWarning();
    const int french = w.minimumSizeHint().width();
    const auto noSharedLetters = [&] {
        // No menu shares its shortcut letter with a button of the window.
        for (QAction* menu : w.menuBar()->actions())
            for (auto* button : w.findChildren<QPushButton*>()) {
                if (button->window() != &w || !button->isVisibleTo(&w)) continue;
                EXPECT_NE(Mnemonic(menu->text()), Mnemonic(button->text()))
                    << menu->text().toStdString() << " / " << button->text().toStdString();
            }
    };
    noSharedLetters();
    boxes.answers = {MessageBoxes::Answer::Yes};
    w.switchLanguage();
    EXPECT_EQ(w.minimumSizeHint().width(), french);
    w.findChild<QAction*>(QStringLiteral("Icnedanslabarredestcheslarduction1"))
        ->trigger(); // "&Reduce"
    EXPECT_EQ(w.minimumSizeHint().width(), french);

    noSharedLetters();

    // The curve's title takes the new language's date at once.
    ASSERT_TRUE(desktop.curveWindow()->isVisible());
    EXPECT_TRUE(
        desktop.curveWindow()->chart()->data().title.join(u'\n').contains(QStringLiteral("March")));
    w.close();
}

TEST_F(DesktopWalkthroughTest, WindowsAppearWhollyOnTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    KeepWindowsOnScreen keeper;
    qApp->installEventFilter(&keeper);
    for (const QPoint& at : {QPoint(area.right() - 40, area.top() + 10),
                             QPoint(area.left() - 300, area.bottom() - 20)}) {
        QWidget window;
        window.resize(400, 300);
        window.move(at);
        window.show();
        QCoreApplication::processEvents();
        const QRect f = window.frameGeometry();
        EXPECT_TRUE(area.contains(f))
            << at.x() << "," << at.y() << " -> " << f.x() << "," << f.y() << " " << f.width() << "x"
            << f.height() << " in " << area.width() << "x" << area.height();
    }
    qApp->removeEventFilter(&keeper);
}

TEST_F(DesktopWalkthroughTest, CutPortNamesHaveTheirWholeNameAsTooltip) {
    PortWindow w(state, boxes);
    auto* list = w.findChild<QTableView*>(QStringLiteral("DBGrid1"));
    ASSERT_NE(list, nullptr);
    w.resize(200, 400); // narrower than the longest name
    w.show();
    list->setColumnWidth(0, 120);
    ASSERT_TRUE(w.selectNearest(QStringLiteral("SAINT")));
    const auto tipOfRow = [&](const QString& name) {
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            if (index.data().toString() == name) {
                list->scrollTo(index);
                return w.cutNameAt(list->visualRect(index).center());
            }
        }
        return QStringLiteral("(no row)");
    };
    const QString longest = QStringLiteral("SAINT-MALO, BASSIN VAUBAN ET ANSE DES SABLONS NORD");
    EXPECT_EQ(tipOfRow(longest), longest);
    EXPECT_EQ(tipOfRow(QStringLiteral("BREST")), QString());
}

} // namespace
} // namespace ondrel::test
