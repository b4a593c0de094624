// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Which files count as registrable, and one registration or unregistration.
// The extensions come from the settings value "ActiveX" once, when the object
// is made; without it, "dll;ocx;olb;tlb" is used, and stored by the object a
// registration makes (its first use): the main window asking which files
// qualify leaves a first start's settings as they were.
//
// Linux has no COM: a self-registering server is registered through Wine
// (WineRegistrar). Before any process starts, the file must be a PE image
// exporting the entry point; type libraries (tlb, olb) cannot be registered
// here at all. Each failure leaves its reason in LastReason().
class pRegisterFile {
public:
    enum class Default { Use, UseAndStore };
    explicit pRegisterFile(Default missing = Default::Use);

    // True when the extension of a file name or path (after the last ".")
    // is one of the list's, ignoring case.
    bool IsActiveX(const QString& path) const;
    // Registers (true) or unregisters (false) one file; true on success.
    // `cancelled` is asked while Wine runs and ends it.
    bool Register(const QString& path, bool registering,
                  const std::function<bool()>& cancelled = {});
    QString LastReason() const { return m_reason; }
    // The same without the list (which the registration itself does not
    // need, so no settings are read): the reason is set on failure.
    static bool RegisterFile(const QString& path, bool registering,
                             const std::function<bool()>& cancelled, QString& reason);

    const QStringList& Extensions() const { return m_extensions; }

private:
    // Why the file cannot be handed to Wine; empty when it can.
    static QString Refusal(const QString& path, bool registering, bool& is64Bit);

    QStringList m_extensions;
    QString m_reason;
};
