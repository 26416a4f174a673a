// The port table engine. The whole .dbf is read at open, checked, and kept in memory; DbfFile
// does the writing (one record at a time, followed by the header and a flush). The tag orders
// are vectors of record numbers sorted on the tag's key, kept sorted through every change, and
// the visible records (tag order within the range, filtered, not deleted) are a second vector
// that list views index directly. The file format, the tag file and the conventions are
// described in docs/PORT_TABLE.md.
#include "PortTable.h"

#include "DbfFile.h"
#include "TableFiles.h"
#include "TagFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace ondrel {

// ---------------------------------------------------------------------------------------------
// Helpers

namespace {

// A tag: its definition and its order, the record numbers sorted on its key. A tag's order is
// sorted when the tag is first used, not when the table opens: most uses of the table (a port
// looked up by name) need one tag only.
struct Tag : TagDefinition {
    std::vector<int> order;
    bool sorted = false;
};

// A range bound or search value, already turned into a key of the current tag.
struct Key {
    double number = 0;
    QString text;
};

// A field's bytes without the blanks (and NULs) that pad it.
QByteArrayView Trimmed(QByteArrayView v) {
    auto blank = [](char c) { return c == ' ' || c == '\0'; };
    while (!v.isEmpty() && blank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && blank(v.back()))
        v.chop(1);
    return v;
}

QByteArrayView TrimmedRight(QByteArrayView v) {
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\0'))
        v.chop(1);
    return v;
}

// A blank numeric field, or one filled with '*' (the null value some writers use).
bool IsNullNumber(QByteArrayView v) {
    return std::all_of(v.begin(), v.end(), [](char c) { return c == '*'; });
}

// Numbers are written with digits, an optional sign ('+' too) and, for a fraction, '.' and an
// optional exponent; the whole text must be the number.
std::string_view WithoutPlus(std::string_view s) {
    if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
    return s;
}

bool ParseWhole(std::string_view s, qint64& value) {
    s = WithoutPlus(s);
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, value);
    return !s.empty() && error == std::errc() && stop == end;
}

bool ParseDecimal(std::string_view s, double& value) {
    s = WithoutPlus(s);
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, value);
    return !s.empty() && error == std::errc() && stop == end && std::isfinite(value);
}

std::string_view View(QByteArrayView v) {
    return {v.data(), static_cast<std::size_t>(v.size())};
}

// Parses a number written with '.' (file) or the given decimal separator (user text).
bool ParseNumber(QString text, QChar decimal, double& value) {
    text = text.trimmed();
    if (decimal != QLatin1Char('.')) text.replace(decimal, QLatin1Char('.'));
    const QByteArray bytes = text.toUtf8();
    return ParseDecimal(View(bytes), value);
}

