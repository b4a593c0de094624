// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompScan.h"

#include "core/WorkerJob.h"
#include "platform/FolderHandle.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>

namespace {
// How often the reading threads look at the stop flag and count.
constexpr qint64 kCheckEvery = 512;

int readFolder(const FolderHandle& folder, DirCompItems& into, std::atomic<bool>& stop,
               std::atomic<qint64>& count)
{
    qint64 seen = 0;
    const int code = folder.scan([&](QByteArray&& name, const EntryStat& stat) {
        into.push_back({std::move(name), stat});
        if (++seen % kCheckEvery == 0) {
            count += kCheckEvery;
            return !stop.load(std::memory_order_relaxed);
        }
        return true;
    });
    std::sort(into.begin(), into.end(),
              [](const DirCompItem& a, const DirCompItem& b) { return a.name < b.name; });
    return code;
}
} // namespace

void DirCompScan::Read(const FolderHandle& sourceFolder, const FolderHandle& destFolder,
                       JobContext* context)
{
    std::atomic<bool> stop{false};
    std::atomic<qint64> count{0};
    const auto report = [&] {
        if (context && context->cancelled())
            stop = true;
        if (context)
            context->progress(count.load(), 0, QStringLiteral("Ordner werden gelesen ..."));
    };
    std::future<int> destRead =
        std::async(std::launch::async, [&] { return readFolder(destFolder, dest, stop, count); });
    std::future<int> sourceRead = std::async(
        std::launch::async, [&] { return readFolder(sourceFolder, source, stop, count); });
    // This thread only watches: the job's context is answered from it alone.
    using namespace std::chrono_literals;
    const auto ready = [](const std::future<int>& f) {
        return f.wait_for(0ms) == std::future_status::ready;
    };
    while (!ready(sourceRead) || !ready(destRead)) {
        (ready(sourceRead) ? destRead : sourceRead).wait_for(20ms);
        report();
    }
    sourceError = sourceRead.get();
    destError = destRead.get();
    cancelled = stop.load();
}
