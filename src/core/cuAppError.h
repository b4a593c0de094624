// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppErrorRecord.h"

#include <QStringList>
#include <QVariant>

#include <optional>

// The error and message service: numbered German messages with "##" (inserted
// value) and "@@" (line break), message boxes, and the error chain that
// carries a failure from a class up to the window handler that shows it.
//
// ErrRaise and ErrMsg work on "the error just caught": call them inside a
// catch block (or pass the record explicitly). An invalid QVariant is Null.
class cuAppError {
public:
    cuAppError();

    // First number free for application errors (0x80040000 as signed 32 bit).
    static constexpr qint32 ErrorBase = -2147221504;

    QString AppName;                     // title of message boxes
    qint32 ErrLevel = 2;                 // 0 silent, 1 description, 2 with source chain
    qint32 ErrOffset = 0;                // added to numbers raised from messages
    std::optional<QStringList> MsgArray; // own messages, indexed by number; empty: the table
    QString Projectname;                 // the program's own error source

    // The message for |number| with its placeholders filled.
    QString MsgLoad(qint32 number, const QVariant& arg1 = {}, const QVariant& arg2 = {}) const;
    static QString MsgParse(const QString& text, const QVariant& arg1 = {},
                            const QVariant& arg2 = {});

    // Full form with the in/out arguments of the message box call.
    struct MsgShowArgs {
        qint32 number = 0;
        int buttons = 0;
        QVariant arg1;
        QVariant arg2;
        QString text;  // in: literal text (wins over number); out: the text shown
        QString title; // in/out: empty becomes AppName
        QString helpFile;
        qint32 helpContext = -1;
    };
    int MsgShow(MsgShowArgs& args) const;
    int MsgShow(qint32 number, int buttons = 0, const QVariant& arg1 = {},
                const QVariant& arg2 = {}) const;
    int MsgShowText(const QString& text, int buttons = 0, const QString& title = {}) const;

    // Shows the standard error box for the error just caught (or for `error`).
    void ErrMsg(const QString& module = {}, const QString& procedure = {}, QString helpFile = {},
                qint32 helpContext = -1) const;
    void ErrMsg(const AppErrorRecord& error, const QString& module = {},
                const QString& procedure = {}, QString helpFile = {},
                qint32 helpContext = -1) const;
    // The text and title ErrMsg would show; empty text when ErrLevel hides it.
    struct ErrorBox {
        QString text;
        QString title;
        int style = 16;
    };
    ErrorBox ErrMsgBox(const AppErrorRecord& error, const QString& module, const QString& procedure,
                       QString helpFile, qint32 helpContext) const;

    // Raises a new or passed-on error record. Number 0 passes on the error just
    // caught; a negative number -n raises message n of this service's source.
    // Returns only when both the number and the caught error are 0.
    void ErrRaise(qint32 number, const QString& source, const QString& procedure,
                  const QString& description = {}, const QVariant& arg1 = {},
                  const QVariant& arg2 = {}, qint32 helpContext = 0, QString helpFile = {}) const;
    // The same with the caught error given explicitly (null: none caught).
    void ErrRaiseFrom(const AppErrorRecord* caught, qint32 number, const QString& source,
                      const QString& procedure, const QString& description = {},
                      const QVariant& arg1 = {}, const QVariant& arg2 = {}, qint32 helpContext = 0,
                      QString helpFile = {}) const;

    void ErrStore(); // keeps the error just caught for ErrRaiseStored
    void ErrStore(const AppErrorRecord& error);
    [[noreturn]] void ErrRaiseStored(const QString& source, const QString& procedure) const;

    // The help boxes fall back to: the help folder start-up found; empty: none.
    static void SetApplicationHelpFile(const QString& path);
    static QString ApplicationHelpFile();

private:
    QString GetMsg(qint32 number) const;
    QString DefaultHelpFile() const;
    bool IsOwnSource(const QString& source) const;

    qint32 m_storedNumber = 0;
    QString m_storedSource;
    QString m_storedDescription;
    qint32 m_storedLine = 0;
};
