#include "process_runner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

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

TEST(ProcessRunner, WaitsForTheProgramAndGivesItsExitCode)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("args"));
    const QString prog = Script(dir, "p.sh", "sleep 0.3; printf '%s\\n' \"$@\" > \"$OUT\"; exit 3\n");
    qputenv("OUT", out.toLocal8Bit());
    QElapsedTimer t;
    t.start();
    const ProgramRun run = RunProgramAndWait(prog, {QStringLiteral("a b"), QStringLiteral("$(x);y"), QString()}, true, 5000);
    EXPECT_GE(t.elapsed(), 250);
    EXPECT_LT(t.elapsed(), 4000);
    EXPECT_EQ(run.status, ProgramRun::Finished);
    EXPECT_EQ(run.exitCode, 3);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // Each argument arrives as one, with no shell interpreting it.
    EXPECT_EQ(f.readAll(), QByteArray("a b\n$(x);y\n\n"));
}

TEST(ProcessRunner, MissingProgramIsReportedAtOnce)
{
    QTemporaryDir dir;
    QElapsedTimer t;
    t.start();
    const ProgramRun run = RunProgramAndWait(dir.filePath(QStringLiteral("absent")), {}, true, 5000);
    EXPECT_EQ(run.status, ProgramRun::NotStarted);
    EXPECT_FALSE(run.error.isEmpty());
    EXPECT_LT(t.elapsed(), 2000);
}

TEST(ProcessRunner, ProgramOutlivingTheLimitKeepsRunning)
{
    QTemporaryDir dir;
    const QString prog = Script(dir, "s.sh", "exec sleep 30\n");
    QElapsedTimer t;
    t.start();
    const ProgramRun run = RunProgramAndWait(prog, {}, true, 400);
    EXPECT_GE(t.elapsed(), 400);
    EXPECT_LT(t.elapsed(), 3000);
    ASSERT_EQ(run.status, ProgramRun::TimedOut);
    ASSERT_GT(run.pid, 0);
    EXPECT_EQ(::kill(static_cast<pid_t>(run.pid), 0), 0);   // still alive
    ::kill(static_cast<pid_t>(run.pid), SIGKILL);
}

} // namespace
