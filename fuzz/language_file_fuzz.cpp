// Any bytes as a language file: read over the built-in table, which keeps its size.
#include "app/common/language.h"
#include "app/common/lang_builtin.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("Fuzz.lng"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    Load_Default_Language();
    Read_Language_File(path);
    if (LangTable.size() != LangTableSize)
        std::abort();
    return 0;
}
