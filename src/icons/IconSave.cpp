// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IconSave.h"

#include "core/SafeFileWriter.h"
#include "icons/IcoFile.h"

#include <QBuffer>
#include <QPainter>

std::optional<IconSave::Format> IconSave::FormatOf(const QString& fileName)
{
    const QString name = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return std::nullopt;
    const QString extension = name.mid(dot + 1).toLower();
    if (extension == QLatin1String("bmp"))
        return Format::Bmp;
    if (extension == QLatin1String("ico"))
        return Format::Ico;
    if (extension == QLatin1String("png"))
        return Format::Png;
    return std::nullopt;
}

QByteArray IconSave::Encode(const QImage& image, Format format, const QColor& background)
{
    if (format == Format::Ico)
        return IcoFile::write({image});
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (format == Format::Bmp) {
        // An image without alpha is written with 24 bits a pixel.
        out = QImage(image.size(), QImage::Format_RGB32);
        out.fill(background);
        QPainter painter(&out);
        painter.drawImage(0, 0, image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    out.save(&buffer, format == Format::Bmp ? "BMP" : "PNG");
    return bytes;
}

void IconSave::Save(const QString& path, const QImage& image, Format format,
                    const QColor& background, bool replace)
{
    SafeFileWriter::WriteFile(path, Encode(image, format, background),
                              replace ? SafeFileWriter::Mode::Replace
                                      : SafeFileWriter::Mode::NoReplace);
}
