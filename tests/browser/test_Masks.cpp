// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserTestUtil.h"
#include "browser/MaskEditCheck.h"
#include "browser/MaskEditorRows.h"
#include "browser/pPatterns.h"
#include "core/AppErrorRecord.h"

#include <gtest/gtest.h>

namespace {
// The receiving side of the mask menu, as the main window is.
struct MenuRecorder : pPatternsMenuOwner {
    QList<QPair<QString, QString>> entries;
    void SetMaskMenuEntries(const QList<QPair<QString, QString>>& captionsAndTags) override
    {
        entries = captionsAndTags;
    }
    QStringList Captions() const
    {
        QStringList captions;
        for (const auto& entry : entries)
            captions.append(entry.first);
        return captions;
    }
};

QStringList Masks(const QString& value)
{
    pPattern pattern;
    pattern.SetValue(value);
    EXPECT_EQ(pattern.MaskCount(), pattern.MaskArray().size());
    return pattern.MaskArray();
}

} // namespace

TEST(pPattern, ExtensionsAreTrimmedAndSortedIgnoringCase)
{
    EXPECT_EQ(Masks(QStringLiteral("ocx;DLL;tlb;olb")),
              (QStringList{QStringLiteral("DLL"), QStringLiteral("ocx"), QStringLiteral("olb"),
                           QStringLiteral("tlb")}));
    EXPECT_EQ(Masks(QStringLiteral("  txt  ")), QStringList{QStringLiteral("txt")});
    EXPECT_TRUE(Masks(QString()).isEmpty());
}

TEST(pPattern, ComboPatternsAddTheJoinedPatternOnlyForSeveral)
{
    pPattern pattern;
    pattern.SetValue(QStringLiteral("ocx;dll"));
    EXPECT_EQ(pattern.ComboPatterns(),
              (QStringList{QStringLiteral("*.*"), QStringLiteral("*.dll"), QStringLiteral("*.ocx"),
                           QStringLiteral("*.dll;*.ocx")}));
    pattern.SetValue(QStringLiteral("txt"));
    EXPECT_EQ(pattern.ComboPatterns(),
              (QStringList{QStringLiteral("*.*"), QStringLiteral("*.txt")}));
    pattern.SetValue(QString());
    EXPECT_EQ(pattern.ComboPatterns(), QStringList{QStringLiteral("*.*")});
}

TEST(MaskStore, EmptyKeyGetsTheTwoDefaultMasksInNameOrder)
{
    MenuRecorder menu;
    pPatterns patterns;
    patterns.Init(&menu);
    EXPECT_EQ(StoredValueNames(akPatterns).size(), 2);
    EXPECT_EQ(menu.Captions(),
              (QStringList{QStringLiteral("ActiveX"), QStringLiteral("Microsoft Access")}));
    EXPECT_EQ(menu.entries[0].second, QStringLiteral("dll;ocx;olb;tlb"));
    ASSERT_NE(patterns.Item(QStringLiteral("activex")), nullptr);
    EXPECT_EQ(patterns.Item(2)->Name, QStringLiteral("Microsoft Access"));
    EXPECT_EQ(patterns.Item(3), nullptr);
}

TEST(MaskStore, BlankMasksAreSkippedAndNamesSorted)
{
    AppSaveSetting(akPatterns, QStringLiteral("zeta"), QStringLiteral("z"));
    AppSaveSetting(akPatterns, QStringLiteral("Alpha"), QStringLiteral("a"));
    AppSaveSetting(akPatterns, QStringLiteral("beta"), QStringLiteral("b"));
    AppSaveSetting(akPatterns, QStringLiteral("Leer"), QStringLiteral("   "));
    MenuRecorder menu;
    pPatterns patterns;
    patterns.Init(&menu);
    EXPECT_EQ(menu.Captions(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"),
                                            QStringLiteral("zeta")}));
    EXPECT_EQ(patterns.Item(QStringLiteral("Leer")), nullptr);
}

TEST(MaskStore, DuplicateNamesAreRefusedByTheCollection)
{
    pPatterns patterns;
    patterns.Add(QStringLiteral("Bilder"), QStringLiteral("bmp"));
    try {
        patterns.Add(QStringLiteral("BILDER"), QStringLiteral("jpg"));
        ADD_FAILURE() << "duplicate accepted";
    } catch (const AppErrorRecord& error) {
        EXPECT_EQ(error.Number, 457);
    }
    EXPECT_EQ(patterns.Count(), 1);
}

