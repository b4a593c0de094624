// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"

#include "platform/SettingsDatabase.h"
#include "platform/SettingsTree.h"
#include "platform/SqlStatement.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>

#include <sqlite3.h>

namespace {
SettingsTree tree()
{
    return SettingsTree(SettingsDatabase::instance());
}

QString cutAtNul(const QString& text)
{
    const qsizetype at = text.indexOf(QChar(u'\0'));
    return at < 0 ? text : text.left(at);
}

// "Numeric" as settings texts have always been judged: a number with blanks
// around it, written the C way or the user's way ("1.5" or "1,5").
bool readNumber(const QString& text, double& number)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    bool ok = false;
    number = trimmed.toDouble(&ok);
    if (!ok)
        number = QLocale().toDouble(trimmed, &ok);
    return ok && std::isfinite(number);
}

// A value converted to a 32-bit integer the way the settings always converted
// them: rounded half to even, nothing outside the range.
std::optional<qint32> toLong(const QVariant& value)
{
    double number = 0;
    if (value.typeId() == QMetaType::Bool) {
        number = value.toBool() ? -1 : 0;
    } else if (value.typeId() == QMetaType::QString) {
        if (!readNumber(value.toString(), number))
            return std::nullopt;
    } else {
        bool ok = false;
        number = value.toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    number = std::nearbyint(number);
    if (!(number >= -2147483648.0 && number <= 2147483647.0))
        return std::nullopt;
    return qint32(number);
}

// The unsigned value with the pattern "0,000,000,000": ten digits, grouped in
// threes with the user's group separator.
QString groupedTenDigits(quint32 number)
{
    const QString digits = QStringLiteral("%1").arg(number, 10, 10, QLatin1Char('0'));
    const QString separator = QLocale().groupSeparator();
    QString out = digits.left(1);
    for (int i = 1; i < 10; i += 3)
        out += separator + digits.mid(i, 3);
    return out;
}

QVariant listedValue(const SettingsValue& value, bool asNumber)
{
    switch (value.type) {
    case SettingsValue::Binary: {
        QStringList bytes;
        for (char byte : value.data)
            bytes << QString::number(quint8(byte), 16).toUpper();
        return bytes.join(QLatin1Char(' '));
    }
    case SettingsValue::Dword: {
        if (value.data.isEmpty())
            return QString();
        const quint32 number = value.toDword();
        if (asNumber)
            return qint32(number);
        const QString hex = QStringLiteral("%1").arg(number, 8, 16, QLatin1Char('0')).toUpper();
        return hex + QStringLiteral(" (") + groupedTenDigits(number) + QLatin1Char(')');
    }
    default:
        return value.toText();
    }
}

struct SimplePath {
    quint32 root = 0;
    QString key;
    QString name;
};

// A full path names a value by its last part, or the default value when it ends
// in a backslash. With root -1 the root comes from a prefix "HKCU", "HKLM",
// "HKCR" or "HKU" and a backslash; any other path lies under HKEY_LOCAL_MACHINE.
SimplePath splitSimplePath(const QString& fullPath, qint64 root)
{
    SimplePath out;
    QString path = fullPath;
    if (root == -1) {
        out.root = HKEY_LOCAL_MACHINE;
        const qsizetype slash = path.indexOf(QLatin1Char('\\'));
        const HKEY prefix = slash > 0 ? Registry::RegHKeyFromAbbr(path.left(slash)) : 0;
        if (prefix != 0) {
            out.root = prefix;
            path = path.mid(slash + 1);
        }
    } else {
        out.root = quint32(root);
        if (qint64(out.root) != root)
            out.root = 0; // no such root; every operation then fails
    }
    if (path.endsWith(QLatin1Char('\\'))) {
        out.key = path.chopped(1);
        return out;
    }
    const qsizetype last = path.lastIndexOf(QLatin1Char('\\'));
    out.key = last < 0 ? QString() : path.left(last);
    out.name = path.mid(last + 1);
    return out;
}

// Parts joined with exactly one backslash between them.
QString joinKeyPath(const QStringList& parts)
{
    QString out;
    for (const QString& part : parts) {
        QString piece = part;
        while (piece.startsWith(QLatin1Char('\\')))
            piece.remove(0, 1);
        while (out.endsWith(QLatin1Char('\\')))
            out.chop(1);
        out += out.isEmpty() ? piece : QLatin1Char('\\') + piece;
    }
    return out;
}
} // namespace

