// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/MainCommands.h"

#include "browser/DirCompCommands.h"
#include "browser/FileToolsCommands.h"
#include "browser/IconViewCommands.h"
#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "browser/PropertiesCommands.h"
#include "browser/RegViewCommands.h"
#include "browser/RenameCommands.h"
#include "browser/SlideshowCommands.h"
#include "browser/UserMenuCommands.h"
#include "browser/frmAbout.h"
#include "browser/frmMainMasks.h"
#include "browser/pPatterns.h"
#include "calc/CalcCommands.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/Help.h"
#include "core/MessageTable.h"
#include "core/PathUtil.h"
#include "core/ShellUtil.h"
#include "core/SizeUtil.h"
#include "core/TextUtil.h"
#include "core/cuAppError.h"
#include "core/cuRecentFiles.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/MessageBoxService.h"
#include "platform/ShellLauncher.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

namespace {
constexpr qint64 kEditorQuestionSize = 2097152;

// A path for pasting: readable text, and where the name is not UTF-8 also
// a file address with its exact bytes, which file managers take.
void PutPathOnClipboard(const QString& path)
{
    auto* data = new QMimeData;
    data->setText(DisplayFileName(path));
    if (HasRawBytes(path))
        data->setUrls({QUrl::fromEncoded("file://" + EncodeFileName(path).toPercentEncoding("/"))});
    QGuiApplication::clipboard()->setMimeData(data);
    AppErr().MsgShow(Msg::PathCopied, MsgStyle::Information);
}

// Why a file did not open, and what the user can do about it.
void TellOpenFailed(const QString& path, int code, int advice)
{
    QString reason = ShellErrorText(code);
    if (code == ShellCode::NoAssociation)
        reason += QStringLiteral("\r\n") + AppErr().MsgLoad(advice);
    AppErr().MsgShow(Msg::CannotOpenFile, MsgStyle::Exclamation, DisplayFileName(path), reason);
}

void RunDefault(const CommandCall& call)
{
    const QString path = call.state.CurrentPath();
    if (path.isEmpty())
        return;
    if (const int code = ShellOpenCode(path); code <= 32)
        TellOpenFailed(path, code, Msg::NoProgramForType);
}

void RunEditor(const CommandCall& call)
{
    const QString path = call.state.CurrentPath();
    if (path.isEmpty())
        return;
    const std::optional<FileStatus> status = ReadFileStatus(path);
    const qint64 size = status ? status->size : 0;
    if (size > kEditorQuestionSize &&
        AppErr().MsgShow(Msg::LargeFileEditorQuestion,
                         MsgStyle::YesNo | MsgStyle::Question | MsgStyle::DefaultButton2,
                         DisplayFileName(path), FormatByteSize(size, 4, 1)) != MsgResult::Yes)
        return;
    if (const int code = OpenInEditorCode(path); code <= 32)
        TellOpenFailed(path, code, Msg::NoEditor);
}

void CopyFolderPath(const CommandCall& call)
{
    const QString& folder = call.state.folder;
    PutPathOnClipboard(folder.size() > 1 ? RemoveTrailing(folder, QLatin1Char('/')) : folder);
}

void CopyFilePath(const CommandCall& call)
{
    if (!call.state.CurrentPath().isEmpty())
        PutPathOnClipboard(call.state.CurrentPath());
}

void CopyInfo(const CommandCall& call, bool all)
{
    const QString path = call.view.InfoPath();
    if (path.isEmpty())
        return;
    FileInfoRow row;
    const bool hasRow = call.view.CurrentInfoRow(row);
    const QString shown = DisplayFileName(path);
    QGuiApplication::clipboard()->setText(
        all ? FileInfoText::CopyAll(shown, call.view.InfoRows())
            : FileInfoText::CopyCurrent(shown, hasRow ? &row : nullptr));
}

void OpenRecentFolder(const CommandCall& call)
{
    const QString folder = call.view.RecentFolders().Choose(call.index);
    if (!folder.isEmpty() && !call.view.OpenFolder(folder))
        throw AppErrorRecord(76, QString(),
                             QStringLiteral("Der Ordner '%1' kann nicht geöffnet werden.")
                                 .arg(DisplayFileName(folder)));
}

void OpenRecentFile(const CommandCall& call)
{
    const QString file = call.view.RecentRegFiles().Choose(call.index);
    if (file.isEmpty())
        return;
    const QString name = file.mid(file.lastIndexOf(QLatin1Char('/')) + 1);
    if (!call.view.OpenFolder(FolderOf(file)))
        return;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    call.view.SetMaskText(QStringLiteral("*.") + (dot < 0 ? QString() : name.mid(dot + 1)));
    call.view.SelectFiles(name, true);
}

// The mask editor works on a copy of the masks; they change only on OK.
void EditMasks(MainView& view)
{
    frmMainMasks editor(view.Owner());
    QList<QPair<QString, QString>> rows;
    for (const auto& mask : view.Patterns())
        rows.append({mask->Name, mask->Value()});
    editor.LoadRows(rows);
    editor.exec();
    if (editor.chkCancel != 0)
        return;
    pPatterns& patterns = view.Patterns();
    patterns.Clear();
    for (const MaskEditorRows::Row& row : editor.Rows().Rows())
        patterns.Add(row.name, row.extensions);
    patterns.RefreshRegistry();
}

void AddFrameCommands(MainCommandTable& table)
{
    table.SetHandler({"mFile_Quit", "kTray_Quit"}, [](const CommandCall& c) { c.view.Quit(); });
    table.SetHandler({"kTray_Restore"}, [](const CommandCall& c) { c.view.RestoreFromTray(); });
    // Choosing it only closes the menu.
    table.SetHandler({"kTray_Cancel"}, [](const CommandCall&) {});
    table.SetHandler({"mView_FileInfo"}, [](const CommandCall& c) { c.view.ToggleFileInfo(); });
    table.SetHandler({"mExtras_Options"}, [](const CommandCall& c) { c.view.RequestOptions(); });
    table.SetHandler({"mHelp_Help"}, [](const CommandCall& c) {
        Help().HTMLHelpOpen(c.view.Owner(), cuAppError::ApplicationHelpFile());
    });
    // A browser that does not start is no reason to bother the user.
    table.SetHandler({"mHelp_Web"}, [](const CommandCall&) { ShellOpenUrl(kQuexelWebAddress); });
    table.SetHandler({"mHelp_Info"}, [](const CommandCall& c) {
        frmAbout about(c.view.Owner());
        about.exec();
    });
    table.SetHandler({"mFile_Last_Folders_List"}, OpenRecentFolder);
    table.SetHandler({"mFile_Last_Reg_List"}, OpenRecentFile);
    table.SetHandler({"kMasks_List"}, [](const CommandCall& c) {
        if (c.index == 0)
            EditMasks(c.view);
        else
            c.view.ChooseMask(c.index);
    });
}

void AddBrowsingCommands(MainCommandTable& table)
{
    table.SetHandler({"kDirBox_Refresh"},
                     [](const CommandCall& c) { c.view.RefreshFolder(c.state.folder); });
    table.SetHandler({"kDirBox_CopyPath"}, CopyFolderPath);
    table.SetHandler({"kFileBox_Refresh"}, [](const CommandCall& c) { c.view.RefreshFiles(); });
    table.SetHandler({"kFileBox_Select_All"},
                     [](const CommandCall& c) { c.view.SelectFiles(QString(), true); });
    table.SetHandler({"kFileBox_Select_Nothing"},
                     [](const CommandCall& c) { c.view.SelectFiles(QString(), false); });
    table.SetHandler({"kFileBox_Run_Default"}, RunDefault);
    table.SetHandler({"kFileBox_Run_Editor"}, RunEditor);
    table.SetHandler({"kFileBox_CopyPath"}, CopyFilePath);
    table.SetHandler({"kFileInfo_CopyCurrent"}, [](const CommandCall& c) { CopyInfo(c, false); });
    table.SetHandler({"kFileInfo_CopyAll"}, [](const CommandCall& c) { CopyInfo(c, true); });
}

void AddCalculatorCommands(MainCommandTable& table)
{
    table.SetHandler({"mExtras_Calc", "TB_Calc"},
                     [](const CommandCall& c) { ShowCalculator(c.view.Owner()); });
    table.SetHandler({"mExtras_TimeCalc", "TB_Calc_TimeCalc"},
                     [](const CommandCall& c) { ShowTimeCalc(c.view.Owner()); });
    table.SetHandler({"mExtras_InterestCalc", "TB_Calc_InterestCalc"},
                     [](const CommandCall& c) { ShowInterestCalc(c.view.Owner()); });
}
} // namespace

QString ShellOpenUrl(const QString& target)
{
    const int code = ShellLauncher::openTarget(target);
    if (code > 32)
        return {};
    return QStringLiteral("Fehler beim Öffnen von '") + target + QStringLiteral("':\r\n") +
           ShellErrorText(code);
}

void AddMainCommands(MainCommandTable& table)
{
    AddFrameCommands(table);
    AddBrowsingCommands(table);
    AddCalculatorCommands(table);
    AddRenameCommands(table);
    AddDirCompCommands(table);
    AddRegViewCommands(table);
    AddFileToolCommands(table);
    AddSlideshowCommands(table);
    AddUserMenuCommands(table);
    AddIconViewCommands(table);
    AddPropertiesCommands(table);
}
