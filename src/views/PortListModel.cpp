#include "PortListModel.h"

#include "PortTable.h"

namespace ondrel {

namespace {
constexpr PortColumn kNameColumn = PortColumn::NOM;
}

PortListModel::PortListModel(PortTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    rows_ = table_.isOpen() ? table_.visibleCount() : 0;
}

int PortListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int PortListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant PortListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.column() != 0) return {};
    if (index.row() >= rows_ || !table_.isOpen()) return {};
    try {
        // Read without moving the table's current record.
        return table_.visibleText(index.row(), kNameColumn);
    } catch (const TableError&) {
        return {};
    }
}

QVariant PortListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section != 0) return {};
    if (role == Qt::DisplayRole) return QStringLiteral("NOM");
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
