#pragma once
// The M-Bus network editor without its window: the network, the selection,
// the two pages' entries, add, modify, delete, copy and paste, the byte
// count, and OK and Cancel with their checks and messages. The window only
// mirrors it into its tree and controls.
#include "mbus/core/network.h"

#include <QString>
#include <optional>
#include <vector>

namespace mbus {

// What the Nodes page holds.
struct NodePage
{
    bool enable = true;
    QString description;
    bool secondary = false;            // RB_ID_Secondary checked
    QString idPrimary = QStringLiteral("1");
    QString idSecondary = QStringLiteral("1");
    bool nodeState = false;
    bool identNum = false;
    int swapIdent = 0;                 // CB_Swap_IN index
    bool bcdToIntIn = false;
    bool sndNke = false;
    bool resetApp = false;
    int varListType = 0;               // CB_Var_Type index
    int cutAfter = 0;                  // CB_Cut_After index ("1" .. "250")
};

// What the Variables page holds.
struct VarPage
{
    bool enable = true;
    QString description;
    int typeOfData = 0;
    QString vifAscii;
    int functionField = 0;
    int dimension = 0;
    QString length = QStringLiteral("0");
    int unit = 0;
    bool scale = false;
    QString storageNumber = QStringLiteral("0");
    QString tariff = QStringLiteral("0");
    int vife = 0;
    bool bcdToInt = false;
    bool swap = false;
    bool tpModRegs = false;
    bool forceInt32 = false;
    int postOperation = 0;
    QString position = QStringLiteral("1");
};

// A control's place on the Variables or Nodes page.
struct PageRow
{
    const char* name;
    int y;
    bool visible;
};

// Bytes the enabled part of a network takes in the converter's image; 1 at
// least.
int Calcola_Byte_Usati(const Network& network);

// Tree texts.
QString Node_Item_Text(const QString& address, const QString& description);
QString Var_Item_Text(const QString& description);

// Rows of the Variables page for a list type (0 by type, 1 by position), and
// of the Nodes page, for a device type.
std::vector<PageRow> Sposta_Oggetti_Var(int listType, int deviceType);
std::vector<PageRow> Node_Page_Rows(int deviceType);

class NetworkEditor
{
public:
    explicit NetworkEditor(int deviceType) : m_deviceType(deviceType) {}

    // Opening: ParGen.xml's three elements, then M_Bus.xml. False (with the
    // parser's message shown) when the network file cannot be read. A file
    // whose elements could not be read is warned about.
    bool Load(const QString& mbusPath, const QString& parGenPath);

    // Selection by indexes (-1 for none); refills the pages.
    void Select(int node, int var);
    int IND_NODO() const { return m_node; }
    int IND_VAR() const { return m_var; }

    // The captions of the two buttons (language text numbers 763/764, 781/782).
    int NodeButtonText() const { return m_node >= 0 && m_var < 0 ? 764 : 763; }
    int VarButtonText() const { return m_var >= 0 ? 782 : 781; }
    // The Variables page layout in force.
    int LayoutListType() const { return m_layoutListType; }

    NodePage nodePage;
    VarPage varPage;

    // ADD / MODIFY NODE and VARIABLE with the mode the button shows. The
    // result: the index of the node or variable added or changed, or nothing
    // when nothing changed.
    std::optional<int> Add_Node();
    std::optional<int> Add_Var();

    // "Delete Items" with its question. True when something was removed.
    bool Delete_Items();

    // Copy and paste; each shows its error and returns false.
    bool Copy_Variable();
    bool Paste_Variable();
    bool Copy_Node();
    bool HasCopyVar() const { return m_copyVar.has_value(); }
    bool HasCopyNode() const { return m_copyNode.has_value(); }
    const std::optional<TNodo>& CopiedNode() const { return m_copyNode; }
    // The new-address dialog's OK check (807, 808, then 789).
    bool Check_New_Node_ID(bool secondary, const QString& primary, const QString& secondaryText) const;
    // Appends a duplicate of the copied node with the dialog's addresses.
    bool Paste_Node(bool secondary, const QString& primary, const QString& secondaryText);

    // The address checks; each shows 789 when the address is taken.
    bool Check_Node_ID(int address) const;
    bool Check_Node_ID2(int address, int kind) const;

    int Byte_Count() const { return Calcola_Byte_Usati(m_network); }
    QString Byte_Label() const;

    // OK: the budget, then ParGen.xml and M_Bus.xml. True when the window
    // may close; the network is then released.
    bool Ok(const QString& mbusPath, const QString& parGenPath);
    // Cancel: true when the window may close.
    bool Cancel() const;

    const Network& Nodes() const { return m_network; }
    Network& Nodes() { return m_network; }
    bool Is_Change() const { return m_isChange; }
    void Set_Change() { m_isChange = true; }
    bool Auto_Calc_Byte_Used() const { return m_budget.autoCalc; }
    int Working_Mode() const { return m_budget.workingMode; }
    int Num_Byte_Par_Gen() const { return m_budget.nbOut; }
    int DeviceType() const { return m_deviceType; }
    void SetDeviceType(int deviceType) { m_deviceType = deviceType; }

    // Tree text of node i with the address its kind selects.
    QString NodeText(int i) const;

private:
    struct Budget
    {
        bool autoCalc = false;
        int workingMode = 0;
        int nbOut = 1439;
    };
    void Aggiorna_Label();
    bool Controllo_Dati_New_Nodo(int& address) const;
    bool Controllo_Dati_New_Var() const;
    TNodo NodeFromPage() const;
    TVariabile VarFromPage() const;

    int m_deviceType;
    Network m_network;
    int m_node = -1;
    int m_var = -1;
    int m_layoutListType = 0;
    bool m_isChange = false;
    bool m_elementsIgnored = false;
    Budget m_budget;
    std::optional<TVariabile> m_copyVar;
    std::optional<TNodo> m_copyNode;
};

// The fields a copy carries: all but the post operation and the SNMP
// settings, which the copy leaves at their initial values.
TVariabile Copied_Variable(const TVariabile& v);
TNodo Copied_Node(const TNodo& n);

} // namespace mbus