// The columns the program reads by position: at least the 37 of a port table, text where it
// reads text and numbers where it reads numbers. FUSEAU and ZONE are read through conversions of
// their text (PortLoader), so a text column serves there too. The columns that the tags and the
// lists name (NOM, ZONE, PORT_REF) must carry those names.
void CheckPortColumns(const std::vector<DbfField>& fields, const QString& path) {
    if (static_cast<int>(fields.size()) < kPortColumnCount)
        FailFile(path, QStringLiteral("the table has %1 columns; a port table has at least %2")
                           .arg(fields.size())
                           .arg(kPortColumnCount));
    for (int i = 0; i < kPortColumnCount; ++i) {
        const auto column = static_cast<PortColumn>(i);
        const DbfField& f = fields[static_cast<std::size_t>(i)];
        const bool text = f.type == 'C';
        bool suits = f.numeric;
        if (SpecOf(column).type == ColumnSpec::Text)
            suits = text;
        else if (column == PortColumn::FUSEAU || column == PortColumn::ZONE)
            suits = f.numeric || text;
        if (!suits)
            FailFile(path, QStringLiteral("column %1 (%2) has the type '%3' where the port table "
                                          "needs %4 (%5)")
                               .arg(i)
                               .arg(f.name, QString(QLatin1Char(f.type)),
                                    SpecOf(column).type == ColumnSpec::Text
                                        ? QStringLiteral("text, 'C'")
                                        : QStringLiteral("a number, 'N'"),
                                    PortColumnName(column)));
    }
    for (PortColumn named : {PortColumn::NOM, PortColumn::ZONE, PortColumn::PORT_REF}) {
        const DbfField& f = fields[static_cast<std::size_t>(ColumnNumber(named))];
        if (f.name.compare(PortColumnName(named), Qt::CaseInsensitive) != 0)
            FailFile(path, QStringLiteral("column %1 is named %2 where the port table has %3")
                               .arg(ColumnNumber(named))
                               .arg(f.name, PortColumnName(named)));
    }
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
    DbfFile dbf;

    std::vector<DbfField> fields;
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

    std::unique_ptr<QLockFile> lock;
    int lockDepth = 0;

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

    [[noreturn]] void fail(const QString& what) const { FailFile(path, what); }
    void requireOpen() const {
        if (!dbf.isOpen()) throw TableError("the port table is not open");
    }
    void requireColumn(int col) const {
        requireOpen();
        if (col < 0 || col >= static_cast<int>(fields.size()))
            fail(QStringLiteral("column %1 does not exist (the table has %2 columns)")
                     .arg(col)
                     .arg(fields.size()));
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
                double x = 0;
                numberKeys[col][rec] = ParseDecimal(View(Trimmed(field(r, int(col)))), x) ? x : 0.0;
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
        t.sorted = true;
    }
    // The current tag sorted now, the others when they are selected.
    void resortOrders() {
        for (std::size_t i = 0; i < tags.size(); ++i) {
            if (static_cast<int>(i) == tag) {
                sortOrder(tags[i]);
            } else {
                tags[i].order.clear();
                tags[i].sorted = false;
            }
        }
    }
    void dropFromOrders(int rec) {
        for (Tag& t : tags) {
            if (!t.sorted) continue;
            auto it = std::find(t.order.begin(), t.order.end(), rec);
            if (it != t.order.end()) t.order.erase(it);
        }
    }
    void addToOrders(int rec) {
        for (Tag& t : tags) {
            if (!t.sorted) continue;
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
        if (!tags[tag].sorted) sortOrder(tags[tag]);
        const Tag& t = currentTag();
        auto begin = t.order.begin();
        auto end = t.order.end();
        if (hasRange) {
            begin = std::partition_point(begin, end,
                                         [&](int rec) { return compareToKey(t, rec, low) < 0; });
            end = std::partition_point(begin, end,
                                       [&](int rec) { return compareToKey(t, rec, high) <= 0; });
        }
        for (auto it = begin; it != end; ++it)
            if (accepted(*it)) visible.push_back(*it);

        const int size = static_cast<int>(visible.size());
        pos = 0;
        if (how == Reposition::First || keep < 0) return;
        const auto it = std::lower_bound(visible.begin(), visible.end(), keep,
                                         [&](int a, int b) { return less(t, a, b); });
        const int at = static_cast<int>(it - visible.begin());
        if (it != visible.end() && *it == keep)
            pos = at;
        else if (how == Reposition::KeepOrNearest)
            pos = (at < size || size == 0) ? at : size - 1;
    }
    int lowerBound(const Key& key) const {
        const Tag& t = currentTag();
        const auto it = std::partition_point(
            visible.begin(), visible.end(), [&](int rec) { return compareToKey(t, rec, key) < 0; });
        return static_cast<int>(it - visible.begin());
    }
    bool find(const Key& key) {
        const int at = lowerBound(key);
        if (at < static_cast<int>(visible.size()) &&
            compareToKey(currentTag(), visible[at], key) == 0) {
            pos = at;
            return true;
        }
        return false;
    }

    // --- writing
    // Another writer may have changed the file since it was read (records are never moved, only
    // appended, rewritten in place or flagged deleted): take its content again before writing.
    void refreshFromFile() {
        QByteArray image;
        const DbfLayout layout = ReadDbfFile(path, image);
        if (layout.recordLength != recordLength || layout.fields.size() != fields.size())
            fail(QStringLiteral("the table's columns were changed while it was open"));
        if (layout.recordCount < count)
            fail(QStringLiteral("the table lost records while it was open (%1, %2 before)")
                     .arg(layout.recordCount)
                     .arg(count));
        const char* rows = image.constData() + layout.headerLength;
        const qsizetype known = qsizetype(count) * recordLength;
        const bool same = std::equal(rows, rows + known, data.constData());
        if (same && layout.recordCount == count) return;
        const int keep = current();
        if (!same) {
            std::copy(rows, rows + known, data.data());
            for (int rec = 0; rec < count; ++rec) {
                deleted[rec] = row(rec)[0] == '*';
                computeKeys(rec);
            }
        }
        appendRows(image, layout.headerLength, layout.recordCount);
        resortOrders();
        rebuild(keep, Reposition::KeepOrFirst);
    }
    QString lockPath() const { return PortTable::lockFilePath(path); }
    void putField(int col, QByteArray bytes, bool alignRight) {
        const DbfField& f = fields[col];
        if (bytes.size() > f.width) {
            if (f.numeric)
                fail(QStringLiteral("the value %1 does not fit in %2 (width %3)")
                         .arg(QString::fromLatin1(bytes), columnLabel(col))
                         .arg(f.width));
            bytes.truncate(f.width);
        }
        char* dst = pending.data() + f.offset;
        std::fill(dst, dst + f.width, ' ');
        std::copy(bytes.begin(), bytes.end(), dst + (alignRight ? f.width - bytes.size() : 0));
    }
    void putNumber(int col, double value) {
        if (!std::isfinite(value))
            fail(QStringLiteral("%1: not a finite number").arg(columnLabel(col)));
        const DbfField& f = fields[col];
        if (f.decimals == 0) {
            const double rounded = std::round(value);
            if (std::fabs(rounded) > 9.2e18)
                fail(QStringLiteral("the value %1 does not fit in %2")
                         .arg(value)
                         .arg(columnLabel(col)));
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
        const DbfField& f = fields[col];
        const QByteArrayView raw = Trimmed(field(r, col));
        QString text;
        if (f.numeric) {
            if (raw.isEmpty() || IsNullNumber(raw)) return 0;
            text = QString::fromLatin1(raw);
        } else {
            text = FromCp1252(raw.data(), raw.size());
            if (text.trimmed().isEmpty()) return 0;
        }
        if (ParseWhole(View(text.trimmed().toUtf8()), exact)) {
            integral = true;
            return static_cast<double>(exact);
        }
        exact = 0;
        double value = 0;
        if (!ParseNumber(text, f.numeric ? QLatin1Char('.') : decimal, value) &&
            !ParseNumber(text, QLatin1Char('.'), value))
            fail(QStringLiteral("%1 holds \"%2\", which is not a number")
                     .arg(columnLabel(col), text));
        return value;
    }
};

PortTable::PortTable() : d(std::make_unique<Impl>()) {
    d->owner = this;
    const QString point = QLocale::system().decimalPoint();
    d->decimal = point.isEmpty() ? QLatin1Char('.') : point.front();
}

PortTable::~PortTable() {
    close();
}

QString PortTable::tagFilePath(const QString& dbfPath) {
    const QFileInfo info(dbfPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".tags"));
}

void PortTable::writeStandardTags(const QString& dbfPath) {
    WriteStandardTagFile(QFileInfo(tagFilePath(dbfPath)).absoluteFilePath());
}

void PortTable::create(const QString& dbfPath, const std::vector<ColumnSpec>& columns) {
    DbfFile::create(QFileInfo(dbfPath).absoluteFilePath(), columns);
}

void PortTable::open(const QString& dbfPath) {
    close();
    const QString path = ResolveCase(dbfPath);
    const QString tagsPath = ResolveCase(tagFilePath(path));

    QByteArray file;
    DbfLayout layout = ReadDbfFile(path, file);
    CheckPortColumns(layout.fields, path);
    std::vector<TagDefinition> definitions = ReadTagFile(tagsPath, layout.fields);
    CheckStandardTags(tagsPath, definitions, layout.fields);
    std::vector<Tag> tags;
    for (TagDefinition& t : definitions)
        tags.push_back(Tag{std::move(t), {}});
    if (!d->readOnly && !QFileInfo(path).isWritable())
        FailFile(path,
                 QStringLiteral("the table cannot be opened for writing (the file is read-only)"));

    d->dbf.open(path, d->readOnly, layout);
    d->path = path;
    d->tagsPath = tagsPath;
    d->fields = std::move(layout.fields);
    d->recordLength = layout.recordLength;

    const std::size_t n = d->fields.size();
    d->textKeys.assign(n, {});
    d->numberKeys.assign(n, {});
    d->keyedText.assign(n, 0);
    d->keyedNumber.assign(n, 0);
    for (const Tag& t : tags)
        (t.numeric ? d->keyedNumber : d->keyedText)[t.column] = 1;
    d->count = 0;
    d->data.clear();
    d->deleted.clear();
    d->data.reserve(qsizetype(layout.recordCount) * layout.recordLength);
    d->appendRows(file, layout.headerLength, layout.recordCount);
    d->tags = std::move(tags); // each sorted when first used

    d->zoneColumn = columnIndex(QStringLiteral("ZONE"));
    d->tag = 0;
    for (std::size_t i = 0; i < d->tags.size(); ++i)
        if (d->tags[i].name.compare(QLatin1String("Nom"), Qt::CaseInsensitive) == 0)
            d->tag = int(i);
    d->hasRange = false;
    d->filtered = false;
    d->editing = Impl::Editing::None;
    d->rebuild(-1, Impl::Reposition::First);
}

void PortTable::close() {
    if (!d->dbf.isOpen()) return;
    d->lock.reset();
    d->lockDepth = 0;
    d->dbf.close();
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

bool PortTable::isOpen() const {
    return d->dbf.isOpen();
}
QString PortTable::fileName() const {
    return d->path;
}

void PortTable::setReadOnly(bool readOnly) {
    if (isOpen())
        d->fail(QStringLiteral("the read-only state can only change while the table is closed"));
    d->readOnly = readOnly;
}

bool PortTable::isReadOnly() const {
    return d->readOnly;
}

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
    FailFile(d->tagsPath, QStringLiteral("no tag is named \"%1\"").arg(tag));
}

QString PortTable::currentTag() const {
    return d->tag >= 0 ? d->tags[d->tag].name : QString();
}

QStringList PortTable::tagNames() const {
    QStringList names;
    for (const Tag& t : d->tags)
        names << t.name;
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
    d->pos = d->lowerBound(d->currentTag().numeric ? d->keyOf(value)
                                                   : d->keyOf(QString::number(value), 0));
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

bool PortTable::isFiltered() const {
    return d->filtered;
}

void PortTable::first() {
    d->requireBrowsing("moving");
    d->pos = 0;
}

void PortTable::next() {
    d->requireBrowsing("moving");
    if (d->pos < static_cast<int>(d->visible.size())) ++d->pos;
}

bool PortTable::atEnd() const {
    return d->pos >= static_cast<int>(d->visible.size());
}

int PortTable::visibleCount() const {
    return static_cast<int>(d->visible.size());
}

int PortTable::visiblePosition() const {
    return atEnd() ? -1 : d->pos;
}

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
    WriteLock lock(*this);
    int rec = d->editRecord;
    d->pending[0] = ' ';
    if (d->editing == Impl::Editing::Insert) {
        rec = d->count;
        d->dbf.appendRecord(rec, d->pending.constData());
        d->appendRecord(d->pending);
    } else {
        d->dbf.replaceRecord(rec, d->pending.constData(), d->row(rec));
        d->dropFromOrders(rec);
        std::copy(d->pending.begin(), d->pending.end(),
                  d->data.data() + qsizetype(rec) * d->recordLength);
        d->deleted[rec] = 0;
        d->computeKeys(rec);
    }
    d->editing = Impl::Editing::None;
    d->addToOrders(rec);
    d->rebuild(rec, Impl::Reposition::KeepOrNearest);
    lock.release();
}

void PortTable::cancel() {
    d->editing = Impl::Editing::None;
}

void PortTable::remove() {
    d->requireWritable("deleting");
    const int rec = d->current();
    if (rec < 0) d->fail(QStringLiteral("there is no current record to delete"));
    WriteLock lock(*this);
    if (!d->deleted[rec]) { // else another writer deleted it meanwhile
        d->dbf.markDeleted(rec);
        d->data[qsizetype(rec) * d->recordLength] = '*';
        d->deleted[rec] = 1;
        d->dropFromOrders(rec);
    }
    d->rebuild(rec, Impl::Reposition::KeepOrNearest);
    lock.release();
}

QString PortTable::lockFilePath(const QString& dbfPath) {
    const QFileInfo info(dbfPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".lock"));
}

