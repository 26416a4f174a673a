// Where the port table is found: ports.dbf in the working directory, otherwise the copy in the
// user's data directory, which is seeded at first use from the table shipped with the program.
#pragma once

#include <QString>

namespace ondrel {

struct TableLocation {
    QString path;  // the .dbf to open; empty when none could be found or made
    QString error; // why, when path is empty
};

// The folder holding the table shipped with the program (ports.dbf and ports.tags), found from
// the running program's folder: ../share/ondrel (installed), ../../share/ondrel (build tree) or
// data beside it. Empty when there is none.
QString BundledTableDirectory();
// The folder of the running program (its QCoreApplication's, or the system's answer when it made
// none).
QString ProgramDirectory();
// The user's data folder for Ondrel.
QString UserTableDirectory();

// A companion file of the table (harmonics.bin, currents.json) to read: the one beside it, or
// the shipped one when the table's folder has none (a table copied elsewhere without it). The
// path beside the table when neither is there.
QString CompanionToRead(const QString& tablePath, const QString& fileName);
// Looks the table up in workingDir, then in the user's data folder, copying the bundled table
// there when it is not there yet (the copy is written beside and renamed, so a half-copied table
// is never left behind). Its companion harmonics.bin (HarmonicsFile.h) is copied with it, and
// into a user's folder that has the table without it.
TableLocation LocatePortTable(const QString& workingDir);

} // namespace ondrel
