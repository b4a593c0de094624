// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"
#include "app/frmOptions.h"
#include "browser/frmMain.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/Registry.h"
#include "core/cuAppError.h"
#include "core/pOptions.h"
#include "pictures/SlidePicture.h"
#include "pictures/frmSlideshow.h"
#include "platform/SettingsDatabase.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestSettings.h"
#include "support/TestText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// The test main gives each test a settings database of its own.
class StartupTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        AppShutdown();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QStringList optionNames()
    {
        QStringList names;
        Registry().RegArrayValues(HKEY_CURRENT_USER, AppKeyPath(akOptions), names);
        names.sort(Qt::CaseInsensitive);
        return names;
    }
    static QString option(const char* name)
    {
        return AppGetSetting(akOptions, QString::fromUtf8(name));
    }

    static QAction* entry(frmMain* main, const char* name)
    {
        return main->findChild<QAction*>(QLatin1String(name));
    }
    static frmMain* mainWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* main = qobject_cast<frmMain*>(w); main && main->isVisible())
                return main;
        }
        return nullptr;
    }

    TempDir m_dir;
    ScriptedMessageBox m_boxes;
};
} // namespace

TEST_F(StartupTest, FirstStartAndFirstEndFillTheOptionsKey)
{
    Main({});
    frmMain* main = mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(optionNames(), (QStringList{u("FontSize"), u("RenameSample")}));
    EXPECT_EQ(option("RenameSample"), u("abcdefgh.ext"));
    EXPECT_EQ(option("FontSize"), u("8"));

    entry(main, "mFile_Quit")->trigger();
    EXPECT_EQ(AppOptions(), nullptr);
    EXPECT_EQ(option("MinToSysTray"), u("-1"));
    EXPECT_EQ(option("ShowFileInfo"), u("-1"));
    EXPECT_EQ(m_boxes.count(), 0);
}

TEST_F(StartupTest, OptionsAreReadWithTheirDefaults)
{
    struct Case {
        const char* stored;
        bool expected;
    };
    const Case flags[] = {{"0", false}, {"1", true}, {"-1", true}, {"abc", true}, {"", true}};
    for (const Case& c : flags) {
        AppSaveSetting(akOptions, u("MinToSysTray"), QString::fromUtf8(c.stored));
        pOptions options;
        options.Init();
        EXPECT_EQ(options.MinToSysTray, c.expected) << c.stored;
    }
    AppSaveSetting(akOptions, u("FontSize"), u("abc"));
    AppSaveSetting(akOptions, u("PicPreViewBackColor"), u("255"));
    pOptions options;
    options.Init();
    EXPECT_EQ(options.FontSize, 8);
    EXPECT_EQ(option("FontSize"), u("8"));
    EXPECT_EQ(options.PicPreViewBackColor, 255);
}

TEST_F(StartupTest, SettingsFunctionsWriteOnlyChanges)
{
    EXPECT_TRUE(AppSaveSetting(akOptions, u("RenameSample"), u("a.txt")));
    EXPECT_FALSE(AppSaveSetting(akOptions, u("RenameSample"), u("a.txt")));
    EXPECT_TRUE(AppSaveSetting(akOptions, u("RenameSample"), u("A.txt")));
    EXPECT_EQ(AppGetSetting(akOptions, u("renamesample")), u("A.txt"));
    EXPECT_FALSE(AppSaveSetting(akOptions, QString(), u("x")));

    EXPECT_EQ(AppKeyPath(akRoot), u("Software\\Quexel\\Tolvane"));
    for (qint32 bad : {13, -1}) {
        EXPECT_EQ(AppKeyPath(bad), QString());
        EXPECT_FALSE(AppSaveSetting(bad, u("x"), u("y")));
        EXPECT_EQ(AppGetSettingDefault(bad, u("x"), u("d")), u("d"));
        EXPECT_FALSE(AppKeyExists(bad));
        EXPECT_FALSE(AppValueExists(bad, u("x")));
    }
    EXPECT_EQ(AppGetSettingDefault(akPicViewer, u("Pattern"), u("bmp;jpg")), u("bmp;jpg"));
    EXPECT_TRUE(AppValueExists(akPicViewer, u("pattern")));
    EXPECT_TRUE(AppKeyExists(akPicViewer));
}

