// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/frmHelp.h"

#include "core/AppGlobals.h"
#include "core/HelpTopics.h"
#include "core/MessageTable.h"
#include "core/ShellUtil.h"
#include "core/cuAppError.h"
#include "platform/MessageBoxStyle.h"
#include "platform/ShellLauncher.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHash>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kPageRole = Qt::UserRole;
const QString kCaption = QStringLiteral("Tolvane-Hilfe");
} // namespace

frmHelp::frmHelp(const QString& helpFolder, QWidget* owner)
    : QWidget(owner, Qt::Window), m_folder(helpFolder), m_owner(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(kCaption);

    cmdBack = new QPushButton(QStringLiteral("&Zurück"), this);
    cmdForward = new QPushButton(QStringLiteral("&Vorwärts"), this);
    cmdContents = new QPushButton(QStringLiteral("&Inhalt"), this);
    cmdBrowser = new QPushButton(QStringLiteral("Im &Browser öffnen"), this);
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addWidget(cmdContents);
    buttons->addStretch();
    buttons->addWidget(cmdBrowser);

    TVContents = new QTreeWidget;
    TVContents->setHeaderHidden(true);
    TVContents->setColumnCount(1);
    txtPage = new QTextBrowser;
    txtPage->setOpenExternalLinks(true);
    txtPage->setSearchPaths({m_folder});
    auto* panes = new QSplitter(Qt::Horizontal);
    panes->addWidget(TVContents);
    panes->addWidget(txtPage);
    panes->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(panes, 1);

    buildContents();
    // The contents pane as wide as its longest entry, so no title is cut.
    const int contentsWidth = contentsTextWidth() + 2 * TVContents->frameWidth() + 16;
    resize(contentsWidth + 640, 600);
    panes->setSizes({contentsWidth, 640});
    connect(cmdBack, &QPushButton::clicked, txtPage, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, txtPage, &QTextBrowser::forward);
    connect(cmdContents, &QPushButton::clicked, this,
            [this] { showPage(QString::fromUtf8(HelpTopics().first().page)); });
    connect(cmdBrowser, &QPushButton::clicked, this, &frmHelp::openInBrowser);
    connect(txtPage, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(txtPage, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);
    connect(txtPage, &QTextBrowser::sourceChanged, this, &frmHelp::pageChanged);
    connect(TVContents, &QTreeWidget::itemClicked, this, &frmHelp::contentsClicked);
    connect(TVContents, &QTreeWidget::itemActivated, this, &frmHelp::contentsClicked);
    // A reading window: Escape puts it away, as it does a dialog.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void frmHelp::buildContents()
{
    QHash<qint32, QTreeWidgetItem*> items;
    for (const HelpTopic& topic : HelpTopics()) {
        QTreeWidgetItem* parent = items.value(topic.parent);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TVContents);
        item->setText(0, QString::fromUtf8(topic.title));
        item->setData(0, kPageRole, QString::fromUtf8(topic.page));
        items.insert(topic.id, item);
    }
    TVContents->expandAll();
}

int frmHelp::contentsTextWidth() const
{
    const QFontMetrics metrics = TVContents->fontMetrics();
    int widest = 0;
    for (QTreeWidgetItemIterator it(TVContents); *it; ++it) {
        int depth = 1; // the root decoration takes one indentation
        for (const QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            ++depth;
        widest = std::max(widest, depth * TVContents->indentation() +
                                      metrics.horizontalAdvance((*it)->text(0)));
    }
    return widest;
}

void frmHelp::showPage(const QString& page)
{
    QUrl url =
        QUrl::fromLocalFile(m_folder + QLatin1Char('/') + page.section(QLatin1Char('#'), 0, 0));
    const QString anchor = page.section(QLatin1Char('#'), 1);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    txtPage->setSource(url);
}

// The page as a file address the desktop's browser can open, anchor included.
void frmHelp::openInBrowser()
{
    QUrl url = QUrl::fromLocalFile(QDir(m_folder).filePath(currentPage().section('#', 0, 0)));
    const QString anchor = currentPage().section('#', 1);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    const int code = ShellLauncher::startProgram(
        {ShellLauncher::openerProgram(), url.toString(QUrl::FullyEncoded)});
    if (code <= 32)
        AppErr().MsgShow(Msg::CannotOpenFile, MsgStyle::Exclamation, url.toLocalFile(),
                         ShellErrorText(code));
}

QString frmHelp::currentPage() const
{
    return pageOf(txtPage->source());
}

QString frmHelp::pageOf(const QUrl& url)
{
    const QString name = url.fileName();
    return url.hasFragment() ? name + QLatin1Char('#') + url.fragment() : name;
}

// The browser announces a new source before source() returns it: the page
// comes from the signal.
void frmHelp::pageChanged(const QUrl& url)
{
    const QString title = txtPage->documentTitle();
    setWindowTitle(title.isEmpty() ? kCaption : kCaption + QStringLiteral(" - ") + title);

    // Keep the contents in step with pages reached through links or history.
    const HelpTopic* topic = HelpTopicByPage(pageOf(url));
    if (!topic)
        return;
    const QString page = QString::fromUtf8(topic->page);
    for (QTreeWidgetItemIterator it(TVContents); *it; ++it) {
        if ((*it)->data(0, kPageRole).toString() == page) {
            const QSignalBlocker quiet(TVContents);
            TVContents->setCurrentItem(*it);
            break;
        }
    }
}

void frmHelp::contentsClicked(QTreeWidgetItem* item)
{
    if (item)
        showPage(item->data(0, kPageRole).toString());
}