TEST(MaskStore, RefreshRegistryStoresTheEditedSetAndReloadsItSorted)
{
    MenuRecorder menu;
    pPatterns patterns;
    patterns.Init(&menu);
    patterns.Clear();
    patterns.Add(QStringLiteral("Zip"), QStringLiteral("zip"));
    patterns.Add(QStringLiteral("activex"), QStringLiteral("dll;ocx")); // renamed in other case
    patterns.Add(QStringLiteral("Ohne"), QString());                    // empty: not stored
    patterns.RefreshRegistry();

    QStringList stored = StoredValueNames(akPatterns);
    stored.sort();
    EXPECT_EQ(stored, (QStringList{QStringLiteral("Zip"), QStringLiteral("activex")}));
    EXPECT_EQ(AppGetSetting(akPatterns, QStringLiteral("activex")), QStringLiteral("dll;ocx"));
    EXPECT_EQ(menu.Captions(), (QStringList{QStringLiteral("activex"), QStringLiteral("Zip")}));
    EXPECT_EQ(patterns.Count(), 2);
}

TEST(MaskEditorRows, NamesMustBeUniqueAmongOtherRows)
{
    MaskEditorRows rows;
    rows.Load({{QStringLiteral("ActiveX"), QStringLiteral("dll")},
               {QStringLiteral("Bilder"), QStringLiteral("bmp")}});
    EXPECT_FALSE(rows.Changed());
    EXPECT_EQ(rows.Add(QStringLiteral("activex"), QStringLiteral("ocx")),
              MaskEditorRows::DuplicateName);
    EXPECT_EQ(rows.Edit(1, QStringLiteral("ACTIVEX"), QStringLiteral("x")),
              MaskEditorRows::DuplicateName);
    EXPECT_FALSE(rows.Changed());
    EXPECT_EQ(rows.Edit(0, QStringLiteral("ACTIVEX"), QStringLiteral("dll;ocx")), 0);
    EXPECT_EQ(rows.Rows()[0].name, QStringLiteral("ACTIVEX"));
    EXPECT_TRUE(rows.Changed());
    // A name given up by renaming is free again for a new row.
    EXPECT_EQ(rows.Edit(1, QStringLiteral("Fotos"), QStringLiteral("jpg")), 0);
    int added = -1;
    EXPECT_EQ(rows.Add(QStringLiteral("Bilder"), QStringLiteral("png"), &added), 0);
    EXPECT_EQ(added, 2);
}

TEST(MaskEditorRows, DeleteSelectsThePreviousRowAndKeepsTheLast)
{
    MaskEditorRows rows;
    rows.Load({{QStringLiteral("a"), QStringLiteral("1")},
               {QStringLiteral("b"), QStringLiteral("2")},
               {QStringLiteral("c"), QStringLiteral("3")}});
    EXPECT_EQ(rows.Delete(2), 1); // third row: the second is selected
    EXPECT_EQ(rows.Delete(0), 0); // first row: the new first
    EXPECT_EQ(rows.Rows()[0].name, QStringLiteral("b"));
    EXPECT_EQ(rows.CanDelete(0), MaskEditorRows::LastRow);
    EXPECT_EQ(rows.Delete(0), 0);
    EXPECT_EQ(rows.Count(), 1);
}

TEST(MaskEditCheck, RefusalsInTheirOrder)
{
    struct Case {
        const char* name;
        const char* extensions;
        qint32 message;
        const char* argument;
        int field;
    };
    const Case cases[] = {
        {"a|b", "txt", 132, "|", 0},
        {"", "t|x", 134, "", 0},
        {"ok", "t|x", 132, "|", 1},
        {"ok", "", 134, "", 1},
        {"(standard)", "txt", 133, "(Standard)", 0},
        {"-", "txt", 133, "-", 0},
        {"Texte", "txt;ini", 0, "", -1},
    };
    for (const Case& c : cases) {
        const MaskEditCheck check =
            MaskEditCheck::Run(QString::fromUtf8(c.name), QString::fromUtf8(c.extensions));
        EXPECT_EQ(check.message, c.message) << c.name << " / " << c.extensions;
        EXPECT_EQ(check.argument, QString::fromUtf8(c.argument)) << c.name;
        EXPECT_EQ(check.field, c.field) << c.name;
    }
}
