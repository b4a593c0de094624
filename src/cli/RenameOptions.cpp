// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RenameOptions.h"

#include "cli/CliOptions.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"

#include "platform/FileNameCodec.h"

#include <QDir>

#include <climits>
#include <initializer_list>
#include <unistd.h>

namespace {
constexpr int kLongestStart = 18;
constexpr int kLargestPlaces = 999;

const char* const kReplaceOptions[] = {"--find", "--replace", "--start", "--count"};
const char* const kPartsOptions[] = {"--text", "--parts", "--pos"};
const char* const kInsertOptions[] = {"--insert", "--at", "--side", "--reverse"};
const char* const kRuleOptions[] = {"--mode", "--find",    "--replace", "--start",  "--count",
                                    "--text", "--parts",   "--pos",     "--insert", "--at",
                                    "--side", "--reverse", "--number",  "--places", "--number-at",
                                    "--ext",  "--mask"};

// The index of the value among the choices (the first when not given), or -1.
int Choice(const CliOptions& o, const char* name, std::initializer_list<const char*> choices,
           QString& problem)
{
    const QString value = o.value(name, QString::fromLatin1(*choices.begin()));
    int index = 0;
    for (const char* choice : choices) {
        if (value == QLatin1String(choice))
            return index;
        ++index;
    }
    problem = QStringLiteral("Unzulässiger Wert für %1: '%2'.").arg(QLatin1String(name), value);
    return -1;
}

bool Digits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// A position: digits, 1 when not given. 0 is taken as given, so that the
// check reports it for every file.
bool Position(const CliOptions& o, const char* name, std::optional<qint64>& pos, QString& problem)
{
    const QString value = o.value(name, QStringLiteral("1"));
    if (!Digits(value)) {
        problem = QStringLiteral("%1 verlangt eine Zahl: '%2'.").arg(QLatin1String(name), value);
        return false;
    }
    pos = RenameRule::ParseNumber(value);
    return true;
}

template <size_t N>
bool NoneGiven(const CliOptions& o, const char* const (&names)[N], QString& problem)
{
    for (const char* name : names) {
        if (o.has(name)) {
            problem = QStringLiteral("Die Option %1 gehört nicht zum gewählten Modus.")
                          .arg(QLatin1String(name));
            return false;
        }
    }
    return true;
}
// The journal outlives the working folder: the path is kept absolute.
QString AbsoluteFolder(const QString& given)
{
    QString path = given;
    if (!path.startsWith(QLatin1Char('/'))) {
        char buffer[PATH_MAX];
        if (::getcwd(buffer, sizeof buffer))
            path = DecodeFileName(QByteArray(buffer)) + QLatin1Char('/') + path;
    }
    path = QDir::cleanPath(path);
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}
} // namespace

bool RenameCommandOptions::Read(const QStringList& args, QString& problem)
{
    CliOptions o;
    if (!o.parse(args, {{"--stdin", false},    {"--null", false},  {"--run", false},
                        {"--undo", false},     {"--mode", true},   {"--find", true},
                        {"--replace", true},   {"--start", true},  {"--count", true},
                        {"--text", true},      {"--parts", true},  {"--pos", true},
                        {"--insert", true},    {"--at", true},     {"--side", true},
                        {"--reverse", false},  {"--number", true}, {"--places", true},
                        {"--number-at", true}, {"--ext", true},    {"--mask", true}}))
        return false;
    fromStdin = o.has("--stdin");
    null = o.has("--null");
    run = o.has("--run");
    undo = o.has("--undo");
    if (undo) {
        if (fromStdin || !o.operands().isEmpty() || !NoneGiven(o, kRuleOptions, problem)) {
            if (problem.isEmpty())
                problem = QStringLiteral("--undo nimmt nur --run und --null an.");
            return false;
        }
        return true;
    }
    if (fromStdin == (o.operands().size() == 1) || o.operands().size() > 1) {
        problem = QStringLiteral("Geben Sie genau einen Ordner oder --stdin an.");
        return false;
    }
    if (fromStdin && run) {
        problem = QStringLiteral("--run geht nicht mit --stdin: Namen von der Eingabe werden "
                                 "nur geprüft.");
        return false;
    }
    if (!fromStdin)
        folder = AbsoluteFolder(o.operands().first());
    mask = o.value("--mask", mask);
    if (!ReadMode(o, problem) || !ReadNumbering(o, problem))
        return false;
    rule.changeExtension = o.has("--ext");
    rule.extension = o.value("--ext");
    if (!rule.HasAction()) {
        problem = QStringLiteral("Die Regel ändert nichts: Geben Sie an, was sich ändern soll.");
        return false;
    }
    if (rule.GivesOneName()) {
        problem = AppErr().MsgLoad(Msg::RenameNeedsOption);
        return false;
    }
    return true;
}

