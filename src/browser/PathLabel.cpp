// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/PathLabel.h"

#include "core/WindowUtil.h"
#include "platform/FileNameCodec.h"

PathLabel::PathLabel(QWidget* parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
}

void PathLabel::SetPath(const QString& path)
{
    m_path = DisplayFileName(path);
    setToolTip(m_path);
    setText(ShortenPathToWidth(m_path, this));
}

void PathLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    setText(ShortenPathToWidth(m_path, this));
}
