#include "sen_info_window.h"

TF_Sen_Info* F_Sen_Info = nullptr;

TF_Sen_Info::TF_Sen_Info(QWidget* parent) : editors::ByteMapForm(parent, editors::kSendInfo)
{
}
