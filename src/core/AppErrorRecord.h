// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// A failure on its way up to the window that started the action. Classes add
// themselves to Source as it passes (cuAppError::ErrRaise); window handlers
// catch it and show it (cuAppError::ErrMsg).
class AppErrorRecord : public std::exception {
public:
    AppErrorRecord(qint32 number, QString source, QString description, qint32 line = 0,
                   QString helpFile = {}, qint32 helpContext = 0);

    qint32 Number = 0;
    QString Source;
    QString Description;
    qint32 Line = 0;
    QString HelpFile;
    qint32 HelpContext = 0;

    const char* what() const noexcept override { return m_what.constData(); }

    // Turns whatever was thrown into a record: records pass unchanged, standard
    // exceptions become the run-time errors the program knows (7 out of memory,
    // 6 overflow, 5 otherwise). A null pointer gives an empty record (number 0).
    static AppErrorRecord fromException(std::exception_ptr error);

private:
    QByteArray m_what;
};

// Run-time error numbers the program raises itself.
namespace RuntimeError {
constexpr qint32 InvalidProcedureCall = 5; // bad argument or state
constexpr qint32 Overflow = 6;             // a number left its range
constexpr qint32 OutOfMemory = 7;
constexpr qint32 SubscriptOutOfRange = 9; // index outside a list
constexpr qint32 DivisionByZero = 11;
constexpr qint32 TypeMismatch = 13; // text where a number was expected
constexpr qint32 BadFileName = 52;  // no name, or one the system refuses
constexpr qint32 FileNotFound = 53;
constexpr qint32 DeviceIO = 57; // the device reported an input/output error
constexpr qint32 FileAlreadyExists = 58;
constexpr qint32 DiskFull = 61; // no space left, quota or file size limit reached
constexpr qint32 PermissionDenied = 70;
constexpr qint32 PathFileAccess = 75;    // any other failure to read or write a file
constexpr qint32 ResourceNotFound = 326; // message number not in the table

// The number for a failed system call on a file (errno): 61 no space, 70
// no permission, 58 exists, 57 device error, 75 otherwise.
qint32 FromErrno(int code);
} // namespace RuntimeError
