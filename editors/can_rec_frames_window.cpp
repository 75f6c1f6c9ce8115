#include "can_rec_frames_window.h"

#include "language.h"
#include "workspace.h"

TFCAN_Rec_Frames* FCAN_Rec_Frames = nullptr;

TFCAN_Rec_Frames::TFCAN_Rec_Frames(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FCAN_Rec_Frames"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFCAN_Rec_Frames::Set_Lang()
{
    setWindowTitle(Lang(22));
}
