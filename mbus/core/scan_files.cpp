#include "mbus/core/scan_files.h"

#include "mbus/core/network.h"
#include "platform/xml_document.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace mbus {

namespace {

// Dim and registers by data field; 13 takes (nbyte + 1) / 2 rounded half to even.
constexpr ScanDim kDims[16] = {
    {255, 0}, {0, 1}, {1, 1}, {4, 2}, {2, 2}, {6, 2}, {5, 3}, {3, 4},
    {255, 0}, {0, 1}, {1, 1}, {4, 2}, {2, 2}, {7, -1}, {5, 3}, {255, 0},
};

bool In(int32_t code, std::initializer_list<int32_t> codes)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Sets an attribute, replacing its value where it exists already.
void Set(pugi::xml_node e, const char* name, const QString& value)
{
    pugi::xml_attribute a = e.attribute(name);
    if (!a)
        a = e.append_attribute(name);
    a.set_value(value.toUtf8().constData());
}

void Set(pugi::xml_node e, const char* name, int64_t value)
{
    pugi::xml_attribute a = e.attribute(name);
    if (!a)
        a = e.append_attribute(name);
    a.set_value(static_cast<long long>(value));
}

void Set(pugi::xml_node e, const char* name, const char* value)
{
    pugi::xml_attribute a = e.attribute(name);
    if (!a)
        a = e.append_attribute(name);
    a.set_value(value);
}

const char* Flag(bool on)
{
    return on ? "1" : "0";
}

QString Ust(const TVariable_MBus& r)
{
    return QStringLiteral("(U%1S%2T%3)").arg(r.device).arg(r.storage_number).arg(r.tarif);
}

// The value's engineering unit for the BACnet model (code 12): none is known.
int32_t BACnet_EngUnits(const TVariable_MBus&)
{
    return 0;
}

// Loads the file to append to, or starts a document with the root.
bool Start_Document(const TSaveConfXML& conf, XmlDocument& doc, pugi::xml_node& root, QString* error)
{
    if (conf.Append == 1) {
        if (!doc.Load(conf.File_Name)) {
            if (error)
                *error = doc.ErrorText();
            return false;
        }
        root = doc.Root();
        if (root.type() != pugi::node_element) {
            if (error)
                *error = QStringLiteral("%1: the file does not begin with its root element; nothing was added.")
                             .arg(conf.File_Name);
            return false;
        }
        return true;
    }
    root = doc.Doc().append_child("M-Bus_Network");
    return true;
}

bool Save(XmlDocument& doc, const QString& path, QString* error)
{
    if (doc.Save(path))
        return true;
    if (error)
        *error = doc.ErrorText();
    return false;
}

// The register attributes of a meter (after Cut_After); r is the next free register.
void Meter_Registers(const TSaveConfXML& conf, pugi::xml_node n, int64_t& r)
{
    const int32_t code = conf.XML_Code_Dev;
    if (code == 12) {
        Set(n, "MBus_Type", "1");
        for (const char* name : {"Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN", "Var_List_Type", "NS_VarType",
                                 "IN_VarType"})
            Set(n, name, "0");
        return;
    }
    if (In(code, {13, 14}))
        Set(n, "MBus_Type", "1");
    if (conf.StartModnode == 1 && In(code, {0, 1, 9, 13, 14})) {
        if (conf.En_NodeState) {
            Set(n, "Node_State", r);
            r += 2;
        } else {
            Set(n, "Node_State", "0");
        }
        if (conf.En_IdeNum) {
            Set(n, "Ident_Num", r);
            r += 1;
        } else {
            Set(n, "Ident_Num", "0");
        }
    }
}

// The Variabile elements of one meter's records.
void Write_Records(const TSaveConfXML& conf, pugi::xml_node n, const std::vector<TVariable_MBus>& records,
                   bool onlyReal, int64_t& r)
{
    const int32_t code = conf.XML_Code_Dev;
    int position = 0;
    int32_t lastDim = 0;
    for (const TVariable_MBus& rec : records) {
        if (onlyReal && !rec.Real_Wireless_Var)
            continue;
        pugi::xml_node v = n.append_child("Variabile");
        Set(v, "Enable", Flag(rec.Enable));
        Set(v, "Position", ++position);
        Set(v, "Desc", rec.Desc_Type_Data + QLatin1Char(' ') + Ust(rec));
        Set(v, "Type", rec.type_data);
        Set(v, "VIF_ASCII", rec.type_data == 21 ? rec.VIF_ASCII : QString());
        Set(v, "Fun_Field", Function_Field_Swap(rec.function_fild));
        Set(v, "Length", "0");
        if (code != 12)
            Set(v, "ModReg", r);
        if (conf.StartModnode == 1 && !rec.Enable) {
            Set(v, "Dim", lastDim);   // an unticked record takes no register
        } else {
            const ScanDim d = Scan_Dim(rec.dimension, rec.nbyte);
            Set(v, "Dim", d.dim);
            r += d.registers;
            lastDim = d.dim;
            if (rec.dimension == 13)
                Set(v, "Length", rec.nbyte);
        }
        Set(v, "Unit", rec.device);
        Set(v, "StoNumber", rec.storage_number);
        Set(v, "Tariff", rec.tarif);
        Set(v, "VIFE", rec.Type_Data_Vife);
        if (code == 12) {
            Set(v, "BACnet_EngUnits", BACnet_EngUnits(rec));
            Set(v, "BACnet_DataType", "0");
            Set(v, "Post_Operation", "0");
        } else {
            Set(v, "ModScale", "0");
        }
        Set(v, "BCDtoINT", "0");
        Set(v, "SWAP", "0");
    }
}

void Start_Register(const TSaveConfXML& conf, qsizetype index, int64_t& r)
{
    if (conf.StartModnode == 1 && index >= 0 && static_cast<size_t>(index) < conf.SMN_Array.size())
        r = conf.SMN_Array[static_cast<size_t>(index)];
}

void Dump_Records(pugi::xml_node node, const std::vector<TVariable_MBus>& records)
{
    for (const TVariable_MBus& r : records) {
        pugi::xml_node v = node.append_child("Variable");
        Set(v, "Value", r.ValueStr);
        Set(v, "Type", r.Desc_Type_Data);
        Set(v, "UST", Ust(r));
        QString vif = QStringLiteral("$%1").arg(r.VIF, 2, 16, QLatin1Char('0')).toUpper();
        const std::pair<const char*, QString> children[] = {
            {"Storage_Number", QString::number(r.storage_number)},
            {"Tariff", QString::number(r.tarif)},
            {"Unit", QString::number(r.device)},
            {"Data_Field", r.DataFieldStr},
            {"Function_Field", r.FunctionFieldStr},
            {"Type", r.Desc_Type_Data},
            {"Value", r.ValueStr},
            {"DIF", r.DIF},
            {"VIF", vif},
            {"DIFE", r.DIFE},
            {"VIFE", r.VIFE},
            {"DATA", QLatin1Char('$') + r.totdati},
        };
        for (const auto& [name, text] : children)
            XmlAppendTextElement(v, QString::fromLatin1(name), text);
    }
}

} // namespace

