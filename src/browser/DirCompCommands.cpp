// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/DirCompCommands.h"

#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/TextUtil.h"
#include "core/cuAppError.h"
#include "dircomp/frmDirComp.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"

#include <QLineEdit>
#include <QWidget>

namespace {
// Shows the window modally; the file box is read again when a run changed files.
void runModal(frmDirComp& form, MainView& view)
{
    form.exec();
    if (form.FilesChanged())
        view.RefreshFiles();
}

void CompareDirs(const CommandCall& call)
{
    frmDirComp form(call.view.Owner());
    runModal(form, call.view);
}

// From the folder menu: the folder it was opened on may become the source.
void CompareFolder(const CommandCall& call)
{
    const QString folder = call.state.folder;
    if (folder.isEmpty())
        return;
    frmDirComp form(call.view.Owner());
    const QString source = form.txtPath[0]->text();
    // Paths compare with case: on Linux "/Daten/" and "/daten/" are two folders.
    if (source.isEmpty() || AddTrailing(source, QLatin1Char('/')) != folder) {
        form.show();
        if (AppErr().MsgShow(Msg::UseAsSourceQuestion, MsgStyle::YesNo | MsgStyle::Question,
                             DisplayFileName(folder)) == MsgResult::Yes)
            form.txtPath[0]->setText(folder);
        form.hide();
    }
    runModal(form, call.view);
    if (QWidget* owner = call.view.Owner())
        owner->activateWindow();
}
} // namespace

void AddDirCompCommands(MainCommandTable& table)
{
    table.SetHandler({"mExtras_CompareDirs", "TB_Compare"}, CompareDirs);
    table.SetHandler({"kDirBox_DirComp"}, CompareFolder);
}
