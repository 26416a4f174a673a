// Managing the port table from the desktop program: the countries of the port list, the
// secondary-port wizard in both modes, deleting a secondary port, importing an .add file.
#include "GuiTestSupport.h"

#include "CorrectionTexts.h"
#include "CountriesWindow.h"
#include "CurveWindow.h"
#include "DesktopWindows.h"
#include "ImportListWindow.h"
#include "ImportTexts.h"
#include "MainWindow.h"
#include "PortImportFlow.h"
#include "PortTable.h"
#include "PortWindow.h"
#include "ProjectInfo.h"
#include "SecondaryPortWizard.h"
#include "SecondaryPortsWindow.h"
#include "TideTableWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <functional>

namespace ondrel::test {
namespace {

const std::array<double, 8> kConquetCorrections{0.1, 0.05, -0.1, 91.05, -0.25, 0.5, 1.5, 0.999};

std::vector<TestPort> Ports() {
    std::vector<TestPort> ports = SmallPortList();
    ports.push_back({QStringLiteral("LE CONQUET"), QStringLiteral("48 22 N"),
                     QStringLiteral("004 47 W"), 1, 1001, QStringLiteral("BREST"),
                     kConquetCorrections});
    ports.push_back(
        {QStringLiteral("RIAS"), QStringLiteral("42 10 N"), QStringLiteral("008 50 W"), 1, 5012});
    return ports;
}

class PortManagementTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        store()->setValue(QStringLiteral("langue"), kFrench);
        state.settings.chosenLanguage = Language::French;
        state.settings.decimalSeparator = QStringLiteral(",");
    }
    QString tablePath() const { return QDir(workDir()).filePath(QStringLiteral("ports.dbf")); }
    // A fresh table object: what another program reading the file sees.
    static bool OnDisk(const QString& path, const QString& name, PortTable& table) {
        table.open(path);
        table.selectTag(PortTag::Name);
        return table.findKey(name);
    }
    static QStringList Names(QTableView* grid) {
        QStringList list;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            list << grid->model()->index(r, 0).data().toString();
        return list;
    }
    template <typename W> static W* Child(QObject* parent, const char* name) {
        return parent->findChild<W*>(QString::fromLatin1(name));
    }
};

TEST(CorrectionTextsTest, EditAndSummaryTexts) {
    struct Case {
        const char* text;
        std::optional<double> hours;
        const char* summary;
    };
    for (const Case& c : {Case{"+1 30", 1.5, "1h30mn"}, Case{"-1 30", -1.5, "-1h30mn"},
                          Case{"-0 30", -0.5, "-0h30mn"}, Case{"+0 12", 0.2, "0h12mn"},
                          Case{"+0 21", 0.35, "0h21mn"}, Case{"+2 00", 2, "2h00mn"},
                          Case{"+   ", std::nullopt, ""}, Case{" 1 3 ", 1.05, "1h03mn"}}) {
        const auto hours = TimeCorrectionOfText(QString::fromLatin1(c.text));
        ASSERT_EQ(hours.has_value(), c.hours.has_value()) << c.text;
        if (!hours) continue;
        EXPECT_NEAR(*hours, *c.hours, 1e-12) << c.text;
        EXPECT_EQ(TimeCorrectionText(*hours), QString::fromLatin1(c.summary)) << c.text;
    }
    struct Edit {
        double value;
        const char* time;
        const char* height;
    };
    for (const Edit& e :
         {Edit{-1.5, "-1 30", "-1,50"}, Edit{0.2, "+0 12", "+0,20"}, Edit{-0.25, "-0 15", "-0,25"},
          Edit{0.999, "+0 60", "+1,00"}, Edit{91.05, "+91 03", "91,05"}}) {
        EXPECT_EQ(TimeCorrectionEditText(e.value), QString::fromLatin1(e.time)) << e.value;
        EXPECT_EQ(HeightCorrectionEditText(e.value, QLatin1Char(',')),
                  QString::fromLatin1(e.height))
            << e.value;
        EXPECT_NEAR(*HeightCorrectionOfText(QString::fromLatin1(e.height), QLatin1Char(',')),
                    std::round(e.value * 100) / 100, 1e-12);
    }
    EXPECT_FALSE(HeightCorrectionOfText(QStringLiteral("+0.50"), QLatin1Char(',')));
    EXPECT_EQ(HeightCorrectionSummary(-1.75, QLatin1Char(',')), QStringLiteral("-1,75 m"));
}

