#include "par_gen_reader.h"

#include "compile_error.h"
#include "gen_param.h"
#include "helpers.h"
#include "int_text.h"

#include <QFileInfo>

bool Load_Project_Xml(const QString& path, XmlDocument& doc)
{
    doc.Clear();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    if (!doc.Load(path))
        throw CompileError(doc.ErrorText());
    return true;
}

ParGen::ParGen(const QString& path, bool keepBlankText)
{
    m_doc.KeepBlankText(keepBlankText);
    m_exists = Load_Project_Xml(path, m_doc);
}

bool ParGen::Text(const char* name, QString& text) const
{
    if (!m_exists)
        return false;
    return XmlElementText(m_doc.Root().child(name), text);
}

QString ParGen::TextOr(const char* name, const QString& def) const
{
    QString t;
    return Text(name, t) ? t : def;
}

int32_t ParGen::Int(const char* name, int32_t def) const
{
    return Int(name, def, def);
}

int32_t ParGen::Int(const char* name, int32_t defMissing, int32_t defBad) const
{
    QString t;
    if (!Text(name, t))
        return defMissing;
    int32_t v;
    return TryStrToInt(t, v) ? v : defBad;
}

bool ParGen::Flag(const char* name) const
{
    QString t;
    return Text(name, t) && t == QLatin1String("1");
}

uint32_t Switched_Address(const ParGen& pg, const char* flag, const char* address)
{
    if (!pg.Flag(flag))
        return 0;
    return static_cast<uint32_t>(pg.Int(address, -1, 0)) + 1u;
}

void Store_Text(uint8_t* field, int width, const QString& text)
{
    const int n = std::min<int>(width, static_cast<int>(text.size()));
    for (int k = 0; k < n; ++k)
        field[k] = static_cast<uint8_t>(text[k].unicode() & 0xFF);
}

namespace {

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

QByteArray Name(const char* prefix, const char* what, int index = 0)
{
    QByteArray n(prefix);
    n += what;
    if (index > 0)
        n += QByteArray::number(index);
    return n;
}

} // namespace

void Store_Hex_Text(uint8_t* field, int width, const QString& text)
{
    const int n = std::min<int>(width, static_cast<int>(text.size() / 2));
    for (int k = 0; k < n; ++k) {
        const int hi = HexDigit(text[2 * k]);
        const int lo = HexDigit(text[2 * k + 1]);
        field[k] = hi < 0 || lo < 0 ? 0 : static_cast<uint8_t>(hi * 16 + lo);
    }
}

void Read_Interface(const ParGen& pg, const char* prefix, uint8_t ip[4], uint8_t mask[4], uint8_t gateway[4],
                    int ip4Missing, int ip4Bad)
{
    static constexpr int kIP[4] = {192, 168, 0, 5};
    static constexpr int kMask[4] = {255, 255, 255, 0};
    static constexpr int kGateway[4] = {192, 168, 0, 1};
    for (int i = 0; i < 4; ++i) {
        const QByteArray n = Name(prefix, "IP", i + 1);
        ip[i] = static_cast<uint8_t>(i == 3 ? pg.Int(n.constData(), ip4Missing, ip4Bad)
                                            : pg.Int(n.constData(), kIP[i]));
    }
    for (int i = 0; i < 4; ++i)
        mask[i] = static_cast<uint8_t>(pg.Int(Name(prefix, "SM", i + 1).constData(), kMask[i]));
    for (int i = 0; i < 4; ++i)
        gateway[i] = static_cast<uint8_t>(pg.Int(Name(prefix, "GAT", i + 1).constData(), kGateway[i]));
    if (!pg.Flag(Name(prefix, "EN_GAT").constData()))
        std::fill(gateway, gateway + 4, uint8_t{255});
}

void Read_Common_Fields(const ParGen& pg, GenParam& param, int deviceType)
{
    if (!pg.Exists())
        return;
    Read_Interface(pg, "PROFINET_", param.IP, param.SubnetMask, param.Gateway);
    const QString name = pg.TextOr("PROFINET_NAME_STA", QStringLiteral("devicename1"));
    if (StationNameAt440(deviceType))
        Store_Text(param.SnmpSystemName, name);
    else
        Store_Text(param.StationName, name);
    const int portDefault = ServicePortDefault(deviceType);
    if (portDefault != 0) {
        const int32_t port = pg.Int("PROFINET_PORT", portDefault);
        const bool reserved = port == 34962 || port == 34963 || port == 34964 || port == 10000;
        param.ServicePort = static_cast<uint16_t>(reserved ? portDefault : port);
    }
}

void Read_Snmp_Agent(const ParGen& pg, GenParam& param)
{
    if (!pg.Exists())
        return;
    uint32_t flags = 0;
    if (pg.Flag("SNMP_VERSION1"))
        flags |= 0x1;
    if (pg.Flag("SNMP_VERSION2"))
        flags |= 0x2;
    if (pg.Flag("SNMP_VERSION3"))
        flags |= 0x4;
    if (flags & 0x4) {
        Store_Text(param.SnmpUser, pg.TextOr("SNMP_VER3_USER", QString()));
        const int level = Get_SNMP_Security_Level(pg.TextOr("SNMP_VER3_SECURITY_LEVEL", QString()));
        if (level >= 1)
            flags |= 0x10;
        if (level == 2)
            flags |= 0x20;
    }
    if (flags & 0x10) {
        Store_Text(param.SnmpAuthPass, pg.TextOr("SNMP_VER3_AUTHORITY", QString()));
        flags |= Get_SNMP_Auth_Mode(pg.TextOr("SNMP_VER3_AUTHORITY_MODE", QString())) == 0 ? 0x40 : 0x80;
    }
    if (flags & 0x20) {
        flags |= Get_SNMP_Privacy_Mode(pg.TextOr("SNMP_VER3_PRIVACY_MODE", QString())) == 0 ? 0x100 : 0x200;
        const bool hex = (flags & 0x200) && pg.Flag("SNMP_VER3_PRIVACY_HEX");
        const QString privacy = pg.TextOr("SNMP_VER3_PRIVACY", QString());
        if (hex)
            Store_Hex_Text(param.SnmpPrivPass, sizeof param.SnmpPrivPass, privacy);
        else
            Store_Text(param.SnmpPrivPass, privacy);
    }
    param.SnmpFlags = flags;
    QString text;
    if (pg.Text("SNMP_Contact", text))
        Store_Text(param.SnmpContact, text);
    if (pg.Text("SNMP_Location", text))
        Store_Text(param.SnmpLocation, text);
}
