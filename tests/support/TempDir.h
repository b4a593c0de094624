// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

// A fresh temporary folder for one test, with helpers to fill it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // Folder path with a trailing "/".
    QString path() const;
    QString filePath(const QString& relative) const;
    // Creates the file (and its folders) with the given bytes; returns its path.
    QString writeFile(const QString& relative, const QByteArray& contents = {},
                      const QDateTime& modified = {}) const;
    // A file whose name is given as bytes (which need not be UTF-8); returns
    // its path decoded losslessly (platform/FileNameCodec.h).
    QString writeFileNamed(const QByteArray& name, const QByteArray& contents = {}) const;
    QString makeDir(const QString& relative) const;
    // The bytes of any file; a test failure when it cannot be read, so that
    // two missing files never compare equal.
    static QByteArray contents(const QString& path);

private:
    QTemporaryDir m_dir;
};