TEST_F(PortManagementTest, CountriesNarrowThePortList) {
    WritePortTable(workDir(), Ports());
    PortWindow ports(state, boxes);
    CountriesWindow countries(state, boxes, ports.table(), [&] { ports.refreshList(); });
    ASSERT_TRUE(countries.hasCountryCodes());
    EXPECT_EQ(countries.box(36), nullptr);
    EXPECT_TRUE(countries.box(1)->isEnabled());  // France
    EXPECT_TRUE(countries.box(12)->isEnabled()); // RIAS, 5012
    EXPECT_FALSE(countries.box(2)->isEnabled()); // no Spanish port
    EXPECT_EQ(countries.box(21)->text(), QStringLiteral("Grande Bretagne"));
    auto* grid = Child<QTableView>(&ports, "DBGrid1");
    auto* ok = Child<QPushButton>(&countries, "BOK");

    countries.show();
    countries.boxClicked(12, false);
    EXPECT_TRUE(ok->isEnabled());
    countries.confirm();
    EXPECT_FALSE(Names(grid).contains(QStringLiteral("RIAS")));
    EXPECT_TRUE(Names(grid).contains(QStringLiteral("ZANZIBAR"))); // zone 9: no country

    countries.show();
    countries.boxClicked(0, false);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(countries.box(1)->isChecked());
    countries.hide(); // cancel: the choice stays
    EXPECT_TRUE(state.settings.countrySelected[1]);

    countries.show();
    EXPECT_FALSE(countries.box(12)->isChecked());
    countries.boxClicked(0, true);
    EXPECT_TRUE(countries.box(12)->isChecked());
    countries.confirm();
    EXPECT_TRUE(state.settings.countrySelected[36]);
    EXPECT_TRUE(Names(grid).contains(QStringLiteral("RIAS")));
}

TEST_F(PortManagementTest, CountriesOfATableWithoutThemOrWithUnknownOnes) {
    struct Case {
        const char* what;
        std::vector<qint64> zones;
        bool codes;
        int messages;
    };
    for (const Case& c :
         {Case{"first port of a plain zone", {7, 1001}, false, 0},
          Case{"forty ports of unknown countries", std::vector<qint64>(40, 3999), true, 1}}) {
        SCOPED_TRACE(c.what);
        std::vector<TestPort> list;
        for (std::size_t i = 0; i < c.zones.size(); ++i)
            list.push_back({QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0')), "48 00 N",
                            "004 00 W", 1, c.zones[i]});
        WritePortTable(workDir(), list);
        boxes.shown.clear();
        PortWindow ports(state, boxes);
        CountriesWindow countries(state, boxes, ports.table(), {});
        EXPECT_EQ(countries.hasCountryCodes(), c.codes);
        EXPECT_EQ(countries.box(0)->isEnabled(), c.codes);
        EXPECT_FALSE(countries.box(1)->isEnabled());
        ASSERT_EQ(static_cast<int>(boxes.shown.size()), c.messages);
        if (c.messages) {
            EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("40 port(s)")));
        }
    }
}

