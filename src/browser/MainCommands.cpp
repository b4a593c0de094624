// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/MainCommands.h"

#include "browser/DirListBox.h"
#include "browser/FileBoxModel.h"
#include "browser/FileInfoPane.h"
#include "browser/frmAbout.h"
#include "browser/frmMain.h"
#include "browser/frmMainMasks.h"
#include "calc/CalcCommands.h"
#include "core/AppGlobals.h"
#include "core/Help.h"
#include "core/ShellUtil.h"
#include "core/SizeUtil.h"
#include "core/TextUtil.h"
#include "core/WindowUtil.h"
#include "core/cuAppError.h"
#include "core/cuRecentFiles.h"
#include "platform/MessageBoxService.h"

#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListView>
#include <QMenu>
#include <QUrl>

namespace {
constexpr qint64 kEditorQuestionSize = 2097152;

void ReportFrom(const char* procedure)
{
    AppErr().ErrMsg(QStringLiteral("frmMain"), QLatin1String(procedure));
}
} // namespace

QString ShellOpenUrl(const QString& target)
{
    if (QDesktopServices::openUrl(QUrl::fromUserInput(target)))
        return {};
    return QStringLiteral("Fehler beim Öffnen von '") + target + QStringLiteral("':\r\n") +
           QStringLiteral("Es ist kein Programm zum Öffnen verfügbar.");
}

MainCommands::MainCommands(frmMain& form) : QObject(&form), m_form(form)
{
    const frmMainMenus& m = *form.Menus();
    connect(m.kDirBox_CopyPath, &QAction::triggered, this, &MainCommands::kDirBox_CopyPath_Click);
    connect(m.kFileBox_Refresh, &QAction::triggered, this, &MainCommands::kFileBox_Refresh_Click);
    connect(m.kFileBox_CopyPath, &QAction::triggered, this, &MainCommands::kFileBox_CopyPath_Click);
    connect(m.kFileBox_Run_Default, &QAction::triggered, this,
            &MainCommands::kFileBox_Run_Default_Click);
    connect(m.kFileBox_Run_Editor, &QAction::triggered, this,
            &MainCommands::kFileBox_Run_Editor_Click);
    connect(m.kFileInfo_CopyCurrent, &QAction::triggered, this,
            [this] { kFileInfo_Copy_Click(false); });
    connect(m.kFileInfo_CopyAll, &QAction::triggered, this, [this] { kFileInfo_Copy_Click(true); });
    const std::pair<QAction*, void (*)(QWidget*)> calculators[] = {
        {m.mExtras_Calc, ShowCalculator},           {m.TB_Calc, ShowCalculator},
        {m.mExtras_TimeCalc, ShowTimeCalc},         {m.TB_Calc_TimeCalc, ShowTimeCalc},
        {m.mExtras_InterestCalc, ShowInterestCalc}, {m.TB_Calc_InterestCalc, ShowInterestCalc},
    };
    for (const auto& entry : calculators) {
        // Named copies: clang 14 cannot capture structured bindings.
        QAction* action = entry.first;
        void (*show)(QWidget*) = entry.second;
        connect(action, &QAction::triggered, this, [this, action, show] {
            try {
                show(&m_form);
            } catch (...) {
                AppErr().ErrMsg(QStringLiteral("frmMain"),
                                action->objectName() + QStringLiteral("_Click"));
            }
        });
    }
    connect(m.mHelp_Help, &QAction::triggered, this, &MainCommands::mHelp_Help_Click);
    connect(m.mHelp_Web, &QAction::triggered, this, &MainCommands::mHelp_Web_Click);
    connect(m.mHelp_Info, &QAction::triggered, this, &MainCommands::mHelp_Info_Click);
}

bool MainCommands::PrepareFileBoxMenu()
{
    if (m_form.Files()->ListCount() == 0)
        return false;
    const frmMainMenus& m = *m_form.Menus();
    const bool single = m_form.SelectedCount() == 1;
    m.kFileBox_Select->menuAction()->setEnabled(true);
    m.kFileBox_Run->menuAction()->setVisible(single);
    m.kFileBox_CopyPath->setVisible(single);
    TidyMenuSeparators(m.kFileBox_Run);
    return TidyMenuSeparators(m.kFileBox);
}

void MainCommands::ShowFileBoxMenu(const QPoint& globalPosition)
{
    try {
        if (PrepareFileBoxMenu())
            m_form.Menus()->kFileBox->popup(globalPosition);
    } catch (...) {
        ReportFrom("FileBox_MouseUp");
    }
}

void MainCommands::OpenMaskEditor()
{
    try {
        frmMainMasks editor(&m_form);
        QList<QPair<QString, QString>> rows;
        for (const auto& mask : m_form.Patterns())
            rows.append({mask->Name, mask->Value()});
        editor.LoadRows(rows);
        editor.exec();
        if (editor.chkCancel != 0)
            return;
        pPatterns& patterns = m_form.Patterns();
        patterns.Clear();
        for (const MaskEditorRows::Row& row : editor.Rows().Rows())
            patterns.Add(row.name, row.extensions);
        patterns.RefreshRegistry();
    } catch (...) {
        ReportFrom("kMasks_List_Click");
    }
}

