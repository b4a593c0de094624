// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFKeys.h"

#include "cnf/CNFKeyLine.h"
#include "cnf/CNFMessages.h"
#include "cnf/CNFSection.h"

namespace {
const QString kSource = QStringLiteral("CNFKeys");
}

QString CNFKeys::CounterName(qint32 n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

CNFKey& CNFKeys::Add(const QString& name, const QString& value)
{
    const qint32 index = Count() + 1;
    return Append(
        std::make_unique<CNFKey>(name.isEmpty() ? CounterName(index) : name, value, index), "Add");
}

CNFKey& CNFKeys::AddLine(QStringView line)
{
    const CNFKeyLine::Options plain;
    const auto parsed = CNFKeyLine::Parse(line, plain);
    return Add(parsed.name.toString(),
               CNFKeyLine::Value(parsed.value, parsed.hasLineBreaks, plain));
}

CNFKey& CNFKeys::AddRead(const QString& name, const QString& value, const CNFRawText& raw,
                         bool named)
{
    const qint32 index = Count() + 1;
    auto key = raw.IsHeld() ? std::make_unique<CNFKey>(name, raw, index)
                            : std::make_unique<CNFKey>(name, value, index);
    return Append(std::move(key), "Add", named ? Present::Fail : Present::Absent);
}

void CNFKeys::AddPending(CNFTextStore& store, const CNFPendingLine& line, qint32 counter)
{
    if (m_pending == 0) {
        m_store = &store;
        m_counterStart = counter;
    }
    const qint64 position = store.Add(line);
    if (m_pending == 0)
        m_first = position;
    if (!store.wholeKeyLines)
        CheckPendingName(line, counter);
    ++m_pending;
}

void CNFKeys::CheckPendingName(const CNFPendingLine& line, qint32 counter)
{
    // The names are compared only where their hashes agree, which a
    // document cannot arrange: the hash is keyed.
    constexpr qint32 kIndexFrom = 16;
    const auto same = [&](qint32 at) {
        if (m_store->At(m_first + at).hash != line.hash)
            return false;
        return CNFNameIndex::SameName(PendingName(m_first + at, -1),
                                      PendingName(m_first + m_pending, counter));
    };
    qint32 found = -1;
    if (m_pending < kIndexFrom) {
        for (qint32 at = 0; at < m_pending && found < 0; ++at)
            found = same(at) ? at : -1;
    } else {
        if (!m_pendingIndex) {
            m_pendingIndex = std::make_unique<CNFNameIndex>();
            for (qint32 at = 0; at < m_pending; ++at)
                m_pendingIndex->Insert(m_store->At(m_first + at).hash, at);
        }
        found = m_pendingIndex->Find(line.hash, same);
    }
    if (found >= 0)
        RaiseDuplicate(PendingName(m_first + m_pending, counter), "Add");
    if (m_pendingIndex)
        m_pendingIndex->Insert(line.hash, m_pending);
}

QString CNFKeys::PendingName(qint64 position, qint32 counter) const
{
    const Split split = SplitPending(m_store->At(position));
    if (!split.name.isEmpty())
        return split.name;
    if (counter < 0) {
        // Not known to the caller: count the nameless lines before it.
        counter = m_counterStart;
        for (qint64 at = m_first; at < position; ++at)
            counter += SplitPending(m_store->At(at)).name.isEmpty() ? 1 : 0;
    }
    return CounterName(counter);
}

CNFKeys::Split CNFKeys::SplitPending(const CNFPendingLine& line) const
{
    Split split;
    const CNFEncoding encoding = m_store->encoding;
    if (m_store->wholeKeyLines) {
        split.raw = CNFRawText{line.data, line.size, encoding};
        return split;
    }
    if (encoding == CNFEncoding::Utf16) {
        const auto parts = CNFKeyLine::Parse(
            QStringView(static_cast<const QChar*>(line.data), line.size), m_store->keys);
        split.name = parts.name.toString();
        if (parts.hasLineBreaks)
            split.value = CNFKeyLine::Value(parts.value, true, m_store->keys);
        else if (!parts.value.isEmpty())
            split.raw = CNFRawText{parts.value.data(), qint32(parts.value.size()), encoding};
        return split;
    }
    const auto parts = CNFKeyLine::Parse(
        QByteArrayView(static_cast<const char*>(line.data), line.size), *m_store->byteKeys);
    split.name = CNFRawText{parts.name.data(), qint32(parts.name.size()), encoding}.Decode();
    const CNFRawText value{parts.value.data(), qint32(parts.value.size()), encoding};
    if (parts.hasLineBreaks)
        split.value = CNFKeyLine::Value(value.Decode(), true, m_store->keys);
    else if (!parts.value.isEmpty())
        split.raw = value;
    return split;
}

void CNFKeys::MakePending()
{
    qint32 counter = m_counterStart;
    const qint32 made = Count() - m_pending;
    for (qint32 i = 0; i < m_pending; ++i) {
        Split split = SplitPending(m_store->At(m_first + i));
        const qint32 index = made + i + 1;
        if (m_store->wholeKeyLines)
            split.name = CounterName(index);
        else if (split.name.isEmpty())
            split.name = CounterName(counter++);
        AppendNew(split.raw.IsHeld() ? std::make_unique<CNFKey>(split.name, split.raw, index)
                                     : std::make_unique<CNFKey>(split.name, split.value, index));
    }
    m_pendingIndex.reset();
}

void CNFKeys::DropPending()
{
    m_pending = 0;
    m_pendingIndex.reset();
}

void CNFKeys::ClearDirty()
{
    ClearChanged();
    if (!ItemChanged())
        return;
    for (CNFKey& key : *this)
        key.ClearDirty();
    ClearItemChanged();
}

bool CNFKeys::Dirty() const
{
    if (Changed())
        return true;
    if (!ItemChanged())
        return false;
    for (const CNFKey& key : *this) {
        if (key.Dirty())
            return true;
    }
    return false;
}

void CNFKeys::RaiseDuplicate(QStringView name, const char* procedure) const
{
    CNFMessages::RaiseText(
        CNFMessages::DuplicateName, kSource, QLatin1String(procedure),
        QStringLiteral("Der Schlüssel '%1' ist in der Sektion '%2' bereits vorhanden.")
            .arg(name, m_section.Name()));
}

void CNFKeys::RaiseMissing(QStringView name, const char* procedure) const
{
    CNFMessages::RaiseText(
        CNFMessages::InvalidArgument, kSource, QLatin1String(procedure),
        QStringLiteral("Der Schlüssel '%1' ist in der Sektion '%2' nicht vorhanden.")
            .arg(name, m_section.Name()));
}

void CNFKeys::RaiseOutOfRange(qint32 index, const char* procedure) const
{
    CNFMessages::RaiseText(CNFMessages::OutOfRange, kSource, QLatin1String(procedure),
                           QStringLiteral("Index außerhalb des gültigen Bereichs (%1 von %2).")
                               .arg(index)
                               .arg(Count()));
}
