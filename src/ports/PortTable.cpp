// The port table engine. The whole .dbf is read at open, checked, and kept in memory; shapelib
// does the writing (one record at a time, followed by the header and a flush). The tag orders
// are vectors of record numbers sorted on the tag's key, kept sorted through every change, and
// the visible records (tag order within the range, filtered, not deleted) are a second vector
// that list views index directly. The file format, the tag file and the conventions are
// described in docs/PORT_TABLE.md.
#include "PortTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

#include <shapefil.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ondrel {

// ---------------------------------------------------------------------------------------------
// Windows-1252

namespace {

// Characters of the bytes 0x80 to 0x9F. The five bytes without a character (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the C1 control of the same value, as Windows decodes them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QByteArray ToCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4()) out.append(EncodeCp1252(c));
    return out;
}

QString FromCp1252(const char* data, qsizetype size) {
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        dst[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Name keys

QString NameKey(const QString& name) {
    const QString trimmed = name.trimmed();
    bool ascii = true;
    for (QChar c : trimmed)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return trimmed.toUpper();

    const QString decomposed = trimmed.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size() + 2);
    for (QChar c : decomposed) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            continue;
        default:
            break;
        }
        switch (c.unicode()) {
        case 0x0152: case 0x0153: key += QLatin1String("OE"); break; // Œ œ
        case 0x00C6: case 0x00E6: key += QLatin1String("AE"); break; // Æ æ
        case 0x00DF: case 0x1E9E: key += QLatin1String("SS"); break; // ß ẞ
        // Letters with a stroke do not decompose: fold them to their plain letter too.
        case 0x00D8: case 0x00F8: key += QLatin1Char('O'); break;     // Ø ø
        case 0x0110: case 0x0111: key += QLatin1Char('D'); break;     // Đ đ
        case 0x0141: case 0x0142: key += QLatin1Char('L'); break;     // Ł ł
        default: key += c.toUpper(); break;
        }
    }
    return key;
}

// ---------------------------------------------------------------------------------------------
// File checks and helpers

