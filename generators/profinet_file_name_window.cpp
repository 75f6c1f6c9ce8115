#include "profinet_file_name_window.h"

#include "language.h"
#include "workspace.h"

TFProfinetFileName* FProfinetFileName = nullptr;

TFProfinetFileName::TFProfinetFileName(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FProfinetFileName"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFProfinetFileName::Set_Lang()
{
    setWindowTitle(Lang(21));
}
