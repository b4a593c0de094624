// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// One block of a version resource for the tests to build, damaged ones too:
// header, key, value and children, each aligned to 32 bits from its start.
struct VersionNode {
    QString key;
    QByteArray value;
    quint16 valueLength = 0; // as stored: characters for text, bytes otherwise
    quint16 type = 0;        // 1 text, 0 binary
    QList<VersionNode> children;
    std::optional<quint16> lengthOverride; // a block length that lies

    QByteArray serialize() const;

    struct Fixed {
        quint32 fileMS = 0, fileLS = 0, productMS = 0, productLS = 0;
        quint32 flags = 0, os = 0x00040004, fileType = 1, subtype = 0;
    };
    static VersionNode root(const Fixed& fixed, const QList<VersionNode>& children);
    static VersionNode text(const QString& key, const QString& value);
    // A StringFileInfo block with one table.
    static VersionNode strings(const QString& code,
                               const QList<std::pair<QString, QString>>& entries);
    // A VarFileInfo block whose translation table holds (language, code page) pairs.
    static VersionNode translations(const QList<std::pair<quint16, quint16>>& pairs);
};
