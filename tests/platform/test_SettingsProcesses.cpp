// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"
#include "platform/SettingsDatabase.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {
const QString kKey = QStringLiteral("Software\\Concurrency");

// A writer process: opens the database, waits until the pipe closes, then
// writes `count` values, each write its own transaction. Its exit code is
// the number of writes that failed (at most 100); it never returns into the
// test.
[[noreturn]] void Write(const QString& prefix, int count, int go)
{
    int failures = 100;
    try {
        if (SettingsDatabase::instance().isOpen()) {
            char none;
            (void)!::read(go, &none, 1);
            const Registry reg;
            failures = 0;
            for (int i = 0; i < count; ++i)
                failures += !reg.RegSaveSettingString(
                    HKEY_CURRENT_USER, kKey, prefix + QString::number(i), QString::number(i));
        }
    } catch (...) {
    }
    ::_exit(qMin(failures, 100));
}
} // namespace

TEST(SettingsProcesses, TwoWritersAtOnceLoseNothing)
{
    const int perWriter = 1000;
    const char* prefixes[] = {"A", "B"};
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        if (writers[w] == 0) {
            ::close(go[1]);
            Write(QLatin1String(prefixes[w]), perWriter, go[0]);
        }
    }
    ::close(go[0]);
    ::close(go[1]); // both start at once
    for (const pid_t writer : writers) {
        int status = -1;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    const Registry reg;
    QStringList names;
    EXPECT_EQ(reg.RegArrayValues(HKEY_CURRENT_USER, kKey, names), 2 * perWriter);
    int wrong = 0;
    for (const char* prefix : prefixes) {
        for (int i = 0; i < perWriter; ++i) {
            const QString name = QLatin1String(prefix) + QString::number(i);
            wrong += reg.RegGetSettingString(HKEY_CURRENT_USER, kKey, name, QStringLiteral("?")) !=
                     QString::number(i);
        }
    }
    EXPECT_EQ(wrong, 0);
}