qint32 Registry::RegArrayKeys(HKEY root, const QString& path, QStringList& names) const
{
    const std::optional<QStringList> keys = tree().subKeys(root, path);
    if (!keys)
        return 0;
    names = *keys;
    return qint32(names.size());
}

qint32 Registry::RegArrayValues(HKEY root, const QString& path, QStringList& names) const
{
    const std::optional<QList<SettingsValue>> values = tree().values(root, path);
    if (!values)
        return 0;
    names.clear();
    for (const SettingsValue& value : *values)
        names << value.name;
    return qint32(names.size());
}

std::unique_ptr<RegistryValues> Registry::RegArrayValuesEx(HKEY root, const QString& path,
                                                           bool asNumber) const
{
    const std::optional<QList<SettingsValue>> values = tree().values(root, path);
    if (!values || values->isEmpty())
        return nullptr;
    auto list = std::make_unique<RegistryValues>();
    for (const SettingsValue& value : *values) {
        const qint32 type =
            value.type == SettingsValue::Binary || value.type == SettingsValue::Dword ? value.type
                                                                                      : REG_SZ;
        list->Add(type, listedValue(value, asNumber), value.name, value.name);
    }
    return list;
}

HKEY Registry::RegHKeyFromAbbr(const QString& abbreviation)
{
    static const struct {
        const char* abbr;
        HKEY root;
    } kRoots[] = {{"HKLM", HKEY_LOCAL_MACHINE},
                  {"HKCU", HKEY_CURRENT_USER},
                  {"HKCR", HKEY_CLASSES_ROOT},
                  {"HKU", HKEY_USERS}};
    for (const auto& entry : kRoots) {
        if (abbreviation.compare(QLatin1String(entry.abbr), Qt::CaseInsensitive) == 0)
            return entry.root;
    }
    return 0;
}

bool Registry::RegKeyCreate(HKEY root, const QString& path) const
{
    return tree().createKey(root, path);
}

bool Registry::RegKeyDelete(HKEY root, const QString& path) const
{
    return tree().deleteKey(root, path);
}

bool Registry::RegValueDelete(HKEY root, const QString& path, const QString& name) const
{
    return tree().deleteValue(root, path, name);
}

QString Registry::RegFindClassEntry(const QString& extension) const
{
    const QString key =
        extension.startsWith(QLatin1Char('.')) ? extension : QLatin1Char('.') + extension;
    // Only the direct sub-keys of the root are file types.
    if (key.contains(QLatin1Char('\\')))
        return {};
    return RegGetSettingString(HKEY_CLASSES_ROOT, key, QString());
}

QString Registry::RegGetServerPath(const QString& progId, bool mustExist) const
{
    const QString clsid = RegGetSettingString(
        HKEY_LOCAL_MACHINE,
        joinKeyPath({QStringLiteral("Software\\Classes"), progId, QStringLiteral("CLSID")}),
        QString());
    if (clsid.isEmpty())
        return {};
    QString path = RegGetSettingString(
        HKEY_CLASSES_ROOT,
        joinKeyPath({QStringLiteral("CLSID"), clsid, QStringLiteral("LocalServer32")}), QString());
    if (path.isEmpty())
        path = RegGetSettingString(
            HKEY_CLASSES_ROOT,
            joinKeyPath({QStringLiteral("CLSID"), clsid, QStringLiteral("InprocServer32")}),
            QString());
    // A server entry may be a command line ("server.exe /automation"): keep the
    // program and drop what follows its extension.
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const QString extension = path.mid(dot + 1);
        const qsizetype blank = extension.indexOf(QLatin1Char(' '));
        if (blank >= 0)
            path = path.left(dot + 1) + extension.left(blank).trimmed();
    }
    // Short 8.3 names do not exist here, so the path is already in its long form.
    if (mustExist && !QFileInfo(path).isFile())
        return {};
    return path;
}

