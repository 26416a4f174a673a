// Support for the tide table's tests, of its lines (texts) and of its window (views): the request
// for a port and a range of days, and the records of a CSV text read back.
#pragma once

#include "engine/Julian.h"
#include "texts/TideTableText.h"

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace ondrel::test {

// The table of a port in time reference ref, from one day to another, both included.
inline TideTableRequest RequestFor(const PortRecord& port, int ref, QDate from, QDate to,
                                   Language l) {
    TideTableRequest r;
    r.port = port;
    r.context = TideContext(TimeReference(ref), port.timeZone);
    r.start = JulianDay(from.year(), from.month(), from.day());
    r.end = JulianDay(to.year(), to.month(), to.day()) + 0.5;
    r.language = l;
    return r;
}

// RFC 4180 records: quoted fields may hold commas, doubled quotes and line ends.
inline std::vector<QStringList> ParseCsv(const QString& text) {
    std::vector<QStringList> rows(1);
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else if (ch == QLatin1Char('"'))
                quoted = false;
            else
                field += ch;
        } else if (ch == QLatin1Char('"')) {
            quoted = true;
        } else if (ch == QLatin1Char(',')) {
            rows.back() << field;
            field.clear();
        } else if (ch == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            rows.back() << field;
            field.clear();
            rows.emplace_back();
            ++i;
        } else {
            field += ch;
        }
    }
    EXPECT_TRUE(rows.back().isEmpty() && field.isEmpty()) << "the last record ends with CRLF";
    rows.pop_back();
    return rows;
}

} // namespace ondrel::test
