#include "platform/text/user_registry.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {
QString& Override()
{
    static QString name;
    return name;
}
}  // namespace

QString UserRegistryFileName()
{
    if (!Override().isEmpty())
        return Override();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("orvano/user_registry.ini"));
}

void SetUserRegistryFileName(const QString& fileName)
{
    Override() = fileName;
}

}  // namespace platform
