// The port table engine: opening, browsing and reading. The whole .dbf is read at open and
// checked, and what the tags need of each record is kept (PortIndex, with the tag orders; whole
// records are read when first asked for); the visible records (the current tag's
// order within the range, filtered, not deleted) are a vector that list views index directly.
// Editing and writing are in PortTableWriting.cpp. The file format, the tag file and the
// conventions are described in docs/PORT_TABLE.md.
#include "ports/PortTable.h"

#include "ports/Cp1252.h"
#include "ports/PortLayout.h"
#include "ports/PortTableImpl.h"
#include "ports/TagFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ondrel {

namespace {

// A number of the record being read: exact when it is whole (integral), else a real.
double Number(const PortTable::Impl& d, int col, bool& integral, qint64& exact) {
    integral = false;
    exact = 0;
    const char* r = d.readRow();
    if (!r) return 0;
    const DbfField& f = d.fields()[col];
    const QByteArrayView raw = Trimmed(d.index.field(r, col));
    QString text;
    if (f.numeric) {
        if (raw.isEmpty() || IsNullNumber(raw)) return 0;
        // Most numeric fields hold a whole number: read from the bytes, without a string.
        if (ParseWhole(View(raw), exact)) {
            integral = true;
            return static_cast<double>(exact);
        }
        exact = 0;
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
    if (!ParseNumber(text, f.numeric ? QLatin1Char('.') : d.decimal, value) &&
        !ParseNumber(text, QLatin1Char('.'), value))
        d.fail(
            QStringLiteral("%1 holds \"%2\", which is not a number").arg(d.columnLabel(col), text));
    return value;
}

} // namespace

QString TagName(PortTag tag) {
    switch (tag) {
    case PortTag::Name:
        return QStringLiteral("Nom");
    case PortTag::Zone:
        return QStringLiteral("Zone");
    case PortTag::Standard:
        return QStringLiteral("PRINCIPAL");
    case PortTag::Secondary:
        return QStringLiteral("SECONDAIRE");
    }
    return {};
}

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

    // The columns and tags are checked from the header, before any record is read; then what
    // the tags need of each record is kept as the file goes by.
    const DbfLayout layout = ScanDbfFile(
        path,
        [&](const DbfLayout& header) {
            CheckPortColumns(header.fields, path);
            std::vector<TagDefinition> tags = ReadTagFile(tagsPath, header.fields);
            CheckStandardTags(tagsPath, tags, header.fields);
            // The names are kept as the file goes by (the table opens in name order); the
            // columns of other tags are read from the records when those are first used.
            const auto name = std::find_if(tags.begin(), tags.end(), [](const TagDefinition& t) {
                return t.name.compare(TagName(PortTag::Name), Qt::CaseInsensitive) == 0;
            });
            const std::vector<int> kept = PortIndex::columnsOf(
                name != tags.end() ? *name : tags.front()); // the tag selected below
            d->index.reset(
                header.fields, header.recordLength, std::move(tags),
                [impl = d.get()](int first, int count, char* out) {
                    return impl->dbf.readRecords(first, count, out);
                },
                kept);
            d->index.reserve(header.recordCount);
        },
        [&](const char* rows, int, int count) { d->index.add(rows, count); });
    if (!d->readOnly && !QFileInfo(path).isWritable())
        FailFile(path,
                 QStringLiteral("the table cannot be opened for writing (the file is read-only)"));

    d->dbf.open(path, d->readOnly, layout);
    d->path = path;
    d->tagsPath = tagsPath;

    d->zoneColumn = columnIndex(QStringLiteral("ZONE"));
    d->tag = std::max(0, d->index.tagNamed(TagName(PortTag::Name)));
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
    d->index.clear();
    d->visible.clear();
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
    const int found = d->index.tagNamed(tag);
    if (found < 0) FailFile(d->tagsPath, QStringLiteral("no tag is named \"%1\"").arg(tag));
    const int keep = d->current();
    d->tag = found;
    d->hasRange = false;
    d->rebuild(keep, Impl::Reposition::KeepOrFirst);
}

