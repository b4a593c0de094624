// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cuAppError.h"

#include <QString>
#include <QStringList>

// The built-in document properties (title, author, dates ...) of office
// documents, read from the file itself: the property sets of Word, Excel and
// PowerPoint files (doc, dot, xls, ppt, pot) and the metadata parts of their
// zip-based successors and of OpenDocument files.
//
// Failures of its own are raised from its private message list with the
// source "OfficeDocProperties": 1 the file is missing, 2 no file name was
// given, 6 a property index outside 0 to 10.
class OfficeDocProperties {
public:
    // The application numbers of the extension table.
    static constexpr qint32 AppNone = 0;
    static constexpr qint32 AppWord = 1;
    static constexpr qint32 AppExcel = 2;
    static constexpr qint32 AppPowerPoint = 3;
    static constexpr qint32 PropertyCount = 11;

    // Its own messages, raised as -n (cuAppError::ErrorBase - n).
    enum Message : qint32 {
        FileMissing = 1, // the file does not exist (or is no regular file)
        NoFileName = 2,  // GetProperties without a file name
        NoSuchIndex = 6, // Translate with an index outside 0 to 10
    };

    OfficeDocProperties();

    QString Filename() const { return m_filename; }
    void setFilename(const QString& name) { m_filename = name; }

    // The extensions that are read, in table order, in lower case.
    static QStringList SupportedExtensions();
    // The application number for a file name's extension (letter case
    // ignored); AppNone for the rest.
    static qint32 ApplicationFor(const QString& fileName);
    // True for the three applications: their documents are read without them.
    bool AppIsAvailable(qint32 application) const;

    // Resizes `values` to the eleven properties, fills them and returns how
    // many are not empty (0: nothing readable, or no supported extension).
    qint32 GetProperties(QStringList& values);
    // The German (true) or English name of property `index`.
    QString Translate(qint32 index, bool german) const;

private:
    cuAppError m_messages;
    QString m_filename;
};
