#pragma once
#include "app/forms/form_base.h"

#include "mbus/models/network_editor.h"

#include <QComboBox>
#include <functional>
#include <map>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class TExPageControl;
class TLbButton;

// A drop-down whose list may be wider than the box; the list then opens
// aligned to the box's right edge.
class TWideComboBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    // The list's width: the widest item plus extra, when wider than the box.
    void Select_Width_ComboBox(int extra);
    int PopupWidth() const { return m_popupWidth; }

protected:
    void showPopup() override;

private:
    int m_popupWidth = 0;
};

// The M-Bus network editor: the tree of meters and values beside the two
// pages, over mbus::NetworkEditor.
class TFMeter_Bus : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFMeter_Bus(QWidget* parent = nullptr);
    void Set_Lang() override;

    mbus::NetworkEditor& Editor() { return m_editor; }

    // Handlers.
    void FormShow();
    void TWChange();
    void btn_Add_NodeClick();
    void btn_Add_VarClick();
    void DeleteItemsClick();
    void CopyVariable1Click();
    void PasteVariable1Click();
    void CopyNode1Click();
    void PasteNode1Click();
    void LbButton2Click();   // OK
    void LbButton4Click();   // Cancel
    void Btn_Export_MapClick();
    void Btn_ImportNetClick();
    void Btn_SNMPClick();
    void Aggiorna_Label_Num_Byte();

    // Where the two file buttons take their file names from (tests set them);
    // an empty name is Cancel.
    std::function<QString()> ChooseImportFile;

    QTreeWidget* TW = nullptr;
    QTreeWidgetItem* NODE_ORIG = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* L_MBus_NumByte = nullptr;
    TExPageControl* ExPageControl1 = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    TLbButton* Btn_ImportNet = nullptr;
    TLbButton* Btn_Export_Map = nullptr;
    TLbButton* Btn_SNMP = nullptr;
    TLbButton* btn_Add_Node = nullptr;
    TLbButton* btn_Add_Var = nullptr;
    TLbButton* LbButton1 = nullptr;
    TLbButton* LbButton3 = nullptr;
    QMenu* PM_CopyPaste = nullptr;
    QAction* CopyVariable1 = nullptr;
    QAction* PasteVariable1 = nullptr;
    QAction* CopyNode1 = nullptr;
    QAction* PasteNode1 = nullptr;
    QAction* DeleteItems1 = nullptr;

    // Nodes page.
    QCheckBox* CB_Enable_Node = nullptr;
    QLineEdit* E_New_Node_Desc = nullptr;
    QRadioButton* RB_ID_Primary = nullptr;
    QRadioButton* RB_ID_Secondary = nullptr;
    QLineEdit* E_New_Node_ID_Pri = nullptr;
    QLineEdit* E_New_Node_ID_Sec = nullptr;
    QCheckBox* CB_Node_State = nullptr;
    QCheckBox* CB_Ident_Num = nullptr;
    QComboBox* CB_Swap_IN = nullptr;
    QCheckBox* CB_BCDtoINT_IN = nullptr;
    QCheckBox* CB_SND_NKE = nullptr;
    QCheckBox* CB_Reset_App = nullptr;
    QComboBox* CB_Var_Type = nullptr;
    QComboBox* CB_Cut_After = nullptr;

    // Variables page.
    QCheckBox* CB_Var_En = nullptr;
    QLineEdit* E_New_Var_Desc = nullptr;
    TWideComboBox* CB_Var_ToD = nullptr;
    QLineEdit* E_VIF_ASCII = nullptr;
    QComboBox* CB_Var_FF = nullptr;
    QComboBox* CB_Var_Dim = nullptr;
    QLineEdit* E_Length = nullptr;
    QComboBox* CB_Var_Unit = nullptr;
    QCheckBox* CB_Scale = nullptr;
    QLineEdit* E_Sto_Num = nullptr;
    QLineEdit* E_Tariff = nullptr;
    TWideComboBox* CB_VIFE = nullptr;
    QCheckBox* CB_BCDtoINT = nullptr;
    QCheckBox* CB_SWAP = nullptr;
    QCheckBox* CB_TP_MR = nullptr;
    QCheckBox* CB_ForceInt32 = nullptr;
    QComboBox* CB_PostOpe = nullptr;
    QLineEdit* E_Position = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void BuildNodesPage(QWidget* page);
    void BuildVariablesPage(QWidget* page);
    void ShowPages();
    void ReadPages();
    void Sposta_Oggetti_Var(int listType);
    void RebuildTree();
    void SelectInTree(int node, int var);
    void EnableRules();
    QTreeWidgetItem* AddNodeItem(int node);
    QWidget* Row(const char* name) const;

    mbus::NetworkEditor m_editor;
    std::map<QString, QLabel*> m_labels;   // the label of a row, by its control's name
    bool m_filling = false;
};

extern TFMeter_Bus* FMeter_Bus;
