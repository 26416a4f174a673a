// The port-management windows: the countries that narrow the port list, and the secondary-port
// wizard adding a port (its other uses in the desktop program: tests/app/PortManagementTest.cpp).
#include "PortManagementTestSupport.h"

#include "ports/PortTable.h"
#include "views/ports/CountriesWindow.h"
#include "views/ports/PortWindow.h"
#include "views/ports/SecondaryPortWizard.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace ondrel::test {
namespace {

TEST_F(PortManagementTest, CountriesNarrowThePortList) {
    WritePortTable(workDir(), Ports());
    PortWindow ports(state, boxes);
    CountriesWindow countries(state.settings, state.help, boxes, ports.table());
    QObject::connect(&countries, &CountriesWindow::filterApplied, &ports, &PortWindow::refreshList);
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
        CountriesWindow countries(state.settings, state.help, boxes, ports.table());
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
    SecondaryPortWizard wizard(state.settings, boxes, ports);
    wizard.startAdd();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Ajout d'un port 1/4"));
    // Enter goes on from the first page (the focus is on its default button, not on Cancel).
    ASSERT_NE(wizard.focusWidget(), nullptr);
    QTest::keyClick(wizard.focusWidget(), Qt::Key_Return);
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
        // A position off the globe.
        {"dlat", QStringLiteral("95"),
         QStringLiteral("Latitude : de 0 à 90 degrés, les minutes de 00 à 59.")},
        {"dlon", QStringLiteral("181"),
         QStringLiteral("Longitude : de 0 à 180 degrés, les minutes de 00 à 59.")},
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

} // namespace
} // namespace ondrel::test
