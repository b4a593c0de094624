// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/RenameCommands.h"

#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "rename/frmRename.h"

namespace {
void OpenRename(const CommandCall& call)
{
    if (call.state.folder.isEmpty())
        return;
    frmRename form(call.view.Owner());
    form.pubInitForm(call.state.folder, call.view.MaskText(), call.state.current);
    form.exec();
    if (form.chkEdited != 0)
        call.view.RefreshFiles();
}
} // namespace

void AddRenameCommands(MainCommandTable& table)
{
    table.SetHandler({"kDirBox_Rename", "kFileBox_Rename", "TB_Rename"}, OpenRename);
}
