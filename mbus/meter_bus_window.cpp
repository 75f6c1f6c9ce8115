#include "meter_bus_window.h"

#include "ex_page_control.h"
#include "new_id_node_window.h"
#include "snmp_trap_access_mbus_window.h"

#include "app/button/lb_button.h"
#include "app/common/device_type.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/save_dialog.h"
#include "app/forms/title_panel.h"
#include "mbus/core/address_map.h"
#include "platform/messages.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QTreeWidget>

#include <iterator>

TFMeter_Bus* FMeter_Bus = nullptr;

namespace {

constexpr int ClientW = 780;
constexpr int ClientH = 550;
constexpr int LabelX = 8;
constexpr int BoxX = 190;
constexpr int BoxW = 220;

template <size_t N>
QStringList Items(const char* const (&list)[N])
{
    QStringList items;
    for (const char* s : list)
        items << QString::fromUtf8(s);
    return items;
}

} // namespace

// ---- wide drop-down

void TWideComboBox::Select_Width_ComboBox(int extra)
{
    int widest = 0;
    const QFontMetrics fm(font());
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(itemText(i)));
    const int scroll = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int w = widest + 12 + extra;
    m_popupWidth = 0;
    if (w > width() - scroll) {
        if (count() > maxVisibleItems())
            w += scroll;
        m_popupWidth = w;
    }
}

void TWideComboBox::showPopup()
{
    if (m_popupWidth > 0)
        view()->setMinimumWidth(m_popupWidth);
    QComboBox::showPopup();
    if (m_popupWidth > 0) {
        QWidget* popup = view()->window();
        const QPoint rightEdge = mapToGlobal(QPoint(width(), 0));
        popup->move(rightEdge.x() - popup->width(), popup->y());
    }
}

// ---- window

TFMeter_Bus::TFMeter_Bus(QWidget* parent) : OrvanoForm(parent), m_editor(DeviceType)
{
    setObjectName(QStringLiteral("FMeter_Bus"));
    MakeTitlePanel(this, ClientW, &L_SW_Code, &L_SW_Desc);
    L_SW_Code->setText(SoftwareCode);
    L_MBus_NumByte = new QLabel(L_SW_Code->parentWidget());
    L_MBus_NumByte->setObjectName(QStringLiteral("L_MBus_NumByte"));
    L_MBus_NumByte->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    L_MBus_NumByte->setGeometry(ClientW - 260, 16, 248, 20);

    TW = new QTreeWidget(this);
    TW->setObjectName(QStringLiteral("TW"));
    TW->setGeometry(8, 60, 300, 430);
    TW->setHeaderHidden(true);
    TW->setRootIsDecorated(false);
    TW->setSelectionBehavior(QAbstractItemView::SelectRows);
    TW->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TW->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TW, &QTreeWidget::currentItemChanged, this, [this] { TWChange(); });
    connect(TW, &QTreeWidget::itemClicked, this, [this] { TWChange(); });

    PM_CopyPaste = new QMenu(this);
    PM_CopyPaste->setObjectName(QStringLiteral("PM_CopyPaste"));
    CopyVariable1 = PM_CopyPaste->addAction(QStringLiteral("Copy Variable"), this, &TFMeter_Bus::CopyVariable1Click);
    PasteVariable1 = PM_CopyPaste->addAction(QStringLiteral("Paste Variable"), this, &TFMeter_Bus::PasteVariable1Click);
    PM_CopyPaste->addSeparator();
    CopyNode1 = PM_CopyPaste->addAction(QStringLiteral("Copy Node"), this, &TFMeter_Bus::CopyNode1Click);
    PasteNode1 = PM_CopyPaste->addAction(QStringLiteral("Paste Node"), this, &TFMeter_Bus::PasteNode1Click);
    PM_CopyPaste->addSeparator();
    DeleteItems1 = PM_CopyPaste->addAction(QStringLiteral("Delete Items"), this, &TFMeter_Bus::DeleteItemsClick);
    PasteVariable1->setEnabled(false);
    PasteNode1->setEnabled(false);
    connect(TW, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PM_CopyPaste->popup(TW->viewport()->mapToGlobal(pos)); });

    ExPageControl1 = MakeEditorPageControl(this);
    ExPageControl1->setGeometry(316, 60, 456, 430);
    BuildNodesPage(ExPageControl1->Page(0));
    BuildVariablesPage(ExPageControl1->Page(1));
    ExPageControl1->SetActivePage(ExPageControl1->Page(0));

    Btn_OK = MakeButton(this, "Btn_OK", 8, 505, 110, 32);
    Btn_Cancel = MakeButton(this, "Btn_Cancel", 126, 505, 110, 32);
    Btn_ImportNet = MakeButton(this, "Btn_ImportNet", 316, 505, 140, 32);
    Btn_Export_Map = MakeButton(this, "Btn_Export_Map", 464, 505, 140, 32);
    Btn_SNMP = MakeButton(this, "Btn_SNMP", 612, 505, 140, 32, QStringLiteral("SNMP Access"));
    Btn_SNMP->setVisible(DeviceType == 21);
    connect(Btn_OK, &TLbButton::clicked, this, &TFMeter_Bus::LbButton2Click);
    connect(Btn_Cancel, &TLbButton::clicked, this, &TFMeter_Bus::LbButton4Click);
    connect(Btn_ImportNet, &TLbButton::clicked, this, &TFMeter_Bus::Btn_ImportNetClick);
    connect(Btn_Export_Map, &TLbButton::clicked, this, &TFMeter_Bus::Btn_Export_MapClick);
    connect(Btn_SNMP, &TLbButton::clicked, this, &TFMeter_Bus::Btn_SNMPClick);

    // Drop-down widths of the two long lists.
    CB_Var_ToD->Select_Width_ComboBox(65);
    CB_VIFE->Select_Width_ComboBox(30);

    ChooseImportFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), ProjectPath, QStringLiteral("XML File (*.xml)"));
    };
    SetClientSize(ClientW, ClientH);
    Set_Lang();
}

