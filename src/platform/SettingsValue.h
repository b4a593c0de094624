// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QtEndian>

// One named value of the settings store as it is held on disk. The data keeps
// one form per type so that every layer above agrees on it:
//   Text (1)   the text as UTF-8, no terminating NUL (a NUL inside is kept)
//   Binary (3) the bytes as they are
//   Dword (4)  four bytes, little-endian, as the registry has always held them
struct SettingsValue {
    enum Type : qint32 { Text = 1, Binary = 3, Dword = 4 };

    QString name; // empty: the key's default value
    qint32 type = Text;
    QByteArray data;

    static bool isKnownType(qint32 type) { return type == Text || type == Binary || type == Dword; }

    static SettingsValue text(const QString& name, const QString& text)
    {
        return {name, Text, text.toUtf8()};
    }
    static SettingsValue binary(const QString& name, const QByteArray& bytes)
    {
        return {name, Binary, bytes};
    }
    static SettingsValue dword(const QString& name, quint32 number)
    {
        QByteArray bytes(4, '\0');
        qToLittleEndian<quint32>(number, bytes.data());
        return {name, Dword, bytes};
    }

    QString toText() const { return fromUtf8Exactly(data); }
    // Stored text read back exactly: a leading U+FEFF is a character of the
    // text, not a byte order mark to drop as QString::fromUtf8 would.
    static QString fromUtf8Exactly(QByteArrayView utf8)
    {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        return decoder.decode(utf8);
    }
    // Fewer than four bytes are taken as the low bytes of the number.
    quint32 toDword() const
    {
        quint32 number = 0;
        for (qsizetype i = qMin<qsizetype>(data.size(), 4) - 1; i >= 0; --i)
            number = (number << 8) | quint8(data.at(i));
        return number;
    }
};
