// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

// The help window: contents on the left, the page on the right, back and
// forward through the pages seen. It belongs to its owner window (closed and
// freed with it) and frees itself when closed.
class frmHelp : public QWidget {
    Q_OBJECT
public:
    frmHelp(const QString& helpFolder, QWidget* owner);

    // Shows a page of the help folder ("rechner.html#zinsrechner").
    void showPage(const QString& page);
    // The page shown, with its anchor.
    QString currentPage() const;
    QString helpFolder() const { return m_folder; }
    QWidget* owner() const { return m_owner; }

    QPushButton* cmdBack = nullptr;
    QPushButton* cmdForward = nullptr;
    QPushButton* cmdContents = nullptr;
    QPushButton* cmdBrowser = nullptr;
    QTreeWidget* TVContents = nullptr;
    QTextBrowser* txtPage = nullptr;

private:
    void buildContents();
    int contentsTextWidth() const;
    void pageChanged(const QUrl& url);
    static QString pageOf(const QUrl& url);
    void contentsClicked(QTreeWidgetItem* item);
    void openInBrowser();

    QString m_folder;
    QPointer<QWidget> m_owner;
};
