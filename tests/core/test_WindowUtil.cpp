// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/ColorValue.h"
#include "core/LibError.h"
#include "core/WindowUtil.h"
#include "core/cuAppError.h"

#include "support/Raised.h"
#include "support/TestText.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {
const QString kLong = u("/home/eva/Dokumente/Projekte/2024/Berichte/Jahresbericht.txt");

class NoScrollbars : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        return metric == PM_ScrollBarExtent ? 0 : QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStringList visibleCaptions(const QMenu& menu)
{
    QStringList shown;
    for (const QAction* action : menu.actions())
        if (action->isVisible())
            shown << (action->isSeparator() ? u("-") : action->text());
    return shown;
}
} // namespace

TEST(ShortenPathToWidth, DropsMiddleFoldersUntilThePathFitsLabelsAndTextBoxesOnly)
{
    QLabel label;
    label.resize(label.fontMetrics().horizontalAdvance(u("/home/eva/.../Jahresbericht.txtMMMM")),
                 20);
    const QString shortened = ShortenPathToWidth(kLong, &label);
    EXPECT_TRUE(shortened.startsWith(u("/home/"))) << shortened.toStdString();
    EXPECT_TRUE(shortened.endsWith(u("/.../Jahresbericht.txt"))) << shortened.toStdString();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(shortened), label.contentsRect().width());

    // What fits stays; nothing fits: the shortest form; a folder keeps its own name.
    label.resize(label.fontMetrics().horizontalAdvance(kLong) + 10, 20);
    EXPECT_EQ(ShortenPathToWidth(kLong, &label), kLong);
    label.resize(10, 20);
    EXPECT_EQ(ShortenPathToWidth(kLong, &label), u("/.../Jahresbericht.txt"));
    EXPECT_EQ(ShortenPathToWidth(u("ohneOrdner.txt"), &label), u("ohneOrdner.txt"));
    EXPECT_EQ(ShortenPathToWidth(u("/home/eva/tief/noch tiefer/"), &label), u("/.../noch tiefer/"));

    QLineEdit edit;
    edit.resize(120, 24);
    EXPECT_TRUE(ShortenPathToWidth(kLong, &edit).contains(u("/.../")));
    QPushButton button;
    button.resize(10, 10);
    EXPECT_EQ(ShortenPathToWidth(kLong, &button), kLong);
    EXPECT_EQ(ShortenPathToWidth(kLong, nullptr), kLong);
}

TEST(TidyMenuSeparators, OnlyBetweenVisibleItems)
{
    QMenu menu;
    for (const char* item : {"Öffnen", "-", "-", "Drucken", "-"})
        *item == '-' ? menu.addSeparator() : menu.addAction(u(item));
    EXPECT_TRUE(TidyMenuSeparators(&menu));
    EXPECT_EQ(visibleCaptions(menu), (QStringList{u("Öffnen"), u("-"), u("Drucken")}));

    // Hidden items take their separators with them; a hidden separator comes back.
    QMenu run;
    QAction* first = run.addAction(u("Standard"));
    run.addSeparator();
    QAction* user = run.addMenu(u("Benutzerdefiniert"))->menuAction();
    run.addSeparator();
    run.addAction(u("Bild anzeigen"))->setVisible(false);
    first->setVisible(false);
    EXPECT_TRUE(TidyMenuSeparators(&run));
    EXPECT_EQ(visibleCaptions(run), QStringList{u("Benutzerdefiniert")});
    first->setVisible(true);
    TidyMenuSeparators(&run);
    EXPECT_EQ(visibleCaptions(run), (QStringList{u("Standard"), u("-"), u("Benutzerdefiniert")}));

    user->setVisible(false);
    first->setVisible(false);
    EXPECT_FALSE(TidyMenuSeparators(&run));
    EXPECT_TRUE(visibleCaptions(run).isEmpty());
    EXPECT_FALSE(TidyMenuSeparators(nullptr));
}

TEST(DrawEtchedLine, DarkAboveLight)
{
    QPalette palette;
    palette.setColor(QPalette::Dark, Qt::darkGray);
    palette.setColor(QPalette::Light, Qt::white);
    QImage image(12, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    DrawEtchedLine(painter, image.width(), palette);
    painter.end();
    for (int x : {0, 5, 11}) {
        EXPECT_EQ(image.pixelColor(x, 0), QColor(Qt::darkGray)) << x;
        EXPECT_EQ(image.pixelColor(x, 1), QColor(Qt::white)) << x;
        EXPECT_EQ(image.pixelColor(x, 2), QColor(Qt::red)) << x;
    }
}

TEST(GetScrollbarSize, AStyleWithoutScrollBarsRaisesLibraryError3)
{
    EXPECT_GT(GetScrollbarSize(true, false), 0);
    NoScrollbars style;
    const AppErrorRecord e = Raised([&] { GetScrollbarSize(true, false, &style); });
    EXPECT_EQ(e.Number, 1024 + cuAppError::ErrorBase + 3);
    EXPECT_EQ(e.Source, u("mQXLib: GetScrollbarSize"));
    EXPECT_EQ(e.Description, LibMessage(3));
}

TEST(ColorValue, RedInTheLowByteAndSystemColoursFromThePalette)
{
    EXPECT_EQ(ColorFromValue(0x0000FFu), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromValue(0xFF8000u), QColor(0, 0x80, 0xFF));
    EXPECT_EQ(ValueFromColor(QColor(1, 2, 3)), 0x030201u);
    QPalette palette;
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x81));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    EXPECT_EQ(ColorFromValue(0x80000011u, palette), QColor(0x80, 0x80, 0x81)); // grey text
    EXPECT_EQ(ColorFromValue(0x8000000Fu, palette), QColor(10, 20, 30));       // button face
}
