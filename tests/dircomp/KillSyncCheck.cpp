// SPDX-License-Identifier: GPL-3.0-or-later
#include "KillSyncCheck.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <optional>
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
    quint64 hash = 0;
    qint64 size = 0;
    qint64 mtime = 0;
    long mtimeNsec = 0;
    mode_t mode = 0;
};

struct Original {
    std::optional<Version> source;
    std::optional<Version> dest;
};

using Files = std::map<QByteArray, Version>;

quint64 hashOf(const char* data, qint64 size, quint64 hash = 14695981039346656037ull)
{
    for (qint64 i = 0; i < size; ++i)
        hash = (hash ^ quint8(data[i])) * 1099511628211ull;
    return hash;
}

QByteArray contents(quint32 seed, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint64 state = seed * 2654435761ull + 1;
    for (qint64 i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        bytes[i] = char(state);
    }
    return bytes;
}

Version write(const QByteArray& path, const QByteArray& bytes, qint64 mtime, long nsec, mode_t mode)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        [[maybe_unused]] const auto written = ::write(fd, bytes.constData(), size_t(bytes.size()));
        const timespec times[2] = {{mtime, nsec}, {mtime, nsec}};
        ::futimens(fd, times);
        ::fchmod(fd, mode);
        ::close(fd);
    }
    return {hashOf(bytes.constData(), bytes.size()), bytes.size(), mtime, nsec, mode};
}

// The regular files of a folder with their hash, size, time and mode;
// hidden entries counted apart.
Files read(const QByteArray& folder, int* hidden = nullptr)
{
    Files files;
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* entry = dir ? ::readdir(dir) : nullptr) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (name.startsWith('.')) {
            if (hidden)
                ++*hidden;
            continue;
        }
        const int fd = ::open((folder + name).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0) {
            if (fd >= 0)
                ::close(fd);
            continue;
        }
        Version seen{14695981039346656037ull, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec,
                     mode_t(st.st_mode & 07777)};
        char buffer[1 << 16];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
            seen.hash = hashOf(buffer, got, seen.hash);
        ::close(fd);
        files.emplace(name, seen);
    }
    if (dir)
        ::closedir(dir);
    return files;
}

bool sameBytes(const Version& a, const Version& b)
{
    return a.hash == b.hash && a.size == b.size;
}

// Starts the sync and kills it at the `killAt`-th change it makes to either
// folder (a file created, written, renamed or deleted), unless it ends
// first; 0: never. True when the kill ended it.
bool runSync(const QString& cli, const QByteArray& source, const QByteArray& dest, int killAt,
             int& exitCode)
{
    const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    const uint32_t changes = IN_CREATE | IN_MODIFY | IN_MOVED_TO | IN_DELETE;
    ::inotify_add_watch(watch, source.constData(), changes);
    ::inotify_add_watch(watch, dest.constData(), changes);
    QByteArray program = cli.toLocal8Bit();
    QByteArray command("compare");
    QByteArray sync("--sync=delete-same,copy,delete-extra");
    QByteArray from = source;
    QByteArray to = dest;
    char* argv[] = {program.data(), command.data(), from.data(), to.data(), sync.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    bool killed = false;
    const int pidfd = spawned == 0 ? int(::syscall(SYS_pidfd_open, pid, 0)) : -1;
    for (int seen = 0; killAt > 0 && pidfd >= 0;) {
        pollfd waits[2] = {{pidfd, POLLIN, 0}, {watch, POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0 || (waits[0].revents & POLLIN))
            break; // it ended by itself
        alignas(inotify_event) char events[64 * 1024];
        const ssize_t got = ::read(watch, events, sizeof events);
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            ++seen;
        }
        if (seen >= killAt) {
            killed = ::kill(pid, SIGKILL) == 0;
            break;
        }
    }
    if (pidfd >= 0)
        ::close(pidfd);
    ::close(watch);
    int status = 0;
    if (spawned == 0)
        ::waitpid(pid, &status, 0);
    killed = killed && WIFSIGNALED(status);
    exitCode = spawned == 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return killed;
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
        const bool same = there != dest.end() &&
                          (file.mtime < there->second.mtime ||
                           (file.mtime == there->second.mtime && file.size == there->second.size));
        changes += same ? 1 : 3 + int(file.size >> 20);
    }
    return changes;
}

// Source files the coming run's comparison classes Same.
std::map<QByteArray, bool> sameBefore(const Files& source, const Files& dest)
{
    std::map<QByteArray, bool> same;
    for (const auto& [name, s] : source) {
        const auto d = dest.find(name);
        same[name] = d != dest.end() && (s.mtime < d->second.mtime ||
                                         (s.mtime == d->second.mtime && s.size == d->second.size));
    }
    return same;
}

void checkAfterRun(const std::map<QByteArray, Original>& originals, const Files& sourceBefore,
                   const std::map<QByteArray, bool>& same, const QByteArray& source,
                   const QByteArray& dest, const QString& run, QStringList& faults)
{
    for (const auto& [name, now] : read(dest)) {
        const Original& was = originals.at(name);
        const bool old = was.dest && sameBytes(now, *was.dest);
        const bool copied = was.source && sameBytes(now, *was.source) &&
                            now.mtime == was.source->mtime &&
                            now.mtimeNsec == was.source->mtimeNsec && now.mode == was.source->mode;
        if (!old && !copied)
            faults << run + QStringLiteral(": destination file %1 is neither old nor new")
                                .arg(QString::fromUtf8(name));
    }
    const Files sourceNow = read(source);
    for (const auto& [name, before] : sourceBefore) {
        const auto now = sourceNow.find(name);
        if (now == sourceNow.end() && !same.at(name))
            faults << run + QStringLiteral(": source file %1 deleted though it differed")
                                .arg(QString::fromUtf8(name));
        if (now != sourceNow.end() && !sameBytes(now->second, before))
            faults << run + QStringLiteral(": source file %1 changed").arg(QString::fromUtf8(name));
    }
}

