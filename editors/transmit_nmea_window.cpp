#include "transmit_nmea_window.h"

#include "language.h"
#include "workspace.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

TFTransmitNMEA::TFTransmitNMEA(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FTransmitNMEA"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFTransmitNMEA::Set_Lang()
{
    setWindowTitle(Lang(32));
}
