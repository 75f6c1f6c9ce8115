#include "eds_writer.h"

void Write_EDS(const QString& fileName)
{
    Q_UNUSED(fileName);
}
