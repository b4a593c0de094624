// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Help.h"

#include "core/AppGlobals.h"
#include "core/HelpTopics.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "core/frmHelp.h"
#include "platform/MessageBoxService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

namespace {
QStringList g_searchFolders;
QList<QPointer<frmHelp>> g_windows;

const QString kIndex = QStringLiteral("index.html");

bool isHelpFolder(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(folder + QLatin1Char('/') + kIndex).isFile();
}

QStringList standardFolders()
{
    if (!g_searchFolders.isEmpty())
        return g_searchFolders;
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList folders{exeDir + QStringLiteral("/help"),
                        exeDir + QStringLiteral("/../share/tolvane/help")};
    folders << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                         QStringLiteral("tolvane/help"),
                                         QStandardPaths::LocateDirectory);
    return folders;
}

// A page named by the caller inside the help folder: its name, else empty.
QString pageNamedBy(const QString& helpFile)
{
    const QFileInfo info(helpFile);
    if (info.isFile() && info.suffix().compare(QLatin1String("html"), Qt::CaseInsensitive) == 0)
        return info.fileName();
    return {};
}

void dropClosed()
{
    g_windows.removeIf([](const QPointer<frmHelp>& w) { return w.isNull(); });
}
} // namespace

void Help::setSearchFolders(const QStringList& folders)
{
    g_searchFolders = folders;
}

QString Help::HelpFolder(const QString& helpFile)
{
    if (!helpFile.isEmpty()) {
        const QFileInfo info(helpFile);
        if (info.isDir() && isHelpFolder(info.absoluteFilePath()))
            return QDir::cleanPath(info.absoluteFilePath());
        if (!pageNamedBy(helpFile).isEmpty())
            return QDir::cleanPath(info.absolutePath());
    }
    // Any other name (the program's help file of old) means the installed help.
    for (const QString& folder : standardFolders())
        if (isHelpFolder(folder))
            return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return {};
}

QList<frmHelp*> Help::OpenWindows(QWidget* owner)
{
    dropClosed();
    QList<frmHelp*> open;
    for (const QPointer<frmHelp>& window : g_windows)
        if (!owner || window->owner() == owner)
            open << window.data();
    return open;
}

frmHelp* Help::HTMLHelpOpen(QWidget* owner, const QString& helpFile)
{
    const QString page = pageNamedBy(helpFile);
    return show(owner, helpFile,
                page.isEmpty() ? QString::fromUtf8(HelpTopics().first().page) : page);
}

frmHelp* Help::HTMLHelpContext(QWidget* owner, const QString& helpFile, qint32 contextId)
{
    return show(owner, helpFile, QString::fromUtf8(HelpTopicById(contextId).page));
}

void Help::HTMLHelpCloseAll(QWidget* owner)
{
    for (frmHelp* window : OpenWindows(owner))
        window->close();
    dropClosed();
}

frmHelp* Help::show(QWidget* owner, const QString& helpFile, const QString& page)
{
    const QString folder = HelpFolder(helpFile);
    if (folder.isEmpty()) {
        AppErr().MsgShow(Msg::NoHelp, MsgStyle::Information);
        return nullptr;
    }
    frmHelp* window = nullptr;
    for (frmHelp* open : OpenWindows(owner))
        if (open->owner() == owner && open->helpFolder() == folder)
            window = open;
    if (!window) {
        window = new frmHelp(folder, owner);
        g_windows << window;
    }
    window->showPage(page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
