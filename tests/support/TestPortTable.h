// The port tables the tests write: the 37 columns of the real table, the standard tags, and rows
// with plausible harmonic constants (a semi-diurnal Atlantic port unless told otherwise).
#pragma once

#include <QString>

#include <array>
#include <vector>

namespace ondrel::test {

struct TestPortRow {
    QString name;
    QString latitude = QStringLiteral("48 23 N");
    QString longitude = QStringLiteral("004 30 W");
    double timeZone = 1;
    qint64 zone = 1001;
    QString standardPort;                // PORT_REF: the standard port of a secondary port
    std::array<double, 8> corrections{}; // HPMVE ... TBMME
    int meanLevel = 430;                 // Z0, cm
    // Sa Q1 O1 K1 N2 M2 S2 MN4 M4 MS4: amplitudes (mm) and phases (degrees).
    std::array<int, 10> amplitudes{60, 20, 70, 60, 420, 2050, 750, 15, 40, 30};
    std::array<int, 10> phases{300, 260, 330, 70, 120, 140, 180, 80, 110, 160};
};

// Creates the table at dbfPath (and its tag file beside it) holding rows in order, numbered
// from 1.
void WriteTestPortTable(const QString& dbfPath, const std::vector<TestPortRow>& rows);

} // namespace ondrel::test
