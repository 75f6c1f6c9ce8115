#include "par_gen_layout.h"

#include "device_type.h"
#include "language.h"
#include "lb_button.h"
#include "par_edit.h"
#include "app/forms/tab_order.h"
#include "par_gen_controls.h"
#include "par_gen_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

using device::Types;
using device::AllTypes;
using params::TunnelPortTypes;
using params::NoPortRowTypes;

namespace {

// clang-format off
constexpr ParModelLayout kModels[] = {
    {Types(0, 27), "GB_CAN", "CAN_Baud"},
    {Types(1), "GB_DNET_Master", "CB_Baud_DNET_Master"},
    {Types(2), "GB_DNET_Slave", "E_NB_OUT_DNET_Slave"},
    {Types(3), "GB_PROFIBUS_Slave", "CB_PROFI_Slave_Reset_Data"},
    {Types(4, 25), "GB_Modbus_Master", "CB_En_Poll_PROFI_OK_Modbus_Master"},
    {Types(5, 26), "GB_Modbus_Slave", "CB_Read_IR"},
    {Types(6, 14), "GB_J1939", "E_J1939_DeviceID"},
    {Types(7, 28), "GB_NMEA2000", "CB_En_Peer_NMEA2000"},
    {Types(8, 24), "GB_CANopen", "E_CANopen_TSDO_Add_Out"},
    {Types(9), "GB_Serial", "CB_Parity_Serial"},
    {Types(10), "GB_MBus", "E_NSE_MBus"},
    {Types(11), "GB_Modbus_TCP_Master", "E_CD_Modbus_TCP_Master"},
    {Types(12), "GB_Modbus_TCP_Slave", "CB_Modbus_TCP_Slave_Read_IR"},
    {Types(13), "GB_EtherNetIP", "E_EIP_PORT"},
    {Types(15), "GB_CAN", "CAN_Baud"},
    {Types(16), "GB_Modbus_Slave", "CB_ModSlave_SwapBytes", ParExtra::SwapBytesRow},
    {Types(17), "GB_Modbus_TCP_Slave", "E_Port_Modbus_TCP_Slave"},
    {Types(18, 1018), "GB_Modbus_Master", "E_CD_Modbus_Master"},
    {Types(19), "GB_Modbus_TCP_Master", "E_CD_Modbus_TCP_Master"},
    {Types(20), "GB_SNMP", nullptr, ParExtra::SnmpBoxRows},
    {Types(21), "GB_MBus", "E_NSE_MBus"},
    {Types(22, 29), "GB_DMX", "E_DMX_Num_Channel"},
    {Types(23), "GB_PROFIBUS_Slave", "CB_PROFI_Slave_Reset_Data"},
};

// Rows of the network box by model family: label (or check box), control,
// their tops, their lefts, shown. Rows a family does not name are hidden.
constexpr const char* kNameL = "L_PROFINET_Name_Station";
constexpr const char* kNameE = "E_Profinet_Name_Station";

constexpr ParRowPlace kRowsMBus[] = {
    {kNameL, kNameE, 223, 242, 16, 16, true},
    {nullptr, "GB_Working_Mode_MBus", 0, 272, 0, 8, true},
    {"CB_Auto_Calc_Bytes", nullptr, 370, 0, 8, -1, true},
    {"L_PROFINET_Byte_OUT", "E_NB_OUT_PROFINET", 404, 401, 8, 145, true},
    {"L_PROFINET_Byte_IN", "E_NB_IN_PROFINET", 404, 401, 8, 145, false},
};
constexpr ParRowPlace kRowsCan[] = {
    {"CB_SendBack_CAN_Mess", nullptr, 225, 0, 16, -1, true},
    {"CB_Reply_Tunnel_Port", nullptr, 259, 0, 16, -1, true},
    {kNameL, kNameE, 291, 308, 16, 16, true},
    {"L_PROFINET_Byte_IN", "E_NB_IN_PROFINET", 345, 342, 16, 147, true},
    {"L_PROFINET_Byte_OUT", "E_NB_OUT_PROFINET", 379, 376, 16, 147, true},
};
#define PROFINET_BYTES                                                     \
    {kNameL, kNameE, 223, 242, 16, 16, true},                              \
    {"L_PROFINET_Byte_IN", "E_NB_IN_PROFINET", 279, 276, 16, 147, true},   \
    {"L_PROFINET_Byte_OUT", "E_NB_OUT_PROFINET", 313, 310, 16, 147, true}
constexpr ParRowPlace kRowsBytes[] = {PROFINET_BYTES};
constexpr ParRowPlace kRowsDiagnostic[] = {
    PROFINET_BYTES,
    {"CB_PROFINET_En_Diagnostic", "E_PROFINET_Diagnostic_Address", 347, 344, 16, 147, true},
};
constexpr ParRowPlace kRowsPolls[] = {
    PROFINET_BYTES,
    {"CB_PROFINET_En_Diagnostic", "E_PROFINET_Diagnostic_Address", 347, 344, 16, 147, true},
    {"CB_PROFINET_En_Modbus_Poll", "E_PROFINET_ModPolls_Address", 381, 378, 16, 147, true},
};
constexpr ParRowPlace kRowsCommand[] = {
    PROFINET_BYTES,
    {"CB_PROFINET_En_Diagnostic", "E_PROFINET_Diagnostic_Address", 347, 344, 16, 147, true},
    {"CB_PROFINET_CANopen_CMD", "E_PROFINET_CANopen_CMD", 381, 378, 16, 147, true},
};
#undef PROFINET_BYTES
constexpr ParRowPlace kRowsCanSnmp[] = {
    {"CB_SendBack_CAN_Mess", nullptr, 225, 0, 16, -1, true},
    {"CB_Reply_Tunnel_Port", nullptr, 259, 0, 16, -1, true},
    {kNameL, kNameE, 291, 308, 16, 16, true},
    {"L_SNMP_PROFINET_Contact", "E_SNMP_PROFINET_Contact", 345, 342, 16, 82, true},
    {"L_SNMP_PROFINET_Location", "E_SNMP_PROFINET_Location", 379, 376, 16, 82, true},
    {"L_Aux_Int_Dim", "CB_Aux_Int_Dim", 345, 342, 16, 184, false},
    {"L_PROFINET_Byte_IN", "E_NB_IN_PROFINET", 345, 342, 16, 147, false},
    {"L_PROFINET_Byte_OUT", "E_NB_OUT_PROFINET", 379, 376, 16, 147, false},
};
constexpr ParRowPlace kRowsTcpSlaveSnmp[] = {
    {kNameL, kNameE, 191, 208, 16, 16, true},
    {"L_Aux_Int_Dim", "CB_Aux_Int_Dim", 245, 242, 16, 184, true},
};
constexpr ParRowPlace kRowsMBusSnmp[] = {
    {kNameL, kNameE, 191, 208, 16, 16, true},
    {nullptr, "GB_Working_Mode_MBus", 0, 238, 0, 8, true},
    {"L_Aux_Int_Dim", "CB_Aux_Int_Dim", 336, 333, 16, 184, true},
};
constexpr ParRowPlace kRowsMapType[] = {
    {kNameL, kNameE, 191, 208, 16, 16, true},
    {"L_SNMP_PROFINET_Contact", "E_SNMP_PROFINET_Contact", 245, 242, 16, 82, true},
    {"L_SNMP_PROFINET_Location", "E_SNMP_PROFINET_Location", 279, 276, 16, 82, true},
    {"L_SNMP_PROFINET_Map_Type", "CB_SNMP_PROFINET_Map_Type", 313, 310, 16, 82, true},
    {"L_Aux_Int_Dim", "CB_Aux_Int_Dim", 245, 242, 16, 184, false},
};
constexpr ParRowPlace kRowsBrandVariant[] = {
    {kNameL, kNameE, 191, 208, 16, 16, true},
    {"L_SNMP_PROFINET_Contact", "E_SNMP_PROFINET_Contact", 245, 242, 16, 82, true},
    {"L_SNMP_PROFINET_Location", "E_SNMP_PROFINET_Location", 279, 276, 16, 82, true},
    {"L_SNMP_PROFINET_Map_Type", "CB_SNMP_PROFINET_Map_Type", 313, 310, 16, 82, false},
    {"L_Aux_Int_Dim", "CB_Aux_Int_Dim", 245, 242, 16, 184, false},
};
constexpr ParRowPlace kRowsNameHigh[] = {
    {kNameL, kNameE, 191, 208, 16, 16, true},
};
constexpr ParRowPlace kRowsName[] = {
    {kNameL, kNameE, 223, 242, 16, 16, true},
};

constexpr ParNetworkRows kNetworkRows[] = {
    {Types(10), kRowsMBus, "E_NB_IN_PROFINET"},
    {Types(0, 27), kRowsCan, "E_NB_OUT_PROFINET"},
    {Types(5, 9, 12, 13, 20, 24, 26), kRowsBytes, "E_NB_OUT_PROFINET"},
    {Types(1, 11), kRowsDiagnostic, "E_PROFINET_Diagnostic_Address"},
    {Types(4, 25), kRowsPolls, "E_PROFINET_ModPolls_Address"},
    {Types(8), kRowsCommand, "E_PROFINET_CANopen_CMD"},
    {Types(15), kRowsCanSnmp, nullptr, ParSnmpRows::Always, 413},
    {Types(17), kRowsTcpSlaveSnmp, nullptr, ParSnmpRows::Always, 280},
    {Types(21), kRowsMBusSnmp, nullptr, ParSnmpRows::Always, 371},
    {Types(16, 18, 19), kRowsMapType, "CB_SNMP_PROFINET_Map_Type", ParSnmpRows::ByMapType, 347},
    {Types(1018), kRowsBrandVariant, nullptr, ParSnmpRows::Always, 313},
    {Types(23), kRowsNameHigh, "E_Profinet_Name_Station"},
    {AllTypes, kRowsName, "E_Profinet_Name_Station"},
};

// The SNMP rows, 34 apart: version, user, security level, authentication
// password and mode, privacy password and mode.
constexpr ParSnmpRow kNetworkSnmpRows[] = {
    {"L_PROFI_SNMP_Version", "CB_PROFI_SNMP_Version", 82, 1},
    {"L_PROFI_SNMP_User", "E_PROFI_SNMP_User", 82},
    {"L_PROFI_SNMP_Secure_Lev", "CB_PROFI_SNMP_Secure_Lev", 148},
    {"L_PROFI_SNMP_Auth_Pass", "E_PROFI_SNMP_Auth_Pass", 82},
    {"L_PROFI_SNMP_Auth_Mode", "CB_PROFI_SNMP_Auth_Mode", 148},
    {"L_PROFI_SNMP_Priv_Pass", "E_PROFI_SNMP_Priv_Pass", 82},
    {"L_PROFI_SNMP_Priv_Mode", "CB_PROFI_SNMP_Priv_Mode", 148},
};
constexpr ParSnmpRow kBoxSnmpRows[] = {
    {"L_SNMP_Version", "CB_SNMP_Version", 82},
    {"L_SNMP_User", "E_SNMP_User", 82},
    {"L_SNMP_Secure_Lev", "CB_SNMP_Secure_Lev", 148},
    {"L_SNMP_Auth_Pass", "E_SNMP_Auth_Pass", 82},
    {"L_SNMP_Auth_Mode", "CB_SNMP_Auth_Mode", 148},
    {"L_SNMP_Priv_Pass", "E_SNMP_Priv_Pass", 82},
    {"L_SNMP_Priv_Mode", "CB_SNMP_Priv_Mode", 148},
};
constexpr int kBoxSnmpTop = 315;
// clang-format on

} // namespace

