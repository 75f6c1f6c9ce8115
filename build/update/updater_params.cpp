#include "updater_params.h"

#include "device_type.h"
#include "snmp_map_type.h"
#include "workspace.h"
#include "xml_document.h"

#include <algorithm>
#include <span>

namespace {

bool Contains(std::span<const int> types, int type)
{
    return std::find(types.begin(), types.end(), type) != types.end();
}

// Which updater each device type runs, and what it is handed.
constexpr int kCommandLineTypes[] = {0, 1, 2, 3, 4, 5, 7, 14, 15, 17, 22, 23, 24};
constexpr int kStandardTypes[] = {6, 8, 9, 11, 12, 13, 20, 25, 26, 27, 28};
constexpr int kStandardMapTypes[] = {16, 18, 19};
constexpr int kBrandTypes[] = {BrandVariantType};
constexpr int kTwoHardwareTypes[] = {10, 21};
constexpr int kNewBootTypes[] = {29};

struct RouteRow
{
    std::span<const int> types;
    UpdaterKind kind;
    const char* program;   // nullptr: TCP_<nr>_Update.exe
    bool readsMapType;
};

const RouteRow kRoutes[] = {
    {kCommandLineTypes, UpdaterKind::CommandLine, nullptr, false},
    {kStandardTypes, UpdaterKind::Standard, "Ethernet_Update.exe", false},
    {kStandardMapTypes, UpdaterKind::Standard, "Ethernet_Update.exe", true},
    {kBrandTypes, UpdaterKind::Standard, "Ethernet_Update_BH.exe", true},
    {kTwoHardwareTypes, UpdaterKind::TwoHardware, "Ethernet_Update.exe", false},
    {kNewBootTypes, UpdaterKind::NewBoot, "Ethernet_Update.exe", false},
};

// Command line: the bank folder (two image files) or the single bank file.
constexpr int kBankFolderTypes[] = {0, 7, 14, 15, 24};
constexpr int kBankFileTypes[] = {1, 2, 3, 4, 5, 17, 22, 23};

// Standard variant.
constexpr int kPort5000Types[] = {6, 11, 12, 13, 20, 25, 26, 27};
constexpr int kPort10000Types[] = {8, 9, 16, 18, 19, 28, BrandVariantType};

struct ProtectionRow
{
    int type;
    const char* code;
};

constexpr ProtectionRow kStandardProtections[] = {
    {6, "0x7A"}, {8, "0x7F"}, {9, "0x80"}, {11, "0xD5"}, {12, "0xD6"}, {13, "0xFD"}, {16, "0xFB"},
    {18, "0xFF"}, {BrandVariantType, "0xFF"}, {19, "0x100"}, {20, "0xE8"}, {25, "0x1AB"},
    {26, "0x1AC"}, {27, "0x1BF"}, {28, "0x1E1"},
};

struct BankOperation
{
    const char* file;          // nullptr: no such operation
    const char* startAddress;
    const char* goToAppAfter;
};

constexpr int kConf6[] = {6, 11, 28};
constexpr int kConf8[] = {8};
constexpr int kConf27[] = {27};
constexpr int kConfBank[] = {9, 12, 13, 16, 20, 25, 26};
constexpr int kConfSnmp[] = {18, 19, BrandVariantType};

struct StandardConfRow
{
    std::span<const int> types;
    BankOperation first;
    BankOperation second;
};

const StandardConfRow kStandardConfigurations[] = {
    {kConf6, {"bank1.bin", "0x68000", "0"}, {"bank2.bin", "0x58000", "1"}},
    {kConf8, {"bank1.bin", "0x68000", "0"}, {"bank2.bin", "0x56000", "1"}},
    {kConf27, {"bank1.bin", "0x68000", "0"}, {"bank2.bin", "0x50000", "1"}},
    {kConfBank, {"bank.bin", "0x68000", "1"}, {nullptr, nullptr, nullptr}},
    {kConfSnmp, {"bank.bin", "0x62000", "1"}, {nullptr, nullptr, nullptr}},
};

// Two-hardware variant.
struct TwoHardwareProtections
{
    int type;
    const char* codes[3];   // nullptr ends the list
};

constexpr TwoHardwareProtections kTwoHardwareProtections[] = {
    {10, {"0x81", "0xDA", "0x19B"}},
    {21, {"0x127", "0x288", nullptr}},
};

// Marks the firmware's own rule for Ope_GoToApp_After ("0" when the
// configuration follows, else "1").
constexpr const char* kFirmwareRule = "firmware";

struct TwoHardwareOperation
{
    bool firmware;
    const char* protectionEnabled;
    const char* file;           // image suffix after Sim<nr>, or the bank file
    const char* startAddress;
    const char* addressCSS;
    const char* widAddress;
    const char* goToAppType10;  // nullptr: not for type 10
    const char* goToAppType21;
};

constexpr TwoHardwareOperation kTwoHardwareOperations[] = {
    {true, "0x81, 0xDA, 0x127", ".sim", "0x8000", "0x78100", "0x78200", kFirmwareRule, kFirmwareRule},
    {true, "0x19B, 0x288", "_B244.sim", "0x8000", "0x78100", "0x78300", kFirmwareRule, kFirmwareRule},
    {false, "0x81, 0xDA, 0x127", "bank.bin", "0x50000", "0x50100", "0x78300", "1", "1"},
    {false, "0x19B, 0x288", "bank1.bin", "0x68000", "0x50100", "0x78300", "0", "0"},
    {false, "0x19B, 0x288", "bank2.bin", "0x50800", "0x50100", "0x78300", "1", "0"},
    {false, "0x288", "bank3.bin", "0x80000", "0x50100", "0x78300", nullptr, "1"},
};

// Fields shared by every operation of a variant.
struct VariantFields
{
    const char* applicationPort;    // nullptr: by device type
    const char* addressProtection;
    const char* firmwareAddressCSS;
    const char* bankAddressCSS;
    const char* commandCSS;
    const char* widAddress;
    const char* widCommand;
    const char* widData;
};

constexpr VariantFields kStandardFields = {nullptr, "0x78000", "0x78100", "0x50100", "0x0B", "0x78300", "0x0B", ""};
constexpr VariantFields kTwoHardwareFields = {"10000", "0x78000", nullptr, nullptr, "0x0B", nullptr, "0x0B", ""};
constexpr VariantFields kNewBootFields = {"5000", "0x07800", "0x07A00", "0x07A00", "0x02", "0x07810", "0x02",
                                          "0x00, 0x00, 0x00, 0x01"};

// New-boot variant.
constexpr const char* kNewBootProtection = "0x28A";
constexpr BankOperation kNewBootBanks[] = {
    {"bank1.bin", "0x07000", "0"},
    {"bank2.bin", "0x68800", "1"},
};

const char* const kFirmwareStart = "0x8000";

QString Q(const char* s)
{
    return QString::fromLatin1(s);
}

struct Operation
{
    bool firmware = false;
    QString protectionEnabled;
    QString fileName;
    QString startAddress;
    bool readBack = false;
    QString addressCSS;
    QString commandCSS;
    QString widAddress;
    QString widCommand;
    QString widData;
    QString goToAppAfter;
};

void AppendOperation(pugi::xml_node operations, const Operation& op)
{
    pugi::xml_node e = XmlAppendElement(operations, QStringLiteral("Operation"));
    const auto add = [&e](const char* name, const QString& text) { XmlAppendTextElement(e, Q(name), text); };
    add("Ope_Protection_Enabled", op.protectionEnabled);
    add("Ope_GoToBoot_Before", QStringLiteral("0"));
    add("Ope_GoToApp_Before", QStringLiteral("0"));
    add("Ope_IP_Address", QString());
    add("Ope_Port", QStringLiteral("2008"));
    add("Ope_Port_Sec", QStringLiteral("2007"));
    add("Ope_Erase_Memory", QStringLiteral("0"));
    add("Ope_FileName", op.fileName);
    add("Ope_Start_Address", op.startAddress);
    add("Ope_Memory_Type", QStringLiteral("0"));
    add("Ope_Bank_Type", op.firmware ? QStringLiteral("1") : QStringLiteral("2"));
    add("Ope_Read_Back", op.readBack ? QStringLiteral("1") : QStringLiteral("0"));
    add("Ope_Write_CSS", op.firmware ? QStringLiteral("1") : QStringLiteral("0"));
    add("Ope_Address_CSS", op.addressCSS);
    add("Ope_Command_CSS", op.commandCSS);
    add("Ope_Write_Internal_Data", QStringLiteral("0"));
    add("Ope_WID_Address", op.widAddress);
    add("Ope_WID_Command", op.widCommand);
    add("Ope_WID_Data", op.widData);
    add("Ope_GoToApp_After", op.goToAppAfter);
}

QString FirmwareGoToApp(const UpdateOptions& options)
{
    return options.configuration ? QStringLiteral("0") : QStringLiteral("1");
}

QString MasterFile(const QString& name)
{
    return MasterDir + QLatin1Char('/') + name;
}

QString BankFile(const char* name)
{
    return ProjectPath + QStringLiteral("/bin/") + Q(name);
}

// A firmware or configuration operation with the fields the variant gives
// every operation of that kind.
Operation VariantOperation(const VariantFields& v, bool firmware, const UpdateOptions& options)
{
    Operation op;
    op.firmware = firmware;
    op.readBack = firmware ? options.readFirmware : options.readConfiguration;
    op.addressCSS = Q(firmware ? v.firmwareAddressCSS : v.bankAddressCSS);
    op.commandCSS = Q(v.commandCSS);
    op.widAddress = Q(v.widAddress);
    op.widCommand = Q(v.widCommand);
    op.widData = Q(v.widData);
    return op;
}

Operation FirmwareOperation(const VariantFields& v, const QString& image, const UpdateOptions& options)
{
    Operation op = VariantOperation(v, true, options);
    op.fileName = image;
    op.startAddress = Q(kFirmwareStart);
    op.goToAppAfter = FirmwareGoToApp(options);
    return op;
}

Operation BankOp(const VariantFields& v, const BankOperation& bank, const UpdateOptions& options)
{
    Operation op = VariantOperation(v, false, options);
    op.fileName = BankFile(bank.file);
    op.startAddress = Q(bank.startAddress);
    op.goToAppAfter = Q(bank.goToAppAfter);
    return op;
}

QString Title(int type)
{
    if (type == BrandVariantType)
        return QStringLiteral("Brenhart - %1 Ethernet Update").arg(Q(BrandVariantName));
    return QStringLiteral("Keltrona - %1 Ethernet Update").arg(SoftwareCodeOf(type));
}

// The root with the elements before Operations; returns Operations.
pugi::xml_node AppendHeader(XmlDocument& doc, int type, const QString& address, const QString& applicationPort,
                            const QString& addressProtection, const QStringList& protections)
{
    doc.Clear();
    pugi::xml_node root = XmlAppendElement(doc.Doc(), QStringLiteral("Ethernet_Update"));
    XmlAppendTextElement(root, QStringLiteral("Version"), QStringLiteral("1000"));
    XmlAppendTextElement(root, QStringLiteral("Title"), Title(type));
    XmlAppendTextElement(root, QStringLiteral("IP_Address_Dev"), address);
    XmlAppendTextElement(root, QStringLiteral("Application_Port"), applicationPort);
    XmlAppendTextElement(root, QStringLiteral("Boot_Port"), QStringLiteral("2008"));
    XmlAppendTextElement(root, QStringLiteral("Boot_Port_Sec"), QStringLiteral("2007"));
    XmlAppendTextElement(root, QStringLiteral("Address_Protection"), addressProtection);
    pugi::xml_node list = XmlAppendElement(root, QStringLiteral("Protections"));
    for (const QString& p : protections)
        XmlAppendTextElement(list, QStringLiteral("Protection"), p);
    return XmlAppendElement(root, QStringLiteral("Operations"));
}

void Compile_XML_Parameter(XmlDocument& doc, int type, const QString& address, const UpdateOptions& options,
                           int mapType)
{
    const VariantFields& v = kStandardFields;
    QString port;
    if (Contains(kPort5000Types, type))
        port = QStringLiteral("5000");
    else if (Contains(kPort10000Types, type))
        port = QStringLiteral("10000");
    QStringList protections;
    for (const ProtectionRow& row : kStandardProtections)
        if (row.type == type)
            protections.append(Q(row.code));
    pugi::xml_node ops = AppendHeader(doc, type, address, port, Q(v.addressProtection), protections);
    if (options.firmware)
        AppendOperation(ops, FirmwareOperation(v, StandardFirmwareImage(type, mapType), options));
    if (!options.configuration)
        return;
    for (const StandardConfRow& row : kStandardConfigurations) {
        if (!Contains(row.types, type))
            continue;
        for (const BankOperation* bank : {&row.first, &row.second})
            if (bank->file)
                AppendOperation(ops, BankOp(v, *bank, options));
    }
}

void Compile_XML_Parameter_020(XmlDocument& doc, int type, const QString& address, const UpdateOptions& options)
{
    const VariantFields& v = kTwoHardwareFields;
    QStringList protections;
    for (const TwoHardwareProtections& row : kTwoHardwareProtections)
        if (row.type == type)
            for (const char* code : row.codes)
                if (code)
                    protections.append(Q(code));
    pugi::xml_node ops = AppendHeader(doc, type, address, Q(v.applicationPort), Q(v.addressProtection), protections);
    const QString nr = UpdaterModelNumber(type);
    for (const TwoHardwareOperation& row : kTwoHardwareOperations) {
        const char* goToApp = type == 21 ? row.goToAppType21 : row.goToAppType10;
        if (!goToApp || (row.firmware ? !options.firmware : !options.configuration))
            continue;
        Operation op = VariantOperation(v, row.firmware, options);
        op.protectionEnabled = Q(row.protectionEnabled);
        op.fileName = row.firmware ? MasterFile(QStringLiteral("Sim") + nr + Q(row.file)) : BankFile(row.file);
        op.startAddress = Q(row.startAddress);
        op.addressCSS = Q(row.addressCSS);
        op.widAddress = Q(row.widAddress);
        op.goToAppAfter = goToApp == kFirmwareRule ? FirmwareGoToApp(options) : Q(goToApp);
        AppendOperation(ops, op);
    }
}

void Compile_XML_Parameter_New_Boot(XmlDocument& doc, int type, const QString& address, const UpdateOptions& options)
{
    const VariantFields& v = kNewBootFields;
    pugi::xml_node ops = AppendHeader(doc, type, address, Q(v.applicationPort), Q(v.addressProtection),
                                      {Q(kNewBootProtection)});
    if (options.firmware) {
        const QString image = MasterFile(QStringLiteral("Sim") + UpdaterModelNumber(type) + QStringLiteral(".sim"));
        AppendOperation(ops, FirmwareOperation(v, image, options));
    }
    if (options.configuration)
        for (const BankOperation& bank : kNewBootBanks)
            AppendOperation(ops, BankOp(v, bank, options));
}

} // namespace

