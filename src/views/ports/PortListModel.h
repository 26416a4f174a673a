// The port list of the port window: a one-column model ("NOM") over the port table's visible
// records, read on demand so that narrowing the list never copies the table.
#pragma once

#include "ports/PortColumns.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace ondrel {

class PortTable;

class PortListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PortListModel(PortTable& table, QObject* parent = nullptr);
    // A model of several columns of the table, with their headings.
    PortListModel(PortTable& table, std::vector<PortColumn> columns, QObject* parent = nullptr);
    void setHeadings(const QStringList& headings);

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
    std::vector<PortColumn> columns_{PortColumn::NOM};
    QStringList headings_{QStringLiteral("NOM")};
};

} // namespace ondrel
