// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/pUserFileMenu.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {
TEST(UserFileMenu, SplitsBeforeReplacingSoNothingInThePathIsInterpreted)
{
    const QString hostile[] = {u("/tmp/mit blanks/a b.txt"), u("/tmp/\"zitat\" $HOME;`id`.txt"),
                               u("/tmp/zeile\numbruch\tund tab.txt"), u("/tmp/-option.txt")};
    for (const QString& path : hostile) {
        const struct {
            const char* cmdLine;
            QStringList expected;
        } cases[] = {
            {"\"/opt/Mein Programm/bin\" %1", {u("/opt/Mein Programm/bin"), path}},
            {"prog --in=%1", {u("prog"), u("--in=") + path}},
            {"prog --in=\"%1\"", {u("prog"), u("--in=") + path}},
            {"prog \"%1\" -o %1.bak", {u("prog"), path, u("-o"), path + u(".bak")}},
            {"prog \"\" %1", {u("prog"), QString(), path}},
            {" \tprog\t\t%1 \t x  ", {u("prog"), path, u("x")}},
            {"prog \"%1 offen", {u("prog"), path + u(" offen")}},
            {"wine C:\\Programme\\x.exe %1\\",
             {u("wine"), u("C:\\Programme\\x.exe"), path + u("\\")}},
            {"   ", {}},
            {"a b c d e f g h i j k %1", u("a b c d e f g h i j k").split(u(" ")) << path},
        };
        for (const auto& c : cases)
            EXPECT_EQ(pUserFileMenu::Arguments(u(c.cmdLine), path), c.expected)
                << c.cmdLine << " with " << path.toStdString();
    }
}
} // namespace
