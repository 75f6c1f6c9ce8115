#pragma once
// Shared helpers of the generator tests: an open project with files, the
// save dialog's chooser, the clock, the lines of an output and the outside
// checkers run from an argument list.
#include "tests/build/compiler/table_file_fixture.h"

#include "app/forms/save_dialog.h"
#include "message_recorder.h"
#include "platform/local_clock.h"
#include "qt_print.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// A program folder of the type with project P open.
class GenProject
{
public:
    explicit GenProject(int type) : m_folder(type) { m_folder.OpenProject(); }
    void WriteFile(const QString& path, const QByteArray& bytes) const
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(bytes);
    }
    QString Folder() const { return ProjectPath; }

private:
    TempProgramFolder m_folder;
};

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The save dialog answers with the chosen path ("" cancels) for its lifetime
// and remembers what it was shown.
class ChooserAnswer
{
public:
    explicit ChooserAnswer(QString chosen) : m_chosen(std::move(chosen))
    {
        SaveFileDialog::SetChooser([this](const SaveFileDialog& d) {
            ++calls;
            filter = d.Filter;
            initialDir = d.InitialDir;
            proposed = d.FileName;
            return m_chosen;
        });
    }
    ~ChooserAnswer() { SaveFileDialog::SetChooser(nullptr); }

    int calls = 0;
    QString filter, initialDir, proposed;

private:
    QString m_chosen;
};

// The local clock stands at a given time for its lifetime.
class ClockAt
{
public:
    explicit ClockAt(const QDateTime& t) : m_now(t)
    {
        LocalClock::Set([this] { return m_now; });
    }
    ~ClockAt() { LocalClock::Set(nullptr); }
    void Set(const QDateTime& t) { m_now = t; }

private:
    QDateTime m_now;
};

// The lines of a generated file: it must end in CR LF and hold no bare LF.
inline QStringList CrLfLines(const QByteArray& bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString& l : lines)
        EXPECT_FALSE(l.contains(QLatin1Char('\n')) || l.contains(QLatin1Char('\r'))) << l.toStdString();
    return lines;
}

// An outside program's exit code and what it printed.
struct ToolRun
{
    int exitCode = -1;
    QString output;
};

inline ToolRun RunTool(const QString& program, const QStringList& args, const QStringList& env = {})
{
    ToolRun r;
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env)
        e.insert(kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(e);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = QString::fromLocal8Bit(p.readAll());
    return r;
}

// The path of an outside checker; the test fails when it is not installed
// (tools/setup installs it).
inline QString Tool(const char* name)
{
    const QString path = QStandardPaths::findExecutable(QLatin1String(name));
    EXPECT_FALSE(path.isEmpty()) << name << " is not installed (tools/setup)";
    return path;
}
