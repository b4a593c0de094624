// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegViewTesting.h"

#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/Raised.h"

namespace {
// Shaped as Wine writes its files: a time stamp after each key, #time and
// #class lines, keys without values left out where they have sub-keys.
const char kSystemReg[] = R"(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win32

[Software\\Gr\x00fc\x00dfe\\Unter] 1634567890
#time=1d7c1b2a3b4c5d6
"Name"="Wert mit \"Zitat\", \\ und \x20ac"
"Pfad"=str(2):"%SystemRoot%\\system32"
"Liste"=str(7):"a\0b\0"
"Zahl"=dword:00000010
"Text"=hex(1):41,00,00,00
"Lang"=hex:01,02,\
  03

[Software\\Wine] 1634567891
#time=1d7
#class="Klasse"
@="x\ty\101"

[System\\CurrentControlSet\\Control\\Session Manager\\Environment] 1634567892
"PATH"=str(2):"C:\\windows"
)";

const char kUserReg[] = R"(WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

#arch=win32

[Control Panel\\Desktop] 1634567893
"Wallpaper"=""
[Software\\Wine\\Explorer] 1634567894
#link
)";

QStringList ValuesOf(RegViewFile& file, qint32 node)
{
    return RowTexts(file.Values(node));
}
} // namespace

TEST(RegWine, SystemRegHangsBelowTheMachineRoot)
{
    RegViewFile file;
    ReadFile(file, kSystemReg);
    EXPECT_EQ(file.Head().dialect, RegDialect::Wine);
    const RegKeyTree& tree = file.Tree();
    EXPECT_EQ(TreeLines(tree),
              QStringList({"[HKLM] (nicht in der Datei)", "[HKLM\\Software] (nicht in der Datei)",
                           "[HKLM\\Software\\Grüße] (nicht in der Datei)",
                           "[HKLM\\Software\\Grüße\\Unter]", "[HKLM\\Software\\Wine]",
                           "[HKLM\\System] (nicht in der Datei)",
                           "[HKLM\\System\\CurrentControlSet] (nicht in der Datei)",
                           "[HKLM\\System\\CurrentControlSet\\Control] (nicht in der Datei)",
                           "[HKLM\\System\\CurrentControlSet\\Control\\Session Manager] (nicht in "
                           "der Datei)",
                           "[HKLM\\System\\CurrentControlSet\\Control\\Session "
                           "Manager\\Environment]"}));
    const qint32 software = tree.Child(tree.Top(0), 0);
    const qint32 unter = tree.Child(tree.Child(software, 0), 0);
    EXPECT_EQ(ValuesOf(file, unter),
              QStringList({"Name|REG_SZ|Wert mit \"Zitat\", \\ und €",
                           "Pfad|REG_EXPAND_SZ|%SystemRoot%\\system32", "Liste|REG_MULTI_SZ|a b",
                           "Zahl|REG_DWORD|0x00000010 (16)", "Text|REG_SZ|A",
                           "Lang|REG_BINARY|01 02 03"}));
    EXPECT_EQ(file.Values(unter)[2].Complete(), QStringLiteral("a\\0b"));
    EXPECT_EQ(ValuesOf(file, tree.Child(software, 1)), QStringList({"@|REG_SZ|x\\tyA"}));
}

TEST(RegWine, UserRegHangsBelowTheCurrentUser)
{
    RegViewFile file;
    ReadFile(file, kUserReg);
    EXPECT_EQ(
        TreeLines(file.Tree()),
        QStringList({"[HKCU] (nicht in der Datei)", "[HKCU\\Control Panel] (nicht in der Datei)",
                     "[HKCU\\Control Panel\\Desktop]", "[HKCU\\Software] (nicht in der Datei)",
                     "[HKCU\\Software\\Wine] (nicht in der Datei)",
                     "[HKCU\\Software\\Wine\\Explorer]"}));

    // The default user's file names its own root; a file without one has
    // its keys as the top-level keys.
    QByteArray userdef = kUserReg;
    userdef.replace("\\\\User\\\\S-1-5-21-0-0-0-1000", "\\\\User\\\\.Default");
    ReadFile(file, userdef);
    EXPECT_EQ(file.Tree().Text(file.Tree().Top(0)), QStringLiteral("HKU\\.Default"));
    QByteArray rootless = kUserReg;
    rootless.replace(";; All keys relative to", ";; Keys");
    ReadFile(file, rootless);
    EXPECT_EQ(file.Tree().Text(file.Tree().Top(0)), QStringLiteral("Control Panel\\Desktop"));
}

TEST(RegWine, OtherVersionsAreRefused)
{
    RegViewFile file;
    file.Document().SetEventPump({});
    const AppErrorRecord refused = Raised(
        [&] { file.ReadBytes("WINE REGISTRY Version 1\n[A]\n", QStringLiteral("system.reg")); });
    EXPECT_EQ(refused.Number, cuAppError::ErrorBase - Msg::WineVersionUnreadable);
    EXPECT_EQ(refused.Description,
              QStringLiteral("Die Datei 'system.reg' ist eine Wine-Registrierungsdatei der Version "
                             "1 und kann nicht gelesen werden."));
}
