#include "receive_j1939_window.h"

#include "language.h"
#include "workspace.h"

TFReceiveJ1939* FReceiveJ1939 = nullptr;

TFReceiveJ1939::TFReceiveJ1939(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FReceiveJ1939"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFReceiveJ1939::Set_Lang()
{
    setWindowTitle(Lang(29));
}
