// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"
#include "core/WidgetPlacement.h"
#include "core/cuFormPositioner.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
// A real top-level window on the test platform's screen; positions in twips, 15 to a pixel.
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
    void Store(std::initializer_list<std::pair<const char*, QString>> values)
    {
        for (const auto& [name, value] : values)
            Registry().RegSaveSettingString(HKEY_CURRENT_USER, key, QLatin1String(name), value);
    }
    QString Stored(const char* name) const
    {
        return Registry().RegGetSettingString(HKEY_CURRENT_USER, key, QLatin1String(name),
                                              QStringLiteral("<missing>"));
    }
    void Load(qint32 minWidth = 0, qint32 minHeight = 0, WidgetPlacement* form = nullptr)
    {
        cuFormPositioner positioner;
        positioner.AutoSave = false;
        positioner.SetForm(form ? form : &placement);
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

TEST_F(FormPositioner, FirstOpeningCentresOffDesktopComesBackOversizeFitsTheScreen)
{
    Load();
    EXPECT_EQ(window.size(), QSize(400, 300));
    EXPECT_EQ(window.pos(), QPoint((screen.width() - 400) / 2, (screen.height() - 300) / 2));

    // Positions off the desktop come back.
    Store({{"Left", QStringLiteral("-500")},
           {"Top", Twips(screen.height() * 2)},
           {"Width", Twips(300)},
           {"Height", Twips(200)}});
    Load();
    EXPECT_EQ(window.geometry(), QRect(0, 0, 300, 200));
    // A window reaching past the right edge is moved back onto the desktop.
    Store({{"Left", Twips(screen.width() - 100)}, {"Top", Twips(10)}});
    Load();
    EXPECT_EQ(window.geometry(), QRect(screen.width() - 300, 10, 300, 200));

    // Oversize becomes the screen, small sizes the minimum.
    Store({{"Width", Twips(screen.width() * 3)},
           {"Height", Twips(screen.height() * 3)},
           {"Left", QStringLiteral("0")},
           {"Top", QStringLiteral("0")}});
    Load();
    EXPECT_EQ(window.size(), screen.size());
    Store({{"Width", QStringLiteral("100")}, {"Height", QStringLiteral("100")}});
    Load(1500, 3000);
    EXPECT_EQ(window.size(), QSize(100, 200));
}

TEST_F(FormPositioner, MinimisedStoresNothingMaximisedOnlyTheFlagAutoSaveWhenReleased)
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
    Load(0, 0, &nextPlacement);
    EXPECT_TRUE(next.windowState().testFlag(Qt::WindowMaximized));

    // Released, it saves on its own.
    window.setWindowState(Qt::WindowNoState);
    window.setGeometry(5, 6, 310, 210);
    {
        cuFormPositioner autoSaving;
        autoSaving.SetForm(&placement);
        autoSaving.RegKey = key;
    }
    EXPECT_EQ(Stored("Height"), Twips(210));
}
