#include "mib_writer.h"

void Save_MIB()
{
}
