// The port's legal time chosen in the options window: stored as 200 beside the four references,
// the main window's report read in the offset in force (summer time one hour ahead of UT+1 at
// Brest, winter time equal to it), and the status label and the tide table naming the port's zone,
// or saying it has none.
#include "GuiTestSupport.h"

#include "app/DesktopWindows.h"
#include "ports/HarmonicsFile.h"
#include "views/main/MainWindow.h"
#include "views/main/OptionsWindow.h"
#include "views/tidetable/TideTableWindow.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <set>

namespace ondrel::test {
namespace {

const QString kShippedHarmonics = QStringLiteral(ONDREL_SOURCE_DIR "/data/harmonics.bin");
constexpr int kUtPlusOneItem = 1;
constexpr int kLegalItem = 4;

struct LegalCase {
    const char* label;
    bool shippedData; // the shipped table and its zones, else a test table without zones
    QDate date;
    int minutesAheadOfUtPlusOne; // the legal time's offset from UT+1 that day
    const char* statusWords;     // in the main window's status label
};

class LegalTimeGuiTest : public GuiTest, public ::testing::WithParamInterface<LegalCase> {
protected:
    void Install(bool shipped) {
        if (!shipped) {
            // A companion of its own that names no zone (else the shipped one would serve).
            WritePortTable(workDir(), SmallPortList());
            WriteHarmonicsFile(QDir(workDir()).filePath(kHarmonicsFileName), {}, 0);
            return;
        }
        CopyShippedTable(workDir());
        const QString path = QDir(workDir()).filePath(kHarmonicsFileName);
        ASSERT_TRUE(QFile::copy(kShippedHarmonics, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    // The item of the options window's time-reference box, then OK.
    static void ChooseReference(DesktopWindows& desktop, int item) {
        OptionsWindow& options = *desktop.optionsWindow();
        options.show();
        ReferenceButtons(options).at(item)->click();
        QTest::mouseClick(options.findChild<QPushButton*>(QStringLiteral("boutonOK")),
                          Qt::LeftButton);
    }
    static QList<QRadioButton*> ReferenceButtons(OptionsWindow& options) {
        return options.findChild<QWidget*>(QStringLiteral("choixfuseau"))
            ->findChildren<QRadioButton*>();
    }

    // The report's times in minutes of the day.
    static std::set<int> ReportMinutes(DesktopWindows& desktop) {
        const QString report = desktop.main()
                                   .findChild<QPlainTextEdit*>(QStringLiteral("HeuresOndrel"))
                                   ->toPlainText();
        std::set<int> minutes;
        static const QRegularExpression time(QStringLiteral("(\\d\\d):(\\d\\d)"));
        for (auto it = time.globalMatch(report); it.hasNext();) {
            const auto m = it.next();
            minutes.insert(m.captured(1).toInt() * 60 + m.captured(2).toInt());
        }
        return minutes;
    }
    static QString StatusLabel(DesktopWindows& desktop) {
        return desktop.main().findChild<QLabel*>(QStringLiteral("fuseau"))->text();
    }
};

TEST_P(LegalTimeGuiTest, TheReportFollowsTheOffsetInForceAndTheLabelNamesTheZone) {
    const LegalCase& c = GetParam();
    Install(c.shippedData);
    now = QDateTime(c.date, QTime(10, 30));
    store()->setValue("langue", kEnglish);
    store()->setValue("dernier_port", QStringLiteral("BREST"));
    DesktopWindows desktop(state, boxes);
    desktop.main().retranslate();
    desktop.main().acceptWarning();
    ASSERT_EQ(QString::fromStdString(state.port.name), QStringLiteral("BREST"));

    // The fifth item sits beside the four, which keep their codes.
    ASSERT_EQ(ReferenceButtons(*desktop.optionsWindow()).size(), 5);
    ChooseReference(desktop, kUtPlusOneItem);
    ASSERT_EQ(state.settings.timeReference.code(), 1);
    const std::set<int> utPlusOne = ReportMinutes(desktop);
    ASSERT_GE(utPlusOne.size(), 3u);

    ChooseReference(desktop, kLegalItem);
    EXPECT_EQ(state.settings.timeReference.code(), TimeReference::kLegalCode);
    const std::set<int> legal = ReportMinutes(desktop);
    // The legal day starts minutesAheadOfUtPlusOne later in UT: the events of both days, each
    // read in its own offset, are the same instants.
    const int shift = c.minutesAheadOfUtPlusOne;
    std::set<int> expected;
    for (int m : utPlusOne)
        if (m + shift < 24 * 60) expected.insert(m + shift);
    std::set<int> legalShared;
    for (int m : legal)
        if (m >= shift) legalShared.insert(m);
    EXPECT_EQ(legalShared, expected);

    EXPECT_TRUE(StatusLabel(desktop).contains(QString::fromUtf8(c.statusWords)))
        << StatusLabel(desktop).toStdString();
    // The tide table's time-reference line says the same.
    TideTableWindow& tideTable = *desktop.tideTableWindow();
    tideTable.show();
    tideTable.startPicker()->setDate(c.date);
    tideTable.endPicker()->setDate(c.date.addDays(7));
    tideTable.calculate();
    EXPECT_TRUE(tideTable.lines().join(u'\n').contains(QString::fromUtf8(c.statusWords)));
    tideTable.hide();

    // Stored as 200 and read back, and the options window opens on the fifth item.
    {
        auto out = store();
        ASSERT_TRUE(SaveSettings(*out, state.settings));
    }
    EXPECT_EQ(LoadSettings(*store()).timeReference.code(), TimeReference::kLegalCode);
    desktop.optionsWindow()->show();
    EXPECT_TRUE(ReferenceButtons(*desktop.optionsWindow()).at(kLegalItem)->isChecked());
    desktop.optionsWindow()->hide();

    // Back to UT+1: the same report as before, and its own label.
    ChooseReference(desktop, kUtPlusOneItem);
    EXPECT_EQ(ReportMinutes(desktop), utPlusOne);
    EXPECT_FALSE(StatusLabel(desktop).contains(QString::fromUtf8(c.statusWords)));
    desktop.main().close();
}

INSTANTIATE_TEST_SUITE_P(
    Legal, LegalTimeGuiTest,
    ::testing::Values(
        LegalCase{"BrestInSummer", true, QDate(2026, 7, 1), 60, "Europe/Paris"},
        LegalCase{"BrestInWinter", true, QDate(2026, 1, 15), 0, "Europe/Paris"},
        // A port of a test table has no zone: its standard time (UT+1), and the words saying so.
        LegalCase{"PortWithoutZone", false, QDate(2026, 7, 1), 0, "Legal time unknown"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace ondrel::test
