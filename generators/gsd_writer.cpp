#include "gsd_writer.h"

void Save_GSD()
{
}
