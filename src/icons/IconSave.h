// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

// An icon image written as a file: a bitmap (24 bit, the background colour
// behind transparent parts, as bitmaps have no transparency), an icon file
// (one 32-bit image with alpha and mask) or a PNG picture (with alpha).
namespace IconSave {
enum class Format { Bmp, Ico, Png };

// The format of a file name's extension, ignoring case; nullopt for any other.
std::optional<Format> FormatOf(const QString& fileName);
QByteArray Encode(const QImage& image, Format format, const QColor& background = Qt::white);
// Writes the file whole or not at all; raises the writer's German error.
// With `replace` false an existing name is refused.
void Save(const QString& path, const QImage& image, Format format,
          const QColor& background = Qt::white, bool replace = true);
} // namespace IconSave
