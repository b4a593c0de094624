// SPDX-License-Identifier: GPL-3.0-or-later
#include "CnfTesting.h"
#include "support/TestText.h"

TEST(CNFCollections, OrderPositionsAndNamesIgnoringCase)
{
    CNFSections sections;
    for (const char* name : {"Zeta", "[Ärger]", "alpha"})
        sections.Add(u(name));
    QStringList names;
    for (const CNFSection& s : sections)
        names.append(s.Name() + QString::number(s.Index()));
    EXPECT_EQ(names, QStringList({"Zeta1", "Ärger2", "alpha3"}));
    EXPECT_EQ(&sections.Item(2), &sections.Item(u"äRGER"));
    EXPECT_EQ(sections.Find(u"ALPHA"), &sections.Item(3));
    EXPECT_EQ(sections.Find(u"Strasse"), nullptr);

    const AppErrorRecord missing = Raised([&] { sections.Item(u"Daten"); });
    EXPECT_EQ(missing.Number, CnfError(CNFMessages::SectionNotFound));
    EXPECT_EQ(missing.Description, u("Sektion 'Daten' nicht gefunden."));
    EXPECT_EQ(Raised([&] { sections.Item(4); }).Number, CNFMessages::OutOfRange);
    EXPECT_EQ(Raised([&] { sections.Item(0); }).Number, CNFMessages::OutOfRange);
    EXPECT_EQ(Raised([&] { sections.Add(u("ZETA")); }).Number, CNFMessages::DuplicateName);
    EXPECT_EQ(sections.Count(), 3);

    CNFKeys& keys = sections.Item(1).Keys();
    keys.Add(u("Straße"), u("1"));
    EXPECT_EQ(keys.Find(u"STRAßE"), &keys.Item(1));
    EXPECT_EQ(keys.Find(u"Strasse"), nullptr);
    const AppErrorRecord noKey = Raised([&] { keys.Item(u"x"); });
    EXPECT_EQ(noKey.Number, CNFMessages::InvalidArgument);
    EXPECT_EQ(noKey.Description, u("Der Schlüssel 'x' ist in der Sektion 'Zeta' nicht vorhanden."));

    // A line added whole is cut at its first "=" only; without a name it is numbered.
    CNFKey& a = keys.AddLine(u"  a =  b = c ; nicht geschnitten\t");
    EXPECT_EQ(a.Name(), u("a"));
    EXPECT_EQ(a.Value(), u("b = c ; nicht geschnitten\t"));
    EXPECT_EQ(keys.AddLine(u"nur Wert").Name(), u("003"));
    EXPECT_EQ(keys.Add(QString(), u("v")).Name(), u("004"));
    EXPECT_EQ(keys.Item(4).Index(), 4);
}

TEST(CNFCollections, RemoveClearAndChangedFlags)
{
    CNFSections sections;
    EXPECT_FALSE(sections.Changed());
    for (const char* name : {"a", "b", "c", "d"})
        sections.Add(QString::fromLatin1(name));
    sections.ClearDirty();
    sections.Remove(u"B");
    EXPECT_TRUE(sections.Changed());
    sections.Remove(1);
    EXPECT_EQ(sections.Item(1).Name(), u("c"));
    EXPECT_EQ(sections.Item(1).Index(), 3); // the position it was given, not renumbered
    EXPECT_EQ(Raised([&] { sections.Remove(u"a"); }).Number,
              CnfError(CNFMessages::SectionNotFound));
    sections.ClearDirty();
    EXPECT_FALSE(sections.Dirty());
    sections.Item(1).Keys().Add(u("k"), QString());
    EXPECT_TRUE(sections.Dirty());
    sections.Clear();
    EXPECT_EQ(sections.Count(), 0);
    EXPECT_TRUE(sections.Changed());
}

TEST(CNFCollections, RenamingRefilesAndRefusesTakenNames)
{
    // Both below and above the size at which names are hashed.
    for (int count : {3, 40}) {
        CNFSections sections;
        for (int i = 1; i <= count; ++i)
            sections.Add(u("S%1").arg(i));
        CNFSection& s = sections.Item(2);
        s.SetName(u("[Neu]"));
        EXPECT_EQ(s.Name(), u("Neu"));
        EXPECT_EQ(sections.Find(u"NEU"), &s);
        EXPECT_EQ(sections.Find(u"S2"), nullptr);
        const AppErrorRecord e = Raised([&] { s.SetName(u("s1")); });
        EXPECT_EQ(e.Number, CNFMessages::DuplicateName);
        EXPECT_EQ(s.Name(), u("Neu"));
        s.SetName(u("nEU")); // its own name in another case
        EXPECT_EQ(sections.Find(u"neu"), &s);
        EXPECT_EQ(sections.Find(u("S%1").arg(count)), &sections.Item(count));

        CNFKeys& keys = s.Keys();
        for (int i = 1; i <= count; ++i)
            keys.Add(u("k%1").arg(i), QString::number(i));
        keys.Item(u"K1").SetName(u("eins"));
        EXPECT_EQ(keys.Item(u"EINS").Value(), u("1"));
        EXPECT_EQ(Raised([&] { keys.Item(1).SetName(u("K2")); }).Number,
                  CNFMessages::DuplicateName);
    }
}

TEST(CNFCollections, HundredThousandSectionsAreFoundByName)
{
    CNFSections sections;
    const int count = 100000;
    for (int i = 0; i < count; ++i)
        sections.Add(u("HKEY_CLASSES_ROOT\\CLSID\\{%1}").arg(i));
    for (int i = 0; i < count; i += 7) {
        const QString name = u("hkey_classes_root\\clsid\\{%1}").arg(i);
        ASSERT_EQ(sections.Find(name), &sections.Item(i + 1)) << i;
    }
    EXPECT_EQ(Raised([&] { sections.Add(u("HKEY_CLASSES_ROOT\\CLSID\\{99999}")); }).Number, 457);
    sections.Remove(1);
    EXPECT_EQ(sections.Find(u"HKEY_CLASSES_ROOT\\CLSID\\{1}"), &sections.Item(1));
    EXPECT_EQ(sections.Find(u"HKEY_CLASSES_ROOT\\CLSID\\{0}"), nullptr);
}

TEST(CNFCollections, NameHashAgreesWithComparingIgnoringCase)
{
    const QList<QPair<QString, QString>> same = {
        {"abc", "ABC"}, {"Ärger", "äRGER"}, {"ǅ", "ǆ"}, {u("\U00010400"), u("\U00010428")}};
    for (const auto& [a, b] : same) {
        ASSERT_TRUE(CNFNameIndex::SameName(a, b)) << a.toStdString();
        EXPECT_EQ(CNFNameIndex::Hash(a), CNFNameIndex::Hash(b)) << a.toStdString();
    }
    EXPECT_NE(CNFNameIndex::Hash(u"ab"), CNFNameIndex::Hash(u"ba"));
}
