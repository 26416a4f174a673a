#include "ports/PortImport.h"

#include "ports/Cp1252.h"
#include "ports/DbfNumbers.h"
#include "ports/PortColumns.h"
#include "ports/PortLoader.h"
#include "ports/PortSelectionRules.h"
#include "ports/PortTable.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>
#include <optional>

namespace ondrel {

namespace {

constexpr char kEndOfText = '\x1A';

// The log's words, kept as the program has always written them.
const char* const kBadNumber = "1: Pb numero avec S = ";
const char* const kBadName = "2: Pb nom avec nom = ";
const char* const kNameNotStored = "4: Pb nom avec nom = ";
const char* const kBadInteger = "5: Pb  field integer avec filed = ";
const char* const kBadText = "6: Pb field avec field = ";
const char* const kBadZone = "7: Pb field avec field = ";
const char* const kBadReference = "8: Pb field avec field = ";
const char* const kBadReal = "9: Pb field avec field = ";

constexpr TextPair kAlready{"! est déjà dans la base de données", " is already in the database"};

// The lines of the file, read one at a time; past the end they read as empty.
// The lines of a .add file. Each line is read as UTF-8 when it is UTF-8, else as Windows-1252:
// a file put together from records of both kinds keeps every name as it was written.
class LineReader {
public:
    explicit LineReader(const QByteArray& bytes) {
        const qsizetype stop = bytes.indexOf(kEndOfText);
        bytes_ = stop < 0 ? bytes : bytes.left(stop);
    }
    bool atEnd() const { return pos_ >= bytes_.size(); }
    // The next line, at most 50 characters; nothing when the file has ended.
    std::optional<QString> next() {
        if (atEnd()) return std::nullopt;
        qsizetype end = bytes_.indexOf('\n', pos_);
        if (end < 0) end = bytes_.size();
        qsizetype stop = end;
        if (stop > pos_ && bytes_.at(stop - 1) == '\r') --stop;
        const QByteArrayView raw = QByteArrayView(bytes_).sliced(pos_, stop - pos_);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString line = utf8.decode(raw);
        if (utf8.hasError()) line = FromCp1252(raw.data(), raw.size());
        cut_ = line.size() > kAddValueLength;
        line.truncate(kAddValueLength);
        pos_ = end + 1;
        ++lineNumber_;
        return line;
    }
    // The number of the line next() gave last (from 1), and whether it was longer than kept.
    int lineNumber() const { return lineNumber_; }
    bool cut() const { return cut_; }

private:
    QByteArray bytes_;
    qsizetype pos_ = 0;
    int lineNumber_ = 0;
    bool cut_ = false;
};

// A decimal integer, optionally signed, with leading blanks and nothing after the digits.
std::optional<qint64> ReadInteger(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    const QStringView rest = QStringView(text).mid(i);
    if (rest.isEmpty()) return std::nullopt;
    qsizetype digits = 0;
    for (qsizetype k = 0; k < rest.size(); ++k) {
        const QChar c = rest.at(k);
        if (k == 0 && (c == QLatin1Char('+') || c == QLatin1Char('-'))) continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        ++digits;
    }
    if (digits == 0 || digits > 15) return std::nullopt;
    return rest.toLongLong();
}

// A real written with the given decimal separator, optionally signed; blanks around allowed.
std::optional<double> ReadReal(const QString& text, QChar separator) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool sawDigit = false, sawSeparator = false;
    for (qsizetype k = 0; k < t.size(); ++k) {
        const QChar c = t.at(k);
        if (k == 0 && (c == QLatin1Char('+') || c == QLatin1Char('-'))) continue;
        if (c == separator && !sawSeparator) {
            sawSeparator = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        sawDigit = true;
    }
    if (!sawDigit) return std::nullopt;
    double value = 0;
    if (!ParseNumber(t, separator, value)) return std::nullopt;
    return value;
}

// A file's text as a message shows it: a control character (an escape sequence would act on the
// terminal) becomes '?'.
QString Shown(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) c = u'?';
    return text;
}

// Whether a ZONE line of the file's records holds a code with its country (above 1000).
bool AnyCodeWithACountry(const QByteArray& bytes) {
    LineReader reader(bytes);
    for (int i = 0; const std::optional<QString> line = reader.next(); ++i)
        if (i % kPortColumnCount == ColumnNumber(PortColumn::ZONE))
            if (const auto code = ReadInteger(*line); code && *code > 1000) return true;
    return false;
}

// A name the table can hold exactly and a user can find: not blank, no control character, every
// character in the table's code page.
bool StorableName(const QString& name) {
    if (name.trimmed().isEmpty()) return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) return false;
    const QByteArray bytes = ToCp1252(name);
    return FromCp1252(bytes.constData(), bytes.size()) == name;
}

