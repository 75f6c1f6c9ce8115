#include "pending_family.h"

#include "par_gen_reader.h"
#include "workspace.h"

GenBlock Pending_Gen_Block(int deviceType)
{
    GenBlock block;
    Init_Gen_Param(block);
    Apply_Gen_Presets(block.Param, deviceType);
    const ParGen pg(File_ParGen);
    Read_Common_Fields(pg, block.Param, deviceType);
    return block;
}
