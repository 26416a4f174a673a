// The main window: first start, second start, the acceptance step, the language switch, the
// command line and the end of the program.
#include "GuiTestSupport.h"

#include "app/DesktopWindows.h"
#include "chart/CurveChart.h"
#include "engine/Extremes.h"
#include "engine/Julian.h"
#include "engine/Report.h"
#include "views/curve/CurveWindow.h"
#include "views/main/LanguageWindow.h"
#include "views/main/MainWindow.h"
#include "views/main/MainWindowTexts.h"
#include "views/ports/PortWindow.h"

#include <QLineSeries>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <sys/stat.h>

namespace ondrel::test {
namespace {

class MainWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WritePortTable(workDir(), SmallPortList());
    }

    template <typename W> static W* Child(QObject* parent, const char* name) {
        W* w = parent->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Answers the language question, when it comes, with the given item.
    static void AnswerLanguage(const char* item) {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, item] {
            auto* dialog = qobject_cast<LanguageWindow*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll->stop();
            poll->deleteLater();
            if (item) {
                QTest::mouseClick(dialog->findChild<QRadioButton*>(QString::fromLatin1(item)),
                                  Qt::LeftButton);
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                                  Qt::LeftButton);
            } else {
                dialog->reject(); // closed without OK
            }
        });
        poll->start(10);
    }

    void StoreSettings(const std::vector<std::pair<QString, QVariant>>& values) {
        auto s = store();
        for (const auto& [name, value] : values)
            s->setValue(name, value);
    }

    // The report lines the engine gives for the current port and day.
    QString ExpectedReport(const MainWindow&) const {
        const auto events = DayTideEvents(state.context(), state.port, state.selectedDay);
        QStringList lines;
        for (const auto& l :
             DayReportLines(events, state.settings.heightUnit, state.settings.language()))
            lines << QString::fromStdString(l);
        return lines.join(u'\n');
    }
};

struct FirstStartCase {
    const char* item;
    QString langue;
    const char* sondeur;
    const char* caption;
    const char* today;
};

class FirstStartTest : public MainWindowTest,
                       public ::testing::WithParamInterface<FirstStartCase> {};

TEST_P(FirstStartTest, LanguageQuestionWarningAcceptanceAndPortWindow) {
    const FirstStartCase& c = GetParam();
    {
        DesktopWindows desktop(state, boxes);
        MainWindow& w = desktop.main();
        AnswerLanguage(c.item);
        w.show();
        ASSERT_TRUE(WaitFor([&] { return state.settings.languageChosen(); }));
        WaitFor([] { return QApplication::activeModalWidget() == nullptr; });
        EXPECT_EQ(StoredLanguage(state.settings.chosenLanguage), c.langue);
        EXPECT_EQ(w.windowTitle(), QString::fromUtf8(c.caption));
        // The first-start values are in the store at once.
        EXPECT_EQ(store()->value("H_sondeur").toString(), QString::fromUtf8(c.sondeur));
        EXPECT_EQ(store()->value("Heure_enregistree").toString(), QStringLiteral("12:00"));
        EXPECT_EQ(state.settings.curveStart, 0.0);
        EXPECT_EQ(state.settings.curveEnd, 1.0);

        // The warning: the port and date buttons wait for it.
        EXPECT_TRUE(w.warningShown());
        auto* selPort = Child<QPushButton>(&w, "SelPort");
        EXPECT_FALSE(selPort->isEnabled());
        QTest::mouseClick(Child<QPushButton>(&w, "avertissementOK"), Qt::LeftButton);
        EXPECT_FALSE(w.warningShown());
        EXPECT_TRUE(selPort->isEnabled());
        EXPECT_EQ(Child<QLabel>(&w, "DateSelection")->text(), QString::fromUtf8(c.today));
        EXPECT_EQ(state.selectedDay, JulianDay(2024, 3, 13));
        EXPECT_FALSE(Child<QLabel>(&w, "coeffmatin")->text().isEmpty());

        // No port yet: the port window comes up.
        ASSERT_TRUE(desktop.portWindow()->isVisible());
        QTest::keyClicks(desktop.portWindow()->findChild<QLineEdit*>(QStringLiteral("Edit1")),
                         QStringLiteral("br"));
        QTest::keyClick(desktop.portWindow()->findChild<QLineEdit*>(QStringLiteral("Edit1")),
                        Qt::Key_Return);
        EXPECT_FALSE(desktop.portWindow()->isVisible());
        EXPECT_EQ(Child<QLabel>(&w, "PortSelection")->text(), QStringLiteral("BREST"));
        EXPECT_TRUE(Child<QLabel>(&w, "Informations")->text().contains(QStringLiteral("(France)")));
        EXPECT_EQ(Child<QLabel>(&w, "ELatitude")->text(), QStringLiteral("48 23 N"));
        EXPECT_EQ(Child<QPlainTextEdit>(&w, "HeuresOndrel")->toPlainText(), ExpectedReport(w));
        w.close();
    }
    // Saved once at the end: every value of the save list.
    auto s = store();
    for (const char* name :
         {"langue", "couleur_fond", "couleur_trace", "dernier_port", "heure_service", "coef unite",
          "TailleImpression", "P_top", "P_left", "P_width", "P_height", "heure_debut", "heure_fin",
          "icone", "1", "114"})
        EXPECT_TRUE(s->contains(QString::fromLatin1(name))) << name;
    EXPECT_EQ(s->value("dernier_port").toString(), QStringLiteral("BREST"));
    EXPECT_EQ(s->value("langue").toString(), c.langue);
}

