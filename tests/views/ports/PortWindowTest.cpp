// The port window: the list narrowed as letters are typed, the keyboard, the map marker, the
// confirmation and the countries button.
#include "GuiTestSupport.h"

#include "ports/PortImport.h"
#include "ports/PortSelectionRules.h"
#include "ports/PortTable.h"
#include "views/ports/PortWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace ondrel::test {
namespace {

class PortWindowTest : public GuiTest {
protected:
    QLineEdit* edit(PortWindow& w) { return w.findChild<QLineEdit*>(QStringLiteral("Edit1")); }
    QTableView* grid(PortWindow& w) { return w.findChild<QTableView*>(QStringLiteral("DBGrid1")); }
    QString current(PortWindow& w) {
        const QModelIndex i = grid(w)->currentIndex();
        return i.isValid() ? i.data().toString() : QString();
    }
    QStringList names(PortWindow& w) {
        QStringList list;
        auto* model = grid(w)->model();
        for (int r = 0; r < model->rowCount(); ++r)
            list << model->index(r, 0).data().toString();
        return list;
    }
};

TEST_F(PortWindowTest, TypedLettersStartTheListAtTheFirstNameNotBeforeThem) {
    WritePortTable(workDir(), SmallPortList());
    state.settings.chosenLanguage = Language::French;
    PortWindow w(state, boxes);
    w.show();
    ASSERT_TRUE(w.tableIsOpen());
    const QStringList all = names(w);
    ASSERT_EQ(all.size(), static_cast<int>(SmallPortList().size()));

    struct Case {
        const char* typed;
        const char* first;
    };
    for (const Case& c : {Case{"br", "BREST"}, Case{"bri", "BRIGHTON"}, Case{"e", "ÉTEL"},
                          Case{"CHERBOURGZ", "ÉTEL"}, Case{"", "ABERDEEN"}}) {
        edit(w)->clear();
        QTest::keyClicks(edit(w), QString::fromUtf8(c.typed));
        const QStringList shown = names(w);
        ASSERT_FALSE(shown.isEmpty()) << c.typed;
        EXPECT_EQ(shown.first(), QString::fromUtf8(c.first)) << c.typed;
        EXPECT_EQ(current(w), QString::fromUtf8(c.first)) << c.typed;
        // Every later name stays, not only those that begin with the letters.
        EXPECT_EQ(shown, all.mid(all.indexOf(shown.first()))) << c.typed;
    }
    edit(w)->clear();
    QTest::keyClicks(edit(w), QStringLiteral("ZZZZZZ"));
    EXPECT_TRUE(names(w).isEmpty());
    QSignalSpy confirmed(&w, &PortWindow::portConfirmed);
    EXPECT_FALSE(w.confirm()); // nothing to confirm
    EXPECT_EQ(confirmed.count(), 0);
}

TEST_F(PortWindowTest, KeyboardOnly) {
    WritePortTable(workDir(), SmallPortList());
    PortWindow w(state, boxes);
    w.show();
    QSignalSpy confirmed(&w, &PortWindow::portConfirmed);
    QTest::keyClicks(edit(w), QStringLiteral("b"));
    EXPECT_EQ(current(w), QStringLiteral("BREST"));
    QTest::keyClick(edit(w), Qt::Key_Down); // the list follows the arrows while typing
    EXPECT_EQ(current(w), QStringLiteral("BRIGHTON"));
    QTest::keyClick(edit(w), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(confirmed.count(), 0);

    w.show();
    QTest::keyClick(edit(w), Qt::Key_Return);
    ASSERT_EQ(confirmed.count(), 1);
    const auto port = confirmed.at(0).at(0).value<ChosenPort>();
    EXPECT_EQ(port.name, QStringLiteral("BRIGHTON"));
    EXPECT_EQ(port.countryLine, QStringLiteral("(Grande Bretagne)"));
    EXPECT_EQ(QString::fromStdString(state.port.name), QStringLiteral("BRIGHTON"));
    EXPECT_FALSE(w.isVisible());
}

// A port another Ondrel adds to the table shows in the open list without a write of this one.
TEST_F(PortWindowTest, PortsAddedByAnotherWriterAppear) {
    WritePortTable(workDir(), SmallPortList());
    PortWindow w(state, boxes);
    w.show();
    ASSERT_FALSE(names(w).isEmpty());
    ASSERT_FALSE(names(w).contains(QStringLiteral("BREST BIS")));
    {
        PortTable other;
        other.open(w.table().fileName());
        ASSERT_TRUE(other.findKey(QStringLiteral("BREST")));
        QByteArray record = ExportRecord(other, QLatin1Char(','));
        record.replace("\r\nBREST\r\n", "\r\nBREST BIS\r\n");
        const ImportReport report =
            ImportPortsFromData(other, record, {TableHasCountryCodes(other), QLatin1Char(',')});
        ASSERT_EQ(report.added, QStringList{QStringLiteral("BREST BIS")})
            << report.problems.join(u'\n').toStdString();
    }
    EXPECT_TRUE(WaitFor([&] { return names(w).contains(QStringLiteral("BREST BIS")); }, 5000));
}

TEST_F(PortWindowTest, DrawingTheListLeavesTheHighlightedRecord) {
    WritePortTable(workDir(), SmallPortList());
    PortWindow w(state, boxes);
    w.show();
    ASSERT_TRUE(w.selectNearest(QStringLiteral("CHERBOURG")));
    const int position = w.table().visiblePosition();
    const QString name = w.table().text(PortColumn::NOM);
    // Painting reads every row, in any order.
    auto* model = grid(w)->model();
    for (int r = model->rowCount() - 1; r >= 0; --r)
        (void)model->index(r, 0).data();
    grid(w)->viewport()->repaint();
    EXPECT_EQ(w.table().visiblePosition(), position);
    EXPECT_EQ(w.table().text(PortColumn::NOM), name);
    EXPECT_EQ(current(w), QStringLiteral("CHERBOURG"));
}

TEST_F(PortWindowTest, MarkerShowsTheHighlightedPort) {
    WritePortTable(workDir(), SmallPortList());
    PortWindow w(state, boxes);
    w.show();
    for (const TestPort& p : SmallPortList()) {
        ASSERT_TRUE(w.selectNearest(p.name));
        const QRect expected =
            MarkerRect(MapPosition(DegreesOfText(p.latitude, {}), DegreesOfText(p.longitude, {})));
        EXPECT_EQ(w.markerRect(), expected) << p.name.toStdString();
        EXPECT_TRUE(QRect(0, 0, 354, 183).contains(expected.center())) << p.name.toStdString();
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PortWindowTest, LongNamesAreRememberedWhole) {
    WritePortTable(workDir(), SmallPortList());
    PortWindow w(state, boxes);
    QSignalSpy confirmed(&w, &PortWindow::portConfirmed);
    ASSERT_TRUE(w.selectNearest(QStringLiteral("SAINT")));
    ASSERT_TRUE(w.confirm());
    const auto port = confirmed.at(0).at(0).value<ChosenPort>();
    EXPECT_EQ(port.name.size(), 50); // the widest name the table holds
    EXPECT_EQ(state.settings.lastPortName, port.name);
}

TEST_F(PortWindowTest, CountriesButtonExplainsATableWithoutCountries) {
    WritePortTable(workDir(), SmallPortList());
    for (const auto& [langue, start] :
         {std::pair{kFrench, "Cette base de données"}, std::pair{kEnglish, "This database"},
          std::pair{QString(), ""}}) {
        boxes.shown.clear();
        state.settings.chosenLanguage = LanguageOf(langue);
        PortWindow w(state, boxes);
        QSignalSpy asked(&w, &PortWindow::countriesRequested);
        ASSERT_TRUE(w.selectNearest(QStringLiteral("ZANZIBAR"))); // zone 9: no country
        w.chooseCountries();
        EXPECT_EQ(asked.count(), 1);
        if (langue.isEmpty()) {
            EXPECT_TRUE(boxes.shown.empty());
        } else {
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].kind, QStringLiteral("help"));
            EXPECT_TRUE(boxes.shown[0].text.startsWith(QString::fromUtf8(start)));
        }
        boxes.shown.clear();
        ASSERT_TRUE(w.selectNearest(QStringLiteral("BREST"))); // a country code: no message
        w.chooseCountries();
        EXPECT_TRUE(boxes.shown.empty());
    }
}

TEST_F(PortWindowTest, CountryFilterHidesUnselectedCountries) {
    WritePortTable(workDir(), SmallPortList());
    PortWindow w(state, boxes);
    state.settings.countrySelected[21] = false; // United Kingdom
    w.table().setFiltered(true);
    w.nameTyped();
    const QStringList shown = names(w);
    EXPECT_FALSE(shown.contains(QStringLiteral("BRIGHTON")));
    EXPECT_TRUE(shown.contains(QStringLiteral("ZANZIBAR"))); // zone 9 always shows
    EXPECT_TRUE(shown.contains(QStringLiteral("BREST")));
}

// How fast typing narrows the world table is measured in bench/ (BM_NarrowByTypedPrefix).
TEST_F(PortWindowTest, TypingNarrowsTheWorldTable) {
    CopyShippedTable(workDir());
    PortWindow w(state, boxes);
    w.show();
    ASSERT_TRUE(w.tableIsOpen());
    const int total = grid(w)->model()->rowCount();
    ASSERT_GT(total, 1000);
    QTest::keyClicks(edit(w), QStringLiteral("BRE"));
    QCoreApplication::processEvents();
    const QString first = current(w);
    EXPECT_GE(NameKey(first), QStringLiteral("BRE"));
    const int rows = grid(w)->model()->rowCount();
    EXPECT_LT(rows, total);
    // The names before the typed letters are hidden, the rest are all there.
    w.table().selectTag(PortTag::Name);
    w.table().cancelRange();
    int notBefore = 0;
    for (w.table().first(); !w.table().atEnd(); w.table().next())
        if (NameKey(w.table().text(PortColumn::NOM)) >= QStringLiteral("BRE") &&
            NameKey(w.table().text(PortColumn::NOM)) <= QStringLiteral("ZZZZZ"))
            ++notBefore;
    EXPECT_EQ(rows, notBefore);
    w.hide();
}

} // namespace
} // namespace ondrel::test
