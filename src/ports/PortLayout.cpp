#include "ports/PortLayout.h"

#include "ports/PortColumns.h"
#include "ports/TableFiles.h"

namespace ondrel {

void CheckPortColumns(const std::vector<DbfField>& fields, const QString& path) {
    if (static_cast<int>(fields.size()) < kPortColumnCount)
        FailFile(path, QStringLiteral("the table has %1 columns; a port table has at least %2")
                           .arg(fields.size())
                           .arg(kPortColumnCount));
    for (int i = 0; i < kPortColumnCount; ++i) {
        const auto column = static_cast<PortColumn>(i);
        const DbfField& f = fields[static_cast<std::size_t>(i)];
        const bool text = f.type == 'C';
        bool suits = f.numeric;
        if (SpecOf(column).type == ColumnSpec::Text)
            suits = text;
        else if (column == PortColumn::FUSEAU || column == PortColumn::ZONE)
            suits = f.numeric || text;
        if (!suits)
            FailFile(path, QStringLiteral("column %1 (%2) has the type '%3' where the port table "
                                          "needs %4 (%5)")
                               .arg(i)
                               .arg(f.name, QString(QLatin1Char(f.type)),
                                    SpecOf(column).type == ColumnSpec::Text
                                        ? QStringLiteral("text, 'C'")
                                        : QStringLiteral("a number, 'N'"),
                                    PortColumnName(column)));
    }
    for (PortColumn named : {PortColumn::NOM, PortColumn::ZONE, PortColumn::PORT_REF}) {
        const DbfField& f = fields[static_cast<std::size_t>(ColumnNumber(named))];
        if (f.name.compare(PortColumnName(named), Qt::CaseInsensitive) != 0)
            FailFile(path, QStringLiteral("column %1 is named %2 where the port table has %3")
                               .arg(ColumnNumber(named))
                               .arg(f.name, PortColumnName(named)));
    }
}

} // namespace ondrel
