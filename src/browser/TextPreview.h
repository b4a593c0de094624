// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What the preview area shows for a file.
enum class PreviewKind { Picture, Text, None };
// A picture when the picture support takes it, else text for "txt" and "ini"
// files (letter case ignored), else none.
PreviewKind PreviewOf(const QString& fileName, bool isPicture);

// Text for the preview pane. Only the head of a file is read, so a
// multi-gigabyte log neither freezes the window nor fills the memory.
class TextPreview {
public:
    static constexpr qint64 DefaultLimit = 1024 * 1024;

    // The first `limit` bytes decoded; empty when the file cannot be read.
    static QString Read(const QString& path, qint64 limit = DefaultLimit);
    // BOM first (UTF-8, UTF-16LE/BE), then UTF-8 when valid (a sequence cut
    // by the limit at the very end is allowed), else Windows-1252.
    static QString Decode(const QByteArray& bytes, bool mayBeCut);
};

// The whole content of a file, one character per byte; empty when the file
// does not exist or cannot be read.
QString A_OpenFile(const QString& path);
