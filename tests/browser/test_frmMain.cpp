// SPDX-License-Identifier: GPL-3.0-or-later
#include "BrowserTestUtil.h"
#include "ModalDriver.h"
#include "browser/DirListBox.h"
#include "browser/FileBoxModel.h"
#include "browser/FileInfoPane.h"
#include "browser/MainCommands.h"
#include "browser/frmMain.h"
#include "browser/frmMainMasks.h"
#include "core/AppGlobals.h"
#include "core/TextUtil.h"
#include "core/cuRecentFiles.h"
#include "core/pOptions.h"
#include "pictures/ThumbNail.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (qint32 key : {akOptions, akPatterns, akMainWindow, akPicViewer})
            ClearSettingsKey(key);
        for (const char* list : {"Folders", "RegFiles"}) {
            const QString key = kAppRootPath + QStringLiteral("\\Recent\\") + QLatin1String(list);
            QStringList names;
            Registry().RegArrayValues(HKEY_CURRENT_USER, key, names);
            for (const QString& name : names)
                Registry().RegValueDelete(HKEY_CURRENT_USER, key, name);
        }
        auto options = std::make_unique<pOptions>();
        options->Init();
        SetAppOptions(std::move(options));
        dir.writeFile(QStringLiteral("notiz.txt"), "Hallo Welt");
        dir.writeFile(QStringLiteral("leer.txt"));
        dir.writeFile(QStringLiteral("prog.dll"), "MZ");
        dir.writeFile(QStringLiteral("daten.bin"), "\x01\x02");
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.save(dir.filePath(QStringLiteral("bild.jpg")));
        dir.makeDir(QStringLiteral("unter"));
        dir.makeDir(QStringLiteral("leerer Ordner"));
        AppSaveSetting(akOptions, QStringLiteral("StartupPath"), dir.path());
    }
    void TearDown() override { SetAppOptions(nullptr); }

    std::unique_ptr<frmMain> Open()
    {
        auto form = std::make_unique<frmMain>();
        form->show();
        return form;
    }
    static void ClickFile(frmMain& form, const QString& name, Qt::KeyboardModifiers modifiers = {})
    {
        const int row = int(form.Files()->Names().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        const QRect rect = form.FileBox->visualRect(form.Files()->index(row));
        QTest::mouseClick(form.FileBox->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    static QStringList Labels(const frmMain& form)
    {
        QStringList labels;
        for (const FileInfoRow& row : form.fraFileInfo->Rows())
            labels.append(row.label);
        return labels;
    }

    TempDir dir;
    ScriptedMessageBox boxes;
};
} // namespace

TEST_F(MainWindow, StartsInTheStoredFolderWithTheFirstFileShown)
{
    auto form = Open();
    EXPECT_EQ(form->DirBox->Path(), dir.path());
    EXPECT_EQ(form->lblFiles->text(), QStringLiteral("5 Dateien"));
    EXPECT_EQ(form->Files()->Names().first(), QStringLiteral("bild.jpg"));
    EXPECT_EQ(form->SelectedCount(), 1);
    EXPECT_TRUE(form->fraFileInfo->TN->isVisibleTo(form.get()));
    EXPECT_FALSE(form->fraFileInfo->TN->Image().isNull());
    EXPECT_EQ(boxes.count(), 0) << boxes.lastText().toStdString();
}

TEST_F(MainWindow, InformationPaneShowsNineRowsAndTheTextPreview)
{
    auto form = Open();
    ClickFile(*form, QStringLiteral("notiz.txt"));
    EXPECT_EQ(Labels(*form), (QStringList{QStringLiteral("Typ"), QStringLiteral("Größe"),
                                          QStringLiteral("Erstellt"), QStringLiteral("Geändert"),
                                          QStringLiteral("Letzter Zugr."),
                                          QStringLiteral("Schreibgesch."), QStringLiteral("Archiv"),
                                          QStringLiteral("Versteckt"), QStringLiteral("System")}));
    EXPECT_EQ(form->fraFileInfo->Rows()[5].value, QStringLiteral("Nein"));
    EXPECT_TRUE(form->fraFileInfo->txtPreview->isVisibleTo(form.get()));
    EXPECT_EQ(form->fraFileInfo->txtPreview->toPlainText(), QStringLiteral("Hallo Welt"));

    ClickFile(*form, QStringLiteral("leer.txt"));
    EXPECT_TRUE(form->fraFileInfo->txtPreview->isVisibleTo(form.get()));
    EXPECT_TRUE(form->fraFileInfo->txtPreview->toPlainText().isEmpty());
    EXPECT_FALSE(form->fraFileInfo->lblPreView->isVisibleTo(form.get()));

    ClickFile(*form, QStringLiteral("daten.bin"));
    EXPECT_TRUE(form->fraFileInfo->lblPreView->isVisibleTo(form.get()));
    EXPECT_EQ(form->fraFileInfo->lblPreView->text(), QStringLiteral("Keine Vorschau möglich ..."));
}

TEST_F(MainWindow, TwoSelectedFilesLeaveThePaneEmpty)
{
    auto form = Open();
    ClickFile(*form, QStringLiteral("leer.txt"));
    ClickFile(*form, QStringLiteral("notiz.txt"), Qt::ControlModifier);
    EXPECT_EQ(form->SelectedCount(), 2);
    EXPECT_TRUE(form->fraFileInfo->Rows().isEmpty());
    EXPECT_FALSE(form->fraFileInfo->txtPreview->isVisibleTo(form.get()));
    EXPECT_FALSE(form->fraFileInfo->lblPreView->isVisibleTo(form.get()));
    EXPECT_FALSE(form->fraFileInfo->TN->isVisibleTo(form.get()));
}

TEST_F(MainWindow, ClickingAFolderOpensItAndRecordsIt)
{
    auto form = Open();
    DirListBox* box = form->DirBox;
    const int row = box->Model()->CurrentRow() + 1; // first sub-folder: "leerer Ordner"
    ASSERT_EQ(box->Model()->PathAt(row), dir.filePath(QStringLiteral("leerer Ordner/")));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                      box->visualRect(box->Model()->index(row)).center());
    EXPECT_EQ(form->Files()->Path(), dir.filePath(QStringLiteral("leerer Ordner/")));
    EXPECT_EQ(form->lblFiles->text(), QStringLiteral("0 Dateien"));
    EXPECT_TRUE(form->fraFileInfo->Rows().isEmpty());
    ASSERT_GE(form->RecentFolders()->Count(), 1);
    EXPECT_EQ(form->RecentFolders()->Item(1).FullPath,
              dir.filePath(QStringLiteral("leerer Ordner/")));
    // The start folder itself was opened before the window showed: not recorded.
    EXPECT_EQ(form->RecentFolders()->Count(), 1);
}

