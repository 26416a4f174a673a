// ondrel-port-check TABLE.dbf < REQUEST.json > ANSWER.json
//
// Evaluates the engine on rows of the port table for check.mjs's convention check. The request is
//   {"ports": [{"name": "BREST", "times": [JD...]}]}
// with instants as Julian dates in the port's own standard time. For each port the answer gives
// the heights (metres above chart datum) at "times" from the ten stored constituents alone: the
// derived constituents (P1, K2, ...) are set to 0. (The high and low waters of the accuracy check
// come from ondrel-cli.)
//
// An entry {"constituents": [[NAME, AMPLITUDE, PHASE]...], "offset": METRES, "times": [JD...]}
// instead gives the full model's heights of these constants (Greenwich phases) at instants in UT;
// a name the engine cannot read is answered in "unknown".
#include "engine/FullHarmonic.h"
#include "engine/Harmonic.h"
#include "engine/PortRecord.h"
#include "engine/TideContext.h"
#include "ports/PortLoader.h"
#include "ports/PortTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <string>

using namespace ondrel;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: ondrel-port-check TABLE.dbf < REQUEST.json\n");
        return 2;
    }
    std::map<std::string, PortRecord> ports;
    int messages = 0;
    try {
        PortTable table;
        table.setReadOnly(true);
        table.open(app.arguments().at(1));
        table.selectTag(PortTag::Name);
        for (table.first(); !table.atEnd(); table.next()) {
            PortRecord port;
            Chargement(table, port, [&messages](const QString&) { ++messages; });
            ports[port.name] = port;
        }
    } catch (const TableError& e) {
        std::fprintf(stderr, "ondrel-port-check: %s\n", e.what());
        return 1;
    }

    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return 1;
    const QJsonObject request = QJsonDocument::fromJson(in.readAll()).object();
    QJsonArray answers;
    for (const QJsonValue& v : request.value(QStringLiteral("ports")).toArray()) {
        const QJsonObject q = v.toObject();
        QJsonObject a;
        if (q.contains(QStringLiteral("constituents"))) {
            HarmonicConstants constants;
            constants.datumOffset = q.value(QStringLiteral("offset")).toDouble();
            QJsonArray unknown;
            for (const QJsonValue& c : q.value(QStringLiteral("constituents")).toArray()) {
                const QJsonArray t = c.toArray();
                auto definition = DefineConstituent(t.at(0).toString().toStdString());
                if (!definition) {
                    unknown.append(t.at(0));
                    continue;
                }
                constants.terms.push_back(
                    {std::move(*definition), t.at(1).toDouble(), t.at(2).toDouble()});
            }
            const TideContext ut(TimeReference(100), 0);
            QJsonArray heights;
            for (const QJsonValue& t : q.value(QStringLiteral("times")).toArray())
                heights.append(FullHeightAt(ut, constants, t.toDouble()));
            a.insert(QStringLiteral("heights"), heights);
            a.insert(QStringLiteral("unknown"), unknown);
            answers.append(a);
            continue;
        }
        const std::string name = q.value(QStringLiteral("name")).toString().toStdString();
        a.insert(QStringLiteral("name"), QString::fromStdString(name));
        const auto found = ports.find(name);
        if (found == ports.end()) {
            a.insert(QStringLiteral("missing"), true);
            answers.append(a);
            continue;
        }
        PortRecord ten = found->second;
        const TideContext ctx(TimeReference(0), ten.timeZone);
        for (int k : {kP1, kO1Satellite, kK1Satellite, k2N2, kMu2, kNu2, kL2, kK2, kT2,
                      kM2Satellite, kK2Satellite})
            ten.amplitude[k] = 0;
        QJsonArray heights;
        for (const QJsonValue& t : q.value(QStringLiteral("times")).toArray())
            heights.append(StandardHeightAt(ctx, ten, t.toDouble()));
        a.insert(QStringLiteral("heights"), heights);
        answers.append(a);
    }
    QJsonObject answer;
    answer.insert(QStringLiteral("ports"), answers);
    answer.insert(QStringLiteral("loadMessages"), messages);
    QTextStream(stdout) << QJsonDocument(answer).toJson(QJsonDocument::Compact) << '\n';
    return 0;
}
