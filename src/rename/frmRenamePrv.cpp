// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/frmRenamePrv.h"

#include "core/Twips.h"
#include "rename/RenamePreviewModel.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int kMarginTwips = 50;
constexpr int kWidthTwips = 9000;
constexpr int kHeightTwips = 6000;
} // namespace

frmRenamePrv::frmRenamePrv(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmRenamePrv"));
    setWindowTitle(QStringLiteral("Vorschau"));
    LV = new QTableView(this);
    LV->setObjectName(QStringLiteral("LV"));
    m_model = new RenamePreviewModel(LV);
    LV->setModel(m_model);
    LV->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV->verticalHeader()->hide();
    LV->setShowGrid(false);
    LV->setWordWrap(false);
    LV->horizontalHeader()->setHighlightSections(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LV);
    resize(TwipsToPx(kWidthTwips, this), TwipsToPx(kHeightTwips, this));
}

void frmRenamePrv::Fill(const pRenFiles& files)
{
    m_model->SetFiles(files);
    LV->resizeColumnToContents(2);
    SizeColumns();
}

// The first two columns share what the third, a vertical scroll bar and a
// small margin leave of the list's width.
void frmRenamePrv::SizeColumns()
{
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, LV);
    const int third = LV->columnWidth(2);
    const int rest = LV->width() - third - scrollBar - TwipsToPx(kMarginTwips, this);
    LV->setColumnWidth(0, qMax(rest / 2, 20));
    LV->setColumnWidth(1, qMax(rest / 2, 20));
}

void frmRenamePrv::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    SizeColumns();
}

void frmRenamePrv::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SizeColumns();
}
