#include "open_conf_window.h"

#include "language.h"
#include "lb_button.h"
#include "project_files.h"
#include "title_panel.h"
#include "workspace.h"

#include <QLabel>
#include <QListWidget>
#include <QShowEvent>

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FOpenConf"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    m_title = MakeTitlePanel(this, 377, &L_SW_Code, &L_SW_Desc);
    Label1 = AddLabel("Label1", 16, 58);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Name_Conf = ListBox1->item(row)->text();
    });
    Btn_OK = MakeButton(this, "Btn_OK", 93, 305, 90, 30);
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = MakeButton(this, "Btn_Cancel", 194, 305, 90, 30);
    Btn_Cancel->SetModalResult(mrCancel);
    // A double click or Enter on a project opens it, as OK does.
    connect(ListBox1, &QListWidget::activated, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Btn_OK->Click();
    });
    L_SW_Code->setText(SoftwareCode);
    setMinimumSize(260, 200);
    resize(377, 351);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    setWindowTitle(Lang(46));
    L_SW_Desc->setText(Lang(47));
    Label1->setText(Lang(48));
    Label1->adjustSize();
    Btn_OK->SetCaption(Lang(49));
    Btn_Cancel->SetCaption(Lang(50));
}

void TFOpenConf::resizeEvent(QResizeEvent* event)
{
    OrvanoForm::resizeEvent(event);
    const int w = width(), h = height();
    m_title->setGeometry(0, 0, w, 48);
    L_SW_Code->resize(w - 16, L_SW_Code->height());
    L_SW_Desc->resize(w - 16, L_SW_Desc->height());
    ListBox1->setGeometry(16, 76, w - 32, h - 76 - 58);
    Btn_OK->move(w / 2 - 95, h - 46);
    Btn_Cancel->move(w / 2 + 5, h - 46);
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL = ExistingProjectNames();
}

int TFOpenConf::Search_Open_Conf(const QString& name) const
{
    const QString upper = name.toUpper();
    for (int i = 0; i < SL.size(); ++i)
        if (SL[i].toUpper() == upper)
            return i;
    return -1;
}

void TFOpenConf::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (event->spontaneous())
        return;
    Load_Existing_Configuration();
    ListBox1->clear();
    ListBox1->addItems(SL);
    QString open;
    const QString prefix = ProjectsDir + QLatin1Char('/');
    if (!ProjectPath.isEmpty() && ProjectPath.startsWith(prefix))
        open = ProjectPath.mid(prefix.size());
    int index = Search_Open_Conf(open);
    if (index < 0 && !SL.isEmpty())
        index = 0;
    if (index >= 0) {
        ListBox1->setCurrentRow(index);
        Name_Conf = SL[index];
    }
}
