#include "process_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/types.h>

ProgramRun RunProgramAndWait(const QString& program, const QStringList& arguments, bool hidden, int limitMs)
{
    Q_UNUSED(hidden);
    ProgramRun run;
    // A program that outlives the wait must keep running, also after this
    // program ends: its process object is then never destroyed (that would
    // kill it) but released only when it finishes.
    auto* process = new QProcess();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->start();
    if (!process->waitForStarted(5000)) {
        run.status = ProgramRun::NotStarted;
        run.error = process->errorString();
        if (!QFileInfo::exists(program))
            run.error = QStringLiteral("The program %1 was not found.").arg(program);
        delete process;
        return run;
    }
    QElapsedTimer clock;
    clock.start();
    while (process->state() != QProcess::NotRunning && clock.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        process->waitForFinished(10);
    }
    if (process->state() != QProcess::NotRunning) {
        run.status = ProgramRun::TimedOut;
        run.pid = process->processId();
        // Let the program run on; the object is released when it ends.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return run;
    }
    QThread::msleep(10);
    run.status = ProgramRun::Finished;
    run.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    delete process;
    return run;
}

bool IsProgramRunning(qint64 pid)
{
    if (pid <= 0 || ::kill(pid_t(pid), 0) != 0)
        return false;
    // An ended child stays a zombie until it is collected.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || close + 2 >= line.size() || line.at(close + 2) != 'Z';
}
