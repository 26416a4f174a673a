// The dBase file under the port table: checking a header against the whole file, creating an
// empty table (through shapelib, the only use of it), and the writes, which are our own so that
// every failed write is seen and undone (docs/PORT_TABLE.md, "Writing safely").
#pragma once

#include "ports/TableTypes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <functional>
#include <vector>

namespace ondrel {

struct DbfField {
    QString name;
    char type = 'C';
    int width = 0;
    int decimals = 0;
    int offset = 0; // from the start of the record (the deletion flag is byte 0)
    bool numeric = false;
};

struct DbfLayout {
    std::vector<DbfField> fields;
    int headerLength = 0;
    int recordLength = 0;
    int recordCount = 0;
};

// The largest table accepted (the world table is about 2 MB).
inline constexpr qint64 kMaxTableBytes = 256LL * 1024 * 1024;

// Checks the dBase header from the file's first bytes (head: the whole header at least, when the
// file holds it) and its size, and describes its columns: every figure of the header is checked
// against the others and against the file's size (shapelib trusts them). Throws TableError
// starting with path. CheckDbfEnd checks the byte after the records once the last one is known.
[[nodiscard]] DbfLayout CheckDbfHeader(QByteArrayView head, qint64 size, const QString& path);
void CheckDbfEnd(const DbfLayout& layout, qint64 size, char last, const QString& path);

// Reads the table file (a regular file of at most kMaxTableBytes) through a small buffer, never
// holding it: start receives the checked layout, then records the counted records in order, in
// runs (rows, number of the first, how many; valid during the call). A read that saw the file
// change is made again from the start (start is called again). Returns the layout.
using DbfScanStart = std::function<void(const DbfLayout&)>;
using DbfScanRecords = std::function<void(const char* rows, int first, int count)>;
DbfLayout ScanDbfFile(const QString& path, const DbfScanStart& start,
                      const DbfScanRecords& records);

class DbfFile {
public:
    DbfFile() = default;
    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    // Creates an empty table with the cp1252 language driver. Throws TableError.
    static void create(const QString& path, const std::vector<ColumnSpec>& columns);

    // Opens the file for writing records (or only for keeping it, read-only); layout is the one
    // checked from the file's image. Opening for writing makes the process ignore SIGXFSZ, so
    // that a write past the file-size limit fails and is undone like one on a full disk.
    void open(const QString& path, bool readOnly, const DbfLayout& layout);
    void close();
    [[nodiscard]] bool isOpen() const { return file_.isOpen(); }

    // Writes one record (recordLength bytes, deletion flag first) in place; previous holds the
    // bytes it replaces, written back when the write fails. Throws TableError naming the file and
    // the reason; the file then holds what it held before.
    void replaceRecord(int record, const char* bytes, const char* previous);
    // Appends a record after the first `record` ones, with the end-of-file byte after it, then
    // sets the header's record count to record + 1. A failure truncates the file back to what it
    // was and restores its header, then throws TableError.
    void appendRecord(int record, const char* bytes);
    void markDeleted(int record);
    // Reads count records from record first into out (count * recordLength bytes); returns how
    // many the file held whole (fewer when it was cut short since). Throws TableError when the
    // system cannot read it.
    int readRecords(int first, int count, char* out) const;
    // Asks the system to put what was written on the disk itself.
    void sync();

private:
    void writeAt(qint64 offset, const char* bytes, qint64 size);
    [[noreturn]] void failWrite(const QString& what) const;

    QFile file_;
    QString path_;
    int headerLength_ = 0;
    int recordLength_ = 0;
};

} // namespace ondrel
