// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/TextPreview.h"

#include "core/AnsiText.h"
#include "platform/FileNameCodec.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// Length of an incomplete UTF-8 sequence at the end of the bytes (0 if none).
qsizetype CutSequenceLength(const QByteArray& bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // continuation byte: look further back for the lead
        const int needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? back : 0;
    }
    return 0;
}

bool DecodeUtf8Strict(QByteArrayView bytes, QString& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError();
}
} // namespace

QString TextPreview::Read(const QString& path, qint64 limit)
{
    QFile file;
    if (limit <= 0 || !OpenFileByName(file, path, QIODevice::ReadOnly, ReadAccess::KeepAccessTime))
        return {};
    const QByteArray bytes = file.read(limit);
    const bool mayBeCut = bytes.size() == limit && !file.atEnd();
    return Decode(bytes, mayBeCut);
}

QString TextPreview::Decode(const QByteArray& bytes, bool mayBeCut)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringDecoder(QStringDecoder::Utf8).decode(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const auto encoding =
            bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE;
        QByteArray body = bytes.mid(2);
        if (body.size() % 2 != 0)
            body.chop(1);
        return QStringDecoder(encoding).decode(body);
    }
    QString text;
    if (DecodeUtf8Strict(bytes, text))
        return text;
    if (mayBeCut) {
        const qsizetype cut = CutSequenceLength(bytes);
        if (cut > 0 && DecodeUtf8Strict(QByteArrayView(bytes).chopped(cut), text))
            return text;
    }
    return decodeWindows1252(bytes);
}

QString A_OpenFile(const QString& path)
{
    QFile file;
    if (!OpenFileByName(file, path, QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll());
}

PreviewKind PreviewOf(const QString& fileName, bool isPicture)
{
    if (isPicture)
        return PreviewKind::Picture;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QStringView extension = dot < 0 ? QStringView() : QStringView(fileName).mid(dot + 1);
    for (const char* text : {"txt", "ini"}) {
        if (extension.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return PreviewKind::Text;
    }
    return PreviewKind::None;
}
