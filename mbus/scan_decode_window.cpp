#include "scan_decode_window.h"

#include "insert_key_wireless_window.h"
#include "modbus_start_add_sd_window.h"
#include "scan_modbus_start_window.h"

#include "app/button/lb_button.h"
#include "app/common/helpers.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/title_panel.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/tree/widget/image_list.h"
#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/tree_presets.h"
#include "mbus/models/par_gen_link.h"
#include "mbus/models/scan_checks.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>

using namespace lazytree;

TFScanDecode* FScanDecode = nullptr;

namespace {

constexpr int ClientW = 660;
constexpr int PanelTop = 52;
constexpr int RowLabelX = 32;
constexpr int HeadingX = 16;
constexpr int BoxX = 176;
constexpr int ButtonW = 150;
constexpr int ButtonH = 32;
constexpr int ButtonX0 = 16;
constexpr int DetailCount = 12;

// Wireless grid columns: header and width.
struct WirelessColumn
{
    const char* header;
    int width;
};
constexpr WirelessColumn kWirelessColumns[] = {
    {"N", 40},
    {"Date Time", 65},
    {"Message Type", 90},
    {"Manufacturer (LLA)", 120},
    {"Address (LLA)", 90},
    {"Version (LLA)", 85},
    {"Device Type (LLA)", 110},
    {"Manufacturer (ALA)", 120},
    {"Address (ALA)", 90},
    {"Version (ALA)", 85},
    {"Device Type (ALA)", 110},
    {"RSSI", 50},
    {"Cripted", 70},
};
constexpr int WirelessCols = int(std::size(kWirelessColumns));
constexpr grid::TColor CriptedColor = 12172287;   // light red
constexpr grid::TColor PlainColor = 11075496;     // light green

// The data of a result tree node: its level and where its object sits.
struct ScanNode
{
    int level;
    int slave;
    int var;
    int detail;
};

QString Hex(uint32_t v, int digits)
{
    return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper();
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items, int w = 160)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    c->resize(w, 21);
    return c;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, int w)
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->resize(w, 21);
    return e;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name)
{
    auto* c = new QCheckBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->resize(260, 21);
    return c;
}

QImage LevelImage(QColor colour)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(colour.darker());
    p.setBrush(colour);
    p.drawRect(2, 3, 11, 10);
    return img;
}

} // namespace

// ---- texts

QString Progress_Line(int kind, int address, int found, int scanType)
{
    if (kind == 1)
        return scanType != 1 ? Lang(1227) : QString();
    if (kind == 3)
        return scanType != 1 ? Lang(1228) : QString();
    if (kind != 2)
        return QString();
    if (scanType == 1)
        return QStringLiteral("ID = ") + QString::number(address) + QLatin1Char('\t') +
               (found == 0 ? QStringLiteral("[NOT FOUND]") : QString());
    return QStringLiteral("ID = ") + Hex(static_cast<uint32_t>(address), 8);
}

QString Slave_Text(const mbus::TSlave_MBus& s)
{
    return QStringLiteral("Primary Address = %1 - Secondary Address = %2 - Manufacturer = %3(%4) - Version = %5 - "
                          "Type = %6")
        .arg(s.Primary_Addresss)
        .arg(s.Secondary_Addresss, s.descManufacture)
        .arg(s.Manufacture)
        .arg(s.Version)
        .arg(s.Medium);
}

QString Variable_Text(const mbus::TVariable_MBus& v)
{
    return QStringLiteral("Value = %1 - Type = %2 (U%3S%4T%5)")
        .arg(v.ValueStr, v.Desc_Type_Data)
        .arg(v.device)
        .arg(v.storage_number)
        .arg(v.tarif);
}

QString Detail_Text(const mbus::TVariable_MBus& v, int detail)
{
    switch (detail) {
    case 0: return QStringLiteral("Storage Number = ") + QString::number(v.storage_number);
    case 1: return QStringLiteral("Tariff = ") + QString::number(v.tarif);
    case 2: return QStringLiteral("Unit = ") + QString::number(v.device);
    case 3: return QStringLiteral("Data Field = ") + v.DataFieldStr;
    case 4: return QStringLiteral("Function Field = ") + v.FunctionFieldStr;
    case 5: return QStringLiteral("Type = ") + v.Desc_Type_Data;
    case 6: return QStringLiteral("Value = ") + v.ValueStr;
    case 7: return QStringLiteral("DIF = ") + v.DIF;
    case 8: return QStringLiteral("VIF = $") + Hex(v.VIF, 2);
    case 9: return QStringLiteral("DIFE = ") + v.DIFE;
    case 10: return QStringLiteral("VIFE = ") + v.VIFE;
    case 11: return QStringLiteral("DATA = $") + v.totdati;
    default: return QString();
    }
}

QString Wireless_Slave_Text(const mbus::TSlave_wMBus& s)
{
    return QStringLiteral("Manufacturer = %1 - Address = %2 - Version = %3 - Device Type = %4 - %5")
        .arg(s.ALA_Manu_str, Hex(s.ALA_Address, 8))
        .arg(s.ALA_Version)
        .arg(s.ALA_DeviceType)
        .arg(s.Cripted ? QStringLiteral("CRIPTED!!") : QString());
}

QStringList Wireless_Row_Texts(int index, const mbus::TSlave_wMBus& s)
{
    auto decHex = [](uint8_t v) { return QString::number(v) + QStringLiteral(" (") + Hex(v, 2) + QLatin1Char(')'); };
    return {QString::number(index + 1),
            s.DateTime.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")),
            QStringLiteral("0x") + Hex(s.Message_Type, 2),
            s.LLA_Manu_str + QLatin1Char('(') + Hex(s.LLA_Manufacturer, 4) + QLatin1Char(')'),
            Hex(s.LLA_Address, 8),
            decHex(s.LLA_Version),
            decHex(s.LLA_DeviceType),
            s.ALA_Manu_str + QLatin1Char('(') + Hex(s.ALA_Manufacturer, 4) + QLatin1Char(')'),
            Hex(s.ALA_Address, 8),
            decHex(s.ALA_Version),
            decHex(s.ALA_DeviceType),
            QString::number(s.RSSI),
            QString()};
}

void ProgressLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    const QString text = index.data().toString();
    const QRect r = option.rect;
    painter->save();
    painter->fillRect(r, option.palette.base());
    painter->setFont(option.font);
    const int at = text.indexOf(QStringLiteral("[NOT FOUND]"));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (at < 0) {
        painter->setPen(Qt::blue);
        painter->drawText(r.adjusted(2, 0, 0, 0), flags, text);
    } else {
        painter->setPen(Qt::red);
        const int split = text.indexOf(QLatin1Char('['));
        painter->drawText(QRect(r.left() + 2, r.top(), 68, r.height()), flags, text.left(split).trimmed());
        painter->drawText(QRect(r.left() + 70, r.top(), r.width() - 70, r.height()), flags,
                          text.mid(split).trimmed());
    }
    painter->restore();
}

// ---- the window

TFScanDecode::TFScanDecode(QWidget* parent, mbus::WorkerOptions options) : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FScanDecode"));
    TR_ScanDecode = std::make_unique<mbus::TMBusScanDecode>(WiredSlaveList, WirelessSlaveList, std::move(options));
    Insert_Key = [this](int meter, const std::array<uint8_t, 16>& key) {
        return TR_ScanDecode->Insert_Wireless_Key(meter, key);
    };
    MakeTitlePanel(this, ClientW, &L_SW_Code, &L_SW_Desc);
    Label1 = AddLabel("Label1", 480, 30);
    Label1->hide();

    BuildOptions();
    BuildResults();

    Btn_StartScan = MakeButton(this, "Btn_StartScan", ButtonX0, 0, ButtonW, ButtonH);
    Btn_StopScan = MakeButton(this, "Btn_StopScan", ButtonX0, 0, ButtonW, ButtonH);
    Btn_AbortScan = MakeButton(this, "Btn_AbortScan", ButtonX0, 0, ButtonW, ButtonH);
    Btn_NewScan = MakeButton(this, "Btn_NewScan", ButtonX0, 0, ButtonW, ButtonH);
    Btn_SaveConf = MakeButton(this, "Btn_SaveConf", ButtonX0, 0, ButtonW, ButtonH);
    Btn_SaveConfManual = MakeButton(this, "Btn_SaveConfManual", ButtonX0, 0, ButtonW + 30, ButtonH);
    connect(Btn_StartScan, &TLbButton::clicked, this, &TFScanDecode::Btn_StartScanClick);
    connect(Btn_StopScan, &TLbButton::clicked, this, &TFScanDecode::Btn_StopScanClick);
    connect(Btn_AbortScan, &TLbButton::clicked, this, &TFScanDecode::Btn_AbortScanClick);
    connect(Btn_NewScan, &TLbButton::clicked, this, &TFScanDecode::Btn_NewScanClick);
    connect(Btn_SaveConf, &TLbButton::clicked, this, [this] { Btn_SaveConfClick(false); });
    connect(Btn_SaveConfManual, &TLbButton::clicked, this, [this] { Btn_SaveConfClick(true); });

    T_InScan = new QTimer(this);
    T_InScan->setObjectName(QStringLiteral("T_InScan"));
    T_InScan->setSingleShot(true);
    connect(T_InScan, &QTimer::timeout, this, &TFScanDecode::T_InScanTimer);
    m_closeTimer = new QTimer(this);
    m_closeTimer->setInterval(20);
    connect(m_closeTimer, &QTimer::timeout, this, &TFScanDecode::Close_Wait_Tick);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ScanCyclic1 = PopupMenu1->addAction(QStringLiteral("Scan Cyclic"));
    ScanCyclic1->setObjectName(QStringLiteral("ScanCyclic1"));
    connect(ScanCyclic1, &QAction::triggered, this, &TFScanDecode::ScanCyclic1Click);

    connect(this, &TFScanDecode::SlaveListUpdated, this, &TFScanDecode::Add_Progress_Line, Qt::QueuedConnection);
    connect(this, &TFScanDecode::WirelessSlaveUpdated, this, &TFScanDecode::Update_Wireless_Row,
            Qt::QueuedConnection);

    Form_Type = 0;
    CB_ScanMethod->setCurrentIndex(0);
    Set_Lang();
    Move_Object_Type_Form();
    Form_Style(mbus::ScanFormState::Options);
}

TFScanDecode::~TFScanDecode()
{
    // The worker goes first: no call of it reaches a control being destroyed.
    TR_ScanDecode.reset();
    m_wirelessViewport = nullptr;
    for (QLineEdit* e : {E_IP1, E_IP2, E_IP3, E_IP4})
        e->removeEventFilter(this);
    // The trees and the grid widget before the image list and grid they use.
    delete P_TreeView;
    delete P_View_Wireless;
}

