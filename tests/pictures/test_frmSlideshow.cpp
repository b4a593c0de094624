// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "pictures/SlidePicture.h"
#include "pictures/SlideStatusStrip.h"
#include "pictures/frmSlideshow.h"
#include "pictures/pPicViewer.h"
#include "support/Raised.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {
class SlideshowWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::pair<const char*, QColor> pictures[] = {
            {"a.png", Qt::red}, {"b.png", Qt::green}, {"c.png", Qt::blue}};
        for (const auto& [name, colour] : pictures) {
            QImage image(40, 20, QImage::Format_RGB32);
            image.fill(colour);
            files << dir.filePath(QLatin1String(name));
            image.save(files.last());
        }
        viewer = std::make_unique<pPicViewer>();
    }

    // A show of `shown` (all files by default), on screen, its first picture painted.
    std::unique_ptr<frmSlideshow> Show(QStringList shown = {})
    {
        auto window = std::make_unique<frmSlideshow>();
        const QStringList list = shown.isEmpty() ? files : shown;
        EXPECT_TRUE(window->pubInitForm(QString(), &list, *viewer));
        window->resize(400, 300);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->Cursor().Shown() == 0; }));
        return window;
    }

    TempDir dir;
    QStringList files;
    std::unique_ptr<pPicViewer> viewer;
    ScriptedMessageBox boxes;
};
} // namespace

TEST_F(SlideshowWindow, KeysMoveOnlyInAShowAndOnlyWhereTheirButtonCould)
{
    auto window = Show();
    EXPECT_TRUE(window->picStatus->isVisible());
    EXPECT_EQ(window->windowTitle(), u("Slideshow: ") + files[0]);
    window->picStatus->cmdStop->click();
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Left, 0},  {Qt::Key_Home, 0},
                                             {Qt::Key_Right, 1}, {Qt::Key_Left, 0},
                                             {Qt::Key_End, 2},   {Qt::Key_Right, 2}};
    for (const auto& [key, shown] : steps) {
        // Each key waits until the picture it asked for is on screen.
        QTest::keyClick(window->Image1, key);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return window->Cursor().Shown() == window->Cursor().NextIndex() - 1; }));
        EXPECT_EQ(window->Cursor().Shown(), shown) << key;
        EXPECT_EQ(window->Image1->Image().pixelColor(5, 5), QImage(files[shown]).pixelColor(5, 5));
        // The popup offers what the buttons offer.
        for (QAction* entry : window->kSlide->actions()) {
            if (entry->isSeparator())
                continue;
            const QString button = u("cmd") + entry->objectName().mid(6);
            EXPECT_EQ(entry->isEnabled(),
                      window->picStatus->findChild<QToolButton*>(button)->isEnabled())
                << entry->objectName().toStdString();
        }
    }
    ASSERT_EQ(boxes.count(), 1) << "the end of the show is told once";
    EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::SlideshowEnded));
    EXPECT_EQ(window->picStatus->txtAnzeige->text(), u("3 von 3 - Stopped - 5 Sek."));

    // Picture view: one picture, no strip, no keys.
    frmSlideshow view;
    ASSERT_TRUE(view.pubInitForm(files[1], nullptr, *viewer));
    view.show();
    QTest::keyClick(view.Image1, Qt::Key_Home);
    EXPECT_EQ(view.windowTitle(), u("Bild: ") + files[1]);
    EXPECT_FALSE(view.picStatus->isVisible());
    EXPECT_EQ(view.Image1->Image().pixelColor(5, 5), QColor(Qt::green));
}

TEST_F(SlideshowWindow, APictureThatCannotBeShownLeavesANoteAndTheShowGoesOn)
{
    const QString broken = dir.writeFile(u("b-kaputt.png"), "\x89PNG kaputt");
    auto window = Show({files[0], broken, files[2]});
    // Playing on: the note stands for its interval, then the next picture comes.
    window->picStatus->cmbInterval->setCurrentIndex(0);
    QTRY_COMPARE_WITH_TIMEOUT(window->Cursor().Shown(), 1, 3000);
    EXPECT_TRUE(window->Image1->Image().isNull());
    EXPECT_EQ(window->Image1->Note(),
              AppErr().MsgLoad(Msg::PictureNotShown, broken,
                               u("Das Dateiformat wird nicht unterstützt.")));
    EXPECT_EQ(boxes.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(window->Cursor().Shown(), 2, 3000);
    EXPECT_FALSE(window->Image1->Image().isNull());

    // In picture view the caller hears of it.
    frmSlideshow view;
    const AppErrorRecord error = Raised([&] { view.pubInitForm(broken, nullptr, *viewer); });
    EXPECT_EQ(error.Number, 481);
    EXPECT_TRUE(error.Source.endsWith(u("frmSlideshow: pubInitForm")));
    const QStringList none;
    EXPECT_FALSE(view.pubInitForm(QString(), &none, *viewer)) << "an empty list";
    EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::SlideshowNoFiles));
}

TEST_F(SlideshowWindow, TheChosenIntervalIsKeptButFullScreenIsNot)
{
    auto window = Show();
    window->AdoptViewer(std::move(viewer));
    window->picStatus->cmbInterval->setCurrentIndex(2);
    EXPECT_EQ(window->Timer1->interval(), 3000);
    EXPECT_EQ(window->picStatus->txtAnzeige->text(), u("1 von 3 - Playing - 3 Sek."));
    QTest::keyClick(window.get(), Qt::Key_F11);
    EXPECT_TRUE(window->isFullScreen());
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isFullScreen());
    QTest::keyClick(window.get(), Qt::Key_F11);
    window->close();
    EXPECT_EQ(AppGetSetting(akPicViewer, u("SlideShowInterval")), u("3000"));
    EXPECT_TRUE(AppGetSetting(akPicViewerWindow, u("Width")).isEmpty());
}
