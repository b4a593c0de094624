// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/PictureLoader.h"

#include <QColor>
#include <QFrame>
#include <QPixmap>
#include <QTimer>

// Shows one picture scaled into its area: fitted with the aspect ratio kept
// (centred, the free bands in BackColor) or stretched. The rendered result is
// kept as the control's own image, so covering and uncovering the control
// repaints nothing but that image.
class ThumbNail : public QFrame {
    Q_OBJECT
public:
    explicit ThumbNail(QWidget* parent = nullptr);

    int Appearance() const { return m_appearance; } // 0 flat, 1 3-D
    void SetAppearance(int appearance);
    int AsyncInterval() const { return m_timer.interval(); }
    void SetAsyncInterval(int milliseconds) { m_timer.setInterval(std::max(0, milliseconds)); }
    QColor BackColor() const { return m_backColor; }
    void SetBackColor(const QColor& color);
    int BorderStyle() const { return m_borderStyle; } // 0 none, 1 single
    void SetBorderStyle(int style);
    const QPixmap& Image() const { return m_image; }
    bool PaintAsync() const { return m_paintAsync; }
    void SetPaintAsync(bool async);
    const LoadedPicture& Picture() const { return m_picture; }
    void SetPicture(const LoadedPicture& picture);
    void SetPicture(const QImage& image);
    bool Square() const { return m_square; }
    void SetSquare(bool square);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);

    // An empty name removes the picture. Failures are raised with
    // ": LoadPicture" added to their source; the control keeps what it showed.
    void LoadPicture(const QString& fileName);
    // Writes the picture at its natural size (format by the name's extension,
    // BMP when unknown); the target is replaced only by a complete file.
    void SavePicture(const QString& fileName) const;
    void Refresh() { PaintPicture(); }
    // How many times the picture was rendered (lets callers see that a burst
    // of asynchronous requests painted once).
    int PaintCount() const { return m_paintCount; }

Q_SIGNALS:
    void Click();
    void DblClick();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void KeyPress(const QString& text);
    void KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                   const QPointF& position);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                   const QPointF& position);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPointF& position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void Paint();
    void PaintPicture();
    void ApplyFrame();
    QSize ShownPixels() const;

    LoadedPicture m_picture;
    QPixmap m_image;
    QColor m_backColor;
    QTimer m_timer;
    int m_appearance = 1;
    int m_borderStyle = 1;
    int m_paintCount = 0;
    bool m_paintAsync = false;
    bool m_square = false;
    bool m_stretch = false;
    bool m_inResize = false;
};