namespace {

struct Field {
    QString name;
    char type = 'C';
    int width = 0;
    int decimals = 0;
    int offset = 0; // from the start of the record (the deletion flag is byte 0)
    bool numeric = false;
};

struct Layout {
    std::vector<Field> fields;
    int headerLength = 0;
    int recordLength = 0;
    int recordCount = 0;
};

struct Tag {
    QString name;
    int column = -1;
    bool numeric = false;
    int conditionColumn = -1;   // -1: every record
    bool conditionEmpty = false; // member when that column is blank (true) or not blank (false)
    std::vector<int> order;
};

// A range bound or search value, already turned into a key of the current tag.
struct Key {
    double number = 0;
    QString text;
};

[[noreturn]] void Fail(const QString& file, const QString& what) {
    throw TableError(QStringLiteral("%1: %2").arg(file, what).toStdString());
}

unsigned Le16(const QByteArray& b, int at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

quint32 Le32(const unsigned char* p) {
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

// The absolute path of a file; when it does not exist, a file of the same directory whose name
// differs only in case (the program opens "ports.dbf" and "ports.DBF").
QString ResolveCase(const QString& path) {
    const QFileInfo info(path);
    if (info.exists()) return info.absoluteFilePath();
    const QDir dir = info.absoluteDir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0) return dir.absoluteFilePath(name);
    return info.absoluteFilePath();
}

QByteArray ReadWholeFile(const QString& path, const QString& what) {
    QFile file(path);
    if (!file.exists()) Fail(path, QStringLiteral("%1 is missing").arg(what));
    if (!file.open(QIODevice::ReadOnly))
        Fail(path, QStringLiteral("%1 cannot be read (%2)").arg(what, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Fail(path, QStringLiteral("%1 cannot be read (%2)").arg(what, file.errorString()));
    return bytes;
}

// Checks the dBase header of a whole file and describes its columns. shapelib trusts the header
// it is given, so every figure is checked against the others and against the file's size.
Layout CheckHeader(const QByteArray& file, const QString& path) {
    const qint64 size = file.size();
    if (size == 0) Fail(path, QStringLiteral("the table file is empty"));
    if (size < 32)
        Fail(path, QStringLiteral("the file is too short for a dBase header (%1 bytes)").arg(size));

    static const unsigned char versions[] = {0x02, 0x03, 0x04, 0x05, 0x30, 0x31, 0x32, 0x43,
                                             0x63, 0x83, 0x8B, 0x8E, 0xCB, 0xF5, 0xFB};
    const auto version = static_cast<unsigned char>(file[0]);
    if (std::find(std::begin(versions), std::end(versions), version) == std::end(versions))
        Fail(path, QStringLiteral("not a dBase table (unknown version byte 0x%1)")
                       .arg(version, 2, 16, QLatin1Char('0')));

    Layout layout;
    const quint32 count = Le32(reinterpret_cast<const unsigned char*>(file.constData()) + 4);
    layout.headerLength = static_cast<int>(Le16(file, 8));
    layout.recordLength = static_cast<int>(Le16(file, 10));
    if (layout.headerLength < 32 + 32 + 1)
        Fail(path, QStringLiteral("damaged header: header length %1 is too small")
                       .arg(layout.headerLength));
    if (layout.headerLength > size)
        Fail(path, QStringLiteral("damaged header: header length %1 goes past the end of the "
                                  "file (%2 bytes)").arg(layout.headerLength).arg(size));

    bool terminated = false;
    int offset = 1;
    for (int at = 32; at < layout.headerLength; at += 32) {
        if (static_cast<unsigned char>(file[at]) == 0x0D) {
            terminated = true;
            break;
        }
        if (at + 32 > layout.headerLength) break;
        const int number = static_cast<int>(layout.fields.size());
        QByteArray rawName = file.mid(at, 11);
        const int nul = rawName.indexOf('\0');
        if (nul >= 0) rawName.truncate(nul);
        if (rawName.isEmpty()) Fail(path, QStringLiteral("damaged header: column %1 has no name").arg(number));
        for (char c : rawName)
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
                Fail(path, QStringLiteral("damaged header: column %1 has an unreadable name").arg(number));
        Field field;
        field.name = QString::fromLatin1(rawName).trimmed();
        field.type = static_cast<char>(std::toupper(static_cast<unsigned char>(file[at + 11])));
        field.width = static_cast<unsigned char>(file[at + 16]);
        field.decimals = static_cast<unsigned char>(file[at + 17]);
        if (!QByteArrayView("CNFDL").contains(field.type))
            Fail(path, QStringLiteral("column %1 (%2) has the unsupported type '%3'")
                           .arg(number).arg(field.name, QString::fromLatin1(&field.type, 1)));
        if (field.width == 0)
            Fail(path, QStringLiteral("damaged header: column %1 (%2) has width 0").arg(number).arg(field.name));
        field.numeric = field.type == 'N' || field.type == 'F';
        field.offset = offset;
        offset += field.width;
        layout.fields.push_back(field);
    }
    if (!terminated)
        Fail(path, QStringLiteral("damaged header: the column descriptors are not terminated by 0x0D"));
    if (layout.fields.empty()) Fail(path, QStringLiteral("damaged header: the table has no columns"));
    if (layout.recordLength != offset)
        Fail(path, QStringLiteral("damaged header: record length %1 does not match the columns "
                                  "(1 + %2 bytes)").arg(layout.recordLength).arg(offset - 1));

    const qint64 available = (size - layout.headerLength) / layout.recordLength;
    if (available < qint64(count)) {
        const bool partial = (size - layout.headerLength) % layout.recordLength != 0;
        Fail(path, QStringLiteral("the file is truncated: the header announces %1 records but "
                                  "only %2 are complete%3")
                       .arg(count).arg(available)
                       .arg(partial ? QStringLiteral(" (the last one is cut short)") : QString()));
    }
    layout.recordCount = static_cast<int>(count);
    return layout;
}

std::vector<Tag> ReadTags(const QString& path, const std::vector<Field>& fields) {
    const QByteArray bytes = ReadWholeFile(path, QStringLiteral("the tag file"));
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError() || text.contains(QChar(0)))
        Fail(path, QStringLiteral("the tag file is not UTF-8 text"));
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);

    auto columnOf = [&fields](const QString& name) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
        return -1;
    };

    static const QRegularExpression line(
        QStringLiteral(R"(^([A-Za-z_][A-Za-z0-9_]*)\s*=\s*([A-Za-z_][A-Za-z0-9_]*))"
                       R"((?:\s+where\s+([A-Za-z_][A-Za-z0-9_]*)\s+(empty|notempty))?$)"),
        QRegularExpression::CaseInsensitiveOption);

    std::vector<Tag> tags;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString content = lines[n];
        const qsizetype hash = content.indexOf(QLatin1Char('#'));
        if (hash >= 0) content.truncate(hash);
        content = content.trimmed();
        if (content.isEmpty()) continue;
        const QString where = QStringLiteral("line %1: ").arg(n + 1);
        const QRegularExpressionMatch m = line.match(content);
        if (!m.hasMatch())
            Fail(path, where + QStringLiteral("expected \"TAG = COLUMN\" or \"TAG = COLUMN where "
                                              "COLUMN empty|notempty\", found \"%1\"")
                                   .arg(content.left(60)));
        Tag tag;
        tag.name = m.captured(1);
        for (const Tag& other : tags)
            if (other.name.compare(tag.name, Qt::CaseInsensitive) == 0)
                Fail(path, where + QStringLiteral("the tag %1 is defined twice").arg(tag.name));
        tag.column = columnOf(m.captured(2));
        if (tag.column < 0)
            Fail(path, where + QStringLiteral("the tag %1 uses the unknown column %2")
                                   .arg(tag.name, m.captured(2)));
        tag.numeric = fields[tag.column].numeric;
        if (m.hasCaptured(3)) {
            tag.conditionColumn = columnOf(m.captured(3));
            if (tag.conditionColumn < 0)
                Fail(path, where + QStringLiteral("the tag %1 uses the unknown column %2")
                                       .arg(tag.name, m.captured(3)));
            tag.conditionEmpty = m.captured(4).compare(QLatin1String("empty"), Qt::CaseInsensitive) == 0;
        }
        tags.push_back(std::move(tag));
    }
    if (tags.empty()) Fail(path, QStringLiteral("the tag file defines no tag"));
    return tags;
}

