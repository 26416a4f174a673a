#include "ports/PortStore.h"

#include "ports/PortColumns.h"
#include "ports/PortLoader.h"
#include "ports/PortTable.h"

#include <optional>

namespace ondrel {

namespace {

// The correction of each correction column (HPMVE ... TBMME), as the loading step reads them.
constexpr int kCorrectionOfColumn[] = {5, 6, 7, 8, 1, 2, 3, 4};

} // namespace

bool StoreSecondaryPort(PortTable& table, const PortRecord& port, const PortRecord& standard,
                        const QString& standardName, const QString& modifiedName) {
    std::optional<PortTable::UnfilteredView> secondaries; // until the post
    try {
        if (!modifiedName.isEmpty()) {
            secondaries.emplace(table, PortTag::Secondary);
            if (!table.findKey(modifiedName)) return false;
            table.edit();
        } else {
            table.insert();
            table.setInteger(PortColumn::Z0, static_cast<qint64>(standard.meanLevel));
            for (int i = 0; i < 10; ++i) {
                const auto c = static_cast<std::size_t>(kStoredConstituents[i]);
                table.setInteger(PortColumn::A_SA + i, static_cast<qint64>(standard.amplitude[c]));
                table.setInteger(PortColumn::G_SA + i, static_cast<qint64>(standard.phase[c]));
            }
            table.setReal(PortColumn::FUSEAU, standard.timeZone);
            table.setInteger(PortColumn::RESERVE, standard.reserved);
            table.setInteger(PortColumn::ZONE, standard.zoneNumber);
            table.setText(PortColumn::PORT_REF, standardName);
        }
        table.setText(PortColumn::NOM, QString::fromStdString(port.name));
        table.setText(PortColumn::LATITUDE, QString::fromStdString(port.latitude));
        table.setText(PortColumn::LONGITUDE, QString::fromStdString(port.longitude));
        for (int i = 0; i < 8; ++i)
            table.setReal(PortColumn::HPMVE + i,
                          port.corrections[static_cast<std::size_t>(kCorrectionOfColumn[i])]);
        table.post();
    } catch (const TableError&) {
        if (table.isEditing()) table.cancel();
        throw;
    }
    return true; // the view ends after the post, and the tag, range and filter come back
}

} // namespace ondrel
