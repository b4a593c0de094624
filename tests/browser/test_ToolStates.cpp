// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "browser/DirListBox.h"
#include "browser/frmAbout.h"
#include "core/AppErrorRecord.h"
#include "core/MessageTable.h"
#include "core/ShellUtil.h"
#include "core/cuAppError.h"
#include "core/cuRecentFiles.h"
#include "dircomp/frmDirComp.h"
#include "fileinfo/frmFileInfo.h"
#include "pictures/frmSlideshow.h"
#include "platform/ShellLauncher.h"
#include "regview/frmRegView.h"
#include "rename/frmRename.h"
#include "support/StandInWine.h"
#include "support/TestText.h"

#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace {
using Kind = MainCommand::Kind;

QStringList Split(const char* names)
{
    return QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// What a window was opened on, as far as it shows it: mostly its title.
QString OpenedOn(QWidget* window)
{
    if (auto* comparison = qobject_cast<frmDirComp*>(window))
        return comparison->txtPath[0]->text();
    if (auto* rename = qobject_cast<frmRename*>(window))
        return window->windowTitle() + u(" ") + rename->txtExample->text();
    if (auto* info = qobject_cast<frmFileInfo*>(window))
        return window->windowTitle() + u(" ") + info->txtFilename->text();
    // A show's title waits for its first picture.
    if (auto* show = qobject_cast<frmSlideshow*>(window); show && show->Cursor().SlideshowMode())
        return u("Slideshow of ") + show->Cursor().Files().join(QLatin1Char(' '));
    if (auto* viewer = qobject_cast<frmRegView*>(window)) { // still reading, it would not close
        EXPECT_TRUE(QTest::qWaitFor([viewer] { return viewer->Keys() != nullptr; }, 10000));
    }
    return window->windowTitle();
}

// A folder of one file of each kind the entries care about, a user menu
// command that records what it is given, and the desktop's opener likewise.
class ToolStates : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* name : {"x.DLL", "y.exe", "t.txt"})
            dir.writeFile(QLatin1String(name), "MZ");
        dir.writeFile(u("z.reg"), "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n");
        QImage(8, 8, QImage::Format_RGB32).save(dir.filePath(u("p.jpg")));
        dir.makeDir(u("leer"));
        const QString recorder = u("\"") + u(ARG_RECORDER) + u("\" %1");
        StoreUserMenuEntry(u("Aufzeichnen"), recorder);
        AppSaveSetting(akOptions, u("Editor"), recorder);
        ShellLauncher::setOpenerProgram(u(ARG_RECORDER));
        qputenv("TOLVANE_ARG_RECORD", QFile::encodeName(record));
        form = Open();
    }
    void TearDown() override
    {
        form.reset();
        qunsetenv("TOLVANE_ARG_RECORD");
        ShellLauncher::setOpenerProgram({});
        MainWindowTest::TearDown();
    }

    // The entries of a menu a user would see, submenus walked, without the
    // menu's own prefix and without separators.
    QStringList Seen(const char* menuName) const
    {
        QStringList seen;
        const QString prefix = QLatin1String(menuName) + QLatin1Char('_');
        std::function<void(const QMenu*)> walk = [&](const QMenu* menu) {
            for (const QAction* action : menu->actions()) {
                if (action->isSeparator() || !action->isVisible())
                    continue;
                seen.append(action->objectName().mid(prefix.size()));
                if (action->menu())
                    walk(action->menu());
            }
        };
        walk(Control<QMenu>(*form, menuName));
        return seen;
    }

    // The main window as a user sees it, to tell what an entry changed there.
    // The information pane counts as shown or hidden only when its entry's
    // tick and the stored option say the same.
    QMap<QString, QString> Looks() const
    {
        const QStringList clipboard = QGuiApplication::clipboard()->text().split(u("\r\n"));
        const bool pane = Control<QWidget>(*form, "fraFileInfo")->isVisibleTo(form.get());
        const bool agree = Entry(*form, "mView_FileInfo")->isChecked() == pane &&
                           AppOptions()->ShowFileInfo == pane;
        return {{u("clipboard"), clipboard.first() + u(" +%1").arg(clipboard.size() - 1)},
                {u("files"), QString::number(form->Files()->ListCount())},
                {u("folder"), form->Files()->Path()},
                {u("mask"), form->MaskText()},
                {u("pane"), agree ? (pane ? u("shown") : u("hidden")) : u("at odds")},
                {u("selected"), form->CurrentState().selected.join(QLatin1Char(' '))},
                {u("window"), form->isVisible() && !form->isMinimized() ? u("shown") : u("gone")}};
    }

    // What an entry did: the windows it opened (closed again at once), the
    // boxes it showed, the program it started and what changed in the window;
    // "…" stands for the test's folder.
    QString Trigger(const QString& entry, bool starts)
    {
        QStringList did;
        const auto note = [&did, this](QWidget* window) {
            did << QLatin1String(window->metaObject()->className()) + u(" ") + OpenedOn(window) +
                       (window->parentWidget() == form.get() ? u("") : u(" (alone)"));
            window->close();
        };
        ScriptedMessageBox shown;
        QTimer modal;
        QObject::connect(&modal, &QTimer::timeout, [&note] {
            if (QWidget* window = QApplication::activeModalWidget())
                note(window);
        });
        QObject::connect(form.get(), &frmMain::optionsRequested, &modal,
                         [&did] { did << u("options asked for"); });
        const QList<QWidget*> before = QApplication::topLevelWidgets();
        const QMap<QString, QString> looks = Looks();
        modal.start(10);
        form->findChild<QAction*>(entry)->trigger();
        modal.stop();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && !before.contains(window))
                note(window);
        }
        for (const MessageBoxRequest& box : shown.shown())
            did << u("box %1 ").arg(box.style) + box.text;
        if (QTest::qWaitFor([this] { return QFile::exists(record); }, starts ? 10000 : 0)) {
            // Its working folder and descriptors first, then the arguments.
            for (const QByteArray& argument : TempDir::contents(record).split('\0').mid(2))
                did << u("started ") + QFile::decodeName(argument);
            QFile::remove(record);
        }
        const QMap<QString, QString> now = Looks();
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (looks.value(it.key()) != it.value())
                did << it.key() + u("=") + it.value();
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(QApplication::topLevelWidgets().size(), before.size())
            << "left behind by " << entry.toStdString();
        return did.join(u("; ")).replace(dir.path().chopped(1), u("…"));
    }

    std::unique_ptr<frmMain> form;
    TempDir out;
    const QString record = out.filePath(u("record"));
};

