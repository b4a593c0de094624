// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/WindowUtil.h"

#include "core/LibError.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include <cmath>

namespace {
const QString kEllipsis = QStringLiteral("/.../");

// The width text can take inside the control, and the metrics it is drawn with.
int textWidthOf(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->contentsRect().width() - 2 * label->margin();
    const auto* edit = qobject_cast<const QLineEdit*>(control);
    const int frame = edit->hasFrame()
                          ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit)
                          : 0;
    const QMargins margins = edit->textMargins();
    // QLineEdit keeps two pixels free on each side of its text.
    return edit->contentsRect().width() - 2 * frame - margins.left() - margins.right() - 4;
}
} // namespace

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

QString ShortenPathToWidth(const QString& path, const QWidget* control)
{
    if (!qobject_cast<const QLabel*>(control) && !qobject_cast<const QLineEdit*>(control))
        return path;
    const QFontMetrics metrics = control->fontMetrics();
    const int available = textWidthOf(control);
    // A folder path ends in "/": its own name is what must stay readable.
    const bool folder = path.size() > 1 && path.endsWith(QLatin1Char('/'));
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'), folder ? -2 : -1);
    if (cut <= 0 || metrics.horizontalAdvance(path) <= available)
        return path;

    QString head = path.left(cut);
    const QString name = path.mid(cut + 1);
    // "MM" keeps a little room so the text never touches the edge.
    while (!head.isEmpty() &&
           metrics.horizontalAdvance(head + kEllipsis + QStringLiteral("MM") + name) > available)
        head = head.left(std::max<qsizetype>(0, head.lastIndexOf(QLatin1Char('/'))));
    return head + kEllipsis + name;
}

bool TidyMenuSeparators(QMenu* menu)
{
    if (!menu)
        return false;
    bool anyVisible = false;
    bool itemSinceSeparator = false;
    QAction* pending = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            action->setVisible(itemSinceSeparator);
            if (itemSinceSeparator)
                pending = action;
            itemSinceSeparator = false;
        } else if (action->isVisible()) {
            anyVisible = true;
            itemSinceSeparator = true;
            pending = nullptr;
        }
    }
    if (pending)
        pending->setVisible(false);
    return anyVisible;
}

void DrawEtchedLine(QPainter& painter, int width, const QPalette& palette)
{
    painter.save();
    painter.setPen(QPen(palette.color(QPalette::Dark), 1));
    painter.drawLine(0, 0, width - 1, 0);
    painter.setPen(QPen(palette.color(QPalette::Light), 1));
    painter.drawLine(0, 1, width - 1, 1);
    painter.restore();
}

void DrawEtchedLine(QFrame* frame)
{
    if (!frame)
        return;
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setMidLineWidth(0);
}

qint32 GetScrollbarSize(bool vertical, bool inTwips, const QStyle* style)
{
    if (!style)
        style = QApplication::style();
    const int pixels = style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    if (pixels <= 0)
        RaiseLibError(-LibErr::ScrollbarSize, QStringLiteral("mQXLib"),
                      QStringLiteral("GetScrollbarSize"));
    if (!inTwips)
        return pixels;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi =
        screen ? (vertical ? screen->logicalDotsPerInchY() : screen->logicalDotsPerInchX()) : 0.0;
    if (dpi <= 0)
        RaiseLibError(-LibErr::TwipsNeedScreen, QStringLiteral("mQXLib"),
                      QStringLiteral("GetScrollbarSize"));
    return qint32(std::lround(pixels * 1440.0 / dpi));
}
