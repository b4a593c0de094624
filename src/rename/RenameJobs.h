// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/WorkerJob.h"
#include "rename/RenameCheck.h"
#include "rename/RenameJournal.h"
#include "rename/RenameRun.h"

#include <memory>

class FolderRename;

// The check pass of a folder on the worker thread.
class RenameCheckJob : public WorkerJob {
public:
    RenameCheckJob(RenameRule rule, QString folder, QString mask, qint64 firstNumber)
        : m_rule(std::move(rule)), m_folder(std::move(folder)), m_mask(std::move(mask)),
          m_counter(firstNumber)
    {
    }
    void run(JobContext& context) override;

    pRenFiles files; // out, complete when the job was not cancelled

private:
    RenameRule m_rule;
    QString m_folder;
    QString m_mask;
    qint64 m_counter;
};

// A run of a plan (or an undo) on the worker thread; `run` holds the outcome.
class RenameRunJob : public WorkerJob {
public:
    RenameRunJob(FolderRename& folder, RenameJournal& journal)
        : m_folder(folder), m_journal(journal)
    {
    }
    void run(JobContext& context) override;

    std::unique_ptr<RenameRun> result; // set once the job ran

private:
    FolderRename& m_folder;
    RenameJournal& m_journal;
};
