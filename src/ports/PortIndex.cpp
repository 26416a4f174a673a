#include "ports/PortIndex.h"

#include "ports/Cp1252.h"
#include "ports/DbfNumbers.h"
#include "ports/TableFiles.h"

#include <algorithm>
#include <cstring>

namespace ondrel {

void PortIndex::reset(std::vector<DbfField> fields, int recordLength,
                      std::vector<TagDefinition> tags, RecordReader read,
                      const std::vector<int>& keptColumns) {
    clear();
    fields_ = std::move(fields);
    recordLength_ = recordLength;
    read_ = std::move(read);
    const std::size_t n = fields_.size();
    records_.spans.assign(n, {});
    neededColumns_.assign(n, 0);
    textKeys_.assign(n, {});
    numberKeys_.assign(n, {});
    keyedText_.assign(n, 0);
    keyedNumber_.assign(n, 0);
    keysReady_.assign(n, 0);
    readyColumns_.clear();
    for (const TagDefinition& t : tags)
        (t.numeric ? keyedNumber_ : keyedText_)[t.column] = 1;
    for (const int col : keptColumns) {
        neededColumns_[col] = 1;
        neededList_.push_back(col);
    }
    tags_ = std::move(tags);
    orders_.assign(tags_.size(), {});
    sorted_.assign(tags_.size(), 0);
}

void PortIndex::clear() {
    fields_.clear();
    recordLength_ = 0;
    count_ = 0;
    read_ = nullptr;
    records_ = KeptRecords();
    neededColumns_.clear();
    neededList_.clear();
    blocks_.clear();
    blockFilled_.clear();
    textKeys_.clear();
    otherKeys_.clear();
    numberKeys_.clear();
    keyedText_.clear();
    keyedNumber_.clear();
    keysReady_.clear();
    readyColumns_.clear();
    tags_.clear();
    orders_.clear();
    sorted_.clear();
}

// --- what is kept of each record

void PortIndex::reserve(int records) {
    // Room for every field at its full width: only the pages written are ever taken.
    std::size_t widths = 0;
    for (const int col : neededList_) {
        records_.spans[col].reserve(std::size_t(records));
        widths += std::size_t(fields_[col].width);
        if (keyedText_[col]) textKeys_[col].reserve(std::size_t(records));
        if (keyedNumber_[col]) numberKeys_[col].reserve(std::size_t(records));
    }
    records_.deleted.reserve(std::size_t(records));
    records_.arena.reserve(widths * std::size_t(records));
}

void PortIndex::keep(int rec, const char* row) {
    records_.deleted[rec] = row[0] == '*';
    for (const int col : neededList_)
        keepField(col, rec, row);
}

void PortIndex::keepField(int col, int rec, const char* row) {
    const QByteArrayView v = TrimmedRight(field(row, col));
    records_.spans[col][rec] = {std::uint32_t(records_.arena.size()), std::uint32_t(v.size())};
    records_.arena.append(v.data(), std::size_t(v.size()));
}

void PortIndex::grow(int newCount) {
    count_ = newCount;
    records_.deleted.resize(count_);
    for (std::size_t col = 0; col < fields_.size(); ++col) {
        if (neededColumns_[col]) records_.spans[col].resize(count_);
        if (keyedText_[col]) textKeys_[col].resize(count_);
        if (keyedNumber_[col]) numberKeys_[col].resize(count_);
    }
    const std::size_t blocks = (std::size_t(count_) + kBlockRecords - 1) / kBlockRecords;
    blocks_.resize(blocks);
    blockFilled_.resize(blocks, 0);
}

void PortIndex::add(const char* rows, int n) {
    const int first = count_;
    grow(first + n);
    for (int i = 0; i < n; ++i) {
        keep(first + i, rows + qsizetype(i) * recordLength_);
        computeKeys(first + i);
    }
}

bool PortIndex::sameKept(const PortIndex& other, int rec) const {
    if (records_.deleted[rec] != other.records_.deleted[rec]) return false;
    for (const int col : neededList_)
        if (kept(col, rec) != other.kept(col, rec)) return false;
    return true;
}

bool PortIndex::takeFresh(PortIndex&& fresh) {
    bool changed = false;
    for (int rec = 0; rec < count_ && !changed; ++rec)
        changed = !sameKept(fresh, rec);
    records_ = std::move(fresh.records_);
    dropRows();
    grow(fresh.count_);
    otherKeys_.clear();
    for (int rec = 0; rec < count_; ++rec) // into the new arena
        computeKeys(rec);
    return changed;
}

void PortIndex::appendRecord(const QByteArray& bytes) {
    const int rec = count_;
    grow(rec + 1);
    keep(rec, bytes.constData());
    computeKeys(rec);
    const std::size_t block = std::size_t(rec / kBlockRecords);
    if (blocks_[block] && blockFilled_[block] == rec % kBlockRecords) {
        std::memcpy(blocks_[block].get() + qsizetype(rec % kBlockRecords) * recordLength_,
                    bytes.constData(), std::size_t(recordLength_));
        ++blockFilled_[block];
    }
    insertInOrders(rec);
}

void PortIndex::setRecord(int rec, const QByteArray& bytes) {
    markDeleted(rec); // out of every order
    keep(rec, bytes.constData());
    records_.deleted[rec] = 0;
    computeKeys(rec);
    const std::size_t block = std::size_t(rec / kBlockRecords);
    if (blocks_[block] && rec % kBlockRecords < blockFilled_[block])
        std::memcpy(blocks_[block].get() + qsizetype(rec % kBlockRecords) * recordLength_,
                    bytes.constData(), std::size_t(recordLength_));
    insertInOrders(rec);
}

void PortIndex::markDeleted(int rec) {
    records_.deleted[rec] = 1;
    const std::size_t block = std::size_t(rec / kBlockRecords);
    if (blocks_[block] && rec % kBlockRecords < blockFilled_[block])
        blocks_[block][qsizetype(rec % kBlockRecords) * recordLength_] = '*';
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        if (!sorted_[i]) continue;
        std::vector<int>& o = orders_[i];
        const auto it = std::find(o.begin(), o.end(), rec);
        if (it != o.end()) o.erase(it);
    }
}

