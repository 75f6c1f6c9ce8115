#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace platform {

// Outcome of running an external program and waiting for it.
struct ProgramRun
{
    enum Status { Finished, NotStarted, TimedOut };
    Status status = NotStarted;
    int exitCode = -1;      // when Finished (-1: it did not end normally)
    QString error;          // when NotStarted: the reason
    qint64 pid = 0;         // when TimedOut: the program still running
};

// Runs one external program from an argument list (no shell) and reports
// through Finished when it has ended or has outlived the limit, always later
// from the event loop. Its state is polled every 10 ms by a timer: nothing
// waits on the caller's thread, so the caller's window goes on handling (or
// refusing) input and nothing is kept for after the run. A program still
// running at the limit, or when the runner is destroyed, is left running.
// hidden asks for no window where that means anything.
class ProgramRunner : public QObject
{
    Q_OBJECT
public:
    explicit ProgramRunner(QObject* parent = nullptr);
    ~ProgramRunner() override;

    // False (and nothing started) while a run is under way.
    bool Start(const QString& program, const QStringList& arguments, bool hidden, int limitMs = 150000);
    bool IsRunning() const { return m_running; }

signals:
    void Finished(const platform::ProgramRun& run);

private:
    void Poll();
    void Report();

    QTimer m_poll;
    QElapsedTimer m_clock;
    qint64 m_pid = 0;
    int m_limitMs = 0;
    bool m_running = false;
    ProgramRun m_run;
};

// Whether the program with this process id (one a ProgramRunner left
// running) still runs; an ended program is collected here.
bool IsProgramRunning(qint64 pid);

} // namespace platform
