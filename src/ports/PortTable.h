// The port table: a dBase file (ports.dbf) read and written through shapelib, with the index tags
// "Nom", "Zone", "PRINCIPAL" and "SECONDAIRE" defined in a tag file beside it (ports.tags; format
// in docs/PORT_TABLE.md). Tag orders, ranges and the record filter are kept in memory; every post
// and delete is written through to the file at once.
//
// The work is shared out: DbfFile checks the file and writes it, TagFile reads the tag
// definitions, PortIndex keeps the records and the tag orders in memory, DbfNumbers reads the
// numbers of the fields, Cp1252 converts the text columns and makes the name keys.
#pragma once

#include "ports/Cp1252.h"
#include "ports/PortColumns.h"
#include "ports/TableTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace ondrel {

// The four index tags of the port table.
enum class PortTag {
    Name,      // "Nom": every port by name
    Zone,      // "Zone": every port by zone code
    Standard,  // "PRINCIPAL": the standard ports by name
    Secondary, // "SECONDAIRE": the secondary ports by name
};
// The tag's name in the tag file.
QString TagName(PortTag tag);

class PortTable {
public:
    PortTable();
    ~PortTable();
    PortTable(const PortTable&) = delete;
    PortTable& operator=(const PortTable&) = delete;

    // Creates an empty table (and no tag file). Text columns are written in cp1252.
    static void create(const QString& dbfPath, const std::vector<ColumnSpec>& columns);

    // The tag file that goes with a table: same directory and base name, extension ".tags".
    [[nodiscard]] static QString tagFilePath(const QString& dbfPath);
    // Writes the tag file defining the four standard tags "Nom", "Zone", "PRINCIPAL" and
    // "SECONDAIRE" beside dbfPath (replacing any). Used by the table generator and the tests; the
    // program itself never writes tag files.
    static void writeStandardTags(const QString& dbfPath);

    // Opens the table and its tag file (same base name, ".tags"). Throws TableError naming the
    // file that is missing, truncated or damaged, not a regular file or too large, or not a port
    // table (fewer than the 37 columns, or a column of the wrong type). The tag "Nom" is
    // selected, no range, no filter.
    void open(const QString& dbfPath);
    void close();
    [[nodiscard]] bool isOpen() const;
    [[nodiscard]] QString fileName() const;

    // Allowed only while the table is closed.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;

    // Tag names are not case-sensitive. Selecting a tag cancels the range; the current record
    // stays current when it is visible.
    void selectTag(const QString& tag);
    void selectTag(PortTag tag);
    QString currentTag() const;
    QStringList tagNames() const;

    // Inclusive range on the current tag's key; the current record becomes the first inside it.
    void setRange(const QString& low, const QString& high);
    void setRange(qint64 low, qint64 high);
    void cancelRange();
    // The names from prefix on: the range from prefix to the end of the name order, as a list
    // narrows to what is typed. False, and nothing changed, when the table is not open or cannot
    // take the range (a record being edited).
    bool narrowToNamesFrom(const QString& prefix);

    // The current record becomes the first visible one whose key is >= value (end if none).
    void goNearest(const QString& value);
    void goNearest(qint64 value);
    // Exact search on the current tag's key among the visible records.
    [[nodiscard]] bool findKey(const QString& value);
    [[nodiscard]] bool findKey(qint64 value);

    // The port of that exact name (as names compare), among every port: selects the tag "Nom"
    // without range or filter; on success the port is current.
    [[nodiscard]] bool findByName(const QString& name);

    // For its lifetime, every record of one tag, without range or filter; the tag, range and
    // filter come back when it ends (the current record stays when it is visible then).
    class UnfilteredView {
    public:
        UnfilteredView(PortTable& table, PortTag tag);
        ~UnfilteredView();
        UnfilteredView(const UnfilteredView&) = delete;
        UnfilteredView& operator=(const UnfilteredView&) = delete;

    private:
        struct Saved;
        PortTable& table_;
        std::unique_ptr<Saved> saved_;
    };

