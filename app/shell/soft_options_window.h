#pragma once
#include "form_base.h"

#include <QStringList>
#include <functional>

class QCheckBox;
class QLabel;
class QTabWidget;
class TLbButton;
class VersionQuery;

// The Software Options window: the program's language, the connection
// options with the manual version check and, per model, the advanced
// functions and the table settings.
class TFSoftOptions : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFSoftOptions(QWidget* parent = nullptr);
    void Set_Lang() override;

    // Lists the language files and shows page 1.
    void Create_Lang_List();
    // Shows page Num_Page (from 1) of six language slots.
    void Update_Lang_Page(int Num_Page);
    // Enables the update box and the check button by the internet box.
    void Update_CheckBox();
    // Chooses the language of slot k (1..6) of the page shown, after asking.
    void LangClick(int k);
    void Btn_OKClick();
    void Btn_Check_UpdateClick();

    // Asks the version service without blocking; done gets whether a newer
    // version exists (false on any failure).
    void Check_Version(std::function<void(bool newer)> done);
    VersionQuery* Query() const { return m_query; }

    int Show_Page = 1;
    QStringList SL_Languages;
    QString Language_In_Use;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QTabWidget* PC_Options = nullptr;
    QWidget* TS_Language = nullptr;
    QWidget* TS_Con_Options = nullptr;
    QWidget* TS_AdvanceFunctions = nullptr;
    QWidget* TS_Soft_Settings = nullptr;
    QLabel* L_Sel_Lang = nullptr;
    QLabel* L_Page_Lang = nullptr;
    QLabel* I_L[6] = {};
    QLabel* L_L[6] = {};
    TLbButton* Btn_Prev = nullptr;
    TLbButton* Btn_Next = nullptr;
    QCheckBox* CB_En_Con = nullptr;
    QCheckBox* CB_Update = nullptr;
    TLbButton* Btn_Check_Update = nullptr;
    QLabel* LL_Check_Update = nullptr;
    TLbButton* Btn_Advance_Functions = nullptr;
    QCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    QCheckBox* CB_DoubleClick_Auto_Size = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Btn_NextClick(bool next);

    VersionQuery* m_query = nullptr;
    int m_showing = 0;
};

extern TFSoftOptions* FSoftOptions;