const ParModelLayout* FindModelLayout(int type)
{
    for (const ParModelLayout& m : kModels) {
        if (m.types.Has(type))
            return &m;
    }
    return nullptr;
}

const ParNetworkRows* FindNetworkRows(int type)
{
    for (const ParNetworkRows& r : kNetworkRows) {
        if (r.types.Has(type))
            return &r;
    }
    return nullptr;
}

// Helpers ---------------------------------------------------------------------

void TFParGen::Place(const char* name, int top, int left, int width)
{
    QWidget* w = Control(QLatin1String(name));
    w->move(left >= 0 ? left : w->x(), top);
    if (width >= 0)
        w->setFixedWidth(width);
}

void TFParGen::ShowCtl(const char* name, bool shown)
{
    if (name)
        Control(QLatin1String(name))->setVisible(shown);
}

int TFParGen::Bottom(const char* name) const
{
    const QWidget* w = Control(QLatin1String(name));
    return w->y() + w->height();
}

int TFParGen::Item(const char* combo) const
{
    return Control<QComboBox>(QLatin1String(combo))->currentIndex();
}

// Creation, collapse and expand -------------------------------------------------

void TFParGen::Collapse_Expand_Creation()
{
    for (const ParBoxDef& box : ParGenBoxes()) {
        m_expanded.insert(QLatin1String(box.name), true);
        for (bool expand : {false, true}) {
            QWidget* b = Control(expand ? ExpandButtonName(box.name) : CollapseButtonName(box.name));
            b->move(280, 10);
            b->setVisible(!expand);
        }
    }
}