// A field's bytes without the blanks (and NULs) that pad it.
QByteArrayView Trimmed(QByteArrayView v) {
    auto blank = [](char c) { return c == ' ' || c == '\0'; };
    while (!v.isEmpty() && blank(v.front())) v = v.sliced(1);
    while (!v.isEmpty() && blank(v.back())) v.chop(1);
    return v;
}

QByteArrayView TrimmedRight(QByteArrayView v) {
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\0')) v.chop(1);
    return v;
}

// A blank numeric field, or one filled with '*' (the null value some writers use).
bool IsNullNumber(QByteArrayView v) {
    return std::all_of(v.begin(), v.end(), [](char c) { return c == '*'; });
}

// Parses a number written with '.' (file) or the given decimal separator (user text).
bool ParseNumber(QString text, QChar decimal, double& value) {
    text = text.trimmed();
    if (decimal != QLatin1Char('.')) text.replace(decimal, QLatin1Char('.'));
    bool ok = false;
    value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(value);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The table

struct PortTable::Impl {
    enum class Editing { None, Insert, Modify };
    enum class Reposition { First, KeepOrFirst, KeepOrNearest };

    PortTable* owner = nullptr;
    QString path;
    QString tagsPath;
    bool readOnly = false;
    DBFHandle dbf = nullptr;

    std::vector<Field> fields;
    int recordLength = 0;
    int count = 0;
    QByteArray data; // every record, recordLength bytes each
    std::vector<char> deleted;
    std::vector<std::vector<QString>> textKeys; // per column, for the columns that key a tag
    std::vector<std::vector<double>> numberKeys;
    std::vector<char> keyedText, keyedNumber; // which columns have key vectors
    int zoneColumn = -1;

    std::vector<Tag> tags;
    int tag = -1;
    bool hasRange = false;
    Key low, high;
    std::function<bool(const PortTable&)> filter;
    bool filtered = false;
    std::vector<int> visible;
    int pos = 0; // index into visible; visible.size() at the end

    Editing editing = Editing::None;
    QByteArray pending;
    int editRecord = -1;
    mutable int candidate = -1; // record under the filter's test
    QChar decimal;

    // --- raw access
    const char* row(int rec) const { return data.constData() + qsizetype(rec) * recordLength; }
    QByteArrayView field(const char* rec, int col) const {
        return QByteArrayView(rec + fields[col].offset, fields[col].width);
    }
    int current() const { return pos < static_cast<int>(visible.size()) ? visible[pos] : -1; }
    const char* readRow() const {
        if (candidate >= 0) return row(candidate);
        if (editing != Editing::None) return pending.constData();
        const int rec = current();
        return rec >= 0 ? row(rec) : nullptr;
    }

    [[noreturn]] void fail(const QString& what) const { Fail(path, what); }
    void requireOpen() const {
        if (!dbf) throw TableError("the port table is not open");
    }
    void requireColumn(int col) const {
        requireOpen();
        if (col < 0 || col >= static_cast<int>(fields.size()))
            fail(QStringLiteral("column %1 does not exist (the table has %2 columns)")
                     .arg(col).arg(fields.size()));
    }
    QString columnLabel(int col) const {
        return QStringLiteral("column %1 (%2)").arg(col).arg(fields[col].name);
    }
    void requireBrowsing(const char* operation) const {
        requireOpen();
        if (editing != Editing::None)
            fail(QStringLiteral("%1 is not possible while a record is being edited")
                     .arg(QLatin1String(operation)));
    }
    void requireWritable(const char* operation) const {
        requireBrowsing(operation);
        if (readOnly)
            fail(QStringLiteral("%1 is not possible: the table is open read-only")
                     .arg(QLatin1String(operation)));
    }
    const Tag& currentTag() const { return tags[tag]; }

    // --- keys and orders
    bool isMember(const Tag& t, int rec) const {
        if (deleted[rec]) return false;
        if (t.conditionColumn < 0) return true;
        const bool blank = Trimmed(field(row(rec), t.conditionColumn)).isEmpty();
        return blank == t.conditionEmpty;
    }
    void computeKeys(int rec) {
        const char* r = row(rec);
        for (std::size_t col = 0; col < fields.size(); ++col) {
            if (keyedText[col]) {
                const QByteArrayView v = TrimmedRight(field(r, int(col)));
                textKeys[col][rec] = NameKey(FromCp1252(v.data(), v.size()));
            }
            if (keyedNumber[col]) {
                const QByteArrayView v = Trimmed(field(r, int(col)));
                bool ok = false;
                const double x = QLocale::c().toDouble(QString::fromLatin1(v), &ok);
                numberKeys[col][rec] = ok && std::isfinite(x) ? x : 0.0;
            }
        }
    }
    int compareKeys(const Tag& t, int a, int b) const {
        if (t.numeric) {
            const double x = numberKeys[t.column][a], y = numberKeys[t.column][b];
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        return QString::compare(textKeys[t.column][a], textKeys[t.column][b]);
    }
    bool less(const Tag& t, int a, int b) const {
        const int c = compareKeys(t, a, b);
        return c != 0 ? c < 0 : a < b;
    }
    int compareToKey(const Tag& t, int rec, const Key& key) const {
        if (t.numeric) {
            const double x = numberKeys[t.column][rec];
            return x < key.number ? -1 : (x > key.number ? 1 : 0);
        }
        const int c = QString::compare(textKeys[t.column][rec], key.text);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    Key keyOf(const QString& value, double blankValue) const {
        Key key;
        if (!currentTag().numeric) {
            key.text = NameKey(value);
        } else if (value.trimmed().isEmpty()) {
            key.number = blankValue;
        } else if (!ParseNumber(value, decimal, key.number)) {
            fail(QStringLiteral("the tag %1 has a numeric key and \"%2\" is not a number")
                     .arg(currentTag().name, value));
        }
        return key;
    }
    Key keyOf(qint64 value) const {
        Key key;
        key.number = static_cast<double>(value);
        key.text = QString::number(value);
        return key;
    }
    void sortOrder(Tag& t) {
        t.order.clear();
        for (int rec = 0; rec < count; ++rec)
            if (isMember(t, rec)) t.order.push_back(rec);
        std::sort(t.order.begin(), t.order.end(), [&](int a, int b) { return less(t, a, b); });
    }
    void dropFromOrders(int rec) {
        for (Tag& t : tags) {
            auto it = std::find(t.order.begin(), t.order.end(), rec);
            if (it != t.order.end()) t.order.erase(it);
        }
    }
    void addToOrders(int rec) {
        for (Tag& t : tags) {
            if (!isMember(t, rec)) continue;
            auto it = std::lower_bound(t.order.begin(), t.order.end(), rec,
                                       [&](int a, int b) { return less(t, a, b); });
            t.order.insert(it, rec);
        }
    }

    // Appends records [count, newCount) of a whole file image to the memory copy.
    void appendRows(const QByteArray& file, int headerLength, int newCount) {
        const int first = count;
        data.append(file.constData() + headerLength + qsizetype(first) * recordLength,
                    qsizetype(newCount - first) * recordLength);
        grow(first, newCount);
    }
    void appendRecord(const QByteArray& record) {
        data.append(record);
        grow(count, count + 1);
    }
    void grow(int first, int newCount) {
        count = newCount;
        deleted.resize(count);
        for (std::size_t col = 0; col < fields.size(); ++col) {
            if (keyedText[col]) textKeys[col].resize(count);
            if (keyedNumber[col]) numberKeys[col].resize(count);
        }
        for (int rec = first; rec < count; ++rec) {
            deleted[rec] = row(rec)[0] == '*';
            computeKeys(rec);
        }
    }

    // --- visible records
    bool accepted(int rec) const {
        if (!filtered || !filter) return true;
        candidate = rec;
        bool ok = false;
        try {
            ok = filter(*owner);
        } catch (...) {
            ok = false; // a record the filter cannot judge is hidden
        }
        candidate = -1;
        return ok;
    }
    void rebuild(int keep, Reposition how) {
        visible.clear();
        const Tag& t = currentTag();
        auto begin = t.order.begin();
        auto end = t.order.end();
        if (hasRange) {
            begin = std::partition_point(begin, end, [&](int rec) { return compareToKey(t, rec, low) < 0; });
            end = std::partition_point(begin, end, [&](int rec) { return compareToKey(t, rec, high) <= 0; });
        }
        for (auto it = begin; it != end; ++it)
            if (accepted(*it)) visible.push_back(*it);

        const int size = static_cast<int>(visible.size());
        pos = 0;
        if (how == Reposition::First || keep < 0) return;
        const auto it = std::lower_bound(visible.begin(), visible.end(), keep,
                                         [&](int a, int b) { return less(t, a, b); });
        const int at = static_cast<int>(it - visible.begin());
        if (it != visible.end() && *it == keep) pos = at;
        else if (how == Reposition::KeepOrNearest) pos = (at < size || size == 0) ? at : size - 1;
    }
    int lowerBound(const Key& key) const {
        const Tag& t = currentTag();
        const auto it = std::partition_point(visible.begin(), visible.end(),
                                             [&](int rec) { return compareToKey(t, rec, key) < 0; });
        return static_cast<int>(it - visible.begin());
    }
    bool find(const Key& key) {
        const int at = lowerBound(key);
        if (at < static_cast<int>(visible.size()) && compareToKey(currentTag(), visible[at], key) == 0) {
            pos = at;
            return true;
        }
        return false;
    }

    // --- writing
    void flush() {
        DBFUpdateHeader(dbf); // writes the pending record, then the record count, then flushes
        if (dbf->sHooks.FFlush(dbf->fp) != 0) fail(QStringLiteral("writing to the file failed"));
    }
    void closeHandle() {
        if (!dbf) return;
        // Everything was written and flushed at each post; shapelib would otherwise rewrite the
        // header with its own record count, undoing appends made by another table object.
        dbf->bUpdated = 0;
        DBFClose(dbf);
        dbf = nullptr;
    }
    DBFHandle openHandle() const {
        DBFHandle h = DBFOpen(QFile::encodeName(path).constData(), readOnly ? "rb" : "rb+");
        if (!h) fail(readOnly ? QStringLiteral("the table cannot be opened")
                              : QStringLiteral("the table cannot be opened for writing"));
        if (h->nFields != static_cast<int>(fields.size()) || h->nRecordLength != recordLength) {
            h->bUpdated = 0;
            DBFClose(h);
            fail(QStringLiteral("the dBase library reads a different layout from the header"));
        }
        return h;
    }
    // Another table object on the same file may have appended records since we read it: pick
    // them up before appending, so that nothing is overwritten.
    void catchUpWithFile() {
        // Read through a file of our own: shapelib's stream may still hold the old header in its
        // buffer.
        QFile file(path);
        unsigned char b[4] = {};
        if (!file.open(QIODevice::ReadOnly) || !file.seek(4) ||
            file.read(reinterpret_cast<char*>(b), 4) != 4)
            fail(QStringLiteral("the header cannot be read back"));
        file.close();
        if (static_cast<qint64>(Le32(b)) <= count) return;
        const QByteArray image = ReadWholeFile(path, QStringLiteral("the table"));
        const Layout layout = CheckHeader(image, path);
        if (layout.recordLength != recordLength || layout.fields.size() != fields.size())
            fail(QStringLiteral("the table's columns were changed while it was open"));
        closeHandle(); // shapelib keeps its record count: reopen it to append after the new rows
        dbf = openHandle();
        appendRows(image, layout.headerLength, layout.recordCount);
        for (Tag& t : tags) sortOrder(t);
    }
    void putField(int col, QByteArray bytes, bool alignRight) {
        const Field& f = fields[col];
        if (bytes.size() > f.width) {
            if (f.numeric)
                fail(QStringLiteral("the value %1 does not fit in %2 (width %3)")
                         .arg(QString::fromLatin1(bytes), columnLabel(col)).arg(f.width));
            bytes.truncate(f.width);
        }
        char* dst = pending.data() + f.offset;
        std::fill(dst, dst + f.width, ' ');
        std::copy(bytes.begin(), bytes.end(), dst + (alignRight ? f.width - bytes.size() : 0));
    }
    void putNumber(int col, double value) {
        if (!std::isfinite(value)) fail(QStringLiteral("%1: not a finite number").arg(columnLabel(col)));
        const Field& f = fields[col];
        if (f.decimals == 0) {
            const double rounded = std::round(value);
            if (std::fabs(rounded) > 9.2e18)
                fail(QStringLiteral("the value %1 does not fit in %2").arg(value).arg(columnLabel(col)));
            putField(col, QByteArray::number(static_cast<qint64>(rounded)), true);
        } else {
            putField(col, QByteArray::number(value, 'f', f.decimals), true);
        }
    }
    void requireEditing(int col) const {
        requireColumn(col);
        if (editing == Editing::None)
            fail(QStringLiteral("%1 cannot be written: no record is being inserted or edited")
                     .arg(columnLabel(col)));
    }
    double number(int col, bool& integral, qint64& exact) const {
        integral = false;
        exact = 0;
        const char* r = readRow();
        if (!r) return 0;
        const Field& f = fields[col];
        const QByteArrayView raw = Trimmed(field(r, col));
        QString text;
        if (f.numeric) {
            if (raw.isEmpty() || IsNullNumber(raw)) return 0;
            text = QString::fromLatin1(raw);
        } else {
            text = FromCp1252(raw.data(), raw.size());
            if (text.trimmed().isEmpty()) return 0;
        }
        bool ok = false;
        exact = QLocale::c().toLongLong(text.trimmed(), &ok);
        if (ok) {
            integral = true;
            return static_cast<double>(exact);
        }
        double value = 0;
        if (!ParseNumber(text, f.numeric ? QLatin1Char('.') : decimal, value) &&
            !ParseNumber(text, QLatin1Char('.'), value))
            fail(QStringLiteral("%1 holds \"%2\", which is not a number").arg(columnLabel(col), text));
        return value;
    }
};

PortTable::PortTable() : d(std::make_unique<Impl>()) {
    d->owner = this;
    const QString point = QLocale::system().decimalPoint();
    d->decimal = point.isEmpty() ? QLatin1Char('.') : point.front();
}

PortTable::~PortTable() { close(); }

QString PortTable::tagFilePath(const QString& dbfPath) {
    const QFileInfo info(dbfPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".tags"));
}

void PortTable::writeStandardTags(const QString& dbfPath) {
    const QString path = QFileInfo(tagFilePath(dbfPath)).absoluteFilePath();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) Fail(path, QStringLiteral("the tag file cannot be written (%1)").arg(file.errorString()));
    file.write(QStringLiteral(
                   "# Index tags of the port table, one per line:\n"
                   "#   TAG = COLUMN [where COLUMN empty|notempty]\n"
                   "# Text keys sort without case or accents, numeric keys by value.\n"
                   "Nom = NOM\n"
                   "Zone = ZONE\n"
                   "PRINCIPAL = NOM where PORT_REF empty\n"
                   "SECONDAIRE = NOM where PORT_REF notempty\n")
                   .toUtf8());
    if (!file.commit()) Fail(path, QStringLiteral("the tag file cannot be written (%1)").arg(file.errorString()));
}

void PortTable::create(const QString& dbfPath, const std::vector<ColumnSpec>& columns) {
    const QString path = QFileInfo(dbfPath).absoluteFilePath();
    if (columns.empty()) Fail(path, QStringLiteral("a table needs at least one column"));
    static const QRegularExpression validName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,9}$"));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnSpec& c = columns[i];
        const QString label = QStringLiteral("column %1 (%2)").arg(i).arg(c.name);
        if (!validName.match(c.name).hasMatch())
            Fail(path, label + QStringLiteral(": a name is 1 to 10 letters, digits or '_'"));
        for (std::size_t j = 0; j < i; ++j)
            if (columns[j].name.compare(c.name, Qt::CaseInsensitive) == 0)
                Fail(path, label + QStringLiteral(": the name is used twice"));
        const int maxWidth = c.type == ColumnSpec::Text ? 254 : 20;
        if (c.width < 1 || c.width > maxWidth)
            Fail(path, label + QStringLiteral(": width %1 is out of 1..%2").arg(c.width).arg(maxWidth));
        const bool decimalsOk = c.type == ColumnSpec::Real
                                    ? c.decimals >= 0 && (c.decimals == 0 || c.decimals <= c.width - 2)
                                    : c.decimals == 0;
        if (!decimalsOk) Fail(path, label + QStringLiteral(": %1 decimals do not suit it").arg(c.decimals));
    }

    // "LDID/87" puts the language driver of code page 1252 (0x57) in the header.
    DBFHandle h = DBFCreateEx(QFile::encodeName(path).constData(), "LDID/87");
    if (!h) Fail(path, QStringLiteral("the table cannot be created"));
    for (const ColumnSpec& c : columns) {
        const DBFFieldType type = c.type == ColumnSpec::Text      ? FTString
                                  : c.type == ColumnSpec::Integer ? FTInteger
                                                                  : FTDouble;
        if (DBFAddField(h, c.name.toLatin1().constData(), type, c.width, c.decimals) < 0) {
            DBFClose(h);
            QFile::remove(path);
            Fail(path, QStringLiteral("the column %1 cannot be added").arg(c.name));
        }
    }
    DBFClose(h);
    if (!QFileInfo::exists(path)) Fail(path, QStringLiteral("the table cannot be created"));
}

