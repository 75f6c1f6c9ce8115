#pragma once
#include "app/forms/form_base.h"

class QLabel;
class QLineEdit;
class TLbButton;

// The key of an encrypted wireless meter: 32 hexadecimal digits, turned to
// upper case as they are typed.
class TFInsertKeyWireless : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFInsertKeyWireless(QWidget* parent = nullptr);
    void Set_Lang() override;
    void Btn_OKClick();

    QLabel* L_InsKey = nullptr;
    QLineEdit* E_Key = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

extern TFInsertKeyWireless* FInsertKeyWireless;
