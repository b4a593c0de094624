// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UserFileRead.h"

#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/InputFile.h"
#include "platform/SystemError.h"

#include <cerrno>

QByteArray ReadUserFile(const QString& path, quint64 cap, const QString& source)
{
    InputFile file;
    if (!file.open(path))
        RaiseUserFileError(file, path, cap, source);
    std::optional<QByteArray> bytes = file.readAll(cap);
    if (!bytes)
        RaiseUserFileError(file, path, cap, source);
    return std::move(*bytes);
}

void RaiseUserFileError(const InputFile& file, const QString& path, quint64 cap,
                        const QString& source)
{
    const QString shown = DisplayFileName(path);
    const auto message = [&](int number, const QVariant& arg2 = {}) {
        return cuAppError::MsgParse(MessageTable::text(number), shown, arg2);
    };
    switch (file.error()) {
    case ENOENT:
        throw AppErrorRecord(RuntimeError::FileNotFound, source, message(Msg::FileMissing));
    case InputFile::NotRegular:
        throw AppErrorRecord(RuntimeError::PathFileAccess, source,
                             message(Msg::NotRegularFile, FileKindText(file.fileType())));
    case InputFile::TooLarge:
        throw AppErrorRecord(RuntimeError::PathFileAccess, source,
                             message(Msg::FileTooLarge, cap / (1024 * 1024)));
    default:
        throw AppErrorRecord(RuntimeError::PathFileAccess, source,
                             message(Msg::FileReadFailed, file.errorText()));
    }
}