void TFScanDecode::BuildOptions()
{
    P_Main = new QWidget(this);
    P_Main->setObjectName(QStringLiteral("P_Main"));
    auto row = [this](QWidget* box, const char* labelName) {
        if (labelName)
            m_rowLabels[box->objectName()] = new QLabel(P_Main);
        if (labelName)
            m_rowLabels[box->objectName()]->setObjectName(QString::fromLatin1(labelName));
    };
    CB_ScanMethod = MakeCombo(P_Main, "CB_ScanMethod", {});
    row(CB_ScanMethod, "L_ScanMethod");
    CB_ScanBy = MakeCombo(P_Main, "CB_ScanBy", {});
    row(CB_ScanBy, "L_ScanBy");
    CB_HardwareType = MakeCombo(P_Main, "CB_HardwareType", {});
    row(CB_HardwareType, "L_HardwareType");
    E_IP1 = MakeEdit(P_Main, "E_IP1", QStringLiteral("192"), 60);
    E_IP2 = MakeEdit(P_Main, "E_IP2", QStringLiteral("168"), 60);
    E_IP3 = MakeEdit(P_Main, "E_IP3", QStringLiteral("2"), 60);
    E_IP4 = MakeEdit(P_Main, "E_IP4", QStringLiteral("205"), 60);
    row(E_IP1, "L_IPAddress");
    for (QLineEdit* e : {E_IP1, E_IP2, E_IP3, E_IP4})
        e->installEventFilter(this);
    for (int i = 0; i < 3; ++i) {
        auto* dot = new QLabel(QStringLiteral("."), P_Main);
        dot->resize(6, 21);
        m_ipDots.append(dot);
    }
    CB_ComPort = MakeCombo(P_Main, "CB_ComPort", {});
    row(CB_ComPort, "L_ComPort");
    Btn_RefreshCom = MakeButton(P_Main, "Btn_RefreshCom", 0, 0, 60, 21, QStringLiteral("..."));
    connect(Btn_RefreshCom, &TLbButton::clicked, this, &TFScanDecode::Refresh_Com_Ports);
    E_Port = MakeEdit(P_Main, "E_Port", QStringLiteral("502"), 80);
    row(E_Port, "L_Port");
    L_MBus_Param = new QLabel(P_Main);
    L_MBus_Param->setObjectName(QStringLiteral("L_MBus_Param"));
    CB_wMBus_Mode = MakeCombo(P_Main, "CB_wMBus_Mode",
                              {QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("N1"), QStringLiteral("N2"),
                               QStringLiteral("C")});
    row(CB_wMBus_Mode, "L_wMBus_Mode");
    CB_wMBus_Radio_Channel = MakeCombo(
        P_Main, "CB_wMBus_Radio_Channel",
        {QStringLiteral("1a @ 4800 bps"), QStringLiteral("1b @ 4800 bps"), QStringLiteral("2a @ 2400 bps"),
         QStringLiteral("2b @ 2400 bps"), QStringLiteral("3a @ 4800 bps"), QStringLiteral("3b @ 4800 bps"),
         QStringLiteral("0 @ 19200 bps"), QStringLiteral("2a @ 4800 bps"), QStringLiteral("2b @ 4800 bps")});
    row(CB_wMBus_Radio_Channel, "L_wMBus_Radio_Channel");
    CB_MBus_Baud = MakeCombo(P_Main, "CB_MBus_Baud",
                             {QStringLiteral("300"), QStringLiteral("600"), QStringLiteral("1200"),
                              QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"),
                              QStringLiteral("19200"), QStringLiteral("38400")});
    CB_MBus_Baud->setCurrentIndex(3);
    row(CB_MBus_Baud, "L_MBus_Baud");
    CB_MBus_Parity = MakeCombo(P_Main, "CB_MBus_Parity",
                               {QStringLiteral("NONE"), QStringLiteral("EVEN"), QStringLiteral("ODD")});
    CB_MBus_Parity->setCurrentIndex(1);
    row(CB_MBus_Parity, "L_MBus_Parity");
    L_Option_Scan = new QLabel(P_Main);
    L_Option_Scan->setObjectName(QStringLiteral("L_Option_Scan"));
    CB_Opt_App_Reset = MakeCheck(P_Main, "CB_Opt_App_Reset");
    CB_Opt_SND_NKE = MakeCheck(P_Main, "CB_Opt_SND_NKE");
    E_Opt_Cut_After = MakeEdit(P_Main, "E_Opt_Cut_After", QStringLiteral("3"), 60);
    row(E_Opt_Cut_After, "L_Opt_Cut_After");
    CB_Opt_Use_Fix_C_Field = MakeCheck(P_Main, "CB_Opt_Use_Fix_C_Field");
    CB_Opt_Use_Fix_C_Field->resize(150, 21);
    CB_Opt_Use_Fix_C_Field_Value =
        MakeCombo(P_Main, "CB_Opt_Use_Fix_C_Field_Value", {QStringLiteral("0x5X"), QStringLiteral("0x7X")}, 80);

    for (QComboBox* c : {CB_ScanMethod, CB_ScanBy, CB_HardwareType, CB_MBus_Baud, CB_MBus_Parity})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { Move_Object_Type_Form(); });
}

void TFScanDecode::SetupTree(TLazyStringTree* tree, bool wireless)
{
    ApplyMBusResultPreset(*tree, IL_Tree1.get());
    tree->SetNodeDataSize(sizeof(ScanNode));
    tree->OnInitNode = [this, tree, wireless](TBaseLazyTree*, PLazyNode, PLazyNode node, TLazyNodeInitStates&) {
        const ScanNode* d = tree->GetNodeData<ScanNode>(node);
        if (d->level >= 2)
            return;
        tree->SetCheckType(node, ctCheckBox);
        bool enabled = true;
        if (wireless && m_wirelessShown) {
            enabled = d->level == 0 ? m_wirelessShown->Enable
                                    : m_wirelessShown->List_Var[static_cast<size_t>(d->var)].Enable;
        }
        tree->SetCheckState(node, enabled ? csCheckedNormal : csUncheckedNormal);
    };
    tree->OnGetText = [this, tree, wireless](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType,
                                             QString& text) {
        const ScanNode* d = tree->GetNodeData<ScanNode>(node);
        if (wireless) {
            if (!m_wirelessShown)
                return;
            const mbus::TSlave_wMBus& s = *m_wirelessShown;
            if (d->level == 0)
                text = Wireless_Slave_Text(s);
            else {
                const mbus::TVariable_MBus& v = s.List_Var[static_cast<size_t>(d->var)];
                if (d->level == 1)
                    text = v.Real_Wireless_Var ? Variable_Text(v) : QStringLiteral("Idle Filler");
                else
                    text = Detail_Text(v, d->detail);
            }
            return;
        }
        if (d->slave >= WiredSlaveList.size())
            return;
        const mbus::TSlave_MBus& s = *WiredSlaveList[d->slave];
        if (d->level == 0)
            text = Slave_Text(s);
        else if (d->level == 1)
            text = Variable_Text(s.List_Var[static_cast<size_t>(d->var)]);
        else
            text = Detail_Text(s.List_Var[static_cast<size_t>(d->var)], d->detail);
    };
    tree->OnGetImageEx = [tree](TBaseLazyTree*, PLazyNode node, TVTImageKind kind, TColumnIndex, bool&, int& index,
                                TCustomImageList*&) {
        if (kind == ikNormal || kind == ikSelected)
            index = tree->GetNodeData<ScanNode>(node)->level;
    };
    if (wireless) {
        tree->OnChecked = [this, tree](TBaseLazyTree*, PLazyNode node) {
            const TCheckState st = tree->GetCheckState(node);
            if (!m_wirelessShown || (st != csCheckedNormal && st != csUncheckedNormal))
                return;
            const ScanNode* d = tree->GetNodeData<ScanNode>(node);
            const bool on = st == csCheckedNormal;
            std::lock_guard lock(TR_ScanDecode->SlaveLock());
            if (m_wirelessMeter < 0 || m_wirelessMeter >= WirelessSlaveList.size())
                return;
            mbus::TSlave_wMBus& live = *WirelessSlaveList[m_wirelessMeter];
            if (d->level == 0) {
                live.Enable = on;
                m_wirelessShown->Enable = on;
            } else if (d->level == 1) {
                const auto i = static_cast<size_t>(d->var);
                if (i < live.List_Var.size())
                    live.List_Var[i].Enable = on;
                m_wirelessShown->List_Var[i].Enable = on;
            }
        };
    }
}

