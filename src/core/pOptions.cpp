// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pOptions.h"

#include "core/AppGlobals.h"
#include "core/AppSettings.h"

namespace {
std::unique_ptr<pOptions> g_options;

// "Numeric" as the settings have always been read: a whole or decimal number,
// blanks around it allowed.
bool readNumber(const QString& text, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && !text.trimmed().isEmpty();
}

bool readFlag(const QString& name)
{
    double value = 0;
    if (!readNumber(AppGetSetting(akOptions, name), value))
        return true;
    return value != 0;
}
} // namespace

pOptions::~pOptions()
{
    if (m_initialised)
        Save();
}

void pOptions::Init()
{
    RenameSample = AppGetSetting(akOptions, QStringLiteral("RenameSample"));
    if (RenameSample.isEmpty()) {
        RenameSample = QStringLiteral("abcdefgh.ext");
        AppSaveSetting(akOptions, QStringLiteral("RenameSample"), RenameSample);
    }
    double number = 0;
    if (readNumber(AppGetSetting(akOptions, QStringLiteral("FontSize")), number) &&
        number >= -2147483648.0 && number <= 2147483647.0) {
        FontSize = qint32(qRound64(number));
    } else {
        FontSize = 8;
        AppSaveSetting(akOptions, QStringLiteral("FontSize"), QStringLiteral("8"));
    }
    if (readNumber(AppGetSetting(akOptions, QStringLiteral("PicPreViewBackColor")), number) &&
        number >= -2147483648.0 && number <= 2147483647.0)
        PicPreViewBackColor = qint32(qRound64(number));
    MinToSysTray = readFlag(QStringLiteral("MinToSysTray"));
    ShowFileInfo = readFlag(QStringLiteral("ShowFileInfo"));
    m_initialised = true;
}

void pOptions::Save() const
{
    AppSaveSetting(akOptions, QStringLiteral("RenameSample"), RenameSample);
    AppSaveSetting(akOptions, QStringLiteral("FontSize"), QString::number(FontSize));
    AppSaveSetting(akOptions, QStringLiteral("MinToSysTray"), AppBoolText(MinToSysTray));
    AppSaveSetting(akOptions, QStringLiteral("ShowFileInfo"), AppBoolText(ShowFileInfo));
}

pOptions* AppOptions()
{
    return g_options.get();
}

void SetAppOptions(std::unique_ptr<pOptions> options)
{
    g_options = std::move(options);
}

bool RunsAlone()
{
    const pOptions* options = AppOptions();
    return options && options->StartedByCmdLine;
}
