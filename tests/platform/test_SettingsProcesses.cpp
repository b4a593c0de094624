// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"
#include "support/TestSettings.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <array>
#include <memory>

TEST(SettingsProcesses, TwoWritersAtOnceLoseNothing)
{
    FreshSettings fresh; // the children inherit $TOLVANE_REGISTRY: no file exists yet
    const int perWriter = 1000;
    std::array<std::unique_ptr<QProcess>, 2> writers;
    const char* prefixes[] = {"A", "B"};
    for (size_t i = 0; i < writers.size(); ++i) {
        writers[i] = std::make_unique<QProcess>();
        writers[i]->start(QStringLiteral(SETTINGS_WRITER),
                          {QLatin1String(prefixes[i]), QString::number(perWriter)});
    }
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForStarted(30000));
        while (!writer->canReadLine())
            ASSERT_TRUE(writer->waitForReadyRead(30000))
                << writer->readAllStandardError().constData();
        EXPECT_EQ(writer->readLine().trimmed(), QByteArray("ready"));
    }
    for (auto& writer : writers)
        writer->write("go\n");
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(240000));
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().constData();
    }

    const Registry reg;
    const QString key = QStringLiteral("Software\\Concurrency");
    QStringList names;
    EXPECT_EQ(reg.RegArrayValues(HKEY_CURRENT_USER, key, names), 2 * perWriter);
    int wrong = 0;
    for (const char* prefix : prefixes) {
        for (int i = 0; i < perWriter; ++i) {
            const QString name = QLatin1String(prefix) + QString::number(i);
            if (reg.RegGetSettingString(HKEY_CURRENT_USER, key, name, QStringLiteral("?")) !=
                QString::number(i))
                ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}
