#include "new_id_node_window.h"

#include "app/button/lb_button.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/title_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

TFNewIDNode* FNewIDNode = nullptr;

namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, 21);
    return e;
}

} // namespace

TFNewIDNode::TFNewIDNode(QWidget* parent) : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FNewIDNode"));
    MakeTitlePanel(this, 265, &L_SW_Code, &L_SW_Desc);
    L_SW_Code->setText(SoftwareCode);
    Label1 = AddLabel("Label1", 16, 62);
    RB_ID_Primary = new QRadioButton(this);
    RB_ID_Primary->setObjectName(QStringLiteral("RB_ID_Primary"));
    RB_ID_Primary->setGeometry(16, 88, 140, 21);
    RB_ID_Primary->setChecked(true);
    E_New_Node_ID_Pri = MakeEdit(this, "E_New_Node_ID_Pri", 160, 88, 90);
    RB_ID_Secondary = new QRadioButton(this);
    RB_ID_Secondary->setObjectName(QStringLiteral("RB_ID_Secondary"));
    RB_ID_Secondary->setGeometry(16, 116, 140, 21);
    E_New_Node_ID_Sec = MakeEdit(this, "E_New_Node_ID_Sec", 160, 116, 90);
    E_New_Node_ID_Pri->setText(QStringLiteral("1"));
    E_New_Node_ID_Sec->setText(QStringLiteral("1"));
    Btn_OK = MakeButton(this, "Btn_OK", 37, 152, 90, 30);
    Btn_Cancel = MakeButton(this, "Btn_Cancel", 137, 152, 90, 30);
    Btn_Cancel->SetModalResult(mrCancel);
    connect(Btn_OK, &TLbButton::clicked, this, &TFNewIDNode::Btn_OKClick);
    SetClientSize(265, 195);
    Set_Lang();
}

void TFNewIDNode::Set_Lang()
{
    setWindowTitle(Lang(800));
    L_SW_Desc->setText(Lang(801));
    Btn_OK->SetCaption(Lang(802));
    Btn_Cancel->SetCaption(Lang(803));
    Label1->setText(Lang(804));
    Label1->adjustSize();
    RB_ID_Primary->setText(Lang(805));
    RB_ID_Secondary->setText(Lang(806));
}

void TFNewIDNode::Prepare(bool secondary, int primary, int secondaryAddress)
{
    (secondary ? RB_ID_Secondary : RB_ID_Primary)->setChecked(true);
    E_New_Node_ID_Pri->setText(QString::number(primary));
    E_New_Node_ID_Sec->setText(QString::number(secondaryAddress));
}

void TFNewIDNode::Btn_OKClick()
{
    if (Check && !Check(RB_ID_Secondary->isChecked(), E_New_Node_ID_Pri->text(), E_New_Node_ID_Sec->text()))
        return;
    done(mrOk);
}
