#include "receive_nmea_window.h"

#include "language.h"
#include "workspace.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

TFReceiveNMEA::TFReceiveNMEA(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FReceiveNMEA"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFReceiveNMEA::Set_Lang()
{
    setWindowTitle(Lang(31));
}