bool Registry::RegGetSettingBoolean(HKEY root, const QString& path, const QString& name,
                                    bool /*defaultValue: never consulted*/) const
{
    const std::optional<SettingsValue> value = tree().value(root, path, name);
    if (!value)
        return false;
    if (value->type == SettingsValue::Binary) {
        for (char byte : value->data) {
            if (quint8(byte) > 0)
                return true;
        }
        return false;
    }
    if (value->type == SettingsValue::Dword)
        return value->toDword() != 0;
    const QString text = cutAtNul(value->toText());
    double number = 0;
    if (readNumber(text, number))
        return number != 0;
    return !text.trimmed().isEmpty();
}

std::optional<QByteArray>
Registry::RegGetSettingByte(HKEY root, const QString& path, const QString& name,
                            const std::optional<QByteArray>& defaultValue) const
{
    const std::optional<SettingsValue> value = tree().value(root, path, name);
    if (value && value->type == SettingsValue::Binary && !value->data.isEmpty())
        return value->data;
    return defaultValue;
}

QString Registry::RegGetSettingEx(HKEY root, const QString& path, const QString& name) const
{
    const std::optional<SettingsValue> value = tree().value(root, path, name);
    if (!value)
        return {};
    if (value->type == SettingsValue::Binary) {
        QStringList bytes;
        for (char byte : value->data)
            bytes << QString::number(quint8(byte));
        return bytes.join(QLatin1Char(' '));
    }
    if (value->type == SettingsValue::Dword)
        return QString::number(qint32(value->toDword()));
    const QString text = cutAtNul(value->toText());
    double number = 0;
    return readNumber(text, number) ? text : text.trimmed();
}

qint32 Registry::RegGetSettingLong(HKEY root, const QString& path, const QString& name,
                                   qint32 defaultValue) const
{
    const std::optional<SettingsValue> value = tree().value(root, path, name);
    if (!value)
        return -1;
    return value->type == SettingsValue::Dword ? qint32(value->toDword()) : defaultValue;
}

QVariant Registry::RegGetSettingSimple(const QString& fullPath, qint64 root, qint32 type) const
{
    const SimplePath at = splitSimplePath(fullPath, root);
    if (type == -1)
        type = RegValueType(at.root, at.key, at.name);
    if (type == REG_SZ) {
        const QString text = RegGetSettingString(at.root, at.key, at.name, QString());
        return text.trimmed().isEmpty() ? QVariant() : QVariant(text);
    }
    const qint32 number = RegGetSettingLong(at.root, at.key, at.name, 0);
    return number == -1 ? QVariant() : QVariant(number);
}

QString Registry::RegGetSettingString(HKEY root, const QString& path, const QString& name,
                                      const QString& defaultValue) const
{
    const std::optional<SettingsValue> value = tree().value(root, path, name);
    if (!value || value->type != SettingsValue::Text)
        return defaultValue;
    return cutAtNul(value->toText());
}

bool Registry::RegKeyExists(HKEY root, const QString& path) const
{
    return tree().keyExists(root, path);
}

bool Registry::RegKeyInfo(HKEY root, const QString& path, qint32& subKeyCount,
                          qint32& valueCount) const
{
    return tree().counts(root, path, subKeyCount, valueCount);
}

bool Registry::RegSaveSettingBinary(HKEY root, const QString& path, const QString& name,
                                    const QString& text) const
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        if (ch.unicode() > 255)
            return false; // a character that is no byte: nothing is written
        bytes.append(char(ch.unicode()));
    }
    return RegSaveSettingByte(root, path, name, bytes);
}

