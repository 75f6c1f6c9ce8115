// Any bytes as one project file of one model, then the model's build in memory:
// a message or bank images, never a crash. Byte 0 picks the model, byte 1 the
// file; the rest is the file.
#include "app/common/device_type.h"
#include "app/common/workspace.h"
#include "build/compiler/compiler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static QTemporaryDir dir;
    int count = 0;
    const DeviceTypeInfo* types = AllDeviceTypes(&count);
    const int type = types[data[0] % count].type;
    const ProjectFile& target = ProjectFiles[data[1] % 21];

    ProjectPath = dir.path();
    for (const ProjectFile& f : ProjectFiles) {
        *f.path = dir.filePath(QString::fromLatin1(f.fileName));
        QFile::remove(*f.path);
    }
    QFile file(*target.path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(reinterpret_cast<const char*>(data + 2), qint64(size - 2));
    file.close();

    DeviceType = type;
    QList<BankFile> banks;
    QString error;
    if (Build_Banks(type, banks, &error)) {
        if (banks.isEmpty())
            std::abort();
    } else if (error.isEmpty()) {
        std::abort();
    }
    return 0;
}
