// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/pCmdSlideshow.h"

#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "core/pOptions.h"
#include "pictures/SlideshowPlan.h"
#include "pictures/frmSlideshow.h"
#include "pictures/pPicViewer.h"
#include "platform/MessageBoxService.h"

#include <QDir>

#include <memory>

namespace {
// Asks whether to start, then opens the show; false when no window opened.
bool RunSlideshow(const SlideshowPlan& plan, std::unique_ptr<pPicViewer> viewer,
                  const std::function<void()>& shutDown)
{
    if (AppErr().MsgShow(Msg::SlideshowClickOk, MsgStyle::OkCancel | MsgStyle::Information) !=
        MsgResult::Ok)
        return false;
    // One second is the viewer's own least interval: it keeps the stored one.
    if (plan.interval > 1000)
        viewer->SetSlideShowInterval(plan.interval);
    if (plan.backColor != -1)
        viewer->SetBackColor(plan.backColor);
    auto window = std::make_unique<frmSlideshow>(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (plan.maximize)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    if (!window->pubInitForm(QString(), &plan.files, *viewer)) {
        SetAppExitCode(1);
        return false;
    }
    if (pOptions* options = AppOptions())
        options->StartedByCmdLine = true;
    window->AdoptViewer(std::move(viewer));
    if (shutDown)
        QObject::connect(window.get(), &frmSlideshow::shutdownRequested, window.get(), shutDown);
    window.release()->show();
    return true;
}
} // namespace

bool pCmdSlideshow::Run(const QString& path)
{
    try {
        auto viewer = std::make_unique<pPicViewer>();
        const SlideshowPlan plan =
            SlideshowPlan::Make(path, QDir::currentPath(), viewer->FilePatternText());
        if (!plan.validPath)
            return false;
        for (const SlideshowPlan::Notice& notice : plan.notices)
            AppErr().MsgShow(notice.message, notice.style, notice.argument);
        if (plan.files.isEmpty())
            SetAppExitCode(1);
        else
            RunSlideshow(plan, std::move(viewer), ShutDown);
        return true;
    } catch (...) {
        AppErr().ErrRaise(0, QStringLiteral("pCmdSlideshow"), QStringLiteral("Run"));
    }
    return false;
}
