// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Open-file-name flags as callers have always passed them.
namespace OFN {
constexpr qint32 ReadOnly = 0x1;
constexpr qint32 OverwritePrompt = 0x2;
constexpr qint32 HideReadOnly = 0x4;
constexpr qint32 AllowMultiSelect = 0x200;
constexpr qint32 PathMustExist = 0x800;
constexpr qint32 FileMustExist = 0x1000;
constexpr qint32 Explorer = 0x80000;
// What flags 0 means for the two intentions.
constexpr qint32 OpenDefault = HideReadOnly | PathMustExist | FileMustExist;   // 6148
constexpr qint32 SaveDefault = OverwritePrompt | HideReadOnly | PathMustExist; // 2054
} // namespace OFN

// One dialog request, after the defaults are applied: what a real dialog is
// shown with, and what a test hook gets to answer.
struct FileDialogRequest {
    enum Kind { Folder, Open, Save };
    Kind kind = Open;
    QString title;
    QString startFolder;
    QString fileName;
    QStringList nameFilters; // Qt form: "Bilder (*.[bB][mM][pP])"
    qint32 flags = 0;
    bool includeFiles = false; // folder choice lists files too
    QString rootPath;          // folder choice starts here when the start lies outside
    QWidget* owner = nullptr;
    // Save: a name typed without an extension gets the chosen filter's
    // ("bmp" of "*.bmp"), before the dialog asks about overwriting.
    bool addFilterSuffix = false;
    QStringList filterSuffixes;   // per filter; empty where it has none
    mutable int chosenFilter = 0; // the filter the user chose (a test hook may set it)
};

// The folder, open and save dialogs. A result is a path, or "" when the user
// cancels. Folders come back without a trailing "/" unless asked for.
class FileDialog {
public:
    QString BrowseForFolder(const QString& title = {}, const QString& startPath = {},
                            QWidget* owner = nullptr, bool addBackslash = false);
    // A title of "$" together with withStatusText gives an empty title.
    // newDialogStyle is what every dialog here looks like anyway.
    QString BrowseForFolderEx(const QString& title, const QString& startPath, QWidget* owner,
                              bool addBackslash, bool withStatusText, const QString& rootPath,
                              bool newDialogStyle, bool includeFiles);
    // With AllowMultiSelect and Explorer in `flags`, several chosen files come
    // back as folder, NUL, name, NUL, name...; one chosen file as its path.
    QString GetOpenFileName(const QString& initialFolder = {}, const QString& fileName = {},
                            const QString& title = {}, const QString& filter = {},
                            QWidget* owner = nullptr, qint32 flags = 0);
    QString GetSaveFileName(const QString& initialFolder = {}, const QString& fileName = {},
                            const QString& title = {}, const QString& filter = {},
                            QWidget* owner = nullptr, qint32 flags = 0);

    // Save dialogs: see FileDialogRequest::addFilterSuffix.
    bool AddFilterSuffix = false;

    // State of the last open or save call ("" and 0 after a cancel).
    QString FileName() const { return m_fileName; }
    QString FileTitle() const { return m_fileTitle; }
    quint16 FileOffset() const { return m_fileOffset; }               // of the name in FileName
    quint16 FileExtensionOffset() const { return m_extensionOffset; } // after the ".", 0: none

    // "desc|pattern;pattern|desc|pattern" in the Qt form; patterns match
    // ignoring case and "*.*" every name. Empty: "Alle Dateien (*.*)|*.*".
    static QStringList NameFilters(const QString& filter);

    // Answers every request instead of a dialog (tests); the answer is the
    // chosen paths, none for a cancel. An empty function shows real dialogs.
    using Hook = std::function<QStringList(const FileDialogRequest&)>;
    static void setHook(Hook hook);

private:
    QString fileRequest(FileDialogRequest request, const QString& initialFolder,
                        const QString& fileName, const QString& filter, QWidget* owner);
    static QStringList ask(const FileDialogRequest& request);
    static QStringList showDialog(const FileDialogRequest& request);

    QString m_fileName;
    QString m_fileTitle;
    quint16 m_fileOffset = 0;
    quint16 m_extensionOffset = 0;
};
