// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirCompFixture.h"

#include "core/AppSettings.h"
#include "core/ColorValue.h"
#include "core/FileDialog.h"
#include "core/MessageTable.h"
#include "dircomp/DirCompListModel.h"
#include "dircomp/frmDirComp.h"
#include "platform/FileNameCodec.h"
#include "support/Sanitized.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestText.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {
// "name:class" per row of a list, in list order.
QStringList shown(const DirCompListModel& list)
{
    QStringList rows;
    for (int i = 0; i < list.rowCount(); ++i) {
        const QModelIndex index = list.index(i, 0);
        const QColor colour = list.data(index, Qt::ForegroundRole).value<QColor>();
        const char* cls = colour == ColorFromValue(0x008000)     ? "D"
                          : colour == ColorFromValue(0x80000011) ? "S"
                          : colour == ColorFromValue(0x000080)   ? "E"
                                                                 : "?";
        rows << list.data(index, Qt::DisplayRole).toString() + QLatin1Char(':') +
                    QLatin1String(cls);
    }
    return rows;
}

// "chk0 chk1 chk2 OK diff" as 1 (enabled) and 0, a "+" after a checked box.
QString actionStates(const frmDirComp& w)
{
    QStringList states;
    const std::initializer_list<const QAbstractButton*> buttons = {w.chk[0], w.chk[1], w.chk[2],
                                                                   w.cmdOK, w.chkDiff};
    for (const QAbstractButton* b : buttons)
        states << QString::number(b->isEnabled()) + (b->isChecked() ? "+" : "");
    return states.join(QLatin1Char(' '));
}

class DirCompWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        TwoFolders::put(f.source(), "newer", "source newer", 1'700'000'100);
        TwoFolders::put(f.dest(), "newer", "dest older", 1'700'000'000);
        TwoFolders::put(f.source(), "Older", "source older", 1'700'000'000);
        TwoFolders::put(f.dest(), "Older", "dest newer", 1'700'000'100);
        TwoFolders::put(f.dest(), "extra", "only in dest");
        w.txtPath[0]->setText(f.source());
        w.txtPath[1]->setText(f.dest());
        w.show();
    }

    // Clicks and waits until the window shows what the job ended with.
    void clickAndWait(QAbstractButton* button)
    {
        QSignalSpy ended(&w, &frmDirComp::jobEnded);
        button->click();
        ASSERT_TRUE(ended.wait(20000));
    }

    ScriptedMessageBox boxes;
    TwoFolders f;
    frmDirComp w;
};
} // namespace

TEST_F(DirCompWindow, ComparingColoursTheListsAndOffersTheActions)
{
    EXPECT_EQ(w.windowTitle(), u("Verzeichnisse vergleichen"));
    EXPECT_FALSE(w.LVSource->isEnabled());
    EXPECT_EQ(w.lblLVSource->palette().color(QPalette::WindowText), ColorFromValue(0x80000011));
    EXPECT_EQ(actionStates(w), u("0 0 0 0 0"));

    clickAndWait(w.cmdCompare);
    EXPECT_TRUE(w.LVSource->isEnabled());
    EXPECT_EQ(w.LVDest->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(shown(w.SourceList()), (QStringList{"newer:D", "Older:S"}));
    EXPECT_EQ(shown(w.DestList()), (QStringList{"extra:E", "newer:S", "Older:S"}));
    EXPECT_EQ(actionStates(w), u("1 1 1 0 1"));
    // OK follows the boxes, whatever changes them.
    w.chk[2]->click();
    EXPECT_EQ(actionStates(w), u("1 1 1+ 1 1"));

    // Only what differs: the Same rows go and the source deletion with them.
    w.chk[0]->click();
    w.chkDiff->click();
    EXPECT_EQ(shown(w.SourceList()), QStringList{"newer:D"});
    EXPECT_EQ(shown(w.DestList()), QStringList{"extra:E"});
    EXPECT_EQ(actionStates(w), u("0 1 1+ 1 1+"));
    // Cleared: compared again, all rows back, nothing checked.
    clickAndWait(w.chkDiff);
    EXPECT_EQ(shown(w.SourceList()), (QStringList{"newer:D", "Older:S"}));
    EXPECT_EQ(actionStates(w), u("1 1 1 0 1"));

    // A path edited after comparing: the lists stay, the actions go until
    // the next comparison.
    w.chk[1]->click();
    w.txtPath[1]->setText(f.dest() + u("../Quelle"));
    EXPECT_EQ(shown(w.SourceList()).size(), 2);
    EXPECT_EQ(actionStates(w), u("0 0 0 0 1"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(DirCompWindow, RunsOnlyAfterYesAndReportsDoneOrSkipped)
{
    clickAndWait(w.cmdCompare);
    w.chk[1]->click();
    w.chk[2]->click();
    boxes.queueAnswer(MsgResult::No);
    w.cmdOK->click();
    EXPECT_EQ(boxes.lastText(), MessageTable::text(Msg::StartActionQuestion));
    EXPECT_EQ(boxes.shown().last().style, 292);
    EXPECT_EQ(TwoFolders::read(f.dest(), "newer"), "dest older");

    boxes.queueAnswer(MsgResult::Yes);
    clickAndWait(w.cmdOK);
    EXPECT_EQ(boxes.lastText(), MessageTable::text(Msg::ActionDone));
    EXPECT_TRUE(w.FilesChanged());
    // Compared again afterwards: copied and deleted as the boxes said.
    EXPECT_EQ(shown(w.SourceList()), (QStringList{"newer:S", "Older:S"}));
    EXPECT_EQ(shown(w.DestList()), (QStringList{"newer:S", "Older:S"}));

    // A skipped file is named with its reason instead.
    TwoFolders::put(f.source(), "new", "1");
    clickAndWait(w.cmdCompare);
    w.chk[1]->click();
    TwoFolders::put(f.dest(), "new", "created meanwhile");
    boxes.queueAnswer(MsgResult::Yes);
    clickAndWait(w.cmdOK);
    EXPECT_EQ(boxes.lastText(), u("Die Aktion wurde beendet. Übersprungene "
                                  "Dateien: 1\nnew: seit dem Vergleich verändert"));
}

// A stopped run shows why and keeps the lists; a comparison stopped while
// it reads leaves the window as it was at the start.
TEST_F(DirCompWindow, StoppingARunOrAScan)
{
    TwoFolders::put(f.source(), "large", QByteArray(16 << 20, 'l'));
    clickAndWait(w.cmdCompare);
    w.chk[1]->click();
    boxes.queueAnswer(MsgResult::Yes);
    QSignalSpy ended(&w, &frmDirComp::jobEnded);
    w.cmdOK->click();
    w.cmdCancel->click();
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(boxes.lastText(),
              QString(MessageTable::text(Msg::CancelDetected)).replace(QLatin1String("@@"), "\n"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(shown(w.SourceList()), (QStringList{"large:D", "newer:D", "Older:S"}));
    EXPECT_EQ(TwoFolders::entries(f.dest()), (QList<QByteArray>{"Older", "extra", "newer"}));

    constexpr int kFiles = kSanitized ? 20'000 : 100'000;
    // In memory where the system has it: creating that many files on a disk
    // takes longer than the whole test should.
    const bool memory = QFileInfo(u("/dev/shm")).isWritable();
    QTemporaryDir many((memory ? u("/dev/shm") : QDir::tempPath()) + u("/tolvane-test-XXXXXX"));
    w.txtPath[0]->setText(many.path());
    const QByteArray folder = EncodeFileName(many.path());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < kFiles; ++i)
        ::close(::openat(dir, QByteArray::number(i).constData(), O_WRONLY | O_CREAT, 0644));
    ::close(dir);
    boxes.clear();
    w.cmdCompare->click();
    EXPECT_TRUE(w.Busy());
    QTest::keyClick(&w, Qt::Key_Escape);
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.LVSource->isEnabled());
    EXPECT_EQ(w.SourceList().rowCount(), 0);
    EXPECT_EQ(actionStates(w), u("0 0 0 0 0"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST(DirCompPaths, AreStoredAndBrowsedFolderResetsTheLists)
{
    ScriptedMessageBox boxes;
    TwoFolders f;
    AppSaveSetting(akDirComp, u("SourcePath"), f.source());
    AppSaveSetting(akDirComp, u("DestPath"), f.dest());
    QList<FileDialogRequest> asked;
    const QString chosen = f.dir.filePath(u("Ziel"));
    FileDialog::setHook([&](const FileDialogRequest& request) {
        asked << request;
        return QStringList{chosen};
    });
    {
        frmDirComp w;
        EXPECT_EQ(w.txtPath[0]->text(), f.source());
        EXPECT_EQ(w.txtPath[1]->text(), f.dest());
        w.txtPath[1]->clear();
        EXPECT_FALSE(w.cmdCompare->isEnabled());
        w.cmdBrowse[1]->click();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked.first().title, u("Ordner wählen"));
        EXPECT_EQ(w.txtPath[1]->text(), chosen);
        EXPECT_TRUE(w.cmdCompare->isEnabled());
        // The next browse starts in the parent of the folder chosen last.
        w.txtPath[0]->clear();
        w.cmdBrowse[0]->click();
        EXPECT_EQ(asked.last().startFolder, f.dir.path());
        w.close();
    }
    FileDialog::setHook({});
    EXPECT_EQ(AppGetSetting(akDirComp, u("SourcePath")), chosen);
}
