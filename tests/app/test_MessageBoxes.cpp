// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"
#include "platform/QtMessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
struct SeenBox {
    QStringList buttons;
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
};

// Answers the next real box by pressing the button with `caption`.
void pressWhenShown(SeenBox& seen, const QString& caption)
{
    QTimer::singleShot(0, [&seen, caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.icon = box->icon();
        seen.text = box->text();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text().remove(QLatin1Char('&'));
        seen.defaultButton = box->defaultButton()
                                 ? box->defaultButton()->text().remove(QLatin1Char('&'))
                                 : QString();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove(QLatin1Char('&')) == caption)
                b->click();
        }
    });
}
} // namespace

TEST(QtMessageBoxes, StyleValuesBecomeGermanButtonsIconAndResult)
{
    InstallGermanQtTexts();
    QtMessageBoxPresenter presenter;

    SeenBox seen;
    pressWhenShown(seen, QStringLiteral("Nein"));
    EXPECT_EQ(presenter.present({QStringLiteral("Zeile 1\r\nZeile 2"),
                                 QStringLiteral("Tolvane"),
                                 4 + 32 + 256,
                                 {},
                                 -1}),
              7);
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Ja")));
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Nein")));
    EXPECT_EQ(seen.defaultButton, QStringLiteral("Nein"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.text, QStringLiteral("Zeile 1\nZeile 2"));

    SeenBox cancel;
    pressWhenShown(cancel, QStringLiteral("Abbrechen"));
    EXPECT_EQ(presenter.present({QStringLiteral("?"), QStringLiteral("T"), 1 + 48, {}, -1}), 2);
    EXPECT_EQ(cancel.buttons.size(), 2);
    EXPECT_EQ(cancel.defaultButton, QStringLiteral("OK"));
    EXPECT_EQ(cancel.icon, QMessageBox::Warning);

    SeenBox yes;
    pressWhenShown(yes, QStringLiteral("Ja"));
    EXPECT_EQ(presenter.present({QStringLiteral("?"), QStringLiteral("T"), 3 + 16, {}, -1}), 6);
    EXPECT_EQ(yes.buttons.size(), 3);
    EXPECT_EQ(yes.icon, QMessageBox::Critical);
}
