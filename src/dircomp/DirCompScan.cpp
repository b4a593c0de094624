// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompScan.h"

#include "core/SortHead.h"
#include "core/WorkerJob.h"
#include "platform/FolderHandle.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <future>
#include <thread>

namespace {
// How often the reading threads look at the stop flag and count.
constexpr qint64 kCheckEvery = 512;
// Enough threads for the file system's lookups to overlap; more only wait.
constexpr unsigned kMostThreads = 8;

struct Shared {
    std::atomic<bool> stop{false};
    std::atomic<qint64> count{0};
    // Counts one more file; false once the reading should stop.
    bool next(qint64& seen)
    {
        if (++seen % kCheckEvery != 0)
            return true;
        count += kCheckEvery;
        return !stop.load(std::memory_order_relaxed);
    }
};

// Runs the work on threads of their own; this thread reports progress and
// passes a stop on, so the job's context is answered from one thread only.
std::vector<int> runWatched(std::vector<std::function<int()>> work, Shared& shared,
                            JobContext* context, const QString& text)
{
    std::vector<std::future<int>> running;
    for (auto& piece : work)
        running.push_back(std::async(std::launch::async, std::move(piece)));
    using namespace std::chrono_literals;
    for (std::future<int>& one : running) {
        while (one.wait_for(20ms) != std::future_status::ready) {
            if (context && context->cancelled())
                shared.stop = true;
            if (context)
                context->progress(shared.count.load(), 0, text);
        }
    }
    if (context && context->cancelled())
        shared.stop = true;
    std::vector<int> codes;
    for (std::future<int>& one : running)
        codes.push_back(one.get());
    return codes;
}

// Byte order of the names, by their heads read once (core/SortHead.h).
void sortByName(DirCompItems& items)
{
    struct Key {
        quint64 high;
        quint64 low;
        size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const auto head = SortHead(items[i].name);
        keys.push_back({head[0], head[1], i});
    }
    std::sort(keys.begin(), keys.end(), [&items](const Key& a, const Key& b) {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        return items[a.index].name < items[b.index].name;
    });
    // Put in place cycle by cycle: no second list of all the files.
    for (size_t start = 0; start < keys.size(); ++start) {
        if (keys[start].index == start)
            continue;
        DirCompItem held = std::move(items[start]);
        size_t at = start;
        while (keys[at].index != start) {
            const size_t from = keys[at].index;
            items[at] = std::move(items[from]);
            keys[at].index = at;
            at = from;
        }
        items[at] = std::move(held);
        keys[at].index = at;
    }
}

void dropEmptied(DirCompItems& items)
{
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const DirCompItem& item) { return item.name.isEmpty(); }),
                items.end());
}
} // namespace

bool DirCompScan::ReadNames()
{
    Shared shared;
    const auto reader = [&shared](const FolderHandle& folder, DirCompItems& into) {
        return [&shared, &folder, &into] {
            qint64 seen = 0;
            const int code = folder.scan(
                [&](QByteArray&& name, const EntryStat& stat) {
                    into.push_back({std::move(name), stat});
                    return shared.next(seen);
                },
                FolderHandle::Listing::VisibleNamesOnly);
            sortByName(into);
            return code;
        };
    };
    const std::vector<int> codes =
        runWatched({reader(m_sourceFolder, source), reader(m_destFolder, dest)}, shared, m_context,
                   QStringLiteral("Ordner werden gelesen ..."));
    sourceError = codes.at(0);
    destError = codes.at(1);
    return !shared.stop;
}

bool DirCompScan::ReadTimes(bool pairedOnly)
{
    struct Task {
        const FolderHandle* folder;
        DirCompItem* item;
        std::atomic<int>* error;
    };
    std::atomic<int> errors[2] = {0, 0};
    std::vector<Task> tasks;
    tasks.reserve(source.size() + dest.size());
    for (DirCompItem& item : source) {
        if (!pairedOnly || item.partner >= 0)
            tasks.push_back({&m_sourceFolder, &item, &errors[0]});
    }
    for (DirCompItem& item : dest) {
        if (!pairedOnly || item.partner >= 0)
            tasks.push_back({&m_destFolder, &item, &errors[1]});
    }
    Shared shared;
    const size_t threads = std::clamp(std::thread::hardware_concurrency(), 2u, kMostThreads);
    std::vector<std::function<int()>> work;
    for (size_t t = 0; t < threads; ++t) {
        const size_t from = tasks.size() * t / threads;
        const size_t to = tasks.size() * (t + 1) / threads;
        work.push_back([&tasks, &shared, from, to] {
            qint64 seen = 0;
            for (size_t i = from; i < to && shared.next(seen); ++i) {
                DirCompItem& item = *tasks[i].item;
                const int code = tasks[i].folder->statAt(item.name, item.stat);
                if (code == ENOENT || (code == 0 && !item.stat.isRegular()))
                    item.name.clear(); // gone since it was listed
                else if (code != 0)
                    tasks[i].error->store(code);
            }
            return 0;
        });
    }
    runWatched(std::move(work), shared, m_context, QStringLiteral("Dateien werden gelesen ..."));
    sourceError = errors[0];
    destError = errors[1];
    dropEmptied(source);
    dropEmptied(dest);
    return !shared.stop;
}
