#include "generators/profinet_file_name_window.h"

#include "app/button/lb_button.h"
#include "app/common/device_type.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/title_panel.h"
#include "generators/gsdml_file_name.h"
#include "platform/local_clock.h"
#include "platform/messages.h"

#include <QLabel>
#include <QLineEdit>

TFProfinetFileName* FProfinetFileName = nullptr;

namespace {

constexpr int TextUserPartRefused = 1160;
constexpr int ButtonPanelTop = 155;

bool IsWideModel(int type)
{
    return type == 25 || type == 26 || type == 29;
}

} // namespace

TFProfinetFileName::TFProfinetFileName(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FProfinetFileName"));
    const bool wide = IsWideModel(DeviceType);
    const int width = wide ? 550 : 540;
    const int userLeft = wide ? 189 : 179;
    const int fix2Left = wide ? 457 : 447;

    P_Title = MakeTitlePanel(this, width, &L_SW_Code, &L_SW_Desc);
    L_Select_Name = AddLabel("L_Select_Name", 16, 62);
    L_FixPart_1 = AddLabel("L_FixPart_1", 8, 94);
    L_XML_Fix1 = AddLabel("L_XML_Fix1", 6, 116);
    QFont small = L_XML_Fix1->font();
    small.setPixelSize(10);   // the longest first part fits before the user part
    L_XML_Fix1->setFont(small);
    L_XML_Fix1->setText(gen::Gsdml_First_Part(DeviceType));
    L_XML_Fix1->adjustSize();
    L_UsedPart = AddLabel("L_UsedPart", userLeft, 94);
    E_XML_User = new QLineEdit(this);
    E_XML_User->setObjectName(QStringLiteral("E_XML_User"));
    E_XML_User->setGeometry(userLeft, 112, fix2Left - userLeft - 8, 21);
    L_FixPart_2 = AddLabel("L_FixPart_2", fix2Left, 94);
    L_XML_Fix2 = AddLabel("L_XML_Fix2", fix2Left, 116, gen::Gsdml_Second_Part(LocalClock::Now().date()));

    P_Button = new QWidget(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setGeometry(0, ButtonPanelTop, width, 205 - ButtonPanelTop);
    Btn_OK = MakeButton(P_Button, "Btn_OK", width / 2 - 95, 10, 90, 30);
    Btn_Cancel = MakeButton(P_Button, "Btn_Cancel", width / 2 + 5, 10, 90, 30);
    Btn_Cancel->SetModalResult(mrCancel);
    connect(Btn_OK, &TLbButton::clicked, this, &TFProfinetFileName::Btn_OK_Click);

    L_SW_Code->setText(SoftwareCode);
    SetClientSize(width, 205);
    Set_Lang();
}

void TFProfinetFileName::Set_Lang()
{
    setWindowTitle(Lang(188));
    L_SW_Desc->setText(Lang(189));
    const std::pair<QLabel*, int> labels[] = {
        {L_Select_Name, 190}, {L_FixPart_1, 191}, {L_UsedPart, 192}, {L_FixPart_2, 193}};
    for (const auto& [label, text] : labels) {
        label->setText(Lang(text));
        label->adjustSize();
    }
    Btn_OK->SetCaption(Lang(194));
    Btn_Cancel->SetCaption(Lang(195));
}

void TFProfinetFileName::Btn_OK_Click()
{
    const QString user = E_XML_User->text();
    if (!gen::Gsdml_User_Part_Allowed(user)) {
        Messages::Error(Lang(TextUserPartRefused));
        return;
    }
    Name_File_XML = gen::Compose_Gsdml_Name(L_XML_Fix1->text(), user, L_XML_Fix2->text());
    done(mrOk);
}
