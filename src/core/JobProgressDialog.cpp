// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/JobProgressDialog.h"

#include "core/JobProgressBar.h"
#include "core/JobRunner.h"

#include <QCloseEvent>
#include <QPointer>
#include <QVBoxLayout>

namespace {
QPointer<JobProgressDialog> g_current;
// Room for a path of some length in the status line.
constexpr int kMinimumWidthChars = 60;
} // namespace

JobProgressDialog::JobProgressDialog(QWidget* owner, const QString& title) : QDialog(owner)
{
    setObjectName(QStringLiteral("JobProgressDialog"));
    setWindowTitle(title);
    setModal(true);
    m_runner = new JobRunner(this);
    m_bar = new JobProgressBar(this);
    m_bar->watch(m_runner);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    setMinimumWidth(fontMetrics().averageCharWidth() * kMinimumWidthChars);
    connect(m_runner, &JobRunner::finished, this, [this] { accept(); });
}

JobResult JobProgressDialog::run(QWidget* owner, const QString& title,
                                 std::shared_ptr<WorkerJob> job, const QString& errorModule,
                                 const QString& errorProcedure)
{
    JobProgressDialog dialog(owner, title);
    dialog.m_runner->setErrorPlace(errorModule, errorProcedure);
    JobResult result;
    connect(dialog.m_runner, &JobRunner::finished, &dialog,
            [&result](const JobResult& ended) { result = ended; });
    g_current = &dialog;
    dialog.m_runner->start(std::move(job));
    dialog.exec();
    // Closed some other way (the owner went): the job must not outlive the window.
    dialog.m_runner->cancelAndWait();
    return result;
}

JobProgressDialog* JobProgressDialog::current()
{
    return g_current;
}

void JobProgressDialog::reject()
{
    // Escape cancels the job; the window goes when the job has stopped.
    m_runner->cancel();
}

void JobProgressDialog::closeEvent(QCloseEvent* event)
{
    if (!m_runner->isRunning())
        return QDialog::closeEvent(event);
    event->ignore();
    m_runner->cancel();
}
