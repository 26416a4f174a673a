// ondrel-make-harmonics INPUT.json OUTPUT.bin
//
// Writes harmonics.bin, the port table's companion (docs/HARMONICS_FILE.md), from the rows that
// convert.mjs produced for the table: every standard port's constituents under the names the
// engine reads, and every port's time zone name. The same input always gives the same bytes.
#include "engine/Constituents.h"
#include "ports/HarmonicsFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>

using namespace ondrel;

namespace {

[[noreturn]] void Fail(const QString& message) {
    std::fprintf(stderr, "ondrel-make-harmonics: %s\n", qPrintable(message));
    std::exit(1);
}

std::int32_t Whole(const QJsonValue& v) {
    const double d = v.toDouble();
    if (d != std::round(d)) Fail(QStringLiteral("not a whole number: %1").arg(d));
    return static_cast<std::int32_t>(d);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ondrel-make-harmonics INPUT.json OUTPUT.bin\n");
        return 2;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("cannot read %1").arg(args.at(1)));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (doc.isNull()) Fail(QStringLiteral("%1: %2").arg(args.at(1), error.errorString()));
    const QJsonArray rows = doc.object().value(QStringLiteral("rows")).toArray();
    if (rows.isEmpty()) Fail(QStringLiteral("%1 holds no rows").arg(args.at(1)));

    QHash<QString, int> rowOfName;
    for (qsizetype i = 0; i < rows.size(); ++i)
        rowOfName.insert(
            rows[i].toObject().value(QStringLiteral("cols")).toArray().at(1).toString(),
            static_cast<int>(i));

    std::vector<HarmonicsPortEntry> entries;
    std::map<QString, int> leftOut; // source name -> stations
    std::uint64_t fingerprint = Fnv1a64(nullptr, 0);
    int terms = 0;
    int standard = 0;
    for (const QJsonValue& rowValue : rows) {
        const QJsonObject row = rowValue.toObject();
        const QJsonArray cols = row.value(QStringLiteral("cols")).toArray();
        const QJsonObject h = row.value(QStringLiteral("harmonics")).toObject();
        HarmonicsPortEntry e;
        e.name = cols.at(1).toString().toLatin1();
        e.timeZoneName = h.value(QStringLiteral("timezone")).toString().toLatin1();
        e.row.meanLevel = Whole(cols.at(2));
        for (int i = 0; i < 10; ++i) {
            e.row.amplitude[i] = Whole(cols.at(3 + i));
            e.row.phase[i] = Whole(cols.at(13 + i));
        }
        e.row.timeZone = cols.at(25).toDouble();
        // The table these values belong to: every row's name and harmonic columns.
        QByteArray values = e.name + '\0' + QByteArray::number(e.row.meanLevel);
        for (int i = 0; i < 10; ++i)
            values += ' ' + QByteArray::number(e.row.amplitude[i]) + ' ' +
                      QByteArray::number(e.row.phase[i]);
        values += ' ' + QByteArray::number(e.row.timeZone, 'g', 17) + '\n';
        fingerprint =
            Fnv1a64(values.constData(), static_cast<std::size_t>(values.size()), fingerprint);

        const QString reference = cols.at(28).toString();
        if (!reference.isEmpty()) {
            if (!rowOfName.contains(reference))
                Fail(QStringLiteral("%1: no row for its standard port %2")
                         .arg(QString::fromLatin1(e.name), reference));
            e.reference = rowOfName.value(reference);
            entries.push_back(e);
            continue;
        }
        ++standard;
        e.datumOffset = h.value(QStringLiteral("datum_offset")).toDouble();
        const double hours = h.value(QStringLiteral("hours")).toDouble();
        std::set<std::string> seen;
        for (const QJsonValue& c : h.value(QStringLiteral("constituents")).toArray()) {
            const QJsonArray t = c.toArray();
            const QString name = t.at(0).toString();
            const auto definition = DefineConstituent(name.toStdString());
            // Names as the source writes them, in upper case: a name that another one stands for
            // as well (3N2 and MKS2) is a term of its own, as in the source.
            const QByteArray upper = name.toUpper().toLatin1();
            if (!definition || !seen.insert(upper.toStdString()).second) {
                ++leftOut[name];
                continue;
            }
            // A gauge whose phases were referred to another time than UT: moved as in the table.
            // Phases are kept within 0-360 (a few sources write 429 or 684).
            double phase = std::fmod(t.at(2).toDouble() - definition->speed() * hours, 360.0);
            if (phase < 0) phase += 360;
            e.terms.push_back({upper, t.at(1).toDouble(), phase});
        }
        terms += static_cast<int>(e.terms.size());
        entries.push_back(e);
    }
    try {
        WriteHarmonicsFile(args.at(2), entries, fingerprint);
    } catch (const std::exception& e) {
        Fail(QString::fromUtf8(e.what()));
    }
    std::printf("%zu ports (%d with %d constituents), table fingerprint %016llx -> %s\n",
                entries.size(), standard, terms, static_cast<unsigned long long>(fingerprint),
                qPrintable(args.at(2)));
    for (const auto& [name, count] : leftOut)
        std::printf("  left out: %s (%d stations)\n", qPrintable(name), count);
    return 0;
}