QWidget* TFMeter_Bus::Row(const char* name) const
{
    return findChild<QWidget*>(QString::fromLatin1(name));
}

void TFMeter_Bus::BuildNodesPage(QWidget* page)
{
    auto label = [&](const char* forName, int y) {
        auto* l = new QLabel(page);
        l->setObjectName(QStringLiteral("L_") + QString::fromLatin1(forName));
        l->move(LabelX, y + 3);
        m_labels[QString::fromLatin1(forName)] = l;
        return l;
    };
    auto check = [&](const char* name) {
        auto* c = new QCheckBox(page);
        c->setObjectName(QString::fromLatin1(name));
        c->resize(BoxX + BoxW - LabelX, 21);
        return c;
    };
    auto edit = [&](const char* name) {
        auto* e = new QLineEdit(page);
        e->setObjectName(QString::fromLatin1(name));
        e->resize(BoxW, 21);
        return e;
    };
    auto combo = [&](const char* name, const QStringList& items) {
        auto* c = new QComboBox(page);
        c->setObjectName(QString::fromLatin1(name));
        c->addItems(items);
        c->resize(BoxW, 21);
        return c;
    };
    CB_Enable_Node = check("CB_Enable_Node");
    CB_Enable_Node->setChecked(true);
    E_New_Node_Desc = edit("E_New_Node_Desc");
    RB_ID_Primary = new QRadioButton(page);
    RB_ID_Primary->setObjectName(QStringLiteral("RB_ID_Primary"));
    RB_ID_Primary->setChecked(true);
    RB_ID_Secondary = new QRadioButton(page);
    RB_ID_Secondary->setObjectName(QStringLiteral("RB_ID_Secondary"));
    E_New_Node_ID_Pri = edit("E_New_Node_ID_Pri");
    E_New_Node_ID_Sec = edit("E_New_Node_ID_Sec");
    E_New_Node_ID_Pri->setText(QStringLiteral("1"));
    E_New_Node_ID_Sec->setText(QStringLiteral("1"));
    CB_Node_State = check("CB_Node_State");
    CB_Ident_Num = check("CB_Ident_Num");
    CB_Swap_IN = combo("CB_Swap_IN", {QStringLiteral("None"), QStringLiteral("Type 1")});
    CB_BCDtoINT_IN = check("CB_BCDtoINT_IN");
    CB_SND_NKE = check("CB_SND_NKE");
    CB_Reset_App = check("CB_Reset_App");
    CB_Var_Type = combo("CB_Var_Type", {QStringLiteral("By Type"), QStringLiteral("By Position")});
    CB_Cut_After = combo("CB_Cut_After", {});
    CB_Cut_After->resize(70, 21);
    auto* frames = new QLabel(page);
    frames->setObjectName(QStringLiteral("L_Frames"));
    m_labels[QStringLiteral("frames")] = frames;
    btn_Add_Node = MakeButton(page, "btn_Add_Node", LabelX, 0, 160, 30);
    LbButton1 = MakeButton(page, "LbButton1", LabelX + 170, 0, 160, 30, QStringLiteral("SCAN DEVICE"));
    LbButton1->setVisible(false);
    LbButton1->setEnabled(false);
    connect(btn_Add_Node, &TLbButton::clicked, this, &TFMeter_Bus::btn_Add_NodeClick);

    for (const mbus::PageRow& r : mbus::Node_Page_Rows(DeviceType)) {
        const QString name = QString::fromLatin1(r.name);
        QWidget* w = page->findChild<QWidget*>(name);
        if (name == QLatin1String("L_Cut_After")) {
            label("CB_Cut_After", r.y - 3);
            continue;
        }
        if (!w)
            continue;
        const bool boxRow = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
        if (name == QLatin1String("CB_Cut_After")) {
            w->move(BoxX, r.y);
            frames->move(BoxX + 78, r.y + 8);
        } else if (boxRow) {
            label(r.name, r.y);
            w->move(BoxX, r.y);
        } else {
            w->move(LabelX, r.y);
        }
        w->setVisible(r.visible);
        if (m_labels.count(name))
            m_labels[name]->setVisible(r.visible);
        if (name == QLatin1String("RB_ID_Primary"))
            E_New_Node_ID_Pri->move(BoxX, r.y);
        if (name == QLatin1String("RB_ID_Secondary"))
            E_New_Node_ID_Sec->move(BoxX, r.y);
    }
    RB_ID_Primary->resize(BoxX - LabelX - 4, 21);
    RB_ID_Secondary->resize(BoxX - LabelX - 4, 21);
    LbButton1->move(LabelX + 170, btn_Add_Node->y());
}

