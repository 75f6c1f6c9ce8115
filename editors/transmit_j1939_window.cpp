#include "transmit_j1939_window.h"

#include "language.h"
#include "workspace.h"

TFTransmitJ1939* FTransmitJ1939 = nullptr;

TFTransmitJ1939::TFTransmitJ1939(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FTransmitJ1939"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFTransmitJ1939::Set_Lang()
{
    setWindowTitle(Lang(30));
}
