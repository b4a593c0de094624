// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameJobs.h"

void RenameCheckJob::run(JobContext& context)
{
    context.progress(0, 0, m_folder);
    const RenameSource source = RenameSource::FromFolder(m_folder, m_mask);
    CheckRename(m_rule, source, m_counter, files, &context);
}

void RenameRunJob::run(JobContext& context)
{
    result = std::make_unique<RenameRun>(m_folder, m_journal, context);
    result->Execute();
}
