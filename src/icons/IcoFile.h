// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "icons/IconGroup.h"

#include <QByteArrayView>
#include <QImage>
#include <QList>

#include <optional>

// Icon files (.ico): a directory of images, each a bitmap with its mask or a
// PNG stream, found by offset and size.
class IcoFile {
public:
    // The icon's images; nullopt when the bytes are no icon file. Entries
    // whose offset or size leave the file are left out.
    static std::optional<IconGroup> read(QByteArrayView bytes);
    // True when the bytes begin like an icon file.
    static bool looksLikeIcon(QByteArrayView bytes);
    // An icon file with each image as a 32-bit bitmap and its mask.
    static QByteArray write(const QList<QImage>& images);
};