void PortTable::open(const QString& dbfPath) {
    close();
    const QString path = ResolveCase(dbfPath);
    const QString tagsPath = ResolveCase(tagFilePath(path));

    const QByteArray file = ReadWholeFile(path, QStringLiteral("the table"));
    Layout layout = CheckHeader(file, path);
    std::vector<Tag> tags = ReadTags(tagsPath, layout.fields);
    if (!d->readOnly && !QFileInfo(path).isWritable())
        Fail(path, QStringLiteral("the table cannot be opened for writing (the file is read-only)"));

    d->path = path;
    d->tagsPath = tagsPath;
    d->fields = std::move(layout.fields);
    d->recordLength = layout.recordLength;
    d->dbf = d->openHandle();

    const std::size_t n = d->fields.size();
    d->textKeys.assign(n, {});
    d->numberKeys.assign(n, {});
    d->keyedText.assign(n, 0);
    d->keyedNumber.assign(n, 0);
    for (const Tag& t : tags) (t.numeric ? d->keyedNumber : d->keyedText)[t.column] = 1;
    d->count = 0;
    d->data.clear();
    d->deleted.clear();
    d->data.reserve(qsizetype(layout.recordCount) * layout.recordLength);
    d->appendRows(file, layout.headerLength, layout.recordCount);
    d->tags = std::move(tags);
    for (Tag& t : d->tags) d->sortOrder(t);

    d->zoneColumn = columnIndex(QStringLiteral("ZONE"));
    d->tag = 0;
    for (std::size_t i = 0; i < d->tags.size(); ++i)
        if (d->tags[i].name.compare(QLatin1String("Nom"), Qt::CaseInsensitive) == 0) d->tag = int(i);
    d->hasRange = false;
    d->filtered = false;
    d->editing = Impl::Editing::None;
    d->rebuild(-1, Impl::Reposition::First);
}

