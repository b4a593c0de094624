// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IconGroup.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <tuple>

void IconGroup::add(const QByteArray& image, int directoryHeight)
{
    const int height = directoryHeight == 0 ? 256 : directoryHeight;
    if (const auto info = IconImage::probe(image, height))
        m_entries.append({image, height, *info});
}

QList<IconImageInfo> IconGroup::images() const
{
    QList<IconImageInfo> infos;
    for (const Entry& e : m_entries)
        infos.append(e.info);
    return infos;
}

QImage IconGroup::pick(int size) const
{
    // Ranked: exact size, then nearness, then the larger of two equally near
    // sizes (shrinking looks better than enlarging), then colour depth, then
    // directory order. A candidate whose pixels cannot be decoded gives way
    // to the next.
    QList<qsizetype> order;
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        order.append(i);
    auto rank = [&](qsizetype i) {
        const IconImageInfo& info = m_entries[i].info;
        const bool exact = info.width == size && info.height == size;
        const int distance = std::abs(info.width - size) + std::abs(info.height - size);
        return std::make_tuple(!exact, distance, info.width < size, -info.bitCount, i);
    };
    std::sort(order.begin(), order.end(),
              [&](qsizetype a, qsizetype b) { return rank(a) < rank(b); });
    for (qsizetype i : order) {
        const Entry& e = m_entries[i];
        const QImage image = IconImage::decode(e.bytes, e.directoryHeight);
        if (image.isNull())
            continue;
        return fitted(image, size);
    }
    return QImage();
}

QImage IconGroup::fitted(const QImage& image, int size)
{
    if (image.width() == size && image.height() == size)
        return image;
    // A picture that is not square keeps its shape, centred on transparency.
    const QImage scaled = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage square(size, size, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    painter.end();
    return square;
}
