// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/PropertiesCommands.h"

#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "fileinfo/frmDirInfo.h"
#include "fileinfo/frmFileInfo.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxStyle.h"

#include <QFileInfo>

namespace {
void FileProperties(const CommandCall& call)
{
    const qint32 selected = call.state.SelectedCount();
    if (selected != 1) {
        AppErr().MsgShow(selected == 0 ? Msg::NeedOneFile : Msg::OnlyOneFile,
                         MsgStyle::Information);
        return;
    }
    const QString path = call.state.SelectedPaths().constFirst();
    frmFileInfo window(call.view.Owner());
    if (!window.pubInit(&call.view.DocProperties(), path)) {
        AppErr().MsgShow(Msg::FileMissing, MsgStyle::Exclamation, DisplayFileName(path));
        return;
    }
    window.setWindowTitle(QStringLiteral("Eigenschaften - ") +
                          DisplayFileName(call.state.selected.constFirst()));
    window.exec();
}

void FolderProperties(const CommandCall& call)
{
    if (call.state.folder.isEmpty())
        return;
    frmDirInfo window(call.view.Owner());
    window.pubInit(call.state.folder);
    window.exec();
}
} // namespace

void AddPropertiesCommands(MainCommandTable& table)
{
    table.SetHandler({"kFileBox_Properties"}, FileProperties);
    table.SetHandler({"kDirBox_Properties"}, FolderProperties);
}