ScanDim Scan_Dim(uint8_t dataField, int32_t nbyte)
{
    ScanDim d = kDims[dataField & 0x0F];
    if (d.registers < 0)
        d.registers = static_cast<int32_t>(std::nearbyint((nbyte + 1) / 2.0));   // halves to even
    return d;
}

bool Save_XML_Conf_Wired(const TSaveConfXML& conf, const WiredSlaves& slaves, QString* error)
{
    if (error)
        error->clear();
    if (slaves.isEmpty())
        return false;
    XmlDocument doc;
    pugi::xml_node root;
    if (!Start_Document(conf, doc, root, error))
        return false;
    const int32_t code = conf.XML_Code_Dev;
    pugi::xml_node parent = root;
    int64_t r = conf.Mod_Start;
    for (qsizetype i = 0; i < slaves.size(); ++i) {
        const TSlave_MBus& s = *slaves[i];
        Start_Register(conf, i, r);
        if (i == 0 && In(code, {4, 7})) {
            parent = root.append_child("Group");
            Set(parent, "Baudrate", conf.Index_Baud);
            Set(parent, "Parity", conf.Index_Par);
        }
        pugi::xml_node n = parent.append_child("Nodo");
        Set(n, "Enable_Node", Flag(s.Enable));
        if (In(code, {2, 4, 5, 7, 8, 10}))
            Set(n, "ID", s.Primary_Addresss);
        if (In(code, {4, 7}))
            Set(n, "Secondary_address", s.Secondary_Addresss);
        Set(n, "ID_Primary", s.Primary_Addresss);
        Set(n, "ID_Secondary", s.Secondary_Addresss);
        Set(n, "Node_ID_Type", conf.Node_ID_Type);
        Set(n, "Descrizione", s.descManufacture);
        Set(n, "Send_SND_NKE", Flag(conf.SND_NKE == 1));
        Set(n, "Reset_App", Flag(conf.Reset_App == 1));
        Set(n, "Cut_After", std::clamp(conf.Cut_After, 0, 249));
        Meter_Registers(conf, n, r);
        Write_Records(conf, n, s.List_Var, false, r);
    }
    return Save(doc, conf.File_Name, error);
}

