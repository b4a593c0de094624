// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "browser/DirListBox.h"
#include "browser/frmAbout.h"
#include "browser/frmMainMasks.h"
#include "calc/frmCalculator.h"
#include "core/TextUtil.h"
#include "core/Version.h"
#include "core/cuRecentFiles.h"
#include "pictures/ThumbNail.h"
#include "platform/FileNameCodec.h"
#include "platform/FileTimes.h"
#include "platform/SettingsDatabase.h"
#include "support/CliRun.h"
#include "support/PeWriter.h"
#include "support/TestText.h"
#include "support/VersionNode.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {
class MainWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        dir.writeFile(u("notiz.txt"), "Hallo Welt");
        dir.writeFile(u("leer.txt"));
        dir.writeFile(u("prog.dll"), "MZ");
        dir.writeFile(u("daten.bin"), "\x01\x02");
        QImage(40, 30, QImage::Format_RGB32).save(dir.filePath(u("bild.jpg")));
        dir.makeDir(u("unter"));
        dir.makeDir(u("leerer Ordner"));
    }
    static bool Shows(const frmMain& form, const char* control)
    {
        return Control<QWidget>(form, control)->isVisibleTo(&form);
    }
    static QString PreviewText(const frmMain& form)
    {
        return Control<QPlainTextEdit>(form, "txtPreview")->toPlainText();
    }
    static void Activate(frmMain& form)
    {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};
} // namespace

TEST_F(MainWindow, StartsInTheStoredFolderOrHomeWithTheFirstFileShown)
{
    auto form = Open();
    EXPECT_EQ(Control<DirListBox>(*form, "DirBox")->Path(), dir.path());
    EXPECT_EQ(Control<QLabel>(*form, "lblFiles")->text(), u("5 Dateien"));
    EXPECT_EQ(form->Files()->Names().first(), u("bild.jpg"));
    EXPECT_EQ(form->SelectedCount(), 1);
    EXPECT_TRUE(Shows(*form, "TN"));
    EXPECT_FALSE(Control<ThumbNail>(*form, "TN")->Image().isNull());
    EXPECT_EQ(boxes.count(), 0) << boxes.lastText().toStdString();

    form.reset();
    AppSaveSetting(akOptions, u("StartupPath"), dir.filePath(u("weg/")));
    form = Open();
    EXPECT_EQ(Control<DirListBox>(*form, "DirBox")->Path(),
              AddTrailing(QDir::homePath(), QLatin1Char('/')))
        << "a start folder that is gone falls back to home";
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(MainWindow, InformationPaneShowsWhatTheCompanionPrints)
{
    VersionNode::Fixed fixed;
    fixed.fileMS = 0x00020003;
    fixed.fileLS = 0x00040005;
    PeWriter pe;
    pe.add(16, 1, 0x0407,
           VersionNode::root(
               fixed, {VersionNode::strings(u("040704B0"), {{u("CompanyName"), u("Muster AG")},
                                                            {u("FileDescription"), u("Prüfung")}}),
                       VersionNode::translations({{0x0407, 0x04B0}})})
               .serialize());
    const QString exe =
        dir.writeFile(u("prog.exe"), pe.build(), QDateTime(QDate(2021, 3, 9), QTime(8, 7, 6)));
    // An access time ahead of now stays where it is while both read the file.
    FileTimes::write(exe, FileTimes::Access,
                     FileTimes::fromDateTime(QDateTime::currentDateTime().addDays(1)));
    auto form = Open();
    ClickFile(*form, u("prog.exe"));
    QStringList shown;
    for (const FileInfoRow& row : form->InfoRows())
        shown << row.label + QLatin1Char('\t') + row.value + QLatin1Char('\n');
    ASSERT_EQ(shown.size(), 20);
    EXPECT_EQ(shown[3], u("Geändert\t09.03.21 08:07:06\n")) << "in local time";
    EXPECT_EQ(shown[11], u("Beschreibung\tPrüfung\n"));

    const QByteArray environment = qgetenv("LC_ALL");
    qputenv("LC_ALL", "de_DE.UTF-8");
    const CliResult printed = runCli({u("info"), exe});
    qputenv("LC_ALL", environment);
    ASSERT_EQ(printed.code, 0) << printed.err.toStdString();
    EXPECT_EQ(shown.join(QString()), printed.out);
}

TEST_F(MainWindow, InformationPaneShowsTheTextPreviewForOneFileOnly)
{
    auto form = Open();
    ClickFile(*form, u("notiz.txt"));
    EXPECT_TRUE(Shows(*form, "txtPreview"));
    EXPECT_EQ(PreviewText(*form), u("Hallo Welt"));

    ClickFile(*form, u("leer.txt"));
    EXPECT_TRUE(Shows(*form, "txtPreview"));
    EXPECT_TRUE(PreviewText(*form).isEmpty());
    EXPECT_FALSE(Shows(*form, "lblPreView"));

    ClickFile(*form, u("daten.bin"));
    EXPECT_TRUE(Shows(*form, "lblPreView"));
    EXPECT_EQ(Control<QLabel>(*form, "lblPreView")->text(), u("Keine Vorschau möglich ..."));

    // Two selected files leave the pane empty.
    ClickFile(*form, u("notiz.txt"), Qt::ControlModifier);
    EXPECT_EQ(form->SelectedCount(), 2);
    EXPECT_TRUE(form->InfoRows().isEmpty());
    for (const char* preview : {"txtPreview", "lblPreView", "TN"})
        EXPECT_FALSE(Shows(*form, preview)) << preview;
}

TEST_F(MainWindow, ADamagedPictureSaysWhyInThePreviewAndAsksNothing)
{
    const QString damaged = dir.writeFile(u("a.jpg"));
    auto form = Open();
    ASSERT_EQ(form->CurrentFilePath(), damaged);
    EXPECT_EQ(boxes.count(), 0) << boxes.lastText().toStdString();
    EXPECT_FALSE(Shows(*form, "TN"));
    EXPECT_TRUE(Shows(*form, "lblPreView"));
    EXPECT_TRUE(Control<QLabel>(*form, "lblPreView")->text().contains(u("a.jpg")));
    EXPECT_EQ(form->InfoRows().size(), 9);
}

TEST_F(MainWindow, ANameThatIsNotUtf8IsReadAndCopiedByItsBytes)
{
    const QString file = dir.writeFileNamed("caf\xe9.txt", "Grüße");
    auto form = Open();
    form->SelectFiles(file.mid(dir.path().size()), true);
    EXPECT_EQ(form->InfoRows().value(1).value, u("7 bytes"));
    EXPECT_EQ(PreviewText(*form), u("Grüße"));

    Entry(*form, "kFileBox_CopyPath")->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), DisplayFileName(file));
    ASSERT_EQ(copied->urls().size(), 1);
    EXPECT_EQ(copied->urls().first().toEncoded(QUrl::None),
              "file://" + EncodeFileName(file).toPercentEncoding("/"));
}

