// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FileToolsCommands.h"

#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "comreg/LibraryCopy.h"
#include "comreg/RegistrationRun.h"
#include "comreg/pRegisterFile.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/FileUtil.h"
#include "core/JobProgressDialog.h"
#include "core/MessageTable.h"
#include "core/TextUtil.h"
#include "core/WindowUtil.h"
#include "core/cuAppError.h"
#include "core/cuRecentFiles.h"
#include "filetimes/frmDatePicker.h"
#include "filetimes/pDateTime.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"
#include "platform/SystemError.h"

#include <QComboBox>
#include <QRadioButton>

#include <cerrno>
#include <memory>

namespace {
const QString kLineBreak = QStringLiteral("\r\n");

// What the date dialog asked for; empty when it was cancelled.
struct DateChoice {
    bool reset = true;
    qint32 mode = pDateTime::LastWrite;
    QDateTime date;
};

std::optional<DateChoice> AskForDate(QWidget* owner, const QString& captionEnd)
{
    frmDatePicker picker(owner);
    picker.setWindowTitle(picker.windowTitle() + QStringLiteral(" - ") + captionEnd);
    picker.exec();
    if (picker.chkCancel != 0)
        return std::nullopt;
    return DateChoice{!picker.optAction[0]->isChecked(), qint32(picker.cmbEditMode->currentIndex()),
                      picker.ChosenDate()};
}

// "Alles" leaves the birth time as it is, and the report says so.
QString WithBirthNote(QString text, qint32 mode)
{
    if (mode > pDateTime::LastWrite)
        text += kLineBreak + pDateTime::BirthTimeUnchanged();
    return text;
}

void SetFileDates(const CommandCall& c)
{
    const QStringList paths = c.state.SelectedPaths();
    if (paths.isEmpty())
        return;
    const auto choice =
        AskForDate(c.view.Owner(), paths.size() < 2 ? DisplayFileName(c.state.current)
                                                    : QStringLiteral("(Mehrfachauswahl)"));
    if (!choice)
        return;
    const WaitCursor wait;
    pDateTime times;
    times.ClearFiles();
    times.SetAction(choice->reset ? pDateTime::ResetTime : pDateTime::SetDate);
    times.SetMode(choice->mode);
    times.Files() = paths;
    const qint32 changed = times.Run(choice->date);
    AppErr().MsgShowText(WithBirthNote(AppErr().MsgLoad(Msg::FilesChanged, changed), choice->mode),
                         MsgStyle::Information);
    c.view.ShowFileIno();
}

void SetFolderDate(const CommandCall& c)
{
    const QString& folder = c.state.folder;
    if (folder.isEmpty())
        return;
    const QString shown =
        DisplayFileName(folder.size() > 1 ? RemoveTrailing(folder, QLatin1Char('/')) : folder);
    const auto choice = AskForDate(c.view.Owner(), shown);
    if (!choice)
        return;
    const WaitCursor wait;
    const qint32 which = choice->mode > pDateTime::LastWrite ? ftAll : choice->mode;
    if (!SetFileTimeDate(folder, which, choice->date, choice->reset)) {
        const int code = errno;
        const QString reason =
            which == ftCreation ? pDateTime::BirthTimeNotSettable() : SystemErrorSentence(code);
        AppErr().MsgShow(Msg::FolderTimesFailed, MsgStyle::Exclamation, shown, reason);
        return;
    }
    AppErr().MsgShowText(
        WithBirthNote(AppErr().MsgLoad(Msg::FolderTimesChanged, shown), choice->mode),
        MsgStyle::Information);
}

// Each file runs under a progress window naming it, with "Abbrechen", so
// the window stays live while Wine works.
void RunRegistration(RegistrationRun& run, qint64 total, QWidget* owner, bool registering)
{
    auto job = std::make_shared<FunctionJob>([&run, total, registering](JobContext& context) {
        qint64 done = 0;
        const auto registerOne = [&](const QString& path, QString& reason) {
            context.progress(done++, total, DisplayFileName(path));
            return pRegisterFile::RegisterFile(
                path, registering, [&context] { return context.cancelled(); }, reason);
        };
        const auto askContinue = [&context](const QString& question) {
            return context.ask([question] {
                return AppErr().MsgShowText(question, MsgStyle::YesNo | MsgStyle::Critical);
            }) == MsgResult::Yes;
        };
        run.Run(registerOne, askContinue);
    });
    JobProgressDialog::run(owner,
                           registering ? QStringLiteral("Registrieren")
                                       : QStringLiteral("Registrierung aufheben"),
                           job, QStringLiteral("frmMain"),
                           registering ? QStringLiteral("kFileBox_Reg_On_Click")
                                       : QStringLiteral("kFileBox_Reg_Off_Click"));
}

void Register(const CommandCall& c, bool registering)
{
    const QStringList paths = c.state.SelectedPaths();
    if (paths.isEmpty())
        return;
    // Its first use stores the list of registrable extensions if missing.
    const pRegisterFile registration(pRegisterFile::Default::UseAndStore);
    RegistrationRun run(paths, registering);
    if (const auto question = run.Question();
        question && AppErr().MsgShowText(question->text, question->style) != MsgResult::Yes)
        return;
    RunRegistration(run, paths.size(), c.view.Owner(), registering);
    const RegistrationRun::Box report = run.Report();
    AppErr().MsgShowText(report.text, report.style);
    if (run.Succeeded() == 0)
        return;
    // The folder keeps its case: on Linux another case is another folder.
    AppSaveSetting(akOptions, QStringLiteral("StartupPath"), c.state.folder);
    AppSaveSetting(akOptions, QStringLiteral("StartupMask"), c.view.MaskText());
    c.view.RecentRegFiles().Add(run.LastSucceeded());
}

void CopyLibrary(const CommandCall& c)
{
    const QString source = c.state.CurrentPath();
    if (source.isEmpty())
        return;
    const LibraryCopy copy(source);
    if (!copy.HasVersion()) {
        AppErr().MsgShow(Msg::CopyNoVersionInfo, MsgStyle::Critical, DisplayFileName(source));
        return;
    }
    const bool exists = copy.DestinationExists();
    const int answer =
        exists
            ? AppErr().MsgShow(Msg::TargetExistsOverwrite,
                               MsgStyle::YesNo | MsgStyle::Exclamation | MsgStyle::DefaultButton2,
                               DisplayFileName(copy.Destination()))
            : AppErr().MsgShow(Msg::VersionCopyQuestion, MsgStyle::YesNo | MsgStyle::Question,
                               DisplayFileName(c.state.current), DisplayFileName(copy.NewName()));
    if (answer != MsgResult::Yes)
        return;
    {
        const WaitCursor wait;
        copy.Copy(exists);
    }
    c.view.RefreshFiles();
    c.view.SelectFiles(copy.NewName(), true);
}
} // namespace

void AddFileToolCommands(MainCommandTable& table)
{
    table.SetHandler({"kFileBox_Date"}, SetFileDates);
    table.SetHandler({"kDirBox_Date"}, SetFolderDate);
    table.SetHandler({"kFileBox_Reg_On"}, [](const CommandCall& c) { Register(c, true); });
    table.SetHandler({"kFileBox_Reg_Off"}, [](const CommandCall& c) { Register(c, false); });
    table.SetHandler({"kFileBox_DLLCopy"}, CopyLibrary);
}

void AddFileToolPredicates(ToolPredicates& predicates)
{
    auto registration = std::make_shared<pRegisterFile>();
    predicates.IsActiveX = [registration](const QString& path) {
        return registration->IsActiveX(path);
    };
}