QString Box(int style, int message, const QVariant& argument = {}, const QVariant& second = {})
{
    return u("box %1 ").arg(style) + AppErr().MsgLoad(message, argument, second);
}
} // namespace

// Every entry of the menus, the tool bar and the context menus, run on the
// files it is offered for: each opens its window on what it was given, asks
// or tells, starts its program or changes the window; none leaves a window.
TEST_F(ToolStates, EveryEntryDoesWhatItSays)
{
    StandInWine wine;
    AppSaveSetting(akDirComp, u("SourcePath"), dir.filePath(u("leer/")));
    const auto arrives = [this] { dir.writeFile(u("t2.txt")); };
    // After a Ctrl-click the current entry (z.reg) is not selected: t.txt is the current file.
    const auto ctrlClicked = [this] {
        ClickFile(*form, u("t.txt"));
        ClickFile(*form, u("z.reg"), Qt::ControlModifier);
        ClickFile(*form, u("z.reg"), Qt::ControlModifier);
        EXPECT_EQ(form->InfoPath(), dir.filePath(u("t.txt")));
    };
    const struct {
        const char* entries;
        const char* selected;
        QString did;
        std::function<void()> before = {};
    } rows[] = {
        {"mFile_Quit kTray_Quit", "", u("window=gone")},
        {"mView_FileInfo", "", u("pane=hidden")},
        {"mExtras_Options", "", u("options asked for")},
        // Closed, the comparison keeps its source: the folder menu's comes last.
        {"mExtras_CompareDirs TB_Compare", "", u("frmDirComp …/leer/")},
        {"kDirBox_DirComp", "", u("frmDirComp …/; ") + Box(36, Msg::UseAsSourceQuestion, u("…/"))},
        {"mExtras_Calc TB_Calc", "", u("frmCalculator Rechner")},
        {"mExtras_TimeCalc TB_Calc_TimeCalc", "", u("frmTimeCalc Zeitrechner")},
        {"mExtras_InterestCalc TB_Calc_InterestCalc", "", u("frmInterestCalc Zinsrechner")},
        {"mHelp_Help", "", u("frmHelp Tolvane-Hilfe - Tolvane – Inhalt")},
        {"mHelp_Web", "", u("started ") + kQuexelWebAddress},
        {"mHelp_Info", "", u("frmAbout Info")},
        {"TB_Rename kDirBox_Rename kFileBox_Rename", "",
         u("frmRename Stapel-Umbenennen - …/*.* t.txt"), ctrlClicked},
        {"TB_SlideShow kDirBox_Slideshow", "", u("frmSlideshow Slideshow of …/p.jpg (alone)")},
        {"kFileBox_Run_PicView kPicPreView_Show", "p.jpg", u("frmSlideshow Bild: …/p.jpg (alone)")},
        {"TB_Icons kDirBox_Icons", "", u("frmIconView Icons: …/")},
        {"kDirBox_Properties", "", u("frmDirInfo Eigenschaften - …/")},
        {"kDirBox_Date", "", u("frmDatePicker Datum/Uhrzeit - …")},
        {"kDirBox_CopyPath", "", Box(64, Msg::PathCopied) + u("; clipboard=… +0")},
        {"kFileBox_Properties", "", u("frmFileInfo Eigenschaften - t.txt t.txt"), ctrlClicked},
        {"kFileBox_Properties", "t.txt z.reg", Box(64, Msg::OnlyOneFile)},
        {"kFileBox_Date", "", u("frmDatePicker Datum/Uhrzeit - t.txt"), ctrlClicked},
        {"kFileBox_CopyPath", "", Box(64, Msg::PathCopied) + u("; clipboard=…/t.txt +0"),
         ctrlClicked},
        {"kFileInfo_CopyCurrent", "", u("clipboard=…/t.txt +1"), ctrlClicked},
        {"kFileInfo_CopyAll", "", u("clipboard=…/t.txt +10"), ctrlClicked},
        {"kFileBox_Select_All", "t.txt", u("selected=p.jpg t.txt x.DLL y.exe z.reg")},
        {"kFileBox_Select_Nothing", "t.txt", u("selected=")},
        {"kFileBox_Run_Default kFileBox_Run_Editor kFileBox_Run_User_Menu_1", "",
         u("started …/t.txt"), ctrlClicked},
        {"kFileBox_Run_RegView", "z.reg", u("frmRegView RegView - …/z.reg")},
        {"kFileBox_Reg_On", "x.DLL y.exe", Box(308, Msg::RegisterManyQuestion, 2)},
        {"kFileBox_Reg_Off", "x.DLL", Box(308, Msg::UnregisterOneQuestion, u("…/x.DLL"))},
        {"kFileBox_DLLCopy", "x.DLL", Box(16, Msg::CopyNoVersionInfo, u("…/x.DLL"))},
        {"kMasks_List_0", "", u("frmMainMasks Dateimasken")},
        {"kMasks_List_3", "", u("files=1; mask=*.dll;*.ocx;*.olb;*.tlb; selected=x.DLL")},
        {"kFileBox_Refresh", "t.txt", u("files=6"), arrives},
        {"kDirBox_Refresh", "t.txt", u("files=6; selected=p.jpg"), arrives},
        {"mFile_Last_Reg_List_1", "", u("files=1; folder=…/; mask=*.DLL; selected=x.DLL"),
         [this] {
             form->RecentRegFiles().Add(dir.filePath(u("x.DLL")));
             form->OpenFolder(dir.filePath(u("leer")));
         }},
        {"mFile_Last_Folders_List_1", "", u("files=0; folder=…/leer/"),
         [this] { form->RecentFolders().Add(dir.filePath(u("leer/"))); }},
        {"kTray_Restore", "", u("window=shown"),
         [this] { form->setWindowState(Qt::WindowMinimized); }},
        {"kTray_Cancel", "", QString()}, // it only closes the menu
    };
    QStringList triggered;
    for (const auto& row : rows) {
        for (const QString& entry : Split(row.entries)) {
            triggered << entry;
            AppOptions()->ShowFileInfo = true; // a row hides it for the next start
            QFile::remove(dir.filePath(u("t2.txt")));
            form.reset();
            form = Open();
            Select(*form, Split(row.selected));
            if (row.before)
                row.before();
            const QAction* action = form->findChild<QAction*>(entry);
            ASSERT_TRUE(action && action->isVisible() && action->isEnabled())
                << entry.toStdString() << " is not offered";
            EXPECT_EQ(Trigger(entry, row.did.contains(u("started "))), row.did)
                << entry.toStdString();
        }
    }
    EXPECT_TRUE(wine.calls().isEmpty());
    // No entry is left out, each has its caption and, a list aside, its handler.
    for (const MainCommand& row : form->Commands().Rows()) {
        const std::string name = row.name.toStdString();
        if (row.kind == Kind::List) {
            EXPECT_FALSE(triggered.filter(row.name + u("_")).isEmpty()) << name;
            continue;
        }
        const QAction* action = form->findChild<QAction*>(row.name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->isSeparator(), row.kind == Kind::Separator) << name;
        if (row.kind == Kind::Separator)
            continue;
        EXPECT_EQ(action->text(), row.caption) << name;
        EXPECT_TRUE(row.kind == Kind::Menu || (row.handler && triggered.contains(row.name)))
            << name;
    }
}

