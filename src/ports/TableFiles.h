// Reading the files of the port table (the .dbf and its tag file) safely: only regular files,
// never more than a cap, and every failure a TableError that starts with the file's path.
#pragma once

#include "ports/TableTypes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace ondrel {

[[noreturn]] void FailFile(const QString& file, const QString& what);

// The absolute path of a file; when it does not exist, a file of the same directory whose name
// differs only in case (the program opens "ports.dbf" and "ports.DBF").
QString ResolveCase(const QString& path);

// The whole content of a regular file of at most maxBytes. A folder, a FIFO, a device or a
// larger file is refused without being read (and without waiting on a FIFO); `what` names the
// file in the messages ("the table", "the tag file"). A file that changes while it is read is
// refused, unless changed is given: it then tells whether the file changed meanwhile, and the
// bytes are those read.
QByteArray ReadRegularFile(const QString& path, const QString& what, qint64 maxBytes,
                           bool* changed = nullptr);

// The same content handed to take in order, in pieces of at most pieceBytes through one buffer,
// so that a large file is read without being held: take(piece, offset of the piece, file size).
// A piece is valid during the call only.
using FilePieces = std::function<void(QByteArrayView piece, qint64 at, qint64 size)>;
void ReadRegularFileInPieces(const QString& path, const QString& what, qint64 maxBytes,
                             qint64 pieceBytes, const FilePieces& take, bool* changed = nullptr);

// Before a lock file is taken: a lock whose holder is gone (a process of this machine that no
// longer runs) or whose content is no lock (empty, junk, left by a crash a while ago) is removed,
// so that it never blocks the table for good. Returns an empty text, or why the lock cannot be
// used (it is not a regular file: a pipe must not make the program wait).
QString ClearDeadLock(const QString& lockPath);

} // namespace ondrel
