// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/FileInfoText.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QTreeWidget;
class ThumbNail;
class pPicViewer;

// The right pane of the main window: the information rows of one file and
// its preview (picture, text, or a notice that none is possible). A picture
// that cannot be shown says why in the preview area; it is no error of the
// window, and browsing past a damaged picture asks nothing of the user.
class FileInfoPane : public QWidget {
    Q_OBJECT
public:
    explicit FileInfoPane(QWidget* parent = nullptr);

    // Empties the rows and hides every preview.
    void Reset();
    // Fills the rows and the preview for one file (a lossless path). Raises
    // what it cannot read (the caller reports it); the rows already shown stay.
    void ShowFile(const QString& fullPath, const pPicViewer& pictures, const QColor& pictureBack);
    QString ShownPath() const { return m_path; }
    QList<FileInfoRow> Rows() const;
    // The selected row; false when none is selected.
    bool CurrentRow(FileInfoRow& row) const;
    bool HasPicture() const;
    // The list's background, the window's colour as the window sets it.
    void SetListBackground(const QColor& color);

Q_SIGNALS:
    // The user asked for the list's menu (it holds rows) or the preview's
    // (it shows a picture).
    void ListMenuRequested(const QPoint& globalPosition);
    void PreviewMenuRequested(const QPoint& globalPosition);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowPicture(const QString& fullPath, const QColor& pictureBack);
    void ShowNotice(const QString& text);

    QSplitter* m_split = nullptr;
    QTreeWidget* LVFileInfo = nullptr;
    QWidget* picPreView = nullptr;
    ThumbNail* TN = nullptr;
    QPlainTextEdit* txtPreview = nullptr;
    QLabel* lblPreView = nullptr;
    QString m_path;
    bool m_shownOnce = false;
};
