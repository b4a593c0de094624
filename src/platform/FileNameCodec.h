// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

class QFile;

// File names on Linux are bytes. Most are UTF-8; a name copied from an old
// disk or archive may hold Latin-1 or other bytes that are not. Decoding such
// a name the usual way turns those bytes into U+FFFD, and the file can then
// neither be opened nor renamed again. Here every byte that is not part of a
// well-formed UTF-8 sequence becomes the lone surrogate U+DC00 + byte, so the
// QString path is lossless: EncodeFileName gives back the exact bytes. Such a
// path must reach the system through EncodeFileName (or OpenFileByName),
// never through QFile's own name encoding.
QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8FileName(const QByteArray& bytes);
// True when a decoded name carries bytes that were not UTF-8.
bool HasRawBytes(const QString& name);
// The name for showing: raw bytes as U+FFFD.
QString DisplayFileName(const QString& name);

// How a reader opens a file. Reading moves a file's access time (under
// relatime whenever it lies before the last write), so a preview would undo
// an access time the user has just set: previews open with O_NOATIME where
// the system allows it (the user's own files).
enum class ReadAccess { Normal, KeepAccessTime };

// open(2) with the path's exact bytes; -1 with errno set when refused.
int OpenNativeFile(const QString& path, int flags, ReadAccess access = ReadAccess::Normal);
// Opens a file named by a decoded path with its exact bytes; false with errno
// set when the system refuses. The file is closed with the QFile.
bool OpenFileByName(QFile& file, const QString& path, QIODevice::OpenMode mode,
                    ReadAccess access = ReadAccess::Normal);
