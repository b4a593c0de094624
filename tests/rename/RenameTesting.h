// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/RenameRule.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// Small helpers the rename tests share.

// A rule that replaces `find` by `by` from position `start` on, everywhere
// in the name or only the first time.
RenameRule ReplaceRule(const QString& find, const QString& by, qint64 start = 1,
                       bool first = false);
// A rule that puts `text` before, after or in place of the base name's
// characters up to position `pos`.
RenameRule PartsRule(RenameRule::Parts parts, const QString& text, qint64 pos = 1);
// Numbering alone, `places` digits (none: the field left empty).
RenameRule NumberedRule(std::optional<int> places, bool atStart = false);
// A rule that only gives each name another extension.
RenameRule ExtensionRule(const QString& extension);
// The regular files of a folder: name bytes -> contents (dot-files too).
QMap<QByteArray, QByteArray> FolderContents(const QString& folder);
// Writes each name with its own name as contents; false when one failed.
bool WriteNamedFiles(const QString& folder, const QList<QByteArray>& names);
// The first letter of the name and a counted number (places 0): with names
// like a10, a8, a9, which sort that way, it makes chains, swaps and cycles.
RenameRule CountingRule();

#include "core/WorkerJob.h"

// A job context on the test's own thread: questions go to the message
// service (a ScriptedMessageBox answers), a cancel can be set beforehand or
// after a number of progress reports.
class DirectContext : public JobContext {
public:
    bool cancelled() const override { return cancelAfter == 0; }
    void progress(qint64, qint64, const QString&) override
    {
        if (cancelAfter > 0)
            --cancelAfter;
    }
    int ask(const std::function<int()>& question) override { return question(); }
    void deliver(std::function<void()> onWindowThread) override { onWindowThread(); }

    int cancelAfter = -1; // progress reports until the cancel; -1 never
};
