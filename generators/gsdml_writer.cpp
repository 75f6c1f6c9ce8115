#include "generators/gsdml_writer.h"

#include "app/common/device_type.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/save_dialog.h"
#include "build/compiler/par_gen_reader.h"
#include "generators/frame_files.h"
#include "generators/gsdml_models.h"
#include "generators/maker_data.h"
#include "platform/messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace gen {

namespace {

constexpr int TextOverwrite = 196;
constexpr int TextBadStationName = 1161;

QString Hex4(uint16_t v)
{
    return QStringLiteral("0x%1").arg(QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper());
}

// Builds indented element lines.
class XmlLines
{
public:
    QStringList out;

    void Line(const QString& text) { out << QString(2 * m_depth, QLatin1Char(' ')) + text; }
    void Open(const QString& tag) { Line(QLatin1Char('<') + tag + QLatin1Char('>')), ++m_depth; }
    void Close(const char* name) { --m_depth, Line(QStringLiteral("</%1>").arg(QLatin1String(name))); }
    void Empty(const QString& tag) { Line(QLatin1Char('<') + tag + QStringLiteral("/>")); }
    void Text(const char* name, const char* text)
    {
        Line(QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), QLatin1String(text)));
    }
    void Comment(const char* text) { Line(QStringLiteral("<!-- %1 -->").arg(QLatin1String(text))); }

private:
    int m_depth = 0;
};

QString A(const char* name, const QString& value)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
}

QString A(const char* name, const char* value)
{
    return A(name, QString::fromLatin1(value));
}

struct TextEntry
{
    const char* id;
    QString value;
};

QList<TextEntry> ExternalTexts(const GsdmlWriter& w)
{
    const QString fap = QLatin1String(w.fapWord);
    QList<TextEntry> t = {
        {"IDT_INFO_Device", "Keltrona Gateways"},
        {"IDT_NAME_DAP1", w.nameDap1},
        {"IDT_INFO_DAP1", w.infoDap1},
        {"IDT_SUBSLOT_1", "Subslot 1"},
        {"IDT_SUBSLOT_Interface", "Interface"},
        {"IDT_SUBSLOT_Port1", "Port 1"},
        {"IDT_SUBSLOT_Port2", "Port 2"},
        {"IDT_RECORD_NAME_Head", "Parameters of head module"},
        {"IDT_REF_Power", "Percent power"},
        {"IDT_NAME_VS1", "Submodule V1"},
        {"IDT_INFO_VS1", "Description of submodule V1"},
        {"IDT_NAME_IS", "I"},
        {"IDT_NAME_PS1", "P1"},
        {"IDT_NAME_PS2", "P2"},
        {"IDT_NAME_M1", "Module"},
        {"IDT_INFO_M1", w.infoM1},
        {"IDT_NAME_FAP", "FAP for " + fap},
        {"IDT_INFO_FAP", "Description of FAP for " + fap},
        {"IDT_RECORD_NAME_SlotCluster", "Parameters of the FAP"},
        {"IDT_REF_SlotClusterBegin", "Beginning of slot cluster"},
        {"IDT_NAME_M_PB1", w.nameMPb1},
        {"IDT_INFO_M_PB1", w.infoMPb1},
        {"IDT_NAME_S_PB1", w.nameSPb1},
        {"IDT_INFO_S_PB1", w.infoSPb1},
        {"IDT_PB_Input", w.pbInput},
        {"IDT_PB_InputBit0", w.pbInputBit0},
        {"IDT_NAME_S1", "Submodule 1"},
        {"IDT_INFO_S1", "Description of submodule 1"},
    };
    if (w.masterPoints)
        t << TextEntry{"IDT_Input", "Input byte"} << TextEntry{"IDT_NAME_S2", "Submodule 2"}
          << TextEntry{"IDT_INFO_S2", "Description of submodule 2"} << TextEntry{"IDT_Output", "Output byte"};
    else
        t << TextEntry{"IDT_Input_1", "Input byte"} << TextEntry{"IDT_Output_1", "Output word"};
    t << TextEntry{"IDT_CATEGORY_DI", "Digital Input"} << TextEntry{"IDT_INFO_DI", "Description of digital input"}
      << TextEntry{"IDT_CATEGORY_DO", "Digital output"} << TextEntry{"IDT_INFO_DO", "Description of digital output"}
      << TextEntry{"IDT_NAME_M1_IDT_REF_channel", "Canale x"}
      << TextEntry{"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"}
      << TextEntry{"IDT_NAME_M1_Base_Parameters", "Base Parameters"}
      << TextEntry{"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"}
      << TextEntry{"IDT_ASSIGN_do_values_will_hold", "Keep last value"}
      << TextEntry{"IDT_ASSIGN_do_continue_counting", "Continue operation"};
    return t;
}

