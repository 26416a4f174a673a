// The Windows-1252 code page of the table's text columns and the name keys (docs/PORT_TABLE.md).
#include "ports/Cp1252.h"

#include <QList>

namespace ondrel {

// ---------------------------------------------------------------------------------------------
// Windows-1252

namespace {

// Characters of the bytes 0x80 to 0x9F. The five bytes without a character (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the C1 control of the same value, as Windows decodes them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QByteArray ToCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4())
        out.append(EncodeCp1252(c));
    return out;
}

QString FromCp1252(const char* data, qsizetype size) {
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        dst[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Name keys

QString NameKey(const QString& name) {
    const QString trimmed = name.trimmed();
    bool ascii = true;
    for (QChar c : trimmed)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return trimmed.toUpper();

    const QString decomposed = trimmed.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size() + 2);
    for (QChar c : decomposed) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            continue;
        default:
            break;
        }
        switch (c.unicode()) {
        case 0x0152:
        case 0x0153:
            key += QLatin1String("OE");
            break; // Œ œ
        case 0x00C6:
        case 0x00E6:
            key += QLatin1String("AE");
            break; // Æ æ
        case 0x00DF:
        case 0x1E9E:
            key += QLatin1String("SS");
            break; // ß ẞ
        // Letters with a stroke do not decompose: fold them to their plain letter too.
        case 0x00D8:
        case 0x00F8:
            key += QLatin1Char('O');
            break; // Ø ø
        case 0x0110:
        case 0x0111:
            key += QLatin1Char('D');
            break; // Đ đ
        case 0x0141:
        case 0x0142:
            key += QLatin1Char('L');
            break; // Ł ł
        default:
            key += c.toUpper();
            break;
        }
    }
    return key;
}

} // namespace ondrel