bool UpdaterRouteOf(int deviceType, UpdaterRoute& route)
{
    for (const RouteRow& row : kRoutes) {
        if (!Contains(row.types, deviceType))
            continue;
        route.kind = row.kind;
        route.program = row.program ? Q(row.program)
                                    : QStringLiteral("TCP_%1_Update.exe").arg(UpdaterModelNumber(deviceType));
        route.readsMapType = row.readsMapType;
        return true;
    }
    return false;
}

QString UpdaterModelNumber(int deviceType)
{
    return ModelNumberOf(deviceType == BrandVariantType ? 18 : deviceType);
}

QStringList UpdaterArguments(int deviceType, const QString& address, const UpdateOptions& options)
{
    const QString nr = UpdaterModelNumber(deviceType);
    const auto word = [](bool on, const char* yes) { return on ? Q(yes) : QStringLiteral("NO"); };
    QString banks = ProjectPath + QStringLiteral("/bin");
    if (Contains(kBankFileTypes, deviceType))
        banks += QStringLiteral("/bank.bin");
    return {address,
            QStringLiteral("2007"),
            word(options.firmware, "FW"),
            word(options.readFirmware, "FR"),
            word(options.configuration, "PW"),
            word(options.readConfiguration, "PR"),
            MasterFile(QStringLiteral("sim") + nr + QStringLiteral(".sim")),
            banks};
}