void TFMeter_Bus::BuildVariablesPage(QWidget* page)
{
    auto labelled = [&](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        w->resize(BoxW, 21);
        auto* l = new QLabel(page);
        l->setObjectName(QStringLiteral("L_") + QString::fromLatin1(name));
        m_labels[QString::fromLatin1(name)] = l;
        return w;
    };
    auto check = [&](const char* name) {
        auto* c = new QCheckBox(page);
        c->setObjectName(QString::fromLatin1(name));
        c->resize(BoxX + BoxW - LabelX, 21);
        return c;
    };
    auto combo = [&](QComboBox* c, const char* name, const QStringList& items) {
        c->addItems(items);
        labelled(c, name);
        return c;
    };
    CB_Var_En = check("CB_Var_En");
    CB_Var_En->move(LabelX, 8);
    CB_Var_En->setChecked(true);
    E_New_Var_Desc = static_cast<QLineEdit*>(labelled(new QLineEdit(page), "E_New_Var_Desc"));
    E_New_Var_Desc->move(BoxX, 32);
    m_labels[QStringLiteral("E_New_Var_Desc")]->move(LabelX, 35);
    CB_Var_ToD = static_cast<TWideComboBox*>(combo(new TWideComboBox(page), "CB_Var_ToD", Items(mbus::kTypeOfData)));
    E_VIF_ASCII = static_cast<QLineEdit*>(labelled(new QLineEdit(page), "E_VIF_ASCII"));
    CB_Var_FF = combo(new QComboBox(page), "CB_Var_FF", Items(mbus::kFunctionFields));
    CB_Var_Dim = combo(new QComboBox(page), "CB_Var_Dim", Items(mbus::kDimensions));
    E_Length = static_cast<QLineEdit*>(labelled(new QLineEdit(page), "E_Length"));
    QStringList units;
    for (int i = 0; i <= 10; ++i)
        units << QString::number(i);
    CB_Var_Unit = combo(new QComboBox(page), "CB_Var_Unit", units);
    CB_Scale = check("CB_Scale");
    E_Sto_Num = static_cast<QLineEdit*>(labelled(new QLineEdit(page), "E_Sto_Num"));
    E_Tariff = static_cast<QLineEdit*>(labelled(new QLineEdit(page), "E_Tariff"));
    CB_VIFE = static_cast<TWideComboBox*>(combo(new TWideComboBox(page), "CB_VIFE", Items(mbus::kVifeTexts)));
    CB_BCDtoINT = check("CB_BCDtoINT");
    CB_SWAP = check("CB_SWAP");
    CB_TP_MR = check("CB_TP_MR");
    CB_ForceInt32 = check("CB_ForceInt32");
    CB_PostOpe = combo(new QComboBox(page), "CB_PostOpe", Items(mbus::kPostOperations));
    E_Position = static_cast<QLineEdit*>(labelled(new QLineEdit(page), "E_Position"));
    m_labels[QStringLiteral("CB_PostOpe")]->setText(QStringLiteral("Post Operation"));   // not translated
    m_labels[QStringLiteral("CB_PostOpe")]->adjustSize();
    btn_Add_Var = MakeButton(page, "btn_Add_Var", LabelX, 0, 160, 30);
    LbButton3 = MakeButton(page, "LbButton3", LabelX + 170, 0, 160, 30, QStringLiteral("SCAN VARIABLES"));
    LbButton3->setVisible(false);
    LbButton3->setEnabled(false);
    connect(btn_Add_Var, &TLbButton::clicked, this, &TFMeter_Bus::btn_Add_VarClick);
    connect(CB_Var_ToD, &QComboBox::currentIndexChanged, this, [this] { EnableRules(); });
    connect(CB_Var_Dim, &QComboBox::currentIndexChanged, this, [this] { EnableRules(); });
    Sposta_Oggetti_Var(0);
}

