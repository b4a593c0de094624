// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/PictureLoader.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSize>
#include <QStringList>

#include <memory>

// Decodes the slideshow's pictures ahead on a thread of its own, each at the
// size the window fits it to. The window says which pictures it wants, most
// urgent first (the one to show, then its neighbours); only those are kept,
// so at most that many screen-size pictures are held. A result that nobody
// wants any more when it arrives (the show moved on, the window was resized)
// is dropped, and a decode under way that is no longer wanted gives up
// early. Everything but the decoding itself happens on the window thread;
// closing waits for a decode already under way.
//
// A dedicated thread rather than a JobRunner job: the wishes change with
// every key press while a decode runs, and the window must never wait for a
// decode to be cancelled.
class SlideDecoder : public QObject {
    Q_OBJECT
public:
    explicit SlideDecoder(QObject* parent = nullptr);
    ~SlideDecoder() override;

    void SetFiles(const QStringList& files);
    // The window's inner size, the height of its status strip (0: hidden)
    // and its device pixel ratio. Decoded pictures that would come out at
    // another size are decoded anew; while the area is empty nothing is.
    void SetGeometry(const QSize& inner, int stripHeight, double devicePixelRatio);
    // The pictures wanted now, by index, most urgent first; indices outside
    // the list are ignored. Replaces the earlier wishes.
    void Want(const QList<qint32>& indices);
    // The decoded picture (or its failure) when it is ready; null otherwise.
    const LoadedPicture* Ready(qint32 index) const;
    // A picture decoded elsewhere at the current geometry joins the wanted ones.
    void Adopt(qint32 index, const LoadedPicture& picture);
    // How many pictures are held now.
    int HeldCount() const { return int(m_ready.size()); }

Q_SIGNALS:
    // A wanted picture is ready.
    void Decoded(qint32 index);

private:
    struct Job;
    class Worker;
    void Queue();
    void Arrived(quint64 generation, qint32 index, const LoadedPicture& picture, bool cancelled);
    QSize DecodeSizeFor(const QSize& natural) const;

    QStringList m_files;
    QSize m_inner;
    int m_strip = 0;
    double m_ratio = 1.0;
    quint64 m_generation = 0; // grows with every change of geometry or files
    QList<qint32> m_wanted;
    QHash<qint32, LoadedPicture> m_ready;
    std::shared_ptr<Worker> m_worker;
};