void PortTable::close() {
    if (!d->dbf) return;
    d->closeHandle();
    d->editing = Impl::Editing::None;
    d->fields.clear();
    d->data.clear();
    d->deleted.clear();
    d->textKeys.clear();
    d->numberKeys.clear();
    d->keyedText.clear();
    d->keyedNumber.clear();
    d->tags.clear();
    d->visible.clear();
    d->count = 0;
    d->tag = -1;
    d->pos = 0;
    d->hasRange = false;
    d->filtered = false;
}

bool PortTable::isOpen() const { return d->dbf != nullptr; }
QString PortTable::fileName() const { return d->path; }

void PortTable::setReadOnly(bool readOnly) {
    if (isOpen()) d->fail(QStringLiteral("the read-only state can only change while the table is closed"));
    d->readOnly = readOnly;
}

bool PortTable::isReadOnly() const { return d->readOnly; }

void PortTable::selectTag(const QString& tag) {
    d->requireBrowsing("selecting a tag");
    for (std::size_t i = 0; i < d->tags.size(); ++i) {
        if (d->tags[i].name.compare(tag.trimmed(), Qt::CaseInsensitive) == 0) {
            const int keep = d->current();
            d->tag = static_cast<int>(i);
            d->hasRange = false;
            d->rebuild(keep, Impl::Reposition::KeepOrFirst);
            return;
        }
    }
    Fail(d->tagsPath, QStringLiteral("no tag is named \"%1\"").arg(tag));
}