TEST_F(MainWindow, ADriveNotReadyKeepsTheFolderAClickedFolderOpensAndIsRecorded)
{
    auto form = Open();
    auto* drives = Control<QComboBox>(*form, "DriveBox");
    drives->addItem(u("/nicht/bereit/"), u("/nicht/bereit/"));
    Q_EMIT drives->activated(drives->count() - 1);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.shown().last().title.contains(u("<Fehler Nr. 68>")));
    EXPECT_EQ(Control<DirListBox>(*form, "DirBox")->Path(), dir.path());
    EXPECT_EQ(form->Files()->ListCount(), 5);
    EXPECT_FALSE(drives->currentData().toString().isEmpty());

    auto* box = Control<DirListBox>(*form, "DirBox");
    const int row = box->Model()->CurrentRow() + 1; // first sub-folder: "leerer Ordner"
    ASSERT_EQ(box->Model()->PathAt(row), dir.filePath(u("leerer Ordner/")));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                      box->visualRect(box->Model()->index(row)).center());
    EXPECT_EQ(form->Files()->Path(), dir.filePath(u("leerer Ordner/")));
    EXPECT_TRUE(form->InfoRows().isEmpty());
    // The start folder itself was opened before the window showed: not recorded.
    ASSERT_EQ(form->RecentFolders().Count(), 1);
    EXPECT_EQ(form->RecentFolders().Item(1).FullPath, dir.filePath(u("leerer Ordner/")));
}

TEST_F(MainWindow, MaskMenuFillsTheComboAPatternChosenThereFiltersTheEditorChangesTheMenu)
{
    auto form = Open();
    auto* combo = Control<QComboBox>(*form, "cmbMask");
    QAction* activeX = Entry(*form, "kMasks_List_3");
    activeX->trigger();
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    EXPECT_EQ(items, (QStringList{u("*.*"), u("*.dll"), u("*.ocx"), u("*.olb"), u("*.tlb"),
                                  u("*.dll;*.ocx;*.olb;*.tlb")}));

    // A pattern chosen from the list selects the file the pane shows.
    combo->setCurrentIndex(0);
    Q_EMIT combo->activated(0);
    ASSERT_EQ(form->Files()->ListCount(), 5);
    EXPECT_EQ(form->SelectedCount(), 1);
    EXPECT_EQ(form->InfoPath(), form->CurrentFilePath());
    EXPECT_EQ(form->InfoPath(), dir.filePath(u("bild.jpg")));

    activeX->trigger();
    Entry(*form, "kMasks_List_2")->trigger(); // "(Standard)"
    EXPECT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->currentText(), u("*.*"));
    EXPECT_EQ(form->Files()->ListCount(), 5);

    // What the editor changes reaches the menu.
    WhenModal<frmMainMasks>([](frmMainMasks* editor) {
        ASSERT_EQ(editor->Rows().Count(), 2);
        editor->LV->setCurrentItem(editor->LV->topLevelItem(0));
        editor->cmdDelete_Click(); // answered Yes below
        editor->CmdOK->click();
    });
    boxes.queueAnswer(MsgResult::Yes);
    Entry(*form, "kMasks_List_0")->trigger();
    EXPECT_EQ(Entry(*form, "kMasks_List_3")->text(), u("Microsoft Access"));
    EXPECT_EQ(form->findChild<QAction*>(u("kMasks_List_4")), nullptr);
}

