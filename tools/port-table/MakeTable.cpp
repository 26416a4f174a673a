// ondrel-make-table INPUT.json OUTPUT.dbf
//
// Writes the port table (and its tag file, same base name with ".tags") from the rows produced
// by convert.mjs, through the program's own table engine. The same input always gives the same
// bytes.
#include "ports/PortColumns.h"
#include "ports/PortTable.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>

using namespace ondrel;

namespace {

[[noreturn]] void Fail(const QString& message) {
    std::fprintf(stderr, "ondrel-make-table: %s\n", qPrintable(message));
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ondrel-make-table INPUT.json OUTPUT.dbf\n");
        return 2;
    }
    const QString input = args.at(1);
    const QString output = args.at(2);

    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("cannot read %1").arg(input));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (doc.isNull()) Fail(QStringLiteral("%1: %2").arg(input, error.errorString()));
    const QJsonArray rows = doc.object().value(QStringLiteral("rows")).toArray();
    if (rows.isEmpty()) Fail(QStringLiteral("%1 holds no rows").arg(input));

    const auto columns = StandardPortColumns();

    QDir().mkpath(QFileInfo(output).absolutePath());
    QFile::remove(output);
    QFile::remove(PortTable::tagFilePath(output));
    try {
        PortTable::create(output, columns);
        PortTable::writeStandardTags(output);
        PortTable table;
        table.open(output);
        PortTable::WriteLock lock(table); // one lock for every row
        for (const QJsonValue& rowValue : rows) {
            const QJsonArray cols = rowValue.toObject().value(QStringLiteral("cols")).toArray();
            if (cols.size() != kPortColumnCount)
                Fail(QStringLiteral("row %1 has %2 columns")
                         .arg(table.visibleCount() + 1)
                         .arg(cols.size()));
            table.insert();
            for (int c = 0; c < kPortColumnCount; ++c) {
                const auto column = static_cast<PortColumn>(c);
                const QJsonValue v = cols.at(c);
                switch (SpecOf(column).type) {
                case ColumnSpec::Text:
                    table.setText(column, v.toString());
                    break;
                case ColumnSpec::Real:
                    table.setReal(column, v.toDouble());
                    break;
                case ColumnSpec::Integer: {
                    const double value = v.toDouble();
                    if (value != std::round(value))
                        Fail(QStringLiteral("column %1 (%2) is not whole: %3")
                                 .arg(c)
                                 .arg(PortColumnName(column))
                                 .arg(value));
                    table.setInteger(column, static_cast<qint64>(value));
                    break;
                }
                }
            }
            table.post();
        }
        table.close();
        // The tag file defines the tags only; writing it again after the rows keeps it the last
        // word whatever the engine did on open.
        PortTable::writeStandardTags(output);
    } catch (const TableError& e) {
        Fail(QString::fromUtf8(e.what()));
    }
    std::printf("%lld rows -> %s\n", static_cast<long long>(rows.size()), qPrintable(output));
    return 0;
}