void PortTable::selectTag(PortTag tag) {
    selectTag(TagName(tag));
}

QString PortTable::currentTag() const {
    return d->tag >= 0 ? d->currentTag().name : QString();
}

QStringList PortTable::tagNames() const {
    QStringList names;
    for (const TagDefinition& t : d->index.tags())
        names << t.name;
    return names;
}

bool PortTable::findByName(const QString& name) {
    selectTag(PortTag::Name);
    cancelRange();
    setFiltered(false);
    return findKey(name);
}

struct PortTable::UnfilteredView::Saved {
    int tag;
    bool hasRange;
    PortIndex::Key low, high;
    bool filtered;
};

PortTable::UnfilteredView::UnfilteredView(PortTable& table, PortTag tag)
    : table_(table), saved_(new Saved{table.d->tag, table.d->hasRange, table.d->low, table.d->high,
                                      table.d->filtered}) {
    table.selectTag(tag);
    table.setFiltered(false);
}

PortTable::UnfilteredView::~UnfilteredView() {
    Impl& d = *table_.d;
    if (!table_.isOpen() || d.editing != Impl::Editing::None) return;
    const int keep = d.current();
    d.tag = saved_->tag;
    d.hasRange = saved_->hasRange;
    d.low = saved_->low;
    d.high = saved_->high;
    d.filtered = saved_->filtered;
    d.rebuild(keep, Impl::Reposition::KeepOrFirst);
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
    d->low = PortIndex::keyOf(low);
    d->high = PortIndex::keyOf(high);
    d->hasRange = true;
    d->rebuild(-1, Impl::Reposition::First);
}

bool PortTable::narrowToNamesFrom(const QString& prefix) {
    if (!isOpen()) return false;
    try {
        setRange(prefix, kNameRangeEnd);
    } catch (const TableError&) {
        return false;
    }
    return true;
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
    d->pos = d->lowerBound(d->currentTag().numeric ? PortIndex::keyOf(value)
                                                   : d->keyOf(QString::number(value), 0));
}

bool PortTable::findKey(const QString& value) {
    d->requireBrowsing("searching");
    if (d->currentTag().numeric && value.trimmed().isEmpty()) return false;
    return d->find(d->keyOf(value, 0));
}

bool PortTable::findKey(qint64 value) {
    d->requireBrowsing("searching");
    return d->find(d->currentTag().numeric ? PortIndex::keyOf(value)
                                           : d->keyOf(QString::number(value), 0));
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

int PortTable::columnCount() const {
    return static_cast<int>(d->fields().size());
}

int PortTable::columnIndex(const QString& name) const {
    for (std::size_t i = 0; i < d->fields().size(); ++i)
        if (d->fields()[i].name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
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
    const DbfField& f = d->fields()[column];
    if (f.numeric) {
        const QByteArrayView raw = Trimmed(d->index.field(r, column));
        if (IsNullNumber(raw)) return QString();
        QString s = QString::fromLatin1(raw);
        s.replace(QLatin1Char('.'), d->decimal);
        return s;
    }
    const QByteArrayView raw = TrimmedRight(d->index.field(r, column));
    return FromCp1252(raw.data(), raw.size());
}

qint64 PortTable::integer(int column) const {
    d->requireColumn(column);
    bool integral = false;
    qint64 exact = 0;
    const double value = Number(*d, column, integral, exact);
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
    return Number(*d, column, integral, exact);
}

qint64 PortTable::zone() const {
    d->requireOpen();
    if (d->zoneColumn < 0) d->fail(QStringLiteral("the table has no column ZONE"));
    return integer(d->zoneColumn);
}

void PortTable::setDecimalSeparator(QChar separator) {
    d->decimal = separator;
}

} // namespace ondrel
