// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/RegViewCommands.h"

#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "regview/frmRegView.h"

void AddRegViewCommands(MainCommandTable& table)
{
    table.SetHandler({"kFileBox_Run_RegView"}, [](const CommandCall& c) {
        const QString path = c.state.CurrentPath();
        if (path.isEmpty())
            return;
        frmRegView viewer(c.view.Owner());
        viewer.Init(path, c.view.Owner());
    });
}