QString PortTable::currentTag() const { return d->tag >= 0 ? d->tags[d->tag].name : QString(); }

QStringList PortTable::tagNames() const {
    QStringList names;
    for (const Tag& t : d->tags) names << t.name;
    return names;
}

void PortTable::setRange(const QString& low, const QString& high) {
    d->requireBrowsing("setting a range");
    d->low = d->keyOf(low, -std::numeric_limits<double>::infinity());
    d->high = d->keyOf(high, std::numeric_limits<double>::infinity());
    d->hasRange = true;
    d->rebuild(-1, Impl::Reposition::First);
}

void PortTable::setRange(qint64 low, qint64 high) {
    d->requireBrowsing("setting a range");
    if (!d->currentTag().numeric) {
        setRange(QString::number(low), QString::number(high));
        return;
    }
    d->low = d->keyOf(low);
    d->high = d->keyOf(high);
    d->hasRange = true;
    d->rebuild(-1, Impl::Reposition::First);
}

void PortTable::cancelRange() {
    d->requireBrowsing("cancelling a range");
    const int keep = d->current();
    d->hasRange = false;
    d->rebuild(keep, Impl::Reposition::KeepOrFirst);
}

void PortTable::goNearest(const QString& value) {
    d->requireBrowsing("moving");
    d->pos = d->lowerBound(d->keyOf(value, -std::numeric_limits<double>::infinity()));
}