TEST_F(PortManagementTest, WizardAddsASecondaryPort) {
    WritePortTable(workDir(), Ports());
    PortWindow ports(state, boxes);
    SecondaryPortWizard wizard(state, boxes, ports);
    wizard.startAdd();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Ajout d'un port 1/4"));
    wizard.next();
    ASSERT_EQ(wizard.page(), 2);
    auto* list = Child<QTableView>(&wizard, "DBGrid1");
    EXPECT_FALSE(Names(list).contains(QStringLiteral("LE CONQUET"))); // standard ports only
    // Letters typed together make one prefix: "BRI" reaches BRIGHTON, not the ports of I.
    QTest::keyClicks(list, QStringLiteral("BRI"));
    EXPECT_EQ(list->currentIndex().data().toString(), QStringLiteral("BRIGHTON"));
    // A new run starts a new prefix.
    wizard.cancel();
    wizard.startAdd();
    wizard.next();
    ASSERT_EQ(wizard.page(), 2);
    wizard.standardPortKey(QLatin1Char('B'));
    EXPECT_EQ(list->currentIndex().data().toString(), QStringLiteral("BREST"));
    wizard.next();
    ASSERT_EQ(wizard.page(), 3);

    const auto field = [&](const char* name) { return Child<QLineEdit>(&wizard, name); };
    // The mends of page 3: each refusal keeps the page, says why and focuses the field.
    struct Refusal {
        const char* field;
        QString text;
        QString message;
    };
    const Refusal refusals[] = {
        {"lnom", QStringLiteral("  "), QStringLiteral("Entrez le nom du port.")},
        {"lnom", QStringLiteral("étel"),
         QStringLiteral("Un port nommé \"étel\" existe déjà dans la base de données : choisissez "
                        "un autre nom.")},
        // The historical text, then the field and the form it expects.
        {"heure_bmve", QStringLiteral("+"),
         QStringLiteral("Problème fichier corrections 3 ligne 112 et 113\n"
                        "Correction d'heure, basse mer de vives-eaux : signe ou chiffre, chiffre, "
                        "espace, deux chiffres de minutes (par exemple +1 30 ou -0 45)")},
        {"hauteur_pmme", QStringLiteral("-"),
         QStringLiteral("Problème fichier corrections 3 ligne 96 à 99\n"
                        "Correction de hauteur, pleine mer de mortes-eaux : signe ou chiffre, "
                        "chiffre, « , », deux décimales (par exemple +0,50 ou -1,75)")},
    };
    field("lnom")->setText(QStringLiteral("Aber Wrac'h"));
    for (const Refusal& r : refusals) {
        const QString kept = field(r.field)->text();
        field(r.field)->setText(r.text);
        boxes.shown.clear();
        wizard.next();
        EXPECT_EQ(wizard.page(), 3) << r.field;
        ASSERT_EQ(boxes.texts(), QStringList{r.message}) << r.field;
        EXPECT_EQ(wizard.focusWidget(), field(r.field));
        field(r.field)->setText(kept);
    }

    const char* times[] = {"heure_pmve", "heure_pmme", "heure_bmve", "heure_bmme"};
    const char* heights[] = {"hauteur_pmve", "hauteur_pmme", "hauteur_bmve", "hauteur_bmme"};
    const QString timeTexts[] = {"+1 30", "-0 30", "+0 12", "-1 00"};
    const QString heightTexts[] = {"+0,50", "-0,25", "91,05", "+1,00"};
    for (int i = 0; i < 4; ++i) {
        field(times[i])->setText(timeTexts[i]);
        field(heights[i])->setText(heightTexts[i]);
    }
    field("dlat")->setText(QStringLiteral("48"));
    field("mlat")->setText(QStringLiteral("36"));
    boxes.shown.clear();
    wizard.next();
    ASSERT_EQ(wizard.page(), 4);
    EXPECT_EQ(Child<QLabel>(&wizard, "Label13")->text(), QStringLiteral("BREST"));
    EXPECT_EQ(Child<QLabel>(&wizard, "Label5")->text(), QStringLiteral("-0h30mn"));
    EXPECT_EQ(Child<QLabel>(&wizard, "Label10")->text(), QStringLiteral("91,05 m"));
    ASSERT_TRUE(wizard.store());
    EXPECT_EQ(boxes.texts(), QStringList{"Aber Wrac'h a été ajouté dans la liste"});

    PortTable table;
    ASSERT_TRUE(OnDisk(tablePath(), QStringLiteral("ABER WRAC'H"), table));
    PortTable brest;
    ASSERT_TRUE(OnDisk(tablePath(), QStringLiteral("BREST"), brest));
    for (const PortColumn c : PortColumnsFromTo(PortColumn::Z0, PortColumn::G_MS4))
        EXPECT_EQ(table.integer(c), brest.integer(c)) << PortColumnName(c).data();
    EXPECT_EQ(table.text(PortColumn::NUM), QString());
    EXPECT_EQ(table.text(PortColumn::LATITUDE), QStringLiteral("48 36 N"));
    EXPECT_EQ(table.text(PortColumn::LONGITUDE), QStringLiteral("005 00 W"));
    EXPECT_DOUBLE_EQ(table.real(PortColumn::FUSEAU), 1);
    EXPECT_EQ(table.zone(), 1001);
    EXPECT_EQ(table.text(PortColumn::PORT_REF), QStringLiteral("BREST"));
    const double expected[] = {0.5, -0.25, 91.05, 1.0, 1.5, -0.5, 0.2, -1.0};
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(table.real(PortColumn::HPMVE + i), expected[i], 1e-4) << i;
    // The program's current port is not the standard port chosen on the way.
    EXPECT_EQ(state.port.name, std::string());
}

