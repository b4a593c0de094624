// SPDX-License-Identifier: GPL-3.0-or-later
// The icon viewer as a user meets it: which source a folder opens in, the
// listings and how a new one or closing ends the running one, and saving.
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/FileDialog.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "icons/frmIconView.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
const QRgb kBlue = qRgb(0, 0, 200);

QByteArray ico(QRgb colour = kBlue)
{
    return IconFixtures::icoFile({IconFixtures::entry(IconFixtures::square(16, colour)),
                                  IconFixtures::entry(IconFixtures::square(32, colour))});
}

QByteArray library(int icons)
{
    PeWriter w;
    for (int i = 0; i < icons; ++i)
        IconFixtures::addGroup(
            w, quint16(1 + i), quint16(1 + 2 * i),
            {IconFixtures::entry(IconFixtures::square(32, qRgb(i % 256, 0, 9)))});
    return w.build();
}

class IconViewTest : public ::testing::Test {
protected:
    void TearDown() override { FileDialog::setHook({}); }

    std::unique_ptr<frmIconView> Open(bool preferIcons = true, bool large = true)
    {
        auto form = std::make_unique<frmIconView>();
        opened = form->pubInitForm(dir.path(), preferIcons, large);
        return form;
    }
    static void WaitListed(const frmIconView& form)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form.IsListing(); }, 20000));
    }
    static QStringList Texts(const QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }
    // Saves the selected icon as the dialog answers, with the filter chosen.
    void SaveAs(frmIconView& form, int row, const QString& answer, int filter = 0)
    {
        FileDialog::setHook([this, answer, filter](const FileDialogRequest& request) {
            proposed = request.fileName;
            request.chosenFilter = filter;
            return QStringList{answer};
        });
        form.LV->setCurrentRow(row);
        form.kLV->actions().first()->trigger();
    }

    TempDir dir;
    ScriptedMessageBox boxes;
    bool opened = false;
    QString proposed;
};

TEST_F(IconViewTest, FolderDecidesTheSourceAndEveryIconFileIsListed)
{
    {
        const auto form = Open();
        EXPECT_FALSE(opened);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::NoMatchingFiles, dir.path()));
    }
    for (const char* name : {"b.ico", "X.ICO", "a.ico", "A.ico"})
        dir.writeFile(QLatin1String(name), ico());
    dir.writeFile(QStringLiteral("notiz.txt"), "kein Icon");
    const auto form = Open();
    ASSERT_TRUE(opened);
    WaitListed(*form);
    EXPECT_TRUE(form->opt[0]->isChecked());
    EXPECT_FALSE(form->opt[1]->isEnabled());
    EXPECT_FALSE(form->lstFiles->isEnabled());
    EXPECT_EQ(Texts(form->LV), (QStringList{"A.ico", "a.ico", "b.ico", "X.ICO"}));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Icons: ") + dir.path());
    EXPECT_EQ(form->State().items.first().image.size(), QSize(32, 32));

    form->optSize[0]->click();
    WaitListed(*form);
    ASSERT_EQ(form->LV->count(), 4);
    EXPECT_EQ(form->State().items.first().image.size(), QSize(16, 16));
    EXPECT_EQ(form->LV->iconSize(), QSize(16, 16));
}

TEST_F(IconViewTest, LibrariesWithIconsOpenInExecutableModeNumbered)
{
    dir.writeFile(QStringLiteral("drei.dll"), library(3));
    dir.writeFile(QStringLiteral("leer.dll"), library(0));
    dir.writeFile(QStringLiteral("kaputt.exe"), "MZ kein Programm");
    const auto form = Open(true, false);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->LV->count() == 3 && !form->IsListing(); }));
    EXPECT_TRUE(form->opt[1]->isChecked());
    EXPECT_FALSE(form->opt[0]->isEnabled());
    EXPECT_EQ(Texts(form->lstFiles), QStringList{"drei.dll"});
    EXPECT_EQ(Texts(form->LV), (QStringList{"0001", "0002", "0003"}));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Icons: ") + dir.path() + "drei.dll");
    // A size change shows the re-read icons in cells of their size.
    form->optSize[1]->click();
    WaitListed(*form);
    EXPECT_EQ(form->LV->iconSize(), QSize(32, 32));
    EXPECT_EQ(form->State().items.at(2).image.size(), QSize(32, 32));
}

