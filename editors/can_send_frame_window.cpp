#include "can_send_frame_window.h"

#include "language.h"
#include "workspace.h"

TFCAN_Send_Frame* FCAN_Send_Frame = nullptr;

TFCAN_Send_Frame::TFCAN_Send_Frame(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FCAN_Send_Frame"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFCAN_Send_Frame::Set_Lang()
{
    setWindowTitle(Lang(23));
}
