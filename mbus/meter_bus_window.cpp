#include "meter_bus_window.h"

#include "language.h"
#include "workspace.h"

TFMeter_Bus* FMeter_Bus = nullptr;

TFMeter_Bus::TFMeter_Bus(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FMeter_Bus"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFMeter_Bus::Set_Lang()
{
    setWindowTitle(Lang(36));
}
