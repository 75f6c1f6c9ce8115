#include "advance_functions_window.h"

#include "controls/grid/widget/grid_widget.h"
#include "language.h"
#include "lb_button.h"
#include "title_panel.h"
#include "workspace.h"

#include <QComboBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTabWidget>

TFAdvanceFunctions* FAdvanceFunctions = nullptr;

namespace {

constexpr int kWidth = 635;
constexpr int kHeight = 465;
constexpr int kTitleHeight = 48;
constexpr int kAddressHeight = 34;
constexpr int kButtonPanelHeight = 44;

QLabel* Label(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(x, y, w, 20);
    return l;
}

QComboBox* List(QWidget* parent, const char* name, int x, int y)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(x, y, 120, 24);
    c->addItems({QString(), QString()});
    return c;
}

QLineEdit* Edit(QWidget* parent, const char* name, int x, int y, int w, const QString& text = QString())
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, 24);
    return e;
}

QWidget* Page(QTabWidget* pages, const char* name)
{
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, QString());
    return page;
}

} // namespace

TFAdvanceFunctions::TFAdvanceFunctions(QWidget* parent, editors::DiagnosticsPorts ports)
    : OrvanoForm(parent), model_(ports)
{
    setObjectName(QStringLiteral("FAdvanceFunctions"));
    MakeTitlePanel(this, kWidth, &L_SW_Code, &L_SW_Desc);

    Panel_IP_Address = new QWidget(this);
    Panel_IP_Address->setObjectName(QStringLiteral("Panel_IP_Address"));
    Panel_IP_Address->setGeometry(0, kTitleHeight, kWidth, kAddressHeight);
    L_IP_Address = Label(Panel_IP_Address, "L_IP_Address", 12, 7, 100);
    E_IP_Address = Edit(Panel_IP_Address, "E_IP_Address", 116, 5, 160);
    connect(E_IP_Address, &QLineEdit::textChanged, &model_, &editors::AdvanceFunctions::SetAddress);
    connect(&model_, &editors::AdvanceFunctions::AddressChanged, E_IP_Address, [this](const QString& a) {
        if (E_IP_Address->text() != a)
            E_IP_Address->setText(a);
    });

    const int pagesTop = kTitleHeight + kAddressHeight;
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, pagesTop, kWidth, kHeight - pagesTop - kButtonPanelHeight);
    const int gridHeight = PageControl1->height() - 80;

    TS_B0B1 = Page(PageControl1, "TS_B0B1");
    Btn_Read_Status = MakeButton(TS_B0B1, "Btn_Read_Status", 8, 8, 120, 28);
    Btn_Write_Status = MakeButton(TS_B0B1, "Btn_Write_Status", 136, 8, 120, 28);
    Btn_Copy = MakeButton(TS_B0B1, "Btn_Copy", 264, 8, 120, 28);
    ACG = new grid::TGridWidget(model_.StatusGrid(), TS_B0B1);
    ACG->setObjectName(QStringLiteral("ACG"));
    ACG->setGeometry(4, 44, kWidth - 14, gridHeight);
    connect(Btn_Read_Status, &TLbButton::clicked, &model_, [this] { model_.ReadStatus(); });
    connect(Btn_Write_Status, &TLbButton::clicked, &model_, [this] { model_.WriteStatus(); });
    connect(Btn_Copy, &TLbButton::clicked, &model_, [this] { model_.CopyStatus(); });

    TS_B2 = Page(PageControl1, "TS_B2");
    Btn_Read_Errors = MakeButton(TS_B2, "Btn_Read_Errors", 8, 8, 120, 28);
    ACG2 = new grid::TGridWidget(model_.ErrorsGrid(), TS_B2);
    ACG2->setObjectName(QStringLiteral("ACG2"));
    ACG2->setGeometry(4, 44, kWidth - 14, gridHeight);
    connect(Btn_Read_Errors, &TLbButton::clicked, &model_, [this] { model_.ReadErrors(); });

    TS_B3B4 = Page(PageControl1, "TS_B3B4");
    L_RS_TransparentMode = Label(TS_B3B4, "L_RS_TransparentMode", 16, 16, 300);
    Btn_Read_Status_Transparent_Mode = MakeButton(TS_B3B4, "Btn_Read_Status_Transparent_Mode", 16, 40, 120, 28);
    L_Status_TransparenMode = Label(TS_B3B4, "L_Status_TransparenMode", 150, 44, 300);
    L_WS_TransparentMode = Label(TS_B3B4, "L_WS_TransparentMode", 16, 96, 300);
    CB_WS_TransparentMode = List(TS_B3B4, "CB_WS_TransparentMode", 16, 120);
    Btn_Write_Status_Transparent_Mode = MakeButton(TS_B3B4, "Btn_Write_Status_Transparent_Mode", 150, 118, 120, 28);
    connect(&model_, &editors::AdvanceFunctions::TransparentStatusChanged, L_Status_TransparenMode,
            &QLabel::setText);
    connect(Btn_Read_Status_Transparent_Mode, &TLbButton::clicked, &model_, [this] { model_.ReadTransparent(); });
    connect(Btn_Write_Status_Transparent_Mode, &TLbButton::clicked, &model_,
            [this] { model_.WriteTransparent(CB_WS_TransparentMode->currentIndex() == 0); });

    TS_B5B6 = Page(PageControl1, "TS_B5B6");
    L_Title_B5 = Label(TS_B5B6, "L_Title_B5", 16, 12, 580);
    L_B5_IDDlave = Label(TS_B5B6, "L_B5_IDDlave", 16, 42, 100);
    E_B5_IDSlave = Edit(TS_B5B6, "E_B5_IDSlave", 120, 40, 60, QStringLiteral("1"));
    CB_B5_EnableDisable = List(TS_B5B6, "CB_B5_EnableDisable", 190, 40);
    Btn_B5_Write = MakeButton(TS_B5B6, "Btn_B5_Write", 320, 38, 100, 28);
    L_Title_B6 = Label(TS_B5B6, "L_Title_B6", 16, 102, 580);
    L_B6_NumPoll = Label(TS_B5B6, "L_B6_NumPoll", 16, 132, 100);
    E_B6_NumPoll = Edit(TS_B5B6, "E_B6_NumPoll", 120, 130, 60, QStringLiteral("1"));
    CB_B6_EnableDisable = List(TS_B5B6, "CB_B6_EnableDisable", 190, 130);
    Btn_B6_Write = MakeButton(TS_B5B6, "Btn_B6_Write", 320, 128, 100, 28);
    connect(Btn_B5_Write, &TLbButton::clicked, &model_, [this] {
        model_.WriteSlavePolls(E_B5_IDSlave->text(), CB_B5_EnableDisable->currentIndex());
    });
    connect(Btn_B6_Write, &TLbButton::clicked, &model_, [this] {
        model_.WriteSinglePoll(E_B6_NumPoll->text(), CB_B6_EnableDisable->currentIndex());
    });

    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("P_Button"));
    buttons->setGeometry(0, kHeight - kButtonPanelHeight, kWidth, kButtonPanelHeight);
    Btn_Exit = MakeButton(buttons, "Btn_Exit", kWidth - 110, 8, 100, 28);
    Btn_Exit->SetModalResult(mrOk);

    L_SW_Code->setText(SoftwareCode);
    SetClientSize(kWidth, kHeight);
    PageControl1->setCurrentIndex(0);
    Set_Lang();
}