void TFMeter_Bus::Sposta_Oggetti_Var(int listType)
{
    for (const mbus::PageRow& r : mbus::Sposta_Oggetti_Var(listType, DeviceType)) {
        QWidget* w = Row(r.name);
        if (!w)
            continue;
        const QString name = QString::fromLatin1(r.name);
        const auto label = m_labels.find(name);
        w->setVisible(r.visible);
        if (label != m_labels.end()) {
            label->second->setVisible(r.visible);
            label->second->move(LabelX, r.y + 3);
            w->move(BoxX, r.y);
        } else {
            w->move(LabelX, r.y);
        }
    }
    LbButton3->move(LabelX + 170, btn_Add_Var->y());
}

void TFMeter_Bus::Set_Lang()
{
    setWindowTitle(Lang(743));
    L_SW_Desc->setText(Lang(744));
    Btn_OK->SetCaption(Lang(745));
    Btn_Cancel->SetCaption(Lang(746));
    Btn_ImportNet->SetCaption(Lang(747));
    Btn_Export_Map->SetCaption(Lang(906));
    ExPageControl1->Page(0)->SetCaption(Lang(748));
    ExPageControl1->Page(1)->SetCaption(Lang(749));
    const std::pair<QWidget*, int> texts[] = {
        {CB_Enable_Node, 750}, {m_labels[QStringLiteral("E_New_Node_Desc")], 751}, {RB_ID_Primary, 752},
        {RB_ID_Secondary, 753}, {CB_Node_State, 754}, {CB_Ident_Num, 755}, {m_labels[QStringLiteral("CB_Swap_IN")], 756},
        {CB_BCDtoINT_IN, 757}, {CB_SND_NKE, 758}, {CB_Reset_App, 759}, {m_labels[QStringLiteral("CB_Var_Type")], 760},
        {m_labels[QStringLiteral("CB_Cut_After")], 761}, {m_labels[QStringLiteral("frames")], 762}, {CB_Var_En, 765},
        {m_labels[QStringLiteral("E_New_Var_Desc")], 766}, {m_labels[QStringLiteral("CB_Var_ToD")], 767},
        {m_labels[QStringLiteral("E_VIF_ASCII")], 768}, {m_labels[QStringLiteral("CB_Var_FF")], 769},
        {m_labels[QStringLiteral("CB_Var_Dim")], 770}, {m_labels[QStringLiteral("E_Length")], 771},
        {m_labels[QStringLiteral("CB_Var_Unit")], 772}, {CB_Scale, 773}, {m_labels[QStringLiteral("E_Sto_Num")], 774},
        {m_labels[QStringLiteral("E_Tariff")], 775}, {m_labels[QStringLiteral("CB_VIFE")], 776}, {CB_BCDtoINT, 777},
        {CB_SWAP, 778}, {CB_TP_MR, 779}, {m_labels[QStringLiteral("E_Position")], 780}, {CB_ForceInt32, 971},
    };
    for (const auto& [w, n] : texts) {
        if (auto* l = qobject_cast<QLabel*>(w)) {
            l->setText(Lang(n));
            l->adjustSize();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            b->setText(Lang(n));
        }
    }
    btn_Add_Node->SetCaption(Lang(m_editor.NodeButtonText()));
    btn_Add_Var->SetCaption(Lang(m_editor.VarButtonText()));
}

