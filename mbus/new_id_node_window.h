#pragma once
#include "app/forms/form_base.h"

#include <functional>

class QLabel;
class QLineEdit;
class QRadioButton;
class TLbButton;

// The address of a node about to be pasted: primary or secondary, checked
// on OK by the editor's rule (Check).
class TFNewIDNode : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFNewIDNode(QWidget* parent = nullptr);
    void Set_Lang() override;

    // Fills the radio and both edits before showing.
    void Prepare(bool secondary, int primary, int secondaryAddress);
    void Btn_OKClick();

    // The OK check: (secondary, primary text, secondary text) -> accepted.
    std::function<bool(bool, const QString&, const QString&)> Check;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* RB_ID_Primary = nullptr;
    QRadioButton* RB_ID_Secondary = nullptr;
    QLineEdit* E_New_Node_ID_Pri = nullptr;
    QLineEdit* E_New_Node_ID_Sec = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
};

extern TFNewIDNode* FNewIDNode;
