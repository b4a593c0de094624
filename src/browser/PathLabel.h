// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label showing a path shortened to its width, the whole path as its tool
// tip. It asks for no width of its own, so a long path never widens a pane.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent = nullptr);

    QString Path() const { return m_path; }
    void SetPath(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_path;
};