void TFMeter_Bus::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFMeter_Bus::FormShow()
{
    m_filling = true;
    CB_Cut_After->clear();
    for (int i = 1; i <= 250; ++i)
        CB_Cut_After->addItem(QString::number(i));
    CB_Cut_After->setCurrentIndex(0);
    // The copy buffers outlive a showing: the model keeps them across loads.
    m_editor.SetDeviceType(DeviceType);
    m_editor.Load(File_M_Bus, File_ParGen);
    m_filling = false;
    RebuildTree();
    Sposta_Oggetti_Var(0);
    PasteVariable1->setEnabled(m_editor.HasCopyVar());
    PasteNode1->setEnabled(m_editor.HasCopyNode());
    Aggiorna_Label_Num_Byte();
}

void TFMeter_Bus::RebuildTree()
{
    m_filling = true;
    TW->clear();
    NODE_ORIG = new QTreeWidgetItem(TW, {QStringLiteral("M-Bus Network")});
    for (int i = 0; i < static_cast<int>(m_editor.Nodes().size()); ++i)
        AddNodeItem(i);
    NODE_ORIG->setExpanded(true);
    m_filling = false;
    SelectInTree(m_editor.IND_NODO(), m_editor.IND_VAR());
}

QTreeWidgetItem* TFMeter_Bus::AddNodeItem(int node)
{
    auto* item = new QTreeWidgetItem(NODE_ORIG, {m_editor.NodeText(node)});
    for (const mbus::TVariabile& v : m_editor.Nodes()[node].Var_List)
        new QTreeWidgetItem(item, {mbus::Var_Item_Text(v.Description)});
    return item;
}

void TFMeter_Bus::SelectInTree(int node, int var)
{
    QTreeWidgetItem* item = NODE_ORIG;
    if (node >= 0 && node < NODE_ORIG->childCount()) {
        item = NODE_ORIG->child(node);
        if (var >= 0 && var < item->childCount())
            item = item->child(var);
    }
    TW->setCurrentItem(item);
    TWChange();
}

void TFMeter_Bus::TWChange()
{
    if (m_filling)
        return;
    QTreeWidgetItem* item = TW->currentItem();
    int node = -1, var = -1;
    if (item && item->parent() == NODE_ORIG) {
        node = NODE_ORIG->indexOfChild(item);
    } else if (item && item->parent() && item->parent()->parent() == NODE_ORIG) {
        node = NODE_ORIG->indexOfChild(item->parent());
        var = item->parent()->indexOfChild(item);
    }
    m_editor.Select(node, var);
    ShowPages();
    if (var >= 0)
        ExPageControl1->SetActivePage(ExPageControl1->Page(1));
    else if (node >= 0)
        ExPageControl1->SetActivePage(ExPageControl1->Page(0));
}

void TFMeter_Bus::ShowPages()
{
    m_filling = true;
    const mbus::NodePage& n = m_editor.nodePage;
    CB_Enable_Node->setChecked(n.enable);
    E_New_Node_Desc->setText(n.description);
    (n.secondary ? RB_ID_Secondary : RB_ID_Primary)->setChecked(true);
    E_New_Node_ID_Pri->setText(n.idPrimary);
    E_New_Node_ID_Sec->setText(n.idSecondary);
    CB_Node_State->setChecked(n.nodeState);
    CB_Ident_Num->setChecked(n.identNum);
    CB_Swap_IN->setCurrentIndex(n.swapIdent);
    CB_BCDtoINT_IN->setChecked(n.bcdToIntIn);
    CB_SND_NKE->setChecked(n.sndNke);
    CB_Reset_App->setChecked(n.resetApp);
    CB_Var_Type->setCurrentIndex(n.varListType);
    CB_Cut_After->setCurrentIndex(n.cutAfter);
    const mbus::VarPage& v = m_editor.varPage;
    CB_Var_En->setChecked(v.enable);
    E_New_Var_Desc->setText(v.description);
    CB_Var_ToD->setCurrentIndex(v.typeOfData);
    E_VIF_ASCII->setText(v.vifAscii);
    CB_Var_FF->setCurrentIndex(v.functionField);
    CB_Var_Dim->setCurrentIndex(v.dimension);
    E_Length->setText(v.length);
    CB_Var_Unit->setCurrentIndex(v.unit);
    CB_Scale->setChecked(v.scale);
    E_Sto_Num->setText(v.storageNumber);
    E_Tariff->setText(v.tariff);
    CB_VIFE->setCurrentIndex(v.vife);
    CB_BCDtoINT->setChecked(v.bcdToInt);
    CB_SWAP->setChecked(v.swap);
    CB_TP_MR->setChecked(v.tpModRegs);
    CB_ForceInt32->setChecked(v.forceInt32);
    CB_PostOpe->setCurrentIndex(v.postOperation);
    E_Position->setText(v.position);
    m_filling = false;
    btn_Add_Node->SetCaption(Lang(m_editor.NodeButtonText()));
    btn_Add_Var->SetCaption(Lang(m_editor.VarButtonText()));
    Sposta_Oggetti_Var(m_editor.LayoutListType());
    EnableRules();
}

