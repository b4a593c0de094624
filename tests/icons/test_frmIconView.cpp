// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "support/TestText.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
// `icons` groups of 32 pixels; with `tall` the last one a 194 x 313 blue picture.
QByteArray library(int icons, bool tall = false)
{
    PeWriter w;
    for (int i = 0; i < icons; ++i) {
        QImage image = IconFixtures::square(32, qRgb(i % 256, 0, 9));
        if (tall && i == icons - 1) {
            image = QImage(194, 313, QImage::Format_ARGB32);
            image.fill(qRgb(0, 0, 200));
        }
        IconFixtures::addGroup(w, quint16(1 + i), quint16(1 + 2 * i), {IconFixtures::entry(image)});
    }
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
    // The captions once the listing has ended with `count` icons.
    static QStringList Listed(const frmIconView& form, int count)
    {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !form.IsListing() && form.LV->count() == count; }, 20000));
        QStringList texts;
        for (int i = 0; i < form.LV->count(); ++i)
            texts.append(form.LV->item(i)->text());
        return texts;
    }
    // Saves the icon in `row` as the dialog answers, with the filter chosen.
    void SaveAs(frmIconView& form, int row, const QString& answer, int filter = 0)
    {
        FileDialog::setHook([this, answer, filter](const FileDialogRequest& request) {
            proposed = request.fileName;
            startFolder = request.startFolder;
            request.chosenFilter = filter;
            return answer.isEmpty() ? QStringList() : QStringList{answer};
        });
        form.LV->setCurrentRow(row);
        form.kLV->actions().first()->trigger();
    }

    TempDir dir;
    ScriptedMessageBox boxes;
    bool opened = false;
    QString proposed;
    QString startFolder;
};

// A damaged file between good ones asks whether to go on: No stops the
// listing and keeps what was read.
TEST_F(IconViewTest, FolderDecidesTheSourceAndEveryIconFileIsListed)
{
    EXPECT_FALSE(Open()->isVisible());
    EXPECT_FALSE(opened);
    EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::NoMatchingFiles, dir.path()));

    const QRgb blue = qRgb(0, 0, 200);
    const QByteArray ico =
        IconFixtures::icoFile({IconFixtures::entry(IconFixtures::square(16, blue)),
                               IconFixtures::entry(IconFixtures::square(32, blue))});
    for (const char* name : {"b.ico", "X.ICO", "a.ico", "A.ico"})
        dir.writeFile(QLatin1String(name), ico);
    dir.writeFile(u("c.ico"), ico.left(30));
    dir.writeFile(u("notiz.txt"), "kein Icon");
    boxes.clear();
    boxes.queueAnswer(MsgResult::No);
    EXPECT_EQ(Listed(*Open(), 3), (QStringList{"A.ico", "a.ico", "b.ico"}));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().startsWith(u("Es ist ein Fehler aufgetreten: ")));
    EXPECT_TRUE(boxes.lastText().contains(u("c.ico")));

    boxes.queueAnswer(MsgResult::Yes);
    const auto form = Open();
    ASSERT_TRUE(opened);
    EXPECT_EQ(Listed(*form, 4), (QStringList{"A.ico", "a.ico", "b.ico", "X.ICO"}));
    EXPECT_TRUE(form->opt[0]->isChecked());
    EXPECT_FALSE(form->opt[1]->isEnabled());
    EXPECT_FALSE(form->lstFiles->isEnabled());
    EXPECT_EQ(form->windowTitle(), u("Icons: ") + dir.path());
    EXPECT_EQ(form->State().items.first().image.size(), QSize(32, 32));

    boxes.queueAnswer(MsgResult::Yes);
    form->optSize[0]->click();
    Listed(*form, 4);
    EXPECT_EQ(form->State().items.first().image.size(), QSize(16, 16));
    EXPECT_EQ(form->LV->iconSize(), QSize(16, 16));
    EXPECT_EQ(boxes.count(), 3);
}

// A new listing (here a size change) first ends the running one: the icons
// are all there once, and closing during a listing is clean.
TEST_F(IconViewTest, LibrariesWithIconsOpenInExecutableModeNumbered)
{
    dir.writeFile(u("viele.dll"), library(500));
    dir.writeFile(u("leer.dll"), library(0));
    dir.writeFile(u("kaputt.exe"), "MZ kein Programm");
    auto form = Open(true, true);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->LV->count() > 0; }));
    form->optSize[0]->click();
    const QStringList listed = Listed(*form, 500);
    EXPECT_EQ(listed.mid(0, 3), (QStringList{"0001", "0002", "0003"}));
    EXPECT_EQ(QStringList(listed).removeDuplicates(), 0);
    EXPECT_EQ(form->State().items.last().image.size(), QSize(16, 16));
    EXPECT_EQ(form->LV->iconSize(), QSize(16, 16)); // cells of the new size
    EXPECT_TRUE(form->opt[1]->isChecked());
    EXPECT_FALSE(form->opt[0]->isEnabled());
    ASSERT_EQ(form->lstFiles->count(), 1);
    EXPECT_EQ(form->lstFiles->item(0)->text(), u("viele.dll"));
    EXPECT_EQ(form->windowTitle(), u("Icons: ") + dir.path() + "viele.dll");

    form->optSize[1]->click();
    form->close();
    EXPECT_FALSE(form->IsListing());
}

TEST_F(IconViewTest, SavingWritesTheChosenFormatOrSaysWhyNot)
{
    AppSaveSetting(akIconViewer, u("BMPBackColor"), u("255"));
    dir.writeFile(u("drei.dll"), library(3, true));
    const auto form = Open();
    Listed(*form, 3);
    TempDir target;

    SaveAs(*form, 2, target.filePath(u("0003")), 0);
    EXPECT_EQ(startFolder, QDir::homePath());
    EXPECT_EQ(proposed, u("0003"));
    const QImage bmp(target.filePath(u("0003.bmp")));
    ASSERT_EQ(bmp.size(), QSize(32, 32));
    // The tall picture fit undistorted: full height, the clear sides on the red background.
    EXPECT_EQ(bmp.pixel(16, 0), qRgb(0, 0, 200));
    EXPECT_EQ(bmp.pixel(0, 16), qRgb(255, 0, 0));

    SaveAs(*form, 0, target.filePath(u("x.gif")), 0);
    EXPECT_EQ(startFolder, target.path());
    EXPECT_FALSE(QFileInfo::exists(target.filePath(u("x.gif"))));
    EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::IconSaveFormat, target.filePath(u("x.gif"))));

    // A folder the user may not write to (root may write anywhere: there a
    // folder that does not exist stands in).
    const QString locked = target.makeDir(u("gesperrt"));
    ::chmod(QFile::encodeName(locked).constData(), 0555);
    const bool root = ::geteuid() == 0;
    const QString failing = locked + (root ? u("/fehlt/x.png") : u("/x.png"));
    boxes.clear();
    SaveAs(*form, 0, failing, 2);
    ::chmod(QFile::encodeName(locked).constData(), 0755);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().contains(failing));
    EXPECT_TRUE(boxes.lastText().contains(root ? u("nicht vorhanden") : u("keine Berechtigung")));
    EXPECT_TRUE(QDir(locked).isEmpty());
    // The next dialog starts where the last save went, or at home when that is gone.
    SaveAs(*form, 0, QString());
    EXPECT_EQ(startFolder, root ? QDir::homePath() : locked + QLatin1Char('/'));
}
} // namespace
