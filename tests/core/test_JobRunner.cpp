// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppGlobals.h"
#include "core/JobProgressBar.h"
#include "core/JobProgressDialog.h"
#include "core/JobRunner.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestText.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {
// Records on which thread every box was shown.
class ThreadRecordingBox : public ScriptedMessageBox {
public:
    int present(const MessageBoxRequest& request) override
    {
        threads.append(QThread::currentThread());
        return ScriptedMessageBox::present(request);
    }
    QList<QThread*> threads;
};

// Works in small steps until it is cancelled, saying how far it is.
void workUntilCancelled(JobContext& context, std::atomic<bool>* ended = nullptr)
{
    for (qint64 step = 0; !context.cancelled(); ++step) {
        context.progress(step, 0, u("Schritt %1").arg(step));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (ended)
        *ended = true;
}

// A tool window with an embedded progress bar, and the results of its jobs.
struct ToolWindow {
    ToolWindow()
    {
        bar->watch(runner);
        (new QVBoxLayout(&window))->addWidget(bar);
        window.show();
    }
    QWidget window;
    JobRunner* runner = new JobRunner(&window);
    JobProgressBar* bar = new JobProgressBar(&window);
    QSignalSpy finished{runner, &JobRunner::finished};

    JobResult::Status lastStatus() const { return finished.last().at(0).value<JobResult>().status; }
};

} // namespace

TEST(JobRunner, AbbrechenAndEscapeStopTheJobWhileTheWindowKeepsRunning)
{
    const struct {
        const char* name;
        std::function<void(ToolWindow&)> cancel;
    } cases[] = {
        {"button", [](ToolWindow& w) { QTest::mouseClick(w.bar->cmdCancel, Qt::LeftButton); }},
        {"Escape", [](ToolWindow& w) { QTest::keyClick(&w.window, Qt::Key_Escape); }},
    };
    for (const auto& c : cases) {
        ToolWindow tool;
        // The window thread's own timer: a long gap between its ticks is a blocked window.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout,
                         [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        ticker.start(10);
        sinceTick.start();
        tool.runner->start([](JobContext& context) { workUntilCancelled(context); });
        EXPECT_TRUE(tool.bar->isVisible()) << c.name;
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return tool.bar->lblStatus->text().startsWith(u("Schritt ")); }));
        const QString seen = tool.bar->lblStatus->text();
        ASSERT_TRUE(QTest::qWaitFor([&] { return tool.bar->lblStatus->text() != seen; }))
            << c.name << ": the progress shown never moved on";

        QElapsedTimer cancelling;
        cancelling.start();
        c.cancel(tool);
        ASSERT_TRUE(tool.finished.count() == 1 || tool.finished.wait(5000)) << c.name;
        // The job notices within a step; the allowance only absorbs a loaded machine.
        EXPECT_LT(cancelling.elapsed(), 1000) << c.name;
        EXPECT_EQ(tool.lastStatus(), JobResult::Status::Cancelled) << c.name;
        EXPECT_FALSE(tool.bar->isVisible()) << c.name;
        EXPECT_LT(longestGap, 500) << c.name;
    }
}

TEST(JobRunner, FailureIsShownOnTheWindowThreadOrHandedBack)
{
    ThreadRecordingBox boxes;
    ToolWindow tool;
    tool.runner->setErrorPlace(u("frmTest"), u("Run"));
    tool.runner->start([](JobContext&) {
        throw AppErrorRecord(RuntimeError::FileNotFound, u("pCopy"), u("Die Datei fehlt."));
    });
    ASSERT_TRUE(tool.finished.wait(5000));
    EXPECT_EQ(tool.lastStatus(), JobResult::Status::Failed);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().contains(u("Die Datei fehlt."))) << boxes.lastText().toStdString();
    EXPECT_EQ(boxes.threads.value(0), QThread::currentThread());

    // Without a place the caller gets the error and decides.
    tool.runner->setErrorPlace({}, {});
    tool.runner->start([](JobContext&) { throw std::bad_alloc(); });
    ASSERT_TRUE(tool.finished.wait(5000));
    const JobResult failed = tool.finished.last().at(0).value<JobResult>();
    ASSERT_TRUE(failed.error.has_value());
    EXPECT_EQ(failed.error->Number, RuntimeError::OutOfMemory);
    EXPECT_EQ(boxes.count(), 1);
}

TEST(JobRunner, QuestionsAndResultsReachTheWindowThreadInOrder)
{
    ThreadRecordingBox boxes;
    boxes.queueAnswer(MsgResult::Cancel);
    ToolWindow tool;
    QList<int> arrived;
    int answer = 0;
    int arrivedAtEnd = -1;
    QObject::connect(tool.runner, &JobRunner::finished, [&] { arrivedAtEnd = arrived.size(); });
    tool.runner->start([&](JobContext& context) {
        for (int i = 0; i < 50; ++i)
            context.deliver([&arrived, i] { arrived.append(i); });
        answer = context.askMessage(Msg::TargetExistsOverwrite,
                                    MsgStyle::OkCancel | MsgStyle::Exclamation, u("a.txt"));
        for (int i = 50; i < 100; ++i)
            context.deliver([&arrived, i] { arrived.append(i); });
    });
    ASSERT_TRUE(tool.finished.wait(5000));
    EXPECT_EQ(tool.lastStatus(), JobResult::Status::Done);
    EXPECT_EQ(answer, MsgResult::Cancel);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].text, AppErr().MsgLoad(Msg::TargetExistsOverwrite, u("a.txt")));
    EXPECT_EQ(boxes.threads.value(0), QThread::currentThread());
    EXPECT_EQ(arrivedAtEnd, 100);
    for (int i = 0; i < arrived.size(); ++i)
        ASSERT_EQ(arrived[i], i);
}

TEST(JobRunner, ClosingTheWindowCancelsTheJobAndWaitsForIt)
{
    // Closed while the job works, or while it waits for an answer.
    for (const bool asking : {false, true}) {
        const char* name = asking ? "while asking" : "while working";
        ToolWindow tool;
        std::atomic<bool> ended = false;
        int answer = 0;
        tool.runner->start([&](JobContext& context) {
            if (asking)
                answer = context.ask([&] {
                    tool.window.close();
                    return MsgResult::Ok;
                });
            workUntilCancelled(context, &ended);
        });
        if (asking) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !tool.window.isVisible(); })) << name;
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !tool.bar->lblStatus->text().isEmpty(); }));
            tool.window.close();
        }
        EXPECT_TRUE(ended) << name << ": close() returned before the job ended";
        EXPECT_FALSE(tool.runner->isRunning()) << name;
        ASSERT_EQ(tool.finished.count(), 1) << name;
        EXPECT_EQ(tool.lastStatus(), JobResult::Status::Cancelled) << name;
        EXPECT_EQ(answer, asking ? MsgResult::Cancel : 0) << name;
    }
}

TEST(JobProgressDialog, EscapeCancelsAndTheWindowClosesWhenTheJobHasStopped)
{
    QWidget owner;
    owner.show();
    QString title;
    QTimer::singleShot(0, [&] {
        JobProgressDialog* dialog = JobProgressDialog::current();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->bar()->lblStatus->text().isEmpty(); }));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    const JobResult cancelled = JobProgressDialog::run(
        &owner, u("Vergleich"),
        std::make_shared<FunctionJob>([](JobContext& context) { workUntilCancelled(context); }));
    EXPECT_EQ(title, u("Vergleich"));
    EXPECT_EQ(cancelled.status, JobResult::Status::Cancelled);
    EXPECT_EQ(JobProgressDialog::current(), nullptr);
}