void TFMeter_Bus::EnableRules()
{
    E_VIF_ASCII->setEnabled(CB_Var_ToD->currentIndex() == mbus::UnitTextType);
    E_Length->setEnabled(CB_Var_Dim->currentIndex() == mbus::VariableLengthDim);
}

void TFMeter_Bus::ReadPages()
{
    mbus::NodePage& n = m_editor.nodePage;
    n.enable = CB_Enable_Node->isChecked();
    n.description = E_New_Node_Desc->text();
    n.secondary = RB_ID_Secondary->isChecked();
    n.idPrimary = E_New_Node_ID_Pri->text();
    n.idSecondary = E_New_Node_ID_Sec->text();
    n.nodeState = CB_Node_State->isChecked();
    n.identNum = CB_Ident_Num->isChecked();
    n.swapIdent = std::max(0, CB_Swap_IN->currentIndex());
    n.bcdToIntIn = CB_BCDtoINT_IN->isChecked();
    n.sndNke = CB_SND_NKE->isChecked();
    n.resetApp = CB_Reset_App->isChecked();
    n.varListType = std::max(0, CB_Var_Type->currentIndex());
    n.cutAfter = std::max(0, CB_Cut_After->currentIndex());
    mbus::VarPage& v = m_editor.varPage;
    v.enable = CB_Var_En->isChecked();
    v.description = E_New_Var_Desc->text();
    v.typeOfData = std::max(0, CB_Var_ToD->currentIndex());
    v.vifAscii = E_VIF_ASCII->text();
    v.functionField = std::max(0, CB_Var_FF->currentIndex());
    v.dimension = std::max(0, CB_Var_Dim->currentIndex());
    v.length = E_Length->text();
    v.unit = std::max(0, CB_Var_Unit->currentIndex());
    v.scale = CB_Scale->isChecked();
    v.storageNumber = E_Sto_Num->text();
    v.tariff = E_Tariff->text();
    v.vife = std::max(0, CB_VIFE->currentIndex());
    v.bcdToInt = CB_BCDtoINT->isChecked();
    v.swap = CB_SWAP->isChecked();
    v.tpModRegs = CB_TP_MR->isChecked();
    v.forceInt32 = CB_ForceInt32->isChecked();
    v.postOperation = std::max(0, CB_PostOpe->currentIndex());
    v.position = E_Position->text();
}

void TFMeter_Bus::btn_Add_NodeClick()
{
    ReadPages();
    const bool adding = m_editor.NodeButtonText() == 763;
    const std::optional<int> node = m_editor.Add_Node();
    if (node) {
        if (adding)
            AddNodeItem(*node);
        else
            NODE_ORIG->child(*node)->setText(0, m_editor.NodeText(*node));
    }
    NODE_ORIG->setExpanded(true);
    Aggiorna_Label_Num_Byte();
}

void TFMeter_Bus::btn_Add_VarClick()
{
    ReadPages();
    const bool adding = m_editor.VarButtonText() == 781;
    const int owner = m_editor.IND_NODO();
    const std::optional<int> var = m_editor.Add_Var();
    if (var) {
        const QString text = mbus::Var_Item_Text(m_editor.Nodes()[owner].Var_List[*var].Description);
        if (adding)
            new QTreeWidgetItem(NODE_ORIG->child(owner), {text});
        else
            NODE_ORIG->child(owner)->child(*var)->setText(0, text);
    }
    NODE_ORIG->setExpanded(true);
    Aggiorna_Label_Num_Byte();
}

