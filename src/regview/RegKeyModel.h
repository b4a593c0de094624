// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemModel>
#include <QIcon>

#include <vector>

class RegKeyTree;

// The key tree for a tree view: each index carries its node's number, and
// everything it shows is read from the tree when the view asks, so a view
// of a million keys holds no item per key. Nodes show the pictures
// "Closed" and "Open" as they are collapsed or expanded, a picture of their
// own when deleted; keys the file does not name are grey.
class RegKeyModel : public QAbstractItemModel {
    Q_OBJECT
public:
    struct Icons {
        QIcon closed;
        QIcon open;
        QIcon deleted;
    };

    RegKeyModel(const RegKeyTree& tree, Icons icons, QObject* parent = nullptr);

    qint32 Node(const QModelIndex& index) const { return qint32(index.internalId()); }
    QModelIndex IndexOf(qint32 node) const;
    // The view expanded or collapsed the node: its picture follows.
    void SetExpanded(const QModelIndex& index, bool expanded);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const RegKeyTree& m_tree;
    Icons m_icons;
    std::vector<bool> m_expanded;
};