bool RenameCommandOptions::ReadMode(const CliOptions& o, QString& problem)
{
    const int mode = Choice(o, "--mode", {"off", "replace", "parts", "insert", "special"}, problem);
    if (mode < 0)
        return false;
    rule.mode = RenameRule::Mode(mode);
    using Mode = RenameRule::Mode;
    if ((rule.mode != Mode::Replace && !NoneGiven(o, kReplaceOptions, problem)) ||
        (rule.mode != Mode::Parts && !NoneGiven(o, kPartsOptions, problem)) ||
        (rule.mode != Mode::Insert && !NoneGiven(o, kInsertOptions, problem)))
        return false;
    rule.extractNumber = rule.mode == Mode::Special;
    switch (rule.mode) {
    case Mode::Replace: {
        rule.find = o.value("--find");
        rule.replace = o.value("--replace");
        const int count = Choice(o, "--count", {"all", "first"}, problem);
        rule.count = RenameRule::Count(count);
        return count >= 0 && Position(o, "--start", rule.start, problem);
    }
    case Mode::Parts: {
        rule.text = o.value("--text");
        const int parts = Choice(o, "--parts", {"whole", "before", "after"}, problem);
        rule.parts = RenameRule::Parts(parts);
        return parts >= 0 && Position(o, "--pos", rule.partsPos, problem);
    }
    case Mode::Insert: {
        rule.insert = o.value("--insert");
        rule.reverse = o.has("--reverse");
        const int side = Choice(o, "--side", {"before", "after"}, problem);
        rule.side = RenameRule::Side(side);
        return side >= 0 && Position(o, "--at", rule.insertPos, problem);
    }
    default:
        return true;
    }
}

bool RenameCommandOptions::ReadNumbering(const CliOptions& o, QString& problem)
{
    rule.numbering = o.has("--number");
    if (!rule.numbering) {
        if (o.has("--places") || o.has("--number-at")) {
            problem = QStringLiteral("--places und --number-at gehen nur mit --number.");
            return false;
        }
        return true;
    }
    const QString number = o.value("--number");
    if (!Digits(number) || number.size() > kLongestStart) {
        problem = QStringLiteral("--number verlangt eine Zahl mit höchstens %1 Ziffern: '%2'.")
                      .arg(kLongestStart)
                      .arg(number);
        return false;
    }
    firstNumber = *RenameRule::ParseNumber(number);
    const QString places = o.value("--places");
    if (o.has("--places") && (!Digits(places) || places.size() > 3)) {
        problem = QStringLiteral("--places verlangt eine Zahl von 0 bis %1: '%2'.")
                      .arg(kLargestPlaces)
                      .arg(places);
        return false;
    }
    rule.places = o.has("--places") ? places.toInt() : std::max<int>(3, int(number.size()));
    const int at = Choice(o, "--number-at", {"end", "start"}, problem);
    rule.numberAtStart = at == 1;
    return at >= 0;
}
