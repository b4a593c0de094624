// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppErrorRecord.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

// Long work (renaming a folder, copying for the comparison, folder totals,
// filling the registry tree, decoding the next slide) runs as a job on a
// worker thread while its window stays responsive. A job is plain code: it
// never touches a widget or the message service itself; it reports through
// its JobContext, and a JobRunner (core/JobRunner.h) starts it and brings
// everything it says back to the window thread.
//
//   class FolderTotalsJob : public WorkerJob {
//   public:
//       void run(JobContext& context) override
//       {
//           for (qsizetype i = 0; i < files.size() && !context.cancelled(); ++i) {
//               context.progress(i, files.size(), files.at(i));
//               total += sizeOf(files.at(i)); // raise AppErrorRecord on failure
//           }
//       }
//       QStringList files; // in, set before start
//       qint64 total = 0;  // out, read once the runner reports the end
//   };

// What a running job may do besides its work. Called on the worker thread only.
class JobContext {
public:
    virtual ~JobContext() = default;

    // True once the user asked to stop ("Abbrechen", Escape, the window
    // closing). Check it between items, at least every few milliseconds, and
    // return soon after; a job that stops early simply returns.
    virtual bool cancelled() const = 0;

    // How far the job is: `done` of `total` (total 0: unknown) and a line of
    // text. Cheap enough for every item: the window picks up the latest
    // figures every 50 ms, so nothing floods it.
    virtual void progress(qint64 done, qint64 total, const QString& text = {}) = 0;

    // Runs `question` on the window thread and waits for its answer. Once
    // the job is cancelled nothing is asked and the answer is
    // MsgResult::Cancel, also for a question still waiting.
    virtual int ask(const std::function<int()>& question) = 0;
    // A numbered message through the error service, as cuAppError::MsgShow.
    int askMessage(qint32 number, int buttons, const QVariant& arg1 = {},
                   const QVariant& arg2 = {});

    // Hands a result to the window thread without waiting (rows for a model,
    // a decoded picture). Calls arrive in order, all before the job's end is
    // reported; after a cancel they may be dropped. Send batches rather
    // than one call per item when there are thousands.
    virtual void deliver(std::function<void()> onWindowThread) = 0;
};

class WorkerJob {
public:
    virtual ~WorkerJob() = default;
    // The work, on the worker thread. A failure is raised as usual
    // (AppErrorRecord or any exception); the runner reports it on the window
    // thread.
    virtual void run(JobContext& context) = 0;
};

// A job that is just a function, for work whose results its captures hold.
class FunctionJob : public WorkerJob {
public:
    explicit FunctionJob(std::function<void(JobContext&)> work) : m_work(std::move(work)) {}
    void run(JobContext& context) override { m_work(context); }

private:
    std::function<void(JobContext&)> m_work;
};

// How a job ended.
struct JobResult {
    enum class Status { Done, Cancelled, Failed };
    Status status = Status::Done;
    std::optional<AppErrorRecord> error; // set when Failed

    bool done() const { return status == Status::Done; }
};
