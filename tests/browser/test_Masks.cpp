// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/MaskEditCheck.h"
#include "browser/MaskEditorRows.h"
#include "browser/pPatterns.h"
#include "core/AppSettings.h"
#include "core/Registry.h"
#include "support/Raised.h"
#include "support/TestText.h"

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

QStringList StoredValueNames(qint32 key)
{
    QStringList names;
    Registry().RegArrayValues(HKEY_CURRENT_USER, AppKeyPath(key), names);
    return names;
}

QStringList Split(const char* items)
{
    return u(items).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
} // namespace

// One object for all: a new value leaves nothing of the last one.
TEST(pPattern, ExtensionsAreTrimmedSortedIgnoringCaseAndOfferedAsPatterns)
{
    const struct {
        const char* value;
        const char* masks;
        const char* combo; // the joined pattern only for several
    } cases[] = {
        {"ocx;DLL;tlb;olb", "DLL ocx olb tlb",
         "*.* *.DLL *.ocx *.olb *.tlb *.DLL;*.ocx;*.olb;*.tlb"},
        {"  txt  ", "txt", "*.* *.txt"},
        {"", "", "*.*"},
    };
    pPattern pattern;
    for (const auto& c : cases) {
        pattern.SetValue(u(c.value));
        EXPECT_EQ(pattern.MaskArray(), Split(c.masks)) << c.value;
        EXPECT_EQ(pattern.MaskCount(), pattern.MaskArray().size()) << c.value;
        EXPECT_EQ(pattern.ComboPatterns(), Split(c.combo)) << c.value;
    }
}

TEST(MaskStore, AnEmptyKeyGetsTwoDefaultsThenStoredMasksJoinInNameOrder)
{
    MenuRecorder menu;
    pPatterns patterns;
    patterns.Init(&menu);
    EXPECT_EQ(StoredValueNames(akPatterns).size(), 2);
    EXPECT_EQ(menu.Captions(), (QStringList{u("ActiveX"), u("Microsoft Access")}));
    ASSERT_NE(patterns.Item(u("activex")), nullptr);
    EXPECT_EQ(patterns.Item(2)->Name, u("Microsoft Access"));
    EXPECT_EQ(patterns.Item(3), nullptr);

    // A blank mask is skipped.
    for (const char* name : {"zeta", "Alpha", "beta"})
        AppSaveSetting(akPatterns, u(name), u("x"));
    AppSaveSetting(akPatterns, u("Leer"), u("   "));
    pPatterns stored;
    stored.Init(&menu);
    EXPECT_EQ(menu.Captions(),
              (QStringList{u("ActiveX"), u("Alpha"), u("beta"), u("Microsoft Access"), u("zeta")}));
    EXPECT_EQ(stored.Item(u("Leer")), nullptr);
}

TEST(MaskStore, DuplicateNamesAreRefusedByTheCollection)
{
    pPatterns patterns;
    patterns.Add(u("Bilder"), u("bmp"));
    EXPECT_EQ(Raised([&patterns] { patterns.Add(u("BILDER"), u("jpg")); }).Number, 457);
    EXPECT_EQ(patterns.Count(), 1);
}

TEST(MaskStore, RefreshRegistryStoresTheEditedSetAndReloadsItSorted)
{
    MenuRecorder menu;
    pPatterns patterns;
    patterns.Init(&menu);
    patterns.Clear();
    patterns.Add(u("Zip"), u("zip"));
    patterns.Add(u("activex"), u("dll;ocx")); // renamed in other case
    patterns.Add(u("Ohne"), QString());       // empty: not stored
    patterns.RefreshRegistry();

    QStringList stored = StoredValueNames(akPatterns);
    stored.sort();
    EXPECT_EQ(stored, (QStringList{u("Zip"), u("activex")}));
    EXPECT_EQ(AppGetSetting(akPatterns, u("activex")), u("dll;ocx"));
    EXPECT_EQ(menu.Captions(), (QStringList{u("activex"), u("Zip")}));
    EXPECT_EQ(patterns.Count(), 2);
}

TEST(MaskEditorRows, NamesMustBeUniqueAmongOtherRows)
{
    MaskEditorRows rows;
    rows.Load({{u("ActiveX"), u("dll")}, {u("Bilder"), u("bmp")}});
    EXPECT_FALSE(rows.Changed());
    EXPECT_EQ(rows.Edit(1, u("ACTIVEX"), u("x")), MaskEditorRows::DuplicateName);
    EXPECT_FALSE(rows.Changed());
    EXPECT_EQ(rows.Edit(0, u("ACTIVEX"), u("dll;ocx")), 0);
    EXPECT_EQ(rows.Rows()[0].name, u("ACTIVEX"));
    EXPECT_TRUE(rows.Changed());
    // A name given up by renaming is free again for a new row.
    EXPECT_EQ(rows.Edit(1, u("Fotos"), u("jpg")), 0);
    int added = -1;
    EXPECT_EQ(rows.Add(u("Bilder"), u("png"), &added), 0);
    EXPECT_EQ(added, 2);
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
