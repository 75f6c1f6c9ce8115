#include "program_folder.h"

#include "device_type.h"
#include "language.h"
#include "workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempProgramFolder::TempProgramFolder(int deviceType)
    : m_savedType(DeviceType)
{
    ResetWorkspace();
    DeviceType = deviceType;
    SetProgramFolders(m_dir.path());
    for (const QString& d : {ProjectsDir, MasterDir, LanguageDir})
        QDir().mkpath(d);
    LastIPAddress = QString::fromLatin1(DefaultIPAddress);
    LanguageName = QStringLiteral("English");
    SoftwareCode = SoftwareCodeOf(deviceType);
    SoftwareDesc = DescriptionOf(deviceType);
    MainCaption = MainCaptionOf(deviceType);
    Load_Default_Language();
}

TempProgramFolder::~TempProgramFolder()
{
    ResetWorkspace();
    DeviceType = m_savedType;
}

QString TempProgramFolder::OpenProject(const QString& name)
{
    ProjectName = name;
    ProjectPath = ProjectFolder(name);
    QDir().mkpath(ProjectPath + QStringLiteral("/bin"));
    for (const ProjectFile& f : ProjectFiles)
        *f.path = ProjectPath + QLatin1Char('/') + QString::fromLatin1(f.fileName);
    return ProjectPath;
}

QString TempProgramFolder::Write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = m_dir.path() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray TempProgramFolder::Read(const QString& relative) const
{
    QFile f(m_dir.path() + QLatin1Char('/') + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