void TFParGen::Btn_GB_Collapse(QObject* sender)
{
    for (const ParBoxDef& box : ParGenBoxes()) {
        if (sender != Control(CollapseButtonName(box.name)))
            continue;
        const QString name = QLatin1String(box.name);
        Control(name)->resize(BoxWidth, CollapsedHeight);
        for (const char* c : box.firstRow)
            ShowCtl(c, false);
        Control(CollapseButtonName(box.name))->hide();
        Control(ExpandButtonName(box.name))->show();
        m_expanded.insert(name, false);
    }
    Move_GroupBoxs();
}

void TFParGen::Btn_GB_Expande(QObject* sender)
{
    for (const ParBoxDef& box : ParGenBoxes()) {
        if (sender != Control(ExpandButtonName(box.name)))
            continue;
        for (const char* c : box.firstRow)
            ShowCtl(c, true);
        Control(CollapseButtonName(box.name))->show();
        Control(ExpandButtonName(box.name))->hide();
        m_expanded.insert(QLatin1String(box.name), true);
    }
    Move_GroupBoxs();
}

// The stack -----------------------------------------------------------------------

void TFParGen::Move_GroupBoxs()
{
    if (const ParModelLayout* model = FindModelLayout(DeviceType))
        Arrange(*model);
}

void TFParGen::Arrange(const ParModelLayout& model)
{
    QWidget* network = Control(QStringLiteral("GB_PROFINET"));
    network->move(BoxLeft, TopBoxTop);
    network->show();
    const int bottom = GB_PROFINET_Pos_Obj();
    if (m_expanded.value(QStringLiteral("GB_PROFINET")))
        network->resize(BoxWidth, bottom + BoxMargin);

    QWidget* box = Control(QLatin1String(model.box));
    box->move(BoxLeft, network->y() + network->height() + BoxGap);
    box->show();
    int closing = 0;
    switch (model.extra) {
    case ParExtra::SwapBytesRow:
        ShowCtl("CB_Read_IR", false);
        ShowCtl("CB_ModSlave_SwapBytes", true);
        Place("CB_ModSlave_SwapBytes", 160, 16);
        break;
    case ParExtra::SnmpBoxRows:
        closing = Place_SNMP_Rows(kBoxSnmpRows, kBoxSnmpTop);
        break;
    case ParExtra::None:
        break;
    }
    if (model.closing)
        closing = Bottom(model.closing);
    if (m_expanded.value(QLatin1String(model.box)))
        box->resize(BoxWidth, closing + BoxMargin);

    const int lower = box->y() + box->height();
    m_ok->move(m_ok->x(), lower + 13);
    m_cancel->move(m_cancel->x(), lower + 13);
    SetClientSize(312, lower + 54);
    Apply_Tab_Order(model);
}