void TFScanDecode::BuildResults()
{
    IL_Tree1 = std::make_unique<TCustomImageList>(16, 16);
    for (QColor c : {QColor(0x30, 0x70, 0xC0), QColor(0x40, 0xA0, 0x40), QColor(0xC0, 0x90, 0x30)})
        IL_Tree1->Add(LevelImage(c));

    P_TreeView = new QWidget(this);
    P_TreeView->setObjectName(QStringLiteral("P_TreeView"));
    L_ScanProgress = new QLabel(P_TreeView);
    L_ScanProgress->setObjectName(QStringLiteral("L_ScanProgress"));
    L_ScanProgress->setGeometry(16, 4, 200, 21);
    L_Num_Slave = new QLabel(P_TreeView);
    L_Num_Slave->setObjectName(QStringLiteral("L_Num_Slave"));
    L_Num_Slave->setGeometry(220, 4, 100, 21);
    L_AvailableDevice = new QLabel(P_TreeView);
    L_AvailableDevice->setObjectName(QStringLiteral("L_AvailableDevice"));
    L_AvailableDevice->setGeometry(16, 28, 200, 21);
    LB_AvailableDevice = new QListWidget(P_TreeView);
    LB_AvailableDevice->setObjectName(QStringLiteral("LB_AvailableDevice"));
    LB_AvailableDevice->setItemDelegate(new ProgressLineDelegate(LB_AvailableDevice));
    LB_AvailableDevice->setUniformItemSizes(true);
    VST = new TLazyStringTree(P_TreeView);
    VST->setObjectName(QStringLiteral("VST"));
    SetupTree(VST, false);

    P_View_Wireless = new QWidget(this);
    P_View_Wireless->setObjectName(QStringLiteral("P_View_Wireless"));
    Splitter_Wireless = new QSplitter(Qt::Vertical, P_View_Wireless);
    m_wirelessGrid = std::make_unique<grid::TExStringGrid>();
    grid::TExStringGrid& g = *m_wirelessGrid;
    g.SetColCount(WirelessCols);
    g.SetRowCount(2);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    grid::TGridOptions opts = g.Options();
    opts.Include(grid::goRowSelect);
    opts.Include(grid::goColSizing);
    g.SetOptions(opts);
    for (int c = 0; c < WirelessCols; ++c) {
        g.SetColWidths(c, kWirelessColumns[c].width);
        g.SetCells(c, 0, QString::fromLatin1(kWirelessColumns[c].header));
    }
    g.Loaded();
    ESG_Wireless = new grid::TGridWidget(g, Splitter_Wireless);
    ESG_Wireless->setObjectName(QStringLiteral("ESG_Wireless"));
    m_wirelessViewport = ESG_Wireless->viewport();
    m_wirelessViewport->installEventFilter(this);
    VST_Wireless = new TLazyStringTree(Splitter_Wireless);
    VST_Wireless->setObjectName(QStringLiteral("VST_Wireless"));
    SetupTree(VST_Wireless, true);
    Splitter_Wireless->setSizes({200, 250});
}

void TFScanDecode::Set_Lang()
{
    setWindowTitle(Lang(1200));
    L_SW_Code->setText(Lang(1201).replace(QStringLiteral("&&"), QStringLiteral("&")));
    L_SW_Desc->setText(Lang(1202).replace(QStringLiteral("&&"), QStringLiteral("&")));
    auto label = [this](QWidget* box, int n) {
        QLabel* l = m_rowLabels.at(box->objectName());
        l->setText(Lang(n));
        l->adjustSize();
    };
    auto refill = [](QComboBox* c, std::initializer_list<int> texts) {
        const QSignalBlocker block(c);
        c->clear();
        for (int n : texts)
            c->addItem(Lang(n));
        c->setCurrentIndex(0);
    };
    label(CB_ScanBy, 1203);
    refill(CB_ScanBy, {1204, 1205});
    label(CB_HardwareType, 1206);
    refill(CB_HardwareType, {1207, 1208});
    label(E_IP1, 1209);
    label(CB_ComPort, 1210);
    L_MBus_Param->setText(Lang(1211));
    L_MBus_Param->adjustSize();
    label(CB_MBus_Baud, 1212);
    label(CB_MBus_Parity, 1213);
    L_Option_Scan->setText(Lang(1214));
    L_Option_Scan->adjustSize();
    CB_Opt_App_Reset->setText(Lang(1215));
    CB_Opt_SND_NKE->setText(Lang(1216));
    label(E_Opt_Cut_After, 1217);
    L_ScanProgress->setText(Lang(1218));
    L_AvailableDevice->setText(Lang(1220));
    Btn_StartScan->SetCaption(Lang(1221));
    Btn_StopScan->SetCaption(Lang(1222));
    Btn_AbortScan->SetCaption(Lang(1223));
    Btn_NewScan->SetCaption(Lang(1224));
    Btn_SaveConf->SetCaption(Lang(1225));
    Btn_SaveConfManual->SetCaption(Lang(1239));
    label(CB_ScanMethod, 1231);
    refill(CB_ScanMethod, {1232, 1233});
    label(CB_wMBus_Mode, 1234);
    label(CB_wMBus_Radio_Channel, 1235);
    label(E_Port, 1236);
    CB_Opt_Use_Fix_C_Field->setText(Lang(1240));
}

