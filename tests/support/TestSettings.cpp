// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSettings.h"

#include "platform/SettingsDatabase.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// Outside a test (a suite's set-up, say) the binary's own database serves.
std::unique_ptr<QTemporaryDir> g_binaryFolder;
std::unique_ptr<QTemporaryDir> g_testFolder;

void useDatabaseIn(const QTemporaryDir& folder)
{
    qputenv("TOLVANE_REGISTRY", (folder.path() + QStringLiteral("/registry.db")).toUtf8());
    SettingsDatabase::reopen();
}

class FreshSettingsPerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        g_testFolder = std::make_unique<QTemporaryDir>();
        useDatabaseIn(*g_testFolder);
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        // Closed before its folder goes, so nothing is left open on a deleted file.
        useDatabaseIn(*g_binaryFolder);
        g_testFolder.reset();
    }
};
} // namespace

void TestSettings::installPerTest()
{
    g_binaryFolder = std::make_unique<QTemporaryDir>();
    useDatabaseIn(*g_binaryFolder);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettingsPerTest);
}

QString TestSettings::folder()
{
    return g_testFolder ? g_testFolder->path() : QString();
}

QString TestSettings::filePath()
{
    return folder() + QStringLiteral("/registry.db");
}

FreshSettings::FreshSettings() : m_previous(qgetenv("TOLVANE_REGISTRY"))
{
    useDatabaseIn(m_dir);
}

FreshSettings::~FreshSettings()
{
    qputenv("TOLVANE_REGISTRY", m_previous);
    SettingsDatabase::reopen();
}
