#include "compiler.h"

bool Build_And_Save_Banks(QString* error)
{
    Q_UNUSED(error);
    return true;
}
