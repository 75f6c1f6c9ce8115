#include "scan_modbus_start_window.h"

#include "app/button/lb_button.h"
#include "app/common/language.h"
#include "app/forms/title_panel.h"
#include "mbus/models/scan_checks.h"
#include "platform/messages.h"

#include <QLabel>
#include <QLineEdit>

TFScanModbusStart* FScanModbusStart = nullptr;

TFScanModbusStart::TFScanModbusStart(QWidget* parent) : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FScanModbusStart"));
    MakeTitlePanel(this, 331, &L_SW_Code, &L_SW_Desc);
    L_StartModAdd = AddLabel("L_StartModAdd", 16, 66);
    E_StartModAdd = new QLineEdit(this);
    E_StartModAdd->setObjectName(QStringLiteral("E_StartModAdd"));
    E_StartModAdd->setGeometry(16, 88, 120, 21);
    Btn_OK = MakeButton(this, "Btn_OK", 70, 122, 90, 30);
    Btn_Cancel = MakeButton(this, "Btn_Cancel", 170, 122, 90, 30);
    Btn_Cancel->SetModalResult(mrCancel);
    connect(Btn_OK, &TLbButton::clicked, this, &TFScanModbusStart::Btn_OKClick);
    SetClientSize(331, 162);
    Set_Lang();
}

void TFScanModbusStart::Set_Lang()
{
    setWindowTitle(Lang(1400));
    L_SW_Code->setText(Lang(1401).replace(QStringLiteral("&&"), QStringLiteral("&")));
    L_SW_Desc->setText(Lang(1402));
    L_StartModAdd->setText(Lang(1403));
    L_StartModAdd->adjustSize();
    Btn_OK->SetCaption(Lang(1404));
    Btn_Cancel->SetCaption(Lang(1405));
}

void TFScanModbusStart::Btn_OKClick()
{
    int32_t v = 0;
    const QString message = mbus::Check_Start_Register(E_StartModAdd->text(), v);
    if (!message.isEmpty()) {
        Messages::Error(message);
        return;
    }
    StartModAdd = v;
    done(mrOk);
}
