// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RenameCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutputBuffer.h"
#include "cli/RenameOptions.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/WorkerJob.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/FolderRename.h"
#include "platform/SystemError.h"
#include "rename/NameEscape.h"
#include "rename/RenameCheck.h"
#include "rename/RenameRecovery.h"
#include "rename/RenameRun.h"
#include "rename/RenameUndo.h"

#include <QFile>

#include <array>
#include <atomic>
#include <csignal>
#include <memory>
#include <sys/stat.h>

const char* const kRenameCommandUsage =
    "rename ORDNER|--stdin [--mode off|replace|parts|insert|special] [--find T --replace T "
    "--start N --count all|first] [--text T --parts whole|before|after --pos N] [--insert T "
    "--at N --side before|after --reverse] [--number N --places P --number-at end|start] "
    "[--ext E] [--mask MUSTER] [--null] [--run] | rename --undo [--run] [--null]";

namespace {
constexpr int kExitFine = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUsage = 2;
constexpr int kExitSignal = 130;

std::atomic<bool> g_stopRequested{false};

extern "C" void RequestStop(int)
{
    g_stopRequested = true;
}

// The run's questions and progress without a window: message boxes go to
// standard error with their default answer (the message service does
// that), SIGINT and SIGTERM stop after the step under way.
class CommandContext : public JobContext {
public:
    CommandContext()
    {
        struct sigaction action {};
        action.sa_handler = RequestStop;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_oldInt);
        sigaction(SIGTERM, &action, &m_oldTerm);
    }
    ~CommandContext() override
    {
        sigaction(SIGINT, &m_oldInt, nullptr);
        sigaction(SIGTERM, &m_oldTerm, nullptr);
    }
    bool cancelled() const override { return g_stopRequested; }
    void progress(qint64, qint64, const QString&) override {}
    int ask(const std::function<int()>& question) override { return question(); }
    void deliver(std::function<void()> onWindowThread) override { onWindowThread(); }

private:
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
};

// Each record escaped and TAB-separated on a line, or with --null each
// field as it is and NUL-ended; all through one output buffer.
class RecordWriter {
public:
    explicit RecordWriter(bool null) : m_null(null) {}

    void Add(QByteArrayView a, QByteArrayView b, QByteArrayView status)
    {
        QByteArray& bytes = m_out.Bytes();
        if (m_null) {
            for (QByteArrayView field : {a, b, status}) {
                bytes.append(field);
                bytes.append('\0');
            }
        } else {
            EscapeNameTo(bytes, a);
            bytes.append('\t');
            EscapeNameTo(bytes, b);
            bytes.append('\t');
            bytes.append(status);
            bytes.append('\n');
        }
        m_out.Written();
    }
    void Add(QByteArrayView a, QByteArrayView b, RenameStatus status)
    {
        Add(a, b, StatusWord(status));
    }
    void Flush() { m_out.Flush(); }

private:
    QByteArrayView StatusWord(RenameStatus status)
    {
        QByteArray& word = m_words[size_t(status)];
        if (word.isEmpty())
            word = RenameStatusWord(status).toLatin1();
        return word;
    }

    bool m_null;
    CliOutputBuffer m_out;
    std::array<QByteArray, size_t(RenameStatus::Duplicate) + 1> m_words;
};

QByteArray ShownNew(const pRenFile& file)
{
    switch (file.Status) {
    case RenameStatus::Unchanged:
    case RenameStatus::Encoding:
        return file.OldBytes;
    case RenameStatus::Position:
        return {};
    default:
        return file.NewBytes;
    }
}

// A run cut short is finished before anything else looks at the folder.
// Without the lock another run is under way and its journal is its own.
void FinishLastRun()
{
    try {
        RenameJournalLock lock;
        std::optional<RenameJournal> journal = RenameJournal::Read();
        QString problem;
        if (!journal || !FinishInterruptedRun(*journal, problem))
            return;
        cliError(QStringLiteral("Das letzte Stapel-Umbenennen in '%1' wurde unterbrochen; es "
                                "ist jetzt abgeschlossen. Rückgängig: tolvane-cli rename --undo "
                                "--run")
                     .arg(DisplayFileName(journal->plan.folder)));
        if (!problem.isEmpty())
            cliError(problem);
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
    }
}

QList<QByteArray> ReadStandardInput(bool null)
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    const QByteArray all = in.readAll();
    QList<QByteArray> names;
    for (const QByteArray& part : all.split(null ? '\0' : '\n')) {
        if (!part.isEmpty())
            names.append(null ? part : UnescapeName(part));
    }
    return names;
}

