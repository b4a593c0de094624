// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/SlideshowCursor.h"

#include "core/AppGlobals.h"
#include "core/FolderListing.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"

#include <algorithm>

void SlideshowCursor::ShowPicture(const QString& path)
{
    *this = SlideshowCursor();
    m_picture = path;
}

void SlideshowCursor::StartShow(QStringList files, qint32 viewerInterval)
{
    *this = SlideshowCursor();
    m_slideshow = true;
    m_files = std::move(files);
    SortFiles(m_files);
    m_interval = viewerInterval;
    ChooseInterval(EntryFor(viewerInterval));
    ImmediateStart();
}

int SlideshowCursor::EntryFor(qint32 viewerInterval)
{
    const bool wholeSeconds = viewerInterval % 1000 == 0 && viewerInterval / 1000 >= 1 &&
                              viewerInterval / 1000 <= kIntervalEntries;
    return wholeSeconds ? viewerInterval / 1000 - 1 : kFallbackEntry;
}

void SlideshowCursor::SortFiles(QStringList& files)
{
    FolderListing::SortNames(files);
}

bool SlideshowCursor::ChooseInterval(int entry)
{
    if (entry < 0 || entry >= kIntervalEntries)
        return false;
    m_entry = entry;
    const qint32 ms = (entry + 1) * 1000;
    if (ms == m_interval)
        return false;
    m_interval = ms;
    m_timerInterval = ms;
    return true;
}

void SlideshowCursor::ImmediateStart()
{
    m_timerRunning = true;
    m_timerInterval = kFirstSlideMs;
    ++m_timerStarts;
}

SlideshowCursor::Step SlideshowCursor::Tick(bool minimised)
{
    if (!m_slideshow)
        return {};
    if (m_timerInterval == kFirstSlideMs)
        m_timerInterval = m_interval;
    if (minimised || m_next < 0 || m_next > LastIndex())
        return {};
    Step step;
    step.show = m_next++;
    if (m_next > LastIndex()) {
        m_timerRunning = false;
        step.ended = true;
    }
    return step;
}

SlideshowCursor::Step SlideshowCursor::Navigated(bool minimised)
{
    if (m_timerRunning) {
        ImmediateStart();
        return {};
    }
    return Tick(minimised);
}

SlideshowCursor::Step SlideshowCursor::First(bool minimised)
{
    if (!m_slideshow)
        return {};
    m_next = 0;
    return Navigated(minimised);
}

SlideshowCursor::Step SlideshowCursor::Previous(bool minimised)
{
    if (!m_slideshow || m_next < 2)
        return {};
    m_next -= 2;
    return Navigated(minimised);
}

SlideshowCursor::Step SlideshowCursor::Next(bool minimised)
{
    if (!m_slideshow || m_next > LastIndex())
        return {};
    return Navigated(minimised);
}

SlideshowCursor::Step SlideshowCursor::Last(bool minimised)
{
    if (!m_slideshow || m_files.isEmpty())
        return {};
    m_next = LastIndex();
    return Navigated(minimised);
}

void SlideshowCursor::Play()
{
    if (!m_slideshow)
        return;
    if (m_next > LastIndex())
        m_next = 0;
    ImmediateStart();
}

void SlideshowCursor::Stop()
{
    m_timerRunning = false;
}

QString SlideshowCursor::StatusText() const
{
    if (!m_slideshow || m_shown < 0)
        return {};
    const qint32 total = qint32(m_files.size());
    return QStringLiteral("%1 von %2 - %3 - %4 Sek.")
        .arg(std::min(m_shown + 1, total))
        .arg(total)
        .arg(m_timerRunning ? QStringLiteral("Playing") : QStringLiteral("Stopped"))
        .arg(m_interval / 1000.0);
}

QString SlideshowCursor::ShownPath() const
{
    if (!m_slideshow)
        return m_picture;
    return m_shown >= 0 && m_shown <= LastIndex() ? m_files.at(m_shown) : QString();
}

QString SlideshowCursor::Caption() const
{
    const QString label = AppErr().MsgLoad(m_slideshow ? Msg::SlideshowLabel : Msg::PictureLabel);
    const QString path = ShownPath();
    return path.isEmpty() ? label : label + QLatin1Char(' ') + DisplayFileName(path);
}
