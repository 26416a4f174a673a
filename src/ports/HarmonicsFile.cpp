#include "ports/HarmonicsFile.h"

#include "ports/TableLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace ondrel {

namespace {

constexpr char kMagic[8] = {'O', 'N', 'D', 'R', 'E', 'L', 'H', 'B'};
constexpr std::uint32_t kVersion = 1;
constexpr int kHeaderSize = 48;
constexpr int kNameSize = 16;
constexpr int kIndexNameSize = 52;
constexpr int kIndexEntrySize = kIndexNameSize + 12;
constexpr std::uint32_t kMaxPorts = 1000000;
constexpr std::uint32_t kMaxNames = 65535;
constexpr int kTermSize = 2 + 8 + 8;
constexpr int kStandardFixedSize = 4 + 20 * 4 + 8 + 8 + 2;

enum Kind : std::uint8_t { kStandard = 0, kSecondary = 1 };

void PutU8(QByteArray& out, std::uint8_t v) {
    out.append(static_cast<char>(v));
}
void PutU16(QByteArray& out, std::uint16_t v) {
    for (int i = 0; i < 2; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xff));
}
void PutU32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xff));
}
void PutU64(QByteArray& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xff));
}
void PutF64(QByteArray& out, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    PutU64(out, bits);
}
void PutFixed(QByteArray& out, const QByteArray& text, int size) {
    if (text.size() >= size) throw std::runtime_error("name too long: " + text.toStdString());
    out.append(text);
    out.append(QByteArray(size - text.size(), '\0'));
}

