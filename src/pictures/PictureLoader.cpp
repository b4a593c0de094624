// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/PictureLoader.h"

#include "core/AppErrorRecord.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace {
constexpr qint32 kInvalidPicture = 481;

// A file whose reads fail once `cancel` is set: a decoder reading from it
// gives up at its next read instead of finishing a picture nobody wants.
class CancellableFile : public QFile {
public:
    explicit CancellableFile(const std::atomic<bool>* cancel) : m_cancel(cancel) {}

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_cancel && m_cancel->load())
            return -1;
        return QFile::readData(data, maxSize);
    }

private:
    const std::atomic<bool>* m_cancel;
};

LoadedPicture Failed(const QString& path, qint32 number, const QString& reason)
{
    LoadedPicture picture;
    picture.path = path;
    picture.failureNumber = number;
    picture.failure = reason;
    return picture;
}

LoadedPicture FailedSystemCall(const QString& path, int code)
{
    const qint32 number = code == ENOENT   ? RuntimeError::FileNotFound
                          : code == EACCES ? RuntimeError::PermissionDenied
                                           : kInvalidPicture;
    return Failed(path, number, SystemErrorText(code) + QLatin1Char('.'));
}

// Why the reader gave no picture. The reader refuses a picture whose pixels
// would take more than its allocation limit before it allocates them.
QString ReadFailure(const QImageReader& reader, const QSize& stored)
{
    if (reader.error() == QImageReader::UnsupportedFormatError)
        return QStringLiteral("Das Dateiformat wird nicht unterstützt.");
    const double megabytes = double(stored.width()) * stored.height() * 4 / (1024.0 * 1024.0);
    if (stored.isValid() && megabytes > QImageReader::allocationLimit())
        return QStringLiteral("Das Bild ist mit %1 x %2 Pixeln zu groß.")
            .arg(stored.width())
            .arg(stored.height());
    return QStringLiteral("Die Bilddaten sind beschädigt oder unvollständig.");
}
LoadedPicture ReadPicture(QImageReader& reader, const QString& path,
                          const PictureLoader::DecodeSizeFor& decodeSize)
{
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    // A picture turned by its orientation tag is decoded in its stored
    // orientation: the scaled size is asked for turned back.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    LoadedPicture picture;
    picture.path = path;
    if (stored.isValid()) {
        picture.naturalSize = turned ? stored.transposed() : stored;
        const QSize decode = decodeSize ? decodeSize(picture.naturalSize) : picture.naturalSize;
        if (decode.isValid() && !decode.isEmpty() && decode != picture.naturalSize)
            reader.setScaledSize(turned ? decode.transposed() : decode);
    }
    picture.image = reader.read();
    if (picture.image.isNull())
        return Failed(path, kInvalidPicture, ReadFailure(reader, stored));
    if (!picture.naturalSize.isValid())
        picture.naturalSize = picture.image.size();
    return picture;
}
} // namespace

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

LoadedPicture PictureLoader::Decode(const QString& path, const DecodeSizeFor& decodeSize,
                                    const std::atomic<bool>* cancel)
{
    struct stat st {};
    if (::stat(EncodeFileName(path).constData(), &st) != 0)
        return FailedSystemCall(path, errno);
    if (!S_ISREG(st.st_mode))
        return Failed(path, kInvalidPicture,
                      QStringLiteral("Das ist %1, keine Bilddatei.").arg(FileKindText(st.st_mode)));
    if (st.st_size == 0)
        return Failed(path, kInvalidPicture, QStringLiteral("Die Datei ist leer."));
    // Opened by its bytes (a name need not be UTF-8).
    CancellableFile file(cancel);
    if (!OpenFileByName(file, path, QIODevice::ReadOnly, ReadAccess::KeepAccessTime))
        return FailedSystemCall(path, errno);
    // The content tells the format, so a PNG named ".jpg" is shown all the
    // same; only a format without a signature of its own (TGA) needs the
    // name as well.
    QImageReader byContent(&file);
    byContent.setDecideFormatFromContent(true);
    LoadedPicture picture = ReadPicture(byContent, path, decodeSize);
    if (!picture.isNull() || !file.seek(0))
        return picture;
    QImageReader byName(&file, QFileInfo(path).suffix().toLower().toLatin1());
    return byName.canRead() ? ReadPicture(byName, path, decodeSize) : picture;
}

LoadedPicture PictureLoader::Load(const QString& path, const QSize& shownSize)
{
    return Load(path, [shownSize](const QSize& natural) { return DecodeSize(natural, shownSize); });
}

LoadedPicture PictureLoader::Load(const QString& path, const DecodeSizeFor& decodeSize)
{
    LoadedPicture picture = Decode(path, decodeSize);
    if (picture.failureNumber == RuntimeError::FileNotFound)
        throw AppErrorRecord(
            picture.failureNumber, QStringLiteral("PictureLoader: Load"),
            QStringLiteral("Datei nicht gefunden: '%1'").arg(DisplayFileName(path)));
    if (picture.failureNumber != 0)
        throw AppErrorRecord(picture.failureNumber, QStringLiteral("PictureLoader: Load"),
                             QStringLiteral("Ungültiges Bild: '%1' kann nicht gelesen werden. %2")
                                 .arg(DisplayFileName(path), picture.failure));
    return picture;
}
