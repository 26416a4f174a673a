#include "PortIndex.h"

#include "Cp1252.h"
#include "DbfNumbers.h"
#include "TableFiles.h"

#include <algorithm>

namespace ondrel {

void PortIndex::reset(std::vector<DbfField> fields, int recordLength,
                      std::vector<TagDefinition> tags) {
    clear();
    fields_ = std::move(fields);
    recordLength_ = recordLength;
    const std::size_t n = fields_.size();
    textKeys_.assign(n, {});
    numberKeys_.assign(n, {});
    keyedText_.assign(n, 0);
    keyedNumber_.assign(n, 0);
    keysReady_.assign(n, 0);
    readyColumns_.clear();
    for (const TagDefinition& t : tags)
        (t.numeric ? keyedNumber_ : keyedText_)[t.column] = 1;
    tags_ = std::move(tags);
    orders_.assign(tags_.size(), {});
    sorted_.assign(tags_.size(), 0);
}

void PortIndex::clear() {
    fields_.clear();
    recordLength_ = 0;
    count_ = 0;
    data_.clear();
    base_ = 0;
    deleted_.clear();
    textKeys_.clear();
    numberKeys_.clear();
    keyedText_.clear();
    keyedNumber_.clear();
    keysReady_.clear();
    readyColumns_.clear();
    tags_.clear();
    orders_.clear();
    sorted_.clear();
}

void PortIndex::adopt(QByteArray image, qsizetype offset, int count) {
    data_ = std::move(image);
    data_.truncate(offset + qsizetype(count) * recordLength_); // what follows the records
    base_ = offset;
    count_ = 0;
    grow(0, count);
}

void PortIndex::append(const char* rows, int n) {
    const int first = count_;
    data_.append(rows, qsizetype(n) * recordLength_);
    grow(first, first + n);
}

bool PortIndex::replaceChanged(const char* rows) {
    const qsizetype known = qsizetype(count_) * recordLength_;
    if (std::equal(rows, rows + known, row(0))) return false;
    std::copy(rows, rows + known, data_.data() + base_);
    for (int rec = 0; rec < count_; ++rec) {
        deleted_[rec] = row(rec)[0] == '*';
        computeKeys(rec);
    }
    return true;
}

void PortIndex::grow(int first, int newCount) {
    count_ = newCount;
    deleted_.resize(count_);
    for (std::size_t col = 0; col < fields_.size(); ++col) {
        if (keyedText_[col]) textKeys_[col].resize(count_);
        if (keyedNumber_[col]) numberKeys_[col].resize(count_);
    }
    for (int rec = first; rec < count_; ++rec) {
        deleted_[rec] = row(rec)[0] == '*';
        computeKeys(rec);
    }
}

void PortIndex::appendRecord(const QByteArray& bytes) {
    data_.append(bytes);
    grow(count_, count_ + 1);
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        if (!sorted_[i] || !isMember(tags_[i], count_ - 1)) continue;
        std::vector<int>& o = orders_[i];
        o.insert(std::lower_bound(o.begin(), o.end(), count_ - 1,
                                  [&](int a, int b) { return less(int(i), a, b); }),
                 count_ - 1);
    }
}

void PortIndex::setRecord(int rec, const QByteArray& bytes) {
    markDeleted(rec); // out of every order
    std::copy(bytes.begin(), bytes.end(), data_.data() + base_ + qsizetype(rec) * recordLength_);
    deleted_[rec] = 0;
    computeKeys(rec);
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        if (!sorted_[i] || !isMember(tags_[i], rec)) continue;
        std::vector<int>& o = orders_[i];
        o.insert(std::lower_bound(o.begin(), o.end(), rec,
                                  [&](int a, int b) { return less(int(i), a, b); }),
                 rec);
    }
}

void PortIndex::markDeleted(int rec) {
    data_[base_ + qsizetype(rec) * recordLength_] = '*';
    deleted_[rec] = 1;
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        if (!sorted_[i]) continue;
        std::vector<int>& o = orders_[i];
        const auto it = std::find(o.begin(), o.end(), rec);
        if (it != o.end()) o.erase(it);
    }
}

int PortIndex::tagNamed(const QString& name) const {
    for (std::size_t i = 0; i < tags_.size(); ++i)
        if (tags_[i].name.compare(name.trimmed(), Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

const std::vector<int>& PortIndex::order(int tag) {
    std::vector<int>& o = orders_[tag];
    if (sorted_[tag]) return o;
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
    if (deleted_[rec]) return false;
    if (t.conditionColumn < 0) return true;
    const bool blank = Trimmed(field(row(rec), t.conditionColumn)).isEmpty();
    return blank == t.conditionEmpty;
}

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
    const QByteArrayView v = field(row(rec), col);
    if (keyedText_[col]) {
        const QByteArrayView text = Trimmed(v);
        // Plain upper-case ASCII is its own key (most names); the rest goes through NameKey.
        const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
            return c >= 0x20 && c < 0x7F && !(c >= 'a' && c <= 'z');
        });
        TextKey& key = textKeys_[col][rec];
        if (plain) {
            key = {text.data() - data_.constData(), text.size(), QString()};
        } else {
            const QByteArrayView right = TrimmedRight(v);
            key = {-1, 0, NameKey(FromCp1252(right.data(), right.size()))};
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
    if (a.offset >= 0 && b.offset >= 0) return plain(a).compare(plain(b));
    if (a.offset >= 0) return -QStringView(b.text).compare(plain(a));
    if (b.offset >= 0) return QStringView(a.text).compare(plain(b));
    return QString::compare(a.text, b.text);
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
    const int c = compareText(textKeys_[t.column][rec], {-1, 0, key.text});
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