INSTANTIATE_TEST_SUITE_P(
    Start, FirstStartTest,
    ::testing::Values(FirstStartCase{"English", kEnglish, "10.50 m", "Brevane - v 4.6",
                                     "Wednesday, 13 March 2024"},
                      FirstStartCase{"Francais", kFrench, "10,50 m", "Ondrel - v 4.6",
                                     "Mercredi, 13 mars 2024"}),
    [](const auto& info) { return std::string(info.param.item); });

TEST_F(MainWindowTest, LanguageQuestionClosedLeavesNoLanguage) {
    {
        DesktopWindows desktop(state, boxes);
        MainWindow& w = desktop.main();
        const QString builtIn = w.windowTitle();
        AnswerLanguage(nullptr);
        w.show();
        ASSERT_TRUE(WaitFor([&] { return store()->contains("H_sondeur"); }));
        EXPECT_FALSE(state.settings.chosenLanguage);
        EXPECT_EQ(w.windowTitle(), builtIn); // no language texts applied
        EXPECT_EQ(store()->value("H_souhait").toString(), QStringLiteral("12,50 m"));
    }
    EXPECT_TRUE(store()->contains("langue"));
    EXPECT_TRUE(store()->value("langue").toString().isEmpty());
    // Next start: the question again.
    ResetState();
    DesktopWindows againDesktop(state, boxes);
    MainWindow& again = againDesktop.main();
    AnswerLanguage("English");
    again.show();
    EXPECT_TRUE(WaitFor([&] { return state.settings.chosenLanguage == Language::English; }));
}