std::map<QByteArray, Original> generate(const QByteArray& source, const QByteArray& dest,
                                        const KillSyncPlan& plan, QRandomGenerator& random,
                                        qint64& bytes)
{
    std::map<QByteArray, Original> originals;
    const mode_t modes[] = {0644, 0600, 0755, 0640};
    const auto size = [&] {
        const int band = random.bounded(100);
        const qint64 small = std::min<qint64>(plan.largest, 16 * 1024);
        if (band < 70)
            return qint64(random.bounded(int(small) + 1));
        return qint64(random.bounded(double(plan.largest + 1)));
    };
    for (int i = 0; i < plan.files; ++i) {
        const QByteArray name = QByteArray("f") + QByteArray::number(i).rightJustified(5, '0');
        const qint64 base = 1'600'000'000 + i * 10;
        const long nsec = long(random.bounded(1'000'000'000));
        const mode_t mode = modes[random.bounded(4)];
        Original& o = originals[name];
        const quint32 seed = plan.seed * 100'003u + quint32(i) * 4u;
        switch (random.bounded(5)) {
        case 0: // the source is newer
            o.source = write(source + name, contents(seed, size()), base + 5, nsec, mode);
            o.dest = write(dest + name, contents(seed + 1, size()), base, 0, 0644);
            break;
        case 1: { // as old and the same
            const QByteArray both = contents(seed, size());
            o.source = write(source + name, both, base, nsec, mode);
            o.dest = write(dest + name, both, base, nsec, mode);
            break;
        }
        case 2: // the destination is newer
            o.source = write(source + name, contents(seed, size()), base, nsec, mode);
            o.dest = write(dest + name, contents(seed + 1, size()), base + 5, 0, 0644);
            break;
        case 3: // new
            o.source = write(source + name, contents(seed, size()), base, nsec, mode);
            break;
        default: // surplus
            o.dest = write(dest + name, contents(seed + 1, size()), base, 0, 0644);
            break;
        }
        bytes += (o.source ? o.source->size : 0) + (o.dest ? o.dest->size : 0);
    }
    return originals;
}

// What one complete run must make of the folders as they are now.
struct Expected {
    Files source;
    Files dest;
};

Expected completeRunOf(const Files& source, const Files& dest)
{
    Expected after{source, dest};
    for (const auto& [name, file] : dest) {
        if (!source.count(name))
            after.dest.erase(name);
    }
    for (const auto& [name, file] : source) {
        const auto there = dest.find(name);
        const bool same = there != dest.end() &&
                          (file.mtime < there->second.mtime ||
                           (file.mtime == there->second.mtime && file.size == there->second.size));
        if (same)
            after.source.erase(name);
        else
            after.dest[name] = file;
    }
    return after;
}

void compareExactly(const Files& expected, const Files& found, const char* side,
                    QStringList& faults)
{
    for (const auto& [name, want] : expected) {
        const auto got = found.find(name);
        if (got == found.end() || !sameBytes(got->second, want) ||
            got->second.mtime != want.mtime || got->second.mtimeNsec != want.mtimeNsec ||
            got->second.mode != want.mode)
            faults << QStringLiteral("%1 %2 is not as expected after the last run")
                          .arg(QLatin1String(side), QString::fromUtf8(name));
    }
    for (const auto& [name, file] : found) {
        if (!expected.count(name))
            faults << QStringLiteral("%1 %2 should be gone after the last run")
                          .arg(QLatin1String(side), QString::fromUtf8(name));
    }
}
} // namespace

KillSyncReport RunKillSyncCheck(const QString& cli, const QString& folder, const KillSyncPlan& plan)
{
    KillSyncReport report;
    const QByteArray source = folder.toLocal8Bit() + "/Quelle/";
    const QByteArray dest = folder.toLocal8Bit() + "/Ziel/";
    ::mkdir(source.constData(), 0755);
    ::mkdir(dest.constData(), 0755);
    QRandomGenerator random(plan.seed);
    const auto originals = generate(source, dest, plan, random, report.bytes);
    Expected expected;
    for (int run = 0; run <= plan.kills; ++run) {
        const Files sourceBefore = read(source);
        const Files destBefore = read(dest);
        const auto same = sameBefore(sourceBefore, destBefore);
        if (run == plan.kills)
            expected = completeRunOf(sourceBefore, destBefore);
        const int killAt =
            run < plan.kills ? 1 + random.bounded(changesToCome(sourceBefore, destBefore) + 1) : 0;
        int code = -1;
        report.killed += runSync(cli, source, dest, killAt, code) ? 1 : 0;
        const QString name = QStringLiteral("run %1").arg(run + 1);
        if (killAt == 0 && code != 0)
            report.faults << name + QStringLiteral(": the last run ended with %1").arg(code);
        checkAfterRun(originals, sourceBefore, same, source, dest, name, report.faults);
    }
    int hidden = 0;
    compareExactly(expected.dest, read(dest, &hidden), "destination", report.faults);
    compareExactly(expected.source, read(source), "source", report.faults);
    if (hidden != 0)
        report.faults << QStringLiteral("%1 hidden files left in the destination").arg(hidden);
    return report;
}
