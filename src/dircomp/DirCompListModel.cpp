// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompListModel.h"

#include "core/ColorValue.h"
#include "platform/FileNameCodec.h"

namespace {
// Control characters in a name would break the line: shown as their symbols.
QString shownName(const QString& name)
{
    QString shown = DisplayFileName(name);
    for (QChar& c : shown) {
        if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7F)
            c = QChar(0x2421);
    }
    return shown;
}
} // namespace

quint32 DirCompListModel::ColourOf(DirCompClass cls)
{
    switch (cls) {
    case DirCompClass::Differs:
        return kDiffersColour;
    case DirCompClass::Same:
        return kSameColour;
    case DirCompClass::Extra:
        break;
    }
    return kExtraColour;
}

void DirCompListModel::SetRows(DirCompRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    refill();
    endResetModel();
}

void DirCompListModel::Clear()
{
    SetRows({});
}

void DirCompListModel::SetHideSame(bool hide)
{
    if (hide == m_hideSame)
        return;
    beginResetModel();
    m_hideSame = hide;
    refill();
    endResetModel();
}

void DirCompListModel::refill()
{
    m_shown.clear();
    m_shown.reserve(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (!m_hideSame || m_rows.at(i).cls != DirCompClass::Same)
            m_shown.append(i);
    }
}

bool DirCompListModel::Holds(DirCompClass cls) const
{
    for (qsizetype i : m_shown) {
        if (m_rows.at(i).cls == cls)
            return true;
    }
    return false;
}

int DirCompListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int DirCompListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant DirCompListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size())
        return {};
    const DirCompRow& row = Row(index.row());
    if (role == Qt::DisplayRole)
        return shownName(row.name);
    if (role == Qt::ForegroundRole)
        return ColorFromValue(ColourOf(row.cls));
    if (role == Qt::UserRole)
        return int(row.cls);
    return {};
}

QVariant DirCompListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("Datei");
    return {};
}