TEST_F(MainWindowTest, SecondStartReloadsTheNearestPortWithItsReport) {
    // "BRES" is no longer in the table: the first name after it is taken.
    StoreSettings({{"langue", kFrench}, {"dernier_port", "BRES"}, {"heure_service", 0}});
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    w.show();
    ASSERT_TRUE(WaitFor([&] { return w.windowTitle() == QStringLiteral("Ondrel - v 4.6"); }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // no language question
    QSignalSpy curve(&w, &MainWindow::dayCurveRequested);
    w.acceptWarning();
    EXPECT_FALSE(desktop.portWindow()->isVisible());
    EXPECT_EQ(Child<QLabel>(&w, "PortSelection")->text(), QStringLiteral("BREST"));
    EXPECT_EQ(state.settings.lastPortName, QStringLiteral("BREST"));
    const QString report = Child<QPlainTextEdit>(&w, "HeuresOndrel")->toPlainText();
    EXPECT_TRUE(report.startsWith(QStringLiteral("Pleine mer à")) ||
                report.startsWith(QStringLiteral("Basse mer à")));
    EXPECT_EQ(report, ExpectedReport(w));
    EXPECT_EQ(state.context().currentTimeZone(), 1.0);
    ASSERT_EQ(curve.count(), 1);
    EXPECT_DOUBLE_EQ(curve.at(0).at(0).toDouble(), state.selectedDay + 0.0);
    EXPECT_DOUBLE_EQ(curve.at(0).at(1).toDouble(), state.selectedDay + 1.0);
    // The curve window draws that day: 289 samples, the first at midnight.
    CurveWindow* courbe = desktop.curveWindow();
    ASSERT_NE(courbe, nullptr);
    EXPECT_TRUE(courbe->isVisible());
    const QLineSeries* series = courbe->chart()->curveSeries();
    ASSERT_EQ(series->count(), 289);
    EXPECT_DOUBLE_EQ(series->at(0).x(), state.selectedDay - kDateTimeOrigin);
    EXPECT_DOUBLE_EQ(series->at(0).y(), HeightAt(state.context(), state.secondaryCache, state.port,
                                                 state.selectedDay));
    w.close();
}

TEST_F(MainWindowTest, TheWarningShowsOneLinePerEntryIncludingEmptyOnes) {
    for (const QString& langue : {kFrench, kEnglish}) {
        ResetState();
        StoreSettings({{"langue", langue}});
        DesktopWindows desktop(state, boxes);
        MainWindow& w = desktop.main();
        w.retranslate();
        const QStringList expected = MainWindowTexts{}.warning.lines(*LanguageOf(langue));
        const QTextDocument* document = Child<QTextEdit>(&w, "Avertissement")->document();
        QStringList shown;
        for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
            shown << b.text();
        EXPECT_EQ(shown, expected) << langue.toStdString();
        // Applied twice (a language switch answered No): still one copy.
        w.retranslate();
        EXPECT_EQ(document->blockCount(), expected.size());
    }
}

TEST_F(MainWindowTest, PortNamesOfFortyCharactersOrMoreAreLeftAligned) {
    struct Case {
        int length;
        Qt::Alignment horizontal;
    };
    const std::vector<Case> cases{
        {39, Qt::AlignHCenter}, {40, Qt::AlignLeft}, {41, Qt::AlignLeft}, {5, Qt::AlignHCenter}};
    std::vector<TestPort> ports;
    for (const Case& c : cases)
        ports.push_back({QString(c.length, QLatin1Char('A' + ports.size()))});
    WritePortTable(workDir(), ports);
    StoreSettings({{"langue", kFrench}});
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    auto* panel = Child<QLabel>(&w, "PortSelection");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        ASSERT_TRUE(desktop.portWindow()->selectNearest(ports[i].name));
        ASSERT_TRUE(desktop.portWindow()->confirm());
        EXPECT_EQ(panel->text(), ports[i].name);
        EXPECT_EQ(panel->alignment() & Qt::AlignHorizontal_Mask, cases[i].horizontal)
            << cases[i].length;
    }
}

TEST_F(MainWindowTest, TheLongestRememberedNameIsShownWhole) {
    const QString name = QStringLiteral("MISSISSIPPI SOUND AT USGS MERRILL SHELL BANK LIGHT");
    ASSERT_EQ(name.size(), kLastPortNameLength);
    WritePortTable(workDir(), {{name}, {QStringLiteral("WIDE WATERS WHARF")}});
    StoreSettings({{"langue", kEnglish}});
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    w.show();
    for (const QString& port : {name, QStringLiteral("WIDE WATERS WHARF")}) {
        ASSERT_TRUE(desktop.portWindow()->selectNearest(port));
        ASSERT_TRUE(desktop.portWindow()->confirm());
        QCoreApplication::processEvents();
        auto* panel = Child<QLabel>(&w, "PortSelection");
        const QRect room = panel->contentsRect().adjusted(panel->margin(), panel->margin(),
                                                          -panel->margin(), -panel->margin());
        const int flags =
            static_cast<int>(panel->alignment()) | (panel->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = panel->fontMetrics().boundingRect(room, flags, panel->text());
        EXPECT_TRUE(room.contains(needed))
            << port.toStdString() << ": needs " << needed.width() << "x" << needed.height()
            << ", has " << room.width() << "x" << room.height();
    }
    w.close();
}

TEST_F(MainWindowTest, CoefficientsFollowTheTimeZoneOfTheChosenPort) {
    // Under UT + 3 the day's midnight is placed with the current port's time zone.
    WritePortTable(workDir(), {{QStringLiteral("EAST PORT"), QStringLiteral("30 15 N"),
                                QStringLiteral("088 52 W"), -6, 5005},
                               {QStringLiteral("WEST PORT"), QStringLiteral("48 23 N"),
                                QStringLiteral("004 30 W"), 0, 1001}});
    StoreSettings({{"langue", kEnglish}, {"heure_service", 103}, {"dernier_port", "EAST PORT"}});
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    w.retranslate();
    w.acceptWarning();
    const auto label = [&] {
        return Child<QLabel>(&w, "coeffmatin")->text() + Child<QLabel>(&w, "CoeffSoir")->text();
    };
    const auto expected = [&](double timeZone) {
        const TideContext context(TimeReference(103), timeZone);
        const CoefficientPair c = DayCoefficients(context, state.selectedDay);
        return QString::fromStdString(MorningCoefficientLabel(c.morning, Language::English) +
                                      EveningCoefficientLabel(c.evening, Language::English));
    };
    ASSERT_NE(expected(-6), expected(0)); // the day chosen shows the difference
    EXPECT_EQ(label(), expected(-6));
    ASSERT_TRUE(desktop.portWindow()->selectNearest(QStringLiteral("WEST PORT")));
    ASSERT_TRUE(desktop.portWindow()->confirm());
    EXPECT_EQ(label(), expected(0));
}

TEST_F(MainWindowTest, StoredWindowBoundsAreUsedOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const qint64 huge = qint64(1) << 31;
    struct Case {
        qint64 top, left, width, height;
        QSize size;
    };
    const Case cases[] = {
        {40, 30, 500, 400, {500, 400}},
        {-huge, huge, huge, huge, screen.size()}, // no overflow, and the window stays visible
        {5000, -5000, 300, 200, {300, 200}},
    };
    for (const Case& c : cases) {
        StoreSettings({{"langue", kFrench},
                       {"P_top", c.top},
                       {"P_left", c.left},
                       {"P_width", c.width},
                       {"P_height", c.height}});
        DesktopWindows desktop(state, boxes);
        MainWindow& w = desktop.main();
        EXPECT_EQ(w.size(), c.size) << c.top;
        EXPECT_TRUE(screen.contains(w.geometry())) << c.top;
    }
}

TEST_F(MainWindowTest, LanguageSwitchRewritesReportAndLabels) {
    StoreSettings({{"langue", kFrench}, {"dernier_port", "BREST"}, {"icone", 1}});
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    w.show();
    ASSERT_TRUE(WaitFor([&] { return w.windowTitle() == QStringLiteral("Ondrel - v 4.6"); }));
    w.acceptWarning();
    auto* report = Child<QPlainTextEdit>(&w, "HeuresOndrel");
    const QString dateBefore = Child<QLabel>(&w, "DateSelection")->text();
    const QString frenchReport = report->toPlainText();
    ASSERT_TRUE(frenchReport.contains(QStringLiteral("hauteur")));

    // No: nothing changes.
    boxes.answers = {MessageBoxes::Answer::No};
    w.switchLanguage();
    EXPECT_EQ(state.settings.chosenLanguage, Language::French);
    EXPECT_EQ(report->toPlainText(), frenchReport);

    boxes.shown.clear();
    boxes.answers = {MessageBoxes::Answer::Yes};
    w.switchLanguage();
    EXPECT_EQ(state.settings.chosenLanguage, Language::English);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].kind, QStringLiteral("question"));
    EXPECT_TRUE(boxes.shown[0].text.startsWith(
        QStringLiteral("Désirez-vous passer à la version <Anglaise>")));
    EXPECT_TRUE(boxes.shown[1].text.startsWith(QStringLiteral("Si vous désirez revenir")));
    EXPECT_EQ(report->toPlainText(), ExpectedReport(w));
    EXPECT_TRUE(report->toPlainText().contains(QStringLiteral("height : ")));
    EXPECT_TRUE(Child<QLabel>(&w, "coeffmatin")->text().startsWith(QStringLiteral("morning : ")));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Brevane - v 4.6"));
    EXPECT_EQ(Child<QPushButton>(&w, "BQuitter")->text(), QStringLiteral("&Reduce")); // icone set
    // The curve window on screen follows at once, without waiting to be activated.
    ASSERT_TRUE(desktop.curveWindow()->isVisible());
    EXPECT_EQ(desktop.curveWindow()->windowTitle(), QStringLiteral("Time versus Tide Plot"));
    // The date speaks the new language at once.
    EXPECT_NE(Child<QLabel>(&w, "DateSelection")->text(), dateBefore);
    EXPECT_EQ(Child<QLabel>(&w, "DateSelection")->text(),
              QStringLiteral("Wednesday, 13 March 2024"));

    // And back, with the English question.
    boxes.shown.clear();
    boxes.answers = {MessageBoxes::Answer::Yes};
    w.switchLanguage();
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("Do you wish to change to the <French> language version? "));
    EXPECT_EQ(state.settings.chosenLanguage, Language::French);
    EXPECT_EQ(report->toPlainText(), frenchReport);
    w.close();
}

