// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

class JobRunner;
class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;

// A status line, a progress bar and "&Abbrechen" for a JobRunner's job: at
// the bottom of a tool window, or inside JobProgressDialog. It shows itself
// while the job runs and hides when it ends; "&Abbrechen" and Escape in its
// window cancel the job.
class JobProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit JobProgressBar(QWidget* parent = nullptr);

    void watch(JobRunner* runner);

    QLabel* lblStatus = nullptr;
    QProgressBar* PB = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void jobStarted();
    void jobEnded();
    void cancelJob();
    void showFigures(qint64 done, qint64 total, const QString& text);
    void showText();

    QPointer<JobRunner> m_runner;
    QShortcut* m_escape = nullptr;
    QString m_text;
};
