// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/pRenFiles.h"

QString RenameStatusWord(RenameStatus status)
{
    switch (status) {
    case RenameStatus::Ok:
        return QStringLiteral("ok");
    case RenameStatus::Encoding:
        return QStringLiteral("encoding");
    case RenameStatus::Position:
        return QStringLiteral("position");
    case RenameStatus::Unchanged:
        return QStringLiteral("unchanged");
    case RenameStatus::Char:
        return QStringLiteral("char");
    case RenameStatus::Dot:
        return QStringLiteral("dot");
    case RenameStatus::Long:
        return QStringLiteral("long");
    case RenameStatus::Exists:
        return QStringLiteral("exists");
    case RenameStatus::Duplicate:
        return QStringLiteral("duplicate");
    }
    return {};
}

QString RenameStatusReason(RenameStatus status)
{
    switch (status) {
    case RenameStatus::Ok:
    case RenameStatus::Unchanged:
        return {};
    case RenameStatus::Encoding:
        return QStringLiteral("Der Name ist kein gültiges UTF-8; die Datei bleibt unverändert.");
    case RenameStatus::Position:
        return QStringLiteral("Die angegebene Position liegt außerhalb des Namens.");
    case RenameStatus::Char:
        return QStringLiteral("Der neue Name enthält „/“ oder ein Nullzeichen.");
    case RenameStatus::Dot:
        return QStringLiteral("Der neue Name beginnt mit einem Punkt; die Datei wäre versteckt.");
    case RenameStatus::Long:
        return QStringLiteral("Der neue Name ist länger als 255 Byte.");
    case RenameStatus::Exists:
        return QStringLiteral("Im Ordner gibt es diesen Namen schon (Groß-/Kleinschreibung "
                              "nicht beachtet).");
    case RenameStatus::Duplicate:
        return QStringLiteral("Mehrere Dateien erhielten diesen Namen (Groß-/Kleinschreibung "
                              "nicht beachtet).");
    }
    return {};
}

bool IsRenameProblem(RenameStatus status)
{
    return status != RenameStatus::Ok && status != RenameStatus::Unchanged &&
           status != RenameStatus::Encoding;
}

void pRenFiles::Add(const QString& oldName, const QByteArray& oldBytes)
{
    pRenFile file;
    file.OldName = oldName;
    file.OldBytes = oldBytes;
    m_files.append(std::move(file));
}

void pRenFiles::Reserve(qsizetype count)
{
    m_files.reserve(count);
}

qsizetype pRenFiles::ErrorCount() const
{
    return std::count_if(m_files.begin(), m_files.end(),
                         [](const pRenFile& f) { return f.Problem; });
}

qsizetype pRenFiles::ChangeCount() const
{
    return std::count_if(m_files.begin(), m_files.end(),
                         [](const pRenFile& f) { return f.Status == RenameStatus::Ok; });
}
