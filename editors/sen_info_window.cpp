#include "sen_info_window.h"

#include "language.h"
#include "workspace.h"

TF_Sen_Info* F_Sen_Info = nullptr;

TF_Sen_Info::TF_Sen_Info(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("F_Sen_Info"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TF_Sen_Info::Set_Lang()
{
    setWindowTitle(Lang(25));
}
