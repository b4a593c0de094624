// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cuFormPositioner.h"

#include "core/FormPlacementTarget.h"

#include <QtMath>

#include <algorithm>
#include <optional>

namespace {
std::optional<qint64> ReadTwips(HKEY root, const QString& key, const QString& name)
{
    bool ok = false;
    const qint64 value = Registry().RegGetSettingString(root, key, name).trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

// Left (or top) of a window of `size` on a desktop of `extent`: a stored value
// outside the desktop goes to 0, and a window that would reach past the far
// edge is moved back so all of it is on the desktop.
qint64 PlaceOnDesktop(std::optional<qint64> stored, qint64 size, qint64 extent, qint64 screenExtent)
{
    if (!stored)
        return std::max<qint64>(0, (screenExtent - size) / 2);
    qint64 value = *stored;
    if (value > extent || value < 0)
        value = 0;
    if (value + size > extent)
        value = std::max<qint64>(0, extent - size);
    return value;
}
} // namespace

cuFormPositioner::~cuFormPositioner()
{
    if (!AutoSave || !m_form || RegKey.isEmpty())
        return;
    try {
        SavePosition();
    } catch (...) {
        // Store failures are ignored: the position is simply not kept.
    }
}

void cuFormPositioner::LoadPosition()
{
    if (RegKey.isEmpty() || !m_form)
        return;
    if (ForcedState == 2 ||
        Registry().RegGetSettingString(RegHKey, RegKey, QStringLiteral("Maximized")) ==
            QLatin1String("1")) {
        m_form->ShowMaximized();
        return;
    }
    const double tpp = m_form->TwipsPerPixel();
    const QRect desktop = m_form->Desktop();
    const qint64 W = qRound64(desktop.width() * tpp);
    const qint64 H = qRound64(desktop.height() * tpp);
    const qint64 screenW = qRound64(m_form->ScreenSize().width() * tpp);
    const qint64 screenH = qRound64(m_form->ScreenSize().height() * tpp);
    const QRect current = m_form->Geometry();

    qint64 width = qRound64(current.width() * tpp);
    if (const auto stored = ReadTwips(RegHKey, RegKey, QStringLiteral("Width")))
        width = *stored <= W ? std::max<qint64>(*stored, m_minWidth) : screenW;
    qint64 height = qRound64(current.height() * tpp);
    if (const auto stored = ReadTwips(RegHKey, RegKey, QStringLiteral("Height")))
        height = *stored <= H ? std::max<qint64>(*stored, m_minHeight) : H;
    const qint64 left =
        PlaceOnDesktop(ReadTwips(RegHKey, RegKey, QStringLiteral("Left")), width, W, screenW);
    const qint64 top =
        PlaceOnDesktop(ReadTwips(RegHKey, RegKey, QStringLiteral("Top")), height, H, screenH);

    m_form->SetGeometry(QRect(desktop.left() + int(qRound64(left / tpp)),
                              desktop.top() + int(qRound64(top / tpp)), int(qRound64(width / tpp)),
                              int(qRound64(height / tpp))));
    if (ForcedState == 1)
        m_form->ShowMinimized();
}

void cuFormPositioner::SavePosition()
{
    if (RegKey.isEmpty() || !m_form)
        return;
    const Registry reg;
    if (m_form->IsMaximized()) {
        reg.RegSaveSettingString(RegHKey, RegKey, QStringLiteral("Maximized"), QStringLiteral("1"));
        return;
    }
    if (m_form->IsMinimized())
        return;
    const double tpp = m_form->TwipsPerPixel();
    const QRect desktop = m_form->Desktop();
    const QRect rect = m_form->Geometry();
    auto save = [&](const char* name, qint64 twips) {
        reg.RegSaveSettingString(RegHKey, RegKey, QLatin1String(name), QString::number(twips));
    };
    reg.RegSaveSettingString(RegHKey, RegKey, QStringLiteral("Maximized"), QStringLiteral("0"));
    save("Width", qRound64(rect.width() * tpp));
    save("Height", qRound64(rect.height() * tpp));
    save("Left", qRound64((rect.left() - desktop.left()) * tpp));
    save("Top", qRound64((rect.top() - desktop.top()) * tpp));
}