TEST_F(MainWindow, LeavingAnEmptiedMaskPutsTheDefaultBackAndANewPatternIsKept)
{
    auto form = Open();
    Activate(*form);
    auto* combo = Control<QComboBox>(*form, "cmbMask");
    auto* files = Control<QListView>(*form, "FileBox");
    combo->setFocus();
    combo->setEditText(u("*.TXT"));
    EXPECT_EQ(form->Files()->Names(), (QStringList{u("leer.txt"), u("notiz.txt")}));
    files->setFocus();
    EXPECT_EQ(combo->findText(u("*.TXT")), 1) << "a new pattern joins the list";
    combo->setFocus();
    combo->setEditText(QString());
    files->setFocus();
    EXPECT_EQ(combo->currentText(), u("*.*"));

    combo->setEditText(QString());
    form->close();
    EXPECT_EQ(AppGetSetting(akOptions, u("StartupMask")), u("*.*"));
}

TEST_F(MainWindow, RefreshKeepsTheSelectionAndNoMenuOpensWhereItWouldOfferNothing)
{
    auto form = Open();
    form->SelectFiles(u("notiz.txt"), true);
    ClickFile(*form, u("prog.dll"), Qt::ControlModifier);
    dir.writeFile(u("neu.txt"));
    QFile::remove(dir.filePath(u("prog.dll")));
    Entry(*form, "kFileBox_Refresh")->trigger();
    EXPECT_EQ(form->Files()->ListCount(), 5);
    EXPECT_EQ(form->CurrentState().selected, QStringList{u("notiz.txt")});
    EXPECT_EQ(Control<QLabel>(*form, "lblFiles")->text(), u("5 Dateien"));

    form->OpenFolder(dir.filePath(u("unter")));
    QTest::keyClick(Control<QListView>(*form, "FileBox"), Qt::Key_Menu);
    EXPECT_FALSE(Control<QMenu>(*form, "kFileBox")->isVisible());
    // The bars offer none that would hide the tool bar.
    for (QWidget* bar : {static_cast<QWidget*>(form->menuBar()), Control<QWidget>(*form, "TB")}) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                                bar->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(bar, &click);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << bar->objectName().toStdString();
    }
}

TEST_F(MainWindow, ClosingStoresFolderMaskAndPositionForTheNextStart)
{
    {
        auto form = Open();
        Control<QComboBox>(*form, "cmbMask")->setEditText(u("*.txt"));
        form->OpenFolder(dir.filePath(u("unter")));
        form->setGeometry(40, 50, 700, 500);
        form->close();
    }
    EXPECT_EQ(AppGetSetting(akOptions, u("StartupPath")), dir.filePath(u("unter/")));
    EXPECT_EQ(AppGetSetting(akOptions, u("StartupMask")), u("*.txt"));
    EXPECT_EQ(AppGetSetting(akMainWindow, u("Width")), u("10500"));
    auto again = Open();
    EXPECT_EQ(Control<DirListBox>(*again, "DirBox")->Path(), dir.filePath(u("unter/")));
    EXPECT_EQ(Control<QComboBox>(*again, "cmbMask")->currentText(), u("*.txt"));
    EXPECT_EQ(Control<QComboBox>(*again, "cmbMask")->count(), 2);
    EXPECT_EQ(again->geometry(), QRect(40, 50, 700, 500));
    EXPECT_EQ(again->RecentFolders().Item(1).FullPath, dir.filePath(u("unter/")));
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

TEST_F(MainWindow, AltROpensTheCalculatorAndTheAboutWindowShowsTheVersion)
{
    auto form = Open();
    Activate(*form);
    QString opened;
    WhenModal<frmCalculator>([&opened](frmCalculator* calc) {
        opened = calc->objectName();
        calc->close();
    });
    // An access key clicks its button the way a mouse would, a moment later.
    QTest::keyClick(form.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&opened] { return !opened.isEmpty(); }, 5000));
    EXPECT_EQ(opened, u("frmCalculator"));

    QStringList shown;
    WhenModal<frmAbout>([&shown](frmAbout* about) {
        for (const char* name : {"lblVersion", "lblMail", "lblQtVersion", "lblDatabase"})
            shown << about->findChild<QLabel*>(QLatin1String(name))->text();
        about->accept();
    });
    Entry(*form, "mHelp_Info")->trigger();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0], u("Version ") + ProgramVersion());
    EXPECT_TRUE(shown[1].contains(kQuexelMailAddress));
    EXPECT_TRUE(shown[2].contains(QString::fromLatin1(qVersion())));
    EXPECT_TRUE(shown[3].contains(SettingsDatabase::configuredFilePath()));
}