QString StandardFirmwareImage(int deviceType, int mapType)
{
    QString name = QStringLiteral("Sim") + UpdaterModelNumber(deviceType);
    if (HasSnmpMapType(deviceType) && mapType != 1)
        name += QStringLiteral("_FixMap");
    return MasterFile(name + QStringLiteral(".sim"));
}

void Compose_Update_Parameters(XmlDocument& doc, int deviceType, const QString& address,
                               const UpdateOptions& options, int mapType)
{
    UpdaterRoute route;
    if (!UpdaterRouteOf(deviceType, route) || route.kind == UpdaterKind::CommandLine) {
        doc.Clear();
        return;
    }
    switch (route.kind) {
    case UpdaterKind::Standard:
        Compile_XML_Parameter(doc, deviceType, address, options, mapType);
        break;
    case UpdaterKind::TwoHardware:
        Compile_XML_Parameter_020(doc, deviceType, address, options);
        break;
    case UpdaterKind::NewBoot:
        Compile_XML_Parameter_New_Boot(doc, deviceType, address, options);
        break;
    case UpdaterKind::CommandLine:
        break;
    }
}

QString UpdateParameterFile()
{
    return ExeDir + QStringLiteral("/Ethernet_Update.xml");
}

bool Prepare_Updater_Run(XmlDocument& doc, const QString& address, const UpdateOptions& options,
                         UpdaterRun& run, QString* error, int* mapType)
{
    run = UpdaterRun();
    UpdaterRoute route;
    if (!UpdaterRouteOf(DeviceType, route)) {
        if (error)
            *error = QStringLiteral("No updater is known for device type %1.").arg(DeviceType);
        return false;
    }
    run.program = ExeDir + QLatin1Char('/') + route.program;
    if (route.kind == UpdaterKind::CommandLine) {
        run.arguments = UpdaterArguments(DeviceType, address, options);
        return true;
    }
    int map = 0;
    if (route.readsMapType) {
        QString readError;
        map = Read_SNMP_Map_Type(&readError);
        if (!readError.isEmpty()) {
            if (error)
                *error = readError;
            return false;
        }
        if (mapType)
            *mapType = map;
    }
    Compose_Update_Parameters(doc, DeviceType, address, options, map);
    if (!doc.Save(UpdateParameterFile())) {
        if (error)
            *error = doc.ErrorText();
        return false;
    }
    run.wroteParameterFile = true;
    return true;
}
