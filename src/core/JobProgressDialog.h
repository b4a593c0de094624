// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/WorkerJob.h"

#include <QDialog>

#include <memory>

class JobProgressBar;
class JobRunner;

// A modal window that shows how far a job is while the caller waits for it:
//
//   auto job = std::make_shared<FolderTotalsJob>(folder);
//   const JobResult r = JobProgressDialog::run(this, QStringLiteral("Ordnergröße"), job);
//   if (r.done()) ... job->total ...
//
// "&Abbrechen", Escape and the window's close button cancel the job; the
// window closes once the job has ended. Events keep flowing meanwhile, so
// every window repaints, and closing the owner cancels the job too.
class JobProgressDialog : public QDialog {
    Q_OBJECT
public:
    JobProgressDialog(QWidget* owner, const QString& title);

    // Runs `job` under a progress window and returns how it ended. With an
    // error place a failure is shown with ErrMsg as well (JobRunner).
    static JobResult run(QWidget* owner, const QString& title, std::shared_ptr<WorkerJob> job,
                         const QString& errorModule = {}, const QString& errorProcedure = {});

    JobRunner* runner() const { return m_runner; }
    JobProgressBar* bar() const { return m_bar; }

    // The last progress window opened, while it is open (for tests).
    static JobProgressDialog* current();

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    JobRunner* m_runner = nullptr;
    JobProgressBar* m_bar = nullptr;
};
