#include "views/ports/StationListModel.h"

#include <algorithm>

namespace ondrel {

StationListModel::StationListModel(QObject* parent) : QAbstractTableModel(parent) {}

void StationListModel::setStations(const CurrentStations* stations) {
    beginResetModel();
    stations_ = stations;
    sorted_.clear();
    rows_.clear();
    if (stations)
        for (const CurrentStation& s : stations->stations())
            sorted_.push_back(&s);
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [](const CurrentStation* a, const CurrentStation* b) {
                         return a->name.compare(b->name, Qt::CaseInsensitive) < 0;
                     });
    rows_ = sorted_;
    endResetModel();
}

void StationListModel::setHeading(const QString& heading) {
    heading_ = heading;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void StationListModel::select(const QString& prefix, const std::array<bool, 201>& countries) {
    beginResetModel();
    rows_.clear();
    for (const CurrentStation* s : sorted_)
        if (s->name.startsWith(prefix.trimmed(), Qt::CaseInsensitive) &&
            countries[static_cast<std::size_t>(s->country)])
            rows_.push_back(s);
    endResetModel();
}

int StationListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StationListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant StationListModel::data(const QModelIndex& index, int role) const {
    const CurrentStation* s = station(index.row());
    if (!s) return {};
    if (role == Qt::DisplayRole) return s->name;
    if (role == Qt::ToolTipRole) return s->id;
    return {};
}

QVariant StationListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0) return heading_;
    return {};
}

const CurrentStation* StationListModel::station(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    return rows_[static_cast<std::size_t>(row)];
}

int StationListModel::rowOf(const QString& nameOrId) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i]->id == nameOrId) return static_cast<int>(i);
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i]->name.compare(nameOrId, Qt::CaseInsensitive) >= 0) return static_cast<int>(i);
    return -1;
}

} // namespace ondrel