class Importer {
public:
    Importer(PortTable& table, const ImportSettings& settings, const ImportListLine& onLine,
             std::function<void(const QString&)> writeLog)
        : table_(table), settings_(settings), countryCodes_(settings.hasCountryCodes),
          onLine_(onLine), writeLog_(std::move(writeLog)) {}

    // Stops at the first failed write, with what was stored until then.
    ImportReport run(const QByteArray& bytes) {
        table_.selectTag(PortTag::Name);
        table_.cancelRange();
        table_.setFiltered(false);
        // An empty table keeps countries when the file's codes carry them.
        table_.first();
        if (table_.atEnd()) countryCodes_ = AnyCodeWithACountry(bytes);
        table_.setDecimalSeparator(settings_.decimalSeparator);
        LineReader reader(bytes);
        reader_ = &reader;
        try {
            while (!reader.atEnd())
                readRecord(reader);
        } catch (const TableError& e) {
            if (table_.isEditing()) table_.cancel();
            report_.failure = ImportReport::Failure::Table;
            report_.failureDetail = QString::fromUtf8(e.what());
        }
        return std::move(report_);
    }

private:
    void log(const char* what, const QString& text) {
        const QString line = Shown(text);
        const QString entry = QString::fromUtf8(what) + line;
        report_.log << entry;
        if (writeLog_) writeLog_(entry);
        problem(QStringLiteral("\"%1\" cannot be read").arg(line));
    }
    // What keeps the record being read from being stored, naming its line, port and field.
    void problem(const QString& why, int line = 0) {
        recordProblems_ << QStringLiteral("line %1, port %2, %3: %4")
                               .arg(line > 0  ? line
                                    : reader_ ? reader_->lineNumber()
                                              : 0)
                               .arg(recordName_.isEmpty() ? QStringLiteral("?")
                                                          : Shown(recordName_),
                                    field_, why);
    }
    // The next line, as the value of field; a line longer than a value can be is a problem.
    QString read(LineReader& reader, const QString& field) {
        field_ = field;
        const std::optional<QString> line = reader.next();
        if (!line) {
            problem(QStringLiteral("missing (the file ends)"));
            return {};
        }
        if (reader.cut()) problem(QStringLiteral("longer than %1 characters").arg(kAddValueLength));
        return *line;
    }
    void list(const QString& line) {
        report_.list << line;
        if (onLine_) onLine_(line);
    }
    // Stores one value, logging it when the table refuses it; false then.
    template <typename Store> bool store(const char* what, const QString& line, Store&& write) {
        try {
            write();
            return true;
        } catch (const TableError&) {
            log(what, line);
            return false;
        }
    }