void PortTable::lockForWriting() {
    d->requireOpen();
    if (d->readOnly)
        d->fail(QStringLiteral("writing is not possible: the table is open read-only"));
    if (d->lockDepth > 0) {
        ++d->lockDepth;
        return;
    }
    auto lock = std::make_unique<QLockFile>(d->lockPath());
    lock->setStaleLockTime(0); // a long import is no stale lock; a dead holder's lock is
    if (!lock->tryLock(1000)) {
        qint64 pid = 0;
        QString host, application;
        lock->getLockInfo(&pid, &host, &application);
        if (lock->error() == QLockFile::LockFailedError)
            throw TableBusy(QStringLiteral("%1: the port table is being changed by another Ondrel "
                                           "(process %2); nothing was changed")
                                .arg(d->path)
                                .arg(pid)
                                .toStdString());
        d->fail(QStringLiteral("its lock file %1 cannot be written; nothing was changed")
                    .arg(d->lockPath()));
    }
    d->lock = std::move(lock);
    d->lockDepth = 1;
    try {
        d->refreshFromFile();
    } catch (...) {
        d->lock.reset();
        d->lockDepth = 0;
        throw;
    }
}

void PortTable::unlockAfterWriting() {
    if (d->lockDepth == 0 || --d->lockDepth > 0) return;
    const std::unique_ptr<QLockFile> lock = std::move(d->lock);
    d->dbf.sync();
}