void PortTable::goNearest(qint64 value) {
    d->requireBrowsing("moving");
    d->pos = d->lowerBound(d->currentTag().numeric ? d->keyOf(value) : d->keyOf(QString::number(value), 0));
}

bool PortTable::findKey(const QString& value) {
    d->requireBrowsing("searching");
    if (d->currentTag().numeric && value.trimmed().isEmpty()) return false;
    return d->find(d->keyOf(value, 0));
}

bool PortTable::findKey(qint64 value) {
    d->requireBrowsing("searching");
    return d->find(d->currentTag().numeric ? d->keyOf(value) : d->keyOf(QString::number(value), 0));
}

void PortTable::setFilter(std::function<bool(const PortTable&)> filter) {
    d->filter = std::move(filter);
    if (isOpen() && d->filtered) {
        d->requireBrowsing("changing the filter");
        d->rebuild(d->current(), Impl::Reposition::KeepOrFirst);
    }
}

void PortTable::setFiltered(bool on) {
    d->requireBrowsing("filtering");
    const int keep = d->current();
    d->filtered = on;
    d->rebuild(keep, Impl::Reposition::KeepOrFirst);
}

bool PortTable::isFiltered() const { return d->filtered; }

void PortTable::first() {
    d->requireBrowsing("moving");
    d->pos = 0;
}

void PortTable::next() {
    d->requireBrowsing("moving");
    if (d->pos < static_cast<int>(d->visible.size())) ++d->pos;
}

bool PortTable::atEnd() const { return d->pos >= static_cast<int>(d->visible.size()); }

int PortTable::visibleCount() const { return static_cast<int>(d->visible.size()); }

int PortTable::visiblePosition() const { return atEnd() ? -1 : d->pos; }

void PortTable::moveToVisible(int position) {
    d->requireBrowsing("moving");
    const int size = static_cast<int>(d->visible.size());
    d->pos = (position < 0 || position > size) ? size : position;
}

QString PortTable::visibleText(int position, int column) const {
    d->requireColumn(column);
    if (position < 0 || position >= static_cast<int>(d->visible.size())) return QString();
    const int saved = d->candidate;
    d->candidate = d->visible[position];
    QString value;
    try {
        value = text(column);
    } catch (...) {
        d->candidate = saved;
        throw;
    }
    d->candidate = saved;
    return value;
}

void PortTable::insert() {
    d->requireWritable("inserting");
    d->pending = QByteArray(d->recordLength, ' ');
    d->editRecord = -1;
    d->editing = Impl::Editing::Insert;
}

void PortTable::edit() {
    d->requireWritable("editing");
    const int rec = d->current();
    if (rec < 0) d->fail(QStringLiteral("there is no current record to edit"));
    d->pending = QByteArray(d->row(rec), d->recordLength);
    d->editRecord = rec;
    d->editing = Impl::Editing::Modify;
}

