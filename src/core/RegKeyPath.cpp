// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegKeyPath.h"

namespace {
const struct {
    const char* name;
    HKEY root;
} kRootNames[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
};
} // namespace

std::optional<RegKeyPath> RegKeyPath::parse(const QString& fullName)
{
    const qsizetype slash = fullName.indexOf(QLatin1Char('\\'));
    const QString first = slash < 0 ? fullName : fullName.left(slash);
    HKEY root = Registry::RegHKeyFromAbbr(first);
    for (const auto& entry : kRootNames) {
        if (first.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            root = entry.root;
    }
    if (root == 0)
        return std::nullopt;
    return RegKeyPath{root, slash < 0 ? QString() : fullName.mid(slash + 1)};
}

QString RegKeyPath::rootName(HKEY root)
{
    for (const auto& entry : kRootNames) {
        if (entry.root == root)
            return QLatin1String(entry.name);
    }
    return {};
}

QString RegKeyPath::fullName() const
{
    return path.isEmpty() ? rootName(root) : rootName(root) + QLatin1Char('\\') + path;
}
