#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh program folder in a temporary directory for one test: sets ExeDir
// and its three folders (created), DeviceType, the default settings and the
// English language table. Restores the workspace and DeviceType when done.
class TempProgramFolder
{
public:
    explicit TempProgramFolder(int deviceType = 29);
    ~TempProgramFolder();

    QString Path() const { return m_dir.path(); }

    // Creates PROJECTS/<name>/bin and opens it as the project (Set_Files-like
    // paths: every project file path is set).
    QString OpenProject(const QString& name = QStringLiteral("P"));

    // Writes a file relative to the program folder (folders created).
    QString Write(const QString& relative, const QByteArray& bytes) const;
    // Reads a file relative to the program folder (empty when missing).
    QByteArray Read(const QString& relative) const;

private:
    QTemporaryDir m_dir;
    int m_savedType;
};
