// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompJobs.h"

void DirCompareJob::run(JobContext& context)
{
    outcome = comparison->Compare(m_source, m_dest, &context);
    if (outcome != pDirComp::Outcome::Compared)
        return;
    context.progress(0, 0, QStringLiteral("Listen werden aufgebaut ..."));
    sourceRows = ListingRows(comparison->Source());
    destRows = ListingRows(comparison->Dest());
}

void DirSyncJob::run(JobContext& context)
{
    pDirSync sync(*m_comparison);
    completed =
        sync.Run(m_actions, &context,
                 [this](pDirSync::Done done, pDirSync::Skip reason, const QByteArray& name) {
                     if (done == pDirSync::Done::Skipped)
                         skipped.append({name, reason});
                     else
                         filesChanged = true;
                 });
}