TFAdvanceFunctions::~TFAdvanceFunctions()
{
    // The painted grids go before the grids they show.
    delete ACG;
    delete ACG2;
    model_.FormClose();
}

void TFAdvanceFunctions::Set_Lang()
{
    setWindowTitle(Lang(814));
    L_SW_Desc->setText(Lang(815));
    L_IP_Address->setText(Lang(816));
    const QWidget* pages[] = {TS_B0B1, TS_B2, TS_B3B4, TS_B5B6};
    for (int i = 0; i < 4; ++i)
        PageControl1->setTabText(PageControl1->indexOf(pages[i]), Lang(817 + i));
    Btn_Read_Status->SetCaption(Lang(821));
    Btn_Write_Status->SetCaption(Lang(822));
    Btn_Copy->SetCaption(Lang(823));
    Btn_Read_Errors->SetCaption(Lang(828));
    model_.Set_Lang();
    L_RS_TransparentMode->setText(Lang(832));
    Btn_Read_Status_Transparent_Mode->SetCaption(Lang(833));
    L_WS_TransparentMode->setText(Lang(834));
    Btn_Write_Status_Transparent_Mode->SetCaption(Lang(835));
    L_Title_B5->setText(Lang(838));
    L_B5_IDDlave->setText(Lang(839));
    Btn_B5_Write->SetCaption(Lang(842));
    L_Title_B6->setText(Lang(843));
    L_B6_NumPoll->setText(Lang(844));
    Btn_B6_Write->SetCaption(Lang(847));
    Btn_Exit->SetCaption(Lang(848));
    struct ListTexts
    {
        QComboBox* list;
        int first;
    };
    for (const ListTexts& l : {ListTexts{CB_WS_TransparentMode, 836}, ListTexts{CB_B5_EnableDisable, 840},
                               ListTexts{CB_B6_EnableDisable, 845}}) {
        l.list->setItemText(0, Lang(l.first));
        l.list->setItemText(1, Lang(l.first + 1));
        l.list->setCurrentIndex(0);
    }
}

void TFAdvanceFunctions::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (!event->spontaneous())
        model_.FormShow();
}

void TFAdvanceFunctions::hideEvent(QHideEvent* event)
{
    OrvanoForm::hideEvent(event);
    if (!event->spontaneous())
        model_.FormClose();
}
