// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/pDirTotals.h"

#include "platform/FileNameCodec.h"
#include "platform/WalkFolder.h"

#include <cerrno>
#include <chrono>
#include <unordered_set>
#include <vector>

namespace {
using Entry = WalkFolder::Entry;
using Clock = std::chrono::steady_clock;

// Folders kept open below the walk's top; deeper trees reopen a parent
// through ".." on the way back up.
constexpr std::size_t kMaxOpen = 32;
constexpr auto kPublishEvery = std::chrono::milliseconds(50);

struct Pending {
    QByteArray name;
    Entry entry;
};

struct Level {
    WalkFolder handle;
    Entry self;
    QByteArray name;
    std::vector<Pending> pending;
};

struct InodeHash {
    std::size_t operator()(const std::pair<quint64, quint64>& id) const
    {
        return std::hash<quint64>()(id.first * 0x9E3779B97F4A7C15ull ^ id.second);
    }
};
} // namespace

// One run of Count(): the stack of folders on the current path and what is
// counted so far.
class DirWalk {
public:
    DirWalk(pDirTotals& owner, const std::function<bool()>& cancelled, const QByteArray& root)
        : m_owner(owner), m_cancelled(cancelled), m_rootPath(root)
    {
    }

    pDirTotals::Outcome run(WalkFolder root);

private:
    bool stopAsked() const { return m_cancelled && m_cancelled(); }
    void read(Level& level);
    void countEntry(const char* name, const Entry& entry, Level& level);
    bool onPath(const Entry& entry) const;
    void enter(Pending next);
    void leave();
    bool reopenFromRoot(std::size_t index);
    void publish(bool now);
    QByteArray currentPath() const;

    pDirTotals& m_owner;
    const std::function<bool()>& m_cancelled;
    QByteArray m_rootPath;
    pDirTotals::Figures m_figures;
    std::vector<Level> m_stack;
    std::size_t m_lowestOpen = 0; // levels below it (except the root) are closed
    quint64 m_device = 0;
    std::unordered_set<std::pair<quint64, quint64>, InodeHash> m_linkedSeen;
    Clock::time_point m_lastPublish;
    unsigned m_sincePublish = 0;
};

pDirTotals::Outcome DirWalk::run(WalkFolder root)
{
    m_device = root.self().device;
    Level top;
    top.self = root.self();
    top.handle = std::move(root);
    m_stack.push_back(std::move(top));
    m_lastPublish = Clock::now();
    read(m_stack.back());
    while (!m_stack.empty() && !stopAsked()) {
        Level& level = m_stack.back();
        if (level.pending.empty()) {
            leave();
            continue;
        }
        Pending next = std::move(level.pending.back());
        level.pending.pop_back();
        enter(std::move(next));
    }
    const bool stopped = !m_stack.empty();
    m_stack.clear();
    publish(true);
    return stopped ? pDirTotals::Outcome::Cancelled : pDirTotals::Outcome::Complete;
}

void DirWalk::read(Level& level)
{
    publish(false);
    Entry entry;
    int error = 0;
    bool entriesHidden = false;
    while (level.handle.next(&error)) {
        if (stopAsked())
            return;
        const char* name = level.handle.name();
        int lookError = 0;
        if (level.handle.look(name, entry, &lookError))
            countEntry(name, entry, level);
        else if (lookError != ENOENT) // a name that has gone is no fault
            entriesHidden = true;
        if (++m_sincePublish % 256 == 0)
            publish(false);
    }
    if (error != 0 || entriesHidden)
        ++m_figures.unreadable;
}

void DirWalk::countEntry(const char* name, const Entry& entry, Level& level)
{
    if (entry.isRegular()) {
        ++m_figures.files;
        if (entry.links > 1 && !m_linkedSeen.emplace(entry.device, entry.inode).second)
            return;
        m_figures.size += entry.size;
        m_figures.allocated += entry.allocated;
    } else if (entry.isFolder()) {
        ++m_figures.folders;
        if (entry.device != m_device || onPath(entry))
            ++m_figures.notEntered;
        else
            level.pending.push_back({QByteArray(name), entry});
    } else {
        ++m_figures.others;
    }
}

bool DirWalk::onPath(const Entry& entry) const
{
    for (const Level& level : m_stack) {
        if (level.self.sameAs(entry))
            return true;
    }
    return false;
}

void DirWalk::enter(Pending next)
{
    Level child;
    int error = 0;
    if (!child.handle.openChild(m_stack.back().handle, next.name.constData(), next.entry, &error)) {
        // Gone, or swapped for a link or another folder since it was looked at.
        if (error != ENOENT && error != ENOTDIR && error != ELOOP)
            ++m_figures.unreadable;
        return;
    }
    child.self = next.entry;
    child.name = std::move(next.name);
    m_stack.push_back(std::move(child));
    if (m_stack.size() - std::max<std::size_t>(m_lowestOpen, 1) > kMaxOpen) {
        const std::size_t oldest = std::max<std::size_t>(m_lowestOpen, 1);
        m_stack[oldest].handle.close();
        m_lowestOpen = oldest + 1;
    }
    read(m_stack.back());
}

void DirWalk::leave()
{
    Level done = std::move(m_stack.back());
    m_stack.pop_back();
    if (m_stack.empty())
        return;
    const std::size_t index = m_stack.size() - 1;
    Level& parent = m_stack.back();
    if (parent.handle.isOpen())
        return;
    m_lowestOpen = index;
    int error = 0;
    if (done.handle.isOpen() && parent.handle.openParent(done.handle, parent.self, &error))
        return;
    if (!reopenFromRoot(index))
        parent.pending.clear(); // moved away meanwhile: what is left of it is out of reach
}

// The slow way back, for a folder that is no longer the parent of the one
// just left (moved while it was read): down from the root by name, each step
// checked against what was seen.
bool DirWalk::reopenFromRoot(std::size_t index)
{
    WalkFolder current;
    const WalkFolder* from = &m_stack[0].handle;
    for (std::size_t i = 1; i <= index; ++i) {
        WalkFolder step;
        int error = 0;
        if (!step.openChild(*from, m_stack[i].name.constData(), m_stack[i].self, &error))
            return false;
        current = std::move(step);
        from = &current;
    }
    m_stack[index].handle = std::move(current);
    return true;
}

void DirWalk::publish(bool now)
{
    const Clock::time_point time = Clock::now();
    if (!now && time - m_lastPublish < kPublishEvery)
        return;
    m_lastPublish = time;
    m_owner.publish(m_figures, currentPath());
}

QByteArray DirWalk::currentPath() const
{
    QByteArray path = m_rootPath;
    for (std::size_t i = 1; i < m_stack.size(); ++i) {
        if (!path.endsWith('/'))
            path += '/';
        path += m_stack[i].name;
    }
    return path;
}

pDirTotals::Outcome pDirTotals::Count(const QString& folder, const std::function<bool()>& cancelled)
{
    publish(Figures(), EncodeFileName(folder));
    WalkFolder root;
    m_rootError = 0;
    if (!root.open(folder, &m_rootError))
        return Outcome::Unreadable;
    DirWalk walk(*this, cancelled, EncodeFileName(folder));
    return walk.run(std::move(root));
}

pDirTotals::Figures pDirTotals::Current() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_figures;
}

QByteArray pDirTotals::CurrentFolder() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QByteArray(m_folder.data(), qsizetype(m_folder.size()));
}

void pDirTotals::publish(const Figures& figures, const QByteArray& folder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_figures = figures;
    m_folder.assign(folder.constData(), std::size_t(folder.size()));
}