bool Registry::RegSaveSettingByte(HKEY root, const QString& path, const QString& name,
                                  const QByteArray& bytes) const
{
    return tree().setValue(root, path, SettingsValue::binary(name, bytes), true);
}

bool Registry::RegSaveSettingEx(HKEY root, const QString& path, const QString& name,
                                const QVariant& value, qint32 type) const
{
    SettingsValue stored;
    if (type == REG_SZ) {
        stored = SettingsValue::text(name, value.toString());
    } else if (type == REG_BINARY) {
        QByteArray bytes;
        if (value.typeId() == QMetaType::QByteArray) {
            bytes = value.toByteArray();
        } else {
            if (!value.canConvert<QVariantList>())
                return false;
            for (const QVariant& item : value.toList()) {
                const std::optional<qint32> byte = toLong(item);
                if (!byte || *byte < 0 || *byte > 255)
                    return false;
                bytes.append(char(*byte));
            }
        }
        stored = SettingsValue::binary(name, bytes);
    } else if (type == REG_DWORD) {
        const std::optional<qint32> number = toLong(value);
        if (!number)
            return false;
        stored = SettingsValue::dword(name, quint32(*number));
    } else {
        return false;
    }
    return tree().setValue(root, path, stored, false);
}

bool Registry::RegSaveSettingLong(HKEY root, const QString& path, const QString& name,
                                  qint32 value) const
{
    return tree().setValue(root, path, SettingsValue::dword(name, quint32(value)), true);
}

bool Registry::RegSaveSettingSimple(const QString& fullPath, const QVariant& value, qint64 root,
                                    qint32 type) const
{
    const SimplePath at = splitSimplePath(fullPath, root);
    if (type == -1) {
        type = RegValueType(at.root, at.key, at.name);
        if (type == 0)
            type = value.typeId() == QMetaType::QString ? REG_SZ : REG_DWORD;
    }
    if (type == REG_SZ)
        return RegSaveSettingString(at.root, at.key, at.name, value.toString());
    const std::optional<qint32> number = toLong(value);
    return number && RegSaveSettingLong(at.root, at.key, at.name, *number);
}

bool Registry::RegSaveSettingString(HKEY root, const QString& path, const QString& name,
                                    const QString& text) const
{
    return tree().setValue(root, path, SettingsValue::text(name, text), true);
}

bool Registry::RegValueExists(HKEY root, const QString& path, const QString& name) const
{
    return tree().value(root, path, name).has_value();
}

bool Registry::RegValueRename(HKEY root, const QString& path, const QString& oldName,
                              const QString& newName) const
{
    return tree().renameValue(root, path, oldName, newName);
}

qint32 Registry::RegValueType(HKEY root, const QString& path, const QString& name) const
{
    const std::optional<SettingsValue> value = tree().value(root, path, name);
    return value ? value->type : 0;
}

void Registry::ClearLastError()
{
    SqlStatement::clearLastFailure();
}

bool Registry::StoreFailed()
{
    return SqlStatement::lastFailure().code != SQLITE_OK;
}

qint32 Registry::LastError(bool writing, const QString& path)
{
    if (!SettingsDatabase::instance().isOpen())
        return 1011;
    switch (SqlStatement::lastFailure().code & 0xff) {
    case SQLITE_OK:
        // The store did its part: the name is what is wrong.
        return !path.isNull() && !SettingsTree::splitPath(path) ? 1010 : 2;
    case SQLITE_NOMEM:
        return 14;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH:
        return 5;
    case SQLITE_MISUSE:
    case SQLITE_RANGE:
    case SQLITE_TOOBIG:
        return 87;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return 1009;
    case SQLITE_CANTOPEN:
        return 1011;
    default:
        return writing ? 1013 : 1012;
    }
}