QString ReadStationName(const ParGen& pg, const GsdmlReading& r)
{
    if (r.station == StationRule::Fixed)
        return QStringLiteral("SERIAL");
    QString name;
    pg.Text("PROFINET_NAME_STA", name);
    const bool empty = r.station == StationRule::ReadUntrimmed ? name.isEmpty() : TrimControls(name).isEmpty();
    return empty ? QLatin1String(r.fallback) : name;
}

} // namespace

bool XmlAttributeText(const QString& text, QString& escaped)
{
    escaped.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return false;
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
        switch (c) {
        case '&': escaped += QStringLiteral("&amp;"); continue;
        case '<': escaped += QStringLiteral("&lt;"); continue;
        case '>': escaped += QStringLiteral("&gt;"); continue;
        case '"': escaped += QStringLiteral("&quot;"); continue;
        case '\'': escaped += QStringLiteral("&apos;"); continue;
        default: break;
        }
        const bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
                             || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
        if (!allowed)
            return false;
        if (c < 0x20 || c > 0x7E)
            escaped += QStringLiteral("&#%1;").arg(uint32_t(c));
        else
            escaped += QChar(char16_t(c));
    }
    return true;
}

GsdmlValues Read_GSDML_Values(int deviceType)
{
    GsdmlValues v;
    const GsdmlReading* r = FindGsdmlReading(deviceType);
    if (!r)
        return v;
    const ParGen pg(File_ParGen, true);
    switch (r->rule) {
    case LengthRule::Elements:
        v.inputLength = pg.Exists() ? pg.Int(r->inputElement, r->defaultLength) : r->noFileInput;
        v.outputLength = pg.Exists() ? pg.Int(r->outputElement, r->defaultLength) : r->noFileOutput;
        break;
    case LengthRule::Type10:
        v.inputLength = pg.Exists() ? pg.Int(r->inputElement, r->defaultLength) : r->noFileInput;
        if (v.inputLength == 0)
            v.inputLength = 1;
        v.outputLength = r->noFileOutput;
        break;
    case LengthRule::Dmx: {
        if (!pg.Exists()) {
            v.inputLength = r->noFileInput;
            v.outputLength = r->noFileOutput;
            break;
        }
        QString dmx;
        const bool zero = pg.Text("DMX_TYPE", dmx) && dmx == QLatin1String("0");
        v.inputLength = zero ? pg.Int(r->inputElement, r->defaultLength) : 1;
        v.outputLength = zero ? 1 : pg.Int(r->outputElement, r->defaultLength);
        break;
    }
    case LengthRule::J1939Sums:
        v.inputLength = J1939_Receive_Bytes(File_J1939_Rec_Frames);
        v.outputLength = J1939_Transmit_Bytes(File_J1939_Send_Frames);
        break;
    case LengthRule::NmeaSums:
        v.inputLength = Nmea_Receive_Bytes(File_NMEA_Rec_Frames);
        v.outputLength = Nmea_Transmit_Bytes(File_NMEA_Send_Frames);
        break;
    }
    if (r->rule == LengthRule::J1939Sums || r->rule == LengthRule::NmeaSums) {
        if (v.inputLength == 0)
            v.inputLength = 1;
        if (v.outputLength == 0)
            v.outputLength = 1;
    }
    v.stationName = ReadStationName(pg, *r);
    return v;
}

