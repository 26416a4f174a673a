// Managing the port table from the desktop program: modifying and deleting a secondary port,
// the windows put away while a port is edited, importing an .add file (the countries and the
// wizard's pages alone: tests/views/ports/PortManagementWindowsTest.cpp).
#include "PortManagementTestSupport.h"

#include "app/DesktopWindows.h"
#include "ports/PortTable.h"
#include "texts/ImportTexts.h"
#include "texts/ProjectInfo.h"
#include "views/curve/CurveWindow.h"
#include "views/main/MainWindow.h"
#include "views/ports/CountriesWindow.h"
#include "views/ports/ImportListWindow.h"
#include "views/ports/PortImportFlow.h"
#include "views/ports/PortWindow.h"
#include "views/ports/SecondaryPortWizard.h"
#include "views/ports/SecondaryPortsWindow.h"
#include "views/tidetable/TideTableWindow.h"

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

// A write refused because another Ondrel holds the table keeps everything as it was: the
// wizard on its last page with the user's values, the main window on its port.
TEST_F(PortManagementTest, ARefusedWriteKeepsTheWindowsAsTheyWere) {
    WritePortTable(workDir(), Ports());
    DesktopWindows desktop(state, boxes);
    MainWindow& main = desktop.main();
    SecondaryPortsWindow& window = *desktop.secondaryPortsWindow();
    SecondaryPortWizard& wizard = *desktop.secondaryPortWizard();
    main.acceptWarning();
    ASSERT_TRUE(desktop.portWindow()->selectNearest(QStringLiteral("LE CONQUET")));
    ASSERT_TRUE(desktop.portWindow()->confirm());
    const QString shown = Child<QLabel>(&main, "PortSelection")->text();
    ASSERT_FALSE(shown.isEmpty());
    PortTable holder;
    holder.open(tablePath());
    const PortTable::WriteLock busy(holder);

    window.show();
    window.setCurrentRow(0);
    window.modifyHighlighted();
    Child<QLineEdit>(&wizard, "lnom")->setText(QStringLiteral("Conquet edited"));
    wizard.next();
    ASSERT_EQ(wizard.page(), 4);
    boxes.shown.clear();
    EXPECT_FALSE(wizard.store());
    EXPECT_EQ(wizard.page(), 4);
    EXPECT_FALSE(wizard.isHidden());
    EXPECT_EQ(Child<QLineEdit>(&wizard, "lnom")->text(), QStringLiteral("Conquet edited"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("autre Ondrel")))
        << boxes.shown[0].text.toStdString();
    wizard.cancel();

    window.show();
    window.setCurrentRow(0);
    boxes.answers = {MessageBoxes::Answer::Yes};
    EXPECT_FALSE(window.deleteHighlighted());
    EXPECT_EQ(Child<QLabel>(&main, "PortSelection")->text(), shown);
}

TEST_F(PortManagementTest, ImportFromTheMenu) {
    WritePortTable(workDir(), Ports());
    const QString add = QDir(temp->path()).filePath(QStringLiteral("new.add"));
    {
        QFile f(add);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QStringList lines{"12", "SADA"};
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
        // A record that cannot be read whole.
        f.write("13\r\nBAD PORT\r\n12a\r\n");
    }
    DesktopWindows desktop(state, boxes);
    state.settings.countrySelected[2] = false;
    desktop.portImport().setFileChooser([&] { return add; });
    boxes.shown.clear();
    desktop.portImport().chooseAndImport();
    EXPECT_EQ(desktop.importListWindow()->lines(),
              (QStringList{"SADA", "brest! est déjà dans la base de données"}));
    const QString log = QDir(workDir()).filePath(QStringLiteral("bug.txt"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    // The box names the record not stored by its line, port and field, and the log.
    EXPECT_TRUE(boxes.shown[0].text.startsWith(kImportTexts.notStored.in(Language::French) +
                                               QStringLiteral("line 77, port BAD PORT, Z0")))
        << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.endsWith(QDir::toNativeSeparators(log)));
    QFile logFile(log);
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(logFile.readAll().startsWith("5: Pb  field integer avec filed = 12a\n"));
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
    desktop.importAtStart({"ondrel", "/a", add});
    // The short record is not stored, and said so with its line.
    EXPECT_EQ(desktop.importListWindow()->lines(), QStringList{});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(
        boxes.shown[0].text.contains(QStringLiteral("port SADA BIS, Z0: missing (the file ends)")));

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
