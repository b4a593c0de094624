// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The command-line switches that run one tool alone.

// The shell has already split the command line: the tokens are the arguments
// after the program name, at most 10, each through StripQuotes.
QStringList CommandLineTokens(const QStringList& argumentsAfterProgram);

struct CommandChoice {
    QString formClass;              // window to open alone; empty when none was chosen
    bool slideshowTookOver = false; // the slideshow runner accepted a path
};

// Walks the tokens: the first switch that chooses a window wins; "/Slideshow"
// hands the next token to `runSlideshow` and stops the walk when it accepts.
// Switches whose window this build does not have (`formAvailable` false) are
// skipped like any unknown token.
CommandChoice ChooseFromCommandLine(const QStringList& tokens,
                                    const std::function<bool(const QString&)>& runSlideshow,
                                    const std::function<bool(const QString&)>& formAvailable);

// "--version" and "--help" (also "-h") anywhere among the arguments answer on
// standard output before any window exists; the first of them wins.
enum class InfoSwitch { None, Version, Help };
InfoSwitch FindInfoSwitch(const QStringList& argumentsAfterProgram);

// "Tolvane VERSION".
QString VersionText();
// The German list of switches, naming only the tools this build has.
QString UsageText(const std::function<bool(const QString&)>& formAvailable,
                  bool slideshowAvailable);
