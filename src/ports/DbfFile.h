// The dBase file under the port table: checking a header against the whole file, and the
// writes, which go through shapelib. Nothing else in the program touches shapelib.
#pragma once

#include "TableTypes.h"

#include <QByteArray>
#include <QString>

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

// Checks the dBase header of a whole file image and describes its columns: every figure of the
// header is checked against the others and against the file's size (shapelib trusts them).
// Throws TableError starting with path.
[[nodiscard]] DbfLayout CheckDbfHeader(const QByteArray& file, const QString& path);

// Reads the whole table file (a regular file of at most kMaxTableBytes) and checks its header.
[[nodiscard]] DbfLayout ReadDbfFile(const QString& path, QByteArray& image);

class DbfFile {
public:
    DbfFile() = default;
    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    // Creates an empty table with the cp1252 language driver. Throws TableError.
    static void create(const QString& path, const std::vector<ColumnSpec>& columns);
    // The record count written in the header on disk now.
    [[nodiscard]] static qint64 recordCountOnDisk(const QString& path);

    // Opens the file for writing records (or only for keeping it, read-only); layout is the one
    // checked from the file's image, and shapelib must read the same.
    void open(const QString& path, bool readOnly, const DbfLayout& layout);
    // Closes without rewriting the header (each write already updated it).
    void close();
    [[nodiscard]] bool isOpen() const { return handle_ != nullptr; }

    // Writes one record (recordLength bytes, deletion flag first), then the header's record
    // count, then flushes.
    void writeRecord(int record, const char* bytes);
    void markDeleted(int record);

private:
    void flush();

    void* handle_ = nullptr; // shapelib's DBFHandle, kept out of this header
    QString path_;
};

} // namespace ondrel