    // One record: its number, its name, then its values in the order of the file.
    void readRecord(LineReader& reader) {
        recordProblems_.clear();
        recordName_.clear();
        recordStart_ = reader.lineNumber() + 1;
        const QString numberLine = read(reader, QStringLiteral("NUM"));
        if (const auto n = ReadInteger(numberLine))
            number_ = *n;
        else
            log(kBadNumber, numberLine);
        const std::optional<QString> name = readName(reader);
        if (!name) {
            refuse();
            return;
        }
        recordName_ = *name;

        table_.insert();
        store(kBadNumber, numberLine, [&] { table_.setInteger(PortColumn::NUM, number_); });
        store(kNameNotStored, *name, [&] { table_.setText(PortColumn::NOM, *name); });
        for (const PortColumn c : PortColumnsFromTo(PortColumn::Z0, PortColumn::G_MS4))
            storeInteger(reader, kBadInteger, c);
        const bool usable = storePlace(reader);
        storeInteger(reader, kBadZone, PortColumn::RESERVE);
        storeZone(reader);
        const QString reference = read(reader, QStringLiteral("PORT_REF"));
        store(kBadReference, reference, [&] { table_.setText(PortColumn::PORT_REF, reference); });
        storeCorrections(reader);
        // A record that cannot be read whole, or that the loader would refuse, is not stored.
        if (usable && recordProblems_.isEmpty()) checkAsLoaded();
        if (!usable || !recordProblems_.isEmpty()) {
            table_.cancel();
            refuse();
            return;
        }
        table_.post();
        const QString stored = table_.text(PortColumn::NOM);
        report_.added << stored;
        list(stored);
    }

    // The name after the port's number; none when there is no port to store (the file ended, the
    // name cannot be stored or the table has it already), the rest of its record then read past.
    std::optional<QString> readName(LineReader& reader) {
        field_ = QStringLiteral("NOM");
        const std::optional<QString> name = reader.next();
        if (name && reader.cut()) {
            recordName_ = *name + QStringLiteral("...");
            problem(QStringLiteral("a name longer than %1 characters").arg(kAddValueLength));
            for (int i = 2; i < kAddRecordLines; ++i)
                reader.next();
            return std::nullopt;
        }
        if (!name) {
            // The file ended after a port number: there is no port to store.
            log(kBadName, QString());
            return std::nullopt;
        }
        if (!StorableName(*name)) {
            log(kNameNotStored, *name);
        } else if (table_.findKey(*name)) {
            report_.skipped << *name;
            list(*name + QString::fromUtf8(kAlready.In(settings_.language)));
        } else {
            return name;
        }
        for (int i = 2; i < kAddRecordLines; ++i)
            reader.next();
        return std::nullopt;
    }

    // The next line as a whole number into column c, logged with what when it is not one.
    void storeInteger(LineReader& reader, const char* what, PortColumn c) {
        const QString line = read(reader, PortColumnName(c));
        const auto v = ReadInteger(line);
        if (!v)
            log(what, line);
        else
            store(what, line, [&] { table_.setInteger(c, *v); });
    }

    // The latitude, the longitude and the time zone. A position or a time zone that no port can
    // have would make a port that is stored but cannot be computed: false then, and the record is
    // refused with the line's message.
    bool storePlace(LineReader& reader) {
        bool usable = true;
        for (PortColumn c : {PortColumn::LATITUDE, PortColumn::LONGITUDE, PortColumn::FUSEAU}) {
            const QString line = read(reader, PortColumnName(c));
            // A position reads exactly "dd mm N" or "ddd mm W", or not at all: never a hemisphere
            // dropped nor a text read as 0.
            if (c != PortColumn::FUSEAU && !IsExactPosition(c == PortColumn::LATITUDE, line)) {
                log(kBadText, line);
                usable = false;
                continue;
            }
            // A port without a time zone cannot be computed: an empty one is refused.
            if (c == PortColumn::FUSEAU && line.trimmed().isEmpty()) {
                log(kBadText, line);
                continue;
            }
            if (store(kBadText, line, [&] { table_.setText(c, line); }) && !InRange(c)) {
                log(kBadText, line);
                usable = false;
            }
        }
        return usable;
    }

    // The zone code, with the country when the table keeps countries.
    void storeZone(LineReader& reader) {
        const QString line = read(reader, QStringLiteral("ZONE"));
        const auto v = ReadInteger(line);
        // A zone code is never negative.
        if (!v || *v < 0) {
            log(kBadZone, line);
            return;
        }
        if (countryCodes_ && *v > 1000) report_.lastCountry = CountryOfZone(*v);
        store(kBadZone, line,
              [&] { table_.setInteger(PortColumn::ZONE, ImportedZone(*v, countryCodes_)); });
    }