void MainCommands::kDirBox_CopyPath_Click()
{
    try {
        const QString path = m_form.Files()->Path();
        QGuiApplication::clipboard()->setText(
            path.size() > 1 ? RemoveTrailing(path, QLatin1Char('/')) : path);
        AppErr().MsgShow(161, MsgStyle::Information);
    } catch (...) {
        ReportFrom("kDirBox_CopyPath_Click");
    }
}

void MainCommands::kFileBox_Refresh_Click()
{
    try {
        QStringList selected;
        for (const QModelIndex& index : m_form.FileBox->selectionModel()->selectedRows())
            selected.append(m_form.Files()->Names().at(index.row()));
        m_form.Files()->Refresh();
        QItemSelection selection;
        const QStringList& names = m_form.Files()->Names();
        for (int row = 0; row < names.size(); ++row) {
            if (selected.contains(names[row]))
                selection.select(m_form.Files()->index(row), m_form.Files()->index(row));
        }
        m_form.FileBox->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        m_form.ShowFileIno();
    } catch (...) {
        ReportFrom("kFileBox_Refresh_Click");
    }
}

void MainCommands::kFileBox_CopyPath_Click()
{
    try {
        const QString path = m_form.CurrentFilePath();
        if (path.isEmpty())
            return;
        QGuiApplication::clipboard()->setText(path);
        AppErr().MsgShow(161, MsgStyle::Information);
    } catch (...) {
        ReportFrom("kFileBox_CopyPath_Click");
    }
}

void MainCommands::kFileBox_Run_Default_Click()
{
    try {
        const QString path = m_form.CurrentFilePath();
        if (!path.isEmpty())
            ShellOpen(path);
    } catch (...) {
        ReportFrom("kFileBox_Run_Default_Click");
    }
}

void MainCommands::kFileBox_Run_Editor_Click()
{
    try {
        const QString path = m_form.CurrentFilePath();
        if (path.isEmpty())
            return;
        const qint64 size = QFileInfo(path).size();
        if (size > kEditorQuestionSize &&
            AppErr().MsgShow(116, MsgStyle::YesNo | MsgStyle::Question | MsgStyle::DefaultButton2,
                             path, FormatByteSize(size, 4, 1)) != MsgResult::Yes)
            return;
        OpenInEditor(path);
    } catch (...) {
        ReportFrom("kFileBox_Run_Editor_Click");
    }
}

void MainCommands::kFileInfo_Copy_Click(bool all)
{
    try {
        const FileInfoPane* pane = m_form.fraFileInfo;
        if (pane->ShownPath().isEmpty())
            return;
        FileInfoRow row;
        const QString text = all ? FileInfoText::CopyAll(pane->ShownPath(), pane->Rows())
                                 : FileInfoText::CopyCurrent(
                                       pane->ShownPath(), pane->CurrentRow(row) ? &row : nullptr);
        QGuiApplication::clipboard()->setText(text);
    } catch (...) {
        ReportFrom(all ? "kFileInfo_CopyAll_Click" : "kFileInfo_CopyCurrent_Click");
    }
}

void MainCommands::mFile_Last_Folders_Click(int index)
{
    try {
        cuRecentFiles* list = m_form.RecentFolders();
        const QString folder = list->Item(index).FullPath;
        if (!QFileInfo(folder).isDir()) {
            AppErr().MsgShow(128, MsgStyle::Exclamation, folder);
            list->Remove(index);
            return;
        }
        list->Add(index);
        if (!m_form.DirBox->SetPath(folder))
            throw AppErrorRecord(
                76, QString(),
                QStringLiteral("Der Ordner '%1' kann nicht geöffnet werden.").arg(folder));
    } catch (...) {
        ReportFrom("mFile_Last_Folders_List_Click");
    }
}

void MainCommands::mFile_Last_Reg_Click(int index)
{
    try {
        cuRecentFiles* list = m_form.RecentRegFiles();
        const QString file = list->Item(index).FullPath;
        const QFileInfo info(file);
        if (!info.isFile()) {
            AppErr().MsgShow(129, MsgStyle::Exclamation, file);
            list->Remove(index);
            return;
        }
        list->Add(index);
        m_form.DirBox->SetPath(info.absolutePath());
        m_form.cmbMask->setEditText(QStringLiteral("*.") + info.suffix());
        m_form.SelectFiles(info.fileName(), true);
    } catch (...) {
        ReportFrom("mFile_Last_Reg_List_Click");
    }
}

void MainCommands::mHelp_Help_Click()
{
    try {
        Help().HTMLHelpOpen(&m_form, cuAppError::ApplicationHelpFile());
    } catch (...) {
        ReportFrom("mHelp_Help_Click");
    }
}

void MainCommands::mHelp_Web_Click()
{
    // A browser that does not start is no reason to bother the user.
    ShellOpenUrl(kQuexelWebAddress);
}

void MainCommands::mHelp_Info_Click()
{
    try {
        frmAbout about(&m_form);
        about.exec();
    } catch (...) {
        ReportFrom("mHelp_Info_Click");
    }
}
