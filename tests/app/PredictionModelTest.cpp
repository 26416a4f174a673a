// The prediction model chosen in the options window: the main window's report, the curve, the
// interval readout, the tide table with its export and the notification icon follow it, each
// compared with the engine called directly; the table model stays the default; a port or a file
// without the full list keeps the table model and says so.
#include "GuiTestSupport.h"

#include "app/DesktopWindows.h"
#include "chart/CurveChart.h"
#include "chart/CurveTexts.h"
#include "engine/Curve.h"
#include "engine/Extremes.h"
#include "engine/Report.h"
#include "engine/Secondary.h"
#include "engine/TidePosition.h"
#include "ports/HarmonicsFile.h"
#include "texts/TideTableText.h"
#include "views/curve/CurveWindow.h"
#include "views/main/MainWindow.h"
#include "views/main/OptionsWindow.h"
#include "views/main/TrayIcon.h"
#include "views/tidetable/TideTableWindow.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace ondrel::test {
namespace {

const QString kShippedHarmonics = QStringLiteral(ONDREL_SOURCE_DIR "/data/harmonics.bin");

enum class Data {
    Shipped,     // the shipped table and its harmonic data
    TestTable,   // a test table (no port of it is in the data) beside the shipped data
    DamagedFile, // the shipped table beside harmonic data cut short
    MissingFile, // the shipped table alone: the shipped data serves it
};

class PredictionModelTest : public GuiTest {
protected:
    QString harmonicsPath() const { return QDir(workDir()).filePath(kHarmonicsFileName); }

    void Install(Data data) {
        if (data == Data::TestTable)
            WritePortTable(workDir(), SmallPortList());
        else
            CopyShippedTable(workDir());
        if (data == Data::MissingFile) return;
        ASSERT_TRUE(QFile::copy(kShippedHarmonics, harmonicsPath()));
        QFile::setPermissions(harmonicsPath(), QFile::ReadOwner | QFile::WriteOwner);
        if (data == Data::DamagedFile) {
            QFile file(harmonicsPath());
            ASSERT_TRUE(file.resize(file.size() / 2));
        }
    }

    // The program as it starts, the warning accepted, on the stored port and model.
    std::unique_ptr<DesktopWindows> Start(const char* port, bool full) {
        store()->setValue("langue", kEnglish);
        store()->setValue("dernier_port", QString::fromUtf8(port));
        if (full) store()->setValue("modele_prediction", 1);
        auto desktop = std::make_unique<DesktopWindows>(state, boxes);
        desktop->main().retranslate();
        desktop->main().acceptWarning();
        EXPECT_EQ(QString::fromStdString(state.port.name), QString::fromUtf8(port));
        return desktop;
    }

    // The item of the options window's prediction box, then OK.
    static void ChooseInOptions(DesktopWindows& desktop, int item) {
        OptionsWindow& options = *desktop.optionsWindow();
        options.show();
        options.findChild<QWidget*>(QStringLiteral("choixmodele"))
            ->findChildren<QRadioButton*>()
            .at(item)
            ->click();
        QTest::mouseClick(options.findChild<QPushButton*>(QStringLiteral("boutonOK")),
                          Qt::LeftButton);
    }

    // The current port's constants read from the data as ondrel-cli reads them.
    std::shared_ptr<const HarmonicConstants> FileConstants() const {
        HarmonicsFile file;
        if (!file.open(HarmonicsToReadFor(QDir(workDir()).filePath(QStringLiteral("ports.dbf")))))
            return nullptr;
        return file.constantsFor(state.port);
    }

    template <typename Source> QString ReportOf(const Source& source) const {
        QStringList lines;
        for (const std::string& line :
             DayReportLines(DayTideEvents(state.context(), source, state.selectedDay),
                            state.settings.heightUnit, state.settings.language()))
            lines << QString::fromStdString(line);
        return lines.join(u'\n');
    }

