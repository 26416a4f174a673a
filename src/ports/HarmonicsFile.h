// harmonics.bin, the companion of the shipped port table: for every standard port its full list
// of harmonic constants and the offset to the table's chart datum, and for every port the IANA
// name of its time zone. Format and reasons in docs/HARMONICS_FILE.md.
//
// The file is found beside ports.dbf. A port whose row no longer holds the values the file was
// made from (another table version, a port modified since), a port absent from the file, and
// every port when the file is missing or damaged, have no full list: their heights come from the
// table model, and the reason, naming the file, is given to the caller.
#pragma once

#include "engine/FullHarmonic.h"
#include "engine/PortRecord.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace ondrel {

inline const QString kHarmonicsFileName = QStringLiteral("harmonics.bin");

// The companion's path for a table: harmonics.bin in the table's folder.
QString HarmonicsPathFor(const QString& tablePath);
// The companion to read for a table: the one in its folder, or the shipped one when that folder
// has none.
QString HarmonicsToReadFor(const QString& tablePath);

// The values of a standard port's table row that its full list goes with.
struct HarmonicsRowValues {
    std::int32_t meanLevel = 0;               // cm, column 2
    std::array<std::int32_t, 10> amplitude{}; // mm, columns 3 to 12
    std::array<std::int32_t, 10> phase{};     // degrees, columns 13 to 22
    double timeZone = 0;                      // column 25

    friend bool operator==(const HarmonicsRowValues&, const HarmonicsRowValues&) = default;
};
// The same values read from a loaded record.
HarmonicsRowValues RowValuesOf(const PortRecord& port);

// One port as the generator writes it.
struct HarmonicsPortEntry {
    QByteArray name; // the table's NOM (ASCII)
    QByteArray timeZoneName;
    int reference = -1; // a secondary port: the index of its standard port's entry
    // A standard port:
    HarmonicsRowValues row;
    double datumOffset = 0; // metres
    struct Term {
        QByteArray constituent; // canonical name
        double amplitude = 0;   // metres
        double phase = 0;       // degrees, Greenwich, UT
    };
    std::vector<Term> terms;
};

// Writes the file (entries in the table's row order, names ascending). The same entries always
// give the same bytes. Throws std::runtime_error when the file cannot be written.
void WriteHarmonicsFile(const QString& path, const std::vector<HarmonicsPortEntry>& entries,
                        std::uint64_t tableFingerprint);

// FNV-1a, 64 bits (records, the table's fingerprint).
std::uint64_t Fnv1a64(const char* data, std::size_t size,
                      std::uint64_t hash = 1469598103934665603ULL);
// The same multiply-and-xor over 8-byte little-endian words, with a shift folding the high bits
// in: eight times faster, for the header and the index, which every opening checks.
std::uint64_t WordHash64(const char* data, std::size_t size,
                         std::uint64_t hash = 1469598103934665603ULL);

class HarmonicsFile {
public:
    // Reads the header and the index; false, with error() naming the file, when the file is
    // missing, truncated, of another format version or damaged.
    bool open(const QString& path);
    bool isOpen() const { return open_; }
    QString path() const { return path_; }
    QString error() const { return error_; }
    // The fingerprint of the table the file was made for.
    std::uint64_t tableFingerprint() const { return fingerprint_; }
    int portCount() const { return ports_; }
    // The name of the i-th port of the index (0 <= i < portCount()).
    QString portName(int i) const;

    // Whether the port of this name has a full list (itself or, for a secondary port, its
    // standard port), without checking its row.
    bool hasFullList(const QString& name) const;
    // The IANA time zone name of the port; empty when the port is not in the file.
    QString timeZoneName(const QString& name) const;

    // The harmonic constants for this port's record (its standard port's, for a secondary port);
    // nothing, with the reason in *why (naming the file and the port), when the port has none or
    // its row does not hold the values the file was made from.
    std::shared_ptr<const HarmonicConstants> constantsFor(const PortRecord& port,
                                                          QString* why = nullptr) const;

private:
    struct IndexEntry {
        QByteArray name;
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
        std::uint32_t checksum = 0;
    };
    IndexEntry entry(int i) const;
    struct Record {
        QByteArray timeZoneName;
        int reference = -1;
        HarmonicsRowValues row;
        std::shared_ptr<HarmonicConstants> constants;
    };
    int find(const QByteArray& name) const;
    std::optional<Record> readRecord(int i, QString* why) const;
    QString fail(const QString& reason);

    bool open_ = false;
    QString path_;
    QString error_;
    std::uint64_t fingerprint_ = 0;
    std::uint64_t fileSize_ = 0;
    std::vector<QByteArray> constituentNames_;
    QByteArray index_; // the index as stored: ports_ entries of 64 bytes
    int ports_ = 0;
    std::uint64_t recordsStart_ = 0;
};

} // namespace ondrel
