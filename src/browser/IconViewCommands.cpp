// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/IconViewCommands.h"

#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "icons/frmIconView.h"

#include <memory>

void AddIconViewCommands(MainCommandTable& table)
{
    // Modeless and owned by the main window: it stays open beside it and
    // goes with it.
    table.SetHandler({"kDirBox_Icons", "TB_Icons"}, [](const CommandCall& call) {
        if (call.state.folder.isEmpty())
            return;
        auto window = std::make_unique<frmIconView>(call.view.Owner());
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (window->pubInitForm(call.state.folder, true, true))
            window.release();
    });
}
