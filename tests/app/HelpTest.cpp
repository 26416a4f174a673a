// Help in the desktop program: the help window opened through the one hook in the program's
// language, its index and search, the help key in every window, a missing collection, and Qt's
// own buttons in the program's language. The page of each context is tested with the rules
// (tests/rules/HelpTopicsTest.cpp), the help key's filter and the about box in tests/views/help.
#include "HelpAboutTestSupport.h"

#include "app/DesktopWindows.h"
#include "rules/HelpTopics.h"
#include "views/curve/CurveWindow.h"
#include "views/curve/IntervalWindow.h"
#include "views/curve/PageSetupWindow.h"
#include "views/help/AboutWindow.h"
#include "views/help/HelpWindow.h"
#include "views/main/DateWindow.h"
#include "views/main/MainWindow.h"
#include "views/main/OptionsWindow.h"
#include "views/ports/CountriesWindow.h"
#include "views/ports/ImportListWindow.h"
#include "views/ports/PortWindow.h"
#include "views/ports/SecondaryPortWizard.h"
#include "views/ports/SecondaryPortsWindow.h"
#include "views/sun/EphemeridesWindow.h"
#include "views/tidetable/TideTableFilterWindow.h"
#include "views/tidetable/TideTableWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHelpContentWidget>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace ondrel::test {
namespace {

TEST_F(HelpAboutTest, TheHookOpensTheContextsPageInTheProgramsLanguage) {
    StoreLanguage(kFrench);
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    w.show();
    ASSERT_TRUE(WaitFor([&] { return w.windowTitle() == QStringLiteral("Ondrel - v 4.6"); }));
    HelpWindow* help = desktop.helpWindow();
    // Qt's own buttons speak the program's language too.
    const auto qtButtons = [] {
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
        return box.button(QDialogButtonBox::Cancel)->text() + u'|' +
               box.button(QDialogButtonBox::Open)->text();
    };
    EXPECT_EQ(qtButtons(), QStringLiteral("Annuler|Ouvrir"));

    state.help(kHelpDate);
    ASSERT_TRUE(help->isVisible()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(help->currentPage(),
              QUrl(QStringLiteral("qthelp://org.ondrel.help.fr/fr/html/Date.htm")));
    auto* page = help->findChild<QTextBrowser*>(QStringLiteral("Page"));
    EXPECT_TRUE(page->toPlainText().contains(QStringLiteral("Choisir la date")));

    // The help key in the main window, and its help command, open the home page.
    QTest::keyClick(w.findChild<QWidget*>(QStringLiteral("SelPort")), Qt::Key_F1);
    EXPECT_TRUE(help->currentPage().toString().endsWith(QStringLiteral("fr/html/accueil.htm")));

    // After a language switch the page shown is the English one, and so are the next.
    boxes.answers = {MessageBoxes::Answer::Yes};
    w.switchLanguage();
    EXPECT_EQ(qtButtons(), QStringLiteral("Cancel|Open"));
    EXPECT_TRUE(help->currentPage().toString().endsWith(QStringLiteral("en/html/accueil_a.htm")));
    state.help(kHelpCountries);
    EXPECT_EQ(help->currentPage(),
              QUrl(QStringLiteral("qthelp://org.ondrel.help.en/en/html/ListePorts_a.htm")));
    EXPECT_TRUE(page->toPlainText().contains(QStringLiteral("Countries")));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Brevane help"));

    // The full-text search finds pages of the current language only.
    help->search(QStringLiteral("sounder"));
    EXPECT_TRUE(WaitFor([&] { return help->searchHits() > 0; }, 10000));
    help->search(QStringLiteral("sondeur"));
    EXPECT_FALSE(WaitFor([&] { return help->searchHits() > 0; }, 500));
    // A switch back to French makes the same search again, in French.
    boxes.answers = {MessageBoxes::Answer::Yes};
    w.switchLanguage();
    EXPECT_TRUE(WaitFor([&] { return help->searchHits() > 0; }, 10000));

    // Back and Forward go through the pages seen.
    auto* back = help->findChild<QAction*>(QStringLiteral("BRetour"));
    auto* forward = help->findChild<QAction*>(QStringLiteral("BAvance"));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    state.help(kHelpDate);
    state.help(kHelpTideTable);
    EXPECT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    back->trigger();
    EXPECT_TRUE(help->currentPage().toString().endsWith(QStringLiteral("fr/html/Date.htm")));
    EXPECT_TRUE(forward->isEnabled());
    forward->trigger();
    EXPECT_TRUE(help->currentPage().toString().endsWith(QStringLiteral("fr/html/Annuaire.htm")));
    EXPECT_EQ(back->text(), QStringLiteral("&Précédent"));

    // A single click in the contents opens its topic.
    auto* contents = help->findChild<QHelpContentWidget*>();
    ASSERT_NE(contents, nullptr);
    ASSERT_TRUE(WaitFor([&] { return contents->model()->rowCount() > 0; }, 10000));
    const QModelIndex first = contents->model()->index(0, 0);
    contents->scrollTo(first);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                      contents->visualRect(first).center());
    EXPECT_FALSE(help->currentPage().toString().endsWith(QStringLiteral("fr/html/Annuaire.htm")));
    w.close();
}

// The help key in every window of the program asks for that window's topic (the pages of the help
// table; a window without a topic of its own, the home page).
TEST_F(HelpAboutTest, TheHelpKeyInEveryWindowReachesItsTopic) {
    StoreLanguage(kFrench);
    DesktopWindows desktop(state, boxes);
    std::vector<int> asked;
    state.help = [&](int context) { asked.push_back(context); };
    const std::pair<QWidget*, const char*> rows[] = {
        {&desktop.main(), "accueil.htm"},
        {desktop.dateWindow(), "Date.htm"},
        {desktop.portWindow(), "Ports.htm"},
        {desktop.secondaryPortWizard(), "Ports.htm"},
        {desktop.secondaryPortsWindow(), "Ports.htm"},
        {desktop.importListWindow(), "Ports.htm"},
        {desktop.curveWindow(), "CourbeHauteurEau.htm"},
        {desktop.pageSetupWindow(), "CourbeHauteurEau.htm"},
        {desktop.intervalWindow(), "CalculIntervalle.htm"},
        {desktop.tideTableWindow(), "Annuaire.htm"},
        {desktop.tideTableFilterWindow(), "Annuaire.htm"},
        {desktop.ephemeridesWindow(), "Ephemerides.htm"},
        {desktop.countriesWindow(), "ListePorts.htm"},
        {desktop.optionsWindow(), "accueil.htm"},
        {desktop.aboutWindow(), "accueil.htm"},
    };
    for (const auto& [window, topic] : rows) {
        window->show();
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        asked.clear();
        QTest::keyClick(target, Qt::Key_F1);
        ASSERT_FALSE(asked.empty()) << window->objectName().toStdString();
        for (const int context : asked)
            EXPECT_EQ(HelpTopicFile(context, Language::French), QString::fromLatin1(topic))
                << window->objectName().toStdString();
        window->hide();
    }
}

TEST_F(HelpAboutTest, AMissingCollectionIsSaidNotSilent) {
    StoreLanguage(kEnglish);
    DesktopWindows desktop(state, boxes);
    desktop.setHelpCollection(QDir(workDir()).filePath(QStringLiteral("nowhere/ondrel.qhc")));
    state.help(kHelpHome);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("ondrel.qhc is not installed")));
    EXPECT_FALSE(desktop.helpWindow()->isVisible());
}

} // namespace
} // namespace ondrel::test
