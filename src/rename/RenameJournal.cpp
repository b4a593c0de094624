// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameJournal.h"

#include "core/AppErrorRecord.h"
#include "core/SafeFileWriter.h"
#include "core/UserFileRead.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"
#include "rename/NameEscape.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kMagic[] = "tolvane-rename-journal\t1";
constexpr qint64 kLargestJournal = 1LL << 30;

QString StateFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    // Relative state folders are not meant to be used: fall back to the home one.
    if (base.isEmpty() || !base.startsWith(QLatin1Char('/')))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/tolvane");
}

[[noreturn]] void RaiseJournal(const QString& text, int number = RuntimeError::PathFileAccess)
{
    throw AppErrorRecord(number, QStringLiteral("RenameJournal"), text);
}

// Creates the state folder (and its parents) for the user alone.
void MakeStateFolder(const QString& folder)
{
    const QByteArray native = EncodeFileName(folder);
    QByteArray path;
    for (const QByteArray& part : native.split('/')) {
        if (part.isEmpty())
            continue;
        path += '/' + part;
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
            RaiseJournal(QStringLiteral("Der Ordner '%1' kann nicht angelegt werden: %2.")
                             .arg(DisplayFileName(DecodeFileName(path)), SystemErrorText(errno)));
    }
}

QList<QByteArray> Fields(const QByteArray& line)
{
    return line.split('\t');
}

bool ToNumber(const QByteArray& text, quint64& value)
{
    bool ok = false;
    value = text.toULongLong(&ok);
    return ok;
}
} // namespace

QString RenameJournal::Path()
{
    return StateFolder() + QStringLiteral("/rename-journal");
}

QByteArray RenameJournal::Serialize() const
{
    QByteArray out = QByteArray(kMagic) + '\n';
    out += "folder\t" + EscapeName(EncodeFileName(plan.folder)) + '\n';
    out += "device\t" + QByteArray::number(plan.folderId.device) + '\t' +
           QByteArray::number(plan.folderId.inode) + '\n';
    out += "temp\t" + EscapeName(plan.tempName) + '\n';
    for (const RenameMove& m : plan.moves) {
        out += "move\t" + QByteArray::number(m.group) + '\t' + (m.cycle ? "1" : "0") + '\t' +
               QByteArray::number(m.id.device) + '\t' + QByteArray::number(m.id.inode) + '\t' +
               EscapeName(m.from) + '\t' + EscapeName(m.to) + '\n';
    }
    out += "end\n";
    if (finished)
        out += "finished\n";
    return out;
}

bool RenameJournal::Parse(const QByteArray& text, RenameJournal& journal)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 5 || lines.takeFirst() != kMagic)
        return false;
    RenameJournal parsed;
    bool ended = false;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> f = Fields(line);
        if (ended) {
            if (line == "finished")
                parsed.finished = true;
            else if (!line.isEmpty())
                return false;
        } else if (f[0] == "folder" && f.size() == 2) {
            parsed.plan.folder = DecodeFileName(UnescapeName(f[1]));
        } else if (f[0] == "device" && f.size() == 3) {
            if (!ToNumber(f[1], parsed.plan.folderId.device) ||
                !ToNumber(f[2], parsed.plan.folderId.inode))
                return false;
        } else if (f[0] == "temp" && f.size() == 2) {
            parsed.plan.tempName = UnescapeName(f[1]);
        } else if (f[0] == "move" && f.size() == 7) {
            RenameMove m;
            quint64 group = 0;
            if (!ToNumber(f[1], group) || group > quint64(INT_MAX) ||
                (f[2] != "0" && f[2] != "1") || !ToNumber(f[3], m.id.device) ||
                !ToNumber(f[4], m.id.inode))
                return false;
            m.group = int(group);
            m.cycle = f[2] == "1";
            m.from = UnescapeName(f[5]);
            m.to = UnescapeName(f[6]);
            if (m.from.isEmpty() || m.to.isEmpty())
                return false;
            parsed.plan.moves.append(m);
        } else if (line == "end") {
            ended = true;
        } else {
            return false;
        }
    }
    if (!ended || parsed.plan.folder.isEmpty() || parsed.plan.tempName.isEmpty())
        return false;
    journal = std::move(parsed);
    return true;
}

void RenameJournal::Write() const
{
    MakeStateFolder(StateFolder());
    SafeFileWriter::WriteFile(Path(), Serialize(), SafeFileWriter::Mode::Replace);
}

std::optional<RenameJournal> RenameJournal::Read()
{
    const QString path = Path();
    struct stat st {};
    if (::stat(EncodeFileName(path).constData(), &st) != 0 && errno == ENOENT)
        return std::nullopt;
    const QByteArray text = ReadUserFile(path, kLargestJournal, QStringLiteral("RenameJournal"));
    RenameJournal journal;
    if (!Parse(text, journal))
        RaiseJournal(QStringLiteral("Das Protokoll des letzten Umbenennens ('%1') ist "
                                    "beschädigt und wird nicht verwendet.")
                         .arg(DisplayFileName(path)));
    return journal;
}

RenameJournalLock::RenameJournalLock()
{
    MakeStateFolder(StateFolder());
    const QByteArray lock = EncodeFileName(RenameJournal::Path() + QStringLiteral(".lock"));
    m_fd = ::open(lock.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        RaiseJournal(QStringLiteral("Das Protokoll des Umbenennens kann nicht gesperrt werden: "
                                    "%1.")
                         .arg(SystemErrorText(errno)));
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_fd);
        m_fd = -1;
        RaiseJournal(QStringLiteral("Es läuft bereits ein Stapel-Umbenennen. Bitte warten Sie, "
                                    "bis es beendet ist."),
                     RuntimeError::PermissionDenied);
    }
}

RenameJournalLock::~RenameJournalLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
