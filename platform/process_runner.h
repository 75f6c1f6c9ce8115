#pragma once
#include <QString>
#include <QStringList>

// Outcome of running an external program and waiting for it.
struct ProgramRun
{
    enum Status { Finished, NotStarted, TimedOut };
    Status status = NotStarted;
    int exitCode = -1;      // when Finished
    QString error;          // when NotStarted: the reason
    qint64 pid = 0;         // when TimedOut: the program still running
};

// Runs program with arguments (no shell is involved) and waits until it ends
// or limitMs have passed, polling every 10 ms. While waiting, windows repaint
// but take no user input. A program still running at the limit is left
// running. hidden asks for no window where that means anything.
ProgramRun RunProgramAndWait(const QString& program, const QStringList& arguments, bool hidden,
                             int limitMs = 150000);

// Whether the program with this process id (one started by RunProgramAndWait)
// is still running; a program that has ended but was not yet collected counts
// as ended.
bool IsProgramRunning(qint64 pid);
