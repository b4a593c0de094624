// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The settings database of the running test. Before each test starts,
// $TOLVANE_REGISTRY names a file in a new temporary folder and the store
// forgets the connection it had; after the test the folder goes.
namespace TestSettings {
// Called once by the test main.
void installPerTest();
// The current test's folder and database file (not created before first use).
QString folder();
QString filePath();
} // namespace TestSettings

// A further database inside one test: points $TOLVANE_REGISTRY at a file in a
// folder of its own and puts the test's database back when it goes out of scope.
class FreshSettings {
public:
    FreshSettings();
    ~FreshSettings();
    FreshSettings(const FreshSettings&) = delete;
    FreshSettings& operator=(const FreshSettings&) = delete;

    QString folder() const { return m_dir.path(); }
    QString filePath() const { return m_dir.path() + QStringLiteral("/registry.db"); }

private:
    QByteArray m_previous;
    QTemporaryDir m_dir;
};
