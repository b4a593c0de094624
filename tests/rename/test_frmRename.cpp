// SPDX-License-Identifier: GPL-3.0-or-later
// The batch rename window driven as a user drives it, offscreen.
#include "RenameTesting.h"
#include "browser/FileBoxModel.h"
#include "browser/ModalDriver.h"
#include "browser/frmMain.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/pOptions.h"
#include "platform/MessageBoxService.h"
#include "rename/RenameJournal.h"
#include "rename/frmRename.h"
#include "rename/frmRenamePrv.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {
class RenameWindow : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(RenameJournal::Path()); }
    void Open(const QString& mask = QStringLiteral("*.*"))
    {
        form = std::make_unique<frmRename>();
        form->pubInitForm(dir.path(), mask, QStringLiteral("Bericht.doc"));
    }
    // As a click on an entry of `box` (cmbMode unless named).
    void Choose(int index, QComboBox* box = nullptr)
    {
        box = box ? box : form->cmbMode;
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    // Whether a message of that number was shown since the last clear.
    bool Shown(int number) const
    {
        QString text;
        for (const QString& part : MessageTable::text(number).split(QStringLiteral("##"))) {
            if (part.size() > text.size())
                text = part;
        }
        text = text.left(text.indexOf(QStringLiteral("@@")));
        for (const MessageBoxRequest& r : boxes.shown()) {
            if (r.text.contains(text))
                return true;
        }
        return false;
    }

    TempDir dir;
    ScriptedMessageBox boxes;
    std::unique_ptr<frmRename> form;
};

TEST_F(RenameWindow, EditingTheRuleShowsTheExampleAndClosingKeepsIt)
{
    SetAppOptions(std::make_unique<pOptions>());
    Open();
    EXPECT_FALSE(form->cmdOK->isEnabled());
    Choose(1);
    EXPECT_TRUE(form->fraReplace->isVisibleTo(form.get()));
    EXPECT_EQ(form->txtlStartPos->text(), QStringLiteral("1"));
    QTest::keyClicks(form->txtFind, QStringLiteral("ER"));
    QTest::keyClicks(form->txtReplace, QStringLiteral("_"));
    EXPECT_TRUE(form->cmdOK->isEnabled());
    EXPECT_EQ(form->txtResult->text(), QStringLiteral("B_icht.doc"));
    form->txtResult->setText(QStringLiteral("typed"));
    EXPECT_EQ(form->txtResult->text(), QStringLiteral("B_icht.doc")) << "always the computed name";
    form->txtlStartPos->setText(QStringLiteral("0"));
    EXPECT_EQ(form->txtlStartPos->text(), QStringLiteral("1"));
    QTest::keyClicks(form->txtlStartPos, QStringLiteral("a9"));
    EXPECT_EQ(form->txtlStartPos->text(), QStringLiteral("19")) << "digits only";
    EXPECT_TRUE(Shown(Msg::InvalidStartPosition)) << "position past the name";
    EXPECT_EQ(form->txtResult->text(), QStringLiteral("B_icht.doc")) << "kept";

    Choose(3);
    EXPECT_TRUE(form->txtFind->text().isEmpty());
    QTest::keyClicks(form->txtChar, QStringLiteral("XY"));
    form->chkReverse->click();
    EXPECT_EQ(form->txtResult->text(), QStringLiteral("BerichYXt.doc"));

    form->chkNumber->click();
    EXPECT_EQ(form->txtNumber->text(), QStringLiteral("0"));
    EXPECT_EQ(form->txtPlaces->text(), QStringLiteral("3"));
    EXPECT_TRUE(form->optNumber[1]->isChecked()) << "am Ende";
    form->txtNumber->setText(QStringLiteral("0007"));
    Q_EMIT form->txtNumber->editingFinished();
    EXPECT_EQ(form->txtPlaces->text(), QStringLiteral("4"));
    EXPECT_EQ(form->txtResult->text(), QStringLiteral("BerichYXt0007.doc"));
    form->chkNumber->click();
    EXPECT_TRUE(form->txtNumber->text().isEmpty());
    EXPECT_FALSE(form->txtNumber->isEnabled());

    form->txtExample->setText(QStringLiteral("muster.txt"));
    form->close();
    EXPECT_EQ(AppOptions()->RenameSample, QStringLiteral("muster.txt"));
    SetAppOptions(nullptr);
}

