// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/WorkerJob.h"

#include <QObject>

#include <memory>
#include <thread>

class QTimer;

// Runs one WorkerJob at a time on a thread of its own and brings what the job
// says back to the window thread: progress (polled every 50 ms), questions,
// delivered results, and the end with its status. Owned by the tool window:
// hiding or closing that window cancels a running job and waits for it, and
// so does destroying the runner (then without any signal).
//
//   m_runner = new JobRunner(this);                  // in the window's constructor
//   m_runner->setErrorPlace(QStringLiteral("frmDirComp"), QStringLiteral("cmdOK_Click"));
//   connect(m_runner, &JobRunner::finished, this, [this](const JobResult& r) { ... });
//   bar->watch(m_runner);                            // JobProgressBar, or JobProgressDialog::run
//   m_runner->start(job);                            // returns at once
//
// Every member is called on the window thread.
class JobRunner : public QObject {
    Q_OBJECT
public:
    explicit JobRunner(QObject* window);
    ~JobRunner() override;

    // A failed job is shown with ErrMsg under this module and procedure
    // before `finished`; without a place the caller shows result.error.
    void setErrorPlace(const QString& module, const QString& procedure);

    // Starts the job; the caller may keep its own pointer to read the job's
    // results after `finished`. Raises while another job runs.
    void start(std::shared_ptr<WorkerJob> job);
    void start(std::function<void(JobContext&)> work);
    bool isRunning() const { return m_state != nullptr; }

    // Asks the job to stop; `finished` follows once it has.
    void cancel();
    // Asks the job to stop and waits for it; results it delivered before
    // and `finished` arrive before this returns.
    void cancelAndWait();

Q_SIGNALS:
    void started();
    void progressChanged(qint64 done, qint64 total, const QString& text);
    void finished(const JobResult& result);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class State;
    void post(std::function<void()> onWindowThread);
    void pollProgress();
    void finish(const std::shared_ptr<State>& ended);

    std::shared_ptr<State> m_state;
    std::thread m_thread;
    QTimer* m_poll = nullptr;
    QString m_errorModule;
    QString m_errorProcedure;
};
