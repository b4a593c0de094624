// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileDialog.h"

#include "core/TextUtil.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

namespace {
FileDialog::Hook g_hook;

const QString kAllFiles = QStringLiteral("Alle Dateien (*.*)|*.*");

QString homeFolder()
{
    return QDir::homePath();
}

// "*.bmp" as "*.[bB][mM][pP]": the host's names are case-sensitive, the
// program's patterns never were. "*.*" means every name, with or without dot.
QString caseFreePattern(const QString& pattern)
{
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper() && c.unicode() < 128)
            out += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

// "bmp" for a filter whose first pattern is "*.bmp"; empty for "*.*" and the like.
QStringList suffixesOf(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList suffixes;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString first = parts.at(i + 1).split(QLatin1Char(';')).first().trimmed();
        const QString suffix = first.startsWith(QLatin1String("*.")) ? first.mid(2) : QString();
        const bool plain = !suffix.contains(QLatin1Char('*')) && !suffix.contains(QLatin1Char('?'));
        suffixes << (plain ? suffix : QString());
    }
    return suffixes;
}

bool isInside(const QString& folder, const QString& root)
{
    const QString r = AddTrailing(QDir::cleanPath(root), QLatin1Char('/'));
    return AddTrailing(QDir::cleanPath(folder), QLatin1Char('/')).startsWith(r);
}
} // namespace

void FileDialog::setHook(Hook hook)
{
    g_hook = std::move(hook);
}

QStringList FileDialog::NameFilters(const QString& filter)
{
    const QStringList parts = (filter.isEmpty() ? kAllFiles : filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& one : parts.at(i + 1).split(QLatin1Char(';')))
            if (!one.trimmed().isEmpty())
                patterns << caseFreePattern(one.trimmed());
        if (!patterns.isEmpty())
            filters << parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                           QLatin1Char(')');
    }
    return filters;
}

QStringList FileDialog::ask(const FileDialogRequest& request)
{
    return g_hook ? g_hook(request) : showDialog(request);
}

QStringList FileDialog::showDialog(const FileDialogRequest& request)
{
    QFileDialog dialog(request.owner, request.title, request.startFolder);
    // The program's own dialog: it honours the case-free patterns and shows
    // each filter by its description alone.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.kind == FileDialogRequest::Folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, !request.includeFiles);
    } else {
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(request.nameFilters);
        const bool multi =
            (request.flags & OFN::AllowMultiSelect) && (request.flags & OFN::Explorer);
        if (request.kind == FileDialogRequest::Save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setOption(QFileDialog::DontConfirmOverwrite,
                             !(request.flags & OFN::OverwritePrompt));
        } else if (multi) {
            dialog.setFileMode(QFileDialog::ExistingFiles);
        } else {
            dialog.setFileMode((request.flags & OFN::FileMustExist) ? QFileDialog::ExistingFile
                                                                    : QFileDialog::AnyFile);
        }
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        if (request.addFilterSuffix) {
            // The dialog adds the suffix before it asks about overwriting.
            dialog.setDefaultSuffix(request.filterSuffixes.value(0));
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                             [&dialog, &request](const QString& chosen) {
                                 const int index = int(request.nameFilters.indexOf(chosen));
                                 dialog.setDefaultSuffix(request.filterSuffixes.value(index));
                             });
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    request.chosenFilter =
        std::max(0, int(request.nameFilters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles();
}

QString FileDialog::BrowseForFolder(const QString& title, const QString& startPath, QWidget* owner,
                                    bool addBackslash)
{
    return BrowseForFolderEx(title, startPath, owner, addBackslash, false, {}, true, false);
}

QString FileDialog::BrowseForFolderEx(const QString& title, const QString& startPath,
                                      QWidget* owner, bool addBackslash, bool withStatusText,
                                      const QString& rootPath, bool /*newDialogStyle*/,
                                      bool includeFiles)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Folder;
    request.title = title.isEmpty() ? QStringLiteral("Ordner wählen") : title;
    if (withStatusText && title == QLatin1String("$"))
        request.title.clear();
    request.startFolder = startPath.isEmpty() ? homeFolder() : startPath;
    request.rootPath = rootPath;
    if (!rootPath.isEmpty() && !isInside(request.startFolder, rootPath))
        request.startFolder = rootPath;
    request.includeFiles = includeFiles;
    request.owner = owner;

    const QStringList chosen = ask(request);
    const QString folder = chosen.value(0);
    if (folder.isEmpty())
        return {};
    return addBackslash ? AddTrailing(folder, QLatin1Char('/')) : folder;
}

QString FileDialog::GetOpenFileName(const QString& initialFolder, const QString& fileName,
                                    const QString& title, const QString& filter, QWidget* owner,
                                    qint32 flags)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.title = title.isEmpty() ? QStringLiteral("Datei öffnen") : title;
    request.flags = flags == 0 ? OFN::OpenDefault : flags;
    return fileRequest(request, initialFolder, fileName, filter, owner);
}

QString FileDialog::GetSaveFileName(const QString& initialFolder, const QString& fileName,
                                    const QString& title, const QString& filter, QWidget* owner,
                                    qint32 flags)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.title = title.isEmpty() ? QStringLiteral("Datei speichern") : title;
    request.flags = flags == 0 ? OFN::SaveDefault : flags;
    return fileRequest(request, initialFolder, fileName, filter, owner);
}

QString FileDialog::fileRequest(FileDialogRequest request, const QString& initialFolder,
                                const QString& fileName, const QString& filter, QWidget* owner)
{
    request.startFolder = initialFolder;
    request.fileName = fileName;
    request.owner = owner;
    if (request.startFolder.isEmpty())
        request.startFolder = homeFolder();
    request.nameFilters = NameFilters(filter);
    request.addFilterSuffix = AddFilterSuffix && request.kind == FileDialogRequest::Save;
    if (request.addFilterSuffix)
        request.filterSuffixes = suffixesOf(filter);

    m_fileName.clear();
    m_fileTitle.clear();
    m_fileOffset = m_extensionOffset = 0;
    QStringList chosen = ask(request);
    chosen.removeAll(QString());
    if (chosen.isEmpty())
        return {};
    const QString suffix = request.filterSuffixes.value(request.chosenFilter);
    if (request.addFilterSuffix && !suffix.isEmpty() &&
        !QFileInfo(chosen.first()).fileName().contains(QLatin1Char('.')))
        chosen.first() += QLatin1Char('.') + suffix;

    const bool multi = (request.flags & OFN::AllowMultiSelect) && (request.flags & OFN::Explorer);
    const QFileInfo first(chosen.first());
    if (multi && chosen.size() > 1) {
        // The folder, then each name, separated by NUL characters.
        m_fileName = first.absolutePath();
        for (const QString& path : chosen)
            m_fileName += QChar(0) + QFileInfo(path).fileName();
        m_fileOffset = quint16(std::min<qsizetype>(first.absolutePath().size() + 1, 0xFFFF));
    } else {
        m_fileName = chosen.first();
        m_fileOffset =
            quint16(std::min<qsizetype>(m_fileName.size() - first.fileName().size(), 0xFFFF));
    }
    m_fileTitle = first.fileName();
    const qsizetype dot = m_fileTitle.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        m_extensionOffset = quint16(std::min<qsizetype>(m_fileOffset + dot + 1, 0xFFFF));
    return m_fileName;
}
