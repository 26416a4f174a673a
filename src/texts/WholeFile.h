// Writing a file whole or not at all.
#pragma once

#include <QByteArray>
#include <QString>

namespace ondrel {

// Writes bytes to file through a temporary file that replaces it only once every byte is on the
// disk (QSaveFile): a full disk or a file-size limit leaves the old file as it was. A file that
// exists but is not a regular file (a folder, a pipe, a device) or cannot be written is refused.
// Returns an empty text, or the reason.
QString WriteWholeFile(const QString& file, const QByteArray& bytes);

} // namespace ondrel
