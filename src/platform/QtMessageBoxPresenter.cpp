// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtMessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case MsgStyle::Critical:
        return QMessageBox::Critical;
    case MsgStyle::Question:
        return QMessageBox::Question;
    case MsgStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int result;
};

QList<ButtonSpec> buttonsOf(int style)
{
    switch (style & 7) {
    case MsgStyle::OkCancel:
        return {{QMessageBox::Ok, MsgResult::Ok}, {QMessageBox::Cancel, MsgResult::Cancel}};
    case MsgStyle::YesNoCancel:
        return {{QMessageBox::Yes, MsgResult::Yes},
                {QMessageBox::No, MsgResult::No},
                {QMessageBox::Cancel, MsgResult::Cancel}};
    case MsgStyle::YesNo:
        return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
    default:
        return {{QMessageBox::Ok, MsgResult::Ok}};
    }
}
} // namespace

int QtMessageBoxPresenter::present(const MessageBoxRequest& request)
{
    QMessageBox box(iconOf(request.style), request.title,
                    QString(request.text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    const QList<ButtonSpec> entries = buttonsOf(request.style);
    for (const ButtonSpec& entry : entries)
        box.addButton(entry.button);
    const int defaultIndex =
        (request.style & MsgStyle::DefaultButton2) && entries.size() > 1 ? 1 : 0;
    box.setDefaultButton(entries.at(defaultIndex).button);
    QPushButton* help = nullptr;
    if (request.style & MsgStyle::HelpButton) {
        help = box.addButton(QMessageBox::Help);
        // Help must not close the box: it opens the topic and the question stays.
        help->disconnect();
        QObject::connect(help, &QPushButton::clicked, &box, [this, request] {
            if (m_help)
                m_help(request.helpFile, request.helpContext);
        });
    }
    if (entries.size() > 1 && (request.style & 7) != MsgStyle::YesNo)
        box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonSpec& entry : entries) {
        if (entry.button == clicked)
            return entry.result;
    }
    return entries.last().result;
}

void QtMessageBoxPresenter::setArrowCursor()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void QtMessageBoxPresenter::pushArrowCursor()
{
    QApplication::setOverrideCursor(Qt::ArrowCursor);
}

void QtMessageBoxPresenter::popCursor()
{
    QApplication::restoreOverrideCursor();
}
