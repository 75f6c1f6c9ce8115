#pragma once
#include "app/forms/form_base.h"

class QLabel;
class QLineEdit;
class TLbButton;

// The start Modbus register asked when scan results are added to a file.
class TFScanModbusStart : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFScanModbusStart(QWidget* parent = nullptr);
    void Set_Lang() override;
    void Btn_OKClick();

    int32_t StartModAdd = 0;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* L_StartModAdd = nullptr;
    QLineEdit* E_StartModAdd = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
};

extern TFScanModbusStart* FScanModbusStart;