bool Save_XML_Conf_Wireless(const TSaveConfXML& conf, const WirelessSlaves& slaves, QString* error)
{
    if (error)
        error->clear();
    if (slaves.isEmpty())
        return false;
    XmlDocument doc;
    pugi::xml_node root;
    if (!Start_Document(conf, doc, root, error))
        return false;
    const int32_t code = conf.XML_Code_Dev;
    int64_t r = conf.Mod_Start;
    for (qsizetype i = 0; i < slaves.size(); ++i) {
        const TSlave_wMBus& s = *slaves[i];
        Start_Register(conf, i, r);
        pugi::xml_node n = root.append_child("Nodo");
        Set(n, "Enable_Node", Flag(s.Enable));
        if (In(code, {2, 4, 5, 7, 8, 10}))
            Set(n, "ID", "1");
        if (In(code, {4, 7}))
            Set(n, "Secondary_address", "1");
        Set(n, "ID_Primary", "1");
        Set(n, "ID_Secondary", "1");
        Set(n, "Node_ID_Type", "0");
        Set(n, "Descrizione", s.ALA_Manu_str);
        Set(n, "Send_SND_NKE", "0");
        Set(n, "Reset_App", "0");
        Set(n, "Cut_After", "3");
        Meter_Registers(conf, n, r);
        Set(n, "MBus_Type", "0");
        Set(n, "wMBus_ManID", s.ALA_Manufacturer);
        Set(n, "wMBus_Add", s.ALA_Address);
        Set(n, "wMBus_Ver", s.ALA_Version);
        Set(n, "wMBus_DevType", s.ALA_DeviceType);
        Set(n, "wMBus_En_Key", Flag(s.Enable_Key));
        for (int k = 0; k < 16; ++k)
            Set(n, QStringLiteral("wMBus_Key_%1").arg(k + 1).toLatin1().constData(), s.Key[static_cast<size_t>(k)]);
        Write_Records(conf, n, s.List_Var, true, r);
    }
    return Save(doc, conf.File_Name, error);
}

bool Save_XML_File_DLL(const QString& path, const WiredSlaves& slaves, QString* error)
{
    XmlDocument doc;
    pugi::xml_node root = doc.Doc().append_child("SCAN_M-Bus_Wired");
    for (const auto& s : slaves) {
        pugi::xml_node n = root.append_child("Node");
        Set(n, "Primary_Address", s->Primary_Addresss);
        Set(n, "Secondary_Address", s->Secondary_Addresss);
        Set(n, "Manufacturer", QStringLiteral("%1 (%2)").arg(s->descManufacture).arg(s->Manufacture));
        Set(n, "Version", s->Version);
        Set(n, "Type", s->Medium);
        Dump_Records(n, s->List_Var);
    }
    return Save(doc, path, error);
}

bool Save_Wireless_XML_File_DLL(const QString& path, const WirelessSlaves& slaves, QString* error)
{
    XmlDocument doc;
    pugi::xml_node root = doc.Doc().append_child("SCAN_M-Bus_Wireless");
    for (const auto& s : slaves) {
        pugi::xml_node n = root.append_child("Node");
        Set(n, "Manufacturer", s->ALA_Manu_str);
        Set(n, "Address", QStringLiteral("%1").arg(s->ALA_Address, 8, 16, QLatin1Char('0')).toUpper());
        Set(n, "Version", s->ALA_Version);
        Set(n, "Device_Type", s->ALA_DeviceType);
        Set(n, "Cripted", s->Cripted ? "True" : "False");
        Dump_Records(n, s->List_Var);
    }
    return Save(doc, path, error);
}

} // namespace mbus
