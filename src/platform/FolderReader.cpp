// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderReader.h"

#include "platform/FileNameCodec.h"

#include <cstring>

#include <sys/stat.h>

FolderReader::FolderReader(const QString& folder)
{
    if (!folder.isEmpty())
        m_dir = opendir(EncodeFileName(folder).constData());
}

FolderReader::~FolderReader()
{
    if (m_dir)
        closedir(m_dir);
}

bool FolderReader::next()
{
    if (!m_dir)
        return false;
    while ((m_entry = readdir(m_dir)) != nullptr) {
        if (std::strcmp(m_entry->d_name, ".") != 0 && std::strcmp(m_entry->d_name, "..") != 0)
            return true;
    }
    return false;
}

FolderReader::Kind FolderReader::kind() const
{
    unsigned char type = m_entry->d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
        // File systems that do not fill d_type, and links: ask for the target.
        struct stat st;
        if (fstatat(dirfd(m_dir), m_entry->d_name, &st, 0) != 0)
            return Kind::Other;
        return S_ISREG(st.st_mode)   ? Kind::Regular
               : S_ISDIR(st.st_mode) ? Kind::Folder
                                     : Kind::Other;
    }
    return type == DT_REG ? Kind::Regular : type == DT_DIR ? Kind::Folder : Kind::Other;
}
