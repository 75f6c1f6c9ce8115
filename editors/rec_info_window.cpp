#include "rec_info_window.h"

TF_Rec_Info* F_Rec_Info = nullptr;

TF_Rec_Info::TF_Rec_Info(QWidget* parent) : editors::ByteMapForm(parent, editors::kRecInfo)
{
}
