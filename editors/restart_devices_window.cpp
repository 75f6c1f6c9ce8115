#include "restart_devices_window.h"

#include "language.h"
#include "workspace.h"

TFReStart_Devices* FReStart_Devices = nullptr;

TFReStart_Devices::TFReStart_Devices(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FReStart_Devices"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFReStart_Devices::Set_Lang()
{
    setWindowTitle(QStringLiteral("ReStart Devices"));
}