TEST_F(RenameWindow, OkChecksThenRunsOrShowsThePreview)
{
    WriteNamedFiles(dir.path(), {"a10.txt", "a8.txt", "a9.txt", "b.txt"});
    Open(QStringLiteral("a*"));
    Choose(2);
    Choose(2, form->cmbComplete);
    form->chkNumber->click();
    form->txtNumber->setText(QStringLiteral("8"));
    form->txtPlaces->setText(QStringLiteral("0"));
    form->txtStartPosComplete->setText(QStringLiteral("1"));
    boxes.queueAnswer(MsgResult::Yes);
    form->cmdOK->click();
    EXPECT_TRUE(Shown(Msg::RenameCheckPassed));
    EXPECT_EQ(boxes.shown().at(0).style,
              MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2);
    EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("3 Dateien")));
    EXPECT_EQ(form->chkEdited, 1);
    EXPECT_EQ(FolderContents(dir.path()).value("a8.txt"), "a10.txt") << "the cycle went round";
    EXPECT_TRUE(form->cmdUndo->isEnabled());

    boxes.clear();
    boxes.queueAnswer(MsgResult::Yes);
    form->cmdUndo->click();
    EXPECT_TRUE(Shown(Msg::RenameUndoQuestion));
    EXPECT_TRUE(Shown(Msg::RenameUndone));
    EXPECT_EQ(FolderContents(dir.path()).value("a10.txt"), "a10.txt");

    // A leading dot would hide the files: 125 and the preview.
    boxes.clear();
    Choose(1, form->cmbComplete);
    form->txtComplete->setText(QStringLiteral("."));
    int rows = -1;
    WhenModal<frmRenamePrv>([&](frmRenamePrv* preview) {
        rows = preview->LV->model()->rowCount();
        preview->close();
    });
    form->cmdOK->click();
    EXPECT_TRUE(Shown(Msg::RenameProblems));
    EXPECT_EQ(rows, 3);
}

TEST_F(RenameWindow, WithoutMatchesAWorkingRuleOrYesNothingIsRenamed)
{
    Open();
    Choose(4);
    form->cmdOK->click();
    EXPECT_EQ(boxes.count(), 0) << "no file matched: nothing visible";
    WriteNamedFiles(dir.path(), {"x1.txt"});
    boxes.queueAnswer(MsgResult::Cancel);
    form->cmdOK->click();
    EXPECT_TRUE(Shown(Msg::RenameCheckPassed));
    EXPECT_EQ(form->chkEdited, 0);

    Choose(2);
    QTest::keyClicks(form->txtComplete, QStringLiteral("neu"));
    form->cmdOK->click();
    EXPECT_TRUE(Shown(Msg::RenameNeedsOption));
    form->chkNumber->click();
    form->txtPlaces->clear();
    boxes.clear();
    form->cmdOK->click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(Shown(Msg::FieldRequired));
    EXPECT_EQ(FolderContents(dir.path()).keys(), QList<QByteArray>{"x1.txt"});
}

// Once files were renamed, the main window reads its file list again.
TEST_F(RenameWindow, MainWindowRefreshesTheListAfterARun)
{
    WriteNamedFiles(dir.path(), {"IMG_1.jpg", "notes.txt"});
    auto options = std::make_unique<pOptions>();
    options->Init();
    SetAppOptions(std::move(options));
    AppSaveSetting(akOptions, QStringLiteral("StartupPath"), dir.path());
    {
        frmMain main;
        main.show();
        main.SetMaskText(QStringLiteral("*.jpg"));
        WhenModal<frmRename>([&](frmRename* rename) {
            rename->cmbMode->setCurrentIndex(1);
            Q_EMIT rename->cmbMode->activated(1);
            rename->txtFind->setText(QStringLiteral("IMG_"));
            rename->txtReplace->setText(QStringLiteral("Foto_"));
            boxes.queueAnswer(MsgResult::Yes);
            rename->cmdOK->click();
            rename->reject();
        });
        main.findChild<QAction*>(QStringLiteral("TB_Rename"))->trigger();
        EXPECT_TRUE(main.Files()->Names().contains(QStringLiteral("Foto_1.jpg")));
    }
    SetAppOptions(nullptr);
}
} // namespace
