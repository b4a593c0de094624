// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/DirListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {
// Indents each entry by its depth and gives open folders (the ancestors and
// the current one) their own icon, as a folder tree shows them.
class DirBoxDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto kind = DirBoxModel::Kind(index.data(DirBoxModel::KindRole).toInt());
        const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
        option->icon = kind == DirBoxModel::Kind::Child
                           ? QIcon::fromTheme(QStringLiteral("folder"),
                                              style->standardIcon(QStyle::SP_DirClosedIcon))
                           : QIcon::fromTheme(QStringLiteral("folder-open"),
                                              style->standardIcon(QStyle::SP_DirOpenIcon));
        option->features |= QStyleOptionViewItem::HasDecoration;
        if (kind == DirBoxModel::Kind::Current)
            option->font.setBold(true);
    }

public:
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(Indent(option, index), 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += Indent(option, index);
        return size;
    }

private:
    static int Indent(const QStyleOptionViewItem& option, const QModelIndex& index)
    {
        return index.data(DirBoxModel::LevelRole).toInt() * option.fontMetrics.height() * 2 / 3;
    }
};
} // namespace

DirListBox::DirListBox(QWidget* parent) : QListView(parent), m_model(new DirBoxModel(this))
{
    setModel(m_model);
    setItemDelegate(new DirBoxDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

bool DirListBox::SetPath(const QString& folder)
{
    if (!m_model->SetPath(folder))
        return false;
    SelectCurrent();
    Q_EMIT Change();
    return true;
}

void DirListBox::Refresh()
{
    m_model->Refresh();
    SelectCurrent();
}

void DirListBox::SelectCurrent()
{
    const QModelIndex current = m_model->index(m_model->CurrentRow());
    setCurrentIndex(current);
    scrollTo(current);
}

QString DirListBox::HighlightedPath() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? m_model->PathAt(index.row()) : Path();
}

void DirListBox::OpenRow(int row)
{
    const QString path = m_model->PathAt(row);
    // Folder identity is the exact name on this host.
    if (!path.isEmpty() && path != Path())
        Q_EMIT Chosen(path);
}

void DirListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            OpenRow(index.row());
    }
}

void DirListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenRow(currentIndex().row());
        return;
    }
    QListView::keyPressEvent(event);
}
