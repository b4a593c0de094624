// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "core/TextUtil.h"

namespace {
struct SwitchEntry {
    const char* token;
    const char* formClass;
};

const SwitchEntry kSwitches[] = {
    {"/DirComp", "frmDirComp"},
    {"/Calc", "frmCalculator"},
    {"/TimeCalc", "frmTimeCalc"},
    {"/ICalc", "frmInterestCalc"},
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
