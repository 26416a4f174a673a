// ondrel-make-table INPUT.json OUTPUT.dbf
//
// Writes the port table (and its tag file, same base name with ".tags") from the rows produced
// by convert.mjs, through the program's own table engine. The same input always gives the same
// bytes.
#include "PortColumns.h"
#include "PortTable.h"

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

constexpr int kColumns = 37;

bool IsTextColumn(int column) { return column == 1 || column == 23 || column == 24 || column == 28; }
bool IsRealColumn(int column) { return column == 25 || column >= 29; }

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
    if (static_cast<int>(columns.size()) != kColumns) Fail(QStringLiteral("unexpected column set"));

    QDir().mkpath(QFileInfo(output).absolutePath());
    QFile::remove(output);
    QFile::remove(PortTable::tagFilePath(output));
    try {
        PortTable::create(output, columns);
        PortTable::writeStandardTags(output);
        PortTable table;
        table.open(output);
        for (const QJsonValue& rowValue : rows) {
            const QJsonArray cols = rowValue.toObject().value(QStringLiteral("cols")).toArray();
            if (cols.size() != kColumns)
                Fail(QStringLiteral("row %1 has %2 columns").arg(table.visibleCount() + 1).arg(cols.size()));
            table.insert();
            for (int c = 0; c < kColumns; ++c) {
                const QJsonValue v = cols.at(c);
                if (IsTextColumn(c)) {
                    table.setText(c, v.toString());
                } else if (IsRealColumn(c)) {
                    table.setReal(c, v.toDouble());
                } else {
                    const double value = v.toDouble();
                    if (value != std::round(value)) Fail(QStringLiteral("column %1 is not whole: %2").arg(c).arg(value));
                    table.setInteger(c, static_cast<qint64>(value));
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