void PortTable::post() {
    if (d->editing == Impl::Editing::None) return;
    int rec = d->editRecord;
    d->pending[0] = ' ';
    if (d->editing == Impl::Editing::Insert) {
        d->catchUpWithFile();
        rec = d->count;
    }
    if (!DBFWriteTuple(d->dbf, rec, d->pending.data()))
        d->fail(QStringLiteral("record %1 cannot be written").arg(rec));
    d->flush();

    if (d->editing == Impl::Editing::Insert) {
        d->appendRecord(d->pending);
    } else {
        d->dropFromOrders(rec);
        std::copy(d->pending.begin(), d->pending.end(), d->data.data() + qsizetype(rec) * d->recordLength);
        d->computeKeys(rec);
    }
    d->editing = Impl::Editing::None;
    d->addToOrders(rec);
    d->rebuild(rec, Impl::Reposition::KeepOrNearest);
}

void PortTable::cancel() { d->editing = Impl::Editing::None; }

void PortTable::remove() {
    d->requireWritable("deleting");
    const int rec = d->current();
    if (rec < 0) d->fail(QStringLiteral("there is no current record to delete"));
    if (!DBFMarkRecordDeleted(d->dbf, rec, 1))
        d->fail(QStringLiteral("record %1 cannot be marked deleted").arg(rec));
    d->flush();
    d->data[qsizetype(rec) * d->recordLength] = '*';
    d->deleted[rec] = 1;
    d->dropFromOrders(rec);
    d->rebuild(rec, Impl::Reposition::KeepOrNearest);
}

bool PortTable::isEditing() const { return d->editing != Impl::Editing::None; }

int PortTable::columnCount() const { return static_cast<int>(d->fields.size()); }

int PortTable::columnIndex(const QString& name) const {
    for (std::size_t i = 0; i < d->fields.size(); ++i)
        if (d->fields[i].name.compare(name.trimmed(), Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

QString PortTable::columnName(int column) const {
    d->requireColumn(column);
    return d->fields[column].name;
}

int PortTable::recordNumber() const {
    if (d->candidate >= 0) return d->candidate;
    if (d->editing == Impl::Editing::Modify) return d->editRecord;
    if (d->editing == Impl::Editing::Insert) return -1;
    return d->current();
}

QString PortTable::text(int column) const {
    d->requireColumn(column);
    const char* r = d->readRow();
    if (!r) return QString();
    const Field& f = d->fields[column];
    if (f.numeric) {
        const QByteArrayView raw = Trimmed(d->field(r, column));
        if (IsNullNumber(raw)) return QString();
        QString s = QString::fromLatin1(raw);
        s.replace(QLatin1Char('.'), d->decimal);
        return s;
    }
    const QByteArrayView raw = TrimmedRight(d->field(r, column));
    return FromCp1252(raw.data(), raw.size());
}

qint64 PortTable::integer(int column) const {
    d->requireColumn(column);
    bool integral = false;
    qint64 exact = 0;
    const double value = d->number(column, integral, exact);
    if (integral) return exact;
    const double rounded = std::round(value); // halves away from zero
    if (std::fabs(rounded) > 9.2e18)
        d->fail(QStringLiteral("%1: %2 is too large for an integer").arg(d->columnLabel(column)).arg(value));
    return static_cast<qint64>(rounded);
}

double PortTable::real(int column) const {
    d->requireColumn(column);
    bool integral = false;
    qint64 exact = 0;
    return d->number(column, integral, exact);
}

qint64 PortTable::zone() const {
    d->requireOpen();
    if (d->zoneColumn < 0) d->fail(QStringLiteral("the table has no column ZONE"));
    return integer(d->zoneColumn);
}

void PortTable::setText(int column, const QString& value) {
    d->requireEditing(column);
    const Field& f = d->fields[column];
    if (!f.numeric) {
        d->putField(column, ToCp1252(value), false);
        return;
    }
    if (value.trimmed().isEmpty()) {
        d->putField(column, QByteArray(), true);
        return;
    }
    double number = 0;
    if (!ParseNumber(value, d->decimal, number) && !ParseNumber(value, QLatin1Char('.'), number))
        d->fail(QStringLiteral("%1: \"%2\" is not a number").arg(d->columnLabel(column), value));
    d->putNumber(column, number);
}

void PortTable::setInteger(int column, qint64 value) {
    d->requireEditing(column);
    const Field& f = d->fields[column];
    if (!f.numeric) d->putField(column, QByteArray::number(value), false);
    else if (f.decimals == 0) d->putField(column, QByteArray::number(value), true);
    else d->putNumber(column, static_cast<double>(value));
}

void PortTable::setReal(int column, double value) {
    d->requireEditing(column);
    if (d->fields[column].numeric) {
        d->putNumber(column, value);
        return;
    }
    QString s = QString::number(value, 'g', 15);
    s.replace(QLatin1Char('.'), d->decimal);
    d->putField(column, ToCp1252(s), false);
}

void PortTable::setDecimalSeparator(QChar separator) { d->decimal = separator; }

} // namespace ondrel
