// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmMainMasks.h"

#include "browser/HandlerRunner.h"
#include "browser/frmMainMasksEdit.h"
#include "core/AppGlobals.h"
#include "core/Twips.h"
#include "core/WindowUtil.h"
#include "core/cuAppError.h"
#include "platform/MessageBoxService.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

frmMainMasks::frmMainMasks(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMainMasks"));
    setWindowTitle(QStringLiteral("Dateimasken"));
    LV = new QTreeWidget(this);
    LV->setObjectName(QStringLiteral("LV"));
    LV->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Dateierweiterungen")});
    LV->setRootIsDecorated(false);
    LV->setAllColumnsShowFocus(true);
    LV->setSelectionMode(QAbstractItemView::SingleSelection);
    LV->setContextMenuPolicy(Qt::CustomContextMenu);
    LV->header()->setStretchLastSection(false);
    LV->installEventFilter(this);

    auto button = [this](const char* caption, const char* tip, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        if (tip)
            b->setToolTip(QString::fromUtf8(tip));
        return b;
    };
    cmdAdd = button("&Hinzufügen", "Neue Dateimaske", "cmdAdd");
    cmdEdit = button("&Bearbeiten", "Dateimaske bearbeiten", "cmdEdit");
    cmdDelete = button("&Löschen", "Dateimaske löschen", "cmdDelete");
    CmdOK = button("&OK", nullptr, "CmdOK");
    cmdCancel = button("&Abbrechen", nullptr, "cmdCancel");
    CmdOK->setEnabled(false);

    kLV = new QMenu(this);
    kLV_Delete = kLV->addAction(QStringLiteral("&Löschen"));
    kLV_Add = kLV->addAction(QStringLiteral("&Hinzufügen"));

    connect(cmdAdd, &QPushButton::clicked, this, &frmMainMasks::cmdAdd_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmMainMasks::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmMainMasks::cmdDelete_Click);
    connect(CmdOK, &QPushButton::clicked, this, &frmMainMasks::CmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMainMasks::cmdCancel_Click);
    connect(kLV_Delete, &QAction::triggered, this, &frmMainMasks::cmdDelete_Click);
    connect(kLV_Add, &QAction::triggered, this, &frmMainMasks::cmdAdd_Click);
    connect(LV, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { kLV->popup(LV->viewport()->mapToGlobal(at)); });
    connect(LV, &QTreeWidget::itemDoubleClicked, this, [this] { cmdEdit_Click(); });

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {cmdAdd, cmdEdit, cmdDelete})
        side->addWidget(b);
    side->addStretch();
    side->addWidget(CmdOK);
    side->addWidget(cmdCancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(LV, 1);
    layout->addLayout(side);
    resize(480, 300);
}

void frmMainMasks::LoadRows(const QList<QPair<QString, QString>>& namesAndValues)
{
    m_rows.Load(namesAndValues);
    FillList(0);
    CmdOK->setEnabled(false);
}

void frmMainMasks::FillList(int selectRow)
{
    LV->clear();
    for (const MaskEditorRows::Row& row : m_rows.Rows())
        new QTreeWidgetItem(LV, {row.name, row.extensions});
    if (QTreeWidgetItem* item = LV->topLevelItem(selectRow)) {
        LV->setCurrentItem(item);
        LV->scrollToItem(item);
    }
    FitColumns();
}

int frmMainMasks::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = LV->selectedItems();
    return selected.isEmpty() ? -1 : LV->indexOfTopLevelItem(selected.first());
}

void frmMainMasks::FitColumns()
{
    LV->resizeColumnToContents(0);
    const int scrollBar = GetScrollbarSize(true, false, style());
    const int width = LV->width() - 2 * LV->frameWidth();
    LV->setColumnWidth(1,
                       std::max(40, width - LV->columnWidth(0) - scrollBar - TwipsToPx(50, this)));
}

bool frmMainMasks::eventFilter(QObject* watched, QEvent* event)
{
    // The list gets its size from the dialog's layout after the dialog's own resize.
    if (watched == LV && event->type() == QEvent::Resize)
        FitColumns();
    return QDialog::eventFilter(watched, event);
}

void frmMainMasks::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        LV->setFocus();
}

void frmMainMasks::cmdAdd_Click()
{
    RunHandler("frmMainMasks", "cmdAdd_Click", [&] {
        frmMainMasksEdit edit(this);
        edit.SetP_Mode(frmMainMasksEdit::Mode::Add);
        edit.cmdOK->setEnabled(false);
        edit.exec();
        if (edit.chkCancel != 0)
            return;
        int newRow = -1;
        if (m_rows.Add(edit.txt[0]->text(), edit.txt[1]->text(), &newRow) != 0) {
            AppErr().MsgShow(MaskEditorRows::DuplicateName, MsgStyle::Exclamation,
                             edit.txt[0]->text());
            return;
        }
        FillList(newRow);
        CmdOK->setEnabled(true);
    });
}

void frmMainMasks::cmdEdit_Click()
{
    RunHandler("frmMainMasks", "cmdEdit_Click", [&] {
        const int row = SelectedRow();
        if (row < 0)
            return;
        frmMainMasksEdit edit(this);
        edit.txt[0]->setText(m_rows.Rows().at(row).name);
        edit.txt[1]->setText(m_rows.Rows().at(row).extensions);
        edit.SetP_Mode(frmMainMasksEdit::Mode::Edit);
        edit.cmdOK->setEnabled(false);
        edit.exec();
        if (edit.chkCancel != 0)
            return;
        if (m_rows.Edit(row, edit.txt[0]->text(), edit.txt[1]->text()) != 0) {
            AppErr().MsgShow(MaskEditorRows::DuplicateName, MsgStyle::Exclamation,
                             edit.txt[0]->text());
            return;
        }
        FillList(row);
        CmdOK->setEnabled(true);
    });
}

void frmMainMasks::cmdDelete_Click()
{
    RunHandler("frmMainMasks", "cmdDelete_Click", [&] {
        const int row = SelectedRow();
        if (row < 0)
            return;
        if (const qint32 refusal = m_rows.CanDelete(row)) {
            AppErr().MsgShow(refusal, MsgStyle::Exclamation);
            return;
        }
        if (AppErr().MsgShow(136, MsgStyle::YesNo | MsgStyle::Question | MsgStyle::DefaultButton2,
                             m_rows.Rows().at(row).name) != MsgResult::Yes)
            return;
        FillList(m_rows.Delete(row));
        CmdOK->setEnabled(true);
    });
}

void frmMainMasks::CmdOK_Click()
{
    chkCancel = 0;
    accept();
}

void frmMainMasks::cmdCancel_Click()
{
    RunHandler("frmMainMasks", "cmdCancel_Click", [&] {
        if (CmdOK->isEnabled() &&
            AppErr().MsgShow(138, MsgStyle::YesNo | MsgStyle::Question |
                                      MsgStyle::DefaultButton2) != MsgResult::Yes)
            return;
        chkCancel = 1;
        QDialog::reject();
    });
}
