// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFrame;
class QMenu;
class QPainter;
class QPalette;
class QStyle;
class QWidget;

// Small chores of the windows.

// The hourglass for as long as the object lives, whatever happens meanwhile.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// A path that fits a text box (QLineEdit) or a label (QLabel): folders in
// the middle give way to "/.../", down to "/.../name" when nothing else fits.
// A folder path (ending in "/") keeps its own folder name the same way.
// Other controls, and paths that fit, come back unchanged.
QString ShortenPathToWidth(const QString& path, const QWidget* control);

// Shows a menu's separators only between visible ordinary items (no leading,
// trailing or doubled ones). True when an ordinary item is visible.
bool TidyMenuSeparators(QMenu* menu);

// An etched line across `width`: dark at the top row, light below it.
void DrawEtchedLine(QPainter& painter, int width, const QPalette& palette);
// Makes a frame show an etched horizontal line.
void DrawEtchedLine(QFrame* frame);

// Width of a vertical or height of a horizontal scroll bar, in pixels or in
// twips (1/1440 inch). Raises library error 3 when the style reports none and
// 4 when there is no screen to convert with. Null style: the application's.
qint32 GetScrollbarSize(bool vertical, bool inTwips, const QStyle* style = nullptr);