TEST_F(MainWindow, MaskMenuFillsTheComboAndFiltersTheFiles)
{
    auto form = Open();
    QList<QAction*>& masks = form->Menus()->kMasks_List;
    ASSERT_EQ(masks.size(), 5);
    EXPECT_EQ(masks[3]->text(), QStringLiteral("ActiveX"));
    masks[3]->trigger();
    QStringList items;
    for (int i = 0; i < form->cmbMask->count(); ++i)
        items.append(form->cmbMask->itemText(i));
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("*.*"), QStringLiteral("*.dll"), QStringLiteral("*.ocx"),
                           QStringLiteral("*.olb"), QStringLiteral("*.tlb"),
                           QStringLiteral("*.dll;*.ocx;*.olb;*.tlb")}));
    EXPECT_EQ(form->cmbMask->currentText(), QStringLiteral("*.dll;*.ocx;*.olb;*.tlb"));
    EXPECT_EQ(form->Files()->Names(), QStringList{QStringLiteral("prog.dll")});

    masks[2]->trigger(); // "(Standard)"
    EXPECT_EQ(form->cmbMask->count(), 1);
    EXPECT_EQ(form->cmbMask->currentText(), QStringLiteral("*.*"));
    EXPECT_EQ(form->Files()->ListCount(), 5);
}

TEST_F(MainWindow, TypedPatternFiltersAndAnEmptyComboGetsTheDefaultBack)
{
    auto form = Open();
    form->cmbMask->setEditText(QStringLiteral("*.TXT"));
    EXPECT_EQ(form->Files()->Names(),
              (QStringList{QStringLiteral("leer.txt"), QStringLiteral("notiz.txt")}));
    form->cmbMask->setEditText(QString());
    form->FileBox->setFocus();
    QApplication::sendEvent(form->cmbMask->lineEdit(), new QFocusEvent(QEvent::FocusOut));
    EXPECT_EQ(form->cmbMask->currentText(), QStringLiteral("*.*"));
}

TEST_F(MainWindow, CopyCommandsPutTheirTextsOnTheClipboard)
{
    auto form = Open();
    ClickFile(*form, QStringLiteral("notiz.txt"));
    form->Commands()->kFileBox_CopyPath_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), dir.filePath(QStringLiteral("notiz.txt")));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("Der Pfad wurde in die Zwischenablage kopiert."));
    EXPECT_EQ(boxes.shown().last().style, 64);

    form->Commands()->kDirBox_CopyPath_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), dir.path().chopped(1));

    form->Commands()->kFileInfo_Copy_Click(true);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[1],
              QString(dir.filePath(QStringLiteral("notiz.txt")).size(), QLatin1Char('*')));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Typ           "))) << lines[2].toStdString();
    EXPECT_EQ(lines[7], QStringLiteral("Schreibgesch. Nein"));
}

