// The error type of the port table and the description of a column for creating a table.
#pragma once

#include <QString>

#include <stdexcept>

namespace ondrel {

// Any failure of the table: a file that cannot be opened or read, an unknown tag, a value that
// cannot be converted. The message names the file or the column.
class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Another writer (this program or another Ondrel) is changing the table: nothing was changed.
class TableBusy : public TableError {
public:
    using TableError::TableError;
};

// Column types for creating a table.
struct ColumnSpec {
    enum Type { Text, Integer, Real };
    QString name;
    Type type = Text;
    int width = 10;
    int decimals = 0;
};

} // namespace ondrel
