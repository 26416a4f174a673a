// The port table's records in memory, with the keys of its index tags and their orders: for each
// tag, the record numbers of its members sorted on its key (ties by record number). An order is
// sorted when its tag is first used, not when the table opens (a port looked up by name needs one
// tag only), and kept sorted through every change afterwards.
#pragma once

#include "DbfFile.h"
#include "TagFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>

#include <vector>

namespace ondrel {

class PortIndex {
public:
    // A range bound or search value, already turned into a key of a tag.
    struct Key {
        double number = 0;
        QString text;
    };

    // Starts afresh with no record.
    void reset(std::vector<DbfField> fields, int recordLength, std::vector<TagDefinition> tags);
    void clear();

    // --- records
    [[nodiscard]] int count() const { return count_; }
    [[nodiscard]] const std::vector<DbfField>& fields() const { return fields_; }
    [[nodiscard]] int recordLength() const { return recordLength_; }
    [[nodiscard]] const char* row(int rec) const {
        return data_.constData() + base_ + qsizetype(rec) * recordLength_;
    }
    [[nodiscard]] QByteArrayView field(const char* row, int col) const {
        return QByteArrayView(row + fields_[col].offset, fields_[col].width);
    }
    [[nodiscard]] bool isDeleted(int rec) const { return deleted_[rec] != 0; }

    // Takes the records of a whole file image (count records from offset), without copying them.
    void adopt(QByteArray image, qsizetype offset, int count);
    // Appends n records (recordLength bytes each). The orders are to be sorted again (resort).
    void append(const char* rows, int n);
    // Whether the first count() records equal those at rows; replaces them when they do not.
    // The orders are to be sorted again (resort).
    bool replaceChanged(const char* rows);
    // One record appended, rewritten or flagged deleted, its orders kept sorted.
    void appendRecord(const QByteArray& bytes);
    void setRecord(int rec, const QByteArray& bytes);
    void markDeleted(int rec);

    // --- tags and their orders
    [[nodiscard]] const std::vector<TagDefinition>& tags() const { return tags_; }
    // The tag's index, -1 when no tag has that name (not case-sensitive).
    [[nodiscard]] int tagNamed(const QString& name) const;
    // The tag's order, sorted now if it was not.
    const std::vector<int>& order(int tag);
    // Every order sorted again when next used (after append or replaceChanged).
    void resort();

    // --- keys
    [[nodiscard]] bool less(int tag, int a, int b) const;
    // -1, 0 or 1 as the record's key is below, at or above key.
    [[nodiscard]] int compareToKey(int tag, int rec, const Key& key) const;
    // The key of a value typed for a tag: a name key, or a number written with '.' or decimal; a
    // blank value on a numeric tag gives blankValue. Throws TableError when a numeric tag is given
    // text that is not a number (path names the table).
    [[nodiscard]] Key keyOf(int tag, const QString& value, double blankValue, QChar decimal,
                            const QString& path) const;
    [[nodiscard]] static Key keyOf(qint64 value);

private:
    bool isMember(const TagDefinition& t, int rec) const;
    // A column's keys are computed for every record when a tag first needs them, then kept up to
    // date record by record.
    void requireKeys(int col);
    void computeKeys(int rec);
    void computeKey(int col, int rec);
    int compareKeys(const TagDefinition& t, int a, int b) const;
    void grow(int first, int newCount);

    std::vector<DbfField> fields_;
    int recordLength_ = 0;
    int count_ = 0;
    QByteArray data_; // every record, recordLength bytes each, from base_ on
    qsizetype base_ = 0;
    std::vector<char> deleted_;
    // A name key: most names are plain upper-case ASCII, their own key, which stays in the
    // record (offset and length in data_); the others have theirs made by NameKey.
    struct TextKey {
        qsizetype offset = -1; // of the plain bytes in data_; -1: the key is text
        qsizetype length = 0;
        QString text;
    };
    QLatin1StringView plain(const TextKey& k) const {
        return QLatin1StringView(data_.constData() + k.offset, k.length);
    }
    int compareText(const TextKey& a, const TextKey& b) const;
    std::vector<std::vector<TextKey>> textKeys_; // per column, for the columns that key a tag
    std::vector<std::vector<double>> numberKeys_;
    std::vector<char> keyedText_, keyedNumber_; // which columns key a tag
    std::vector<char> keysReady_;               // which columns have their keys computed
    std::vector<int> readyColumns_;             // the same as a list

    std::vector<TagDefinition> tags_;
    std::vector<std::vector<int>> orders_;
    std::vector<char> sorted_;
};

} // namespace ondrel
