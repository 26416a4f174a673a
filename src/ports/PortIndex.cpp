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
    deleted_.clear();
    textKeys_.clear();
    numberKeys_.clear();
    keyedText_.clear();
    keyedNumber_.clear();
    tags_.clear();
    orders_.clear();
    sorted_.clear();
}

void PortIndex::append(const char* rows, int n) {
    const int first = count_;
    data_.append(rows, qsizetype(n) * recordLength_);
    grow(first, first + n);
}

bool PortIndex::replaceChanged(const char* rows) {
    const qsizetype known = qsizetype(count_) * recordLength_;
    if (std::equal(rows, rows + known, data_.constData())) return false;
    std::copy(rows, rows + known, data_.data());
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
    std::copy(bytes.begin(), bytes.end(), data_.data() + qsizetype(rec) * recordLength_);
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
    data_[qsizetype(rec) * recordLength_] = '*';
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
    o.clear();
    for (int rec = 0; rec < count_; ++rec)
        if (isMember(tags_[tag], rec)) o.push_back(rec);
    std::sort(o.begin(), o.end(), [&](int a, int b) { return less(tag, a, b); });
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

void PortIndex::computeKeys(int rec) {
    const char* r = row(rec);
    for (std::size_t col = 0; col < fields_.size(); ++col) {
        if (keyedText_[col]) {
            const QByteArrayView v = TrimmedRight(field(r, int(col)));
            textKeys_[col][rec] = NameKey(FromCp1252(v.data(), v.size()));
        }
        if (keyedNumber_[col]) {
            double x = 0;
            numberKeys_[col][rec] = ParseDecimal(View(Trimmed(field(r, int(col)))), x) ? x : 0.0;
        }
    }
}

int PortIndex::compareKeys(const TagDefinition& t, int a, int b) const {
    if (t.numeric) {
        const double x = numberKeys_[t.column][a], y = numberKeys_[t.column][b];
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(textKeys_[t.column][a], textKeys_[t.column][b]);
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
    const int c = QString::compare(textKeys_[t.column][rec], key.text);
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
