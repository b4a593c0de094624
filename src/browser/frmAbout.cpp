// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmAbout.h"

#include "core/Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Info"));
    auto* title = new QLabel(QStringLiteral("<h2>Tolvane</h2>"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    auto* lblVersion = new QLabel(QStringLiteral("Version ") + ProgramVersion(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblDisclaimer = new QLabel(
        QStringLiteral("Dieses Programm ist freie Software unter der GNU General Public License, "
                       "Version 3 oder später. Es wird ohne jede Gewährleistung bereitgestellt, "
                       "soweit das Gesetz es zulässt. Die Benutzung erfolgt auf eigene Gefahr."),
        this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    auto* lblWeb = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(kQuexelWebAddress), this);
    lblWeb->setObjectName(QStringLiteral("lblWeb"));
    lblWeb->setOpenExternalLinks(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(title), static_cast<QWidget*>(lblVersion),
                       static_cast<QWidget*>(lblDisclaimer), static_cast<QWidget*>(lblWeb)})
        layout->addWidget(w);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}
