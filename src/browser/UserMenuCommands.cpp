// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/UserMenuCommands.h"

#include "browser/MainCommandTable.h"
#include "browser/pUserFileMenu.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"

namespace {
void RunEntry(const UserMenuEntry& entry, const CommandCall& call)
{
    const QString path = call.state.CurrentPath();
    if (call.state.SelectedCount() != 1 || path.isEmpty())
        return;
    if (!pUserFileMenu::Run(entry, path))
        AppErr().MsgShow(Msg::CommandNeedsPlaceholder, MsgStyle::Exclamation, QStringLiteral("%1"),
                         DisplayFileName(path));
}
} // namespace

void AddUserMenuCommands(MainCommandTable& table)
{
    pUserFileMenu menu;
    menu.Init();
    const QList<UserMenuEntry>& entries = menu.Entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        MainCommand row;
        row.parent = QStringLiteral("kFileBox_Run_User");
        row.name = QStringLiteral("kFileBox_Run_User_Menu_") + QString::number(i + 1);
        row.caption = entries[i].caption;
        const UserMenuEntry entry = entries[i];
        row.enabled = [entry](const ToolState& s) {
            return s.SelectedCount() == 1 && pUserFileMenu::Applies(entry, s.current);
        };
        row.handler = [entry](const CommandCall& call) { RunEntry(entry, call); };
        table.Add(std::move(row));
    }
}

bool HasUserMenuEntries(const MainCommandTable& table)
{
    return table.Find(QStringLiteral("kFileBox_Run_User_Menu_1")) != nullptr;
}
