// SPDX-License-Identifier: GPL-3.0-or-later
#include "KillSyncCheck.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>

#include <csignal>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
struct Version {
    size_t hash = 0;
    qint64 size = -1; // -1: no such file
    timespec mtime{};
    mode_t mode = 0;

    bool exists() const { return size >= 0; }
    bool sameBytes(const Version& other) const { return hash == other.hash && size == other.size; }
    // The complete copy of `other`: its bytes, time and permission bits.
    bool copyOf(const Version& other) const
    {
        return sameBytes(other) && mtime.tv_sec == other.mtime.tv_sec &&
               mtime.tv_nsec == other.mtime.tv_nsec && mode == other.mode;
    }
};
using Files = std::map<QByteArray, Version>;

Version write(const QByteArray& path, qint64 size, quint32 seed, timespec mtime, mode_t mode)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((seed + quint64(i) * 2654435761u) >> 7);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    [[maybe_unused]] const auto written = ::write(fd, bytes.constData(), size_t(size));
    const timespec times[2] = {mtime, mtime};
    ::futimens(fd, times);
    ::fchmod(fd, mode);
    ::close(fd);
    return {qHash(bytes), size, mtime, mode};
}

// The files of a folder as they are; `hidden` counts those beginning with ".".
Files read(const QByteArray& folder, int* hidden = nullptr)
{
    Files files;
    const QDir dir(QString::fromLocal8Bit(folder));
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(QLatin1Char('.'))) {
            if (hidden)
                ++*hidden;
            continue;
        }
        QFile file(dir.filePath(name));
        struct stat st {};
        if (!file.open(QIODevice::ReadOnly) || ::fstat(file.handle(), &st) != 0)
            continue;
        files[name.toLocal8Bit()] = {qHash(file.readAll()), st.st_size, st.st_mtim,
                                     mode_t(st.st_mode & 07777)};
    }
    return files;
}

bool classedSame(const Version& source, const Version& dest)
{
    return dest.exists() &&
           (source.mtime.tv_sec < dest.mtime.tv_sec ||
            (source.mtime.tv_sec == dest.mtime.tv_sec && source.size == dest.size));
}

// Starts the sync and kills it at the `killAt`-th change it makes to either
// folder (a file created, written, renamed or deleted) unless it ends first;
// 0: never. Returns its exit code, -1 when the kill ended it.
int runSync(const QString& cli, const QByteArray& source, const QByteArray& dest, int killAt)
{
    const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    for (const QByteArray& folder : {source, dest})
        ::inotify_add_watch(watch, folder.constData(),
                            IN_CREATE | IN_MODIFY | IN_MOVED_TO | IN_DELETE);
    QList<QByteArray> args{cli.toLocal8Bit(), "compare", source, dest,
                           "--sync=delete-same,copy,delete-extra"};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(),
                    args[3].data(), args[4].data(), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        ::close(watch);
        return -2;
    }
    const int pidfd = int(::syscall(SYS_pidfd_open, pid, 0));
    for (int seen = 0; killAt > 0 && seen < killAt;) {
        pollfd waits[2] = {{pidfd, POLLIN, 0}, {watch, POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0 || (waits[0].revents & POLLIN))
            break; // it ended by itself
        alignas(inotify_event) char events[64 * 1024];
        const ssize_t got = ::read(watch, events, sizeof events);
        for (ssize_t at = 0; at < got; ++seen)
            at +=
                ssize_t(sizeof(inotify_event) + reinterpret_cast<inotify_event*>(events + at)->len);
        if (seen >= killAt)
            ::kill(pid, SIGKILL);
    }
    ::close(pidfd);
    ::close(watch);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// About how many changes a complete run makes: one per deletion, a few per
// copy and one per megabyte written.
int changesToCome(const Files& source, const Files& dest)
{
    int changes = 0;
    for (const auto& [name, file] : dest)
        changes += source.count(name) ? 0 : 1;
    for (const auto& [name, file] : source) {
        const auto there = dest.find(name);
        changes +=
            there != dest.end() && classedSame(file, there->second) ? 1 : 3 + int(file.size >> 20);
    }
    return changes;
}

// Older, as old and newer versions, new and surplus files; sizes mostly
// small, some up to the largest.
std::map<QByteArray, std::pair<Version, Version>> generate(const QByteArray& source,
                                                           const QByteArray& dest,
                                                           const KillSyncPlan& plan,
                                                           QRandomGenerator& random)
{
    std::map<QByteArray, std::pair<Version, Version>> originals;
    const mode_t modes[] = {0644, 0600, 0755, 0640};
    const auto size = [&] {
        return random.bounded(100) < 70 ? random.bounded(16 * 1024 + 1)
                                        : qint64(random.bounded(double(plan.largest + 1)));
    };
    for (int i = 0; i < plan.files; ++i) {
        const QByteArray name = "f" + QByteArray::number(i).rightJustified(5, '0');
        const timespec at{1'600'000'000 + i * 10, long(random.bounded(1'000'000'000))};
        const timespec later{at.tv_sec + 5, 0};
        const mode_t mode = modes[random.bounded(4)];
        const quint32 seed = plan.seed * 100'003u + quint32(i) * 4u;
        auto& [s, d] = originals[name];
        switch (random.bounded(5)) {
        case 0: // the source is newer
            s = write(source + name, size(), seed, later, mode);
            d = write(dest + name, size(), seed + 1, at, 0644);
            break;
        case 1: // as old and the same
            s = write(source + name, size(), seed, at, mode);
            d = write(dest + name, s.size, seed, at, mode);
            break;
        case 2: // the destination is newer
            s = write(source + name, size(), seed, at, mode);
            d = write(dest + name, size(), seed + 1, later, 0644);
            break;
        case 3: // new
            s = write(source + name, size(), seed, at, mode);
            break;
        default: // surplus
            d = write(dest + name, size(), seed + 1, at, 0644);
            break;
        }
    }
    return originals;
}

