// M-Bus models (10, 21). The family (header and parameter blocks, node and
// variable table, SNMP records) is still to come: until it lands the build
// stops with a message instead of writing images the converter can't use.
#include "build_context.h"
#include "builders.h"
#include "compile_error.h"

void Build_MBus(BuildContext& ctx)
{
    throw CompileError(
        QStringLiteral("The configuration images of the M-Bus models are not available in this version."));
}
