// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/pDirComp.h"

#include "core/MessageTable.h"
#include "dircomp/CaseProbe.h"
#include "dircomp/DirCompFailure.h"
#include "dircomp/DirCompPairing.h"
#include "dircomp/DirCompScan.h"
#include "platform/FileNameCodec.h"

#include <cerrno>

namespace {
QByteArray withTrailingSlash(const QString& path)
{
    QByteArray bytes = EncodeFileName(path);
    if (!bytes.endsWith('/'))
        bytes += '/';
    return bytes;
}

[[noreturn]] void failFolder(const QByteArray& path, int code)
{
    DirCompFail(Msg::FolderReadFailed, path, {}, code);
}
} // namespace

void pDirComp::checkRead(const DirCompScan& scan) const
{
    if (scan.sourceError)
        failFolder(m_sourcePath, scan.sourceError);
    if (scan.destError)
        failFolder(m_destPath, scan.destError);
}

void pDirComp::clear()
{
    m_source.clear();
    m_dest.clear();
    m_sourceDiffers = false;
    m_destExtra = false;
}

void pDirComp::open(FolderHandle& folder, const QByteArray& path)
{
    if (const int code = folder.open(path))
        failFolder(path, code);
}

pDirComp::Outcome pDirComp::Compare(const QString& source, const QString& dest, JobContext* context,
                                    Use use)
{
    clear();
    m_canSync = use == Use::Sync;
    m_sourcePath = withTrailingSlash(source);
    m_destPath = withTrailingSlash(dest);
    if (source.isEmpty())
        failFolder({}, ENOENT);
    if (dest.isEmpty())
        failFolder({}, ENOENT);
    open(m_sourceFolder, m_sourcePath);
    open(m_destFolder, m_destPath);
    // One folder under two paths (a link, "/./", another spelling): every
    // file would pair with itself.
    if (m_sourceFolder.device() == m_destFolder.device() &&
        m_sourceFolder.inode() == m_destFolder.inode())
        return Outcome::SameFolder;
    DirCompScan scan(m_sourceFolder, m_destFolder, context);
    if (!scan.ReadNames())
        return Outcome::Cancelled;
    checkRead(scan);
    if (scan.source.empty() && scan.dest.empty())
        return Outcome::BothEmpty;
    if (m_canSync && !scan.ReadTimes(false))
        return Outcome::Cancelled;
    checkRead(scan);
    const CaseTest& ignoresCase = m_caseTest ? m_caseTest : CaseTest(FolderIgnoresCase);
    const DirCompCase rule{ignoresCase(m_sourceFolder, scan.source),
                           ignoresCase(m_destFolder, scan.dest)};
    PairAndClass(scan.source, scan.dest, rule);
    if (!m_canSync) {
        // Only files in both folders need their times: the others' class
        // follows from their names alone.
        if (!scan.ReadTimes(true))
            return Outcome::Cancelled;
        checkRead(scan);
        PairAndClass(scan.source, scan.dest, rule);
    }
    m_source = std::move(scan.source);
    m_dest = std::move(scan.dest);
    for (const DirCompItem& item : m_source)
        m_sourceDiffers = m_sourceDiffers || item.cls == DirCompClass::Differs;
    for (const DirCompItem& item : m_dest)
        m_destExtra = m_destExtra || item.cls == DirCompClass::Extra;
    return Outcome::Compared;
}
