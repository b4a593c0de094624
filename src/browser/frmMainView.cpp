// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of MainView: what commands ask of it, and the
// handlers of the mask combo and the context menus.
#include "browser/frmMain.h"

#include "browser/DirListBox.h"
#include "browser/FileBoxModel.h"
#include "browser/FileInfoPane.h"
#include "browser/frmMainMenus.h"
#include "browser/frmMainPanes.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/FilePattern.h"
#include "core/pOptions.h"
#include "platform/FileNameCodec.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMenu>

void frmMain::SelectFiles(const QString& name, bool state)
{
    QItemSelectionModel* selection = m_panes->FileBox->selectionModel();
    if (name.isEmpty()) {
        if (!state || m_files->ListCount() == 0) {
            selection->clearSelection();
            return;
        }
        selection->select(
            QItemSelection(m_files->index(0), m_files->index(m_files->ListCount() - 1)),
            QItemSelectionModel::ClearAndSelect);
        return;
    }
    // A file is its exact name here: a.txt and A.txt are two files.
    const int row = int(m_files->Names().indexOf(name));
    selection->clearSelection();
    if (row >= 0) {
        selection->setCurrentIndex(m_files->index(row), QItemSelectionModel::ClearAndSelect);
        m_panes->FileBox->scrollTo(m_files->index(row));
    }
}

void frmMain::RefreshFiles()
{
    QList<int> rows;
    for (const QModelIndex& index : m_panes->FileBox->selectionModel()->selectedRows())
        rows.append(index.row());
    const QList<int> kept = m_files->RefreshKeeping(m_files->NamesAt(rows));
    QItemSelection selection;
    for (int row : kept)
        selection.select(m_files->index(row), m_files->index(row));
    m_panes->FileBox->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    UpdateFolderFacts();
    m_panes->lblFiles->setText(QString::number(m_files->ListCount()) + QStringLiteral(" Dateien"));
    ShowFileIno();
    ApplyToolStates();
}

void frmMain::ToggleFileInfo()
{
    QAction* item = m_menus->Entry(QStringLiteral("mView_FileInfo"));
    item->setChecked(!item->isChecked());
    m_panes->ShowInfoPane(item->isChecked());
    if (item->isChecked())
        ShowFileIno();
    if (pOptions* options = AppOptions())
        options->ShowFileInfo = item->isChecked();
}

bool frmMain::OpenFolder(const QString& folder)
{
    return m_panes->DirBox->SetPath(folder);
}

void frmMain::RefreshFolder(const QString& folder)
{
    DirListBox* box = m_panes->DirBox;
    if (folder.isEmpty() || folder == box->Path()) {
        box->Refresh();
        DirBox_Change();
    } else if (!box->SetPath(folder)) {
        throw AppErrorRecord(76, QString(),
                             QStringLiteral("Der Ordner '%1' kann nicht geöffnet werden.")
                                 .arg(DisplayFileName(folder)));
    }
}

void frmMain::SetMaskText(const QString& pattern)
{
    m_panes->cmbMask->setEditText(pattern);
}

QString frmMain::MaskText() const
{
    return m_panes->cmbMask->currentText();
}

void frmMain::SetMaskMenuEntries(const QList<QPair<QString, QString>>& captionsAndTags)
{
    QList<QAction*>& list = m_menus->MaskEntries();
    while (list.size() > 3)
        delete list.takeLast();
    QMenu* menu = m_menus->Menu(QStringLiteral("kMasks"));
    for (const auto& [caption, tag] : captionsAndTags) {
        QString text = caption;
        QAction* entry = menu->addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        const int index = int(list.size());
        entry->setObjectName(QStringLiteral("kMasks_List_") + QString::number(index));
        entry->setData(caption);
        entry->setToolTip(tag);
        connect(entry, &QAction::triggered, this,
                [this, index] { RunCommand(QStringLiteral("kMasks_List"), index); });
        list.append(entry);
    }
}

void frmMain::ChooseMask(int index)
{
    QComboBox* combo = m_panes->cmbMask;
    const QList<QAction*>& list = m_menus->MaskEntries();
    const QSignalBlocker block(combo);
    combo->clear();
    QStringList items{pPatterns::DefaultMask()};
    if (index >= 3 && index < list.size()) {
        if (const pPattern* mask = m_Patterns.Item(list[index]->data().toString()))
            items = mask->ComboPatterns();
    }
    combo->addItems(items);
    combo->setCurrentIndex(combo->count() - 1);
    m_files->SetPattern(combo->currentText());
    RefreshFileView();
}

void frmMain::cmbMask_Change(const QString& text)
{
    m_runner.Run("cmbMask_Change", [this, text] {
        m_files->SetPattern(text);
        RefreshFileView();
    });
}

void frmMain::cmbMask_Validate()
{
    QComboBox* combo = m_panes->cmbMask;
    const QString text = combo->currentText();
    if (text.isEmpty()) {
        combo->setEditText(pPatterns::DefaultMask());
        return;
    }
    // A pattern already in the list is not added twice.
    if (combo->findText(text, Qt::MatchFixedString) >= 0)
        return;
    const QSignalBlocker block(combo);
    combo->addItem(text);
    combo->setEditText(text);
}

void frmMain::ShowDirBoxMenu(const QPoint& at)
{
    m_runner.Run("DirBox_MouseUp", [this, at] {
        const QString folder = m_panes->DirBox->HighlightedPath();
        if (folder.isEmpty())
            return;
        m_dirMenuState =
            folder == m_files->Path()
                ? CurrentState()
                : ToolState::ForFolder(folder, FilePattern(m_files->Pattern()), m_predicates);
        m_menus->Apply(m_commands, m_dirMenuState, QStringLiteral("kDirBox"));
        m_menus->Popup(QStringLiteral("kDirBox"), at);
    });
}

void frmMain::ShowFileBoxMenu(const QPoint& at)
{
    m_runner.Run("FileBox_MouseUp", [this, at] {
        if (m_files->ListCount() == 0)
            return;
        m_menus->Apply(m_commands, CurrentState(), QStringLiteral("kFileBox"));
        m_menus->Popup(QStringLiteral("kFileBox"), at);
    });
}

QString frmMain::InfoPath() const
{
    return m_panes->fraFileInfo->ShownPath();
}

QList<FileInfoRow> frmMain::InfoRows() const
{
    return m_panes->fraFileInfo->Rows();
}

bool frmMain::CurrentInfoRow(FileInfoRow& row) const
{
    return m_panes->fraFileInfo->CurrentRow(row);
}
