// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegViewTesting.h"

#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/Raised.h"

namespace {
QStringList TreeOf(const char* text)
{
    RegViewFile file;
    ReadFile(file, QByteArray(text).replace("\n", "\r\n"));
    return TreeLines(file.Tree());
}

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
} // namespace

TEST(RegTree, KeysHangBelowTheFirstKeyAndTheirNearestKnownParent)
{
    const struct {
        const char* name;
        const char* file;
        QStringList tree;
    } cases[] = {
        {"the first key is the root with its path",
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\Y]\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\Y\\Z]\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\W]\n",
         {"[HKLM\\SOFTWARE\\X]", "[HKLM\\SOFTWARE\\X\\Y]", "[HKLM\\SOFTWARE\\X\\Y\\Z]",
          "[HKLM\\SOFTWARE\\X\\W]"}},
        {"a key before its parent: the parent is implied until it comes",
         "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n[HKEY_CURRENT_USER\\A\\B\\C\\D]\n"
         "[HKEY_CURRENT_USER\\A\\B]\n",
         {"[HKCU\\A]", "[HKCU\\A\\B]", "[HKCU\\A\\B\\C] (nicht in der Datei)",
          "[HKCU\\A\\B\\C\\D]"}},
        {"three hives: three top-level keys",
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n[HKEY_CLASSES_ROOT\\.txt]\n"
         "[HKEY_USERS\\.DEFAULT\\Y]\n[HKEY_CLASSES_ROOT\\.txt\\ShellNew]\n",
         {"[HKLM\\SOFTWARE\\X]", "[HKCR\\.txt]", "[HKCR\\.txt\\ShellNew]", "[HKU\\.DEFAULT\\Y]"}},
        {"a parent written in other case",
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\X]\n[hkey_local_machine\\SOFTWARE\\x\\Kind]\n",
         {"[HKLM\\Software\\X]", "[HKLM\\Software\\X\\Kind]"}},
        {"a hive is abbreviated only as a whole",
         "REGEDIT4\n[HKEY_CURRENT_USER_LOCAL_SETTINGS\\A]\n[hkey_current_user]\n"
         "[HKEY_CURRENT_USER\\B]\n",
         {"[HKEY_CURRENT_USER_LOCAL_SETTINGS\\A]", "[HKCU]", "[HKCU\\B]"}},
        {"[-KEY] alone, and followed by KEY",
         "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n[-HKEY_CURRENT_USER\\A\\Weg]\n"
         "[-HKEY_CURRENT_USER\\A\\Neu]\n[HKEY_CURRENT_USER\\A\\Neu]\n\"v\"=\"1\"\n"
         "[-HKEY_CURRENT_USER\\A\\Weg\\Tief]\n",
         {"[HKCU\\A]", "[HKCU\\A\\Weg] (gelöscht)", "[HKCU\\A\\Weg\\Tief] (gelöscht)",
          "[HKCU\\A\\Neu] (gelöscht)"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TreeOf(c.file), c.tree) << c.name;
}

TEST(RegTree, ValuesBelongToTheirKeyWhereverItIsNamed)
{
    RegViewFile file;
    ReadFile(file, "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"1\"\r\n"
                   "[-HKEY_CURRENT_USER\\A\\B]\r\n\"nie\"=\"da\"\r\n[HKEY_CURRENT_USER\\A\\B]\r\n"
                   "\"b\"=\"2\"\r\n[HKEY_CURRENT_USER\\C\\D]\r\n[hkey_current_user\\a]\r\n"
                   "\"c\"=\"3\"\r\n");
    const RegKeyTree& tree = file.Tree();
    // A key named twice, in another case, is one key.
    ASSERT_EQ(TreeLines(tree),
              QStringList({"[HKCU\\A]", "[HKCU\\A\\B] (gelöscht)", "[HKCU\\C\\D]"}));
    const qint32 a = tree.Top(0);
    EXPECT_EQ(RowTexts(file.Values(a)), QStringList({"a|REG_SZ|1", "c|REG_SZ|3"}));
    // Deleted and named again: the mark stays, the values are the second key's.
    const qint32 b = tree.Child(a, 0);
    EXPECT_TRUE(tree.IsDeleted(b));
    EXPECT_EQ(RowTexts(file.Values(b)), QStringList({"b|REG_SZ|2"}));
}

TEST(RegTree, AKeyOfAHundredThousandSubKeysAndAWalkThatStops)
{
    const int count = kSanitized ? 5000 : 100000;
    QByteArray text = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Viele]\r\n";
    for (int i = 0; i < count; ++i)
        text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Viele\\K" + QByteArray::number(i) + "]\r\n";
    RegViewFile file;
    file.Document().SetEventPump({});
    file.ReadBytes(text, u("t.reg"));
    const RegKeyTree& tree = file.Tree();
    // Asked to stop, the walk keeps what it built.
    QList<qint32> steps;
    EXPECT_FALSE(file.BuildTree([&](qint32 done, qint32 total) {
        steps.append(done);
        EXPECT_EQ(total, count + 1);
        return done < 200;
    }));
    EXPECT_EQ(steps, QList<qint32>({0, 100, 200}));
    EXPECT_EQ(tree.ChildCount(tree.Top(0)), 199);

    ASSERT_TRUE(file.BuildTree());
    ASSERT_EQ(tree.TopCount(), 1);
    const qint32 root = tree.Top(0);
    ASSERT_EQ(tree.ChildCount(root), count);
    const qint32 last = tree.Child(root, count - 1);
    EXPECT_EQ(tree.ShownPath(last), u("HKLM\\SOFTWARE\\Viele\\K%1").arg(count - 1));
    EXPECT_EQ(tree.Row(last), count - 1);
    EXPECT_EQ(tree.Parent(last), root);
}

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
    EXPECT_EQ(RowTexts(file.Values(unter)),
              QStringList({"Name|REG_SZ|Wert mit \"Zitat\", \\ und €",
                           "Pfad|REG_EXPAND_SZ|%SystemRoot%\\system32", "Liste|REG_MULTI_SZ|a b"}));
    EXPECT_EQ(file.Values(unter)[2].Complete(), u("a\\0b"));
    EXPECT_EQ(RowTexts(file.Values(tree.Child(software, 1))), QStringList({"@|REG_SZ|x\\tyA"}));
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
    EXPECT_EQ(file.Tree().Text(file.Tree().Top(0)), u("HKU\\.Default"));
    QByteArray rootless = kUserReg;
    rootless.replace(";; All keys relative to", ";; Keys");
    ReadFile(file, rootless);
    EXPECT_EQ(file.Tree().Text(file.Tree().Top(0)), u("Control Panel\\Desktop"));
}

TEST(RegWine, OtherVersionsAreRefused)
{
    RegViewFile file;
    file.Document().SetEventPump({});
    const AppErrorRecord refused =
        Raised([&] { file.ReadBytes("WINE REGISTRY Version 1\n[A]\n", u("system.reg")); });
    EXPECT_EQ(refused.Number, cuAppError::ErrorBase - Msg::WineVersionUnreadable);
    EXPECT_EQ(refused.Description,
              u("Die Datei 'system.reg' ist eine Wine-Registrierungsdatei der Version "
                "1 und kann nicht gelesen werden."));
}
