#include "views/ports/PortListModel.h"

#include "ports/PortTable.h"

namespace ondrel {

PortListModel::PortListModel(PortTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    rows_ = table_.isOpen() ? table_.visibleCount() : 0;
}

PortListModel::PortListModel(PortTable& table, std::vector<PortColumn> columns, QObject* parent)
    : PortListModel(table, parent) {
    columns_ = std::move(columns);
    headings_.clear();
    for (PortColumn c : columns_)
        headings_ << PortColumnName(c);
}

void PortListModel::setHeadings(const QStringList& headings) {
    headings_ = headings;
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(columns_.size()) - 1);
}

int PortListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int PortListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant PortListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() ||
        index.column() >= static_cast<int>(columns_.size()))
        return {};
    if (index.row() >= rows_ || !table_.isOpen()) return {};
    try {
        // Read without moving the table's current record.
        return table_.visibleText(index.row(), columns_[static_cast<std::size_t>(index.column())]);
    } catch (const TableError&) {
        return {};
    }
}

QVariant PortListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= headings_.size()) return {};
    if (role == Qt::DisplayRole) return headings_.at(section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

void PortListModel::refresh() {
    beginResetModel();
    rows_ = table_.isOpen() ? table_.visibleCount() : 0;
    endResetModel();
}

bool PortListModel::moveTo(int row) const {
    if (row < 0 || row >= rows_ || !table_.isOpen()) return false;
    try {
        table_.moveToVisible(row);
        return !table_.atEnd();
    } catch (const TableError&) {
        return false;
    }
}

} // namespace ondrel