    static QString ShownReport(DesktopWindows& desktop) {
        return desktop.main()
            .findChild<QPlainTextEdit*>(QStringLiteral("HeuresOndrel"))
            ->toPlainText();
    }
    static const QLabel* ModelLabel(DesktopWindows& desktop) {
        return desktop.main().findChild<QLabel*>(QStringLiteral("LabelModele"));
    }
};

struct ReportCase {
    const char* label;
    Data data;
    const char* port;
    bool fullList;     // the report changes with the choice
    const char* shown; // the model line under the report (%1: the number of constituents)
    bool fileProblem;  // told once, naming the file
};

class PredictionReportTest : public PredictionModelTest,
                             public ::testing::WithParamInterface<ReportCase> {};

TEST_P(PredictionReportTest, TheReportFollowsTheChoiceWhereThePortHasAFullList) {
    const ReportCase& c = GetParam();
    Install(c.data);
    auto desktop = Start(c.port, false);
    // The table model through the engine's own entry for a port record, as before the choice.
    const QString tableReport = ReportOf(state.port);
    // The default: the table model, no model line, nothing stored.
    EXPECT_EQ(ShownReport(*desktop), tableReport);
    EXPECT_TRUE(ModelLabel(*desktop)->isHidden());

    ChooseInOptions(*desktop, 1);
    EXPECT_EQ(state.settings.prediction, PredictionModel::Full);
    const auto constants = FileConstants();
    ASSERT_EQ(constants != nullptr, c.fullList);
    if (c.fullList) {
        const QString fullReport = ReportOf(TideSource(state.port, constants));
        EXPECT_NE(fullReport, tableReport); // the case tells the two models apart
        EXPECT_EQ(ShownReport(*desktop), fullReport);
    } else {
        EXPECT_EQ(ShownReport(*desktop), tableReport);
    }
    EXPECT_FALSE(ModelLabel(*desktop)->isHidden());
    const int count = constants ? static_cast<int>(constants->terms.size()) : 0;
    EXPECT_EQ(ModelLabel(*desktop)->text(), QString::fromUtf8(c.shown).arg(count));
    if (c.fileProblem) {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains(QDir::toNativeSeparators(harmonicsPath())))
            << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(ModelLabel(*desktop)->toolTip().contains(harmonicsPath()));
    } else {
        EXPECT_TRUE(boxes.shown.empty()) << boxes.texts().join(u'|').toStdString();
    }
    // Said once: OK again reloads the port without a second message.
    ChooseInOptions(*desktop, 1);
    EXPECT_EQ(boxes.shown.size(), c.fileProblem ? 1u : 0u);

    // Back to the table model: its report again, no model line.
    ChooseInOptions(*desktop, 0);
    EXPECT_EQ(state.settings.prediction, PredictionModel::Table);
    EXPECT_EQ(ShownReport(*desktop), tableReport);
    EXPECT_TRUE(ModelLabel(*desktop)->isHidden());
    desktop->main().close();
}

