// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: writes COUNT text values named PREFIX0, PREFIX1 ... into
// HKCU\Software\Concurrency of the settings database $TOLVANE_REGISTRY, each
// write its own transaction. It opens the database, prints "ready", and starts
// when a line arrives on standard input, so that two of them write at once.
// Exit code: the number of writes that failed (capped at 100).
#include "core/Registry.h"
#include "platform/SettingsDatabase.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 100;
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);
    if (!SettingsDatabase::instance().isOpen())
        return 100;
    std::puts("ready");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 100;
    const Registry reg;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        if (!reg.RegSaveSettingString(HKEY_CURRENT_USER, QStringLiteral("Software\\Concurrency"),
                                      prefix + QString::number(i), QString::number(i)))
            ++failures;
    }
    return failures > 100 ? 100 : failures;
}
