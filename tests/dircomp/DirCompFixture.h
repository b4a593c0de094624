// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"
#include "platform/FileNameCodec.h"
#include "support/TempDir.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <functional>

class pDirComp;

// A source and a destination folder in a fresh temporary folder, filled
// by name bytes with exact times.
class TwoFolders {
public:
    TwoFolders();

    QString source() const { return m_source; }
    QString dest() const { return m_dest; }
    QByteArray sourceBytes() const { return EncodeFileName(m_source); }
    QByteArray destBytes() const { return EncodeFileName(m_dest); }

    // A file with `contents` and the modification time seconds.nanoseconds.
    static void put(const QString& folder, const QByteArray& name, const QByteArray& contents,
                    qint64 seconds = 1'600'000'000, qint32 nanoseconds = 0);
    static QByteArray read(const QString& folder, const QByteArray& name);
    // Every entry (hidden ones too) of a folder whose names are UTF-8.
    static QList<QByteArray> entries(const QString& folder);

    TempDir dir;

private:
    QString m_source;
    QString m_dest;
};

// Class letters of a compared list by name: "D" Differs, "S" Same, "E"
// Extra, with "!" for a conflict.
QMap<QByteArray, QString> Classes(const DirCompItems& items);

// Runs `action` in a child as nobody (root reads and writes anything), with
// the folders `open` readable; its result is the child's exit code.
int RunAsNobody(const QStringList& open, const std::function<int()>& action);
