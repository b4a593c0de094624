// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/PictureLoader.h"

#include "core/AppErrorRecord.h"
#include "platform/FileNameCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr qint32 kInvalidPicture = 481;
}

bool LoadedPicture::NeedsLargerDecode(const QSize& shownSize) const
{
    if (image.isNull() || !shownSize.isValid())
        return false;
    const QSize wanted = PictureLoader::DecodeSize(naturalSize, shownSize);
    return wanted.width() > image.width() || wanted.height() > image.height();
}

QSize PictureLoader::DecodeSize(const QSize& natural, const QSize& shownSize)
{
    if (natural.isEmpty() || !shownSize.isValid() || shownSize.isEmpty())
        return natural;
    // Enough for both the fitted and the stretched drawing: the larger of the
    // two scale factors, never above the natural size.
    const double scale = std::min(1.0, std::max(double(shownSize.width()) / natural.width(),
                                                double(shownSize.height()) / natural.height()));
    return QSize(std::max(1, int(std::ceil(natural.width() * scale))),
                 std::max(1, int(std::ceil(natural.height() * scale))));
}

LoadedPicture PictureLoader::Load(const QString& path, const QSize& shownSize)
{
    const QString source = QStringLiteral("PictureLoader: Load");
    struct stat st {};
    if (::stat(EncodeFileName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        throw AppErrorRecord(
            RuntimeError::FileNotFound, source,
            QStringLiteral("Datei nicht gefunden: '%1'").arg(DisplayFileName(path)));
    // Opened here by the name's bytes (the reader would pass a name that is
    // not UTF-8 through the locale's encoding and miss the file) and without
    // moving its access time.
    QFile file;
    QImageReader reader;
    if (OpenFileByName(file, path, QIODevice::ReadOnly, ReadAccess::KeepAccessTime)) {
        reader.setDevice(&file);
        reader.setFormat(QFileInfo(path).suffix().toLower().toLatin1());
    } else {
        reader.setFileName(path);
    }
    reader.setAutoTransform(true);
    QSize stored = reader.size();
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    LoadedPicture picture;
    picture.path = path;
    if (stored.isValid()) {
        picture.naturalSize = turned ? stored.transposed() : stored;
        const QSize decode = DecodeSize(picture.naturalSize, shownSize);
        if (decode != picture.naturalSize)
            reader.setScaledSize(turned ? decode.transposed() : decode);
    }
    picture.image = reader.read();
    if (picture.image.isNull())
        throw AppErrorRecord(kInvalidPicture, source,
                             QStringLiteral("Ungültiges Bild: '%1' kann nicht gelesen werden.")
                                 .arg(DisplayFileName(path)));
    if (!picture.naturalSize.isValid())
        picture.naturalSize = picture.image.size();
    return picture;
}