TEST_F(MainWindow, FileBoxMenuOffersOpenAndCopyOnlyForOneFile)
{
    auto form = Open();
    const frmMainMenus& m = *form->Menus();
    form->SelectFiles(QString(), true);
    EXPECT_EQ(form->SelectedCount(), 5);
    form->Commands()->ShowFileBoxMenu(QPoint(10, 10));
    EXPECT_FALSE(m.kFileBox_Run->menuAction()->isVisible());
    EXPECT_FALSE(m.kFileBox_CopyPath->isVisible());
    m.kFileBox->hide();
    form->SelectFiles(QStringLiteral("notiz.txt"), true);
    EXPECT_EQ(form->SelectedCount(), 1);
    form->Commands()->ShowFileBoxMenu(QPoint(10, 10));
    EXPECT_TRUE(m.kFileBox_Run->menuAction()->isVisible());
    EXPECT_TRUE(m.kFileBox_CopyPath->isVisible());
    m.kFileBox->hide();
}

TEST_F(MainWindow, ClosingStoresFolderMaskAndPositionForTheNextStart)
{
    {
        auto form = Open();
        form->cmbMask->setEditText(QStringLiteral("*.txt"));
        form->DirBox->SetPath(dir.filePath(QStringLiteral("unter")));
        form->setGeometry(40, 50, 700, 500);
        form->close();
    }
    EXPECT_EQ(AppGetSetting(akOptions, QStringLiteral("StartupPath")),
              dir.filePath(QStringLiteral("unter/")));
    EXPECT_EQ(AppGetSetting(akOptions, QStringLiteral("StartupMask")), QStringLiteral("*.txt"));
    EXPECT_EQ(AppGetSetting(akMainWindow, QStringLiteral("Width")), QStringLiteral("10500"));
    EXPECT_EQ(AppGetSetting(akMainWindow, QStringLiteral("Maximized")), QStringLiteral("0"));
    auto again = Open();
    EXPECT_EQ(again->DirBox->Path(), dir.filePath(QStringLiteral("unter/")));
    EXPECT_EQ(again->cmbMask->currentText(), QStringLiteral("*.txt"));
    EXPECT_EQ(again->cmbMask->count(), 2);
    EXPECT_EQ(again->geometry(), QRect(40, 50, 700, 500));
    EXPECT_EQ(again->RecentFolders()->Item(1).FullPath, dir.filePath(QStringLiteral("unter/")));
}

