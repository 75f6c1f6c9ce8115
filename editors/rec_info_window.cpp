#include "rec_info_window.h"

#include "language.h"
#include "workspace.h"

TF_Rec_Info* F_Rec_Info = nullptr;

TF_Rec_Info::TF_Rec_Info(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("F_Rec_Info"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TF_Rec_Info::Set_Lang()
{
    setWindowTitle(Lang(24));
}
