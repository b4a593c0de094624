// SPDX-License-Identifier: GPL-3.0-or-later
#include "filetimes/pDateTime.h"

#include "core/FileUtil.h"
#include "platform/FileStatus.h"
#include "platform/SystemError.h"

#include <cerrno>

QString pDateTime::BirthTimeNotSettable()
{
    return QStringLiteral("Das Erstellungsdatum kann unter Linux nicht gesetzt werden.");
}

QString pDateTime::BirthTimeUnchanged()
{
    return QStringLiteral("Das Erstellungsdatum bleibt unverändert.");
}

qint32 pDateTime::Run(const QDateTime& date)
{
    m_unchanged.clear();
    qint32 count = 0;
    for (const QString& path : std::as_const(m_files)) {
        if (ProcessFile(path, date))
            ++count;
    }
    return count;
}

bool pDateTime::ProcessFile(const QString& path, const QDateTime& date)
{
    if (m_mode == Creation) {
        m_unchanged.append({path, BirthTimeNotSettable()});
        return false;
    }
    // Folders are set by the folder command; this one dates files.
    if (IsFolder(path)) {
        m_unchanged.append({path, SystemErrorSentence(EISDIR)});
        return false;
    }
    const qint32 which = m_mode > LastWrite ? ftAll : m_mode;
    if (SetFileTimeDate(path, which, m_action == ResetTime ? QDateTime() : date,
                        m_action == ResetTime))
        return true;
    const int code = errno;
    m_unchanged.append({path, SystemErrorSentence(code)});
    return false;
}