void PortIndex::insertInOrders(int rec) {
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        if (!sorted_[i] || !isMember(tags_[i], rec)) continue;
        std::vector<int>& o = orders_[i];
        o.insert(std::lower_bound(o.begin(), o.end(), rec,
                                  [&](int a, int b) { return less(int(i), a, b); }),
                 rec);
    }
}

std::vector<int> PortIndex::columnsOf(const TagDefinition& tag) {
    std::vector<int> columns{tag.column};
    if (tag.conditionColumn >= 0 && tag.conditionColumn != tag.column)
        columns.push_back(tag.conditionColumn);
    return columns;
}

void PortIndex::keepColumnsOf(const TagDefinition& tag) {
    std::vector<int> added;
    for (const int col : columnsOf(tag))
        if (!neededColumns_[col]) added.push_back(col);
    if (added.empty()) return;
    // Read from the records (which are kept then, for the lists that show them all).
    for (const int col : added) {
        neededColumns_[col] = 1;
        neededList_.push_back(col);
        records_.spans[col].resize(count_);
    }
    for (int rec = 0; rec < count_; ++rec) {
        const char* whole = row(rec);
        for (const int col : added)
            keepField(col, rec, whole);
    }
    // The arena may have moved: the text keys point into it by offset, so they stand.
}

// --- whole records

const char* PortIndex::row(int rec) const {
    const std::size_t block = std::size_t(rec / kBlockRecords);
    const int first = int(block) * kBlockRecords;
    const int filled = std::min(kBlockRecords, count_ - first);
    if (!blocks_[block] || blockFilled_[block] < rec - first + 1) {
        const std::size_t size = std::size_t(kBlockRecords) * recordLength_;
        auto bytes = std::make_unique<char[]>(size);
        int read = 0;
        try {
            read = read_(first, filled, bytes.get());
        } catch (const TableError&) {
            read = 0;
        }
        // Records the file no longer holds (another program cut it short, or the system could
        // not read them) read as blank until the next read of the file says what happened.
        std::fill(bytes.get() + qsizetype(read) * recordLength_, bytes.get() + size, ' ');
        blockFilled_[block] = read;
        blocks_[block] = std::move(bytes);
    }
    return blocks_[block].get() + qsizetype(rec - first) * recordLength_;
}

void PortIndex::dropRows() {
    blocks_.clear();
    blockFilled_.clear();
}

// --- tags and their orders