TEST_F(PortManagementTest, ModifyAndDeleteASecondaryPort) {
    WritePortTable(workDir(), Ports());
    DesktopWindows desktop(state, boxes);
    MainWindow& main = desktop.main();
    SecondaryPortsWindow& window = *desktop.secondaryPortsWindow();
    SecondaryPortWizard& wizard = *desktop.secondaryPortWizard();
    // LE CONQUET is the port shown: its modification reaches the report at once.
    main.acceptWarning();
    ASSERT_TRUE(desktop.portWindow()->selectNearest(QStringLiteral("LE CONQUET")));
    ASSERT_TRUE(desktop.portWindow()->confirm());
    const QString reportBefore = Child<QPlainTextEdit>(&main, "HeuresOndrel")->toPlainText();
    window.show();
    auto* grid = Child<QTableView>(&window, "DBGrid1");
    ASSERT_EQ(Names(grid), QStringList{"LE CONQUET"});
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), QStringLiteral("BREST"));

    window.setCurrentRow(0);
    window.modifyHighlighted();
    ASSERT_EQ(wizard.page(), 3);
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Modification d'un port 3/4"));
    const auto field = [&](const char* name) { return Child<QLineEdit>(&wizard, name)->text(); };
    EXPECT_EQ(field("lnom"), QStringLiteral("LE CONQUET"));
    EXPECT_EQ(field("mlon"), QStringLiteral("47"));
    EXPECT_EQ(field("heure_pmve"), QStringLiteral("-0 15"));
    EXPECT_EQ(field("heure_bmme"), QStringLiteral("+0 60"));
    // The system's separator: the main window reads it at start.
    EXPECT_EQ(field("hauteur_bmme"),
              QStringLiteral("91") + state.settings.decimalSeparator + QStringLiteral("05"));
    Child<QLineEdit>(&wizard, "lnom")->setText(QStringLiteral("Le Conquet"));
    Child<QLineEdit>(&wizard, "heure_pmme")->setText(QStringLiteral("+0 45"));
    wizard.next();
    ASSERT_EQ(wizard.page(), 4);
    boxes.shown.clear();
    ASSERT_TRUE(wizard.store());
    EXPECT_EQ(boxes.texts(), QStringList{"Le Conquet a été modifié"});
    {
        PortTable table;
        ASSERT_TRUE(OnDisk(tablePath(), QStringLiteral("LE CONQUET"), table));
        EXPECT_EQ(table.text(PortColumn::NOM), QStringLiteral("Le Conquet"));
        EXPECT_DOUBLE_EQ(table.real(PortColumn::TPMME), 0.75);
        EXPECT_DOUBLE_EQ(table.real(PortColumn::HBMME), 91.05);
        EXPECT_EQ(table.text(PortColumn::PORT_REF), QStringLiteral("BREST"));
        EXPECT_EQ(table.visibleCount(), static_cast<int>(Ports().size()));
    }
    EXPECT_EQ(state.port.name, "Le Conquet");
    EXPECT_DOUBLE_EQ(state.port.corrections[2], 0.75); // TPMME
    EXPECT_NE(Child<QPlainTextEdit>(&main, "HeuresOndrel")->toPlainText(), reportBefore);

    // A port deleted behind the window's back is not replaced by another.
    window.show();
    window.setCurrentRow(0);
    window.modifyHighlighted();
    {
        PortTable other;
        ASSERT_TRUE(OnDisk(tablePath(), QStringLiteral("LE CONQUET"), other));
        other.remove();
    }
    wizard.next();
    boxes.shown.clear();
    EXPECT_FALSE(wizard.store());
    EXPECT_EQ(
        boxes.texts(),
        QStringList{
            "Le port \"Le Conquet\" n'est plus dans la base de données ; rien n'a été modifié."});
    PortTable after;
    after.open(tablePath());
    EXPECT_EQ(after.visibleCount(), static_cast<int>(Ports().size()) - 1);
}

