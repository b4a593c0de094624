// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "core/TextUtil.h"
#include "core/Version.h"

namespace {
struct SwitchEntry {
    const char* token;
    const char* formClass;
    const char* caption; // for --help
};

const SwitchEntry kSwitches[] = {
    {"/DirComp", "frmDirComp", "Verzeichnisse vergleichen"},
    {"/Calc", "frmCalculator", "Rechner"},
    {"/TimeCalc", "frmTimeCalc", "Zeitrechner"},
    {"/ICalc", "frmInterestCalc", "Zinsrechner"},
};

const QString kSlideshow = QStringLiteral("/Slideshow");
constexpr int kMaxTokens = 10;
} // namespace

QStringList CommandLineTokens(const QStringList& argumentsAfterProgram)
{
    QStringList tokens;
    for (const QString& argument : argumentsAfterProgram) {
        if (tokens.size() == kMaxTokens)
            break;
        tokens << StripQuotes(argument);
    }
    return tokens;
}

CommandChoice ChooseFromCommandLine(const QStringList& tokens,
                                    const std::function<bool(const QString&)>& runSlideshow,
                                    const std::function<bool(const QString&)>& formAvailable)
{
    CommandChoice choice;
    const qsizetype count = std::min<qsizetype>(tokens.size(), kMaxTokens);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& token = tokens.at(i);
        if (token.compare(kSlideshow, Qt::CaseInsensitive) == 0) {
            // A declined path is walked on like any other token.
            if (i + 1 < count && runSlideshow && runSlideshow(tokens.at(i + 1))) {
                choice.slideshowTookOver = true;
                return choice;
            }
            continue;
        }
        for (const SwitchEntry& entry : kSwitches) {
            if (token.compare(QLatin1String(entry.token), Qt::CaseInsensitive) != 0)
                continue;
            const QString formClass = QLatin1String(entry.formClass);
            if (formAvailable && formAvailable(formClass)) {
                choice.formClass = formClass;
                return choice;
            }
        }
    }
    return choice;
}

InfoSwitch FindInfoSwitch(const QStringList& argumentsAfterProgram)
{
    for (const QString& argument : argumentsAfterProgram) {
        if (argument == QLatin1String("--version"))
            return InfoSwitch::Version;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return InfoSwitch::Help;
    }
    return InfoSwitch::None;
}

QString VersionText()
{
    return QStringLiteral("Tolvane ") + ProgramVersion();
}

QString UsageText(const std::function<bool(const QString&)>& formAvailable, bool slideshowAvailable)
{
    QString text = QStringLiteral(
        "Aufruf: tolvane [SCHALTER]\n\n"
        "Ohne Schalter öffnet sich das Hauptfenster. Ein Schalter startet ein Werkzeug\n"
        "allein; das Programm endet, wenn dessen Fenster geschlossen wird.\n"
        "Groß- und Kleinschreibung spielt bei den Schaltern keine Rolle.\n\n");
    const auto line = [&text](const QString& option, const QString& meaning) {
        text += QStringLiteral("  %1  %2\n").arg(option, -18).arg(meaning);
    };
    for (const SwitchEntry& entry : kSwitches) {
        if (formAvailable && formAvailable(QLatin1String(entry.formClass)))
            line(QLatin1String(entry.token), QString::fromUtf8(entry.caption));
    }
    if (slideshowAvailable)
        line(kSlideshow + QStringLiteral(" PFAD"),
             QStringLiteral("Slideshow eines Ordners oder einer Slideshow-Datei (*.ini)"));
    line(QStringLiteral("--version"), QStringLiteral("Version ausgeben"));
    line(QStringLiteral("--help"), QStringLiteral("Diese Hilfe ausgeben"));
    return text;
}