void TFMeter_Bus::DeleteItemsClick()
{
    if (m_editor.Delete_Items())
        RebuildTree();
    TW->viewport()->update();
    Aggiorna_Label_Num_Byte();
}

void TFMeter_Bus::CopyVariable1Click()
{
    if (m_editor.Copy_Variable())
        PasteVariable1->setEnabled(true);
}

void TFMeter_Bus::PasteVariable1Click()
{
    const int owner = m_editor.IND_NODO();
    if (m_editor.Paste_Variable())
        new QTreeWidgetItem(NODE_ORIG->child(owner), {mbus::Var_Item_Text(m_editor.Nodes()[owner].Var_List.back().Description)});
    Aggiorna_Label_Num_Byte();
}

void TFMeter_Bus::CopyNode1Click()
{
    if (m_editor.Copy_Node())
        PasteNode1->setEnabled(true);
}

void TFMeter_Bus::PasteNode1Click()
{
    if (!m_editor.HasCopyNode())
        return;
    TFNewIDNode local(this);
    TFNewIDNode* dialog = FNewIDNode ? FNewIDNode : &local;
    const mbus::TNodo& copied = *m_editor.CopiedNode();
    dialog->Prepare(copied.Node_ID_Type == 1, copied.Node_ID_Primary, copied.Node_ID_Secondary);
    dialog->Check = [this](bool sec, const QString& p, const QString& s) { return m_editor.Check_New_Node_ID(sec, p, s); };
    const bool ok = dialog->ShowModal() == mrOk;
    dialog->Check = nullptr;
    if (ok && m_editor.Paste_Node(dialog->RB_ID_Secondary->isChecked(), dialog->E_New_Node_ID_Pri->text(),
                                  dialog->E_New_Node_ID_Sec->text()))
        AddNodeItem(static_cast<int>(m_editor.Nodes().size()) - 1);
    NODE_ORIG->setExpanded(true);
    Aggiorna_Label_Num_Byte();
}

void TFMeter_Bus::Aggiorna_Label_Num_Byte()
{
    L_MBus_NumByte->setText(m_editor.Byte_Label());
}

void TFMeter_Bus::LbButton2Click()
{
    if (!m_editor.Ok(File_M_Bus, File_ParGen))
        return;
    m_filling = true;
    TW->clear();
    NODE_ORIG = nullptr;
    m_filling = false;
    done(mrOk);
}

void TFMeter_Bus::LbButton4Click()
{
    if (m_editor.Cancel())
        done(mrCancel);
}

void TFMeter_Bus::reject()
{
    LbButton4Click();
}

void TFMeter_Bus::Btn_SNMPClick()
{
    if (FSNMP_Trap_Access_MBus && FSNMP_Trap_Access_MBus->Edit(m_editor.Nodes()))
        m_editor.Set_Change();
}

void TFMeter_Bus::Btn_Export_MapClick()
{
    SaveFileDialog dialog;
    dialog.Filter = QStringLiteral("comma-separated value (*.csv)|*.csv");
    dialog.InitialDir = ProjectPath;
    if (!dialog.Execute(this))
        return;
    QString error;
    const QString path = mbus::Export_File_Name(dialog.FileName);
    if (!mbus::Export_Address_Map(path, m_editor.Nodes(), DeviceType, m_editor.Working_Mode(), &error))
        Messages::Error(Lang(1272) + QDir::toNativeSeparators(path) + QStringLiteral("\n") + error);
}

void TFMeter_Bus::Btn_ImportNetClick()
{
    const QString chosen = ChooseImportFile ? ChooseImportFile() : QString();
    if (chosen.isEmpty())
        return;
    if (QFileInfo::exists(File_M_Bus) && !Messages::Ask(Lang(799)))
        return;
    QString error;
    switch (mbus::Import_Network(chosen, File_M_Bus, DeviceType, &error)) {
    case mbus::ImportResult::Failed:
        Messages::Error(error);
        return;
    case mbus::ImportResult::OwnFile:
    case mbus::ImportResult::Imported:
        break;
    }
    FormShow();
}
