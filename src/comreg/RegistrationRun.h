// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The main window's registration command without its window: the question
// before, the loop over the selected files, and the report after.
class RegistrationRun {
public:
    // A message box: its text and style (MsgStyle values).
    struct Box {
        QString text;
        int style = 0;
    };
    // Registers one file; false with the reason on failure.
    using RegisterOne = std::function<bool(const QString& path, QString& reason)>;
    // Asks whether to go on after a failure; true for Yes.
    using AskContinue = std::function<bool(const QString& question)>;

    RegistrationRun(QStringList paths, bool registering);

    // Asked first (Yes goes on); none when a single file is registered.
    std::optional<Box> Question() const;
    // Every file in order until the user stops after a failure (asked only
    // when there are several files); the failure at which the run stopped
    // counts, the files after it are not tried.
    void Run(const RegisterOne& registerOne, const AskContinue& askContinue);
    Box Report() const;

    qint32 Succeeded() const { return m_succeeded; }
    qint32 Failed() const { return m_failed; }
    // The path of the last file that succeeded; empty when none did.
    QString LastSucceeded() const { return m_lastSucceeded; }
    // "registriert" or "entregistriert".
    QString Verb() const;

private:
    QString FailureText(const QString& path, const QString& reason) const;

    QStringList m_paths;
    bool m_registering = true;
    qint32 m_succeeded = 0;
    qint32 m_failed = 0;
    QString m_lastSucceeded;
    QString m_lastReason;
};
