// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppErrorRecord.h"

#include <QStringList>
#include <QVariant>

// The CNF document's own message texts. A document raises them through its
// private error service as -n, so they reach the caller as error number
// cuAppError::ErrorBase - n; "##" takes the file name where a text has one.
class CNFMessages {
public:
    enum Number : qint32 {
        UnknownError = 1,
        FileMissing = 2,     // FileRead: nothing at Filename
        SectionNotFound = 3, // a section asked for by name is not there
        SectionEmpty = 4,
        NoSections = 5, // the text holds no section line
        NoEntries = 6,  // the text is empty (blanks only)
        Cancelled = 8,  // FileReadCancel during a read
        NotSealed = 9,  // a password was given, the file is not sealed
        SealedWithoutPassword = 10,
        ChecksumUnknown = 11,
        ChecksumMismatch = 12,  // wrong password or damaged sealed file
        MarkerInPlainText = 13, // FileWrite without password, text begins with the marker
        PasswordTooLong = 14,   // sealing with more password bytes than can be checked
    };

    // The texts indexed by number; index 0 and 7 are empty. Message 14 is
    // this program's own.
    static const QStringList& Array();
    // Message n with "##" filled by arg.
    static QString Text(qint32 number, const QVariant& arg = {});
    // Raises message n as the error record of `source`: `procedure`.
    [[noreturn]] static void Raise(qint32 number, const QString& source, const QString& procedure,
                                   const QVariant& arg = {});
    // Raises a failure that is not one of the numbered messages (collection
    // errors), with the description exactly as given.
    [[noreturn]] static void RaiseText(qint32 number, const QString& source,
                                       const QString& procedure, const QString& description);

    // Numbers of the collection failures, as the program has always known them.
    static constexpr qint32 InvalidArgument = 5; // a name that is not there
    static constexpr qint32 OutOfRange = 9;      // a position outside the collection
    static constexpr qint32 DuplicateName = 457; // a name filed twice
    // Numbers of file failures, as run-time errors.
    static constexpr qint32 BadFileName = RuntimeError::BadFileName;   // no file name given
    static constexpr qint32 FileAccess = RuntimeError::PathFileAccess; // cannot read or write
};