    // The corrections of a secondary port, reals with the file's decimal separator.
    void storeCorrections(LineReader& reader) {
        for (const PortColumn c : PortColumnsFromTo(PortColumn::HPMVE, PortColumn::TBMME)) {
            const QString line = read(reader, PortColumnName(c));
            const auto v = ReadReal(line, settings_.decimalSeparator);
            if (!v)
                log(kBadReal, line);
            else
                store(kBadReal, line, [&] { table_.setReal(c, *v); });
        }
    }

    // Whether the value stored in column c (a position or the time zone) is one a port can have.
    bool InRange(PortColumn c) const {
        if (c == PortColumn::FUSEAU) {
            const double hours = table_.real(c);
            return std::isfinite(hours) && std::fabs(hours) <= kMaxTimeZone;
        }
        const double limit = c == PortColumn::LATITUDE ? 90 : 180;
        return std::fabs(DegreesOfText(table_.text(c), nullptr)) <= limit;
    }

    // The record as the loader reads it: a value outside its column's plausible range (the
    // loader's bounds, in one place) is a problem. (The time zone, written with the file's decimal
    // separator, was checked as it was stored.)
    void checkAsLoaded() {
        try {
            PortRecord probe;
            Chargement(table_, probe, {});
        } catch (const TableError& e) {
            // The loader's message names the table, the port and the column ("column 8 (A_M2)
            // holds..."); the record's lines follow the columns, so the column's is its line.
            const QString message = QString::fromUtf8(e.what());
            static const QRegularExpression column(QStringLiteral("column (\\d+) \\((\\w+)\\) "));
            const QRegularExpressionMatch m = column.match(message);
            field_ = m.hasMatch() ? m.captured(2) : QStringLiteral("the record");
            problem(message.mid(m.hasMatch() ? m.capturedEnd() : 0),
                    m.hasMatch() ? recordStart_ + m.captured(1).toInt() : 0);
        }
    }

    // The record is not stored: its problems are told, and what the list window shows.
    void refuse() {
        if (recordProblems_.isEmpty()) return;
        report_.problems << recordProblems_;
        report_.refused << recordName_;
    }

    PortTable& table_;
    LineReader* reader_ = nullptr;
    QStringList recordProblems_;
    QString recordName_;
    int recordStart_ = 0; // the line of the record's number
    QString field_;
    const ImportSettings& settings_;
    bool countryCodes_; // the table keeps zone codes with their country
    const ImportListLine& onLine_;
    std::function<void(const QString&)> writeLog_;
    ImportReport report_;
    qint64 number_ = 0;
};

ImportReport Failed(ImportReport::Failure failure, const QString& detail) {
    ImportReport report;
    report.failure = failure;
    report.failureDetail = detail;
    return report;
}

} // namespace

qint64 ImportedZone(qint64 v, bool hasCountryCodes) {
    if (hasCountryCodes) return v <= 1000 ? v * 1000 : v;
    return v <= 1000 ? v : v / 1000;
}

bool TableHasCountryCodes(PortTable& table) {
    table.selectTag(PortTag::Name);
    table.cancelRange();
    table.first();
    if (table.atEnd()) return false;
    try {
        return table.zone() > 100;
    } catch (const TableError&) {
        return false;
    }
}

