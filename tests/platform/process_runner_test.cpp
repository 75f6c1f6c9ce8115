#include "platform/process_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using platform::IsProgramRunning;
using platform::ProgramRun;
using platform::ProgramRunner;

namespace {

QString Script(const QTemporaryDir& dir, const char* name, const QByteArray& body)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body);
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// A run through a runner; the event loop turns meanwhile and counts its timer ticks.
struct WatchedRun
{
    ProgramRunner runner;
    std::optional<ProgramRun> outcome;
    bool reportedInsideStart = false;
    int ticks = 0;
    qint64 took = 0;

    WatchedRun(const QString& program, const QStringList& arguments, int limitMs)
    {
        QObject::connect(&runner, &ProgramRunner::Finished, [this](const ProgramRun& r) { outcome = r; });
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [this] { ++ticks; });
        tick.start(20);
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(runner.Start(program, arguments, true, limitMs));
        reportedInsideStart = outcome.has_value();
        while (!outcome && clock.elapsed() < limitMs + 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
        took = clock.elapsed();
    }
};

TEST(ProcessRunner, ReportsTheEndAndExitCodeWhileTheEventLoopGoesOn)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("args"));
    const QString prog = Script(dir, "p.sh", "sleep 0.3; printf '%s\\n' \"$@\" > \"$OUT\"; exit 3\n");
    qputenv("OUT", out.toLocal8Bit());
    WatchedRun run(prog, {QStringLiteral("a b"), QStringLiteral("$(x);y"), QString()}, 5000);
    ASSERT_TRUE(run.outcome.has_value());
    EXPECT_FALSE(run.reportedInsideStart);
    EXPECT_EQ(run.outcome->status, ProgramRun::Finished);
    EXPECT_EQ(run.outcome->exitCode, 3);
    EXPECT_GE(run.took, 250);
    EXPECT_LT(run.took, 4000);
    EXPECT_GE(run.ticks, 8);   // nothing blocked the loop
    EXPECT_FALSE(run.runner.IsRunning());
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // Each argument arrives as one, with no shell interpreting it.
    EXPECT_EQ(f.readAll(), QByteArray("a b\n$(x);y\n\n"));
}

TEST(ProcessRunner, OneRunAtATime)
{
    QTemporaryDir dir;
    const QString prog = Script(dir, "q.sh", "sleep 0.2\n");
    ProgramRunner runner;
    int reports = 0;
    QObject::connect(&runner, &ProgramRunner::Finished, [&](const ProgramRun&) { ++reports; });
    ASSERT_TRUE(runner.Start(prog, {}, true, 5000));
    EXPECT_TRUE(runner.IsRunning());
    EXPECT_FALSE(runner.Start(prog, {}, true, 5000));
    QElapsedTimer clock;
    clock.start();
    while (runner.IsRunning() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(reports, 1);
    // Then the next one.
    ASSERT_TRUE(runner.Start(prog, {}, true, 5000));
    while (runner.IsRunning() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(reports, 2);
}

TEST(ProcessRunner, ProgramsThatCannotStartAreReportedFromTheEventLoop)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    QFile f(text);
    f.open(QIODevice::WriteOnly);
    f.write("no program");
    f.close();
    const struct
    {
        QString program;
        const char* error;
    } cases[] = {
        {dir.filePath(QStringLiteral("absent")), "was not found"},
        {text, "denied"},
    };
    for (const auto& c : cases) {
        WatchedRun run(c.program, {}, 5000);
        ASSERT_TRUE(run.outcome.has_value());
        EXPECT_FALSE(run.reportedInsideStart);
        EXPECT_EQ(run.outcome->status, ProgramRun::NotStarted);
        EXPECT_TRUE(run.outcome->error.contains(QLatin1String(c.error))) << run.outcome->error.toStdString();
        EXPECT_LT(run.took, 2000);
    }
}

TEST(ProcessRunner, AProgramOutlivingTheLimitOrTheRunnerKeepsRunning)
{
    QTemporaryDir dir;
    const QString prog = Script(dir, "s.sh", "exec sleep 30\n");
    WatchedRun run(prog, {}, 400);
    ASSERT_TRUE(run.outcome.has_value());
    EXPECT_GE(run.took, 400);
    EXPECT_LT(run.took, 3000);
    ASSERT_EQ(run.outcome->status, ProgramRun::TimedOut);
    const qint64 pid = run.outcome->pid;
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(IsProgramRunning(pid));
    ::kill(pid_t(pid), SIGKILL);
    QElapsedTimer clock;
    clock.start();
    while (IsProgramRunning(pid) && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(IsProgramRunning(pid));
    EXPECT_NE(::kill(pid_t(pid), 0), 0);   // collected, no zombie left

    // A runner destroyed while its program runs leaves the program running.
    qint64 orphan = 0;
    {
        const QString out = dir.filePath(QStringLiteral("pid"));
        const QString writer = Script(dir, "w.sh", "echo $$ > \"" + out.toLocal8Bit() + "\"\nexec sleep 30\n");
        ProgramRunner runner;
        ASSERT_TRUE(runner.Start(writer, {}, true, 5000));
        clock.restart();
        while (QFileInfo(out).size() < 2 && clock.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QFile pidFile(out);
        ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
        orphan = pidFile.readAll().trimmed().toLongLong();
    }
    ASSERT_GT(orphan, 0);
    EXPECT_TRUE(IsProgramRunning(orphan));
    ::kill(pid_t(orphan), SIGKILL);
    clock.restart();
    while (IsProgramRunning(orphan) && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(IsProgramRunning(orphan));
}

TEST(ProcessRunner, TheProgramGetsOnlyTheStandardChannels)
{
    QTemporaryDir dir;
    // A descriptor of ours that is not closed on exec.
    const int fd = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::dup2(fd, 77), 77);
    ::close(fd);
    const QString prog = Script(dir, "fd.sh", "[ -e /proc/$$/fd/77 ] && exit 1\n[ -e /proc/$$/fd/2 ] || exit 2\nexit 0\n");
    WatchedRun run(prog, {}, 5000);
    ::close(77);
    ASSERT_TRUE(run.outcome.has_value());
    EXPECT_EQ(run.outcome->status, ProgramRun::Finished);
    EXPECT_EQ(run.outcome->exitCode, 0);
}

} // namespace