Output Make_GSDML(int deviceType, const GsdmlValues& values)
{
    const GsdmlWriter* w = FindGsdmlWriter(deviceType);
    const GsdmlIdentity* id = FindGsdmlIdentity(deviceType);
    if (!w || !id)
        return Output();
    QString station;
    if (!XmlAttributeText(values.stationName, station))
        return Output::Refused(Lang(TextBadStationName));
    const bool b = w->templ == GsdmlTemplate::B;
    const bool m = w->masterPoints;

    XmlLines x;
    x.out << QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>").arg(QLatin1String(w->utf8 ? "UTF-8" : "iso-8859-1"));
    x.Comment("A fieldbus integration example.");
    const QString ns = QStringLiteral("http://www.profibus.com/GSDML/2003/11/DeviceProfile");
    x.Open(QStringLiteral("ISO15745Profile") + A("xmlns", ns)
           + A("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance")
           + A("xsi:schemaLocation", ns + QStringLiteral(" ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd")));
    x.Open(QStringLiteral("ProfileHeader"));
    x.Text("ProfileIdentification", "PROFINET Device Profile");
    x.Text("ProfileRevision", "1.00");
    x.Text("ProfileName", "Device Profile for PROFINET Devices");
    x.Text("ProfileSource", "PROFIBUS Nutzerorganisation e. V. (PNO)");
    x.Text("ProfileClassID", "Device");
    x.Open(QStringLiteral("ISO15745Reference"));
    x.Text("ISO15745Part", "4");
    x.Text("ISO15745Edition", "1");
    x.Text("ProfileTechnology", "GSDML");
    x.Close("ISO15745Reference");
    x.Close("ProfileHeader");

    x.Open(QStringLiteral("ProfileBody"));
    x.Open(QStringLiteral("DeviceIdentity") + A("VendorID", Hex4(maker::ProfinetVendorId))
           + A("DeviceID", Hex4(maker::ProfinetDeviceId(deviceType))));
    x.Empty(QStringLiteral("InfoText") + A("TextId", "IDT_INFO_Device"));
    x.Empty(QStringLiteral("VendorName") + A("Value", "Keltrona"));
    x.Close("DeviceIdentity");
    x.Open(QStringLiteral("DeviceFunction"));
    x.Empty(QStringLiteral("Family") + A("MainFamily", "Gateway") + A("ProductFamily", id->productFamily));
    x.Close("DeviceFunction");

    x.Open(QStringLiteral("ApplicationProcess"));
    x.Open(QStringLiteral("DeviceAccessPointList"));
    x.Open(QStringLiteral("DeviceAccessPointItem") + A("PNIO_Version", "V2.3") + A("RequiredSchemaVersion", "V2.25")
           + A("ID", "IDD_1") + A("PhysicalSlots", "0..4") + A("ModuleIdentNumber", "0x00000001")
           + A("MinDeviceInterval", "64") + A("ImplementationType", station) + A("DNS_CompatibleName", station)
           + A("FixedInSlots", "0") + A("ObjectUUID_LocalIndex", "1") + A("MultipleWriteSupported", "true")
           + A("MaxSupportedRecordSize", "8192") + A("ParameterizationSpeedupSupported", "true")
           + A("PowerOnToCommReady", "350") + A("DeviceAccessSupported", "true")
           + A("SharedDeviceSupported", "true") + A("CheckDeviceID_Allowed", "false")
           + A("NameOfStationNotTransferable", "true"));
    x.Open(QStringLiteral("ModuleInfo"));
    x.Empty(QStringLiteral("Name") + A("TextId", "IDT_NAME_DAP1"));
    x.Empty(QStringLiteral("InfoText") + A("TextId", "IDT_INFO_DAP1"));
    x.Empty(QStringLiteral("VendorName") + A("Value", "Keltrona"));
    x.Empty(QStringLiteral("OrderNumber") + A("Value", id->orderNumber));
    x.Close("ModuleInfo");
    x.Open(QStringLiteral("SubslotList"));
    x.Empty(QStringLiteral("SubslotItem") + A("SubslotNumber", b ? "0" : "1") + A("TextId", "IDT_SUBSLOT_1"));
    x.Empty(QStringLiteral("SubslotItem") + A("SubslotNumber", "32768") + A("TextId", "IDT_SUBSLOT_Interface"));
    x.Empty(QStringLiteral("SubslotItem") + A("SubslotNumber", "32769") + A("TextId", "IDT_SUBSLOT_Port1"));
    x.Empty(QStringLiteral("SubslotItem") + A("SubslotNumber", "32770") + A("TextId", "IDT_SUBSLOT_Port2"));
    x.Close("SubslotList");
    x.Empty(QStringLiteral("IOConfigData") + A("MaxInputLength", w->profibusConfig ? "244" : "1440")
            + A("MaxOutputLength", w->profibusConfig ? "244" : "1440")
            + A("MaxDataLength", w->profibusConfig ? "488" : "2880"));
    x.Open(QStringLiteral("UseableModules"));
    x.Empty(QStringLiteral("ModuleItemRef") + A("ModuleItemTarget", "IDM_1") + A(m ? "AllowedInSlots" : "FixedInSlots", "1"));
    x.Close("UseableModules");
    x.Open(QStringLiteral("VirtualSubmoduleList"));
    x.Open(QStringLiteral("VirtualSubmoduleItem") + A("ID", "IDS_V1") + A("SubmoduleIdentNumber", "0x00000000"));
    x.Empty(QStringLiteral("IOData") + A("IOPS_Length", "1") + A("IOCS_Length", "1"));
    x.Open(QStringLiteral("ModuleInfo"));
    x.Empty(QStringLiteral("Name") + A("TextId", "IDT_NAME_VS1"));
    x.Empty(QStringLiteral("InfoText") + A("TextId", "IDT_INFO_VS1"));
    x.Close("ModuleInfo");
    x.Close("VirtualSubmoduleItem");
    x.Close("VirtualSubmoduleList");
    x.Open(QStringLiteral("SystemDefinedSubmoduleList"));
    x.Open(QStringLiteral("InterfaceSubmoduleItem") + A("ID", "IDS_I") + A("SubmoduleIdentNumber", "0x00000001")
           + A("SubslotNumber", "32768") + A("TextId", "IDT_NAME_IS") + A("SupportedRT_Classes", "RT_CLASS_1")
           + A("SupportedProtocols", "SNMP;LLDP") + A("SupportedMibs", "MIB2"));
    x.Open(QStringLiteral("ApplicationRelations") + (b ? QString() : A("NumberOfAR", "2")));
    x.Empty(QStringLiteral("TimingProperties") + A("SendClock", "32")
            + A("ReductionRatio", m ? "1 2 4 8 16 32" : "1 2 4 8 16 32 64 128 256 512"));
    x.Close("ApplicationRelations");
    x.Close("InterfaceSubmoduleItem");
    for (const char* port : {"1", "2"})
        x.Empty(QStringLiteral("PortSubmoduleItem") + A("ID", QStringLiteral("IDS_P") + QLatin1String(port))
                + A("SubmoduleIdentNumber", "0x00000002") + A("SubslotNumber", port[0] == '1' ? "32769" : "32770")
                + A("TextId", QStringLiteral("IDT_NAME_PS") + QLatin1String(port)) + A("MaxPortRxDelay", "350")
                + A("MaxPortTxDelay", "160"));
    x.Close("SystemDefinedSubmoduleList");
    x.Comment("This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters).");
    x.Line(QStringLiteral("<!-- FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/-->"));
    x.Close("DeviceAccessPointItem");
    x.Close("DeviceAccessPointList");

    x.Open(QStringLiteral("ModuleList"));
    x.Comment("The \"normal\" module carrying the FAP.");
    x.Open(QStringLiteral("ModuleItem") + A("ID", "IDM_1") + A("ModuleIdentNumber", b ? "0x00000001" : "0x00000002"));
    x.Open(QStringLiteral("ModuleInfo"));
    x.Empty(QStringLiteral("Name") + A("TextId", "IDT_NAME_M1"));
    x.Empty(QStringLiteral("InfoText") + A("TextId", "IDT_INFO_M1"));
    x.Empty(QStringLiteral("OrderNumber") + A("Value", "12345-0040-M"));
    x.Close("ModuleInfo");
    x.Open(QStringLiteral("VirtualSubmoduleList"));
    x.Open(QStringLiteral("VirtualSubmoduleItem") + A("ID", "IDM_1") + A("SubmoduleIdentNumber", "0x00000001"));
    x.Open(QStringLiteral("IOData") + A("IOPS_Length", "1") + A("IOCS_Length", "1"));
    x.Line(QStringLiteral("<Input><DataItem DataType=\"OctetString\" Length=\"%1\" TextId=\"%2\"/></Input>")
               .arg(values.inputLength)
               .arg(QLatin1String(m ? "IDT_Input" : "IDT_Input_1")));
    x.Line(QStringLiteral("<Output><DataItem DataType=\"OctetString\" Length=\"%1\" TextId=\"%2\"/></Output>")
               .arg(values.outputLength)
               .arg(QLatin1String(m ? "IDT_Output" : "IDT_Output_1")));
    x.Close("IOData");
    x.Open(QStringLiteral("RecordDataList"));
    x.Open(QStringLiteral("ParameterRecordDataItem") + A("Index", "128") + A("Length", "2"));
    x.Empty(QStringLiteral("Name") + A("TextId", "IDT_NAME_M1_IDT_REF_channel"));
    x.Empty(QStringLiteral("Const") + A("ByteOffset", "0") + A("Data", "0x00,0x00"));
    x.Empty(QStringLiteral("Ref") + A("TextId", "IDT_REF_reaction_to_cpu_stop") + A("Visible", "true")
            + A("DataType", "BitArea") + A("ByteOffset", "0") + A("BitOffset", "0") + A("BitLength", "2")
            + A("DefaultValue", "2") + A("AllowedValues", "0..2") + A("ValueItemTarget", "IDV_reaction_to_cpu_stop")
            + A("ID", "IDT_REF_reaction_to_cpu_stop"));
    x.Open(QStringLiteral("MenuList"));
    x.Open(QStringLiteral("MenuItem") + A("ID", "IDT_NAME_M1_IDT_REF_channel"));
    x.Empty(QStringLiteral("Name") + A("TextId", "IDT_NAME_M1_IDT_REF_channel"));
    x.Empty(QStringLiteral("MenuRef") + A("MenuTarget", "IDT_NAME_M1_Base_Parameters"));
    x.Close("MenuItem");
    x.Open(QStringLiteral("MenuItem") + A("ID", "IDT_NAME_M1_Base_Parameters"));
    x.Empty(QStringLiteral("Name") + A("TextId", "IDT_NAME_M1_Base_Parameters"));
    x.Empty(QStringLiteral("ParameterRef") + A("ParameterTarget", "IDT_REF_reaction_to_cpu_stop"));
    x.Close("MenuItem");
    x.Close("MenuList");
    x.Close("ParameterRecordDataItem");
    x.Close("RecordDataList");
    x.Open(QStringLiteral("ModuleInfo"));
    x.Empty(QStringLiteral("Name") + A("TextId", "IDT_NAME_M1"));
    x.Empty(QStringLiteral("InfoText") + A("TextId", "IDT_INFO_M1"));
    x.Close("ModuleInfo");
    x.Close("VirtualSubmoduleItem");
    x.Close("VirtualSubmoduleList");
    x.Close("ModuleItem");
    x.Close("ModuleList");

    x.Open(QStringLiteral("ValueList"));
    x.Open(QStringLiteral("ValueItem") + A("ID", "IDV_reaction_to_cpu_stop"));
    x.Open(QStringLiteral("Assignments"));
    x.Empty(QStringLiteral("Assign") + A("TextId", "IDT_ASSIGN_do_set_substitude_values") + A("Content", "0"));
    x.Empty(QStringLiteral("Assign") + A("TextId", "IDT_ASSIGN_do_values_will_hold") + A("Content", "1"));
    x.Empty(QStringLiteral("Assign") + A("TextId", "IDT_ASSIGN_do_continue_counting") + A("Content", "2"));
    x.Close("Assignments");
    x.Close("ValueItem");
    x.Close("ValueList");
    x.Open(QStringLiteral("CategoryList"));
    for (const char* kind : {"DI", "DO"}) {
        const QString k = QLatin1String(kind);
        x.Open(QStringLiteral("CategoryItem") + A("ID", "IDC_" + k) + A("TextId", "IDT_CATEGORY_" + k));
        x.Empty(QStringLiteral("InfoText") + A("TextId", "IDT_INFO_" + k));
        x.Close("CategoryItem");
    }
    x.Close("CategoryList");
    x.Open(QStringLiteral("ExternalTextList"));
    x.Open(QStringLiteral("PrimaryLanguage"));
    const QList<TextEntry> texts = ExternalTexts(*w);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString id = A("TextId", texts[i].id);
        const QString value = A("Value", texts[i].value);
        x.Empty(QStringLiteral("Text") + (i < texts.size() - 3 ? id + value : value + id));
    }
    x.Close("PrimaryLanguage");
    x.Close("ExternalTextList");
    x.Close("ApplicationProcess");
    x.Close("ProfileBody");
    x.Close("ISO15745Profile");

    QByteArray bytes = Utf8Lines(x.out);
    if (w->utf8)
        bytes.prepend("\xEF\xBB\xBF");
    return Output{bytes, QString()};
}

Output Make_GSDML_From_Project(int deviceType)
{
    return Guarded([&] { return Make_GSDML(deviceType, Read_GSDML_Values(deviceType)); });
}

} // namespace gen

void Save_GSDML(const QString& name)
{
    SaveFileDialog dialog;
    dialog.InitialDir = ProjectPath;
    dialog.Filter = QStringLiteral("PROFINET XML (*.xml)|") + name;
    dialog.FileName = name;
    if (!dialog.Execute(QApplication::activeWindow()))
        return;
    const QString path = QDir(QFileInfo(dialog.FileName).path()).filePath(name);
    if (QFileInfo::exists(path) && !Messages::Ask(Lang(gen::TextOverwrite)))
        return;
    if (!gen::FindGsdmlWriter(DeviceType))
        return;
    gen::Save_Output(path, gen::Make_GSDML_From_Project(DeviceType));
}
