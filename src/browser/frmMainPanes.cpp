// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmMainPanes.h"

#include "browser/DirListBox.h"
#include "browser/FileInfoPane.h"
#include "browser/PathLabel.h"
#include "core/Twips.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Design widths of the panes in twips; the window's own design width is
// 11000, so the middle pane starts with what the other two leave.
constexpr int kFoldersTwips = 3000;
constexpr int kFilesTwips = 4500;
constexpr int kInfoPaneTwips = 3500;
// Growth beyond the design width goes 1 : 2 : 1 to the panes.
constexpr int kStretch[] = {1, 2, 1};

QWidget* Frame(const char* name)
{
    auto* frame = new QWidget;
    frame->setObjectName(QLatin1String(name));
    return frame;
}

void PaneMargins(QBoxLayout* layout, const QWidget* ref)
{
    layout->setContentsMargins(TwipsToPx(50, ref), TwipsToPx(200, ref), TwipsToPx(50, ref),
                               TwipsToPx(50, ref));
    layout->setSpacing(TwipsToPx(50, ref));
}
} // namespace

frmMainPanes::frmMainPanes(QMainWindow* window, QAbstractItemModel* files) : m_window(window)
{
    EO = new QSplitter(Qt::Horizontal, window);
    EO->setObjectName(QStringLiteral("EO"));
    window->setCentralWidget(EO);
    BuildFolders();
    BuildFiles(files);
    fraFileInfo = new FileInfoPane;
    for (QWidget* pane : {fraFolders, fraFiles, static_cast<QWidget*>(fraFileInfo)})
        EO->addWidget(pane);
    for (int i = 0; i < 3; ++i) {
        EO->setCollapsible(i, false);
        EO->setStretchFactor(i, kStretch[i]);
    }
    fraFolders->setMinimumWidth(TwipsToPx(1200, window));
    fraFiles->setMinimumWidth(TwipsToPx(2000, window));
    fraFileInfo->setMinimumWidth(TwipsToPx(1500, window));
    AlignRows();
}

void frmMainPanes::BuildFolders()
{
    fraFolders = Frame("fraFolders");
    DriveBox = new QComboBox;
    DriveBox->setObjectName(QStringLiteral("DriveBox"));
    DirBox = new DirListBox;
    DirBox->setObjectName(QStringLiteral("DirBox"));
    auto* layout = new QVBoxLayout(fraFolders);
    PaneMargins(layout, m_window);
    layout->addWidget(DriveBox);
    layout->addWidget(DirBox, 1);
}

void frmMainPanes::BuildFiles(QAbstractItemModel* files)
{
    fraFiles = Frame("fraFiles");
    lblPath = new PathLabel;
    lblPath->setObjectName(QStringLiteral("lblPath"));
    lblFiles = new QLabel;
    lblFiles->setObjectName(QStringLiteral("lblFiles"));
    lblFiles->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FileBox = new QListView;
    FileBox->setObjectName(QStringLiteral("FileBox"));
    FileBox->setModel(files);
    FileBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FileBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FileBox->setUniformItemSizes(true);
    FileBox->setLayoutMode(QListView::Batched);
    cmbMask = new QComboBox;
    cmbMask->setObjectName(QStringLiteral("cmbMask"));
    cmbMask->setEditable(true);
    cmbMask->setInsertPolicy(QComboBox::NoInsert);
    cmbMask->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbMask->setMinimumContentsLength(6);
    cmdMasks = new QToolButton;
    cmdMasks->setObjectName(QStringLiteral("cmdMasks"));
    cmdMasks->setText(QStringLiteral("..."));
    cmdMasks->setToolTip(QStringLiteral("Dateimasken"));

    auto* labels = new QHBoxLayout;
    labels->addWidget(lblPath, 1);
    labels->addWidget(lblFiles);
    auto* mask = new QHBoxLayout;
    mask->setSpacing(0);
    mask->addWidget(cmbMask, 1);
    mask->addWidget(cmdMasks);
    auto* layout = new QVBoxLayout(fraFiles);
    PaneMargins(layout, m_window);
    layout->addLayout(labels);
    layout->addWidget(FileBox, 1);
    layout->addLayout(mask);
}

void frmMainPanes::AlignRows()
{
    // The labels above the file list share the row of the drive box, so the
    // file list starts where the folder list does.
    const int row = DriveBox->sizeHint().height();
    lblPath->setFixedHeight(row);
    lblFiles->setFixedHeight(row);
    const int side = cmbMask->sizeHint().height();
    cmdMasks->setFixedSize(side, side);
}

void frmMainPanes::ApplyFontSize(int points)
{
    for (QWidget* box : {static_cast<QWidget*>(FileBox), static_cast<QWidget*>(DirBox),
                         static_cast<QWidget*>(DriveBox)}) {
        QFont font = box->font();
        font.setPointSize(points);
        box->setFont(font);
    }
    AlignRows();
}

void frmMainPanes::ShareWidth(bool infoShown)
{
    const int total = EO->width();
    int sizes[] = {TwipsToPx(kFoldersTwips, m_window), TwipsToPx(kFilesTwips, m_window),
                   infoShown ? TwipsToPx(kInfoPaneTwips, m_window) : 0};
    const int extra = total - sizes[0] - sizes[1] - sizes[2];
    if (extra > 0) {
        const int shares = kStretch[0] + kStretch[1] + (infoShown ? kStretch[2] : 0);
        sizes[0] += extra * kStretch[0] / shares;
        if (infoShown)
            sizes[2] += extra * kStretch[2] / shares;
    } else {
        sizes[0] = std::min(sizes[0], total / 3);
    }
    sizes[1] = std::max(0, total - sizes[0] - sizes[2]);
    EO->setSizes({sizes[0], sizes[1], sizes[2]});
}

void frmMainPanes::ShowInfoPane(bool shown)
{
    if (!shown) {
        fraFileInfo->hide();
        return;
    }
    const bool wasHidden = fraFileInfo->isHidden();
    fraFileInfo->show();
    // Shown again: it takes its design width from the middle pane.
    QList<int> sizes = EO->sizes();
    const int width = TwipsToPx(kInfoPaneTwips, m_window);
    if (wasHidden && sizes.size() == 3 && sizes[1] > width) {
        sizes[1] -= width;
        sizes[2] = width;
        EO->setSizes(sizes);
    }
}
