// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// Path texts: splitting, validating, climbing and resolving. Nothing here
// touches the disk except DriveOrShareOf, which asks for the mount root.
//
// The separator is "/"; folders carry one trailing "/". Where a function takes
// `slashForm`, true selects the other separator "\" (paths written by Windows
// programs into command files or settings).
//
// Network paths: Linux reaches shares through mounted folders, so an ordinary
// path is never a network path. The text form "//server/share/..." (and its
// backslash spellings) is still recognised, because settings and command files
// carry such texts; the kernel reads "//x" as "/x", so treating it as a share
// root changes nothing for a real local path.

QString FileNameOf(const QString& path, bool slashForm = false);
QString FolderOf(const QString& path, bool slashForm = false, bool keepSeparator = false);
// The file name without the text from its last "." on.
QString FileBaseName(const QString& path);
// The text after the last "." of the whole path, not only of its file name:
// callers that want a file's extension pass the file name.
QString ExtensionOfPath(const QString& path);

// Two leading separators ("//", "\\\\" or a mixed pair).
bool IsNetworkPath(const QString& path);
// "//server/share" of a network path, the whole path when it has no share
// part; Null (invalid QVariant) for any other path.
QVariant NetworkShareRoot(const QString& path);
// A network path's share root; for an absolute path the mount root of the
// volume it lies on ("/", "/home/", "/media/stick/"); otherwise empty.
QString DriveOrShareOf(const QString& path);

// Shorter than the 4096 bytes a Linux path may take.
bool IsValidPathLength(const QString& path);
// Absolute ("/..."), no wildcard, no NUL, of valid length.
bool IsValidPath(const QString& path);

// Climbs `levels` folders (0..255) from a folder; never above its root.
QString ParentFolder(const QString& folder, qint32 levels, bool slashForm = false);
// A folder named relative to `baseFolder` (empty: the program's folder),
// with a trailing "/"; an absolute folder stays as it is. Empty for an empty path.
QString ResolveFolder(const QString& path, const QString& baseFolder);

// Puts `folder` (given a trailing "/") in front of every name, in place.
void PrefixPath(const QString& folder, QStringList& names);
// "*" and "?" wildcards, characters compared exactly: callers that ignore
// case fold both texts first (once per pattern, not per comparison).
bool WildcardMatch(QStringView pattern, QStringView name);