TEST_F(StartupTest, OptionsDialogChangeIsStoredAtTheEnd)
{
    Main({});
    frmMain* main = mainWindow();
    ASSERT_NE(main, nullptr);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->chkMinToSysTray->isChecked());
        dialog->chkMinToSysTray->click();
        dialog->txtEditor->setText(u(" kate --line 1 %1 "));
        dialog->cmdOK->click();
    });
    entry(main, "mExtras_Options")->trigger();
    ASSERT_NE(AppOptions(), nullptr);
    EXPECT_FALSE(AppOptions()->MinToSysTray);
    EXPECT_EQ(option("Editor"), u("kate --line 1 %1"));
    entry(main, "mFile_Quit")->trigger();
    EXPECT_EQ(option("MinToSysTray"), u("0"));
}

TEST_F(StartupTest, DamagedSettingsFileIsSetAsideAndNamed)
{
    QFile junk(TestSettings::filePath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    QByteArray bytes(8192, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 7919) ^ (i >> 3));
    junk.write(bytes);
    junk.close();
    SettingsDatabase::reopen();

    Main({});
    ASSERT_NE(mainWindow(), nullptr);
    EXPECT_EQ(option("FontSize"), u("8"));
    const QStringList aside =
        QDir(TestSettings::folder()).entryList({u("registry.db.defekt-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    ASSERT_EQ(m_boxes.count(), 1);
    EXPECT_EQ(m_boxes.shown()[0].text,
              AppErr().MsgLoad(Msg::SettingsSetAside, TestSettings::filePath(),
                               TestSettings::folder() + QLatin1Char('/') + aside.first()));
}

TEST_F(StartupTest, TheSlideshowSwitchRunsAShowAloneUntilItsWindowCloses)
{
    const QString folder = m_dir.makeDir(u("Urlaub 2024"));
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::cyan);
    picture.save(folder + u("/strand.png"));
    const QString ini =
        m_dir.writeFile(u("Urlaub 2024/show.ini"), "[Options]\nBackColor=255\nMaximize=1\n"
                                                   "[Folders]\n1=.\n2=fehlt\n");
    Main({u("/slideshow"), QLatin1Char('"') + ini + QLatin1Char('"')});
    EXPECT_EQ(mainWindow(), nullptr);
    frmSlideshow* show = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        show = w->isVisible() ? qobject_cast<frmSlideshow*>(w) : show;
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(RunsAlone());
    EXPECT_EQ(m_boxes.count(), 2) << "152 for the missing folder, then 154";
    EXPECT_TRUE(show->isMaximized());
    EXPECT_EQ(show->Image1->BackColor(), QColor(Qt::red));
    show->close();
    EXPECT_EQ(AppOptions(), nullptr) << "the run ended with its window";
    EXPECT_EQ(AppExitCode(), 0);

    // A run that opens no window ends the program: 1 unless the user said no.
    const struct {
        QStringList arguments;
        int answer;
        int code;
    } cases[] = {
        {{u("/Slideshow"), folder}, MsgResult::Cancel, 0},
        {{u("/Slideshow"), m_dir.filePath(u("fehlt.ini"))}, MsgResult::Ok, 1},
        {{u("/Slideshow"), m_dir.path()}, MsgResult::Ok, 1},
    };
    for (const auto& c : cases) {
        m_boxes.queueAnswer(c.answer);
        Main(c.arguments);
        EXPECT_EQ(AppExitCode(), c.code) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(mainWindow(), nullptr);
        AppShutdown();
    }
}
