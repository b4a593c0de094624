// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IconViewState.h"

#include "core/PathUtil.h"
#include "core/TextUtil.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"

#include <QDir>

bool IconViewState::Open(const QString& folder)
{
    m_folder = AddTrailing(folder, QLatin1Char('/'));
    m_hasIconFiles = !IconListing::IconFiles(m_folder).isEmpty();
    m_hasExecutables = !IconListing::Executables(m_folder).isEmpty();
    return m_hasIconFiles || m_hasExecutables;
}

QString IconViewState::Caption() const
{
    QString caption = QStringLiteral("Icons: ") + DisplayFileName(m_folder);
    if (source == Executables)
        caption += DisplayFileName(executable);
    return caption;
}

const IconItem* IconViewState::Item(const QString& key) const
{
    for (const IconItem& item : items) {
        if (item.key == key)
            return &item;
    }
    return nullptr;
}

QString IconViewState::SaveStartFolder() const
{
    if (lastSaveFolder.isEmpty())
        return QDir::homePath();
    const std::optional<FileStatus> status = ReadFileStatus(lastSaveFolder);
    if (status && status->isFolder())
        return lastSaveFolder;
    return QDir::homePath();
}

QString IconViewState::ProposedName(const IconItem& item)
{
    return FileBaseName(item.text);
}
