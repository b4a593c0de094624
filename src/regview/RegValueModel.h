// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "regview/RegValueRow.h"

#include <QAbstractTableModel>

#include <vector>

// The values of one key in three columns: "Name", "Typ" and "Wert".
class RegValueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<RegValueRow> rows);
    const std::vector<RegValueRow>& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<RegValueRow> m_rows;
};
