// The port table: a dBase file (ports.dbf) read and written through shapelib, with the index tags
// "Nom", "Zone", "PRINCIPAL" and "SECONDAIRE" defined in a tag file beside it (ports.tags; format
// in docs/PORT_TABLE.md). Tag orders, ranges and the record filter are kept in memory; every post
// and delete is written through to the file at once.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace ondrel {

// Any failure of the table: a file that cannot be opened or read, an unknown tag, a value that
// cannot be converted. The message names the file or the column.
class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Column types for creating a table.
struct ColumnSpec {
    enum Type { Text, Integer, Real };
    QString name;
    Type type = Text;
    int width = 10;
    int decimals = 0;
};

class PortTable {
public:
    PortTable();
    ~PortTable();
    PortTable(const PortTable&) = delete;
    PortTable& operator=(const PortTable&) = delete;

    // Creates an empty table (and no tag file). Text columns are written in cp1252.
    static void create(const QString& dbfPath, const std::vector<ColumnSpec>& columns);

    // Opens the table and its tag file (same base name, ".tags"). Throws TableError naming the
    // file that is missing, truncated or damaged. The tag "Nom" is selected, no range, no filter.
    void open(const QString& dbfPath);
    void close();
    bool isOpen() const;
    QString fileName() const;

    // Allowed only while the table is closed.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;

    // Tag names are not case-sensitive.
    void selectTag(const QString& tag);
    QString currentTag() const;
    QStringList tagNames() const;

    // Inclusive range on the current tag's key; the current record becomes the first inside it.
    void setRange(const QString& low, const QString& high);
    void setRange(qint64 low, qint64 high);
    void cancelRange();

    // The current record becomes the first visible one whose key is >= value (end if none).
    void goNearest(const QString& value);
    void goNearest(qint64 value);
    // Exact search on the current tag's key among the visible records.
    bool findKey(const QString& value);
    bool findKey(qint64 value);

    // Record filter: when on, a record is visible only when the callback accepts it. The
    // callback reads the candidate record through the table it receives.
    void setFilter(std::function<bool(const PortTable&)> filter);
    void setFiltered(bool on);
    bool isFiltered() const;

    // Walk over the visible records in the current order.
    void first();
    void next();
    bool atEnd() const;

    // Positional access for list views: the visible records in order.
    int visibleCount() const;
    int visiblePosition() const;   // -1 at the end
    void moveToVisible(int position);

    // Editing. insert() starts a new empty record; edit() makes the current one writable; post()
    // writes it to the file (and flushes); cancel() drops the pending changes; remove() deletes
    // the current record from the file.
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();
    bool isEditing() const;

    int columnCount() const;
    int columnIndex(const QString& name) const; // -1 when absent; case-insensitive
    // Reading columns of the current record. text() of a numeric column gives the number written
    // with the system locale's decimal separator. integer() and real() throw TableError when the
    // value cannot be converted.
    QString text(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    qint64 zone() const; // the ZONE column, by name

    // Writing columns of the record being inserted or edited.
    void setText(int column, const QString& value);
    void setInteger(int column, qint64 value);
    void setReal(int column, double value);

    // Decimal separator used by text() for numeric columns (default: the system locale's).
    void setDecimalSeparator(QChar separator);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Key used by the name tags: upper case, accents removed, so that "br" finds BREST and an
// accented initial sorts with its plain letter.
QString NameKey(const QString& name);

} // namespace ondrel
