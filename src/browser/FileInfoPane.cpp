// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FileInfoPane.h"

#include "browser/MenuTrigger.h"
#include "browser/TextPreview.h"
#include "core/AppErrorRecord.h"
#include "core/Twips.h"
#include "fileinfo/FileInfoRows.h"
#include "pictures/ThumbNail.h"
#include "pictures/pPicViewer.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kListHeightTwips = 4730;
const QString kNoPreview = QStringLiteral("Keine Vorschau möglich ...");

// The rows' heights for their values wrapped at the column's width: the
// tree asks its delegate for sizes without telling it how wide a column is.
class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem column = option;
        column.rect = QRect(0, 0, std::max(1, m_view->columnWidth(index.column())), 1);
        return QStyledItemDelegate::sizeHint(column, index);
    }

private:
    QTreeView* m_view;
};
} // namespace

FileInfoPane::FileInfoPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraFileInfo"));
    LVFileInfo = new QTreeWidget;
    LVFileInfo->setObjectName(QStringLiteral("LVFileInfo"));
    LVFileInfo->setHeaderLabels({QStringLiteral("Eigenschaft"), QStringLiteral("Wert")});
    LVFileInfo->setRootIsDecorated(false);
    LVFileInfo->setAllColumnsShowFocus(true);
    // The value column takes the rest of the pane's width; a long value
    // wraps, and its tool tip shows it whole.
    LVFileInfo->setWordWrap(true);
    LVFileInfo->setItemDelegate(new WrappingDelegate(LVFileInfo));
    LVFileInfo->setUniformRowHeights(false);
    LVFileInfo->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    LVFileInfo->header()->setStretchLastSection(true);
    LVFileInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(LVFileInfo->header(), &QHeaderView::sectionResized, LVFileInfo, [this](int column) {
        if (column == 1)
            LVFileInfo->doItemsLayout();
    });

    picPreView = new QWidget;
    picPreView->setObjectName(QStringLiteral("picPreView"));
    picPreView->setAutoFillBackground(true);
    TN = new ThumbNail;
    TN->setObjectName(QStringLiteral("TN"));
    txtPreview = new QPlainTextEdit;
    txtPreview->setObjectName(QStringLiteral("txtPreview"));
    txtPreview->setReadOnly(true);
    txtPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
    lblPreView = new QLabel(kNoPreview);
    lblPreView->setObjectName(QStringLiteral("lblPreView"));
    lblPreView->setAlignment(Qt::AlignCenter);
    lblPreView->setWordWrap(true);
    // One of the three fills the preview area at a time.
    auto* preview = new QGridLayout(picPreView);
    preview->setContentsMargins(0, 0, 0, 0);
    preview->addWidget(TN, 0, 0);
    preview->addWidget(txtPreview, 0, 0);
    preview->addWidget(lblPreView, 0, 0);

    m_split = new QSplitter(Qt::Vertical);
    m_split->addWidget(LVFileInfo);
    m_split->addWidget(picPreView);
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);
    m_split->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(TwipsToPx(50, this), TwipsToPx(200, this), TwipsToPx(50, this),
                               TwipsToPx(50, this));
    layout->addWidget(m_split);

    auto* listMenu = new MenuTrigger(LVFileInfo, LVFileInfo->viewport());
    connect(listMenu, &MenuTrigger::Requested, this, [this](const QPoint& at) {
        if (LVFileInfo->topLevelItemCount() > 0)
            Q_EMIT ListMenuRequested(at);
    });
    auto* previewMenu = new MenuTrigger(TN, TN);
    connect(previewMenu, &MenuTrigger::Requested, this, [this](const QPoint& at) {
        if (HasPicture())
            Q_EMIT PreviewMenuRequested(at);
    });
    Reset();
}

void FileInfoPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // The list gets its design height; the preview all the rest.
    const int list = TwipsToPx(kListHeightTwips, this);
    m_split->setSizes({list, std::max(0, m_split->height() - list)});
}

void FileInfoPane::SetListBackground(const QColor& color)
{
    QPalette palette = LVFileInfo->palette();
    palette.setColor(QPalette::Base, color);
    LVFileInfo->setPalette(palette);
}

void FileInfoPane::Reset()
{
    m_path.clear();
    TN->LoadPicture(QString());
    TN->hide();
    QPalette palette = picPreView->palette();
    palette.setColor(QPalette::Window, window()->palette().color(QPalette::Window));
    picPreView->setPalette(palette);
    txtPreview->hide();
    txtPreview->clear();
    lblPreView->hide();
    LVFileInfo->clear();
}

void FileInfoPane::ShowFile(const QString& fullPath, const pPicViewer& pictures,
                            const QColor& pictureBack)
{
    m_path = fullPath;
    for (const FileInfoRow& row : FileInfoRows::Build(fullPath)) {
        auto* item = new QTreeWidgetItem(LVFileInfo, {row.label, row.value});
        item->setToolTip(1, row.value);
    }
    const QString name = fullPath.mid(fullPath.lastIndexOf(QLatin1Char('/')) + 1);
    switch (PreviewOf(name, pictures.FileIsPic(name))) {
    case PreviewKind::Picture:
        ShowPicture(fullPath, pictureBack);
        break;
    case PreviewKind::Text:
        txtPreview->setPlainText(TextPreview::Read(fullPath));
        txtPreview->show();
        break;
    case PreviewKind::None:
        ShowNotice(kNoPreview);
        break;
    }
}

void FileInfoPane::ShowPicture(const QString& fullPath, const QColor& pictureBack)
{
    QPalette palette = picPreView->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Inactive, QPalette::Mid));
    picPreView->setPalette(palette);
    TN->SetBackColor(pictureBack);
    TN->SetAppearance(0);
    try {
        TN->LoadPicture(fullPath);
        TN->show();
    } catch (...) {
        const AppErrorRecord error = AppErrorRecord::fromException(std::current_exception());
        ShowNotice(kNoPreview + QStringLiteral("\n\n") + error.Description);
    }
}

void FileInfoPane::ShowNotice(const QString& text)
{
    lblPreView->setText(text);
    lblPreView->show();
}

bool FileInfoPane::HasPicture() const
{
    return TN->isVisibleTo(this) && !TN->Picture().image.isNull();
}

QList<FileInfoRow> FileInfoPane::Rows() const
{
    QList<FileInfoRow> rows;
    for (int i = 0; i < LVFileInfo->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LVFileInfo->topLevelItem(i);
        rows.append({item->text(0), item->text(1)});
    }
    return rows;
}

bool FileInfoPane::CurrentRow(FileInfoRow& row) const
{
    const QList<QTreeWidgetItem*> selected = LVFileInfo->selectedItems();
    if (selected.isEmpty())
        return false;
    row = {selected.first()->text(0), selected.first()->text(1)};
    return true;
}
