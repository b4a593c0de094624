// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/JobRunner.h"

#include "core/AppGlobals.h"
#include "core/cuAppError.h"
#include "platform/MessageBoxService.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace {
constexpr int kProgressPollMs = 50;
} // namespace

// What the worker thread and the window thread share for one job. The
// worker only ever touches it through the JobContext members.
class JobRunner::State final : public JobContext, public std::enable_shared_from_this<State> {
public:
    State(JobRunner* runner, std::shared_ptr<WorkerJob> job) : runner(runner), job(std::move(job))
    {
    }

    bool cancelled() const override { return stop.load(); }

    void requestStop()
    {
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        wake.notify_all();
    }

    void progress(qint64 done, qint64 total, const QString& text) override
    {
        std::lock_guard lock(mutex);
        figures = {done, total, text};
        figuresChanged = true;
    }

    struct Figures {
        qint64 done = 0;
        qint64 total = 0;
        QString text;
    };
    // The figures reported since the last call, if any (window thread).
    std::optional<Figures> takeFigures()
    {
        std::lock_guard lock(mutex);
        if (!std::exchange(figuresChanged, false))
            return std::nullopt;
        return figures;
    }

    int ask(const std::function<int()>& question) override;

    void deliver(std::function<void()> onWindowThread) override
    {
        runner->post([self = shared_from_this(), onWindowThread = std::move(onWindowThread)] {
            if (self->runner->m_state == self)
                onWindowThread();
        });
    }

    void runOnWorker()
    {
        try {
            job->run(*this);
        } catch (...) {
            error = AppErrorRecord::fromException(std::current_exception());
        }
        runner->post([self = shared_from_this()] { self->runner->finish(self); });
    }

    JobRunner* const runner;
    const std::shared_ptr<WorkerJob> job;
    std::optional<AppErrorRecord> error; // written by the worker, read after the join

private:
    struct Answer {
        bool given = false;
        int value = MsgResult::Cancel;
        std::exception_ptr failure;
    };

    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable wake;
    Figures figures;
    bool figuresChanged = false;
};

int JobRunner::State::ask(const std::function<int()>& question)
{
    auto answer = std::make_shared<Answer>();
    std::unique_lock lock(mutex);
    if (stop)
        return MsgResult::Cancel;
    runner->post([self = shared_from_this(), question, answer] {
        Answer given;
        // A question still queued when the job was cancelled is not asked.
        if (self->runner->m_state == self && !self->cancelled()) {
            try {
                given.value = question();
            } catch (...) {
                given.failure = std::current_exception();
            }
        }
        given.given = true;
        {
            std::lock_guard guard(self->mutex);
            *answer = given;
        }
        self->wake.notify_all();
    });
    wake.wait(lock, [&] { return answer->given || stop.load(); });
    if (answer->failure)
        std::rethrow_exception(answer->failure);
    return answer->given ? answer->value : MsgResult::Cancel;
}

int JobContext::askMessage(qint32 number, int buttons, const QVariant& arg1, const QVariant& arg2)
{
    return ask([=] { return AppErr().MsgShow(number, buttons, arg1, arg2); });
}

JobRunner::JobRunner(QObject* window) : QObject(window), m_poll(new QTimer(this))
{
    m_poll->setInterval(kProgressPollMs);
    connect(m_poll, &QTimer::timeout, this, &JobRunner::pollProgress);
    if (window)
        window->installEventFilter(this);
}

JobRunner::~JobRunner()
{
    // The window is going away: nothing may be called back into it.
    if (m_state)
        m_state->requestStop();
    if (m_thread.joinable())
        m_thread.join();
}

void JobRunner::setErrorPlace(const QString& module, const QString& procedure)
{
    m_errorModule = module;
    m_errorProcedure = procedure;
}

void JobRunner::start(std::function<void(JobContext&)> work)
{
    start(std::make_shared<FunctionJob>(std::move(work)));
}

void JobRunner::start(std::shared_ptr<WorkerJob> job)
{
    if (m_state)
        throw AppErrorRecord(RuntimeError::InvalidProcedureCall, QStringLiteral("JobRunner"),
                             QStringLiteral("Es läuft bereits eine Aufgabe."));
    m_state = std::make_shared<State>(this, std::move(job));
    try {
        m_thread = std::thread([state = m_state] { state->runOnWorker(); });
    } catch (...) {
        m_state.reset();
        throw;
    }
    m_poll->start();
    Q_EMIT started();
}

void JobRunner::cancel()
{
    if (m_state)
        m_state->requestStop();
}

void JobRunner::cancelAndWait()
{
    if (!m_state)
        return;
    const std::shared_ptr<State> state = m_state;
    state->requestStop();
    m_thread.join();
    // What the job delivered before it ended, and its end, are still queued.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    finish(state);
}

bool JobRunner::eventFilter(QObject* watched, QEvent* event)
{
    // A window hidden by the window system (minimised) keeps its job.
    if (watched == parent() && event->type() == QEvent::Hide && !event->spontaneous())
        cancelAndWait();
    return QObject::eventFilter(watched, event);
}

void JobRunner::post(std::function<void()> onWindowThread)
{
    QMetaObject::invokeMethod(this, std::move(onWindowThread), Qt::QueuedConnection);
}

void JobRunner::pollProgress()
{
    if (!m_state)
        return;
    if (const auto figures = m_state->takeFigures())
        Q_EMIT progressChanged(figures->done, figures->total, figures->text);
}

void JobRunner::finish(const std::shared_ptr<State>& ended)
{
    if (!ended || m_state != ended)
        return;
    if (m_thread.joinable())
        m_thread.join();
    pollProgress();
    m_poll->stop();
    m_state.reset();
    JobResult result;
    if (ended->cancelled()) {
        result.status = JobResult::Status::Cancelled;
    } else if (ended->error) {
        result.status = JobResult::Status::Failed;
        result.error = ended->error;
        if (!m_errorModule.isEmpty() || !m_errorProcedure.isEmpty())
            AppErr().ErrMsg(*ended->error, m_errorModule, m_errorProcedure);
    }
    Q_EMIT finished(result);
}
