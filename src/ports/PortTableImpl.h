// The state behind PortTable, shared by its two source files: PortTable.cpp (opening, browsing,
// reading) and PortTableWriting.cpp (editing, the write lock, writing through to the file).
#pragma once

#include "ports/DbfFile.h"
#include "ports/DbfNumbers.h"
#include "ports/PortIndex.h"
#include "ports/PortTable.h"
#include "ports/TableFiles.h"

#include <QLockFile>

#include <algorithm>
#include <functional>
#include <memory>

namespace ondrel {

struct PortTable::Impl {
    enum class Editing { None, Insert, Modify };
    enum class Reposition { First, KeepOrFirst, KeepOrNearest };

    PortTable* owner = nullptr;
    QString path;
    QString tagsPath;
    bool readOnly = false;
    DbfFile dbf;
    PortIndex index;
    int zoneColumn = -1;

    int tag = -1;
    bool hasRange = false;
    PortIndex::Key low, high;
    std::function<bool(const PortTable&)> filter;
    bool filtered = false;
    std::vector<int> visible; // the current tag's order within the range, filtered
    int pos = 0;              // index into visible; visible.size() at the end

    std::unique_ptr<QLockFile> lock;
    int lockDepth = 0;

    Editing editing = Editing::None;
    QByteArray pending;
    int editRecord = -1;
    mutable int candidate = -1; // record under the filter's test
    QChar decimal;

    // --- raw access
    const std::vector<DbfField>& fields() const { return index.fields(); }
    int current() const { return pos < static_cast<int>(visible.size()) ? visible[pos] : -1; }
    const char* readRow() const {
        if (candidate >= 0) return index.row(candidate);
        if (editing != Editing::None) return pending.constData();
        const int rec = current();
        return rec >= 0 ? index.row(rec) : nullptr;
    }

    [[noreturn]] void fail(const QString& what) const { FailFile(path, what); }
    void requireOpen() const {
        if (!dbf.isOpen()) throw TableError("the port table is not open");
    }
    void requireColumn(int col) const {
        requireOpen();
        if (col < 0 || col >= static_cast<int>(fields().size()))
            fail(QStringLiteral("column %1 does not exist (the table has %2 columns)")
                     .arg(col)
                     .arg(fields().size()));
    }
    QString columnLabel(int col) const {
        return QStringLiteral("column %1 (%2)").arg(col).arg(fields()[col].name);
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
    const TagDefinition& currentTag() const { return index.tags()[tag]; }
    PortIndex::Key keyOf(const QString& value, double blankValue) const {
        return index.keyOf(tag, value, blankValue, decimal, path);
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
        const std::vector<int>& order = index.order(tag);
        auto begin = order.begin();
        auto end = order.end();
        if (!hasRange && !(filtered && filter)) {
            visible.assign(begin, end); // every member of the tag
            reposition(keep, how);
            return;
        }
        visible.clear();
        if (hasRange) {
            begin = std::partition_point(
                begin, end, [&](int rec) { return index.compareToKey(tag, rec, low) < 0; });
            end = std::partition_point(
                begin, end, [&](int rec) { return index.compareToKey(tag, rec, high) <= 0; });
        }
        for (auto it = begin; it != end; ++it)
            if (accepted(*it)) visible.push_back(*it);
        reposition(keep, how);
    }
    void reposition(int keep, Reposition how) {
        const int size = static_cast<int>(visible.size());
        pos = 0;
        if (how == Reposition::First || keep < 0) return;
        const auto it = std::lower_bound(visible.begin(), visible.end(), keep,
                                         [&](int a, int b) { return index.less(tag, a, b); });
        const int at = static_cast<int>(it - visible.begin());
        if (it != visible.end() && *it == keep)
            pos = at;
        else if (how == Reposition::KeepOrNearest)
            pos = (at < size || size == 0) ? at : size - 1;
    }
    int lowerBound(const PortIndex::Key& key) const {
        const auto it = std::partition_point(visible.begin(), visible.end(), [&](int rec) {
            return index.compareToKey(tag, rec, key) < 0;
        });
        return static_cast<int>(it - visible.begin());
    }
    bool find(const PortIndex::Key& key) {
        const int at = lowerBound(key);
        if (at < static_cast<int>(visible.size()) &&
            index.compareToKey(tag, visible[at], key) == 0) {
            pos = at;
            return true;
        }
        return false;
    }

    // --- writing (PortTableWriting.cpp)
    void refreshFromFile();
    // Record rec as the file holds it now, whole (fails naming purpose when it cannot be read).
    QByteArray recordFromFile(int rec, const char* purpose) const;
    void putField(int col, QByteArrayView bytes, bool alignRight);
    // After a post: the record where its keys put it among the visible records, and current.
    void showPosted(int rec, bool inserted);
    void putNumber(int col, double value);
    void requireEditing(int col) const;
};

} // namespace ondrel
