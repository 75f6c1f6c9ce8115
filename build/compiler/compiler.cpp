#include "compiler.h"

#include "atomic_file.h"
#include "bank_table.h"
#include "build_context.h"
#include "compile_error.h"
#include "device_type.h"
#include "language.h"
#include "workspace.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace {

void SetError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// The project's folder must still be there: building never re-creates it,
// or a later update would send a project of defaults.
bool ProjectFolderExists(const QString& projectPath, QString* error)
{
    if (QFileInfo(projectPath).isDir())
        return true;
    SetError(error, Lang(1104) + QLatin1Char('\n') + QDir::toNativeSeparators(projectPath));
    return false;
}

} // namespace

bool Build_Banks(int deviceType, QList<BankFile>& files, QString* error)
{
    files.clear();
    const BuilderRow* builder = Find_Builder(deviceType);
    const BankFileRow* bankFiles = Find_Bank_Files(deviceType);
    if (!builder || !bankFiles) {
        SetError(error, QStringLiteral("No configuration image is defined for device type %1.").arg(deviceType));
        return false;
    }
    try {
        auto ctx = std::make_unique<BuildContext>(deviceType);
        builder->build(*ctx);
        QList<BankFile> out;
        for (int i = 0; i < BankFileCount; ++i) {
            if (bankFiles->files[i] == BankSource::None)
                continue;
            out.append({QString::fromLatin1(BankFileNames[i]), Bank_Source_Bytes(ctx->banks, bankFiles->files[i])});
        }
        files = out;
        return true;
    } catch (const CompileError& e) {
        SetError(error, e.Message());
        return false;
    }
}

bool Save_Banks(const QString& projectPath, const QList<BankFile>& files, QString* error)
{
    if (projectPath.isEmpty()) {
        SetError(error, QStringLiteral("No project is open."));
        return false;
    }
    if (!ProjectFolderExists(projectPath, error))
        return false;
    const QString bin = projectPath + QStringLiteral("/bin");
    if (!QFileInfo(bin).isDir() && !QDir(projectPath).mkdir(QStringLiteral("bin"))) {
        SetError(error, QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(bin)));
        return false;
    }
    for (const BankFile& f : files) {
        const QString path = bin + QLatin1Char('/') + f.name;
        QString message;
        if (!WriteFileAtomically(path, f.bytes, &message)) {
            SetError(error, message);
            return false;
        }
    }
    return true;
}

bool Build_And_Save_Banks(QString* error)
{
    if (ProjectPath.isEmpty()) {
        SetError(error, QStringLiteral("No project is open."));
        return false;
    }
    if (!ProjectFolderExists(ProjectPath, error))
        return false;
    QList<BankFile> files;
    return Build_Banks(DeviceType, files, error) && Save_Banks(ProjectPath, files, error);
}