TEST_F(MainWindowTest, ImportOnTheCommandLineReportsItsFailure) {
    StoreSettings({{"langue", kFrench}});
    DesktopWindows desktop(state, boxes);
    desktop.importAtStart({"ondrel", "/A", "ports.add"});
    EXPECT_TRUE(boxes.shown.empty()); // upper case: no import asked
    desktop.importAtStart({"ondrel", "/a", "ports.add"});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, QStringLiteral("plain"));
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("Impossible de trouver le fichier d'ajout de ports"));
    // A file that imports: tests/app/PortManagementTest.cpp.
}

TEST_F(MainWindowTest, ImportFailureIsSilentBeforeAnyLanguage) {
    DesktopWindows desktop(state, boxes);
    desktop.importAtStart({"ondrel", "/a", "missing.add"});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindowTest, TideTableNeedsAPort) {
    StoreSettings({{"langue", kEnglish}});
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    QSignalSpy shown(&w, &MainWindow::tideTableRequested);
    EXPECT_FALSE(
        w.findChild<QPushButton*>(QStringLiteral("Annuaire"))->isEnabled()); // until accepted
    w.showTideTable();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("You have first to select a port !"));
    EXPECT_EQ(shown.count(), 0);
}

TEST_F(MainWindowTest, QuittingSavesExactlyOnce) {
    StoreSettings({{"langue", kFrench}});
    {
        DesktopWindows desktop(state, boxes);
        MainWindow& w = desktop.main();
        QSignalSpy quit(&w, &MainWindow::quitRequested);
        QTest::mouseClick(Child<QPushButton>(&w, "AvertissementNO"), Qt::LeftButton);
        EXPECT_EQ(quit.count(), 1);
        state.settings.timeReference = TimeReference(103);
        w.saveSettings();
        state.settings.timeReference = TimeReference(104); // after the save: not written
        w.saveSettings();
    }
    EXPECT_EQ(store()->value("heure_service").toInt(), 103);
}

