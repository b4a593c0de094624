// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompFailure.h"

#include "core/AppErrorRecord.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"

QString DirCompShownPath(const QByteArray& folder, const QByteArray& name)
{
    return DisplayFileName(DecodeFileName(folder + name));
}

void DirCompFail(int message, const QByteArray& folder, const QByteArray& name, int code)
{
    throw AppErrorRecord(RuntimeError::FromErrno(code), QStringLiteral("pDirComp"),
                         cuAppError::MsgParse(MessageTable::text(message),
                                              DirCompShownPath(folder, name),
                                              SystemErrorText(code)));
}