// Reads little-endian values from a byte range; every read is bounds-checked, and a read past
// the end marks the reader as failed and gives zeros.
class Reader {
public:
    Reader(const char* data, qsizetype size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ == size_; }
    std::uint64_t unsignedOf(int bytes) {
        if (!ok_ || size_ - pos_ < bytes) {
            ok_ = false;
            return 0;
        }
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= static_cast<std::uint64_t>(static_cast<unsigned char>(data_[pos_ + i])) << (8 * i);
        pos_ += bytes;
        return v;
    }
    std::uint8_t u8() { return static_cast<std::uint8_t>(unsignedOf(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(unsignedOf(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(unsignedOf(4)); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint64_t u64() { return unsignedOf(8); }
    double f64() {
        const std::uint64_t bits = u64();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    QByteArray bytes(qsizetype n) {
        if (!ok_ || n < 0 || size_ - pos_ < n) {
            ok_ = false;
            return {};
        }
        QByteArray out(data_ + pos_, n);
        pos_ += n;
        return out;
    }
    // A NUL-padded text field.
    QByteArray fixed(qsizetype n) {
        QByteArray b = bytes(n);
        const qsizetype end = b.indexOf('\0');
        return end < 0 ? b : b.left(end);
    }

private:
    const char* data_;
    qsizetype size_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

std::int32_t WholeOr(double value, std::int32_t otherwise) {
    return std::isfinite(value) && value == std::round(value) && std::fabs(value) < 2e9
               ? static_cast<std::int32_t>(value)
               : otherwise;
}

} // namespace

QString HarmonicsPathFor(const QString& tablePath) {
    return QFileInfo(tablePath).absoluteDir().filePath(kHarmonicsFileName);
}

QString HarmonicsToReadFor(const QString& tablePath) {
    // The shipped file serves a copied table's ports whose rows it was made from (constantsFor
    // checks each row) and gives their time zones.
    return CompanionToRead(tablePath, kHarmonicsFileName);
}

HarmonicsRowValues RowValuesOf(const PortRecord& port) {
    // Column order of the table: Sa, Q1, O1, K1, N2, M2, S2, MN4, M4, MS4.
    constexpr int kStored[10] = {kSa, kQ1, kO1, kK1, kN2, kM2, kS2, kMN4, kM4, kMS4};
    constexpr std::int32_t kNotWhole = INT32_MIN;
    HarmonicsRowValues v;
    v.meanLevel = WholeOr(port.meanLevel, kNotWhole);
    for (int i = 0; i < 10; ++i) {
        v.amplitude[i] = WholeOr(port.amplitude[kStored[i]], kNotWhole);
        v.phase[i] = WholeOr(port.phase[kStored[i]], kNotWhole);
    }
    v.timeZone = port.timeZone;
    return v;
}

std::uint64_t Fnv1a64(const char* data, std::size_t size, std::uint64_t hash) {
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::uint64_t WordHash64(const char* data, std::size_t size, std::uint64_t hash) {
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word = 0;
        for (int b = 0; b < 8; ++b)
            word |= std::uint64_t{static_cast<unsigned char>(data[i + b])} << (8 * b);
        hash ^= word;
        hash *= 1099511628211ULL;
        hash ^= hash >> 29;
    }
    return Fnv1a64(data + i, size - i, hash);
}

void WriteHarmonicsFile(const QString& path, const std::vector<HarmonicsPortEntry>& entries,
                        std::uint64_t tableFingerprint) {
    // Constituent names in order of first use.
    std::vector<QByteArray> names;
    const auto nameIndex = [&names](const QByteArray& name) {
        const auto it = std::find(names.begin(), names.end(), name);
        if (it != names.end()) return static_cast<std::uint16_t>(it - names.begin());
        names.push_back(name);
        return static_cast<std::uint16_t>(names.size() - 1);
    };
    std::vector<QByteArray> records;
    for (const HarmonicsPortEntry& e : entries) {
        QByteArray r;
        PutU8(r, e.reference >= 0 ? kSecondary : kStandard);
        if (e.timeZoneName.size() > 255) throw std::runtime_error("time zone name too long");
        PutU8(r, static_cast<std::uint8_t>(e.timeZoneName.size()));
        r.append(e.timeZoneName);
        if (e.reference >= 0) {
            PutU32(r, static_cast<std::uint32_t>(e.reference));
        } else {
            PutU32(r, static_cast<std::uint32_t>(e.row.meanLevel));
            for (std::int32_t a : e.row.amplitude)
                PutU32(r, static_cast<std::uint32_t>(a));
            for (std::int32_t g : e.row.phase)
                PutU32(r, static_cast<std::uint32_t>(g));
            PutF64(r, e.row.timeZone);
            PutF64(r, e.datumOffset);
            PutU16(r, static_cast<std::uint16_t>(e.terms.size()));
            for (const auto& term : e.terms) {
                PutU16(r, nameIndex(term.constituent));
                PutF64(r, term.amplitude);
                PutF64(r, term.phase);
            }
        }
        records.push_back(r);
    }
    const std::uint32_t indexOffset =
        kHeaderSize + kNameSize * static_cast<std::uint32_t>(names.size());
    std::uint64_t offset = indexOffset + std::uint64_t{kIndexEntrySize} * entries.size();
    QByteArray tables;
    for (const QByteArray& name : names)
        PutFixed(tables, name, kNameSize);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        PutFixed(tables, entries[i].name, kIndexNameSize);
        PutU32(tables, static_cast<std::uint32_t>(offset));
        PutU32(tables, static_cast<std::uint32_t>(records[i].size()));
        PutU32(tables, static_cast<std::uint32_t>(Fnv1a64(
                           records[i].constData(), static_cast<std::size_t>(records[i].size()))));
        offset += static_cast<std::uint64_t>(records[i].size());
    }
    if (offset > 0xffffffffULL) throw std::runtime_error("harmonic data too large");
    QByteArray header(kMagic, sizeof kMagic);
    PutU32(header, kVersion);
    PutU32(header, static_cast<std::uint32_t>(entries.size()));
    PutU32(header, static_cast<std::uint32_t>(names.size()));
    PutU32(header, indexOffset);
    PutU64(header, tableFingerprint);
    PutU64(header, offset);
    const std::uint64_t checksum =
        WordHash64(tables.constData(), static_cast<std::size_t>(tables.size()),
                   WordHash64(header.constData(), static_cast<std::size_t>(header.size())));
    PutU64(header, checksum);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write(header);
    file.write(tables);
    for (const QByteArray& r : records)
        file.write(r);
    if (!file.commit()) throw std::runtime_error("cannot write " + path.toStdString());
}

QString HarmonicsFile::fail(const QString& reason) {
    open_ = false;
    index_.clear();
    ports_ = 0;
    constituentNames_.clear();
    error_ = QStringLiteral("%1: %2; the table model is used for every port").arg(path_, reason);
    return error_;
}

bool HarmonicsFile::open(const QString& path) {
    path_ = path;
    error_.clear();
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        fail(QStringLiteral("no harmonic data file"));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot be read"));
        return false;
    }
    fileSize_ = static_cast<std::uint64_t>(file.size());
    const QByteArray head = file.read(kHeaderSize);
    if (head.size() < kHeaderSize || std::memcmp(head.constData(), kMagic, sizeof kMagic) != 0) {
        fail(QStringLiteral("not a harmonic data file of Ondrel (truncated or of another kind)"));
        return false;
    }
    Reader h(head.constData() + sizeof kMagic, head.size() - qsizetype(sizeof kMagic));
    const std::uint32_t version = h.u32();
    const std::uint32_t ports = h.u32();
    const std::uint32_t names = h.u32();
    const std::uint32_t indexOffset = h.u32();
    fingerprint_ = h.u64();
    const std::uint64_t size = h.u64();
    const std::uint64_t checksum = h.u64();
    if (version != kVersion) {
        fail(QStringLiteral("format version %1, this program reads version %2")
                 .arg(version)
                 .arg(kVersion));
        return false;
    }
    if (size != fileSize_) {
        fail(QStringLiteral("%1 bytes where its header announces %2 (truncated or damaged)")
                 .arg(fileSize_)
                 .arg(size));
        return false;
    }
    const std::uint64_t tablesEnd =
        std::uint64_t{indexOffset} + std::uint64_t{kIndexEntrySize} * ports;
    if (ports > kMaxPorts || names > kMaxNames ||
        indexOffset != kHeaderSize + std::uint64_t{kNameSize} * names || tablesEnd > fileSize_) {
        fail(QStringLiteral("damaged header"));
        return false;
    }
    const QByteArray tables = file.read(static_cast<qint64>(tablesEnd - kHeaderSize));
    const std::uint64_t sum =
        WordHash64(tables.constData(), static_cast<std::size_t>(tables.size()),
                   WordHash64(head.constData(), kHeaderSize - 8));
    if (tables.size() != static_cast<qsizetype>(tablesEnd - kHeaderSize) || sum != checksum) {
        fail(QStringLiteral("damaged index (checksum)"));
        return false;
    }
    Reader r(tables.constData(), tables.size());
    constituentNames_.clear();
    for (std::uint32_t i = 0; i < names; ++i)
        constituentNames_.push_back(r.fixed(kNameSize));
    index_ = tables.mid(indexOffset - kHeaderSize);
    ports_ = static_cast<int>(ports);
    // Where the records may lie; each entry is checked when it is used.
    recordsStart_ = tablesEnd;
    open_ = true;
    return true;
}

HarmonicsFile::IndexEntry HarmonicsFile::entry(int i) const {
    Reader r(index_.constData() + qsizetype{kIndexEntrySize} * i, kIndexEntrySize);
    IndexEntry e;
    e.name = r.fixed(kIndexNameSize);
    e.offset = r.u32();
    e.size = r.u32();
    e.checksum = r.u32();
    return e;
}

QString HarmonicsFile::portName(int i) const {
    return QString::fromLatin1(entry(i).name);
}

int HarmonicsFile::find(const QByteArray& name) const {
    // Binary search on the names as stored (NUL-padded, ascending).
    if (name.size() >= kIndexNameSize || name.contains('\0')) return -1;
    QByteArray key = name;
    key.append(QByteArray(kIndexNameSize - name.size(), '\0'));
    int low = 0;
    int high = ports_;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        const int c = std::memcmp(index_.constData() + qsizetype{kIndexEntrySize} * mid,
                                  key.constData(), kIndexNameSize);
        if (c == 0) return mid;
        if (c < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return -1;
}

std::optional<HarmonicsFile::Record> HarmonicsFile::readRecord(int i, QString* why) const {
    const IndexEntry e = entry(i);
    const auto damaged = [&](const QString& what) {
        if (why)
            *why = QStringLiteral("%1: port \"%2\": %3; the table model is used for this port")
                       .arg(path_, QString::fromLatin1(e.name), what);
        return std::nullopt;
    };
    if (std::uint64_t{e.offset} + e.size > fileSize_ || e.offset < recordsStart_)
        return damaged(QStringLiteral("damaged index (a record beyond the file)"));
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(e.offset))
        return damaged(QStringLiteral("the file can no longer be read"));
    const QByteArray bytes = file.read(e.size);
    if (bytes.size() != static_cast<qsizetype>(e.size) ||
        static_cast<std::uint32_t>(
            Fnv1a64(bytes.constData(), static_cast<std::size_t>(bytes.size()))) != e.checksum)
        return damaged(QStringLiteral("damaged record (checksum)"));
    Reader r(bytes.constData(), bytes.size());
    Record rec;
    const std::uint8_t kind = r.u8();
    rec.timeZoneName = r.bytes(r.u8());
    if (kind == kSecondary) {
        rec.reference = static_cast<int>(r.u32());
        if (!r.ok() || !r.atEnd() || rec.reference < 0 || rec.reference >= portCount() ||
            rec.reference == i)
            return damaged(QStringLiteral("damaged record"));
        return rec;
    }
    if (kind != kStandard) return damaged(QStringLiteral("damaged record (unknown kind)"));
    rec.row.meanLevel = r.i32();
    for (auto& a : rec.row.amplitude)
        a = r.i32();
    for (auto& g : rec.row.phase)
        g = r.i32();
    rec.row.timeZone = r.f64();
    auto constants = std::make_shared<HarmonicConstants>();
    constants->datumOffset = r.f64();
    const std::uint16_t terms = r.u16();
    if (!r.ok() || bytes.size() != kStandardFixedSize + 2 + rec.timeZoneName.size() +
                                       qsizetype{kTermSize} * terms)
        return damaged(QStringLiteral("damaged record (size)"));
    if (!std::isfinite(constants->datumOffset) || !std::isfinite(rec.row.timeZone))
        return damaged(QStringLiteral("a value is not a finite number"));
    // Beyond what any sea does: a file whose checksums hold but whose values do not.
    constexpr double kLargestAmplitude = 20; // metres; the largest tides' M2 is about 6
    constexpr double kLargestDatum = 100;    // metres
    if (std::fabs(constants->datumOffset) > kLargestDatum || std::fabs(rec.row.timeZone) > 14)
        return damaged(QStringLiteral("the mean level or the time zone is out of range"));
    constants->terms.reserve(terms);
    for (std::uint16_t k = 0; k < terms; ++k) {
        const std::uint16_t n = r.u16();
        const double amplitude = r.f64();
        const double phase = r.f64();
        if (n >= constituentNames_.size())
            return damaged(QStringLiteral("damaged record (constituent number)"));
        if (!std::isfinite(amplitude) || !std::isfinite(phase))
            return damaged(QStringLiteral("the amplitude or phase of %1 is not a finite number")
                               .arg(QString::fromLatin1(constituentNames_[n])));
        if (amplitude < 0 || amplitude > kLargestAmplitude || std::fabs(phase) > 360)
            return damaged(QStringLiteral("the amplitude or phase of %1 is out of range")
                               .arg(QString::fromLatin1(constituentNames_[n])));
        auto definition = DefineConstituent(constituentNames_[n].toStdString());
        if (!definition)
            return damaged(QStringLiteral("unknown constituent %1")
                               .arg(QString::fromLatin1(constituentNames_[n])));
        constants->terms.push_back({std::move(*definition), amplitude, phase});
    }
    rec.constants = std::move(constants);
    return rec;
}

bool HarmonicsFile::hasFullList(const QString& name) const {
    if (!open_) return false;
    const int i = find(name.toUtf8());
    if (i < 0) return false;
    const auto rec = readRecord(i, nullptr);
    if (!rec) return false;
    if (rec->reference < 0) return true;
    const auto ref = readRecord(rec->reference, nullptr);
    return ref && ref->reference < 0;
}

QString HarmonicsFile::timeZoneName(const QString& name) const {
    if (!open_) return {};
    const int i = find(name.toUtf8());
    if (i < 0) return {};
    const auto rec = readRecord(i, nullptr);
    return rec ? QString::fromLatin1(rec->timeZoneName) : QString();
}

std::shared_ptr<const HarmonicConstants> HarmonicsFile::constantsFor(const PortRecord& port,
                                                                     QString* why) const {
    const QString name = QString::fromStdString(port.name);
    const auto tell = [&](const QString& reason) {
        if (why) *why = reason;
        return nullptr;
    };
    if (!open_) return tell(error_);
    const int i = find(QByteArray::fromStdString(port.name));
    if (i < 0)
        return tell(QStringLiteral("%1: no harmonic constants for port \"%2\"; the table model is "
                                   "used for this port")
                        .arg(path_, name));
    auto rec = readRecord(i, why);
    if (!rec) return nullptr;
    if (rec->reference >= 0) {
        rec = readRecord(rec->reference, why);
        if (!rec) return nullptr;
        if (rec->reference >= 0)
            return tell(QStringLiteral("%1: port \"%2\": damaged record (reference); the table "
                                       "model is used for this port")
                            .arg(path_, name));
    }
    if (!(rec->row == RowValuesOf(port)))
        return tell(QStringLiteral("%1: the harmonic constants of port \"%2\" belong to another "
                                   "version of its row in the port table; the table model is used "
                                   "for this port")
                        .arg(path_, name));
    return rec->constants;
}

} // namespace ondrel
