// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/WorkerJob.h"
#include "dircomp/DirCompRows.h"
#include "dircomp/pDirComp.h"
#include "dircomp/pDirSync.h"

#include <memory>

// The comparison as the window runs it on its worker thread: both folders
// read and classed, and both lists' rows made ready in listing order.
class DirCompareJob : public WorkerJob {
public:
    DirCompareJob(QString source, QString dest)
        : m_source(std::move(source)), m_dest(std::move(dest))
    {
    }
    void run(JobContext& context) override;

    // Out, once the runner reports the end.
    std::shared_ptr<pDirComp> comparison = std::make_shared<pDirComp>();
    pDirComp::Outcome outcome = pDirComp::Outcome::Cancelled;
    DirCompRows sourceRows;
    DirCompRows destRows;

private:
    QString m_source;
    QString m_dest;
};

// The sync run of the window, on the compared folders.
class DirSyncJob : public WorkerJob {
public:
    DirSyncJob(std::shared_ptr<const pDirComp> comparison, int actions)
        : m_comparison(std::move(comparison)), m_actions(actions)
    {
    }
    void run(JobContext& context) override;

    struct Skipped {
        QByteArray name;
        pDirSync::Skip reason;
    };
    // Out.
    QList<Skipped> skipped;
    bool filesChanged = false; // something was copied or deleted
    bool completed = false;

private:
    std::shared_ptr<const pDirComp> m_comparison;
    int m_actions;
};
