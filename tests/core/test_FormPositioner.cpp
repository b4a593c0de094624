// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"
#include "core/WidgetPlacement.h"
#include "core/cuFormPositioner.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
// A real top-level window on the test platform's screen; positions in twips
// at its 15 twips per pixel.
class FormPositioner : public ::testing::Test {
protected:
    void SetUp() override
    {
        key = QStringLiteral("Software\\Quexel\\Tolvane\\Test\\Positioner\\") +
              QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
        window.resize(400, 300);
        screen = QGuiApplication::primaryScreen()->geometry();
        tpp = placement.TwipsPerPixel();
    }
    void Store(const char* name, const QString& value)
    {
        Registry().RegSaveSettingString(HKEY_CURRENT_USER, key, QLatin1String(name), value);
    }
    QString Stored(const char* name) const
    {
        return Registry().RegGetSettingString(HKEY_CURRENT_USER, key, QLatin1String(name),
                                              QStringLiteral("<missing>"));
    }
    void Load(qint32 minWidth = 0, qint32 minHeight = 0)
    {
        cuFormPositioner positioner;
        positioner.AutoSave = false;
        positioner.SetForm(&placement);
        positioner.RegKey = key;
        positioner.SetMinWidth(minWidth);
        positioner.SetMinHeight(minHeight);
        positioner.LoadPosition();
    }
    QString Twips(int pixels) const { return QString::number(qRound(pixels * tpp)); }

    QWidget window;
    WidgetPlacement placement{&window};
    QString key;
    QRect screen;
    double tpp = 15;
};
} // namespace

TEST_F(FormPositioner, FirstOpeningKeepsTheSizeAndCentres)
{
    Load();
    EXPECT_EQ(window.size(), QSize(400, 300));
    EXPECT_EQ(window.pos(), QPoint((screen.width() - 400) / 2, (screen.height() - 300) / 2));
}

TEST_F(FormPositioner, PositionsOffTheDesktopComeBack)
{
    Store("Left", QStringLiteral("-500"));
    Store("Top", Twips(screen.height() * 2));
    Store("Width", Twips(300));
    Store("Height", Twips(200));
    Load();
    EXPECT_EQ(window.geometry(), QRect(0, 0, 300, 200));
    // A window reaching past the right edge is moved back onto the desktop.
    Store("Left", Twips(screen.width() - 100));
    Store("Top", Twips(10));
    Load();
    EXPECT_EQ(window.geometry(), QRect(screen.width() - 300, 10, 300, 200));
}

TEST_F(FormPositioner, OversizeBecomesTheScreenAndSmallSizesTheMinimum)
{
    Store("Width", Twips(screen.width() * 3));
    Store("Height", Twips(screen.height() * 3));
    Store("Left", QStringLiteral("0"));
    Store("Top", QStringLiteral("0"));
    Load();
    EXPECT_EQ(window.size(), screen.size());
    Store("Width", QStringLiteral("100"));
    Store("Height", QStringLiteral("100"));
    Load(1500, 3000);
    EXPECT_EQ(window.size(), QSize(100, 200));
}

TEST_F(FormPositioner, MinimisedStoresNothingMaximisedOnlyTheFlag)
{
    window.setGeometry(20, 30, 300, 200);
    cuFormPositioner positioner;
    positioner.SetForm(&placement);
    positioner.RegKey = key;
    positioner.SavePosition();
    EXPECT_EQ(Stored("Maximized"), QStringLiteral("0"));
    EXPECT_EQ(Stored("Left"), Twips(20));
    EXPECT_EQ(Stored("Width"), Twips(300));

    window.setWindowState(Qt::WindowMinimized);
    window.setGeometry(0, 0, 123, 123);
    positioner.SavePosition();
    EXPECT_EQ(Stored("Width"), Twips(300));

    window.setWindowState(Qt::WindowMaximized);
    positioner.SavePosition();
    EXPECT_EQ(Stored("Maximized"), QStringLiteral("1"));
    EXPECT_EQ(Stored("Width"), Twips(300));

    QWidget next;
    WidgetPlacement nextPlacement(&next);
    cuFormPositioner loader;
    loader.SetForm(&nextPlacement);
    loader.RegKey = key;
    loader.AutoSave = false;
    loader.LoadPosition();
    EXPECT_TRUE(next.windowState().testFlag(Qt::WindowMaximized));
}

TEST_F(FormPositioner, AutoSaveWritesWhenReleased)
{
    window.setGeometry(5, 6, 310, 210);
    {
        cuFormPositioner positioner;
        positioner.SetForm(&placement);
        positioner.RegKey = key;
    }
    EXPECT_EQ(Stored("Height"), Twips(210));
}
