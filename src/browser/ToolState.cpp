// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/ToolState.h"

#include "core/FolderListing.h"
#include "core/TextUtil.h"

QString ToolState::CurrentPath() const
{
    return current.isEmpty() ? QString() : folder + current;
}

QStringList ToolState::SelectedPaths() const
{
    QStringList paths;
    paths.reserve(selected.size());
    for (const QString& name : selected)
        paths.append(folder + name);
    return paths;
}

bool ToolState::CurrentHasExtension(std::initializer_list<const char*> extensions) const
{
    const qsizetype dot = current.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QStringView extension = QStringView(current).mid(dot + 1);
    for (const char* wanted : extensions) {
        if (extension.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool ToolState::CurrentIsPicture() const
{
    return tests && tests->FileIsPic && !current.isEmpty() && tests->FileIsPic(current);
}

bool ToolState::AnySelectedIsActiveX() const
{
    if (!tests || !tests->IsActiveX)
        return false;
    for (const QString& name : selected) {
        if (tests->IsActiveX(folder + name))
            return true;
    }
    return false;
}

bool ToolState::HasUserMenu() const
{
    return tests && tests->HasUserMenu && tests->HasUserMenu();
}

ToolState ToolState::ForFolder(const QString& folder, const FilePattern& mask,
                               const ToolPredicates& tests)
{
    ToolState state;
    state.tests = &tests;
    if (folder.isEmpty())
        return state;
    state.folder = AddTrailing(folder, QLatin1Char('/'));
    state.folderHasFiles = FolderListing::HasFile(state.folder, mask);
    state.folderHasPics = tests.PathHasPics && tests.PathHasPics(state.folder);
    state.folderHasIconFiles = HasIconFiles(state.folder);
    return state;
}

bool ToolState::HasIconFiles(const QString& folder)
{
    for (const char* pattern : {"*.ico", "*.dll", "*.exe"}) {
        if (FolderListing::HasFile(folder, FilePattern(QLatin1String(pattern))))
            return true;
    }
    return false;
}
