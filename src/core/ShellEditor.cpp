// SPDX-License-Identifier: GPL-3.0-or-later
// Kept apart from ShellUtil.cpp: it is the one shell helper that reads the
// settings store.
#include "core/AppSettings.h"
#include "core/LibError.h"
#include "core/PathUtil.h"
#include "core/ShellUtil.h"
#include "platform/ShellLauncher.h"

#include <QDir>

int OpenInEditorCode(const QString& file)
{
    int code = ShellLauncher::checkReadable(file);
    if (code == 0) {
        const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(file));
        const QStringList command =
            EditorCommand(AppGetSetting(akOptions, QStringLiteral("Editor")), path);
        code = ShellLauncher::startProgram(command, FolderOf(path));
    }
    return code;
}

bool OpenInEditor(const QString& file)
{
    const int code = OpenInEditorCode(file);
    if (code <= 32)
        RaiseLibError(-LibErr::ShellExecute, QStringLiteral("mQXLib"),
                      QStringLiteral("OpenInEditor"), {}, code);
    return true;
}
