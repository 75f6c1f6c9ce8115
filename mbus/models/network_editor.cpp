#include "mbus/models/network_editor.h"

#include "mbus/core/network_file.h"
#include "mbus/models/par_gen_link.h"

#include "app/common/language.h"
#include "platform/int_text.h"
#include "platform/messages.h"

#include <QDir>
#include <QFileInfo>

namespace mbus {

namespace {

// An integer text within [lo, hi].
bool InRange(const QString& text, int64_t lo, int64_t hi, int64_t* out = nullptr)
{
    int64_t v;
    if (!TryStrToInt64(text, v) || v < lo || v > hi)
        return false;
    if (out)
        *out = v;
    return true;
}

int IntOr(const QString& text, int def)
{
    return StrToIntDef(text, def);
}

int Flag(bool b)
{
    return b ? 1 : 0;
}

// Bytes of one enabled value in the editor's count.
int VarBytes(const TVariabile& v, bool byPosition)
{
    if (byPosition) {
        if (v.TP_Mod_Regs)
            return 6;
        if (v.ForceInteger32)
            return 4;
        const DataSize& s = Data_Size(v.Dimension);
        return s.bytes < 0 ? v.Length : s.bytes;
    }
    return Value_Image_Bytes(v.Type_Of_Data, v.Dimension, v.Length, v.TP_Mod_Regs, v.ForceInteger32);
}

} // namespace

int Calcola_Byte_Usati(const Network& network)
{
    int64_t n = 0;
    for (const TNodo& node : network) {
        if (!node.Enable)
            continue;
        if (node.Node_State == 1)
            n += 1;
        if (node.Ident_Num == 1)
            n += 4;
        for (const TVariabile& v : node.Var_List) {
            if (!v.Enable)
                continue;
            n += VarBytes(v, node.Var_List_Type != 0);
            if (v.Scale)
                n += 1;
        }
    }
    if (n > INT32_MAX)
        n = INT32_MAX;
    return n == 0 ? 1 : static_cast<int>(n);
}

QString Node_Item_Text(const QString& address, const QString& description)
{
    return QStringLiteral("ID ") + address + QStringLiteral(" - ") + description;
}

QString Var_Item_Text(const QString& description)
{
    return QStringLiteral("VAR - ") + description;
}

std::vector<PageRow> Sposta_Oggetti_Var(int listType, int deviceType)
{
    const bool t10 = deviceType != 21;
    const bool byType = listType == 0;
    struct Line
    {
        const char* name;
        bool byType, byPosition, type10Only;
    };
    // Page order; the description rows above stay in place.
    static constexpr Line kLines[] = {
        {"CB_Var_ToD", true, false, false},   {"E_VIF_ASCII", true, false, false},
        {"CB_Var_FF", true, false, false},    {"CB_Var_Dim", true, true, false},
        {"E_Length", true, true, false},      {"CB_Var_Unit", true, false, false},
        {"CB_Scale", true, true, true},       {"E_Sto_Num", true, false, false},
        {"E_Tariff", true, false, false},     {"CB_VIFE", true, false, false},
        {"CB_BCDtoINT", true, true, true},    {"CB_SWAP", true, true, true},
        {"CB_TP_MR", true, true, true},       {"CB_PostOpe", true, true, false},
        {"E_Position", false, true, false},
    };
    std::vector<PageRow> rows;
    int y = 56;
    for (const Line& l : kLines) {
        const bool shown = (byType ? l.byType : l.byPosition) && (t10 || !l.type10Only);
        rows.push_back({l.name, shown ? y : 0, shown});
        if (shown)
            y += 24;
    }
    rows.push_back({"CB_ForceInt32", 0, false});
    rows.push_back({"btn_Add_Var", y - 24 + 23, true});
    return rows;
}

std::vector<PageRow> Node_Page_Rows(int deviceType)
{
    const bool t21 = deviceType == 21;
    std::vector<PageRow> rows = {
        {"CB_Enable_Node", 16, true},  {"E_New_Node_Desc", 40, true},
        {"RB_ID_Primary", 64, true},   {"RB_ID_Secondary", 88, true},
        {"CB_Node_State", 112, true},  {"CB_Ident_Num", 136, true},
        {"CB_Swap_IN", 160, !t21},     {"CB_BCDtoINT_IN", 184, !t21},
    };
    const int y = t21 ? 160 : 208;
    rows.push_back({"CB_SND_NKE", y, true});
    rows.push_back({"CB_Reset_App", y + 24, true});
    rows.push_back({"CB_Var_Type", y + 48, true});
    rows.push_back({"L_Cut_After", y + 72, true});
    rows.push_back({"CB_Cut_After", y + 67, true});
    rows.push_back({"btn_Add_Node", y + 103, true});
    return rows;
}

TVariabile Copied_Variable(const TVariabile& v)
{
    TVariabile c;
    c.Enable = v.Enable;
    c.Description = v.Description;
    c.Type_Of_Data = v.Type_Of_Data;
    c.Function_Field = v.Function_Field;
    c.Dimension = v.Dimension;
    c.Unita = v.Unita;
    c.Scale = v.Scale;
    c.Storage_Number = v.Storage_Number;
    c.Tariff = v.Tariff;
    c.VIFE = v.VIFE;
    c.BCDtoINT = v.BCDtoINT;
    c.SWAP = v.SWAP;
    c.Length = v.Length;
    c.VIF_ASCII = v.VIF_ASCII;
    c.TP_Mod_Regs = v.TP_Mod_Regs;
    c.ForceInteger32 = v.ForceInteger32;
    c.Position = v.Position;
    return c;
}

TNodo Copied_Node(const TNodo& n)
{
    TNodo c;
    c.Enable = n.Enable;
    c.Description = n.Description;
    c.Node_ID_Primary = n.Node_ID_Primary;
    c.Node_ID_Secondary = n.Node_ID_Secondary;
    c.Send_SNK = n.Send_SNK;
    c.Reset_App = n.Reset_App;
    c.Node_State = n.Node_State;
    c.Ident_Num = n.Ident_Num;
    c.BCDtoINT_IN = n.BCDtoINT_IN;
    c.Swap_Ident = n.Swap_Ident;
    c.Node_ID_Type = n.Node_ID_Type;
    c.Var_List_Type = n.Var_List_Type;
    c.Cut_After = n.Cut_After;
    c.Var_List.reserve(n.Var_List.size());
    for (const TVariabile& v : n.Var_List)
        c.Var_List.push_back(Copied_Variable(v));
    return c;
}

bool NetworkEditor::Load(const QString& mbusPath, const QString& parGenPath)
{
    m_network.clear();
    m_isChange = false;
    m_elementsIgnored = false;
    m_budget = Budget{};
    if (m_deviceType == 21) {
        m_budget.nbOut = 1024;
    } else {
        const ParGenBudget b = Read_Par_Gen_Budget(parGenPath);
        m_budget = {b.autoCalc, b.workingMode, b.nbOut};
    }
    NetworkRead read = Read_Network(mbusPath, m_deviceType);
    if (!read.ok) {
        Messages::Error(read.error);
        return false;
    }
    m_network = std::move(read.network);
    m_elementsIgnored = read.elementsIgnored;
    if (m_elementsIgnored)
        Messages::Warning(Lang(1270) + QDir::toNativeSeparators(mbusPath));
    m_layoutListType = 0;
    Select(-1, -1);
    m_isChange = false;
    return true;
}

void NetworkEditor::Select(int node, int var)
{
    if (node < 0 || node >= static_cast<int>(m_network.size())) {
        node = -1;
        var = -1;
    } else if (var < -1 || var >= static_cast<int>(m_network[node].Var_List.size())) {
        var = -1;
    }
    m_node = node;
    m_var = var;
    Aggiorna_Label();
}

QString NetworkEditor::NodeText(int i) const
{
    const TNodo& n = m_network[i];
    return Node_Item_Text(QString::number(n.Address()), n.Description);
}

void NetworkEditor::Aggiorna_Label()
{
    if (m_node < 0) {
        nodePage.sndNke = false;
        nodePage.resetApp = false;
        nodePage.nodeState = false;
        nodePage.identNum = false;
        nodePage.bcdToIntIn = false;
        nodePage.enable = true;
        return;
    }
    const TNodo& n = m_network[m_node];
    nodePage.enable = n.Enable;
    nodePage.description = n.Description;
    nodePage.secondary = n.Node_ID_Type == 1;
    nodePage.idPrimary = QString::number(n.Node_ID_Primary);
    nodePage.idSecondary = QString::number(n.Node_ID_Secondary);
    nodePage.nodeState = n.Node_State == 1;
    nodePage.identNum = n.Ident_Num == 1;
    nodePage.swapIdent = n.Swap_Ident;
    nodePage.bcdToIntIn = n.BCDtoINT_IN == 1;
    nodePage.sndNke = n.Send_SNK == 1;
    nodePage.resetApp = n.Reset_App == 1;
    nodePage.varListType = n.Var_List_Type;
    nodePage.cutAfter = n.Cut_After;
    if (m_var < 0) {
        varPage = VarPage{};
    } else {
        const TVariabile& v = n.Var_List[m_var];
        varPage.enable = v.Enable;
        varPage.description = v.Description;
        varPage.typeOfData = v.Type_Of_Data;
        varPage.vifAscii = v.VIF_ASCII;
        varPage.functionField = v.Function_Field;
        varPage.dimension = v.Dimension;
        varPage.length = QString::number(v.Length);
        varPage.unit = v.Unita;
        varPage.scale = v.Scale;
        varPage.storageNumber = QString::number(v.Storage_Number);
        varPage.tariff = QString::number(v.Tariff);
        varPage.vife = v.VIFE;
        varPage.bcdToInt = v.BCDtoINT;
        varPage.swap = v.SWAP == 1;
        varPage.tpModRegs = v.TP_Mod_Regs;
        varPage.forceInt32 = v.ForceInteger32;
        varPage.postOperation = v.Post_Operation;
        varPage.position = QString::number(v.Position);
    }
    m_layoutListType = n.Var_List_Type;
}

bool NetworkEditor::Check_Node_ID(int address) const
{
    for (int i = 0; i < static_cast<int>(m_network.size()); ++i) {
        if (i == m_node && m_var == -1)
            continue;
        if (m_network[i].Address() == address) {
            Messages::Error(Lang(789));
            return false;
        }
    }
    return true;
}

bool NetworkEditor::Check_Node_ID2(int address, int kind) const
{
    for (const TNodo& n : m_network) {
        if (n.Address() == address && n.Node_ID_Type == kind) {
            Messages::Error(Lang(789));
            return false;
        }
    }
    return true;
}

bool NetworkEditor::Controllo_Dati_New_Nodo(int& address) const
{
    int64_t v;
    if (!nodePage.secondary) {
        if (!InRange(nodePage.idPrimary, 0, 255, &v)) {
            Messages::Error(Lang(787));
            return false;
        }
    } else if (!InRange(nodePage.idSecondary, 0, 99999999, &v)) {
        Messages::Error(Lang(788));
        return false;
    }
    address = static_cast<int>(v);
    return Check_Node_ID(address);
}

bool NetworkEditor::Controllo_Dati_New_Var() const
{
    if (!InRange(varPage.storageNumber, 0, 4294967295LL)) {
        Messages::Error(Lang(783));
        return false;
    }
    if (!InRange(varPage.tariff, 0, 0xFFFFF)) {
        Messages::Error(Lang(784));
        return false;
    }
    if (varPage.dimension == VariableLengthDim && !InRange(varPage.length, 0, 191)) {
        Messages::Error(Lang(785));
        return false;
    }
    if (!InRange(varPage.position, 1, 100)) {
        Messages::Error(Lang(786));
        return false;
    }
    return true;
}

TNodo NetworkEditor::NodeFromPage() const
{
    TNodo n;
    n.Enable = nodePage.enable;
    n.Description = nodePage.description;
    n.Node_ID_Primary = IntOr(nodePage.idPrimary, 0);
    n.Node_ID_Secondary = IntOr(nodePage.idSecondary, 0);
    n.Send_SNK = Flag(nodePage.sndNke);
    n.Reset_App = Flag(nodePage.resetApp);
    n.Node_State = Flag(nodePage.nodeState);
    n.Ident_Num = Flag(nodePage.identNum);
    n.BCDtoINT_IN = Flag(nodePage.bcdToIntIn);
    n.Swap_Ident = nodePage.swapIdent;
    n.Node_ID_Type = nodePage.secondary ? 1 : 0;
    n.Var_List_Type = nodePage.varListType;
    n.Cut_After = nodePage.cutAfter;
    return n;
}

TVariabile NetworkEditor::VarFromPage() const
{
    TVariabile v;
    int64_t sn = 0;
    TryStrToInt64(varPage.storageNumber, sn);
    v.Enable = varPage.enable;
    v.Description = varPage.description;
    v.Type_Of_Data = varPage.typeOfData;
    v.Function_Field = varPage.functionField;
    v.Dimension = varPage.dimension;
    v.Unita = varPage.unit;
    v.Scale = varPage.scale;
    v.Storage_Number = static_cast<uint32_t>(sn);
    v.Tariff = IntOr(varPage.tariff, 0);
    v.VIFE = varPage.vife;
    v.BCDtoINT = varPage.bcdToInt;
    v.SWAP = Flag(varPage.swap);
    v.Length = IntOr(varPage.length, 0);
    v.VIF_ASCII = varPage.vifAscii;
    v.TP_Mod_Regs = varPage.tpModRegs;
    v.ForceInteger32 = varPage.forceInt32;
    v.Position = IntOr(varPage.position, 1);
    v.Post_Operation = varPage.postOperation;
    return v;
}

std::optional<int> NetworkEditor::Add_Node()
{
    const bool add = NodeButtonText() == 763;
    if (!add && m_node < 0)
        return std::nullopt;
    int address = 0;
    if (!Controllo_Dati_New_Nodo(address))
        return std::nullopt;
    TNodo n = NodeFromPage();
    if (add) {
        m_network.push_back(std::move(n));
        m_isChange = true;
        return static_cast<int>(m_network.size()) - 1;
    }
    TNodo& old = m_network[m_node];
    // The unchecked radio's edit is not validated: a text that is no number
    // keeps the address the node had.
    n.Node_ID_Primary = IntOr(nodePage.idPrimary, old.Node_ID_Primary);
    n.Node_ID_Secondary = IntOr(nodePage.idSecondary, old.Node_ID_Secondary);
    n.Var_List = std::move(old.Var_List);
    n.NS_CommName = old.NS_CommName;
    n.NS_OnChange = old.NS_OnChange;
    n.NS_OnTimer = old.NS_OnTimer;
    n.NS_Timer = old.NS_Timer;
    n.NS_Desc = old.NS_Desc;
    n.NS_IP_Add = old.NS_IP_Add;
    n.NS_Mnemonic = old.NS_Mnemonic;
    n.IN_CommName = old.IN_CommName;
    n.IN_OnChange = old.IN_OnChange;
    n.IN_OnTimer = old.IN_OnTimer;
    n.IN_Timer = old.IN_Timer;
    n.IN_Desc = old.IN_Desc;
    n.IN_IP_Add = old.IN_IP_Add;
    n.IN_Mnemonic = old.IN_Mnemonic;
    old = std::move(n);
    m_isChange = true;
    return m_node;
}

std::optional<int> NetworkEditor::Add_Var()
{
    const bool add = VarButtonText() == 781;
    if (m_node < 0 || (!add && m_var < 0))
        return std::nullopt;
    if (!Controllo_Dati_New_Var())
        return std::nullopt;
    TVariabile v = VarFromPage();
    auto& list = m_network[m_node].Var_List;
    if (add) {
        list.push_back(std::move(v));
        m_isChange = true;
        return static_cast<int>(list.size()) - 1;
    }
    TVariabile& old = list[m_var];
    v.Var_CommName = old.Var_CommName;
    v.Var_OnChange = old.Var_OnChange;
    v.Var_OnTimer = old.Var_OnTimer;
    v.Var_Timer = old.Var_Timer;
    v.Var_Desc = old.Var_Desc;
    v.Var_IP_Add = old.Var_IP_Add;
    v.Var_Mnemonic = old.Var_Mnemonic;
    old = std::move(v);
    m_isChange = true;
    return m_var;
}

bool NetworkEditor::Delete_Items()
{
    if (m_node < 0) {
        if (!Messages::Ask(Lang(790)))
            return false;
        const bool had = !m_network.empty();
        m_network.clear();
        if (had)
            m_isChange = true;
        Select(-1, -1);
        return had;
    }
    if (m_var < 0) {
        if (!Messages::Ask(Lang(791)))
            return false;
        m_network.erase(m_network.begin() + m_node);
        m_isChange = true;
        Select(-1, -1);
        return true;
    }
    if (!Messages::Ask(Lang(792)))
        return false;
    auto& list = m_network[m_node].Var_List;
    list.erase(list.begin() + m_var);
    m_isChange = true;
    Select(m_node, -1);
    return true;
}

bool NetworkEditor::Copy_Variable()
{
    if (m_node < 0 || m_node >= static_cast<int>(m_network.size())) {
        Messages::Error(Lang(794));
        return false;
    }
    if (m_var < 0 || m_var >= static_cast<int>(m_network[m_node].Var_List.size())) {
        Messages::Error(Lang(793));
        return false;
    }
    m_copyVar = Copied_Variable(m_network[m_node].Var_List[m_var]);
    return true;
}

bool NetworkEditor::Paste_Variable()
{
    if (!m_copyVar) {
        Messages::Error(Lang(796));
        return false;
    }
    if (m_node < 0) {
        Messages::Error(Lang(797));
        return false;
    }
    m_network[m_node].Var_List.push_back(Copied_Variable(*m_copyVar));
    m_isChange = true;
    return true;
}

bool NetworkEditor::Copy_Node()
{
    if (m_node < 0 || m_node >= static_cast<int>(m_network.size())) {
        Messages::Error(Lang(795));
        return false;
    }
    m_copyNode = Copied_Node(m_network[m_node]);
    return true;
}

bool NetworkEditor::Check_New_Node_ID(bool secondary, const QString& primary, const QString& secondaryText) const
{
    int64_t v;
    if (!secondary) {
        if (!InRange(primary, 0, 255, &v)) {
            Messages::Error(Lang(807));
            return false;
        }
    } else if (!InRange(secondaryText, 0, 99999999, &v)) {
        Messages::Error(Lang(808));
        return false;
    }
    return Check_Node_ID2(static_cast<int>(v), secondary ? 1 : 0);
}

bool NetworkEditor::Paste_Node(bool secondary, const QString& primary, const QString& secondaryText)
{
    if (!m_copyNode)
        return false;
    TNodo n = Copied_Node(*m_copyNode);
    n.Node_ID_Primary = IntOr(primary, m_copyNode->Node_ID_Primary);
    n.Node_ID_Secondary = IntOr(secondaryText, m_copyNode->Node_ID_Secondary);
    n.Node_ID_Type = secondary ? 1 : 0;
    m_network.push_back(std::move(n));
    m_isChange = true;
    return true;
}

QString NetworkEditor::Byte_Label() const
{
    return Lang(810) + QString::number(Byte_Count());
}

bool NetworkEditor::Ok(const QString& mbusPath, const QString& parGenPath)
{
    const int n = Byte_Count();
    if (m_deviceType == 21) {
        if (n > 1024) {
            Messages::Error(Lang(936) + QStringLiteral("1024"));
            return false;
        }
    } else if (m_budget.workingMode == 0 && !m_budget.autoCalc) {
        if (n > m_budget.nbOut)
            Messages::Warning(Lang(860) + QStringLiteral(" (") + QString::number(m_budget.nbOut) + QStringLiteral(")"));
    } else if (m_budget.autoCalc && n > 1439) {
        Messages::Error(Lang(809));
        return false;
    }
    if (m_elementsIgnored && !Messages::Ask(Lang(1271)))
        return false;
    QString error;
    if (m_budget.autoCalc && !parGenPath.isEmpty() && QFileInfo(parGenPath).isFile()
        && !Write_Par_Gen_Nb_Out(parGenPath, n, &error)) {
        Messages::Error(Lang(1272) + QDir::toNativeSeparators(parGenPath) + QStringLiteral("\n") + error);
        return false;
    }
    if (!Write_Network(mbusPath, m_network, m_deviceType, &error)) {
        Messages::Error(Lang(1272) + QDir::toNativeSeparators(mbusPath) + QStringLiteral("\n") + error);
        return false;
    }
    m_network.clear();
    m_node = m_var = -1;
    m_elementsIgnored = false;
    return true;
}

bool NetworkEditor::Cancel() const
{
    return !m_isChange || Messages::Ask(Lang(798));
}

} // namespace mbus