bool TFScanDecode::Wireless_Selected() const
{
    return Form_Type == 1 && CB_ScanMethod->currentIndex() == 1;
}

void TFScanDecode::Move_Object_Type_Form()
{
    const bool serial = CB_HardwareType->currentIndex() == 1;
    const int height = mbus::Scan_Form_Height(Form_Type);
    SetClientSize(ClientW, height);
    const int panelH = height - PanelTop - ButtonH - 16;
    for (QWidget* p : {P_Main, P_TreeView, P_View_Wireless})
        p->setGeometry(0, PanelTop, ClientW, panelH);
    for (const mbus::PageRow& r : mbus::Move_Object_Type_Form(Form_Type, Wireless_Selected(), serial, XML_Code_Dev)) {
        auto* box = P_Main->findChild<QWidget*>(QString::fromLatin1(r.name));
        const bool heading = box == L_MBus_Param || box == L_Option_Scan;
        const bool check = box == CB_Opt_App_Reset || box == CB_Opt_SND_NKE || box == CB_Opt_Use_Fix_C_Field;
        box->move(heading ? HeadingX : check ? RowLabelX : BoxX, r.y);
        box->setVisible(r.visible);
        if (auto it = m_rowLabels.find(box->objectName()); it != m_rowLabels.end()) {
            it->second->move(RowLabelX, r.y + 2);
            it->second->setVisible(r.visible);
        }
        if (box == E_IP1) {
            QLineEdit* edits[] = {E_IP1, E_IP2, E_IP3, E_IP4};
            for (int i = 0; i < 4; ++i) {
                edits[i]->move(BoxX + 66 * i, r.y);
                edits[i]->setVisible(r.visible);
                if (i < 3) {
                    m_ipDots[i]->move(BoxX + 66 * i + 61, r.y);
                    m_ipDots[i]->setVisible(r.visible);
                }
            }
        }
        if (box == CB_ComPort) {
            Btn_RefreshCom->move(BoxX + CB_ComPort->width() + 6, r.y);
            Btn_RefreshCom->setVisible(r.visible);
        }
        if (box == CB_Opt_Use_Fix_C_Field) {
            CB_Opt_Use_Fix_C_Field_Value->move(BoxX, r.y);
            CB_Opt_Use_Fix_C_Field_Value->setVisible(r.visible);
        }
        if (box == E_Port) {
            const bool fixed = mbus::Wireless_Port_Fixed(XML_Code_Dev);
            if (fixed)
                E_Port->setText(QStringLiteral("10001"));
            E_Port->setEnabled(!fixed);
        }
    }
    const int y = height - ButtonH - 8;
    for (TLbButton* b : {Btn_StartScan, Btn_StopScan, Btn_AbortScan, Btn_NewScan, Btn_SaveConf, Btn_SaveConfManual})
        b->move(b->x(), y);
    LB_AvailableDevice->setGeometry(16, 52, ClientW - 32, panelH - 56);
    VST->setGeometry(16, 28, ClientW - 32, panelH - 32);
    Splitter_Wireless->setGeometry(8, 4, ClientW - 16, panelH - 8);
}

void TFScanDecode::Form_Style(mbus::ScanFormState state)
{
    m_state = state;
    {
        const QSignalBlocker block(CB_HardwareType);
        CB_HardwareType->setCurrentIndex(0);
    }
    CB_HardwareType->setEnabled(false);
    Move_Object_Type_Form();
    using S = mbus::ScanFormState;
    const bool wired = state == S::WiredRunning || state == S::WiredEnded;
    const bool wireless = state == S::WirelessRunning || state == S::WirelessEnded;
    P_Main->setVisible(state == S::Options);
    P_TreeView->setVisible(wired);
    P_View_Wireless->setVisible(wireless);
    if (state == S::WiredRunning) {
        L_ScanProgress->setText(Lang(1218));
        L_Num_Slave->hide();
        L_AvailableDevice->show();
        LB_AvailableDevice->show();
        VST->hide();
    } else if (state == S::WiredEnded) {
        L_ScanProgress->setText(Lang(1219));
        L_Num_Slave->show();
        L_AvailableDevice->hide();
        LB_AvailableDevice->hide();
        VST->show();
    }
    TLbButton* buttons[] = {Btn_StartScan, Btn_StopScan, Btn_AbortScan, Btn_NewScan, Btn_SaveConf,
                            Btn_SaveConfManual};
    const auto plan = mbus::Form_Style_Buttons(state, XML_Code_Dev, ButtonX0, ButtonW);
    for (size_t i = 0; i < plan.size(); ++i) {
        buttons[i]->move(plan[i].x, buttons[i]->y());
        buttons[i]->setVisible(plan[i].visible);
    }
}

