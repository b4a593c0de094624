// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/DirBoxModel.h"

#include <QListView>

// The folder box: ancestors and sub-folders of the current folder, indented
// by depth. A single click on another entry asks to open that folder.
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
    // Highlights the current folder again.
    void SelectCurrent();

Q_SIGNALS:
    // The current folder changed (by SetPath or by a click).
    void Change();
    // The user clicked another folder (or pressed Enter on it): the window
    // opens it, so that a folder that cannot be read is reported like any
    // failure of the window.
    void Chosen(const QString& path);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OpenRow(int row);

    DirBoxModel* m_model;
};
