#pragma once
#include "app/forms/form_base.h"

class QLabel;
class QLineEdit;
class QWidget;
class TLbButton;

// The GSDML file name: two fixed parts around the part the user types. The
// date of the second part is taken when the window is created, and the user
// part keeps its text from one showing to the next.
class TFProfinetFileName : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFProfinetFileName(QWidget* parent = nullptr);
    void Set_Lang() override;

    // Composes Name_File_XML and closes with OK; a user part that a file name
    // cannot hold is refused and the window stays open.
    void Btn_OK_Click();

    // The composed file name (no folder) once the window closes with OK.
    QString Name_File_XML;

    QWidget* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* L_Select_Name = nullptr;
    QLabel* L_FixPart_1 = nullptr;
    QLabel* L_XML_Fix1 = nullptr;
    QLabel* L_UsedPart = nullptr;
    QLineEdit* E_XML_User = nullptr;
    QLabel* L_FixPart_2 = nullptr;
    QLabel* L_XML_Fix2 = nullptr;
    QWidget* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
};

extern TFProfinetFileName* FProfinetFileName;
