// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegViewTesting.h"

namespace {
QStringList TreeOf(const char* text)
{
    RegViewFile file;
    ReadFile(file, QByteArray(text).replace("\n", "\r\n"));
    return TreeLines(file.Tree());
}
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
        {"a key named twice is one key",
         "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"1\"\n[HKEY_CURRENT_USER\\B]\n"
         "[hkey_current_user\\a]\n\"b\"=\"2\"\n",
         {"[HKCU\\A]", "[HKCU\\B]"}},
        {"names may hold brackets",
         "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\a]b]\n"
         "[HKEY_CURRENT_USER\\a]b\\[c]]\n",
         {"[HKCU\\a]b]", "[HKCU\\a]b\\[c]]"}},
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
    ASSERT_EQ(tree.TopCount(), 2);
    const qint32 a = tree.Top(0);
    EXPECT_EQ(RowTexts(file.Values(a)), QStringList({"a|REG_SZ|1", "c|REG_SZ|3"}));
    // Deleted and named again: the mark stays, the values are the second key's.
    const qint32 b = tree.Child(a, 0);
    EXPECT_TRUE(tree.IsDeleted(b));
    EXPECT_EQ(RowTexts(file.Values(b)), QStringList({"b|REG_SZ|2"}));
    EXPECT_EQ(tree.Text(tree.Top(1)), QStringLiteral("HKCU\\C\\D"));
}

TEST(RegTree, AKeyOfAHundredThousandSubKeys)
{
    const int count = kSanitized ? 5000 : 100000;
    QByteArray text = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Viele]\r\n";
    for (int i = 0; i < count; ++i)
        text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Viele\\K" + QByteArray::number(i) + "]\r\n";
    RegViewFile file;
    ReadFile(file, text);
    const RegKeyTree& tree = file.Tree();
    ASSERT_EQ(tree.TopCount(), 1);
    const qint32 root = tree.Top(0);
    ASSERT_EQ(tree.ChildCount(root), count);
    const qint32 last = tree.Child(root, count - 1);
    EXPECT_EQ(tree.ShownPath(last), QStringLiteral("HKLM\\SOFTWARE\\Viele\\K%1").arg(count - 1));
    EXPECT_EQ(tree.Row(last), count - 1);
    EXPECT_EQ(tree.Parent(last), root);
}

TEST(RegTree, TheWalkStopsWhenAskedAndKeepsWhatItBuilt)
{
    QByteArray text = "REGEDIT4\r\n";
    for (int i = 0; i < 350; ++i)
        text += "[HKEY_CURRENT_USER\\K" + QByteArray::number(i) + "]\r\n";
    RegViewFile file;
    file.Document().SetEventPump({});
    file.ReadBytes(text, QStringLiteral("t.reg"));
    QList<qint32> steps;
    EXPECT_FALSE(file.BuildTree([&](qint32 done, qint32 total) {
        steps.append(done);
        EXPECT_EQ(total, 350);
        return done < 200;
    }));
    EXPECT_EQ(steps, QList<qint32>({0, 100, 200}));
    EXPECT_EQ(file.Tree().TopCount(), 200);
}
