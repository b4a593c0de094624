// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompCopy.h"

#include "core/MessageTable.h"
#include "dircomp/DirCompFailure.h"
#include "platform/FileHandle.h"
#include "platform/FolderHandle.h"

#include <QList>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>

namespace {
// Short whatever the target's name, so that it fits beside a name of 255 bytes.
constexpr char kTempPrefix[] = ".~tolvane-";
constexpr int kTempRandom = 8;
constexpr qint64 kChunk = 1 << 20;

QByteArray temporaryName()
{
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QByteArray name(kTempPrefix);
    for (int i = 0; i < kTempRandom; ++i)
        name += digits[QRandomGenerator::global()->bounded(36)];
    return name;
}

// The temporary file until it has become the target.
class Temporary {
public:
    Temporary(const FolderHandle& folder, const QByteArray& path, const QByteArray& target)
        : m_folder(folder)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_name = temporaryName();
            const int code = file.createLocked(folder, m_name);
            if (code == 0)
                return;
            file.close();
            if (code != EEXIST && code != EWOULDBLOCK) {
                m_name.clear();
                DirCompFail(Msg::FileWriteFailed, path, target, code);
            }
        }
        m_name.clear();
        DirCompFail(Msg::FileWriteFailed, path, target, EEXIST);
    }
    ~Temporary()
    {
        file.close();
        if (!m_name.isEmpty())
            m_folder.removeAt(m_name);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    const QByteArray& name() const { return m_name; }
    void release() { m_name.clear(); }

    FileHandle file;

private:
    const FolderHandle& m_folder;
    QByteArray m_name;
};

// What holds the target name now that a rename could not take it.
DirCompCopy::Result occupied(const FolderHandle& folder, const QByteArray& target)
{
    EntryStat now;
    if (folder.statAt(target, now) == 0 && !now.isRegular())
        return DirCompCopy::Result::Blocked;
    return DirCompCopy::Result::Changed;
}
} // namespace

bool DirCompCopy::IsTemporaryName(const QByteArray& name)
{
    const qsizetype prefix = qsizetype(sizeof(kTempPrefix) - 1);
    if (name.size() != prefix + kTempRandom || !name.startsWith(kTempPrefix))
        return false;
    return std::all_of(name.begin() + prefix, name.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

DirCompCopy::Result DirCompCopy::Copy(Side from, const DirCompItem& source, Side to,
                                      const QByteArray& target, const EntryStat* replaced,
                                      const std::function<bool(qint64)>& goOn)
{
    FileHandle in;
    if (const int code = in.openRead(from.folder, source.name)) {
        // Gone, a link or no longer a regular file since it was compared.
        if (code == ENOENT || code == ELOOP || code == EINVAL)
            return Result::Changed;
        DirCompFail(Msg::FileReadFailed, from.path, source.name, code);
    }
    EntryStat before;
    if (const int code = in.stat(before))
        DirCompFail(Msg::FileReadFailed, from.path, source.name, code);
    if (!before.sameFile(source.stat))
        return Result::Changed;

    Temporary temp(to.folder, to.path, target);
    const auto failWrite = [&](int code) {
        DirCompFail(Msg::FileWriteFailed, to.path, target, code);
    };
    for (qint64 offset = 0; offset < before.size;) {
        if (!goOn(offset))
            return Result::Cancelled;
        const qint64 done = temp.file.copyFrom(in, offset, std::min(kChunk, before.size - offset));
        if (done < 0)
            failWrite(int(-done));
        if (done == 0)
            return Result::Changed; // the source got shorter
        offset += done;
    }
    EntryStat after;
    if (const int code = in.stat(after))
        DirCompFail(Msg::FileReadFailed, from.path, source.name, code);
    if (!after.unchanged(before))
        return Result::Changed; // written to while it was copied
    if (const int code = temp.file.copyModeAndTime(before))
        failWrite(code);
    if (const int code = temp.file.sync())
        failWrite(code);

    if (replaced) {
        EntryStat now;
        const int code = to.folder.statAt(target, now);
        if (code == 0 && !now.isRegular())
            return Result::Blocked;
        if (code == ENOENT || (code == 0 && !now.sameFile(*replaced)))
            return Result::Changed;
        if (code != 0)
            failWrite(code);
    }
    const int code = to.folder.renameAt(temp.name(), target, replaced != nullptr);
    if (code == EEXIST || code == ENOTEMPTY || code == EISDIR)
        return occupied(to.folder, target);
    if (code != 0)
        failWrite(code);
    temp.release();
    return Result::Copied;
}

void DirCompCopy::RemoveLeftovers(const FolderHandle& folder)
{
    QList<QByteArray> names;
    folder.scan(
        [&names](QByteArray&& name, const EntryStat&) {
            if (IsTemporaryName(name))
                names.append(std::move(name));
            return true;
        },
        FolderHandle::Listing::Hidden);
    for (const QByteArray& name : std::as_const(names)) {
        FileHandle held;
        if (held.lockExisting(folder, name) == 0)
            folder.removeAt(name);
    }
}