namespace {

// Takes the table's write lock for the whole import; a failure is the report to give.
std::optional<ImportReport> LockForImport(std::optional<PortTable::WriteLock>& lock,
                                          PortTable& table) {
    try {
        lock.emplace(table);
    } catch (const TableBusy& e) {
        return Failed(ImportReport::Failure::Busy, QString::fromUtf8(e.what()));
    } catch (const TableError& e) {
        return Failed(ImportReport::Failure::Table, QString::fromUtf8(e.what()));
    }
    return std::nullopt;
}

// Lets the lock go, putting the writes on the disk; a failure there is the import's.
void Unlock(std::optional<PortTable::WriteLock>& lock, ImportReport& report) {
    try {
        lock->release();
    } catch (const TableError& e) {
        if (report.failure == ImportReport::Failure::None) {
            report.failure = ImportReport::Failure::Table;
            report.failureDetail = QString::fromUtf8(e.what());
        }
    }
}

} // namespace

ImportReport ImportPortsFromData(PortTable& table, const QByteArray& data,
                                 const ImportSettings& settings, const ImportListLine& onLine) {
    std::optional<PortTable::WriteLock> lock;
    if (auto failed = LockForImport(lock, table)) return *failed;
    ImportReport report = Importer(table, settings, onLine, {}).run(data);
    Unlock(lock, report);
    return report;
}

ImportReport ImportPorts(PortTable& table, const QString& addFile, const QString& logFile,
                         const ImportSettings& settings, const ImportListLine& onLine) {
    QFile input(addFile);
    const QFileInfo info(addFile);
    if (!info.exists())
        return Failed(ImportReport::Failure::AddFile,
                      info.absoluteFilePath() + QStringLiteral(": no such file"));
    if (!info.isFile())
        return Failed(ImportReport::Failure::AddFile,
                      info.absoluteFilePath() + QStringLiteral(": not a file"));
    if (!input.open(QIODevice::ReadOnly))
        return Failed(ImportReport::Failure::AddFile,
                      QStringLiteral("%1: %2").arg(info.absoluteFilePath(), input.errorString()));
    const QByteArray data = input.readAll();
    if (input.error() != QFileDevice::NoError)
        return Failed(ImportReport::Failure::AddFile,
                      QStringLiteral("%1: %2").arg(QFileInfo(addFile).absoluteFilePath(),
                                                   input.errorString()));
    // The log belongs to the lock's holder: another import may be writing it.
    std::optional<PortTable::WriteLock> lock;
    if (auto failed = LockForImport(lock, table)) return *failed;
    QFile log(logFile);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Failed(
            ImportReport::Failure::LogFile,
            QStringLiteral("%1: %2").arg(QFileInfo(logFile).absoluteFilePath(), log.errorString()));
    ImportReport report = Importer(table, settings, onLine, [&log](const QString& line) {
                              log.write((line + QLatin1Char('\n')).toUtf8());
                              log.flush();
                          }).run(data);
    Unlock(lock, report);
    return report;
}

QByteArray ExportRecord(const PortTable& table, QChar decimalSeparator) {
    // A damaged field is refused, never written as the 0 it would read as.
    CheckRecord(table);
    QStringList lines;
    const auto whole = [&](PortColumn column) { return QString::number(table.integer(column)); };
    lines << whole(PortColumn::NUM) << table.text(PortColumn::NOM);
    for (const PortColumn c : PortColumnsFromTo(PortColumn::Z0, PortColumn::G_MS4))
        lines << whole(c);
    lines << table.text(PortColumn::LATITUDE) << table.text(PortColumn::LONGITUDE);
    QString zone = QString::number(table.real(PortColumn::FUSEAU), 'f', 2);
    zone.replace(QLatin1Char('.'), decimalSeparator);
    // A code of zone and country reads back as itself, but a zone without its country (code
    // z × 1000) only as the zone alone.
    const qint64 code = table.integer(PortColumn::ZONE);
    const qint64 written = code >= 1000 && code % 1000 == 0 ? code / 1000 : code;
    lines << zone << whole(PortColumn::RESERVE) << QString::number(written)
          << table.text(PortColumn::PORT_REF);
    for (const PortColumn c : PortColumnsFromTo(PortColumn::HPMVE, PortColumn::TBMME)) {
        QString r = QString::number(table.real(c), 'f', 4);
        r.replace(QLatin1Char('.'), decimalSeparator);
        lines << r;
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace ondrel
