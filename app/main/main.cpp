#include "controls/grid/dropdown_editors/grid_dropdown_editors.h"
#include "device_type.h"
#include "program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    DeviceType = ORVANO_DEVICE_TYPE;
    QApplication app(argc, argv);
    grid::InstallDropDownEditors();
    return RunProgram();
}