void TFParGen::Apply_Tab_Order(const ParModelLayout& model)
{
    m_tabOrder.clear();
    for (const char* boxName : {"GB_PROFINET", model.box}) {
        QWidget* box = Control(QLatin1String(boxName));
        const QList<QWidget*> corner = {Control(CollapseButtonName(boxName)), Control(ExpandButtonName(boxName))};
        QList<QWidget*> fields;
        for (QWidget* w : box->findChildren<QWidget*>()) {
            if ((w->focusPolicy() & Qt::TabFocus) && !corner.contains(w) && m_controls.contains(w->objectName()))
                fields.append(w);
        }
        m_tabOrder += forms::ReadingOrder(fields, this);
        m_tabOrder += corner;
    }
    m_tabOrder += {m_ok, m_cancel};
    forms::ChainTabOrder(m_tabOrder);
}

// The rows of the network box -------------------------------------------------------

int TFParGen::GB_PROFINET_Pos_Obj()
{
    const int type = DeviceType;

    // The port row.
    auto* portLabel = Control<QLabel>(QStringLiteral("L_PROFINET_Port"));
    QWidget* port = Control(QStringLiteral("E_PORT"));
    const bool portRow = !NoPortRowTypes.Has(type);
    portLabel->setVisible(portRow);
    port->setVisible(portRow);
    if (TunnelPortTypes.Has(type)) {
        portLabel->setText(Lang(151));
        port->setEnabled(true);
        Place("E_PORT", 188, 148, 128);
    } else {
        portLabel->setText(Lang(92));
        port->setEnabled(false);
        Place("E_PORT", 188, 82, 192);
    }
    portLabel->adjustSize();

    // The model's rows; every row another family names is hidden.
    for (const ParNetworkRows& family : kNetworkRows) {
        for (const ParRowPlace& r : family.rows) {
            ShowCtl(r.label, false);
            ShowCtl(r.control, false);
        }
    }
    const ParNetworkRows* rows = FindNetworkRows(type);
    for (const ParRowPlace& r : rows->rows) {
        if (r.label)
            Place(r.label, r.labelTop, r.labelLeft);
        if (r.control)
            Place(r.control, r.controlTop, r.controlLeft);
        ShowCtl(r.label, r.shown);
        ShowCtl(r.control, r.shown);
    }
    if (type == BrandVariantType)
        SetValue(QStringLiteral("CB_SNMP_PROFINET_Map_Type"), QStringLiteral("1"));

    int bottom = rows->bottom ? Bottom(rows->bottom) : 0;
    const bool snmp = rows->snmp == ParSnmpRows::Always
                      || (rows->snmp == ParSnmpRows::ByMapType && Item("CB_SNMP_PROFINET_Map_Type") == 1);
    const int snmpBottom = Show_SNMP_Ver3(snmp, rows->snmpTop);
    if (snmp)
        bottom = snmpBottom;

    // Rows of the Modbus boxes that follow the model.
    ShowCtl("CB_Read_IR", Types(5, 26).Has(type));
    ShowCtl("CB_ModSlave_SwapBytes", false);
    ShowCtl("CB_Modbus_TCP_Slave_Read_IR", type == 12);
    const bool stopBits = Types(4, 25).Has(type);
    for (const char* c : {"CB_En_Poll_PROFI_OK_Modbus_Master", "L_ModMaster_Stop", "CB_Stop_Modbus_Master"})
        ShowCtl(c, stopBits);
    const int timeOutTop = stopBits ? 160 : 126;
    Place("L_ModMaster_TO", timeOutTop);
    Place("E_TO_Modbus_Master", timeOutTop - 3);
    Place("L_ModMaster_Idle", timeOutTop + 34);
    Place("E_CD_Modbus_Master", timeOutTop + 31);
    return bottom;
}

