#pragma once
#include "editors/byte_map_form.h"

// The byte map of the received CAN frames: CAN_Rec_Info.xml.
class TF_Rec_Info : public editors::ByteMapForm
{
    Q_OBJECT
public:
    explicit TF_Rec_Info(QWidget* parent = nullptr);
};

extern TF_Rec_Info* F_Rec_Info;
