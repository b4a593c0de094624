// SPDX-License-Identifier: GPL-3.0-or-later
#include "comreg/pRegisterFile.h"

#include "comreg/WineRegistrar.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileStatus.h"
#include "platform/PeFile.h"
#include "platform/SystemError.h"

#include <cerrno>

namespace {
const QString kDefaultExtensions = QStringLiteral("dll;ocx;olb;tlb");

QString extensionOf(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}
} // namespace

pRegisterFile::pRegisterFile(Default missing)
{
    QString list = AppGetSetting(akOptions, QStringLiteral("ActiveX"));
    if (!AppValueExists(akOptions, QStringLiteral("ActiveX"))) {
        list = kDefaultExtensions;
        if (missing == Default::UseAndStore)
            AppSaveSetting(akOptions, QStringLiteral("ActiveX"), list);
    }
    for (const QString& extension : list.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        m_extensions << extension.trimmed().toUpper();
}

bool pRegisterFile::IsActiveX(const QString& path) const
{
    const QString extension = extensionOf(path);
    return !extension.isEmpty() && m_extensions.contains(extension.toUpper());
}

QString pRegisterFile::Refusal(const QString& path, bool registering, bool& is64Bit)
{
    const QString extension = extensionOf(path).toLower();
    if (extension == QLatin1String("tlb") || extension == QLatin1String("olb"))
        return AppErr().MsgLoad(Msg::TypeLibraryUnsupported);
    int error = 0;
    if (!ReadFileStatus(path, FollowLinks::Yes, &error))
        return SystemErrorSentence(error);
    PeFile pe;
    if (!pe.open(path) || !pe.isPe())
        return AppErr().MsgLoad(Msg::NotWindowsLibrary);
    const QString entry = WineRegistrar::EntryPoint(registering);
    if (!pe.exportNames().contains(entry))
        return AppErr().MsgLoad(Msg::ExportMissing, entry);
    is64Bit = pe.is64Bit();
    return {};
}

bool pRegisterFile::Register(const QString& path, bool registering,
                             const std::function<bool()>& cancelled)
{
    return RegisterFile(path, registering, cancelled, m_reason);
}

bool pRegisterFile::RegisterFile(const QString& path, bool registering,
                                 const std::function<bool()>& cancelled, QString& reason)
{
    bool is64Bit = false;
    reason = Refusal(path, registering, is64Bit);
    if (!reason.isEmpty())
        return false;
    const WineRegistrar::Outcome outcome =
        WineRegistrar().Run(path, registering, is64Bit, cancelled);
    reason = outcome.reason;
    return outcome.ok;
}