int TFParGen::Show_SNMP_Ver3(bool visible, int startTop)
{
    auto* hex = Control<QCheckBox>(QStringLiteral("CB_PROFI_SNMP_Priv_Pass_Hex"));
    if (!visible) {
        for (const ParSnmpRow& r : kNetworkSnmpRows) {
            ShowCtl(r.label, false);
            ShowCtl(r.control, false);
        }
        hex->hide();
        return 0;
    }
    const int bottom = Place_SNMP_Rows(kNetworkSnmpRows, startTop);

    // The privacy password in hexadecimal is offered with AES.
    auto* password = Control<ParEdit>(QStringLiteral("E_PROFI_SNMP_Priv_Pass"));
    if (Item("CB_PROFI_SNMP_Version") == 2 && Item("CB_PROFI_SNMP_Secure_Lev") >= 2) {
        if (Item("CB_PROFI_SNMP_Priv_Mode") == 1) {
            hex->move(64, Control(QStringLiteral("L_PROFI_SNMP_Priv_Pass"))->y() - 1);
            hex->show();
            Place("E_PROFI_SNMP_Priv_Pass", password->y(), 110, 164);
            password->SetMaxLength(hex->isChecked() ? 30 : 15);
        } else {
            hex->hide();
            Place("E_PROFI_SNMP_Priv_Pass", password->y(), 82, 192);
            password->SetMaxLength(15);
        }
    } else {
        hex->hide();   // its row is hidden; its state stays
    }
    return bottom;
}

int TFParGen::Place_SNMP_Rows(std::span<const ParSnmpRow> rows, int top)
{
    // The version row always shows; the user and the security level with
    // version 3; the authentication rows from "Auth NoPriv", the privacy rows
    // with "Auth Priv".
    const bool v3 = Item(rows[0].control) == 2;
    const int level = Item(rows[2].control);
    const bool shown[] = {true, v3, v3, v3 && level > 0, v3 && level > 0, v3 && level >= 2, v3 && level >= 2};
    size_t last = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ParSnmpRow& r = rows[i];
        const int rowTop = top + 34 * int(i);
        Place(r.label, rowTop, 16);
        Place(r.control, rowTop - r.rise, r.left);
        ShowCtl(r.label, shown[i]);
        ShowCtl(r.control, shown[i]);
        if (shown[i])
            last = i;
    }
    return Bottom(rows[last].control);
}