    // Record filter: when on, a record is visible only when the callback accepts it. The
    // callback reads the candidate record through the table it receives; one that throws hides
    // the record. The callback survives close/open; filtering is off after open().
    void setFilter(std::function<bool(const PortTable&)> filter);
    void setFiltered(bool on);
    bool isFiltered() const;

    // Walk over the visible records in the current order.
    void first();
    void next();
    [[nodiscard]] bool atEnd() const;

    // Positional access for list views: the visible records in order.
    int visibleCount() const;
    int visiblePosition() const;      // -1 at the end
    void moveToVisible(int position); // a position outside [0, visibleCount()) goes to the end
    // A column of the visible record at position, read without moving the current record (for
    // painting list rows); "" for a position outside the visible records.
    [[nodiscard]] QString visibleText(int position, PortColumn column) const {
        return visibleText(position, ColumnNumber(column));
    }

    // The write lock: one writer at a time, in this process or any other (a lock file beside the
    // table, "ports.lock" for "ports.dbf"); readers never take it. Taking it brings the memory
    // copy up to date with the file, which another writer may have changed since it was read.
    // post() and remove() take it for their one write when it is not held; a run of writes (an
    // import) holds it throughout. When the last holder lets it go, the writes are put on the disk
    // (fsync). Throws TableBusy when another writer holds it.
    class WriteLock {
    public:
        explicit WriteLock(PortTable& table);
        ~WriteLock();
        WriteLock(const WriteLock&) = delete;
        WriteLock& operator=(const WriteLock&) = delete;
        // Lets the lock go now, reporting a failure to put the writes on the disk (TableError).
        void release();

    private:
        PortTable* table_;
    };
    // The lock file of a table.
    [[nodiscard]] static QString lockFilePath(const QString& dbfPath);

    // Editing. insert() starts a new empty record; edit() makes the current one writable; post()
    // writes it to the file (and flushes); cancel() drops the pending changes; remove() deletes
    // the current record from the file. While a record is being inserted or edited, reads give
    // its pending values, and moving, tag, range and filter changes throw TableError (post or
    // cancel first); close() drops pending changes. After post() the record stays current (or
    // its nearest visible neighbour when it left the visible set); after remove() the next
    // visible record becomes current, or the previous one when it was the last.
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();
    bool isEditing() const;

    int columnCount() const;
    [[nodiscard]] int columnIndex(const QString& name) const; // -1 when absent; case-insensitive
    // Record number (0-based, in file order) of the current record; -1 at the end.
    int recordNumber() const;
    // Reading columns of the current record. text() of a numeric column gives the number written
    // with the system locale's decimal separator; text columns lose their trailing blanks.
    // integer() and real() throw TableError when the value cannot be converted; integer() rounds
    // a fraction to the nearest integer (halves away from zero); a blank field reads as "" or 0.
    // With no current record (at the end) every column reads blank.
    [[nodiscard]] QString text(PortColumn column) const { return text(ColumnNumber(column)); }
    [[nodiscard]] qint64 integer(PortColumn column) const { return integer(ColumnNumber(column)); }
    [[nodiscard]] double real(PortColumn column) const { return real(ColumnNumber(column)); }
    [[nodiscard]] qint64 zone() const; // the ZONE column, by name

    // Writing columns of the record being inserted or edited.
    void setText(PortColumn column, const QString& value) { setText(ColumnNumber(column), value); }
    void setInteger(PortColumn column, qint64 value) { setInteger(ColumnNumber(column), value); }
    void setReal(PortColumn column, double value) { setReal(ColumnNumber(column), value); }

    // Decimal separator used by text() for numeric columns (default: the system locale's).
    void setDecimalSeparator(QChar separator);

private:
    void lockForWriting();
    void unlockAfterWriting();

    // The same by column number: PortColumn is the only way in from outside.
    [[nodiscard]] QString visibleText(int position, int column) const;
    [[nodiscard]] QString text(int column) const;
    [[nodiscard]] qint64 integer(int column) const;
    [[nodiscard]] double real(int column) const;
    void setText(int column, const QString& value);
    void setInteger(int column, qint64 value);
    void setReal(int column, double value);

public:
    struct Impl; // PortTableImpl.h

private:
    std::unique_ptr<Impl> d;
};

} // namespace ondrel
