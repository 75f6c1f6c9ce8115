#include "mbus/models/snmp_values.h"

#include "app/common/helpers.h"
#include "app/common/language.h"
#include "platform/int_text.h"

#include <QSet>

namespace mbus {

const SnmpColumn kSnmpColumns[SnmpColumns] = {
    {40, false, false}, {40, true, true},   {40, true, true},   {120, true, false}, {120, true, false},
    {120, false, false}, {60, true, false}, {75, false, true},  {60, false, false}, {65, false, false},
    {95, true, false},  {130, false, false}, {120, false, false}, {130, false, false},
};

namespace {

QString YN(bool b)
{
    return b ? QStringLiteral("Y") : QStringLiteral("N");
}

struct Settings
{
    QString comm;
    bool onChange;
    bool onTimer;
    int32_t timer;
    QString desc;
    QString ip;
    QString mnemonic;
};

SnmpRow Row(int n, int node, int var, const QString& nodeText, const QString& what, const Settings& s,
            const char* bits, const QString& defaultDesc)
{
    return {QString::number(n), QString::number(node), QString::number(var), nodeText, what, s.comm,
            QStringLiteral("String"), YN(s.onChange), YN(s.onTimer), QString::number(s.timer),
            QString::fromLatin1(bits), s.desc.isEmpty() ? defaultDesc : s.desc, s.ip, s.mnemonic};
}

bool AllAlphanumeric(const QString& s)
{
    for (QChar c : s)
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'Z') && !(c >= u'a' && c <= u'z'))
            return false;
    return true;
}

bool GoodDescription(const QString& s)
{
    if (s.isEmpty())
        return true;
    return s[0] >= u'a' && s[0] <= u'z' && AllAlphanumeric(s);
}

} // namespace

QString Get_Node_Desc(const TNodo& node)
{
    const QString id = node.Node_ID_Type == 1 ? QStringLiteral("ID Sec : ") + QString::number(node.Node_ID_Secondary)
                                              : QStringLiteral("ID Pri : ") + QString::number(node.Node_ID_Primary);
    return id + QStringLiteral(" - ") + node.Description;
}

std::vector<SnmpRow> Populate_SNMP_Table(const Network& network)
{
    std::vector<SnmpRow> rows;
    int n = 1;
    for (int i = 0; i < static_cast<int>(network.size()); ++i) {
        const TNodo& node = network[i];
        if (!node.Enable)
            continue;
        const QString text = Get_Node_Desc(node);
        if (node.Node_State == 1)
            rows.push_back(Row(n++, i, -1, text, QStringLiteral("Node State"),
                               {node.NS_CommName, node.NS_OnChange, node.NS_OnTimer, node.NS_Timer, node.NS_Desc,
                                node.NS_IP_Add, node.NS_Mnemonic},
                               "3", node.Description + QStringLiteral("NodeState")));
        if (node.Ident_Num == 1)
            rows.push_back(Row(n++, i, -2, text, QStringLiteral("Identification Number"),
                               {node.IN_CommName, node.IN_OnChange, node.IN_OnTimer, node.IN_Timer, node.IN_Desc,
                                node.IN_IP_Add, node.IN_Mnemonic},
                               "8", node.Description + QStringLiteral("IdentNum")));
        for (int j = 0; j < static_cast<int>(node.Var_List.size()); ++j) {
            const TVariabile& v = node.Var_List[j];
            if (!v.Enable)
                continue;
            rows.push_back(Row(n++, i, j, text, v.Description,
                               {v.Var_CommName, v.Var_OnChange, v.Var_OnTimer, v.Var_Timer, v.Var_Desc, v.Var_IP_Add,
                                v.Var_Mnemonic},
                               "20", node.Description + v.Description));
        }
    }
    if (rows.empty()) {
        SnmpRow blank;
        for (int c = 0; c < SnmpColumns; ++c)
            blank.append(QString());
        rows.push_back(blank);
    }
    return rows;
}

QString Controllo_dati(const std::vector<SnmpRow>& rows)
{
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const SnmpRow& row = rows[r];
        const QString prefix = Lang(1933) + QString::number(r + 1);
        if (!AllAlphanumeric(row.value(5)))
            return prefix + Lang(1934);
        if (row.value(8).toUpper() == QLatin1String("Y")) {
            int64_t t;
            if (!TryStrToInt64(row.value(9), t) || t < 1 || t > 1000000000)
                return prefix + Lang(1935);
        }
        if (!GoodDescription(row.value(11)))
            return prefix + Lang(1936);
        uint8_t b[4];
        if (Split_IP_Address(row.value(12), b[0], b[1], b[2], b[3]))
            return prefix + Lang(1937);
    }
    QSet<QString> seen;
    for (const SnmpRow& row : rows) {
        const QString d = row.value(11);
        if (seen.contains(d))
            return Lang(1938);
        seen.insert(d);
    }
    return QString();
}

void Copy_SNMP_Values(const std::vector<SnmpRow>& rows, Network& network)
{
    for (const SnmpRow& row : rows) {
        const int node = StrToIntDef(row.value(1), -3);
        const int var = StrToIntDef(row.value(2), -3);
        if (node < 0 || node >= static_cast<int>(network.size()))
            continue;
        TNodo& n = network[node];
        const bool onChange = row.value(7) == QLatin1String("Y");
        const bool onTimer = row.value(8) == QLatin1String("Y");
        const int32_t timer = StrToIntDef(row.value(9), 0);
        if (var == -1) {
            n.NS_CommName = row.value(5);
            n.NS_OnChange = onChange;
            n.NS_OnTimer = onTimer;
            n.NS_Timer = timer;
            n.NS_Desc = row.value(11);
            n.NS_IP_Add = row.value(12);
            n.NS_Mnemonic = row.value(13);
        } else if (var == -2) {
            n.IN_CommName = row.value(5);
            n.IN_OnChange = onChange;
            n.IN_OnTimer = onTimer;
            n.IN_Timer = timer;
            n.IN_Desc = row.value(11);
            n.IN_IP_Add = row.value(12);
            n.IN_Mnemonic = row.value(13);
        } else if (var >= 0 && var < static_cast<int>(n.Var_List.size())) {
            TVariabile& v = n.Var_List[var];
            v.Var_CommName = row.value(5);
            v.Var_OnChange = onChange;
            v.Var_OnTimer = onTimer;
            v.Var_Timer = timer;
            v.Var_Desc = row.value(11);
            v.Var_IP_Add = row.value(12);
            v.Var_Mnemonic = row.value(13);
        }
    }
}

} // namespace mbus
