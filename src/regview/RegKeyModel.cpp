// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/RegKeyModel.h"

#include "regview/RegKeyTree.h"

#include <QGuiApplication>
#include <QPalette>

RegKeyModel::RegKeyModel(const RegKeyTree& tree, Icons icons, QObject* parent)
    : QAbstractItemModel(parent), m_tree(tree), m_icons(std::move(icons)),
      m_expanded(size_t(tree.Count()), false)
{
}

QModelIndex RegKeyModel::IndexOf(qint32 node) const
{
    return node < 0 ? QModelIndex() : createIndex(m_tree.Row(node), 0, quintptr(node));
}

void RegKeyModel::SetExpanded(const QModelIndex& index, bool expanded)
{
    if (!index.isValid())
        return;
    m_expanded[size_t(Node(index))] = expanded;
    Q_EMIT dataChanged(index, index, {Qt::DecorationRole});
}

QModelIndex RegKeyModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    const qint32 node = parent.isValid() ? m_tree.Child(Node(parent), row) : m_tree.Top(row);
    return createIndex(row, 0, quintptr(node));
}

QModelIndex RegKeyModel::parent(const QModelIndex& child) const
{
    return child.isValid() ? IndexOf(m_tree.Parent(Node(child))) : QModelIndex();
}

int RegKeyModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? m_tree.ChildCount(Node(parent)) : m_tree.TopCount();
}

int RegKeyModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool RegKeyModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant RegKeyModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const qint32 node = Node(index);
    switch (role) {
    case Qt::DisplayRole:
        return m_tree.Text(node);
    case Qt::DecorationRole:
        if (m_tree.IsDeleted(node))
            return m_icons.deleted;
        return m_expanded[size_t(node)] ? m_icons.open : m_icons.closed;
    case Qt::ForegroundRole:
        if (m_tree.IsImplied(node))
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        break;
    case Qt::ToolTipRole:
        if (m_tree.IsDeleted(node))
            return QStringLiteral("Der Schlüssel wird von der Datei gelöscht.");
        if (m_tree.IsImplied(node))
            return QStringLiteral("Der Schlüssel steht nicht in der Datei.");
        break;
    default:
        break;
    }
    return {};
}
