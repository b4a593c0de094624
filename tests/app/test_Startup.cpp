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
    EXPECT_EQ(optionNames(),
              (QStringList{QStringLiteral("FontSize"), QStringLiteral("RenameSample")}));
    EXPECT_EQ(option("RenameSample"), QStringLiteral("abcdefgh.ext"));
    EXPECT_EQ(option("FontSize"), QStringLiteral("8"));

    entry(main, "mFile_Quit")->trigger();
    EXPECT_EQ(AppOptions(), nullptr);
    EXPECT_EQ(option("MinToSysTray"), QStringLiteral("-1"));
    EXPECT_EQ(option("ShowFileInfo"), QStringLiteral("-1"));
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
        AppSaveSetting(akOptions, QStringLiteral("MinToSysTray"), QString::fromUtf8(c.stored));
        pOptions options;
        options.Init();
        EXPECT_EQ(options.MinToSysTray, c.expected) << c.stored;
    }
    AppSaveSetting(akOptions, QStringLiteral("FontSize"), QStringLiteral("abc"));
    AppSaveSetting(akOptions, QStringLiteral("PicPreViewBackColor"), QStringLiteral("255"));
    pOptions options;
    options.Init();
    EXPECT_EQ(options.FontSize, 8);
    EXPECT_EQ(option("FontSize"), QStringLiteral("8"));
    EXPECT_EQ(options.PicPreViewBackColor, 255);
}

TEST_F(StartupTest, SettingsFunctionsWriteOnlyChanges)
{
    EXPECT_TRUE(AppSaveSetting(akOptions, QStringLiteral("RenameSample"), QStringLiteral("a.txt")));
    EXPECT_FALSE(
        AppSaveSetting(akOptions, QStringLiteral("RenameSample"), QStringLiteral("a.txt")));
    EXPECT_TRUE(AppSaveSetting(akOptions, QStringLiteral("RenameSample"), QStringLiteral("A.txt")));
    EXPECT_EQ(AppGetSetting(akOptions, QStringLiteral("renamesample")), QStringLiteral("A.txt"));
    EXPECT_FALSE(AppSaveSetting(akOptions, QString(), QStringLiteral("x")));

    EXPECT_EQ(AppKeyPath(akRoot), QStringLiteral("Software\\Quexel\\Tolvane"));
    for (qint32 bad : {13, -1}) {
        EXPECT_EQ(AppKeyPath(bad), QString());
        EXPECT_FALSE(AppSaveSetting(bad, QStringLiteral("x"), QStringLiteral("y")));
        EXPECT_EQ(AppGetSettingDefault(bad, QStringLiteral("x"), QStringLiteral("d")),
                  QStringLiteral("d"));
        EXPECT_FALSE(AppKeyExists(bad));
        EXPECT_FALSE(AppValueExists(bad, QStringLiteral("x")));
    }
    EXPECT_EQ(
        AppGetSettingDefault(akPicViewer, QStringLiteral("Pattern"), QStringLiteral("bmp;jpg")),
        QStringLiteral("bmp;jpg"));
    EXPECT_TRUE(AppValueExists(akPicViewer, QStringLiteral("pattern")));
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
        dialog->txtEditor->setText(QStringLiteral(" kate --line 1 %1 "));
        dialog->cmdOK->click();
    });
    entry(main, "mExtras_Options")->trigger();
    ASSERT_NE(AppOptions(), nullptr);
    EXPECT_FALSE(AppOptions()->MinToSysTray);
    EXPECT_EQ(option("Editor"), QStringLiteral("kate --line 1 %1"));
    entry(main, "mFile_Quit")->trigger();
    EXPECT_EQ(option("MinToSysTray"), QStringLiteral("0"));
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
    EXPECT_EQ(option("FontSize"), QStringLiteral("8"));
    const QStringList aside = QDir(TestSettings::folder())
                                  .entryList({QStringLiteral("registry.db.defekt-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    ASSERT_EQ(m_boxes.count(), 1);
    EXPECT_EQ(m_boxes.shown()[0].text,
              AppErr().MsgLoad(Msg::SettingsSetAside, TestSettings::filePath(),
                               TestSettings::folder() + QLatin1Char('/') + aside.first()));
}

TEST_F(StartupTest, TheSlideshowSwitchRunsAShowAloneUntilItsWindowCloses)
{
    const QString folder = m_dir.makeDir(QStringLiteral("Urlaub 2024"));
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::cyan);
    picture.save(folder + QStringLiteral("/strand.png"));
    const QString ini = m_dir.writeFile(QStringLiteral("Urlaub 2024/show.ini"),
                                        "[Options]\nBackColor=255\nMaximize=1\n"
                                        "[Folders]\n1=.\n2=fehlt\n");
    Main({QStringLiteral("/slideshow"), QLatin1Char('"') + ini + QLatin1Char('"')});
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
        {{QStringLiteral("/Slideshow"), folder}, MsgResult::Cancel, 0},
        {{QStringLiteral("/Slideshow"), m_dir.filePath(QStringLiteral("fehlt.ini"))},
         MsgResult::Ok,
         1},
        {{QStringLiteral("/Slideshow"), m_dir.path()}, MsgResult::Ok, 1},
    };
    for (const auto& c : cases) {
        m_boxes.queueAnswer(c.answer);
        Main(c.arguments);
        EXPECT_EQ(AppExitCode(), c.code) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(mainWindow(), nullptr);
        AppShutdown();
    }
}
