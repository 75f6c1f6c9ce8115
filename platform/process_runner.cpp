#include "process_runner.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace platform {

namespace {

constexpr int kPollMs = 10;

} // namespace

ProgramRunner::ProgramRunner(QObject* parent)
    : QObject(parent)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &ProgramRunner::Poll);
}

ProgramRunner::~ProgramRunner()
{
    // A program still running goes on; IsProgramRunning collects it later.
    m_poll.stop();
}

bool ProgramRunner::Start(const QString& program, const QStringList& arguments, bool hidden, int limitMs)
{
    Q_UNUSED(hidden);
    if (m_running)
        return false;
    m_running = true;
    m_limitMs = limitMs;
    m_run = ProgramRun();

    std::vector<QByteArray> args;
    args.push_back(QFile::encodeName(program));
    for (const QString& a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The program inherits the standard channels and nothing else.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = 0;
    const int err = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) {
        m_run.status = ProgramRun::NotStarted;
        m_run.error = QFileInfo::exists(program) ? QString::fromLocal8Bit(std::strerror(err))
                                                 : QStringLiteral("The program %1 was not found.").arg(program);
        QTimer::singleShot(0, this, &ProgramRunner::Report);
        return true;
    }
    m_pid = pid;
    m_clock.start();
    m_poll.start();
    return true;
}

void ProgramRunner::Poll()
{
    int status = 0;
    const pid_t r = ::waitpid(pid_t(m_pid), &status, WNOHANG);
    if (r == pid_t(m_pid) || (r < 0 && errno == ECHILD)) {
        m_poll.stop();
        m_pid = 0;
        m_run.status = ProgramRun::Finished;
        m_run.exitCode = r > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        // One more pause after the end, as the wait always did.
        QTimer::singleShot(kPollMs, this, &ProgramRunner::Report);
        return;
    }
    if (m_clock.elapsed() >= m_limitMs) {
        m_poll.stop();
        m_run.status = ProgramRun::TimedOut;
        m_run.pid = m_pid;
        m_pid = 0;
        Report();
    }
}

void ProgramRunner::Report()
{
    m_running = false;
    const ProgramRun run = m_run;
    emit Finished(run);
}

bool IsProgramRunning(qint64 pid)
{
    if (pid <= 0)
        return false;
    int status = 0;
    const pid_t r = ::waitpid(pid_t(pid), &status, WNOHANG);
    if (r == pid_t(pid))
        return false;   // ended, and now collected
    if (r == 0)
        return true;
    // Not a child of this program: ask the system. An ended program that
    // nobody collected yet is a zombie and counts as ended.
    if (::kill(pid_t(pid), 0) != 0)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || close + 2 >= line.size() || line.at(close + 2) != 'Z';
}

} // namespace platform