TEST_F(IconViewTest, DamagedIconFileAsksWhetherToGoOn)
{
    dir.writeFile(QStringLiteral("a.ico"), ico());
    dir.writeFile(QStringLiteral("b.ico"), ico().left(30));
    dir.writeFile(QStringLiteral("c.ico"), ico());
    for (const int answer : {MsgResult::Yes, MsgResult::No}) {
        boxes.clear();
        boxes.queueAnswer(answer);
        const auto form = Open();
        WaitListed(*form);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("Es ist ein Fehler aufgetreten: ")));
        EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("b.ico")));
        const QStringList listed =
            answer == MsgResult::Yes ? QStringList{"a.ico", "c.ico"} : QStringList{"a.ico"};
        EXPECT_EQ(Texts(form->LV), listed);
    }
}

TEST_F(IconViewTest, SavingWritesTheChosenFormatOrSaysWhyNot)
{
    AppSaveSetting(akIconViewer, QStringLiteral("BMPBackColor"), QStringLiteral("255"));
    dir.writeFile(QStringLiteral("drei.dll"), library(3));
    const auto form = Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->LV->count() == 3 && !form->IsListing(); }));
    TempDir target;

    SaveAs(*form, 2, target.filePath(QStringLiteral("0003")), 0);
    EXPECT_EQ(proposed, QStringLiteral("0003"));
    const QImage bmp(target.filePath(QStringLiteral("0003.bmp")));
    ASSERT_EQ(bmp.size(), QSize(32, 32));
    EXPECT_EQ(bmp.pixel(0, 0), qRgb(255, 0, 0)); // the fixture's clear corner on the red background

    SaveAs(*form, 0, target.filePath(QStringLiteral("x.gif")), 0);
    EXPECT_FALSE(QFileInfo::exists(target.filePath(QStringLiteral("x.gif"))));
    EXPECT_EQ(boxes.lastText(),
              AppErr().MsgLoad(Msg::IconSaveFormat, target.filePath(QStringLiteral("x.gif"))));

    // A folder the user may not write to (root may write anywhere: there a
    // folder that does not exist stands in).
    const QString locked = target.makeDir(QStringLiteral("gesperrt"));
    ::chmod(QFile::encodeName(locked).constData(), 0555);
    const bool root = ::geteuid() == 0;
    const QString failing =
        locked + (root ? QStringLiteral("/fehlt/x.png") : QStringLiteral("/x.png"));
    boxes.clear();
    SaveAs(*form, 0, failing, 2);
    ::chmod(QFile::encodeName(locked).constData(), 0755);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().contains(failing));
    EXPECT_TRUE(boxes.lastText().contains(root ? QStringLiteral("nicht vorhanden")
                                               : QStringLiteral("keine Berechtigung")));
    EXPECT_TRUE(QDir(locked).isEmpty());
    // The next dialog starts where the last save went, or at home when that is gone.
    FileDialog::setHook([&](const FileDialogRequest& request) {
        proposed = request.startFolder;
        return QStringList();
    });
    form->kLV->actions().first()->trigger();
    EXPECT_EQ(proposed, root ? QDir::homePath() : locked + QLatin1Char('/'));
}

TEST_F(IconViewTest, NewListingOrClosingEndsTheRunningOneCleanly)
{
    dir.writeFile(QStringLiteral("viele.dll"), library(500));
    auto form = Open(false, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->LV->count() > 0; }));
    form->optSize[0]->click();
    WaitListed(*form);
    EXPECT_EQ(form->LV->count(), 500);
    QStringList keys;
    for (const IconItem& item : form->State().items)
        keys.append(item.key);
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), 500);
    EXPECT_EQ(form->State().items.last().image.size(), QSize(16, 16));

    form->optSize[1]->click();
    form->close();
    EXPECT_FALSE(form->IsListing());
    form.reset();
}
} // namespace
