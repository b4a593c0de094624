// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "pictures/frmSlideshow.h"

#include <QApplication>
#include <QImage>

namespace {
class SlideshowCommands : public MainWindowTest {
protected:
    void TearDown() override
    {
        for (frmSlideshow* window : Opened())
            window->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MainWindowTest::TearDown();
    }

    static QList<frmSlideshow*> Opened()
    {
        QList<frmSlideshow*> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<frmSlideshow*>(w); window && window->isVisible())
                windows.append(window);
        }
        return windows;
    }
};
} // namespace

TEST_F(SlideshowCommands, PicturesOpenInWindowsOfTheirOwn)
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    picture.save(dir.filePath(QStringLiteral("p.jpg")));
    dir.writeFile(QStringLiteral("t.txt"), "Text");
    auto form = Open();
    ClickFile(*form, QStringLiteral("p.jpg"));
    const QString path = dir.filePath(QStringLiteral("p.jpg"));
    const struct {
        const char* entry;
        QString title;
    } cases[] = {
        {"kFileBox_Run_PicView", QStringLiteral("Bild: ") + path},
        {"kPicPreView_Show", QStringLiteral("Bild: ") + path},
        {"TB_SlideShow", QStringLiteral("Slideshow:")},
        {"kDirBox_Slideshow", QStringLiteral("Slideshow:")},
    };
    for (const auto& c : cases) {
        Entry(*form, c.entry)->trigger();
        const QList<frmSlideshow*> windows = Opened();
        ASSERT_EQ(windows.size(), 1) << c.entry;
        EXPECT_EQ(windows.first()->windowTitle(), c.title) << c.entry;
        EXPECT_EQ(windows.first()->parentWidget(), nullptr) << c.entry;
        windows.first()->close();
    }
    EXPECT_EQ(boxes.count(), 0);

    // A folder whose files the picture masks do not match.
    AppSaveSetting(akPicViewer, QStringLiteral("Pattern"), QStringLiteral("png"));
    auto other = Open();
    HandlerRunner runner(QStringLiteral("frmMain"));
    ToolState state;
    state.folder = dir.path();
    other->Commands().Run(QStringLiteral("kDirBox_Slideshow"), runner, {*other, state, 0});
    EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::NoMatchingFiles, dir.path()));
    EXPECT_TRUE(Opened().isEmpty());
}
