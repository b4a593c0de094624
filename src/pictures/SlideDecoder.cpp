// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/SlideDecoder.h"

#include "pictures/SlideFit.h"

#include <QSet>

#include <atomic>

#include <condition_variable>
#include <mutex>
#include <thread>

struct SlideDecoder::Job {
    quint64 generation = 0;
    qint32 index = -1;
    QString path;
    QSize inner;
    int strip = 0;
    double ratio = 1.0;
};

// The thread and what it shares with the window thread. Jobs wait in
// `queue`; a job taken stays in `busy` until its result has reached the
// window thread, so it is not asked for twice meanwhile. The job under way
// is `current`; setting `cancel` makes its decode give up early.
class SlideDecoder::Worker {
public:
    explicit Worker(SlideDecoder* owner) : m_owner(owner)
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~Worker()
    {
        {
            std::lock_guard lock(mutex);
            stop = true;
            cancel = true;
            queue.clear();
        }
        wake.notify_all();
        m_thread.join();
    }

    static quint64 Key(quint64 generation, qint32 index)
    {
        return (generation << 32) ^ quint32(index);
    }

    std::mutex mutex;
    std::condition_variable wake;
    QList<Job> queue;
    QSet<quint64> busy;
    quint64 current = 0;
    bool working = false;
    std::atomic<bool> cancel{false};
    bool stop = false;

private:
    void Run()
    {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [this] { return stop || !queue.isEmpty(); });
                if (stop)
                    return;
                job = queue.takeFirst();
                current = Key(job.generation, job.index);
                busy.insert(current);
                working = true;
                cancel = false;
            }
            const LoadedPicture picture = PictureLoader::Decode(
                job.path,
                [&job](const QSize& natural) {
                    const QSize fitted = SlideFit(job.inner, job.strip, natural).size();
                    return SlideDecodeSize(natural, fitted, job.ratio);
                },
                &cancel);
            bool cancelled = false;
            {
                std::lock_guard lock(mutex);
                working = false;
                cancelled = cancel.load();
            }
            // Dropped by Qt if the owner is gone by the time it would run.
            QMetaObject::invokeMethod(
                m_owner,
                [owner = m_owner, generation = job.generation, index = job.index, picture,
                 cancelled] { owner->Arrived(generation, index, picture, cancelled); },
                Qt::QueuedConnection);
        }
    }

    SlideDecoder* const m_owner;
    std::thread m_thread;
};

SlideDecoder::SlideDecoder(QObject* parent)
    : QObject(parent), m_worker(std::make_shared<Worker>(this))
{
}

SlideDecoder::~SlideDecoder()
{
    m_worker.reset(); // waits for a decode under way
}

void SlideDecoder::SetFiles(const QStringList& files)
{
    m_files = files;
    ++m_generation;
    m_ready.clear();
    m_wanted.clear();
    Queue();
}

QSize SlideDecoder::DecodeSizeFor(const QSize& natural) const
{
    return SlideDecodeSize(natural, SlideFit(m_inner, m_strip, natural).size(), m_ratio);
}

void SlideDecoder::SetGeometry(const QSize& inner, int stripHeight, double devicePixelRatio)
{
    if (inner == m_inner && stripHeight == m_strip && devicePixelRatio == m_ratio)
        return;
    m_inner = inner;
    m_strip = stripHeight;
    m_ratio = devicePixelRatio;
    ++m_generation;
    // A picture already decoded at the size the new fit needs is kept;
    // failures stay failures.
    for (auto it = m_ready.begin(); it != m_ready.end();) {
        const LoadedPicture& picture = it.value();
        const bool keep =
            picture.isNull() || picture.image.size() == DecodeSizeFor(picture.naturalSize);
        it = keep ? std::next(it) : m_ready.erase(it);
    }
    Queue();
}

void SlideDecoder::Want(const QList<qint32>& indices)
{
    m_wanted.clear();
    for (qint32 index : indices) {
        if (index >= 0 && index < m_files.size() && !m_wanted.contains(index))
            m_wanted.append(index);
    }
    for (auto it = m_ready.begin(); it != m_ready.end();)
        it = m_wanted.contains(it.key()) ? std::next(it) : m_ready.erase(it);
    Queue();
}

const LoadedPicture* SlideDecoder::Ready(qint32 index) const
{
    const auto it = m_ready.constFind(index);
    return it == m_ready.cend() ? nullptr : &it.value();
}

void SlideDecoder::Adopt(qint32 index, const LoadedPicture& picture)
{
    if (index < 0 || index >= m_files.size())
        return;
    if (!m_wanted.contains(index))
        m_wanted.prepend(index);
    m_ready.insert(index, picture);
    Queue();
}

void SlideDecoder::Queue()
{
    QList<Job> jobs;
    const bool roomToFit = m_inner.width() > 0 && m_inner.height() - m_strip > 0;
    if (roomToFit) {
        for (qint32 index : std::as_const(m_wanted)) {
            if (!m_ready.contains(index))
                jobs.append(Job{m_generation, index, m_files.at(index), m_inner, m_strip, m_ratio});
        }
    }
    {
        std::lock_guard lock(m_worker->mutex);
        m_worker->queue.clear();
        bool currentWanted = false;
        for (const Job& job : std::as_const(jobs)) {
            const quint64 key = Worker::Key(job.generation, job.index);
            currentWanted = currentWanted || key == m_worker->current;
            if (!m_worker->busy.contains(key))
                m_worker->queue.append(job);
        }
        // A picture nobody wants any more must not hold up the one wanted now.
        if (m_worker->working && !currentWanted)
            m_worker->cancel = true;
    }
    m_worker->wake.notify_all();
}

void SlideDecoder::Arrived(quint64 generation, qint32 index, const LoadedPicture& picture,
                           bool cancelled)
{
    {
        std::lock_guard lock(m_worker->mutex);
        m_worker->busy.remove(Worker::Key(generation, index));
    }
    if (cancelled) {
        // Wanted again meanwhile: asked for anew.
        Queue();
        return;
    }
    if (generation != m_generation || !m_wanted.contains(index) || m_ready.contains(index))
        return;
    m_ready.insert(index, picture);
    Q_EMIT Decoded(index);
}
