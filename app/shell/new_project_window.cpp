#include "new_project_window.h"

#include "language.h"
#include "lb_button.h"
#include "messages.h"
#include "project_files.h"
#include "title_panel.h"
#include "workspace.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TFNew_Project* FNew_Project = nullptr;

TFNew_Project::TFNew_Project(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FNew_Project"));
    MakeTitlePanel(this, 331, &L_SW_Code, &L_SW_Desc);
    Label1 = AddLabel("Label1", 16, 62);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(16, 80, 299, 21);
    E_New_Proj->installEventFilter(this);
    Btn_OK = MakeButton(this, "Btn_OK", 71, 118, 90, 30);
    Btn_Cancel = MakeButton(this, "Btn_Cancel", 170, 118, 90, 30);
    Btn_Cancel->SetModalResult(mrCancel);
    connect(Btn_OK, &TLbButton::clicked, this, &TFNew_Project::Btn_OKClick);
    L_SW_Code->setText(SoftwareCode);
    SetClientSize(331, 162);
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    setWindowTitle(Lang(38));
    L_SW_Desc->setText(Lang(39));
    Label1->setText(Lang(40));
    Label1->adjustSize();
    Btn_OK->SetCaption(Lang(41));
    Btn_Cancel->SetCaption(Lang(42));
}

void TFNew_Project::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    E_New_Proj->clear();
    if (E_New_Proj->isEnabled())
        E_New_Proj->setFocus();
}

bool TFNew_Project::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == E_New_Proj && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Btn_OKClick();
            return true;
        }
    }
    return OrvanoForm::eventFilter(watched, event);
}

void TFNew_Project::Btn_OKClick()
{
    const QString name = E_New_Proj->text();
    if (const int text = CheckProjectName(name, ExistingProjectNames())) {
        Messages::Error(Lang(text));
        return;
    }
    const QString folder = ProjectFolder(name);
    if (!QDir(ProjectsDir).mkdir(name)) {
        Messages::Error(Lang(43));
        return;
    }
    QDir().mkpath(folder + QStringLiteral("/bin"));
    ProjectName = name;
    ProjectPath = folder;
    SetProjectFiles();
    done(mrOk);
}
