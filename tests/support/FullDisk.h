// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <functional>

// A folder where writing runs out of room. Where the test may mount a file
// system (as root), it is a small tmpfs filled to the brim after the test's
// own files are in place (fill()); elsewhere it is an ordinary folder and
// the writing child process gets a small file size limit instead
// (limitChild(), with SIGXFSZ ignored so the write fails with EFBIG).
class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return m_mounted; }
    // With a trailing "/".
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    // Takes the free bytes of the mounted file system, all but `leave`.
    void fill(qint64 leave = 0) const;
    // Run in the child before it writes; the limit lets `allowed` bytes be
    // written to one file.
    static void limitChild(qint64 allowed = 4096);
    // For a child process of this test: nothing on a mounted disk, else the limit.
    std::function<void()> childSetup() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// Runs `action` in a forked child process (after `setup`) and returns its
// exit code, or -1 when it died of a signal.
int RunInChild(const std::function<void()>& setup, const std::function<int()>& action);
