// The tag file beside the table (ports.tags): the definitions of the index tags, one per line
// (format in docs/PORT_TABLE.md).
#pragma once

#include "ports/DbfFile.h"

#include <QString>

#include <vector>

namespace ondrel {

struct TagDefinition {
    QString name;
    int column = -1;             // the key column
    bool numeric = false;        // numeric key (compared by value) or name key
    int conditionColumn = -1;    // -1: every record
    bool conditionEmpty = false; // member when that column is blank (true) or not blank (false)
};

// The largest tag file accepted.
inline constexpr qint64 kMaxTagFileBytes = 1024 * 1024;

// Reads and checks the tag definitions of a table with the given columns. Throws TableError
// starting with path, naming the line at fault.
[[nodiscard]] std::vector<TagDefinition> ReadTagFile(const QString& path,
                                                     const std::vector<DbfField>& fields);

// Checks that the tags the program selects ("Nom", "Zone", "PRINCIPAL", "SECONDAIRE") are all
// defined, and as the standard file defines them. Throws TableError starting with path.
void CheckStandardTags(const QString& path, const std::vector<TagDefinition>& tags,
                       const std::vector<DbfField>& fields);

// Writes (or replaces) the standard tag file: "Nom", "Zone", "PRINCIPAL" and "SECONDAIRE".
void WriteStandardTagFile(const QString& path);

} // namespace ondrel
