#include "generators/gsdml_file_name.h"

#include "generators/frame_files.h"
#include "generators/gsdml_models.h"

namespace gen {

QString Gsdml_First_Part(int deviceType)
{
    const char* code = GsdmlFileModelCode(deviceType);
    return code ? QStringLiteral("GSDML-V2.31-Keltrona-") + QLatin1String(code) : QStringLiteral("GSDML-V2.25-Keltrona-");
}

QString Gsdml_Second_Part(const QDate& date)
{
    return QLatin1Char('-') + date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".xml");
}

QString Compose_Gsdml_Name(const QString& first, const QString& user, const QString& second)
{
    if (TrimControls(user).isEmpty())
        return first + second;
    if (user.startsWith(QLatin1Char('_')))
        return first + user + second;
    return first + QLatin1Char('_') + user + second;
}

bool Gsdml_User_Part_Allowed(const QString& user)
{
    return !user.contains(QLatin1Char('/')) && !user.contains(QChar(0));
}

} // namespace gen
