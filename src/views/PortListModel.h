// The port list of the port window: a one-column model ("NOM") over the port table's visible
// records, read on demand so that narrowing the list never copies the table.
#pragma once

#include <QAbstractTableModel>

namespace ondrel {

class PortTable;

class PortListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PortListModel(PortTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Call after the table's tag, range or filter changed.
    void refresh();
    // Makes row the table's current record; false when there is no such row.
    bool moveTo(int row) const;

private:
    PortTable& table_;
    int rows_ = 0;
};

} // namespace ondrel