// What one complete run must make of the folders as they are now.
std::pair<Files, Files> completeRunOf(const Files& source, const Files& dest)
{
    Files sourceAfter = source;
    Files destAfter;
    for (const auto& [name, file] : dest) {
        if (source.count(name))
            destAfter[name] = file;
    }
    for (const auto& [name, file] : source) {
        const auto there = dest.find(name);
        if (there != dest.end() && classedSame(file, there->second))
            sourceAfter.erase(name);
        else
            destAfter[name] = file;
    }
    return {sourceAfter, destAfter};
}

void compareExactly(const Files& expected, const Files& found, const char* side,
                    QStringList& faults)
{
    for (const auto& [name, file] : expected) {
        const auto got = found.find(name);
        if (got == found.end() || !got->second.copyOf(file))
            faults << QStringLiteral("%1 %2 is not as one complete run leaves it")
                          .arg(QLatin1String(side), QString::fromUtf8(name));
    }
    for (const auto& [name, file] : found) {
        if (!expected.count(name))
            faults << QStringLiteral("%1 %2 should be gone")
                          .arg(QLatin1String(side), QString::fromUtf8(name));
    }
}
} // namespace

KillSyncReport RunKillSyncCheck(const QString& cli, const QString& folder, const KillSyncPlan& plan)
{
    KillSyncReport report;
    const QByteArray source = folder.toLocal8Bit() + "/Quelle/";
    const QByteArray dest = folder.toLocal8Bit() + "/Ziel/";
    QDir().mkpath(QString::fromLocal8Bit(source));
    QDir().mkpath(QString::fromLocal8Bit(dest));
    QRandomGenerator random(plan.seed);
    const auto originals = generate(source, dest, plan, random);
    for (const auto& [name, versions] : originals)
        report.bytes +=
            std::max<qint64>(versions.first.size, 0) + std::max<qint64>(versions.second.size, 0);
    for (int run = 0; run <= plan.kills; ++run) {
        const Files sourceBefore = read(source);
        const Files destBefore = read(dest);
        const bool last = run == plan.kills;
        const int killAt =
            last ? 0 : 1 + random.bounded(changesToCome(sourceBefore, destBefore) + 1);
        const int code = runSync(cli, source, dest, killAt);
        report.killed += code == -1 ? 1 : 0;
        const QString prefix = QStringLiteral("run %1: ").arg(run + 1);
        if (last) {
            const auto [sourceAfter, destAfter] = completeRunOf(sourceBefore, destBefore);
            int hidden = 0;
            compareExactly(destAfter, read(dest, &hidden), "destination", report.faults);
            compareExactly(sourceAfter, read(source), "source", report.faults);
            if (code != 0 || hidden != 0)
                report.faults
                    << prefix +
                           QStringLiteral("exit %1, %2 hidden files left").arg(code).arg(hidden);
            break;
        }
        // Every destination file old or the complete new one; no source file
        // gone that this run's comparison did not class Same.
        for (const auto& [name, now] : read(dest)) {
            const auto& [s, d] = originals.at(name);
            if (!(d.exists() && now.sameBytes(d)) && !(s.exists() && now.copyOf(s)))
                report.faults << prefix + QStringLiteral("%1 is neither old nor new")
                                              .arg(QString::fromUtf8(name));
        }
        const Files sourceNow = read(source);
        for (const auto& [name, before] : sourceBefore) {
            const auto now = sourceNow.find(name);
            const auto there = destBefore.find(name);
            const bool same = there != destBefore.end() && classedSame(before, there->second);
            if ((now == sourceNow.end() && !same) ||
                (now != sourceNow.end() && !now->second.sameBytes(before)))
                report.faults << prefix + QStringLiteral("source %1 lost or changed")
                                              .arg(QString::fromUtf8(name));
        }
    }
    return report;
}
