// Help and about box: the page each context and window asks for, the help window opened through
// the one hook in the program's language, its index and search, a missing collection, the about
// box's texts and links, and Qt's own buttons in the program's language.
#include "GuiTestSupport.h"

#include "AboutWindow.h"
#include "CountriesWindow.h"
#include "CurveWindow.h"
#include "DateWindow.h"
#include "DesktopWindows.h"
#include "EphemeridesWindow.h"
#include "HelpTopics.h"
#include "HelpWindow.h"
#include "ImportListWindow.h"
#include "IntervalWindow.h"
#include "MainWindow.h"
#include "OptionsWindow.h"
#include "PageSetupWindow.h"
#include "PortWindow.h"
#include "SecondaryPortWizard.h"
#include "SecondaryPortsWindow.h"
#include "TideTableFilterWindow.h"
#include "TideTableWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace ondrel::test {
namespace {

class HelpAboutTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WritePortTable(workDir(), SmallPortList());
    }
    void StoreLanguage(const QString& langue) {
        store()->setValue(QStringLiteral("langue"), langue);
    }
};

TEST(HelpTopics, EachContextHasItsPageInBothLanguages) {
    struct Row {
        int context;
        const char* french;
        const char* english;
    };
    const Row rows[] = {
        {0, "accueil.htm", "accueil_a.htm"},
        {1, "Date.htm", "Date_a.htm"},
        {2, "accueil.htm", "accueil_a.htm"}, // no topic of its own
        {3, "Ports.htm", "Ports_a.htm"},
        {4, "CourbeHauteurEau.htm", "CourbeHauteurEau_a.htm"},
        {5, "CalculIntervalle.htm", "CalculIntervalle_a.htm"},
        {6, "Annuaire.htm", "Annuaire_a.htm"},
        {7, "Ephemerides.htm", "Ephemerides_a.htm"},
        {8, "ListePorts.htm", "ListePorts_a.htm"},
        {9, "accueil.htm", "accueil_a.htm"},
        {-1, "accueil.htm", "accueil_a.htm"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.context);
        EXPECT_EQ(HelpTopicFile(r.context, Language::French), QString::fromLatin1(r.french));
        EXPECT_EQ(HelpTopicFile(r.context, Language::English), QString::fromLatin1(r.english));
        // Every page exists in the sources the collection is built from.
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(ONDREL_SOURCE_DIR "/help/fr/html/") +
                                      QString::fromLatin1(r.french)));
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(ONDREL_SOURCE_DIR "/help/en/html/") +
                                      QString::fromLatin1(r.english)));
    }
}

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

    // After a language switch the next request uses the English pages.
    boxes.answers = {MessageBoxes::Answer::Yes};
    w.switchLanguage();
    EXPECT_EQ(qtButtons(), QStringLiteral("Cancel|Open"));
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

TEST_F(HelpAboutTest, AboutBoxTextsLinksAndCredits) {
    struct Row {
        QString langue;
        const char* caption;
        const char* name;
        const char* licenceWords;
    };
    const Row rows[] = {{kFrench, "A propos de Ondrel", "Ondrel", "licence publique générale GNU"},
                        {kEnglish, "About Brevane", "Brevane", "GNU General Public License"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.langue.toStdString());
        state.settings.chosenLanguage = LanguageOf(r.langue);
        AboutWindow about(state);
        std::vector<QUrl> opened;
        about.openUrl = [&](const QUrl& url) { opened.push_back(url); };
        about.show();
        const auto label = [&](const char* name) {
            return about.findChild<QLabel*>(QString::fromLatin1(name));
        };
        EXPECT_EQ(about.objectName(), QStringLiteral("TApropos"));
        EXPECT_EQ(about.windowTitle(), QString::fromUtf8(r.caption));
        EXPECT_EQ(label("Label1")->text(), QString::fromUtf8(r.name));
        EXPECT_EQ(label("Label3")->text(), QStringLiteral("version 4.6.6"));

        QTest::mouseClick(label("Label2"), Qt::LeftButton);
        QTest::mouseClick(label("Label5"), Qt::LeftButton);
        EXPECT_EQ(opened, (std::vector<QUrl>{QUrl(QStringLiteral("mailto:contact@ondrel.org")),
                                             QUrl(QStringLiteral("https://ondrel.org"))}));

        // The credits name every source of the table and the map with its licence, and the
        // program's licence.
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("BCredits")),
                          Qt::LeftButton);
        auto* credits = about.findChild<QTextBrowser*>(QStringLiteral("Credits"));
        EXPECT_TRUE(credits->isVisible());
        const QString text = credits->toPlainText();
        for (const char* must :
             {"Neaps tide database", "National Oceanic and Atmospheric Administration", "TICON-4",
              "https://doi.org/10.17882/109129", "CC BY 4.0", "CC BY-NC 4.0", "Kartverket",
              "GeoNames", "OpenStreetMap", "ODbL 1.0", "Marine Regions", "Natural Earth",
              "GPL-3.0-or-later", r.licenceWords})
            EXPECT_TRUE(text.contains(QString::fromUtf8(must))) << must;

        // A click on the version, like OK, hides the box.
        QTest::mouseClick(label("Label3"), Qt::LeftButton);
        EXPECT_FALSE(about.isVisible());
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        EXPECT_FALSE(about.isVisible());
    }
}

} // namespace
} // namespace ondrel::test
