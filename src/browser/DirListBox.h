// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/DirBoxModel.h"

#include <QListView>

// The folder box: ancestors and sub-folders of the current folder, indented
// by depth. A single click on another entry opens that folder.
class DirListBox : public QListView {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    DirBoxModel* Model() const { return m_model; }
    QString Path() const { return m_model->Path(); }
    // False (and the folder kept) when the folder cannot be read.
    bool SetPath(const QString& folder);
    void Refresh();
    // The highlighted entry's path (the current folder when nothing else is).
    QString HighlightedPath() const;

Q_SIGNALS:
    // The current folder changed (by SetPath or by a click).
    void Change();
    // The right mouse button was released over the box.
    void RightButtonUp(const QPoint& globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OpenRow(int row);
    void SelectCurrent();

    DirBoxModel* m_model;
};