TEST_F(MainWindowTest, SettingsThatCannotBeSavedAreReported) {
    StoreSettings({{"langue", kEnglish}});
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    const QString file = store()->fileName();
    // A folder where the settings file goes: the store cannot write it.
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file));
    boxes.shown.clear();
    w.saveSettings();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("The settings could not be saved to %1.").arg(file));
}

TEST_F(MainWindowTest, ASettingsFileThatIsNoFileIsNeitherReadNorReplaced) {
    const QString file = QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("OndrelTest.conf");
    const std::function<bool()> makes[] = {
        [&] { return ::mkfifo(file.toLocal8Bit().constData(), 0600) == 0; },
        [&] { return QFile::link(QStringLiteral("/dev/null"), file); },
    };
    for (const auto& make : makes) {
        QFile::remove(file);
        ASSERT_TRUE(make());
        const QFileInfo before(file);
        boxes.shown.clear();
        {
            DesktopWindows desktop(state, boxes);
            QCoreApplication::processEvents(); // a FIFO read here would never return
            desktop.main().saveSettings();
        }
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.startsWith(file + QStringLiteral(" n'est pas")));
        const QFileInfo after(file);
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_FALSE(after.isFile());
    }
    QFile::remove(file);
}

TEST_F(MainWindowTest, MissingTableIsReportedAndNothingBreaks) {
    QFile::remove(QDir(workDir()).filePath("ports.dbf"));
    QFile::remove(QDir(workDir()).filePath("ports.tags"));
    // A user data folder holding a damaged table stands for "no usable table anywhere".
    const QString userDir = QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath("Ondrel");
    QDir().mkpath(userDir);
    QFile bad(QDir(userDir).filePath("ports.dbf"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a table");
    bad.close();

    StoreSettings({{"langue", kEnglish}, {"dernier_port", "BREST"}});
    DesktopWindows desktop(state, boxes);
    MainWindow& w = desktop.main();
    EXPECT_FALSE(desktop.portWindow()->tableIsOpen());
    w.acceptWarning();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("The port table cannot be opened")));
    w.choosePort();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_FALSE(desktop.portWindow()->isVisible());
    EXPECT_TRUE(Child<QLabel>(&w, "PortSelection")->text().isEmpty());
}

} // namespace
} // namespace ondrel::test
