// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>

class QSystemTrayIcon;
class QWidget;

// The notification-area icon of the main window. Double clicks and right
// button releases on the icon arrive as DblClick and MouseUp(2); the icon is
// removed whenever the object ends.
class Tray : public QObject {
    Q_OBJECT
public:
    explicit Tray(QObject* parent = nullptr);
    ~Tray() override;

    // Without a picture, the window's icon is the tray icon.
    void SetForm(QWidget* form) { m_form = form; }
    void SetPicture(const QIcon& icon) { m_picture = icon; }
    QString ToolTipText() const { return m_toolTip; }
    // Shown at once when the icon is in the tray, else at the next ShowInTray.
    void SetToolTipText(const QString& text);
    void SetContextMenu(QMenu* menu) { m_menu = menu; }

    void ShowInTray();
    void RemoveFromTray();
    bool InTray() const { return m_inTray; }
    // Whether the desktop has a notification area at all: without one a
    // window hidden "into the tray" could never be brought back.
    static bool Available();

Q_SIGNALS:
    void DblClick();
    void MouseUp(int button);

private:
    QIcon CurrentIcon() const;

    QSystemTrayIcon* m_icon = nullptr;
    QPointer<QWidget> m_form;
    QPointer<QMenu> m_menu;
    QIcon m_picture;
    QString m_toolTip;
    bool m_inTray = false;
};
