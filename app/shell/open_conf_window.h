#pragma once
#include "form_base.h"

#include <QStringList>

class QLabel;
class QListWidget;
class TLbButton;

// Lists the project folders and lets the user choose one.
class TFOpenConf : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFOpenConf(QWidget* parent = nullptr);
    void Set_Lang() override;

    // Fills SL with the project folders, sorted case-insensitively.
    void Load_Existing_Configuration();
    // The index in SL of name compared in upper case, or -1.
    int Search_Open_Conf(const QString& name) const;

    QStringList SL;
    // The chosen project; kept from one showing to the next.
    QString Name_Conf;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_title = nullptr;
};

extern TFOpenConf* FOpenConf;