INSTANTIATE_TEST_SUITE_P(
    Prediction, PredictionReportTest,
    ::testing::Values(ReportCase{"StandardPort", Data::Shipped, "LE HAVRE", true,
                                 "Full harmonics (%1 constituents)", false},
                      ReportCase{"SecondaryPort", Data::Shipped, "ABBOTS MEADOW", true,
                                 "Full harmonics (%1 constituents)", false},
                      ReportCase{"PortNotInTheData", Data::TestTable, "BREST", false,
                                 "Table model: no harmonic data for this port", false},
                      ReportCase{"DamagedFile", Data::DamagedFile, "LE HAVRE", false,
                                 "Table model: harmonic data file unusable", true},
                      ReportCase{"MissingFile", Data::MissingFile, "LE HAVRE", true,
                                 "Full harmonics (%1 constituents)", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(PredictionModelTest, TheChoiceIsStoredOnlyWhileFullHarmonicsAreChosen) {
    struct Case {
        QVariant stored; // invalid: no key
        PredictionModel read;
    };
    for (const Case& c : {Case{QVariant(), PredictionModel::Table}, Case{1, PredictionModel::Full},
                          Case{0, PredictionModel::Table}, Case{2, PredictionModel::Table},
                          Case{QStringLiteral("full"), PredictionModel::Table}}) {
        store()->clear();
        store()->setValue("langue", kFrench);
        if (c.stored.isValid()) store()->setValue("modele_prediction", c.stored);
        EXPECT_EQ(LoadSettings(*store()).prediction, c.read) << c.stored.toString().toStdString();
    }
    for (const PredictionModel model : {PredictionModel::Full, PredictionModel::Table}) {
        Settings s;
        s.chosenLanguage = Language::French;
        s.prediction = model;
        {
            auto out = store();
            ASSERT_TRUE(SaveSettings(*out, s));
        }
        EXPECT_EQ(LoadSettings(*store()).prediction, model);
        EXPECT_EQ(store()->contains("modele_prediction"), model == PredictionModel::Full);
    }
}

TEST_F(PredictionModelTest, TheOptionsWindowShowsTheChoiceAndCancelKeepsIt) {
    for (const auto& [langue, table, full] :
         {std::tuple{kFrench, "Modèle du tableau (21 ondes)", "Harmoniques complètes"},
          std::tuple{kEnglish, "Table model (21 constituents)", "Full harmonics"}}) {
        state.settings.chosenLanguage = LanguageOf(langue);
        state.settings.prediction = PredictionModel::Full;
        OptionsWindow w(state.settings, boxes);
        w.show();
        const auto items =
            w.findChild<QWidget*>(QStringLiteral("choixmodele"))->findChildren<QRadioButton*>();
        ASSERT_EQ(items.size(), 2);
        EXPECT_EQ(items[0]->text(), QString::fromUtf8(table));
        EXPECT_EQ(items[1]->text(), QString::fromUtf8(full));
        EXPECT_TRUE(items[1]->isChecked());
        items[0]->click();
        w.cancel();
        EXPECT_EQ(state.settings.prediction, PredictionModel::Full);
        w.show();
        EXPECT_TRUE(items[1]->isChecked());
        w.hide();
    }
}

class PredictionWindowsTest : public PredictionModelTest,
                              public ::testing::WithParamInterface<const char*> {};

// With full harmonics stored, every window that computes heights or times gives what the engine
// gives with the port's constants, and not what the table model gives.
TEST_P(PredictionWindowsTest, CurveIntervalTableAndIconFollowTheFullModel) {
    Install(Data::Shipped);
    auto desktop = Start(GetParam(), true);
    const auto constants = FileConstants();
    ASSERT_NE(constants, nullptr);
    const TideSource full(state.port, constants);
    const TideSource table(state.port);
    const TideContext ctx = state.context();
    const long double factor = UnitFactor(state.settings.heightUnit);
    const double start = state.selectedDay + state.settings.curveStart;
    const double end = state.selectedDay + state.settings.curveEnd;
    const auto curveOf = [&](const TideSource& source) {
        SecondaryDayCache cache;
        cache.prepare(ctx, source, start);
        return DayCurve(ctx, cache, source, start, end, factor);
    };
    const auto ys = [](const std::vector<CurvePoint>& points) {
        std::vector<double> y;
        for (const CurvePoint& p : points)
            y.push_back(p.y);
        return y;
    };

    // The curve and its foot.
    CurveWindow& curve = *desktop->curveWindow();
    EXPECT_EQ(ys(curve.chart()->data().points), ys(curveOf(full)));
    EXPECT_NE(ys(curveOf(full)), ys(curveOf(table)));
    if (!curve.elementsOn()) curve.toggleElements();
    ASSERT_FALSE(curve.chart()->data().foot.isEmpty());
    EXPECT_EQ(curve.chart()->data().foot.at(0),
              FootEventsLine(DayTideEvents(ctx, full, state.selectedDay), state.settings.language(),
                             factor));

    // The readouts and the interval search read the same heights.
    SecondaryDayCache cache;
    for (const double hour : {3.25, 11.5, 20.75}) {
        const double t = state.selectedDay + hour / 24;
        cache.prepare(ctx, full, t);
        EXPECT_EQ(curve.heightAt(t), static_cast<double>(HeightAt(ctx, cache, full, t) * factor))
            << hour;
    }

    // The tide table and its spreadsheet export.
    TideTableWindow& tideTable = *desktop->tideTableWindow();
    tideTable.show();
    tideTable.startPicker()->setDate(QDate(2024, 3, 13));
    tideTable.endPicker()->setDate(QDate(2024, 3, 20));
    tideTable.calculate();
    TideTableRequest request;
    request.port = state.port;
    request.context = ctx;
    request.start = tideTable.rangeStart();
    request.end = tideTable.rangeEnd();
    request.unit = state.settings.heightUnit;
    request.language = state.settings.language();
    request.decimalSeparator = state.settings.decimalSeparator.isEmpty()
                                   ? QStringLiteral(",")
                                   : state.settings.decimalSeparator;
    request.filter = state.tideTableFilter;
    const QStringList tableModelLines = ComputeTideTable(request).lines;
    request.harmonics = constants;
    const TideTable expected = ComputeTideTable(request);
    EXPECT_EQ(tideTable.lines(), expected.lines);
    EXPECT_NE(tideTable.lines(), tableModelLines);
    const QString csv = QDir(workDir()).filePath(QStringLiteral("table.csv"));
    ASSERT_TRUE(tideTable.saveTo(csv));
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()),
              TideTableCsv(expected, state.port, request.unit, request.language));
    tideTable.hide();

    // The notification icon, through the day: the full model's position every time, and at
    // least one instant where the table model's differs.
    TrayIcon& tray = *desktop->trayIcon();
    const auto iconOf = [&](const TideSource& source, double at) {
        return QString::fromStdString(TideIconName(TidePositionIndex(
            [&](int days) { return DayTideEvents(ctx, source, state.selectedDay + days); }, at)));
    };
    int differing = 0;
    for (int minutes = 0; minutes < 24 * 60; minutes += 10) {
        now = QDateTime(QDate(2024, 3, 13), QTime(0, 0)).addSecs(minutes * 60);
        const double at = state.selectedDay + minutes / 1440.0;
        tray.refresh();
        EXPECT_EQ(tray.iconName(), iconOf(full, at)) << minutes;
        differing += iconOf(table, at) != iconOf(full, at);
    }
    EXPECT_GT(differing, 0);
    tray.remove();
    desktop->main().close();
}

INSTANTIATE_TEST_SUITE_P(Prediction, PredictionWindowsTest,
                         ::testing::Values("LE HAVRE", "ABBOTS MEADOW"), [](const auto& info) {
                             return std::string(info.index == 0 ? "StandardPort" : "SecondaryPort");
                         });

} // namespace
} // namespace ondrel::test
