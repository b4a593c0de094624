// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocFixtures.h"

#include "fileinfo/OfficeDocProperties.h"
#include "fileinfo/OlePropertySet.h"
#include "fileinfo/frmDirInfo.h"
#include "fileinfo/frmFileInfo.h"
#include "platform/PeFile.h"
#include "support/PeWriter.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"
#include "support/VersionNode.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace Fixture;

class InfoWindows : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedMessageBox boxes;
    OfficeDocProperties reader;
    frmFileInfo window;

    bool pageShown(int page) const { return window.tabInfo->isTabVisible(page); }
};

TEST_F(InfoWindows, PagesFollowWhatTheFileHolds)
{
    ASSERT_TRUE(window.pubInit(&reader, dir.writeFile(u("notiz.txt"), "Hallo")));
    EXPECT_TRUE(pageShown(frmFileInfo::PageGeneral));
    EXPECT_FALSE(pageShown(frmFileInfo::PageVersion));
    EXPECT_FALSE(pageShown(frmFileInfo::PageOffice));
    EXPECT_FALSE(window.txtDosName->isVisible() || window.txtDosPath->isVisible());

    // A library whose string table has everything but the trademarks.
    const QList<std::pair<QString, QString>> entries = {
        {u("CompanyName"), u("Beispiel GmbH")}, {u("FileDescription"), u("Prüfbibliothek")},
        {u("FileVersion"), u("2.1")},           {u("LegalCopyright"), u("© 2024 Beispiel")},
        {u("ProductName"), u("Prüfwerk")},
    };
    PeWriter library;
    library.add(
        PeFile::RtVersion, 1, 0x0407,
        VersionNode::root({.fileMS = 0x00020001}, {VersionNode::strings(u("040704B0"), entries),
                                                   VersionNode::translations({{0x0407, 0x04B0}})})
            .serialize());
    ASSERT_TRUE(window.pubInit(&reader, dir.writeFile(u("pruef.dll"), library.build())));
    ASSERT_TRUE(pageShown(frmFileInfo::PageVersion));
    EXPECT_EQ(window.txtDescription->text(), u("Prüfbibliothek"));
    EXPECT_EQ(window.txtVerInfo->text(), u("Beispiel GmbH"));
    window.show();
    window.tabInfo->setCurrentIndex(frmFileInfo::PageVersion);
    for (const auto& [row, value] : {std::pair{5, u("")}, std::pair{7, u("Prüfwerk")}}) {
        const QRect item = window.lstVerInfo->visualItemRect(window.lstVerInfo->item(row));
        QTest::mouseClick(window.lstVerInfo->viewport(), Qt::LeftButton, {}, item.center());
        EXPECT_EQ(window.txtVerInfo->text(), value) << row;
    }
    // Escape from the list closes the window.
    window.lstVerInfo->setFocus();
    QTest::keyClick(window.lstVerInfo, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(InfoWindows, OfficePageReadsWhenChosenAndRefusesWithoutProperties)
{
    const QByteArray document =
        oleFile({{u("\x05") + u("SummaryInformation"),
                  propertySet(OlePropertySet::SummaryInformation(),
                              {{2, vtLpstr("Quartalsbericht")}, {4, vtLpstr("Eva")}})}});
    ASSERT_TRUE(window.pubInit(&reader, dir.writeFile(u("BERICHT.DOC"), document)));
    ASSERT_TRUE(pageShown(frmFileInfo::PageOffice));
    window.tabInfo->setCurrentIndex(frmFileInfo::PageOffice);
    EXPECT_EQ(window.tabInfo->currentIndex(), int(frmFileInfo::PageOffice));
    EXPECT_EQ(window.lblPrp[10]->text(), u("Titel:"));
    EXPECT_EQ(window.txtPrp[10]->text(), u("Quartalsbericht"));
    EXPECT_EQ(window.lblPrp[1]->text(), u("Autor:"));
    EXPECT_EQ(window.txtPrp[1]->text(), u("Eva"));
    EXPECT_EQ(boxes.count(), 0);

    // A document without properties (the reader's tests hold the damaged ones).
    const QByteArray empty = oleFile({{u("WordDocument"), QByteArray(600, '\0')}});
    ASSERT_TRUE(window.pubInit(&reader, dir.writeFile(u("leer.doc"), empty)));
    boxes.clear();
    window.tabInfo->setCurrentIndex(frmFileInfo::PageOffice);
    EXPECT_EQ(window.tabInfo->currentIndex(), int(frmFileInfo::PageGeneral));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().startsWith(u("Es konnten keine Eigenschaften")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(InfoWindows, GeneralPageShowsTheFileAskedForWithItsWholeSize)
{
    const QString sparse = dir.writeFile(u("gross.bin"));
    ASSERT_TRUE(QFile::resize(sparse, 5LL << 30));
    ASSERT_TRUE(window.pubInit(&reader, sparse));
    EXPECT_EQ(window.txtSize->text(), u("5,00GB (5.368.709.120 bytes)"));

    dir.writeFile(u("DATEN/BERICHT.TXT"), "gross");
    const QString asked = dir.writeFile(u("Daten/Bericht.txt"), "klein, aber anders");
    ASSERT_TRUE(window.pubInit(&reader, asked));
    EXPECT_EQ(window.txtFilename->text(), u("Bericht.txt"));
    EXPECT_EQ(window.txtLocation->text(), dir.filePath(u("Daten/")));
    EXPECT_EQ(window.txtSize->text(), u("18 bytes"));
    EXPECT_FALSE(window.pubInit(&reader, dir.filePath(u("fehlt.txt"))));

    // Attribute boxes only show: neither a click nor Space changes one.
    window.show();
    QCheckBox* box = window.chkAttr[0];
    const bool before = box->isChecked();
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(box->isChecked(), before);
}

TEST_F(InfoWindows, FolderWindowCountsAndStops)
{
    dir.writeFile(u("a/eins.txt"), "1234");
    dir.writeFile(u("zwei.txt"), "12");
    frmDirInfo folder;
    folder.pubInit(dir.path());
    EXPECT_EQ(folder.windowTitle(), u("Eigenschaften - ") + dir.path());
    EXPECT_FALSE(folder.txtModified->text().isEmpty());
    folder.show();
    QTRY_VERIFY(!folder.IsCounting());
    EXPECT_EQ(folder.txtContents->text(), u("2 Dateien, 1 Ordner"));
    EXPECT_EQ(folder.txtSize->text(), u("6 bytes"));
    EXPECT_EQ(folder.lblStatus->text(), u("Zählung abgeschlossen"));

    // Escape stops a count and keeps the window with what was counted.
    for (int i = 0; i < 10000; ++i)
        dir.writeFile(u("viele/%1").arg(i));
    frmDirInfo stopped;
    stopped.pubInit(dir.path());
    stopped.show();
    QTest::keyClick(&stopped, Qt::Key_Escape);
    QTRY_VERIFY(!stopped.IsCounting());
    EXPECT_TRUE(stopped.isVisible());
    EXPECT_EQ(stopped.lblStatus->text(), u("Zählung abgebrochen – Werte unvollständig"));
    EXPECT_FALSE(stopped.cmdCancel->isEnabled());

    // Closing mid-count returns with the walk ended.
    frmDirInfo closed;
    closed.pubInit(dir.path());
    closed.show();
    closed.close();
    EXPECT_FALSE(closed.IsCounting());
}