// Without a file for the properties or a program to open one, before a large
// file goes to the editor and when a handler fails, the user is told; the
// window goes on.
TEST_F(ToolStates, EntriesThatCannotGoOnSayWhy)
{
    Select(*form, {});
    Entry(*form, "kFileBox_Properties")->setEnabled(true); // not offered; the handler still checks
    EXPECT_EQ(Trigger(u("kFileBox_Properties"), false), Box(64, Msg::NeedOneFile));
    ShellLauncher::setOpenerProgram(dir.filePath(u("kein-programm")));
    AppSaveSetting(akOptions, u("Editor"), u("gibt-es-nicht %1"));
    const QString why = ShellErrorText(ShellCode::NoAssociation) + u("\r\n");
    Select(*form, {u("t.txt")});
    for (const auto& [entry, advice] : {std::pair{"kFileBox_Run_Default", Msg::NoProgramForType},
                                        std::pair{"kFileBox_Run_Editor", Msg::NoEditor}}) {
        EXPECT_EQ(Trigger(u(entry), false),
                  Box(48, Msg::CannotOpenFile, u("…/t.txt"), why + AppErr().MsgLoad(advice)));
    }
    dir.writeFile(u("gross.txt"), QByteArray(2097153, 'x'));
    form->RefreshFiles();
    Select(*form, {u("gross.txt")});
    EXPECT_EQ(Trigger(u("kFileBox_Run_Editor"), false),
              u("box 292 Die Datei '…/gross.txt' hat eine Größe von 2,0 MB.\r\nTrotzdem im Editor "
                "öffnen?"));

    form->Commands().SetHandler({"kFileBox_Refresh"}, [](const CommandCall&) {
        throw AppErrorRecord(53, u("FileBoxModel: Refresh"), u("Weg."));
    });
    EXPECT_EQ(Trigger(u("kFileBox_Refresh"), false),
              u("box 16 FileBoxModel: Refresh | frmMain: kFileBox_Refresh_Click\r\n\r\nWeg."));
    EXPECT_EQ(Trigger(u("kFileBox_CopyPath"), false),
              Box(64, Msg::PathCopied) + u("; clipboard=…/gross.txt +0"));
}

