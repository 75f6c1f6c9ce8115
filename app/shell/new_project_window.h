#pragma once
#include "form_base.h"

class QLabel;
class QLineEdit;
class TLbButton;

// Creates a project: its folder under PROJECTS with bin/ inside, then opens it.
class TFNew_Project : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFNew_Project(QWidget* parent = nullptr);
    void Set_Lang() override;

    // Checks the name, creates the project and closes with OK, or tells why not.
    void Btn_OKClick();

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* E_New_Proj = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TFNew_Project* FNew_Project;
