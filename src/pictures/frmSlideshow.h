// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/SlideshowCursor.h"

#include <QWidget>

#include <functional>
#include <memory>

class QMenu;
class QTimer;
class SlideDecoder;
class SlidePicture;
class SlideStatusStrip;
class WidgetPlacement;
class cuFormPositioner;
class pPicViewer;
struct LoadedPicture;

// Shows pictures one at a time, fitted to the window: one picture (picture
// view), or a list that advances on a timer (slideshow) with first,
// previous, next, last, play and stop, an interval choice, a popup menu and
// the keys Home, Left, Right and End. F11 toggles full screen, Escape leaves
// it. The rules are SlideshowCursor's; pictures are decoded ahead on a
// thread of their own (SlideDecoder), so the window never waits for one: a
// picture not ready yet leaves the one before it on screen until it is.
class frmSlideshow : public QWidget {
    Q_OBJECT
public:
    explicit frmSlideshow(QWidget* owner = nullptr);
    ~frmSlideshow() override;

    // Called before the window is shown, which the caller does only on
    // true. With `startFile` the picture view of that file (a picture that
    // cannot be shown raises); without it a slideshow of `files`, which
    // starts playing (none: message 153 and false). The viewer gives the
    // back colour and the interval and takes a new interval; it must
    // outlive the window unless the window adopts it.
    bool pubInitForm(const QString& startFile, const QStringList* files, pPicViewer& viewer);
    // A command-line run's viewer ends with the window, storing the interval.
    void AdoptViewer(std::unique_ptr<pPicViewer> viewer);

    const SlideshowCursor& Cursor() const { return m_cursor; }
    // The picture is decoded and waits to be shown.
    bool PictureReady(qint32 index) const;

    SlidePicture* Image1 = nullptr;
    SlideStatusStrip* picStatus = nullptr;
    QMenu* kSlide = nullptr;
    QTimer* Timer1 = nullptr;

Q_SIGNALS:
    // The window unloads while it runs alone: the run ends with it.
    void shutdownRequested();
    // The picture (or the note in its place) with this index is painted.
    void picturePainted(qint32 index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Move = SlideshowCursor::Step (SlideshowCursor::*)(bool);
    void Form_Load();
    void BuildPopup();
    void Run(const char* procedure, const std::function<void()>& action);
    void Navigate(const char* procedure, Move move);
    void Timer1_Timer();
    void Play();
    void Stop();
    void cmbInterval_Click(int entry);
    void Request(const SlideshowCursor::Step& step);
    void Decoded(qint32 index);
    void Display(qint32 index, const LoadedPicture& picture);
    void UpdateControls();
    void SyncTimer();
    void LayoutStrip();
    bool HandleKey(int key);
    bool Minimised() const;
    int StripHeight() const;

    SlideshowCursor m_cursor;
    pPicViewer* m_viewer = nullptr;
    std::unique_ptr<pPicViewer> m_ownViewer;
    SlideDecoder* m_decoder = nullptr;
    std::unique_ptr<WidgetPlacement> m_placement;
    std::unique_ptr<cuFormPositioner> m_positioner;
    QList<QAction*> m_popupEntries; // first, previous, next, last, play, stop
    qint32 m_pending = -1;          // asked for, not on screen yet
    qint32 m_endsAt = -1;           // the show ended with this picture: say so once it is shown
    bool m_late = false;            // the picture asked for was not ready at once
    bool m_closed = false;
    quint32 m_timerStarts = 0;
};
