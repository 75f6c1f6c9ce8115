#include "dnet_window.h"

#include "language.h"
#include "workspace.h"

TFDNet* FDNet = nullptr;

TFDNet::TFDNet(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FDNet"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFDNet::Set_Lang()
{
    setWindowTitle(Lang(26));
}
