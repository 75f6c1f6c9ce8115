#include "rec_info_window.h"

TF_Rec_Info* F_Rec_Info = nullptr;

TF_Rec_Info::TF_Rec_Info(QWidget* parent)
    : PlaceholderForm(parent, "F_Rec_Info", 24)
{
}
