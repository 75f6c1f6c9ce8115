#include "generators/gsd_writer.h"

#include "app/common/device_type.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/save_dialog.h"
#include "build/compiler/par_gen_reader.h"
#include "generators/maker_data.h"
#include "platform/messages.h"

#include <QApplication>
#include <QFileInfo>

namespace gen {

namespace {

constexpr int BoxWidth = 85;
constexpr int ModuleBytes = 64;
constexpr int MaxModules = 255;   // the module number is one byte

constexpr int TextParGenMissing = 336;
constexpr int TextOverwrite = 335;
constexpr int TextNegativeLength = 1162;
constexpr int TextTooManyModules = 1163;

// What the two models write differently.
struct GsdModel
{
    const char* title;
    const char* function;
    const char* orderNumber;   // the box's
    const char* modelName;
    uint16_t ident;
};

constexpr GsdModel kType23 = {
    ";******************** PROFIBUS Slave / SNMP Agent - Converter ***********************",
    "PROFIBUS Slave / SNMP Agent - Converter", "GX52100-A1", "GX52100", maker::ProfibusIdentType23};
constexpr GsdModel kType3 = {
    ";********************* PROFINET / PROFIBUS Slave - Converter ************************",
    "PROFINET / PROFIBUS Slave - Converter", "GX52270-A1", "GX52270", maker::ProfibusIdentType3};

QString BoxLine(const QString& text)
{
    return QStringLiteral(";*") + text.leftJustified(BoxWidth - 3, QLatin1Char(' ')) + QLatin1Char('*');
}

QString RuleBoxLine()
{
    return QStringLiteral(";* ") + QString(80, QLatin1Char('=')) + QStringLiteral(" *");
}

void Section(QStringList& out, const QString& title, int width)
{
    const QString rule = QLatin1Char(';') + QString(width - 1, QLatin1Char('='));
    const QString head = QStringLiteral(";==== ") + title + QLatin1Char(' ');
    out << rule << head + QString(std::max(0, width - int(head.size())), QLatin1Char('=')) << rule;
}

void Blank(QStringList& out, int n = 1)
{
    for (int i = 0; i < n; ++i)
        out << QString();
}

QString Hex2(int v)
{
    return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
}

int ModulesOf(int32_t length)
{
    return length > 0 ? int((int64_t(length) + ModuleBytes - 1) / ModuleBytes) : 0;
}

void Modules(QStringList& out, const char* name, const char* kind, int32_t length, int& k)
{
    for (int64_t left = length; left > 0; left -= ModuleBytes, ++k) {
        const int bytes = int(std::min<int64_t>(left, ModuleBytes));
        out << QStringLiteral("Module=\"%1  (PORT%2)    \" %3,0x%4,0x00,0x%5")
                   .arg(QLatin1String(name))
                   .arg(k)
                   .arg(QLatin1String(kind), Hex2(bytes - 1), Hex2(k))
            << QString::number(k) << QStringLiteral("EndModule");
    }
}

} // namespace

Output Make_GSD(int deviceType, GsdLengths lengths)
{
    if (lengths.input < 0 || lengths.output < 0)
        return Output::Refused(Lang(TextNegativeLength));
    const int ni = ModulesOf(lengths.input);
    const int no = ModulesOf(lengths.output);
    if (ni + no > MaxModules)
        return Output::Refused(Lang(TextTooManyModules));

    const GsdModel& m = deviceType == 3 ? kType3 : kType23;
    const QString blankBox = BoxLine(QString());
    QStringList out;
    out << QStringLiteral(";") << QLatin1String(m.title) << RuleBoxLine() << blankBox;
    out << BoxLine(QStringLiteral(" Vendor:   ") + QLatin1String(maker::CompanyName));
    const QString indent(11, QLatin1Char(' '));
    for (const QString& line : {QString::fromLatin1(maker::Street), QString::fromLatin1(maker::PostalCodeAndTown),
                                QString::fromLatin1(maker::Province) + QStringLiteral(", ")
                                    + QString::fromLatin1(maker::Country),
                                QStringLiteral("Tel. : ") + QLatin1String(maker::Telephone),
                                QStringLiteral("FAX. : ") + QLatin1String(maker::Fax),
                                QStringLiteral("eMail: ") + QLatin1String(maker::Email)})
        out << BoxLine(indent + line);
    out << blankBox << RuleBoxLine() << blankBox;
    out << BoxLine(QStringLiteral(" Function:       ") + QLatin1String(m.function)) << blankBox << blankBox;
    out << BoxLine(QStringLiteral(" Order Number : ") + QLatin1String(m.orderNumber)) << blankBox << blankBox;
    out << QLatin1Char(';') + QString(84, QLatin1Char('*'));
    Blank(out, 2);
    out << QStringLiteral("#Profibus_DP");
    Blank(out, 2);

    Section(out, QStringLiteral("Prm-Text-Def-List"), 85);
    Blank(out);
    out << QStringLiteral("PrmText=1") << QStringLiteral("Text(0)=\"disable\"") << QStringLiteral("Text(1)=\"enable\"")
        << QStringLiteral("EndPrmText");
    Blank(out);
    out << QStringLiteral("PrmText  = 2") << QStringLiteral("Text(0)  = \"clock up\"")
        << QStringLiteral("Text(1)  = \"clock down\"") << QStringLiteral("EndPrmText");
    Blank(out);
    out << QStringLiteral("PrmText  = 3");
    for (int i = 1; i <= 5; ++i)
        out << QStringLiteral("Text(%1)  = \"%2\"").arg(i).arg(i * 10);
    out << QStringLiteral("EndPrmText");
    Blank(out, 2);

    Section(out, QStringLiteral("Ext-User-Prm-Data-Def-List"), 86);
    Blank(out);
    struct ExtPrm
    {
        const char* head;
        const char* lines[2];
    };
    static constexpr ExtPrm kExt[] = {
        {"ExtUserPrmData=1 \"[SlotNumber]\"", {"Unsigned8 0 0-32", nullptr}},
        {"ExtUserPrmData=2 \"Diagnostic Alarm\"", {"Bit(0) 0 0-1", "Prm_Text_Ref=1"}},
        {"ExtUserPrmData=3 \"Process Alarm\"", {"Bit(1) 0 0-1", "Prm_Text_Ref=1"}},
        {"ExtUserPrmData=4 \"Counter mode\"", {"Unsigned8 0 0-1", "Prm_Text_Ref=2"}},
        {"ExtUserPrmData=5 \"Counter timebase (ms)\"", {"Unsigned8 1 1-5", "Prm_Text_Ref=3"}},
        {"ExtUserPrmData=6 \"Counter high-limit\"", {"Unsigned16 65535 0-65535", nullptr}},
        {"ExtUserPrmData=7 \"Counter low-limit\"", {"Unsigned16 0 0-65535", nullptr}},
    };
    for (const ExtPrm& e : kExt) {
        out << QLatin1String(e.head);
        for (const char* line : e.lines)
            if (line)
                out << QLatin1String(line);
        out << QStringLiteral("EndExtUserPrmData");
        Blank(out);
    }
    Blank(out);

    Section(out, QStringLiteral("General DP Keywords"), 86);
    Blank(out);
    out << QStringLiteral("GSD_Revision = 5") << QStringLiteral("Vendor_Name = \"Keltrona\"")
        << QStringLiteral("Model_Name = \"%1\"").arg(QLatin1String(m.modelName))
        << QStringLiteral("Revision = \"1.00\"")
        << QStringLiteral("Ident_Number = 0x") + QStringLiteral("%1").arg(m.ident, 4, 16, QLatin1Char('0')).toUpper()
        << QStringLiteral("Protocol_Ident = 0") << QStringLiteral("Station_Type = 0") << QStringLiteral("FMS_supp = 0")
        << QStringLiteral("Hardware_Release = \"V1.00\"") << QStringLiteral("Software_Release = \"V1.00\"")
        << QStringLiteral("Redundancy = 0") << QStringLiteral("Repeater_Ctrl_Sig = 2") << QStringLiteral("24V_Pins = 0");
    Blank(out, 2);

    Section(out, QStringLiteral("Supported baudrates"), 79);
    Blank(out);
    static constexpr const char* kRates[] = {"9.6", "19.2", "45.45", "93.75", "187.5", "500", "1.5M", "3M", "6M", "12M"};
    static constexpr int kTsdr[] = {15, 15, 15, 15, 15, 15, 20, 35, 50, 95};
    for (const char* r : kRates)
        out << QStringLiteral("%1_supp = 1").arg(QLatin1String(r));
    Blank(out);
    for (int i = 0; i < 10; ++i)
        out << QStringLiteral("MaxTsdr_%1=%2").arg(QLatin1String(kRates[i])).arg(kTsdr[i]);
    Blank(out, 2);

    Section(out, QStringLiteral("Slave specific values"), 79);
    Blank(out);
    const QString model = QLatin1String(m.modelName);
    out << QStringLiteral("OrderNumber=\"%1\"").arg(model) << QStringLiteral("Slave_Family = 9@Keltrona@%1").arg(model)
        << QStringLiteral("Implementation_Type = \"VPC3+\"")
        << QStringLiteral("Info_Text=\"Keltrona: %1\"").arg(QLatin1String(m.function))
        << QStringLiteral("Bitmap_Device = \"DPV0_1N\"") << QStringLiteral("Bitmap_SF=\"DPV0_1S\"");
    Blank(out);
    out << QStringLiteral("Freeze_Mode_supp=1") << QStringLiteral("Sync_Mode_supp=1") << QStringLiteral("Fail_Safe=1")
        << QStringLiteral("Auto_Baud_supp=1") << QStringLiteral("Set_Slave_Add_supp=0");
    Blank(out);
    out << QStringLiteral("Min_Slave_Intervall=6");
    Blank(out);
    out << QStringLiteral("Modular_Station=1") << QStringLiteral("Max_Module=%1").arg(ni + no)
        << QStringLiteral("Modul_Offset=1") << QStringLiteral("Max_Input_Len=%1").arg(lengths.input)
        << QStringLiteral("Max_Output_Len=%1").arg(lengths.output)
        << QStringLiteral("Max_Data_Len=%1").arg(int64_t(lengths.input) + lengths.output)
        << QStringLiteral("Max_Diag_Data_Len=15");
    Blank(out);
    out << QStringLiteral("WD_Base_1ms_supp = 1") << QStringLiteral("Publisher_supp = 1");
    Blank(out);

    Section(out, QStringLiteral("User-Prm-Data"), 79);
    Blank(out);
    out << QStringLiteral("Max_User_Prm_Data_Len = 12") << QStringLiteral("Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00");
    Blank(out);

    Section(out, QStringLiteral("Modulstatus"), 79);
    Blank(out);
    for (int slot = 1; slot <= 2; ++slot) {
        out << QStringLiteral("Unit_Diag_Area = %1 - %2").arg(22 + 2 * slot).arg(23 + 2 * slot)
            << QStringLiteral("Value(1)= \"Slot %1: Module error\"").arg(slot)
            << QStringLiteral("Value(2)= \"Slot %1: Wrong module\"").arg(slot)
            << QStringLiteral("Value(3)= \"Slot %1: No module\"").arg(slot) << QStringLiteral("Unit_Diag_Area_End");
    }
    Blank(out, 2);

    Section(out, QStringLiteral("Module-Definition-List"), 79);
    Blank(out);
    int k = 1;
    Modules(out, "DI", "0x42", lengths.input, k);
    Modules(out, "DO", "0x82", lengths.output, k);
    Blank(out, 3);

    out << QStringLiteral("SlotDefinition");
    for (int f = 1; f <= ni + no; ++f)
        out << QStringLiteral("Slot(%1) = \"Slot %1\" %1 %1").arg(f);
    out << QStringLiteral("EndSlotDefinition");
    Blank(out, 4);
    return Output{Latin1Lines(out), QString()};
}

Output Make_GSD_From_Project(int deviceType, const QString& parGenPath)
{
    return Guarded([&] {
        const ParGen pg(parGenPath);
        if (!pg.Exists())
            return Output::Refused(Lang(TextParGenMissing));
        const int32_t in = pg.Int("PROFIBUS_SLAVE_NB_IN", 0);
        const int32_t out = pg.Int("PROFIBUS_SLAVE_NB_OUT", 0);
        return Make_GSD(deviceType, deviceType == 3 ? GsdLengths{in, out} : GsdLengths{out, in});
    });
}

QString Gsd_Path(const QString& chosen)
{
    return chosen.endsWith(QLatin1String(".gsd"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".gsd");
}

} // namespace gen

void Save_GSD()
{
    const gen::Output output = gen::Make_GSD_From_Project(DeviceType, File_ParGen);
    if (!output.Ok()) {
        Messages::Error(output.error);
        return;
    }
    SaveFileDialog dialog;
    dialog.InitialDir = ProjectPath;
    dialog.Filter = QStringLiteral("Generic Station Description (*.gsd)|*.gsd");
    if (!dialog.Execute(QApplication::activeWindow()))
        return;
    const QString path = gen::Gsd_Path(dialog.FileName);
    if (QFileInfo::exists(path) && !Messages::Ask(Lang(gen::TextOverwrite)))
        return;
    gen::Save_Output(path, output);
}
