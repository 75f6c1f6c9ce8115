#include "par_gen_window.h"

#include "language.h"
#include "workspace.h"

#include <QLabel>

TFParGen* FParGen = nullptr;

TFParGen::TFParGen(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FParGen"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(312, 200);
    Set_Lang();
}

void TFParGen::Set_Lang()
{
    setWindowTitle(Lang(86));
}
