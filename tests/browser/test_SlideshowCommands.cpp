// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "pictures/frmSlideshow.h"

#include <QApplication>
#include <QImage>

namespace {
QList<frmSlideshow*> Opened()
{
    QList<frmSlideshow*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<frmSlideshow*>(w); window && window->isVisible())
            windows.append(window);
    }
    return windows;
}
} // namespace

TEST_F(MainWindowTest, PicturesOpenInWindowsOfTheirOwn)
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    picture.save(dir.filePath(QStringLiteral("p.jpg")));
    dir.writeFile(QStringLiteral("t.txt"), "Text");
    auto form = Open();
    ClickFile(*form, QStringLiteral("p.jpg"));
    const QString path = dir.filePath(QStringLiteral("p.jpg"));
    // The picture alone, or a show of the folder's pictures (the text file is none).
    for (const char* entry :
         {"kFileBox_Run_PicView", "kPicPreView_Show", "TB_SlideShow", "kDirBox_Slideshow"}) {
        Entry(*form, entry)->trigger();
        const QList<frmSlideshow*> windows = Opened();
        ASSERT_EQ(windows.size(), 1) << entry;
        const bool show = windows.first()->Cursor().SlideshowMode();
        EXPECT_EQ(show, QByteArray(entry).contains("Slide")) << entry;
        EXPECT_EQ(show ? windows.first()->Cursor().Files().join(' ')
                       : windows.first()->windowTitle(),
                  show ? path : QStringLiteral("Bild: ") + path)
            << entry;
        EXPECT_EQ(windows.first()->parentWidget(), nullptr) << entry;
        windows.first()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(boxes.count(), 0);
}
