// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/SlideshowCommands.h"

#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "core/AppGlobals.h"
#include "core/FolderListing.h"
#include "core/MessageTable.h"
#include "core/PathUtil.h"
#include "core/cuAppError.h"
#include "pictures/frmSlideshow.h"
#include "pictures/pPicViewer.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"

#include <memory>

namespace {
// Shown modeless and without owner: it stays open beside the main window.
void OpenSlideshow(const QString& startFile, const QStringList* files, pPicViewer& viewer)
{
    auto window = std::make_unique<frmSlideshow>(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (window->pubInitForm(startFile, files, viewer))
        window.release()->show();
}

void FolderSlideshow(const CommandCall& call)
{
    const QString& folder = call.state.folder;
    if (folder.isEmpty())
        return;
    pPicViewer& viewer = call.view.Pictures();
    QStringList files = FolderListing::Files(folder, FilePattern(viewer.FilePatternText()));
    if (files.isEmpty()) {
        AppErr().MsgShow(Msg::NoMatchingFiles, MsgStyle::Exclamation, DisplayFileName(folder));
        return;
    }
    PrefixPath(folder, files);
    OpenSlideshow(QString(), &files, viewer);
}

void PictureView(const QString& path, MainView& view)
{
    if (!path.isEmpty())
        OpenSlideshow(path, nullptr, view.Pictures());
}
} // namespace

void AddSlideshowCommands(MainCommandTable& table)
{
    table.SetHandler({"kDirBox_Slideshow", "TB_SlideShow"}, FolderSlideshow);
    table.SetHandler({"kFileBox_Run_PicView"},
                     [](const CommandCall& c) { PictureView(c.state.CurrentPath(), c.view); });
    // The preview shows the file of the information pane.
    table.SetHandler({"kPicPreView_Show"}, [](const CommandCall& c) {
        const QString shown = c.view.InfoPath();
        PictureView(shown.isEmpty() ? c.state.CurrentPath() : shown, c.view);
    });
}
