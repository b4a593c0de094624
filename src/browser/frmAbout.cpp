// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmAbout.h"

#include "core/Version.h"
#include "platform/SettingsDatabase.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QLabel* addLabel(QWidget* owner, const QString& objectName, const QString& text)
{
    auto* label = new QLabel(text, owner);
    label->setObjectName(objectName);
    owner->layout()->addWidget(label);
    return label;
}
} // namespace

frmAbout::frmAbout(QWidget* parent, Mode mode) : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("frmAbout"));
    new QVBoxLayout(this);
    addLabel(this, QStringLiteral("lblTitle"), QStringLiteral("<h2>Tolvane</h2>"));
    addLabel(this, QStringLiteral("lblVersion"), QStringLiteral("Version ") + ProgramVersion());
    if (mode == Mode::Splash)
        buildSplash();
    else
        buildAbout();
}

void frmAbout::buildAbout()
{
    setWindowTitle(QStringLiteral("Info"));
    QLabel* disclaimer = addLabel(
        this, QStringLiteral("lblDisclaimer"),
        QStringLiteral("Dieses Programm ist freie Software unter der GNU General Public License, "
                       "Version 3 oder später. Es wird ohne jede Gewährleistung bereitgestellt, "
                       "soweit das Gesetz es zulässt. Die Benutzung erfolgt auf eigene Gefahr."));
    disclaimer->setWordWrap(true);
    addLink(QStringLiteral("lblWeb"), kQuexelWebAddress, kQuexelWebAddress);
    addLink(QStringLiteral("lblMail"), QStringLiteral("mailto:") + kQuexelMailAddress,
            kQuexelMailAddress);
    addLabel(this, QStringLiteral("lblQtVersion"),
             QStringLiteral("Qt ") + QString::fromLatin1(qVersion()));
    QLabel* database =
        addLabel(this, QStringLiteral("lblDatabase"),
                 QStringLiteral("Einstellungen: ") + SettingsDatabase::configuredFilePath());
    database->setWordWrap(true);
    database->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout()->addWidget(buttons);
    setMinimumWidth(420);
}

void frmAbout::buildSplash()
{
    // A greeting, not a window to work in: no frame, and the focus stays
    // where the user left it.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    lblStatus = addLabel(this, QStringLiteral("lblStatus"), QStringLiteral("Einen Moment  ..."));
    setMinimumWidth(300);
    layout()->setContentsMargins(24, 16, 24, 16);
    setStyleSheet(QStringLiteral("frmAbout { border: 1px solid palette(dark); }"));
}

void frmAbout::addLink(const QString& objectName, const QString& href, const QString& text)
{
    // The desktop opens the link; when it cannot, there is nothing the user could do here.
    QLabel* link = addLabel(
        this, objectName, QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text.toHtmlEscaped()));
    link->setOpenExternalLinks(true);
}

void frmAbout::SetStatus(const QString& text)
{
    if (lblStatus)
        lblStatus->setText(text);
}

void frmAbout::CloseWhenShown(QWidget* main, int minimumMs)
{
    m_main = main;
    m_minimumMs = minimumMs;
    if (main)
        connect(main, &QObject::destroyed, this, &QWidget::close);
    tryClose();
}

void frmAbout::tryClose()
{
    const qint64 shownFor = m_shown.isValid() ? m_shown.elapsed() : 0;
    if (shownFor < m_minimumMs) {
        QTimer::singleShot(int(m_minimumMs - shownFor), this, &frmAbout::tryClose);
        return;
    }
    if (m_main && !m_main->isVisible()) { // not shown yet: look again shortly
        QTimer::singleShot(50, this, &frmAbout::tryClose);
        return;
    }
    close();
}

void frmAbout::mousePressEvent(QMouseEvent* event)
{
    if (m_mode == Mode::Splash)
        close();
    else
        QDialog::mousePressEvent(event);
}

void frmAbout::showEvent(QShowEvent* event)
{
    if (!m_shown.isValid())
        m_shown.start();
    QDialog::showEvent(event);
}
