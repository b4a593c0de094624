// SPDX-License-Identifier: GPL-3.0-or-later
#include "comreg/LibraryCopy.h"

#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/PathUtil.h"
#include "core/SafeFileWriter.h"
#include "core/UserFileRead.h"
#include "core/cuAppError.h"
#include "fileinfo/FileVersionInfo.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/InputFile.h"

#include <limits>

namespace {
const QString kSource = QStringLiteral("LibraryCopy");
// The longest name most Linux file systems take, in bytes.
constexpr qsizetype kMaxNameBytes = 255;
constexpr quint64 kChunk = 1 << 20;
} // namespace

LibraryCopy::LibraryCopy(QString source) : m_source(std::move(source))
{
    FileVersionInfo info;
    info.setFullPathName(m_source);
    if (info.Available())
        m_version = info.FileVersion();
}

QString LibraryCopy::VersionedName(const QString& fileName, const QString& version)
{
    QString cleaned = version;
    for (QChar& c : cleaned) {
        if (c == QLatin1Char('/') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    cleaned = cleaned.trimmed();
    if (cleaned.isEmpty())
        return {};
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return fileName + QLatin1Char('_') + cleaned;
    return fileName.left(dot) + QLatin1Char('_') + cleaned + fileName.mid(dot);
}

QString LibraryCopy::NewName() const
{
    return VersionedName(FileNameOf(m_source), m_version);
}

QString LibraryCopy::Destination() const
{
    const QString name = NewName();
    return name.isEmpty() ? QString() : FolderOf(m_source, false, true) + name;
}

bool LibraryCopy::DestinationExists() const
{
    const QString destination = Destination();
    return !destination.isEmpty() && ReadFileStatus(destination, FollowLinks::No);
}

void LibraryCopy::Copy(bool replaceExisting) const
{
    const QString name = NewName();
    if (name.isEmpty())
        throw AppErrorRecord(RuntimeError::InvalidProcedureCall, kSource,
                             AppErr().MsgLoad(Msg::CopyNoVersionInfo, DisplayFileName(m_source)));
    if (EncodeFileName(name).size() > kMaxNameBytes)
        throw AppErrorRecord(RuntimeError::BadFileName, kSource,
                             AppErr().MsgLoad(Msg::NameTooLong, DisplayFileName(name)));
    constexpr quint64 kNoCap = std::numeric_limits<quint64>::max();
    InputFile source;
    const std::optional<FileStatus> status =
        source.open(m_source) ? ReadFileStatus(m_source) : std::nullopt;
    if (!status)
        RaiseUserFileError(source, m_source, kNoCap, kSource);

    SafeFileWriter out(Destination(), replaceExisting ? SafeFileWriter::Mode::Replace
                                                      : SafeFileWriter::Mode::NoReplace);
    out.setPermissions(status->mode & 0777);
    out.setModificationTime(status->modification.seconds, status->modification.nanoseconds);
    out.open();
    QByteArray chunk(qsizetype(kChunk), Qt::Uninitialized);
    for (quint64 offset = 0;;) {
        const auto got = source.readSome(offset, chunk.data(), kChunk);
        if (!got)
            RaiseUserFileError(source, m_source, kNoCap, kSource);
        if (*got == 0)
            break;
        out.write(QByteArrayView(chunk.constData(), *got));
        offset += quint64(*got);
    }
    out.commit();
}