// Editing a port puts away the curve and the tide table of the port shown, whose port stays the
// current one: a table computed afterwards is still of that port.
TEST_F(PortManagementTest, EditingHidesTheCurveAndTheTableAndKeepsThePort) {
    WritePortTable(workDir(), Ports());
    DesktopWindows desktop(state, boxes);
    MainWindow& main = desktop.main();
    main.acceptWarning();
    ASSERT_TRUE(desktop.portWindow()->selectNearest(QStringLiteral("ZANZIBAR")));
    ASSERT_TRUE(desktop.portWindow()->confirm());
    struct Step {
        const char* what;
        std::function<void()> run;
    };
    SecondaryPortWizard& wizard = *desktop.secondaryPortWizard();
    const Step steps[] = {
        {"Next on the wizard's first page",
         [&] {
             emit main.addSecondaryPortRequested();
             ASSERT_EQ(wizard.page(), 1);
             wizard.next();
             ASSERT_EQ(wizard.page(), 2);
             wizard.standardPortKey(QLatin1Char('B'));
             wizard.next();
             ASSERT_EQ(wizard.page(), 3);
             wizard.cancel();
         }},
        {"Modify or delete", [&] { emit main.modifySecondaryPortRequested(); }},
    };
    for (const Step& step : steps) {
        desktop.tideTableWindow()->show();
        desktop.curveWindow()->show();
        step.run();
        EXPECT_FALSE(desktop.tideTableWindow()->isVisible()) << step.what;
        EXPECT_FALSE(desktop.curveWindow()->isVisible()) << step.what;
        EXPECT_EQ(state.port.name, "ZANZIBAR") << step.what;
        desktop.secondaryPortsWindow()->hide();
    }
}

TEST_F(PortManagementTest, DeletingAsksFirstAndClearsThePortShown) {
    WritePortTable(workDir(), Ports());
    DesktopWindows desktop(state, boxes);
    MainWindow& main = desktop.main();
    SecondaryPortsWindow& window = *desktop.secondaryPortsWindow();
    auto* caption = Child<QLabel>(&main, "PortSelection");
    for (const auto answer : {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes}) {
        const bool yes = answer == MessageBoxes::Answer::Yes;
        caption->setText(QStringLiteral("LE CONQUET"));
        window.show();
        window.setCurrentRow(0);
        boxes.shown.clear();
        boxes.answers = {answer};
        EXPECT_EQ(window.deleteHighlighted(), yes);
        QStringList expected{"Etes-vous certain de vouloir supprimer LE CONQUET ?"};
        if (yes) expected << "LE CONQUET a été supprimé de la liste ";
        EXPECT_EQ(boxes.texts(), expected);
        EXPECT_TRUE(caption->text().isEmpty());
        PortTable table;
        EXPECT_EQ(OnDisk(tablePath(), QStringLiteral("LE CONQUET"), table), !yes);
    }
    window.show();
    boxes.shown.clear();
    EXPECT_FALSE(window.deleteHighlighted());
    EXPECT_EQ(boxes.texts(), QStringList{"Vous devez sélectionnner un port !"});
}