void TFScanDecode::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFScanDecode::FormShow()
{
    m_closing = false;
    m_closeDone = false;
    CB_ScanMethod->setVisible(Form_Type == 1);
    Refresh_Com_Ports();
    TR_ScanDecode->Set_Run_Event();
    if (!File_ParGen.isEmpty() && QFileInfo::exists(File_ParGen)) {
        std::array<QString, 4> octets = {E_IP1->text(), E_IP2->text(), E_IP3->text(), E_IP4->text()};
        mbus::Read_Par_Gen_Ip(File_ParGen, XML_Code_Dev, octets);
        E_IP1->setText(octets[0]);
        E_IP2->setText(octets[1]);
        E_IP3->setText(octets[2]);
        E_IP4->setText(octets[3]);
    }
    Form_Style(mbus::ScanFormState::Options);
}

void TFScanDecode::Refresh_Com_Ports()
{
    CB_ComPort->clear();
    CB_ComPort->addItems(Get_COM_Ports());
    if (CB_ComPort->count() > 0)
        CB_ComPort->setCurrentIndex(0);
}

bool TFScanDecode::eventFilter(QObject* watched, QEvent* event)
{
    QLineEdit* edits[] = {E_IP1, E_IP2, E_IP3, E_IP4};
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->text() == QStringLiteral(".")) {
            for (int i = 0; i < 4; ++i) {
                if (watched != edits[i])
                    continue;
                if (i < 3 && edits[i + 1]->isVisible() && edits[i + 1]->isEnabled())
                    edits[i + 1]->setFocus(Qt::TabFocusReason);
                return true;   // the dot itself is never entered
            }
        }
    }
    if (m_wirelessViewport && watched == m_wirelessViewport &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        auto* m = static_cast<QMouseEvent*>(event);
        const QPoint p = m->position().toPoint();
        grid::TExStringGrid& g = *m_wirelessGrid;
        int row = -1;
        for (int r = g.TopRow(); r < g.RowCount(); ++r) {
            const QRect cell = g.CellRect(0, r);
            if (cell.isEmpty() || cell.top() > p.y())
                break;
            if (p.y() >= cell.top() && p.y() <= cell.bottom())
                row = r;
        }
        if (row >= 1) {
            if (event->type() == QEvent::MouseButtonPress)
                Show_Wireless_Tree(row);
            else
                Wireless_Key_Entry(row, m_wirelessViewport->mapTo(this, p));
        }
    }
    return OrvanoForm::eventFilter(watched, event);
}

void TFScanDecode::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

QString TFScanDecode::Address_Text() const
{
    return E_IP1->text() + QLatin1Char('.') + E_IP2->text() + QLatin1Char('.') + E_IP3->text() + QLatin1Char('.') +
           E_IP4->text();
}

void TFScanDecode::Clear_Wired_Results()
{
    VST->Clear();
    std::lock_guard lock(TR_ScanDecode->SlaveLock());
    WiredSlaveList.clear();
}

void TFScanDecode::Clear_Wireless_Results()
{
    VST_Wireless->Clear();
    m_wirelessShown.reset();
    m_wirelessMeter = -1;
    {
        std::lock_guard lock(TR_ScanDecode->SlaveLock());
        WirelessSlaveList.clear();
    }
    grid::TExStringGrid& g = *m_wirelessGrid;
    g.SetRowCount(2);
    for (int c = 0; c < WirelessCols; ++c) {
        g.SetCells(c, 1, QString());
        g.SetColors(c, 1, grid::clWhite);
    }
    g.RemoveImageIdx(WirelessCols - 1, 1);
}

void TFScanDecode::Btn_StartScanClick()
{
    if (Wireless_Selected())
        Start_Wireless();
    else
        Start_Wired();
}

bool TFScanDecode::Start_Wired()
{
    if (TR_ScanDecode->InScan()) {
        Messages::Error(Lang(1226));
        return false;
    }
    Clear_Wired_Results();
    const bool serial = CB_HardwareType->currentIndex() == 1;
    const QString address = serial ? QStringLiteral("/dev/") + CB_ComPort->currentText() : Address_Text();
    const int baud = mbus::Int_Or(CB_MBus_Baud->currentText(), 2400);
    const int parity = CB_MBus_Parity->currentIndex();
    const int cutAfter = mbus::Int_Or(E_Opt_Cut_After->text(), 3);
    LB_AvailableDevice->clear();
    LB_AvailableDevice->show();
    TR_ScanDecode->SetSaveXMLFile(QString());
    auto update = [this](int32_t kind, int32_t a, int32_t found, int32_t type) {
        emit SlaveListUpdated(kind, a, found, type);
    };
    TR_ScanDecode->Start_Scan(CB_ScanBy->currentIndex() == 1 ? mbus::saSecondaryAddress : mbus::saPrimaryAddress,
                              serial ? mbus::shSerial : mbus::shEthernet, address, baud, parity,
                              CB_Opt_App_Reset->isChecked(), CB_Opt_SND_NKE->isChecked(), cutAfter,
                              CB_Opt_Use_Fix_C_Field->isChecked(),
                              static_cast<uint8_t>(CB_Opt_Use_Fix_C_Field_Value->currentIndex()), update);
    Form_Style(mbus::ScanFormState::WiredRunning);
    T_InScan->start(PollInterval);
    return true;
}

bool TFScanDecode::Start_Wireless()
{
    if (TR_ScanDecode->InScan()) {
        Messages::Error(Lang(1226));
        return false;
    }
    bool ok = false;
    const int port = E_Port->text().trimmed().toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
        Messages::Error(Lang(1238));
        return false;
    }
    Clear_Wireless_Results();
    auto update = [this](int32_t index, const mbus::TSlave_wMBus* meter) {
        emit WirelessSlaveUpdated(index, meter ? std::make_shared<mbus::TSlave_wMBus>(*meter) : nullptr);
    };
    TR_ScanDecode->Start_Scan_Wireless(mbus::shEthernet, Address_Text(), static_cast<uint16_t>(port),
                                       mbus::Wireless_Mode_Code(CB_wMBus_Mode->currentIndex()),
                                       CB_wMBus_Radio_Channel->currentIndex(), update, false);
    Form_Style(mbus::ScanFormState::WirelessRunning);
    T_InScan->start(PollInterval);
    return true;
}