TEST_F(MainWindow, AStartFolderThatIsGoneFallsBackToHome)
{
    AppSaveSetting(akOptions, QStringLiteral("StartupPath"), dir.filePath(QStringLiteral("weg/")));
    auto form = Open();
    EXPECT_EQ(form->DirBox->Path(),
              QDir::homePath() +
                  (QDir::homePath().endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(MainWindow, ARecentFolderThatIsGoneIsReportedAndRemoved)
{
    auto form = Open();
    const QString gone = dir.makeDir(QStringLiteral("bald weg"));
    form->RecentFolders()->Add(AddTrailing(gone, QLatin1Char('/')));
    QDir(gone).removeRecursively();
    form->Commands()->mFile_Last_Folders_Click(1);
    EXPECT_EQ(boxes.lastText(), QStringLiteral("Der Ordner '%1' ist nicht mehr vorhanden.")
                                    .arg(AddTrailing(gone, QLatin1Char('/'))));
    EXPECT_EQ(boxes.shown().last().style, 48);
    EXPECT_EQ(form->RecentFolders()->Count(), 0);
}

TEST_F(MainWindow, MinimisingWithoutATrayStaysAnOrdinaryMinimisedWindow)
{
    for (bool toTray : {false, true}) {
        AppOptions()->MinToSysTray = toTray;
        auto form = Open();
        form->setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        // The test platform has no notification area: hiding would lose the window.
        EXPECT_TRUE(form->isVisible()) << "MinToSysTray " << toTray;
        form->close();
    }
}

TEST_F(MainWindow, HidingTheInformationPaneStoresTheOption)
{
    auto form = Open();
    EXPECT_TRUE(form->Menus()->mView_FileInfo->isChecked());
    form->Menus()->mView_FileInfo->trigger();
    EXPECT_FALSE(form->Menus()->mView_FileInfo->isChecked());
    EXPECT_FALSE(AppOptions()->ShowFileInfo);
    EXPECT_FALSE(form->fraFileInfo->isVisible());
    form->Menus()->mView_FileInfo->trigger();
    EXPECT_TRUE(form->fraFileInfo->isVisible());
    EXPECT_TRUE(AppOptions()->ShowFileInfo);
}

TEST_F(MainWindow, MaskEditorChangesReachTheMenu)
{
    auto form = Open();
    WhenModal<frmMainMasks>([](frmMainMasks* editor) {
        ASSERT_EQ(editor->Rows().Count(), 2);
        editor->LV->setCurrentItem(editor->LV->topLevelItem(0));
        editor->cmdDelete_Click(); // answered Yes below
        editor->CmdOK->click();
    });
    boxes.queueAnswer(MsgResult::Yes);
    form->Menus()->kMasks_List[0]->trigger();
    ASSERT_EQ(form->Menus()->kMasks_List.size(), 4);
    EXPECT_EQ(form->Menus()->kMasks_List[3]->text(), QStringLiteral("Microsoft Access"));
    EXPECT_EQ(StoredValueNames(akPatterns), QStringList{QStringLiteral("Microsoft Access")});
}

TEST_F(MainWindow, ADriveThatIsNotReadyIsReportedAndTheFolderKept)
{
    auto form = Open();
    form->DriveBox->addItem(QStringLiteral("/nicht/bereit/"), QStringLiteral("/nicht/bereit/"));
    Q_EMIT form->DriveBox->activated(form->DriveBox->count() - 1);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.shown().last().title.contains(QStringLiteral("<Fehler Nr. 68>")));
    EXPECT_EQ(form->DirBox->Path(), dir.path());
    EXPECT_EQ(form->Files()->ListCount(), 5);
    EXPECT_EQ(form->DriveBox->currentData().toString().isEmpty(), false);
}

TEST_F(MainWindow, LargeFilesAskBeforeTheEditorOpens)
{
    dir.writeFile(QStringLiteral("gross.txt"), QByteArray(2097153, 'x'));
    auto form = Open();
    form->Files()->Refresh();
    form->SelectFiles(QStringLiteral("gross.txt"), true);
    boxes.queueAnswer(MsgResult::No);
    form->Commands()->kFileBox_Run_Editor_Click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown().last().style, 292);
    EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("Die Datei '%1' hat eine Größe von ")
                                                .arg(dir.filePath(QStringLiteral("gross.txt")))));
    EXPECT_TRUE(boxes.lastText().endsWith(QStringLiteral("\nTrotzdem im Editor öffnen?")));
}

TEST_F(MainWindow, RefreshKeepsTheSelectionAndIconFilesAreFound)
{
    auto form = Open();
    form->SelectFiles(QStringLiteral("notiz.txt"), true);
    ClickFile(*form, QStringLiteral("prog.dll"), Qt::ControlModifier);
    dir.writeFile(QStringLiteral("neu.txt"));
    form->Commands()->kFileBox_Refresh_Click();
    EXPECT_EQ(form->Files()->ListCount(), 6);
    EXPECT_EQ(form->SelectedCount(), 2);
    EXPECT_TRUE(form->HasIconFiles());
    form->DirBox->SetPath(dir.filePath(QStringLiteral("unter")));
    EXPECT_FALSE(form->HasIconFiles());
    // An empty list offers no menu at all.
    form->Commands()->ShowFileBoxMenu(QPoint(5, 5));
    EXPECT_FALSE(form->Menus()->kFileBox->isVisible());
}

TEST_F(MainWindow, ARecentFileSelectsItselfOrIsReportedWhenGone)
{
    auto form = Open();
    form->RecentRegFiles()->Add(dir.filePath(QStringLiteral("prog.dll")));
    form->DirBox->SetPath(dir.filePath(QStringLiteral("unter")));
    form->Commands()->mFile_Last_Reg_Click(1);
    EXPECT_EQ(form->DirBox->Path(), dir.path());
    EXPECT_EQ(form->cmbMask->currentText(), QStringLiteral("*.dll"));
    EXPECT_EQ(form->SelectedCount(), 1);
    EXPECT_EQ(form->CurrentFilePath(), dir.filePath(QStringLiteral("prog.dll")));

    QFile::remove(dir.filePath(QStringLiteral("prog.dll")));
    form->Commands()->mFile_Last_Reg_Click(1);
    EXPECT_EQ(boxes.lastText(), QStringLiteral("Die Datei '%1' ist nicht mehr vorhanden.")
                                    .arg(dir.filePath(QStringLiteral("prog.dll"))));
    EXPECT_EQ(form->RecentRegFiles()->Count(), 0);
}