PortTable::WriteLock::WriteLock(PortTable& table) : table_(&table) {
    table.lockForWriting();
}

PortTable::WriteLock::~WriteLock() {
    try {
        release();
    } catch (const TableError&) {
        // Reported by release() where the caller asked for it.
    }
}

void PortTable::WriteLock::release() {
    if (!table_) return;
    PortTable* table = table_;
    table_ = nullptr;
    table->unlockAfterWriting();
}

bool PortTable::isEditing() const {
    return d->editing != Impl::Editing::None;
}

int PortTable::columnCount() const {
    return static_cast<int>(d->fields.size());
}

int PortTable::columnIndex(const QString& name) const {
    for (std::size_t i = 0; i < d->fields.size(); ++i)
        if (d->fields[i].name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
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
    const DbfField& f = d->fields[column];
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
        d->fail(QStringLiteral("%1: %2 is too large for an integer")
                    .arg(d->columnLabel(column))
                    .arg(value));
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
    const DbfField& f = d->fields[column];
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
    const DbfField& f = d->fields[column];
    if (!f.numeric)
        d->putField(column, QByteArray::number(value), false);
    else if (f.decimals == 0)
        d->putField(column, QByteArray::number(value), true);
    else
        d->putNumber(column, static_cast<double>(value));
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

void PortTable::setDecimalSeparator(QChar separator) {
    d->decimal = separator;
}

} // namespace ondrel
