#pragma once
#include "editors/advance_functions.h"
#include "form_base.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class TLbButton;

namespace grid {
class TGridWidget;
}

// The converter's run-time switches over UDP: poll status (B0/B1), error
// counters (B2), transparent mode (B3/B4) and the slave and poll switches
// (B5/B6), over the headless AdvanceFunctions.
class TFAdvanceFunctions : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFAdvanceFunctions(QWidget* parent = nullptr, editors::DiagnosticsPorts ports = {});
    ~TFAdvanceFunctions() override;

    void Set_Lang() override;
    editors::AdvanceFunctions& Model() { return model_; }

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QWidget* Panel_IP_Address = nullptr;
    QLabel* L_IP_Address = nullptr;
    QLineEdit* E_IP_Address = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TS_B0B1 = nullptr;
    QWidget* TS_B2 = nullptr;
    QWidget* TS_B3B4 = nullptr;
    QWidget* TS_B5B6 = nullptr;
    TLbButton* Btn_Read_Status = nullptr;
    TLbButton* Btn_Write_Status = nullptr;
    TLbButton* Btn_Copy = nullptr;
    grid::TGridWidget* ACG = nullptr;
    TLbButton* Btn_Read_Errors = nullptr;
    grid::TGridWidget* ACG2 = nullptr;
    QLabel* L_RS_TransparentMode = nullptr;
    TLbButton* Btn_Read_Status_Transparent_Mode = nullptr;
    QLabel* L_Status_TransparenMode = nullptr;
    QLabel* L_WS_TransparentMode = nullptr;
    QComboBox* CB_WS_TransparentMode = nullptr;
    TLbButton* Btn_Write_Status_Transparent_Mode = nullptr;
    QLabel* L_Title_B5 = nullptr;
    QLabel* L_B5_IDDlave = nullptr;
    QLineEdit* E_B5_IDSlave = nullptr;
    QComboBox* CB_B5_EnableDisable = nullptr;
    TLbButton* Btn_B5_Write = nullptr;
    QLabel* L_Title_B6 = nullptr;
    QLabel* L_B6_NumPoll = nullptr;
    QLineEdit* E_B6_NumPoll = nullptr;
    QComboBox* CB_B6_EnableDisable = nullptr;
    TLbButton* Btn_B6_Write = nullptr;
    TLbButton* Btn_Exit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    editors::AdvanceFunctions model_;
};

extern TFAdvanceFunctions* FAdvanceFunctions;
