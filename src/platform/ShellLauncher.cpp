// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShellLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
QString g_opener;

QString absolutePath(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

// A URL has a scheme of two letters or more; "c:" or a bare path has none.
bool isUrl(const QString& target)
{
    const QUrl url(target, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
}
} // namespace

void ShellLauncher::setOpenerProgram(const QString& program)
{
    g_opener = program;
}

QString ShellLauncher::openerProgram()
{
    return g_opener.isEmpty() ? QStringLiteral("xdg-open") : g_opener;
}

int ShellLauncher::checkReadable(const QString& path)
{
    if (path.isEmpty())
        return ShellCode::FileNotFound;
    const QFileInfo info(absolutePath(path));
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? ShellCode::FileNotFound
                                                      : ShellCode::PathNotFound;
    if (!info.isReadable())
        return ShellCode::AccessDenied;
    return 0;
}

int ShellLauncher::startProgram(const QStringList& command, const QString& workingFolder)
{
    if (command.isEmpty() || command.first().isEmpty())
        return ShellCode::NoAssociation;
    const QString program = QStandardPaths::findExecutable(command.first());
    if (program.isEmpty()) {
        const QFileInfo direct(command.first());
        if (!(direct.isAbsolute() && direct.isFile() && direct.isExecutable()))
            return ShellCode::NoAssociation;
    }
    QProcess process;
    process.setProgram(program.isEmpty() ? command.first() : program);
    process.setArguments(command.mid(1));
    // A working folder that has gone is no reason to fail: the program starts
    // where we are.
    if (!workingFolder.isEmpty() && QFileInfo(workingFolder).isDir())
        process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached() ? ShellCode::Started : ShellCode::NoAssociation;
}

int ShellLauncher::openFile(const QString& path, const QString& workingFolder)
{
    if (const int problem = checkReadable(path))
        return problem;
    // The absolute path never begins with "-", so the opener cannot read a
    // file name as one of its options.
    return startProgram({openerProgram(), absolutePath(path)}, workingFolder);
}

int ShellLauncher::openTarget(const QString& target)
{
    if (isUrl(target))
        return startProgram({openerProgram(), target});
    return openFile(target);
}