void TFScanDecode::Btn_StopScanClick()
{
    Cyclic_Scan = false;
    if (TR_ScanDecode->InScan())
        TR_ScanDecode->Stop_Scan();
}

void TFScanDecode::Btn_AbortScanClick()
{
    Cyclic_Scan = false;
    if (TR_ScanDecode->InScan())
        TR_ScanDecode->Abort_Scan();
}

void TFScanDecode::Btn_NewScanClick()
{
    Clear_Wired_Results();
    Form_Style(mbus::ScanFormState::Options);
}

void TFScanDecode::ScanCyclic1Click()
{
    Cyclic_Scan = true;
    Error_Cyclic = 0;
    Btn_StartScanClick();
}

void TFScanDecode::T_InScanTimer()
{
    T_InScan->stop();
    if (TR_ScanDecode->InScan()) {
        T_InScan->start(PollInterval);
        return;
    }
    if (m_closing)
        return;
    // What the worker posted before it ended comes first: every progress
    // line and row is shown before the end.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    const bool wireless = m_state == mbus::ScanFormState::WirelessRunning;
    if (TR_ScanDecode->Result() == 2) {
        // A link that could not be opened says why (the port it could not take).
        const QString why = TR_ScanDecode->Error_Text();
        Messages::Error(why.isEmpty() ? Lang(1229) : Lang(1229) + QLatin1Char('\n') + why);
        Form_Style(mbus::ScanFormState::Options);
        Cyclic_Scan = false;
        return;
    }
    if (wireless)
        Form_Style(mbus::ScanFormState::WirelessEnded);
    else {
        Form_Style(mbus::ScanFormState::WiredEnded);
        Fill_Wired_Tree();
    }
    if (Cyclic_Scan) {
        const int count = wireless ? WirelessSlaveList.size() : WiredSlaveList.size();
        if (count != 30) {
            ++Error_Cyclic;
            Label1->setText(QString::number(Error_Cyclic));
        }
        Btn_StartScanClick();
    }
}

void TFScanDecode::Add_Progress_Line(int kind, int address, int found, int scanType)
{
    const QString line = Progress_Line(kind, address, found, scanType);
    if (kind == 2 || !line.isEmpty()) {
        LB_AvailableDevice->addItem(line);
        LB_AvailableDevice->scrollToBottom();
    }
}

void TFScanDecode::Fill_Wired_Tree()
{
    VST->BeginUpdate();
    VST->Clear();
    L_Num_Slave->setText(QString::number(WiredSlaveList.size()));
    Index_Dev_MBus = 0;
    for (int s = 0; s < WiredSlaveList.size(); ++s) {
        PLazyNode slave = VST->AddChild(nullptr);
        *VST->GetNodeData<ScanNode>(slave) = {0, s, -1, -1};
        const auto& vars = WiredSlaveList[s]->List_Var;
        for (size_t v = 0; v < vars.size(); ++v) {
            PLazyNode var = VST->AddChild(slave);
            *VST->GetNodeData<ScanNode>(var) = {1, s, int(v), -1};
            for (int d = 0; d < DetailCount; ++d)
                *VST->GetNodeData<ScanNode>(VST->AddChild(var)) = {2, s, int(v), d};
        }
        Index_Dev_MBus = s;
    }
    VST->EndUpdate();
}

void TFScanDecode::Update_Wireless_Row(int index, const std::shared_ptr<mbus::TSlave_wMBus>& meter)
{
    if (!meter || index < 0)
        return;
    grid::TExStringGrid& g = *m_wirelessGrid;
    if (g.RowCount() < index + 2)
        g.SetRowCount(index + 2);
    const int row = index + 1;
    const QStringList texts = Wireless_Row_Texts(index, *meter);
    for (int c = 0; c < WirelessCols; ++c)
        g.SetCells(c, row, texts[c]);
    g.RemoveImageIdx(WirelessCols - 1, row);
    g.AddImageIdx(WirelessCols - 1, row, meter->Cripted ? 0 : 1, grid::haCenter, grid::vaCenter);
    for (int c = 1; c < WirelessCols; ++c)
        g.SetColors(c, row, meter->Cripted ? CriptedColor : PlainColor);
}

void TFScanDecode::Show_Wireless_Tree(int row)
{
    VST_Wireless->Clear();
    m_wirelessShown.reset();
    m_wirelessMeter = -1;
    {
        std::lock_guard lock(TR_ScanDecode->SlaveLock());
        if (row < 1 || row > WirelessSlaveList.size())
            return;
        m_wirelessMeter = row - 1;
        m_wirelessShown = std::make_shared<mbus::TSlave_wMBus>(*WirelessSlaveList[row - 1]);
    }
    VST_Wireless->BeginUpdate();
    PLazyNode top = VST_Wireless->AddChild(nullptr);
    *VST_Wireless->GetNodeData<ScanNode>(top) = {0, m_wirelessMeter, -1, -1};
    for (size_t v = 0; v < m_wirelessShown->List_Var.size(); ++v) {
        PLazyNode var = VST_Wireless->AddChild(top);
        *VST_Wireless->GetNodeData<ScanNode>(var) = {1, m_wirelessMeter, int(v), -1};
        for (int d = 0; d < DetailCount; ++d)
            *VST_Wireless->GetNodeData<ScanNode>(VST_Wireless->AddChild(var)) = {2, m_wirelessMeter, int(v), d};
    }
    VST_Wireless->EndUpdate();
}

void TFScanDecode::Wireless_Key_Entry(int row, QPoint pos)
{
    bool cripted = false;
    {
        std::lock_guard lock(TR_ScanDecode->SlaveLock());
        cripted = row >= 1 && row <= WirelessSlaveList.size() && WirelessSlaveList[row - 1]->Cripted;
    }
    if (!cripted || !FInsertKeyWireless)
        return;
    TFInsertKeyWireless& dlg = *FInsertKeyWireless;
    QPoint at = pos;
    at.setX(std::max(0, std::min(at.x(), width() - dlg.width())));
    at.setY(std::max(0, std::min(at.y(), height() - dlg.height())));
    dlg.move(mapToGlobal(at));
    if (dlg.ShowModal() != mrOk)
        return;
    Insert_Key(row - 1, mbus::Key_Bytes(dlg.E_Key->text()));
}

