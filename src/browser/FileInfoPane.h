// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/FileInfoText.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class ThumbNail;
class pPicViewer;

// The right pane of the main window: the information rows of one file and
// its preview (picture, text, or a notice that none is possible).
class FileInfoPane : public QWidget {
    Q_OBJECT
public:
    explicit FileInfoPane(QWidget* parent = nullptr);

    QTreeWidget* LVFileInfo = nullptr;
    QWidget* picPreView = nullptr;
    ThumbNail* TN = nullptr;
    QPlainTextEdit* txtPreview = nullptr;
    QLabel* lblPreView = nullptr;

    // Empties the rows and hides every preview.
    void Reset();
    // Fills the rows and the preview for one file. Raises what it cannot
    // read (the caller reports it); the rows already shown stay.
    void ShowFile(const QString& fullPath, const pPicViewer& pictures, const QColor& pictureBack);
    QString ShownPath() const { return m_path; }
    QList<FileInfoRow> Rows() const;
    // The selected row; false when none is selected.
    bool CurrentRow(FileInfoRow& row) const;

Q_SIGNALS:
    void RightButtonUp(const QPoint& globalPosition);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayoutControls();
    void LayoutPreview();
    void FitValueColumn();

    QString m_path;
};
