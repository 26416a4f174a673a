// dBase III files: read and written by our own code, with every check; created through
// shapelib, loaded then.
#include "ports/DbfFile.h"

#include "ports/TableFiles.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

#include <shapefil.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <exception>
#include <thread>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace ondrel {

namespace {

constexpr int kFileHeader = 32;
// The table is read through a buffer of this size, never held whole.
constexpr qint64 kPieceBytes = 16 * 1024;
constexpr int kDescriptor = 32;
constexpr char kEndOfFile = 0x1A;

quint32 Le32At(QByteArrayView b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 Le16At(QByteArrayView b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

[[noreturn]] void FailExtraBytes(const QString& path, quint32 count, qint64 extra) {
    FailFile(path, QStringLiteral("damaged header: it announces %1 records but the file holds "
                                  "%2 more bytes after them")
                       .arg(count)
                       .arg(extra));
}

// A file long enough for the header's first 32 bytes, with a dBase version byte.
void CheckFileStart(QByteArrayView file, qint64 size, const QString& path) {
    if (size == 0) FailFile(path, QStringLiteral("the table file is empty"));
    if (size < kFileHeader)
        FailFile(path,
                 QStringLiteral("the file is too short for a dBase header (%1 bytes)").arg(size));

    static const unsigned char versions[] = {0x02, 0x03, 0x04, 0x05, 0x30, 0x31, 0x32, 0x43,
                                             0x63, 0x83, 0x8B, 0x8E, 0xCB, 0xF5, 0xFB};
    const auto version = static_cast<unsigned char>(file[0]);
    if (std::find(std::begin(versions), std::end(versions), version) == std::end(versions))
        FailFile(path, QStringLiteral("not a dBase table (unknown version byte 0x%1)")
                           .arg(version, 2, 16, QLatin1Char('0')));
}

// A header length that leaves room for a column and stays within the file.
void CheckHeaderLength(const DbfLayout& layout, qint64 size, const QString& path) {
    if (layout.headerLength < kFileHeader + kDescriptor + 1)
        FailFile(path, QStringLiteral("damaged header: header length %1 is too small")
                           .arg(layout.headerLength));
    if (layout.headerLength > size)
        FailFile(path, QStringLiteral("damaged header: header length %1 goes past the end of the "
                                      "file (%2 bytes)")
                           .arg(layout.headerLength)
                           .arg(size));
}

// The column described at byte `at` of the header, the column number `number`; its offset is
// left to the caller.
DbfField ReadColumn(QByteArrayView file, int at, int number, const QString& path) {
    QByteArray rawName = file.sliced(at, 11).toByteArray();
    const qsizetype nul = rawName.indexOf('\0');
    if (nul >= 0) rawName.truncate(nul);
    if (rawName.isEmpty())
        FailFile(path, QStringLiteral("damaged header: column %1 has no name").arg(number));
    for (char c : rawName)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            FailFile(
                path,
                QStringLiteral("damaged header: column %1 has an unreadable name").arg(number));
    DbfField field;
    field.name = QString::fromLatin1(rawName).trimmed();
    field.type = static_cast<char>(std::toupper(static_cast<unsigned char>(file[at + 11])));
    field.width = static_cast<unsigned char>(file[at + 16]);
    field.decimals = static_cast<unsigned char>(file[at + 17]);
    if (!QByteArrayView("CNFDL").contains(field.type))
        FailFile(path, QStringLiteral("column %1 (%2) has the unsupported type '%3'")
                           .arg(number)
                           .arg(field.name, QString::fromLatin1(&field.type, 1)));
    if (field.width == 0)
        FailFile(path, QStringLiteral("damaged header: column %1 (%2) has width 0")
                           .arg(number)
                           .arg(field.name));
    field.numeric = field.type == 'N' || field.type == 'F';
    return field;
}

// The column descriptors up to their 0x0D terminator, into layout.fields; returns the length of
// a record they make (the deletion flag and the columns).
int ReadColumns(QByteArrayView file, DbfLayout& layout, const QString& path) {
    bool terminated = false;
    int offset = 1;
    for (int at = kFileHeader; at < layout.headerLength; at += kDescriptor) {
        if (file[at] == 0x0D) {
            terminated = true;
            break;
        }
        if (at + kDescriptor > layout.headerLength) break;
        DbfField field = ReadColumn(file, at, static_cast<int>(layout.fields.size()), path);
        field.offset = offset;
        offset += field.width;
        layout.fields.push_back(field);
    }
    if (!terminated)
        FailFile(path, QStringLiteral(
                           "damaged header: the column descriptors are not terminated by 0x0D"));
    if (layout.fields.empty())
        FailFile(path, QStringLiteral("damaged header: the table has no columns"));
    return offset;
}

// The header and record lengths the header gives, against those its columns make.
void CheckLengthsOfColumns(const DbfLayout& layout, int columnsRecordLength, const QString& path) {
    const int expectedHeader =
        kFileHeader + kDescriptor * static_cast<int>(layout.fields.size()) + 1;
    if (layout.headerLength != expectedHeader)
        FailFile(path, QStringLiteral("damaged header: header length %1 does not match its %2 "
                                      "columns (%3 bytes expected)")
                           .arg(layout.headerLength)
                           .arg(layout.fields.size())
                           .arg(expectedHeader));
    if (layout.recordLength != columnsRecordLength)
        FailFile(path, QStringLiteral("damaged header: record length %1 does not match the columns "
                                      "(1 + %2 bytes)")
                           .arg(layout.recordLength)
                           .arg(columnsRecordLength - 1));
}

// The records fill the rest of the file, with at most an end-of-file byte after them (its value,
// the file's last byte, is checked once read: CheckDbfEnd).
void CheckRecordCount(qint64 size, const DbfLayout& layout, quint32 count, const QString& path) {
    const qint64 records = size - layout.headerLength;
    const qint64 available = records / layout.recordLength;
    if (available < qint64(count)) {
        const bool partial = records % layout.recordLength != 0;
        FailFile(path,
                 QStringLiteral("the file is truncated: the header announces %1 records but "
                                "only %2 are complete%3")
                     .arg(count)
                     .arg(available)
                     .arg(partial ? QStringLiteral(" (the last one is cut short)") : QString()));
    }
    // One record past the count is a post cut short between writing the record and its count
    // (the program killed in between): the table keeps every record it counts. More than that
    // is a damaged header.
    const qint64 extra = records - qint64(count) * layout.recordLength;
    const bool interruptedPost = extra > 1 && extra <= layout.recordLength + 1;
    if (!interruptedPost && extra > 1) FailExtraBytes(path, count, extra);
}

} // namespace

DbfLayout CheckDbfHeader(QByteArrayView head, qint64 size, const QString& path) {
    CheckFileStart(head, size, path);
    DbfLayout layout;
    const quint32 count = Le32At(head, 4);
    layout.headerLength = Le16At(head, 8);
    layout.recordLength = Le16At(head, 10);
    CheckHeaderLength(layout, size, path);
    if (layout.headerLength > head.size())
        FailFile(path, QStringLiteral("damaged header: header length %1 is too large")
                           .arg(layout.headerLength));
    const int columnsRecordLength = ReadColumns(head, layout, path);
    CheckLengthsOfColumns(layout, columnsRecordLength, path);
    CheckRecordCount(size, layout, count, path);
    layout.recordCount = static_cast<int>(count);
    return layout;
}

void CheckDbfEnd(const DbfLayout& layout, qint64 size, char last, const QString& path) {
    const qint64 extra =
        size - layout.headerLength - qint64(layout.recordCount) * layout.recordLength;
    if (extra == 1 && last != kEndOfFile)
        FailExtraBytes(path, static_cast<quint32>(layout.recordCount), extra);
}

namespace {

// One read of the table through the buffer: the header checked from the first piece, then the
// records handed on in runs as they complete (a record may straddle two pieces).
class TableScan {
public:
    TableScan(const QString& path, const DbfScanStart& start, const DbfScanRecords& records)
        : path_(path), start_(start), records_(records) {}

    // A failure stops the scan but not the read: whether the file changed meanwhile decides
    // whether it is the file's or the read's (a writer caught half-way), so it is kept for finish.
    void take(QByteArrayView piece, qint64 at, qint64 size) {
        if (failure_) return;
        try {
            takeChecked(piece, at, size);
        } catch (const TableError&) {
            failure_ = std::current_exception();
        }
    }
    const DbfLayout& finish() {
        if (failure_) std::rethrow_exception(failure_);
        if (!started_) (void)CheckDbfHeader({}, 0, path_); // an empty file: refused
        CheckDbfEnd(layout_, size_, last_, path_);
        return layout_;
    }

private:
    void takeChecked(QByteArrayView piece, qint64 at, qint64 size) {
        size_ = size;
        if (!piece.isEmpty()) last_ = piece.back();
        if (at == 0) {
            // The first piece is the whole file or kPieceBytes, more than a header can be long.
            layout_ = CheckDbfHeader(piece, size, path_);
            started_ = true;
            start_(layout_);
            piece = piece.sliced(std::min<qsizetype>(layout_.headerLength, piece.size()));
        }
        const int length = layout_.recordLength;
        if (!carry_.isEmpty()) { // the end of a record begun in the last piece
            const qsizetype need = std::min<qsizetype>(length - carry_.size(), piece.size());
            carry_.append(piece.first(need));
            piece = piece.sliced(need);
            if (carry_.size() < length) return;
            hand(carry_.constData(), 1);
            carry_.clear();
        }
        const int whole = static_cast<int>(piece.size() / length);
        hand(piece.constData(), whole);
        carry_ = piece.sliced(qsizetype(whole) * length).toByteArray();
    }
    void hand(const char* rows, int n) {
        n = std::min(n, layout_.recordCount - next_); // what follows the counted records
        if (n <= 0) return;
        records_(rows, next_, n);
        next_ += n;
    }

    const QString& path_;
    const DbfScanStart& start_;
    const DbfScanRecords& records_;
    DbfLayout layout_;
    QByteArray carry_;
    qint64 size_ = 0;
    char last_ = 0;
    int next_ = 0;
    bool started_ = false;
    std::exception_ptr failure_;
};

} // namespace

DbfLayout ScanDbfFile(const QString& path, const DbfScanStart& start,
                      const DbfScanRecords& records) {
    // Readers take no lock: a writer may be appending or rewriting records while the file is read.
    // A read that saw the file change is made again, a little later; after many tries the last
    // one is kept if its header agrees with its records.
    constexpr int kTries = 40;
    for (int attempt = 1;; ++attempt) {
        bool changed = false;
        TableScan scan(path, start, records);
        ReadRegularFileInPieces(
            path, QStringLiteral("the table"), kMaxTableBytes, kPieceBytes,
            [&](QByteArrayView piece, qint64 at, qint64 size) { scan.take(piece, at, size); },
            &changed);
        if (!changed || attempt == kTries) return scan.finish();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int DbfFile::readRecords(int first, int count, char* out) const {
    const qint64 at = headerLength_ + qint64(first) * recordLength_;
    const qint64 size = qint64(count) * recordLength_;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(file_.handle(), out + done, size_t(size - done), at + done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) break; // the end of the file
        if (n < 0)
            FailFile(path_, QStringLiteral("records %1 to %2 cannot be read (%3)")
                                .arg(first)
                                .arg(first + count - 1)
                                .arg(QString::fromLocal8Bit(std::strerror(errno))));
        done += n;
    }
    return int(done / recordLength_);
}

DbfFile::~DbfFile() {
    close();
}

void DbfFile::create(const QString& path, const std::vector<ColumnSpec>& columns) {
    if (columns.empty()) FailFile(path, QStringLiteral("a table needs at least one column"));
    static const QRegularExpression validName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,9}$"));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnSpec& c = columns[i];
        const QString label = QStringLiteral("column %1 (%2)").arg(i).arg(c.name);
        if (!validName.match(c.name).hasMatch())
            FailFile(path, label + QStringLiteral(": a name is 1 to 10 letters, digits or '_'"));
        for (std::size_t j = 0; j < i; ++j)
            if (columns[j].name.compare(c.name, Qt::CaseInsensitive) == 0)
                FailFile(path, label + QStringLiteral(": the name is used twice"));
        const int maxWidth = c.type == ColumnSpec::Text ? 254 : 20;
        if (c.width < 1 || c.width > maxWidth)
            FailFile(path,
                     label +
                         QStringLiteral(": width %1 is out of 1..%2").arg(c.width).arg(maxWidth));
        const bool decimalsOk =
            c.type == ColumnSpec::Real
                ? c.decimals >= 0 && (c.decimals == 0 || c.decimals <= c.width - 2)
                : c.decimals == 0;
        if (!decimalsOk)
            FailFile(path, label + QStringLiteral(": %1 decimals do not suit it").arg(c.decimals));
    }

    // "LDID/87" puts the language driver of code page 1252 (0x57) in the header.
    DBFHandle h = DBFCreateEx(QFile::encodeName(path).constData(), "LDID/87");
    if (!h) FailFile(path, QStringLiteral("the table cannot be created"));
    for (const ColumnSpec& c : columns) {
        const DBFFieldType type = c.type == ColumnSpec::Text      ? FTString
                                  : c.type == ColumnSpec::Integer ? FTInteger
                                                                  : FTDouble;
        if (DBFAddField(h, c.name.toLatin1().constData(), type, c.width, c.decimals) < 0) {
            DBFClose(h);
            QFile::remove(path);
            FailFile(path, QStringLiteral("the column %1 cannot be added").arg(c.name));
        }
    }
    DBFClose(h);
    if (!QFileInfo::exists(path)) FailFile(path, QStringLiteral("the table cannot be created"));
}

void DbfFile::open(const QString& path, bool readOnly, const DbfLayout& layout) {
    close();
#if defined(SIGXFSZ)
    // A write past the file-size limit must fail like a full disk, where it can be undone and
    // reported, rather than end the program half-way.
    if (!readOnly) std::signal(SIGXFSZ, SIG_IGN);
#endif
    file_.setFileName(path);
    // Unbuffered: each write reaches the system at once, and a short one is seen where it happens.
    const QIODevice::OpenMode mode =
        readOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite | QIODevice::Unbuffered;
    if (!file_.open(mode))
        FailFile(path, (readOnly ? QStringLiteral("the table cannot be opened: %1")
                                 : QStringLiteral("the table cannot be opened for writing: %1"))
                           .arg(file_.errorString()));
    path_ = path;
    headerLength_ = layout.headerLength;
    recordLength_ = layout.recordLength;
}

void DbfFile::close() {
    if (file_.isOpen()) file_.close();
}

void DbfFile::failWrite(const QString& what) const {
    FailFile(path_, what + QStringLiteral("; the table is as it was before this write"));
}

void DbfFile::writeAt(qint64 offset, const char* bytes, qint64 size) {
    if (!file_.seek(offset))
        throw TableError(QStringLiteral("cannot reach byte %1: %2")
                             .arg(offset)
                             .arg(file_.errorString())
                             .toStdString());
    qint64 done = 0;
    while (done < size) {
        const qint64 n = file_.write(bytes + done, size - done);
        if (n <= 0)
            throw TableError(
                (n < 0 ? file_.errorString() : QStringLiteral("nothing could be written"))
                    .toStdString());
        done += n;
    }
}

void DbfFile::replaceRecord(int record, const char* bytes, const char* previous) {
    const qint64 at = headerLength_ + qint64(record) * recordLength_;
    try {
        writeAt(at, bytes, recordLength_);
    } catch (const TableError& e) {
        const QString reason = QString::fromUtf8(e.what());
        try {
            writeAt(at, previous, recordLength_);
        } catch (const TableError& again) {
            FailFile(path_, QStringLiteral("record %1 cannot be written (%2), nor its previous "
                                           "content put back (%3)")
                                .arg(record)
                                .arg(reason, QString::fromUtf8(again.what())));
        }
        failWrite(QStringLiteral("record %1 cannot be written: %2").arg(record).arg(reason));
    }
}

void DbfFile::appendRecord(int record, const char* bytes) {
    const qint64 at = headerLength_ + qint64(record) * recordLength_;
    QByteArray image(bytes, recordLength_);
    image.append(kEndOfFile);
    char count[4];
    qToLittleEndian<quint32>(quint32(record + 1), count);
    // What the write covers: the header's first bytes and what lies from the new record's place
    // to the end (the end-of-file byte, or the rest of an unfinished post).
    const qint64 before = file_.size();
    QByteArray header, tail;
    if (file_.seek(0)) header = file_.read(8);
    if (before > at && file_.seek(at)) tail = file_.read(before - at);
    if (header.size() != 8 || tail.size() != std::max<qint64>(0, before - at))
        FailFile(path_, QStringLiteral("the table cannot be read back before writing: %1")
                            .arg(file_.errorString()));
    try {
        // The record and the end-of-file byte first, the count after them: a program stopped in
        // between leaves one record past the count, which the table takes for an unfinished post.
        writeAt(at, image.constData(), image.size());
        writeAt(4, count, 4);
    } catch (const TableError& e) {
        const QString reason = QString::fromUtf8(e.what());
        // Shrinking needs no room on the disk, and the bytes put back were there before. A write
        // refused outright (past a file-size limit) may have changed nothing, and putting back
        // what is still there fails the same way: the file itself says whether it is as it was.
        file_.resize(before);
        try {
            if (!tail.isEmpty()) writeAt(at, tail.constData(), tail.size());
            writeAt(0, header.constData(), header.size());
        } catch (const TableError&) {
        }
        const auto bytesAt = [this](qint64 offset, qint64 size) {
            return file_.seek(offset) ? file_.read(size) : QByteArray();
        };
        const bool restored =
            file_.size() == before && bytesAt(0, 8) == header && bytesAt(at, tail.size()) == tail;
        if (!restored)
            FailFile(path_, QStringLiteral("a new record cannot be written (%1), and the file "
                                           "could not be put back as it was")
                                .arg(reason));
        failWrite(QStringLiteral("a new record cannot be written: %1").arg(reason));
    }
}

void DbfFile::markDeleted(int record) {
    const char flag = '*';
    try {
        writeAt(headerLength_ + qint64(record) * recordLength_, &flag, 1);
    } catch (const TableError& e) {
        failWrite(QStringLiteral("record %1 cannot be marked deleted: %2")
                      .arg(record)
                      .arg(QString::fromUtf8(e.what())));
    }
}

void DbfFile::sync() {
    if (!file_.isOpen() || !file_.isWritable()) return;
#if defined(Q_OS_UNIX)
    if (::fsync(file_.handle()) != 0)
        FailFile(path_, QStringLiteral("the changes cannot be put on the disk: %1")
                            .arg(QString::fromLocal8Bit(std::strerror(errno))));
#endif
}

} // namespace ondrel