void TFScanDecode::Copy_Ticks()
{
    // Every node is made first, so a value never shown is saved ticked.
    VST->InitRecursive(nullptr, std::numeric_limits<uint32_t>::max(), false);
    for (PLazyNode slave = VST->GetFirstChild(nullptr); slave; slave = VST->GetNextSibling(slave)) {
        const ScanNode* d = VST->GetNodeData<ScanNode>(slave);
        if (d->slave >= WiredSlaveList.size())
            continue;
        mbus::TSlave_MBus& s = *WiredSlaveList[d->slave];
        s.Enable = VST->GetCheckState(slave) != csUncheckedNormal;
        for (PLazyNode var = VST->GetFirstChild(slave); var; var = VST->GetNextSibling(var)) {
            const ScanNode* vd = VST->GetNodeData<ScanNode>(var);
            const TCheckState st = VST->GetCheckState(var);
            s.List_Var[static_cast<size_t>(vd->var)].Enable = st == csCheckedNormal || st == csCheckedPressed;
        }
    }
}

void TFScanDecode::Btn_SaveConfClick(bool perNodeAddresses)
{
    const bool wireless = Wireless_Selected();
    const bool exists = QFileInfo::exists(FileName_MBus);
    mbus::ExistingAnswer answer = mbus::ExistingAnswer::No;
    if (exists) {
        switch (Messages::AskYesNoCancel(Lang(1237))) {
        case MsgAnswer::Yes: answer = mbus::ExistingAnswer::Yes; break;
        case MsgAnswer::No: answer = mbus::ExistingAnswer::No; break;
        case MsgAnswer::Cancel: answer = mbus::ExistingAnswer::Cancel; break;
        }
    }
    const mbus::SavePlan plan = mbus::Plan_Save(exists, answer, perNodeAddresses, XML_Code_Dev);
    if (!plan.go)
        return;
    mbus::TSaveConfXML conf;
    conf.Mod_Start = 1;
    if (plan.askStartAddresses && FModbusStartAdd_SD) {
        std::vector<QString> rows;
        {
            std::lock_guard lock(TR_ScanDecode->SlaveLock());
            if (wireless) {
                for (const auto& m : WirelessSlaveList)
                    rows.push_back(QString::number(m->ALA_Address));
            } else {
                for (const auto& s : WiredSlaveList)
                    rows.push_back(mbus::Start_Address_Row_Wired(s->Primary_Addresss, s->Secondary_Addresss));
            }
        }
        FModbusStartAdd_SD->Carica_Dati_Modbus_Start_Add(rows);
        if (FModbusStartAdd_SD->ShowModal() != mrOk)
            return;
        for (const QString& a : FModbusStartAdd_SD->Start_Addresses())
            conf.SMN_Array.push_back(mbus::Int_Or(a, 1));
        conf.En_NodeState = FModbusStartAdd_SD->CB_En_NodeState->isChecked();
        conf.En_IdeNum = FModbusStartAdd_SD->CB_En_IndNum->isChecked();
    }
    if (plan.askStartRegister && FScanModbusStart) {
        if (FScanModbusStart->ShowModal() != mrOk)
            return;
        conf.Mod_Start = FScanModbusStart->StartModAdd;
    }
    conf.Append = plan.append ? 1 : 0;
    conf.XML_Code_Dev = XML_Code_Dev;
    conf.Node_ID_Type = CB_ScanBy->currentIndex();
    conf.StartModnode = perNodeAddresses ? 1 : 0;
    conf.File_Name = FileName_MBus;
    if (wireless) {
        conf.Cut_After = 3;
    } else {
        conf.Index_Baud = CB_MBus_Baud->currentIndex();
        conf.Index_Par = CB_MBus_Parity->currentIndex();
        conf.SND_NKE = CB_Opt_SND_NKE->isChecked() ? 1 : 0;
        conf.Reset_App = CB_Opt_App_Reset->isChecked() ? 1 : 0;
        conf.Cut_After = mbus::Int_Or(E_Opt_Cut_After->text(), 3);
    }
    QString error;
    bool saved = false;
    if (wireless) {
        saved = TR_ScanDecode->Save_XML_Conf_Wireless(conf, &error);
    } else {
        Copy_Ticks();
        saved = TR_ScanDecode->Save_XML_Conf_Wired(conf, &error);
    }
    if (saved)
        Messages::Information(Lang(1230));
    else if (!error.isEmpty())
        Messages::Error(error);
}

// ---- closing

void TFScanDecode::reject()
{
    Begin_Close();
}

void TFScanDecode::closeEvent(QCloseEvent* event)
{
    if (m_closeDone) {
        OrvanoForm::closeEvent(event);
        return;
    }
    event->ignore();
    Begin_Close();
}

void TFScanDecode::Begin_Close()
{
    Cyclic_Scan = false;
    T_InScan->stop();
    if (!TR_ScanDecode->InScan()) {
        TR_ScanDecode->Park();
        m_closeDone = true;
        OrvanoForm::reject();
        return;
    }
    if (m_closing)
        return;
    // The worker aborts and runs its close steps (the converter leaves its
    // analyzer mode); the window stays painted until it has parked.
    m_closing = true;
    setEnabled(false);
    TR_ScanDecode->Park();
    m_closeDeadline = QDateTime::currentMSecsSinceEpoch() + CloseWaitLimit;
    m_closeTimer->start();
}

void TFScanDecode::Close_Wait_Tick()
{
    if (!TR_ScanDecode->Parked() && QDateTime::currentMSecsSinceEpoch() < m_closeDeadline)
        return;
    m_closeTimer->stop();
    setEnabled(true);
    m_closing = false;
    m_closeDone = true;
    OrvanoForm::reject();
}
