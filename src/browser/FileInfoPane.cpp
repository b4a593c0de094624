// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FileInfoPane.h"

#include "browser/FileInfoRows.h"
#include "browser/TextPreview.h"
#include "core/Twips.h"
#include "pictures/ThumbNail.h"
#include "pictures/pPicViewer.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace {
constexpr int kListHeightTwips = 4730;
}

FileInfoPane::FileInfoPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraFileInfo"));
    LVFileInfo = new QTreeWidget(this);
    LVFileInfo->setObjectName(QStringLiteral("LVFileInfo"));
    LVFileInfo->setHeaderLabels({QStringLiteral("Eigenschaft"), QStringLiteral("Wert")});
    LVFileInfo->setRootIsDecorated(false);
    LVFileInfo->setAllColumnsShowFocus(true);
    LVFileInfo->header()->setStretchLastSection(false);
    LVFileInfo->viewport()->installEventFilter(this);

    picPreView = new QWidget(this);
    picPreView->setObjectName(QStringLiteral("picPreView"));
    picPreView->setAutoFillBackground(true);
    picPreView->installEventFilter(this);
    TN = new ThumbNail(picPreView);
    TN->setObjectName(QStringLiteral("TN"));
    txtPreview = new QPlainTextEdit(picPreView);
    txtPreview->setObjectName(QStringLiteral("txtPreview"));
    txtPreview->setReadOnly(true);
    txtPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
    lblPreView = new QLabel(QStringLiteral("Keine Vorschau möglich ..."), picPreView);
    lblPreView->setObjectName(QStringLiteral("lblPreView"));
    lblPreView->setAlignment(Qt::AlignCenter);
    Reset();
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
        // The pane is narrow; a long value is readable without scrolling.
        item->setToolTip(1, row.value);
    }
    FitValueColumn();

    const QString name = fullPath.mid(fullPath.lastIndexOf(QLatin1Char('/')) + 1);
    const QString extension = name.contains(QLatin1Char('.'))
                                  ? name.mid(name.lastIndexOf(QLatin1Char('.')) + 1)
                                  : QString();
    if (pictures.FileIsPic(name)) {
        QPalette palette = picPreView->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Inactive, QPalette::Mid));
        picPreView->setPalette(palette);
        TN->SetBackColor(pictureBack);
        TN->SetAppearance(0);
        TN->show();
        TN->LoadPicture(fullPath);
    } else if (extension.compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0 ||
               extension.compare(QLatin1String("ini"), Qt::CaseInsensitive) == 0) {
        txtPreview->setPlainText(TextPreview::Read(fullPath));
        txtPreview->show();
    } else {
        lblPreView->show();
    }
}

void FileInfoPane::FitValueColumn()
{
    LVFileInfo->resizeColumnToContents(0);
    const QFontMetrics metrics(LVFileInfo->font());
    int widest = 0;
    for (int i = 0; i < LVFileInfo->topLevelItemCount(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(LVFileInfo->topLevelItem(i)->text(1)));
    LVFileInfo->setColumnWidth(1, widest + TwipsToPx(200, this));
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

void FileInfoPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutControls();
}

void FileInfoPane::LayoutControls()
{
    const int margin = TwipsToPx(50, this);
    const int top = TwipsToPx(200, this);
    const int width = std::max(0, this->width() - 2 * margin);
    LVFileInfo->setGeometry(margin, top, width, TwipsToPx(kListHeightTwips, this));
    const int previewTop = LVFileInfo->geometry().bottom() + 1;
    picPreView->setGeometry(margin, previewTop, width, std::max(0, height() - previewTop - margin));
}

void FileInfoPane::LayoutPreview()
{
    const int w = picPreView->width();
    const int h = picPreView->height();
    const int margin = TwipsToPx(50, this);
    TN->setGeometry(0, 0, w, h);
    txtPreview->setGeometry(0, 0, std::max(0, w - margin), std::max(0, h - margin));
    const int labelHeight = lblPreView->sizeHint().height();
    lblPreView->setGeometry(0, (h - labelHeight) / 2, w, labelHeight);
}

bool FileInfoPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picPreView && event->type() == QEvent::Resize)
        LayoutPreview();
    if (watched == LVFileInfo->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && LVFileInfo->topLevelItemCount() > 0)
            Q_EMIT RightButtonUp(mouse->globalPosition().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}
