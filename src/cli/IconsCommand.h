// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// tolvane-cli icons FILE... [--size 16|32] [--save DIR] [--format ico|bmp|png]:
// one line per icon (number, then the sizes and colour depths it holds); with
// --save each icon in the chosen size as NAME_0001.ico (or .bmp, .png), never
// over an existing name. With several files a line "== PATH" comes before
// each file's lines; exit 1 when any file failed.
int runIconsCommand(const QStringList& args);

extern const char* const kIconsCommandUsage;