// "&Öffnen" and its entries are offered for one file alone.
TEST_F(ToolStates, TheFileMenuFollowsTheSelection)
{
    const QStringList always = Split("Refresh Properties Select Select_All Select_Nothing");
    const QStringList open = Split("Run Run_Default Run_Editor Run_User Run_User_Menu_1");
    const struct {
        const char* selected;
        const char* seen; // besides those
    } cases[] = {
        {"", "Date Rename"},
        {"x.DLL", "Reg Reg_On Reg_Off Date CopyPath DLLCopy Rename"},
        {"z.reg", "Run_RegView Date CopyPath Rename"},
        {"p.jpg", "Run_PicView Date CopyPath Rename"},
        {"t.txt", "Date CopyPath Rename"},
        {"x.DLL y.exe p.jpg", "Reg Reg_On Reg_Off Date Rename"},
        {"t.txt z.reg p.jpg", "Date Rename"},
    };
    for (const auto& c : cases) {
        Select(*form, Split(c.selected));
        const QStringList offered = Split(c.selected).size() == 1 ? always + open : always;
        EXPECT_EQ(Seen("kFileBox"), offered + Split(c.seen)) << c.selected;
        const bool any = c.selected[0] != '\0';
        EXPECT_EQ(Entry(*form, "kFileBox_Properties")->isEnabled(), any) << c.selected;
        EXPECT_EQ(Entry(*form, "kFileBox_Date")->isEnabled(), any) << c.selected;
    }

    // A folder without files: nothing to rename, show or look into.
    form->OpenFolder(dir.filePath(u("leer")));
    for (const char* button : {"TB_Rename", "TB_SlideShow", "TB_Icons"})
        EXPECT_FALSE(Entry(*form, button)->isEnabled()) << button;
    EXPECT_TRUE(Entry(*form, "TB_Compare")->isEnabled());
}

