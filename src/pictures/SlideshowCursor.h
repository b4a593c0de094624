// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Where a slideshow stands and what it does next: the sorted picture list,
// the picture the next slide shows, the slide timer (as a state the window
// mirrors into a real timer), the interval choice, the button states, the
// status text and the caption. The window only carries out what it says, so
// every rule can be driven without a screen.
//
// Two indices matter. NextIndex() is the picture the next tick shows (one
// past the picture asked for last). Shown() is the picture actually on
// screen: pictures are decoded ahead, and one that is not ready yet keeps
// the previous one on screen, so status and caption follow Shown().
class SlideshowCursor {
public:
    static constexpr qint32 kFirstSlideMs = 100;
    static constexpr int kIntervalEntries = 20; // "1" to "20" seconds
    static constexpr int kFallbackEntry = 5;    // "6"

    // What a step asks of the window.
    struct Step {
        qint32 show = -1;   // the picture to put on screen; -1: nothing changes
        bool ended = false; // the show reached its last picture: tell the user once it is shown
    };

    // Picture view: one picture, no timer, no list.
    void ShowPicture(const QString& path);
    // A slideshow of `files`, sorted ignoring case (ties by the exact name),
    // with the interval choice made from the viewer's interval; it starts
    // playing with the first slide after kFirstSlideMs. An empty list is
    // the caller's to refuse.
    void StartShow(QStringList files, qint32 viewerInterval);

    // The entry the interval list selects for a viewer interval: its whole
    // seconds from 1 to 20, otherwise kFallbackEntry.
    static int EntryFor(qint32 viewerInterval);
    // The order a show takes its pictures in.
    static void SortFiles(QStringList& files);

    bool SlideshowMode() const { return m_slideshow; }
    const QStringList& Files() const { return m_files; }
    qint32 NextIndex() const { return m_next; }
    qint32 Shown() const { return m_shown; }
    // The picture on screen is now `index` (its status and caption follow).
    void SetShown(qint32 index) { m_shown = index; }

    // The slide timer.
    bool Playing() const { return m_timerRunning; }
    qint32 TimerInterval() const { return m_timerInterval; }
    // Grows each time the timer is (re)started, so the window knows to restart its own.
    quint32 TimerStarts() const { return m_timerStarts; }

    // The interval in milliseconds, as the viewer keeps it.
    qint32 Interval() const { return m_interval; }
    // The selected entry of the interval list (0 is "1").
    int IntervalEntry() const { return m_entry; }
    // Chooses an entry; true when the interval changed (the viewer is to
    // take Interval() then).
    bool ChooseInterval(int entry);

    Step Tick(bool minimised);
    Step First(bool minimised);
    Step Previous(bool minimised);
    Step Next(bool minimised);
    Step Last(bool minimised);
    void Play();
    void Stop();

    bool CanFirst() const { return m_slideshow && m_next >= 2; }
    bool CanPrevious() const { return CanFirst(); }
    bool CanNext() const { return m_slideshow && m_next <= LastIndex(); }
    bool CanLast() const { return CanNext(); }
    bool CanPlay() const { return m_slideshow && !m_timerRunning; }
    bool CanStop() const { return m_slideshow && m_timerRunning; }

    // "3 von 10 - Playing - 5 Sek."; empty before the first picture is on screen.
    QString StatusText() const;
    // "Slideshow: PATH" or "Bild: PATH".
    QString Caption() const;
    // The path on screen (picture view: the picture); empty when none.
    QString ShownPath() const;

private:
    qint32 LastIndex() const { return qint32(m_files.size()) - 1; }
    void ImmediateStart();
    Step Navigated(bool minimised);

    QStringList m_files;
    QString m_picture;
    bool m_slideshow = false;
    qint32 m_next = 0;
    qint32 m_shown = -1;
    qint32 m_interval = 5000;
    int m_entry = kFallbackEntry;
    bool m_timerRunning = false;
    qint32 m_timerInterval = 0;
    quint32 m_timerStarts = 0;
};
