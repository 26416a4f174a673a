// Text of the port table: the Windows-1252 code page of its text columns, and the key by which
// the name tags sort and search.
#pragma once

#include <QByteArray>
#include <QString>

namespace ondrel {

// The Windows-1252 code page of the table's text columns. Bytes with no character in it decode
// to the C1 control of the same value; characters it cannot represent encode as '?'.
QByteArray ToCp1252(const QString& text);
QString FromCp1252(const char* data, qsizetype size);

// The upper end of a key range over the name tags: every name key sorts before it.
inline const QString kNameRangeEnd = QStringLiteral("ZZZZZ");

// Key used by the name tags: upper case, accents removed, so that "br" finds BREST and an
// accented initial sorts with its plain letter.
QString NameKey(const QString& name);

} // namespace ondrel
