// The port table's records as the program knows them, with the keys of its index tags and their
// orders: for each tag, the record numbers of its members sorted on its key (ties by record
// number). The table is not held in memory: the file is read once through a small buffer, and of
// each record its deletion flag and the bytes of the columns the first tag keys or tests are kept
// (a few bytes a port); another tag's columns are read from the records when it is first used.
// Whole records are read from the file when first asked for, a block at a time, and kept. An order
// is sorted when its tag is first used, not when the table opens (a port looked up by name needs
// one tag only), and kept sorted through every change afterwards.
#pragma once

#include "ports/DbfFile.h"
#include "ports/TagFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ondrel {

class PortIndex {
public:
    // A range bound or search value, already turned into a key of a tag.
    struct Key {
        double number = 0;
        QString text;
    };
    // Reads count whole records from record first into out (count * recordLength bytes) and
    // returns how many the file held; throws TableError when it cannot be read.
    using RecordReader = std::function<int(int first, int count, char* out)>;

    // Starts afresh with no record; whole records will come from read. Of each record added,
    // the columns keptColumns are kept (those of the tag used first: columnsOf); a tag that
    // needs others has them read from the records when first used.
    void reset(std::vector<DbfField> fields, int recordLength, std::vector<TagDefinition> tags,
               RecordReader read, const std::vector<int>& keptColumns);
    // The columns a tag keys or tests.
    [[nodiscard]] static std::vector<int> columnsOf(const TagDefinition& tag);
    // The columns kept of every record.
    [[nodiscard]] const std::vector<int>& keptColumns() const { return neededList_; }
    void clear();

    // --- records
    [[nodiscard]] int count() const { return count_; }
    [[nodiscard]] const std::vector<DbfField>& fields() const { return fields_; }
    [[nodiscard]] int recordLength() const { return recordLength_; }
    // The whole record, read from the file when first asked for; blank when the file no longer
    // holds it (cut short by another program; the next write says so). Valid while no other
    // record is asked for.
    [[nodiscard]] const char* row(int rec) const;
    [[nodiscard]] QByteArrayView field(const char* row, int col) const {
        return QByteArrayView(row + fields_[col].offset, fields_[col].width);
    }
    [[nodiscard]] bool isDeleted(int rec) const { return records_.deleted[rec] != 0; }

    // Makes room for what is kept of that many records (the count of the file's header).
    void reserve(int records);
    // Records as the file holds them, in order from record 0, a run at a time (what a read of the
    // file hands on): what the tags need is kept of each.
    void add(const char* rows, int n);
    // The records of a new read of the file (made with add() on a fresh index of the same
    // layout) replace these: whole records are read again when asked for. Returns whether what
    // the tags need changed for any record known before; the orders are to be sorted again
    // (resort) when it did, or when records were added after them.
    bool takeFresh(PortIndex&& fresh);
    // One record appended, rewritten or flagged deleted (already so in the file), its orders kept
    // sorted.
    void appendRecord(const QByteArray& bytes);
    void setRecord(int rec, const QByteArray& bytes);
    void markDeleted(int rec);

    // --- tags and their orders
    [[nodiscard]] const std::vector<TagDefinition>& tags() const { return tags_; }
    // The tag's index, -1 when no tag has that name (not case-sensitive).
    [[nodiscard]] int tagNamed(const QString& name) const;
    // The tag's order, sorted now if it was not.
    const std::vector<int>& order(int tag);
    // Every order sorted again when next used.
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
    // Where a kept field's bytes are in the arena (right-trimmed).
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    // What is kept of every record: its deletion flag, and for each column a tag needs (those
    // keyed, the others empty) the field's bytes.
    struct KeptRecords {
        std::vector<char> deleted;
        std::vector<std::vector<Span>> spans; // per column
        std::string arena;
    };
    // A name key: a plain upper-case ASCII name is its own key, its bytes in the arena
    // (offset >= 0); the others have theirs made by NameKey, in otherKeys_ (-1 - index).
    struct TextKey {
        std::int32_t offset = 0;
        std::int32_t length = 0;
    };

    QByteArrayView kept(int col, int rec) const {
        const Span s = records_.spans[col][rec];
        return QByteArrayView(records_.arena.data() + s.offset, s.length);
    }
    void keep(int rec, const char* row);
    void keepField(int col, int rec, const char* row);
    void keepColumnsOf(const TagDefinition& tag);
    bool sameKept(const PortIndex& other, int rec) const;
    void grow(int newCount);
    bool isMember(const TagDefinition& t, int rec) const;
    // A column's keys are computed for every record when a tag first needs them, then kept up to
    // date record by record.
    void requireKeys(int col);
    void computeKeys(int rec);
    void computeKey(int col, int rec);
    int compareKeys(const TagDefinition& t, int a, int b) const;
    int compareText(const TextKey& a, const TextKey& b) const;
    int compareText(const TextKey& a, const QString& b) const;
    QLatin1StringView plain(const TextKey& k) const {
        return QLatin1StringView(records_.arena.data() + k.offset, k.length);
    }
    void insertInOrders(int rec);
    void dropRows();

    std::vector<DbfField> fields_;
    int recordLength_ = 0;
    int count_ = 0;
    RecordReader read_;
    KeptRecords records_;
    std::vector<char> neededColumns_; // which columns are kept of every record
    std::vector<int> neededList_;     // the same as a list

    // Whole records read from the file, by blocks of kBlockRecords.
    static constexpr int kBlockRecords = 64;
    mutable std::vector<std::unique_ptr<char[]>> blocks_;
    mutable std::vector<int> blockFilled_; // records read into each block

    std::vector<std::vector<TextKey>> textKeys_; // per column, for the columns that key a tag
    std::vector<QString> otherKeys_;
    std::vector<std::vector<double>> numberKeys_;
    std::vector<char> keyedText_, keyedNumber_; // which columns key a tag
    std::vector<char> keysReady_;               // which columns have their keys computed
    std::vector<int> readyColumns_;             // the same as a list

    std::vector<TagDefinition> tags_;
    std::vector<std::vector<int>> orders_;
    std::vector<char> sorted_;
};

} // namespace ondrel