TEST_F(PortManagementTest, ImportFromTheMenu) {
    WritePortTable(workDir(), Ports());
    const QString add = QDir(temp->path()).filePath(QStringLiteral("new.add"));
    {
        QFile f(add);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QStringList lines{"12a", "SADA"};
        for (int c = 2; c <= 22; ++c)
            lines << QStringLiteral("10");
        lines << "43 21 N"
              << "008 15 W"
              << "1"
              << "0"
              << "7002"
              << ""
              << "0"
              << "0"
              << "0"
              << "0"
              << "0"
              << "0"
              << "0"
              << "0";
        f.write(
            (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n1\r\nbrest\r\n")).toUtf8());
        for (int i = 2; i < 37; ++i)
            f.write("0\r\n");
    }
    DesktopWindows desktop(state, boxes);
    MainWindow& main = desktop.main();
    state.settings.countrySelected[2] = false;
    desktop.portImport().setFileChooser([&] { return add; });
    boxes.shown.clear();
    desktop.portImport().chooseAndImport();
    EXPECT_EQ(desktop.importListWindow()->lines(),
              (QStringList{"SADA", "brest! est déjà dans la base de données"}));
    const QString log = QDir(workDir()).filePath(QStringLiteral("bug.txt"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    // The box gives the address to write to, not the home page.
    EXPECT_TRUE(boxes.shown[0].text.startsWith(kImportTexts.readError.in(Language::French) +
                                               QStringLiteral("contact@ondrel.org")));
    EXPECT_TRUE(boxes.shown[0].text.endsWith(QDir::toNativeSeparators(log)));
    QFile logFile(log);
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(logFile.readAll(), QByteArray("1: Pb numero avec S = 12a\n"));
    // Spain, the last country imported, is shown again, and the port list has the new port.
    EXPECT_TRUE(state.settings.countrySelected[2]);
    EXPECT_TRUE(desktop.countriesWindow()->countryPresent(2));
    EXPECT_TRUE(desktop.portWindow()->selectNearest(QStringLiteral("SADA")));
    EXPECT_EQ(desktop.portWindow()->table().text(PortColumn::NOM), QStringLiteral("SADA"));

    // The command line runs the same import.
    QFile::remove(add);
    {
        QFile f(add);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("3\r\nSADA BIS\r\n");
    }
    boxes.shown.clear();
    main.importAtStart({"ondrel", "/a", add});
    EXPECT_EQ(desktop.importListWindow()->lines(), QStringList{"SADA BIS"});
    ASSERT_EQ(boxes.shown.size(), 1u); // the short record's lines were logged
    EXPECT_TRUE(desktop.portWindow()->selectNearest(QStringLiteral("SADA BIS")));

    // A log that cannot be written: nothing imported, and said so.
    logFile.close();
    QFile::remove(log);
    ASSERT_TRUE(QDir(workDir()).mkdir(QStringLiteral("bug.txt")));
    state.settings.chosenLanguage = Language::English;
    boxes.shown.clear();
    desktop.portImport().importPorts(add);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(
        QStringLiteral("The error log cannot be written; no port was added.")));
    boxes.shown.clear();
    desktop.portImport().importPorts(QDir(temp->path()).filePath(QStringLiteral("missing.add")));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(
        QStringLiteral("The file of ports cannot be read; no port was added.")));
}

} // namespace
} // namespace ondrel::test
