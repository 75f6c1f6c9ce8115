#include "gsdml_writer.h"

void Save_GSDML(const QString& name)
{
    Q_UNUSED(name);
}
