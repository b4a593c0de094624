// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsDatabase.h"

#include <QByteArray>
#include <QTemporaryDir>

// A settings database of its own for one test: points $TOLVANE_REGISTRY at a
// file in a new temporary folder (opened on first use); puts the previous file
// back when it goes out of scope.
class FreshSettings {
public:
    FreshSettings() : m_previous(qgetenv("TOLVANE_REGISTRY"))
    {
        qputenv("TOLVANE_REGISTRY", filePath().toUtf8());
        SettingsDatabase::reopen();
    }
    ~FreshSettings()
    {
        qputenv("TOLVANE_REGISTRY", m_previous);
        SettingsDatabase::reopen();
    }
    FreshSettings(const FreshSettings&) = delete;
    FreshSettings& operator=(const FreshSettings&) = delete;

    QString folder() const { return m_dir.path(); }
    QString filePath() const { return m_dir.path() + QStringLiteral("/registry.db"); }

private:
    QByteArray m_previous;
    QTemporaryDir m_dir;
};
