// The current stations of the port window: a one-column model of their names in alphabetical
// order, narrowed to the names that begin with the letters typed and to the countries chosen.
#pragma once

#include "ports/CurrentStations.h"

#include <QAbstractTableModel>

#include <array>
#include <vector>

namespace ondrel {

class StationListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StationListModel(QObject* parent = nullptr);
    void setStations(const CurrentStations* stations);
    void setHeading(const QString& heading);
    // The names that begin with prefix (any case), of the countries whose flag is set.
    void select(const QString& prefix, const std::array<bool, 201>& countries);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The station of a row; null when there is no such row.
    const CurrentStation* station(int row) const;
    // The row of the first station whose name is equal to or sorts after name, or of this id.
    int rowOf(const QString& nameOrId) const;

private:
    const CurrentStations* stations_ = nullptr;
    std::vector<const CurrentStation*> sorted_; // every station, by name
    std::vector<const CurrentStation*> rows_;
    QString heading_;
};

} // namespace ondrel