int RunAndReport(const RenameCommandOptions& o, pRenFiles& files)
{
    std::unique_ptr<RenameJournalLock> lock;
    try {
        lock = std::make_unique<RenameJournalLock>();
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return kExitProblems;
    }
    FolderRename folder(o.folder);
    RenameJournal journal;
    journal.plan = RenamePlan::FromCheck(o.folder, files, folder);
    CommandContext context;
    RenameRun run(folder, journal, context);
    if (!journal.plan.moves.isEmpty())
        run.Execute();
    QList<bool> renamed(files.Count(), false);
    for (qsizetype i = 0; i < journal.plan.moves.size(); ++i)
        renamed[journal.plan.moves[i].file] = run.Outcomes()[i] == RenameRun::Outcome::Renamed;
    bool allDone = true;
    RecordWriter out(o.null);
    for (qsizetype i = 0; i < files.Count(); ++i) {
        const pRenFile& file = files.Item(i);
        if (file.Status == RenameStatus::Ok) {
            out.Add(file.OldBytes, ShownNew(file), renamed[i] ? "renamed" : "stopped");
            allDone = allDone && renamed[i];
        } else {
            out.Add(file.OldBytes, ShownNew(file), file.Status);
        }
    }
    out.Flush();
    if (run.Error())
        cliError(run.Error()->Description);
    if (g_stopRequested)
        return kExitSignal;
    return allDone ? kExitFine : kExitProblems;
}

int CheckCommand(const RenameCommandOptions& o)
{
    RenameSource source;
    if (o.fromStdin) {
        source = RenameSource::FromNames(ReadStandardInput(o.null), o.mask);
    } else {
        FinishLastRun();
        source = RenameSource::FromFolder(o.folder, o.mask);
    }
    pRenFiles files;
    qint64 counter = o.firstNumber;
    CheckRename(o.rule, source, counter, files);
    if (o.run && files.ErrorCount() == 0)
        return RunAndReport(o, files);
    RecordWriter out(o.null);
    for (const pRenFile& file : files)
        out.Add(file.OldBytes, ShownNew(file), file.Status);
    out.Flush();
    return files.ErrorCount() == 0 ? kExitFine : kExitProblems;
}

int UndoCommand(const RenameCommandOptions& o)
{
    std::unique_ptr<RenameJournalLock> lock;
    std::optional<RenameJournal> last;
    QString problem;
    try {
        lock = std::make_unique<RenameJournalLock>();
        last = RenameJournal::Read();
        if (last && FinishInterruptedRun(*last, problem) && !problem.isEmpty())
            cliError(problem);
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return kExitProblems;
    }
    if (!last) {
        cliError(AppErr().MsgLoad(Msg::RenameNothingToUndo));
        return kExitProblems;
    }
    FolderRename folder(last->plan.folder);
    RenameUndo undo;
    if (!undo.Prepare(*last, folder, problem)) {
        cliError(problem);
        return kExitProblems;
    }
    CommandContext context;
    RenameRun run(folder, undo.Journal(), context);
    const bool runs = o.run && !undo.Journal().plan.moves.isEmpty();
    if (runs) {
        try {
            run.Execute();
        } catch (const AppErrorRecord& e) {
            cliError(e.Description);
            return kExitProblems;
        }
        undo.Apply(run, true);
    }
    bool allOk = true;
    RecordWriter out(o.null);
    for (const RenameUndo::Line& line : undo.Lines()) {
        out.Add(line.now, line.old, RenameUndo::StatusWord(line.status).toLatin1());
        allOk = allOk && line.status == RenameUndo::Status::Ok;
    }
    out.Flush();
    if (run.Error())
        cliError(run.Error()->Description);
    if (g_stopRequested)
        return kExitSignal;
    return allOk ? kExitFine : kExitProblems;
}

bool IsFolder(const QString& path)
{
    struct stat st {};
    if (::stat(EncodeFileName(path).constData(), &st) != 0) {
        cliError(QStringLiteral("Der Ordner '%1' kann nicht gelesen werden: %2.")
                     .arg(DisplayFileName(path), SystemErrorText(errno)));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        cliError(QStringLiteral("'%1' ist kein Ordner.").arg(DisplayFileName(path)));
        return false;
    }
    return true;
}
} // namespace

int runRenameCommand(const QStringList& args)
{
    RenameCommandOptions options;
    QString problem;
    if (!options.Read(args, problem)) {
        if (!problem.isEmpty())
            cliError(problem);
        cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kRenameCommandUsage));
        return kExitUsage;
    }
    if (options.undo)
        return UndoCommand(options);
    if (!options.fromStdin && !IsFolder(options.folder))
        return kExitProblems;
    try {
        return CheckCommand(options);
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return kExitProblems;
    }
}