int PortIndex::tagNamed(const QString& name) const {
    for (std::size_t i = 0; i < tags_.size(); ++i)
        if (tags_[i].name.compare(name.trimmed(), Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

const std::vector<int>& PortIndex::order(int tag) {
    std::vector<int>& o = orders_[tag];
    if (sorted_[tag]) return o;
    keepColumnsOf(tags_[tag]);
    requireKeys(tags_[tag].column);
    o.clear();
    for (int rec = 0; rec < count_; ++rec)
        if (isMember(tags_[tag], rec)) o.push_back(rec);
    // A table written in the tag's order (the shipped one is in name order) needs no sorting.
    const auto byKey = [&](int a, int b) { return less(tag, a, b); };
    if (!std::is_sorted(o.begin(), o.end(), byKey)) std::sort(o.begin(), o.end(), byKey);
    sorted_[tag] = 1;
    return o;
}

void PortIndex::resort() {
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        orders_[i].clear();
        sorted_[i] = 0;
    }
}

bool PortIndex::isMember(const TagDefinition& t, int rec) const {
    if (records_.deleted[rec]) return false;
    if (t.conditionColumn < 0) return true;
    const bool blank = Trimmed(kept(t.conditionColumn, rec)).isEmpty();
    return blank == t.conditionEmpty;
}

// --- keys

void PortIndex::requireKeys(int col) {
    if (keysReady_[col]) return;
    keysReady_[col] = 1;
    readyColumns_.push_back(col);
    for (int rec = 0; rec < count_; ++rec)
        computeKey(col, rec);
}

void PortIndex::computeKeys(int rec) {
    for (const int col : readyColumns_)
        computeKey(col, rec);
}

void PortIndex::computeKey(int col, int rec) {
    const QByteArrayView v = kept(col, rec); // right-trimmed
    if (keyedText_[col]) {
        const QByteArrayView text = Trimmed(v);
        // Plain upper-case ASCII is its own key (most names); the rest goes through NameKey.
        const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
            return c >= 0x20 && c < 0x7F && !(c >= 'a' && c <= 'z');
        });
        TextKey& key = textKeys_[col][rec];
        if (plain) {
            key = {std::int32_t(text.data() - records_.arena.data()), std::int32_t(text.size())};
        } else {
            otherKeys_.push_back(NameKey(FromCp1252(v.data(), v.size())));
            key = {-std::int32_t(otherKeys_.size()), 0};
        }
    }
    if (keyedNumber_[col]) {
        double x = 0;
        numberKeys_[col][rec] = ParseDecimal(View(Trimmed(v)), x) ? x : 0.0;
    }
}

int PortIndex::compareKeys(const TagDefinition& t, int a, int b) const {
    if (t.numeric) {
        const double x = numberKeys_[t.column][a], y = numberKeys_[t.column][b];
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return compareText(textKeys_[t.column][a], textKeys_[t.column][b]);
}

int PortIndex::compareText(const TextKey& a, const TextKey& b) const {
    if (b.offset < 0) return compareText(a, otherKeys_[std::size_t(-b.offset - 1)]);
    if (a.offset < 0) return QStringView(otherKeys_[std::size_t(-a.offset - 1)]).compare(plain(b));
    return plain(a).compare(plain(b));
}

int PortIndex::compareText(const TextKey& a, const QString& b) const {
    if (a.offset < 0) return QString::compare(otherKeys_[std::size_t(-a.offset - 1)], b);
    return -QStringView(b).compare(plain(a));
}

bool PortIndex::less(int tag, int a, int b) const {
    const int c = compareKeys(tags_[tag], a, b);
    return c != 0 ? c < 0 : a < b;
}

int PortIndex::compareToKey(int tag, int rec, const Key& key) const {
    const TagDefinition& t = tags_[tag];
    if (t.numeric) {
        const double x = numberKeys_[t.column][rec];
        return x < key.number ? -1 : (x > key.number ? 1 : 0);
    }
    const int c = compareText(textKeys_[t.column][rec], key.text);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

PortIndex::Key PortIndex::keyOf(int tag, const QString& value, double blankValue, QChar decimal,
                                const QString& path) const {
    const TagDefinition& t = tags_[tag];
    Key key;
    if (!t.numeric) {
        key.text = NameKey(value);
    } else if (value.trimmed().isEmpty()) {
        key.number = blankValue;
    } else if (!ParseNumber(value, decimal, key.number)) {
        FailFile(path, QStringLiteral("the tag %1 has a numeric key and \"%2\" is not a number")
                           .arg(t.name, value));
    }
    return key;
}

PortIndex::Key PortIndex::keyOf(qint64 value) {
    Key key;
    key.number = static_cast<double>(value);
    key.text = QString::number(value);
    return key;
}

} // namespace ondrel
