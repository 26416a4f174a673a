// The port table engine: editing, the write lock, and writing through to the file (docs/
// PORT_TABLE.md, "Writing safely").
#include "ports/PortTable.h"

#include "ports/PortTableImpl.h"

#include <QDir>
#include <QFileInfo>

#include <charconv>
#include <cmath>

namespace ondrel {

// Another writer may have changed the file since it was read (records are never moved, only
// appended, rewritten in place or flagged deleted): take its content again before writing.
void PortTable::Impl::refreshFromFile() {
    PortIndex fresh;
    const DbfLayout layout = ScanDbfFile(
        path,
        [&](const DbfLayout& header) {
            if (header.recordLength != index.recordLength() ||
                header.fields.size() != fields().size())
                fail(QStringLiteral("the table's columns were changed while it was open"));
            fresh.reset(fields(), header.recordLength, index.tags(), nullptr, index.keptColumns());
            fresh.reserve(header.recordCount);
        },
        [&](const char* rows, int, int count) { fresh.add(rows, count); });
    if (layout.recordCount < index.count())
        fail(QStringLiteral("the table lost records while it was open (%1, %2 before)")
                 .arg(layout.recordCount)
                 .arg(index.count()));
    const int known = index.count();
    const bool changed = index.takeFresh(std::move(fresh));
    if (!changed && layout.recordCount == known) return;
    const int keep = current();
    index.resort();
    rebuild(keep, Reposition::KeepOrFirst);
}

QByteArray PortTable::Impl::recordFromFile(int rec, const char* purpose) const {
    QByteArray bytes(index.recordLength(), Qt::Uninitialized);
    if (dbf.readRecords(rec, 1, bytes.data()) != 1)
        fail(QStringLiteral("record %1 cannot be read %2").arg(rec).arg(QLatin1String(purpose)));
    return bytes;
}

namespace {

// An integer's digits, without an allocation (as QByteArray::number writes them).
struct Whole {
    explicit Whole(qint64 value) : size(std::to_chars(digits, digits + 24, value).ptr - digits) {}
    operator QByteArrayView() const { return QByteArrayView(digits, size); }
    char digits[24];
    qsizetype size;
};

} // namespace

void PortTable::Impl::putField(int col, QByteArrayView bytes, bool alignRight) {
    const DbfField& f = fields()[col];
    if (bytes.size() > f.width) {
        if (f.numeric)
            fail(QStringLiteral("the value %1 does not fit in %2 (width %3)")
                     .arg(QString::fromLatin1(bytes), columnLabel(col))
                     .arg(f.width));
        bytes = bytes.first(f.width);
    }
    char* dst = pending.data() + f.offset;
    std::fill(dst, dst + f.width, ' ');
    std::copy(bytes.begin(), bytes.end(), dst + (alignRight ? f.width - bytes.size() : 0));
}

void PortTable::Impl::putNumber(int col, double value) {
    if (!std::isfinite(value))
        fail(QStringLiteral("%1: not a finite number").arg(columnLabel(col)));
    const DbfField& f = fields()[col];
    if (f.decimals == 0) {
        const double rounded = std::round(value);
        if (std::fabs(rounded) > 9.2e18)
            fail(
                QStringLiteral("the value %1 does not fit in %2").arg(value).arg(columnLabel(col)));
        putField(col, Whole(static_cast<qint64>(rounded)), true);
    } else {
        putField(col, QByteArray::number(value, 'f', f.decimals), true);
    }
}

void PortTable::Impl::showPosted(int rec, bool inserted) {
    if (hasRange || (filtered && filter)) {
        rebuild(rec, Reposition::KeepOrNearest);
        return;
    }
    // Every member of the tag is visible: the record moves within the visible records alone (a
    // whole rebuild after each of the thousands of posts of an import would cost their square).
    if (!inserted) {
        const auto old = std::find(visible.begin(), visible.end(), rec);
        if (old != visible.end()) visible.erase(old);
    }
    const std::vector<int>& order = index.order(tag);
    const auto byKey = [this](int a, int b) { return index.less(tag, a, b); };
    if (std::binary_search(order.begin(), order.end(), rec, byKey))
        visible.insert(std::lower_bound(visible.begin(), visible.end(), rec, byKey), rec);
    reposition(rec, Reposition::KeepOrNearest);
}

void PortTable::Impl::requireEditing(int col) const {
    requireColumn(col);
    if (editing == Editing::None)
        fail(QStringLiteral("%1 cannot be written: no record is being inserted or edited")
                 .arg(columnLabel(col)));
}

void PortTable::insert() {
    d->requireWritable("inserting");
    d->pending = QByteArray(d->index.recordLength(), ' ');
    d->editRecord = -1;
    d->editing = Impl::Editing::Insert;
}

void PortTable::edit() {
    d->requireWritable("editing");
    const int rec = d->current();
    if (rec < 0) d->fail(QStringLiteral("there is no current record to edit"));
    // From the file itself: a record that cannot be read whole is not edited (its blanks would
    // be written back over what the file holds).
    d->pending = d->recordFromFile(rec, "to be edited");
    d->editRecord = rec;
    d->editing = Impl::Editing::Modify;
}

void PortTable::post() {
    if (d->editing == Impl::Editing::None) return;
    WriteLock lock(*this);
    int rec = d->editRecord;
    d->pending[0] = ' ';
    if (d->editing == Impl::Editing::Insert) {
        rec = d->index.count();
        d->dbf.appendRecord(rec, d->pending.constData());
        d->index.appendRecord(d->pending);
    } else {
        // The bytes a failed write puts back: read now, under the lock, or nothing is written.
        const QByteArray previous = d->recordFromFile(rec, "before it is rewritten");
        d->dbf.replaceRecord(rec, d->pending.constData(), previous.constData());
        d->index.setRecord(rec, d->pending);
    }
    const bool inserted = d->editing == Impl::Editing::Insert;
    d->editing = Impl::Editing::None;
    d->showPosted(rec, inserted);
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
    if (!d->index.isDeleted(rec)) { // else another writer deleted it meanwhile
        d->dbf.markDeleted(rec);
        d->index.markDeleted(rec);
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
    const QString lockPath = lockFilePath(d->path);
    if (const QString problem = ClearDeadLock(lockPath); !problem.isEmpty())
        d->fail(
            QStringLiteral("its lock file cannot be used: %1; nothing was changed").arg(problem));
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0); // a long import is no stale lock; a dead holder's lock is cleared
    if (!lock->tryLock(1000)) {
        qint64 pid = 0;
        QString host, application;
        lock->getLockInfo(&pid, &host, &application);
        if (lock->error() == QLockFile::LockFailedError && pid <= 0)
            throw TableBusy(
                QStringLiteral("%1: its lock file %2 names no holder: another Ondrel may be "
                               "taking it; try again in a few seconds (a lock file older than "
                               "that is taken over); nothing was changed")
                    .arg(d->path, QFileInfo(lockPath).fileName())
                    .toStdString());
        if (lock->error() == QLockFile::LockFailedError)
            throw TableBusy(
                QStringLiteral("%1: the port table is being changed by another Ondrel "
                               "(%2, process %3, holding %4); nothing was changed")
                    .arg(d->path, application.isEmpty() ? QStringLiteral("?") : application)
                    .arg(pid)
                    .arg(QFileInfo(lockPath).fileName())
                    .toStdString());
        d->fail(QStringLiteral("its lock file %1 cannot be written; nothing was changed")
                    .arg(lockFilePath(d->path)));
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

void PortTable::setText(int column, const QString& value) {
    d->requireEditing(column);
    const DbfField& f = d->fields()[column];
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
    const DbfField& f = d->fields()[column];
    if (!f.numeric)
        d->putField(column, Whole(value), false);
    else if (f.decimals == 0)
        d->putField(column, Whole(value), true);
    else
        d->putNumber(column, static_cast<double>(value));
}

void PortTable::setReal(int column, double value) {
    d->requireEditing(column);
    if (d->fields()[column].numeric) {
        d->putNumber(column, value);
        return;
    }
    QString s = QString::number(value, 'g', 15);
    s.replace(QLatin1Char('.'), d->decimal);
    d->putField(column, ToCp1252(s), false);
}

} // namespace ondrel
