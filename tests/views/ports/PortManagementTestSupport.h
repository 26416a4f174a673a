// Support for the tests of port management, of its windows (tests/views/ports) and in the desktop
// program (tests/app): the small table with a secondary port, and the table read back from disk.
#pragma once

#include "GuiTestSupport.h"

#include "ports/PortTable.h"

#include <QDir>
#include <QTableView>

#include <array>
#include <vector>

namespace ondrel::test {

const std::array<double, 8> kConquetCorrections{0.1, 0.05, -0.1, 91.05, -0.25, 0.5, 1.5, 0.999};

// The small list with LE CONQUET, a secondary port of BREST, and RIAS.
inline std::vector<TestPort> Ports() {
    std::vector<TestPort> ports = SmallPortList();
    ports.push_back({QStringLiteral("LE CONQUET"), QStringLiteral("48 22 N"),
                     QStringLiteral("004 47 W"), 1, 1001, QStringLiteral("BREST"),
                     kConquetCorrections});
    ports.push_back(
        {QStringLiteral("RIAS"), QStringLiteral("42 10 N"), QStringLiteral("008 50 W"), 1, 5012});
    return ports;
}

// Each test in French, with a comma as decimal separator.
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

} // namespace ondrel::test