// The Menu key and Shift+F10 open the menu of the control with the focus.
// The folder menu, from the keyboard on the current folder or by the mouse on
// another one (which it does not open), is prepared for that folder and acts on it.
TEST_F(ToolStates, ContextMenusOpenForWhatTheyAreAskedOn)
{
    Select(*form, {u("p.jpg")});
    auto* box = Control<DirListBox>(*form, "DirBox");
    box->setCurrentIndex(box->Model()->index(box->Model()->CurrentRow()));
    const std::pair<const char*, const char*> cases[] = {{"FileBox", "kFileBox"},
                                                         {"DirBox", "kDirBox"},
                                                         {"LVFileInfo", "kFileInfo"},
                                                         {"TN", "kPicPreView"}};
    for (const auto& [control, name] : cases) {
        for (const auto& [key, modifier] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
            QTest::keyClick(Control<QWidget>(*form, control), key, modifier);
            auto* menu = Control<QMenu>(*form, name);
            EXPECT_TRUE(menu->isVisible()) << control << " " << key;
            menu->hide();
        }
    }
    EXPECT_EQ(Seen("kDirBox"),
              Split("Refresh Properties Date CopyPath DirComp Rename Slideshow Icons"));

    const QPoint leer =
        box->visualRect(box->Model()->index(box->Model()->CurrentRow() + 1)).center();
    QTest::mousePress(box->viewport(), Qt::RightButton, {}, leer);
    QTest::mouseRelease(box->viewport(), Qt::RightButton, {}, leer);
    EXPECT_TRUE(Control<QMenu>(*form, "kDirBox")->isVisible());
    Control<QMenu>(*form, "kDirBox")->hide();
    EXPECT_EQ(Seen("kDirBox"), Split("Refresh Properties Date CopyPath DirComp"));
    EXPECT_EQ(form->Files()->Path(), dir.path());
    EXPECT_EQ(Trigger(u("kDirBox_CopyPath"), false),
              Box(64, Msg::PathCopied) + u("; clipboard=…/leer +0"));
    EXPECT_EQ(Trigger(u("kDirBox_Refresh"), false), u("files=0; folder=…/leer/; selected="));
}
