// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/JobProgressBar.h"

#include "core/JobRunner.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

namespace {
// Fine enough that a bar of any width moves smoothly.
constexpr int kBarSteps = 1000;
} // namespace

JobProgressBar::JobProgressBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("JobProgressBar"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    // Long paths must not widen the window: the label takes the width it gets.
    lblStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    PB = new QProgressBar(this);
    PB->setObjectName(QStringLiteral("PB"));
    PB->setRange(0, kBarSteps);
    cmdCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(lblStatus, 0, 0, 1, 2);
    grid->addWidget(PB, 1, 0);
    grid->addWidget(cmdCancel, 1, 1);
    grid->setColumnStretch(0, 1);
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &JobProgressBar::cancelJob);
    connect(cmdCancel, &QPushButton::clicked, this, &JobProgressBar::cancelJob);
    hide();
}

void JobProgressBar::watch(JobRunner* runner)
{
    if (m_runner)
        disconnect(m_runner, nullptr, this, nullptr);
    m_runner = runner;
    if (!runner)
        return;
    connect(runner, &JobRunner::started, this, &JobProgressBar::jobStarted);
    connect(runner, &JobRunner::progressChanged, this, &JobProgressBar::showFigures);
    connect(runner, &JobRunner::finished, this, &JobProgressBar::jobEnded);
    if (runner->isRunning())
        jobStarted();
}

void JobProgressBar::jobStarted()
{
    showFigures(0, 0, QString());
    cmdCancel->setEnabled(true);
    m_escape->setEnabled(true);
    show();
}

void JobProgressBar::jobEnded()
{
    m_escape->setEnabled(false);
    hide();
}

void JobProgressBar::cancelJob()
{
    if (!m_runner || !m_runner->isRunning())
        return;
    // Pressed once is enough; the button says it was heard.
    cmdCancel->setEnabled(false);
    m_runner->cancel();
}

void JobProgressBar::showFigures(qint64 done, qint64 total, const QString& text)
{
    if (total <= 0) {
        PB->setRange(0, 0); // how much is left is not known: a busy bar
    } else {
        PB->setRange(0, kBarSteps);
        const qint64 shown = qBound<qint64>(0, done, total);
        PB->setValue(int(double(shown) / double(total) * kBarSteps));
    }
    m_text = text;
    showText();
}

void JobProgressBar::showText()
{
    lblStatus->setText(
        lblStatus->fontMetrics().elidedText(m_text, Qt::ElideMiddle, lblStatus->width()));
    lblStatus->setToolTip(lblStatus->text() == m_text ? QString() : m_text);
}

void JobProgressBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    showText();
}
