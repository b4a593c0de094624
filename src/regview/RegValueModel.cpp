// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/RegValueModel.h"

void RegValueModel::SetRows(std::vector<RegValueRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int RegValueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RegValueModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant RegValueModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const RegValueRow& row = m_rows[size_t(index.row())];
    switch (index.column()) {
    case 0:
        return RegValueText::Escaped(row.name, false);
    case 1:
        return row.type;
    default:
        return row.Shown();
    }
}

QVariant RegValueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[] = {"Name", "Typ", "Wert"};
    return section >= 0 && section < 3 ? QString::fromLatin1(kTitles[section]) : QVariant();
}
