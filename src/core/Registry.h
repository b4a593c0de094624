// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/RegistryValues.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

// Typed access to the settings store: four roots, key paths joined with "\",
// values of three types (1 text, 3 binary, 4 32-bit integer), names compared
// ignoring case. Stateless: every operation is complete in itself, and no
// operation raises; failures come back as the documented "nothing" result.
using HKEY = quint32;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;

constexpr qint32 REG_SZ = 1;
constexpr qint32 REG_BINARY = 3;
constexpr qint32 REG_DWORD = 4;

class Registry {
public:
    // The operations answer "nothing" alike for a missing value and for a
    // store that failed. These tell the two apart: a failure of the store
    // itself since ClearLastError, and why, numbered as the settings API has
    // always numbered it: 2 no such key or value, 5 access denied, 14 out of
    // memory, 87 bad parameter, 1009 damaged store, 1010 bad key name,
    // 1011 cannot open, 1012 cannot read, 1013 cannot write.
    static void ClearLastError();
    static bool StoreFailed();
    static qint32 LastError(bool writing, const QString& path = {});

    qint32 RegArrayKeys(HKEY root, const QString& path, QStringList& names) const;
    qint32 RegArrayValues(HKEY root, const QString& path, QStringList& names) const;
    // Null (empty pointer) when the key is missing or holds no value.
    std::unique_ptr<RegistryValues> RegArrayValuesEx(HKEY root, const QString& path,
                                                     bool asNumber) const;
    static HKEY RegHKeyFromAbbr(const QString& abbreviation);
    bool RegKeyCreate(HKEY root, const QString& path) const;
    // Refuses (false) a key that still has sub-keys, as Windows NT does: deleting
    // a whole tree by accident cannot be undone. A root is never deleted.
    bool RegKeyDelete(HKEY root, const QString& path) const;
    bool RegValueDelete(HKEY root, const QString& path, const QString& name) const;
    // The default value of the HKCR sub-key named by the extension ("txt" or ".txt").
    QString RegFindClassEntry(const QString& extension) const;
    // The COM server file of a program identifier, from the HKLM and HKCR data in the store.
    QString RegGetServerPath(const QString& progId, bool mustExist) const;
    bool RegGetSettingBoolean(HKEY root, const QString& path, const QString& name,
                              bool defaultValue) const;
    std::optional<QByteArray>
    RegGetSettingByte(HKEY root, const QString& path, const QString& name,
                      const std::optional<QByteArray>& defaultValue = {}) const;
    QString RegGetSettingEx(HKEY root, const QString& path, const QString& name) const;
    // -1 for a missing key or value, the default for a value of another type.
    qint32 RegGetSettingLong(HKEY root, const QString& path, const QString& name,
                             qint32 defaultValue) const;
    // Root -1: taken from the path's prefix (HKCU\, HKLM\, HKCR\, HKU\), else HKLM.
    // Result: text, 32-bit integer, or Null (invalid QVariant).
    QVariant RegGetSettingSimple(const QString& fullPath, qint64 root = -1, qint32 type = -1) const;
    // A text value exactly as stored, cut at its first NUL; the default for a
    // missing value or one of another type.
    QString RegGetSettingString(HKEY root, const QString& path, const QString& name,
                                const QString& defaultValue = {}) const;
    bool RegKeyExists(HKEY root, const QString& path) const;
    bool RegKeyInfo(HKEY root, const QString& path, qint32& subKeyCount, qint32& valueCount) const;
    bool RegSaveSettingBinary(HKEY root, const QString& path, const QString& name,
                              const QString& text) const;
    bool RegSaveSettingByte(HKEY root, const QString& path, const QString& name,
                            const QByteArray& bytes) const;
    // Writes into an existing key only. Type 3 takes a QByteArray or a list of numbers 0..255.
    bool RegSaveSettingEx(HKEY root, const QString& path, const QString& name,
                          const QVariant& value, qint32 type) const;
    bool RegSaveSettingLong(HKEY root, const QString& path, const QString& name,
                            qint32 value) const;
    bool RegSaveSettingSimple(const QString& fullPath, const QVariant& value, qint64 root = -1,
                              qint32 type = -1) const;
    bool RegSaveSettingString(HKEY root, const QString& path, const QString& name,
                              const QString& text) const;
    bool RegValueExists(HKEY root, const QString& path, const QString& name) const;
    // Moves a value to a new name in one step (a value of that name is replaced);
    // false when the old value does not exist.
    bool RegValueRename(HKEY root, const QString& path, const QString& oldName,
                        const QString& newName) const;
    qint32 RegValueType(HKEY root, const QString& path, const QString& name) const;
};
