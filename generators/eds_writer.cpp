#include "generators/eds_writer.h"

#include "app/common/device_type.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "platform/local_clock.h"

#include <QHash>

#include <algorithm>

namespace gen {

namespace {

constexpr int TextDuplicateSdo = 1164;
constexpr int TextTooManyPdos = 1165;
constexpr int TextBadDimension = 1166;

constexpr const char* kRpdoVarNames[MaxPdoRows] = {
    "b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",  "aa", "ab", "ac", "ad", "ae",
    "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
constexpr const char* kTpdoVarNames[MaxPdoRows] = {
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  "ca", "cb", "cc", "cd", "ce",
    "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

QString Hex(uint32_t v, int digits)
{
    return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper();
}

QString H2(uint32_t v) { return Hex(v, 2); }
QString H4(uint32_t v) { return Hex(v, 4); }
QString H8(uint32_t v) { return Hex(v, 8); }

// Sub-section names read the number after "sub" as hexadecimal.
QString SubSection(uint32_t index, uint32_t sub)
{
    return QStringLiteral("[%1sub%2]").arg(H4(index), QString::number(sub, 16).toUpper());
}

// A fixed object's section: only the keys given (nullptr leaves one out).
struct FixedObject
{
    const char* section;
    const char* subNumber;
    const char* name;
    const char* objectType;
    const char* dataType;
    const char* access;
    const char* defaultValue;
};

constexpr FixedObject kFixedObjects[] = {
    {"[1000]", nullptr, "Device Type", "0x07", "0x0007", "const", "0x000101A4"},
    {"[1001]", nullptr, "Error Register", "0x07", "0x0005", "ro", "0x00"},
    {"[1005]", nullptr, "COB-ID SYNC", "0x07", "0x0007", "rw", "0x80000080"},
    {"[1006]", nullptr, "Communication Cycle Period", "0x07", "0x0007", "rw", "0x00000000"},
    {"[1008]", nullptr, "Manufacturer Device Name", "0x07", "0x0009", "const", "s1"},
    {"[1014]", nullptr, "COB-ID EMCY", "0x07", "0x0007", "ro", "$NODEID+0x80"},
    {"[1016]", "3", "Heartbeat Consumer Entries", "0x08", nullptr, nullptr, nullptr},
    {"[1016sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x02"},
    {"[1016sub1]", nullptr, "Consumer Heartbeat Time 1", "0x07", "0x0007", "rw", "0x00000000"},
    {"[1016sub2]", nullptr, "Consumer Heartbeat Time 2", "0x07", "0x0007", "rw", "0x00000000"},
    {"[1017]", nullptr, "Producer Heartbeat Time", "0x07", "0x0006", "rw", "0x000003E8"},
    {"[1018]", "5", "Identity Object", "0x09", nullptr, nullptr, nullptr},
    {"[1018sub0]", nullptr, "number of entries", "0x07", "0x0005", "ro", "0x4"},
    {"[1018sub1]", nullptr, "Vendor Id", "0x07", "0x0007", "ro", nullptr},
    {"[1018sub2]", nullptr, "Product Code", "0x07", "0x0007", "ro", nullptr},
    {"[1018sub3]", nullptr, "Revision number", "0x07", "0x0007", "ro", nullptr},
    {"[1018sub4]", nullptr, "Serial number", "0x07", "0x0007", "ro", nullptr},
    {"[1029]", "2", "Error Behaviour", "0x08", nullptr, nullptr, nullptr},
    {"[1029sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "1"},
    {"[1029sub1]", nullptr, "Communication Error", "0x07", "0x0005", "rw", "0x0"},
    {"[1280]", "4", "Client SDO Parameter 1", "0x09", nullptr, nullptr, nullptr},
    {"[1280sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x03"},
    {"[1280sub1]", nullptr, "COB-ID Client -> Server", "0x07", "0x0007", "rw", nullptr},
    {"[1280sub2]", nullptr, "COB-ID Server -> Client", "0x07", "0x0007", "rw", nullptr},
    {"[1280sub3]", nullptr, "Node ID of the SDO Server", "0x07", "0x0005", "rw", nullptr},
};

const char* const kOptionalFixed[] = {"0x1005", "0x1006", "0x1008", "0x1014", "0x1016", "0x1017", "0x1029", "0x1280"};

class EdsLines
{
public:
    QStringList out;

    void Key(const char* key, const QString& value) { out << QLatin1String(key) + QLatin1Char('=') + value; }
    void Key(const char* key, const char* value) { Key(key, QString::fromLatin1(value)); }
    void Blank() { out << QString(); }

    // An object's head section.
    void Head(uint32_t index, int subNumber, const QString& name, const char* objectType)
    {
        out << QStringLiteral("[%1]").arg(H4(index));
        Key("SubNumber", QString::number(subNumber));
        Key("ParameterName", name);
        Key("ObjectType", objectType);
        Blank();
    }

    // A variable sub-section of ObjectType 0x07.
    void Sub(uint32_t index, uint32_t sub, const QString& name, const char* dataType, const char* access,
             const QString& defaultValue, const char* pdoMapping = "0")
    {
        out << SubSection(index, sub);
        Key("ParameterName", name);
        Key("ObjectType", "0x07");
        Key("DataType", dataType);
        Key("AccessType", access);
        Key("DefaultValue", defaultValue);
        Key("PDOMapping", pdoMapping);
        Blank();
    }

    void NumberOfEntries(uint32_t index, const char* access, uint32_t n)
    {
        Sub(index, 0, QStringLiteral("Number of Entries"), "0x0005", access, QStringLiteral("0x") + H2(n));
    }

    void Communication(uint32_t index, const char* kind, int n, uint32_t cobId)
    {
        Head(index, 4, QStringLiteral("%1 PDO Communication Parameter %2").arg(QLatin1String(kind)).arg(n), "0x09");
        NumberOfEntries(index, "ro", 3);
        Sub(index, 1, QStringLiteral("COB-ID"), "0x0007", "rw", QStringLiteral("0x") + H8(cobId));
        Sub(index, 2, QStringLiteral("Transmission Type"), "0x0005", "rw", QStringLiteral("0xFE"));
        Sub(index, 3, QStringLiteral("Inhibit Time"), "0x0006", "rw", QStringLiteral("0x0"));
    }

    void Mapping(uint32_t index, const QString& name, uint32_t application, int dimension)
    {
        Head(index, dimension + 1, name, "0x09");
        NumberOfEntries(index, "ro", dimension);
        for (int j = 1; j <= dimension; ++j)
            Sub(index, j, QStringLiteral("Mapping Entry %1").arg(j), "0x0007", "ro",
                QStringLiteral("0x") + H4(application) + H2(j) + QStringLiteral("08"));
    }

    void Application(uint32_t index, const QString& name, const char* sub0Access, const char* prefix,
                     const char* access, int dimension)
    {
        Head(index, dimension + 1, name, "0x08");
        NumberOfEntries(index, sub0Access, dimension);
        for (int j = 1; j <= dimension; ++j)
            Sub(index, j, QLatin1String(prefix) + QString::number(j), "0x0005", access, QStringLiteral("0x00"), "1");
    }

    void Manufacturer(const SdoObject& o)
    {
        const bool sub0Given = o.subs.front().sub == 0;
        const int k = int(o.subs.size());
        out << QStringLiteral("[%1]").arg(H4(o.index));
        Key("SubNumber", QString::number(sub0Given ? k : k + 1));
        Key("ParameterName", "App Vars");
        Key("ObjectType", "0x9");
        Blank();
        if (!sub0Given) {
            out << SubSection(o.index, 0);
            Key("ParameterName", "Largest Sub-Index supported");
            Key("ObjectType", "0x7");
            Key("DataType", "0x0005");
            Key("AccessType", "ro");
            Key("DefaultValue", QStringLiteral("0x") + H2(o.subs.back().sub));
            Key("PDOMapping", "0");
            Blank();
        }
        for (const SdoSub& s : o.subs) {
            out << SubSection(o.index, s.sub);
            Key("ParameterName", "Application Variable");
            Key("ObjectType", "0x7");
            if (s.quantity == 1) {
                Key("DataType", "0x0005");
                Key("LowLimit", "0x00");
                Key("HighLimit", "0xFF");
                Key("DefaultValue", "0x00");
            } else if (s.quantity == 2) {
                Key("DataType", "0x0006");
                Key("LowLimit", "0x0000");
                Key("HighLimit", "0xFFFF");
                Key("DefaultValue", "0x0000");
            } else {
                Key("DataType", "0x0007");
                Key("LowLimit", "0x00000000");
                Key("HighLimit", "0xFFFFFFFF");
                Key("DefaultValue", "0x00000000");
            }
            Key("AccessType", s.readOnly ? "ro" : "rw");
            Key("PDOMapping", "0");
            Blank();
        }
    }
};

} // namespace

std::vector<SdoObject> Sdo_Objects(const std::vector<SdoServerRow>& rows)
{
    std::vector<SdoObject> objects;
    QHash<uint16_t, size_t> position;
    for (const SdoServerRow& r : rows) {
        const auto index = static_cast<uint16_t>(r.index);
        auto it = position.constFind(index);
        if (it == position.cend()) {
            it = position.insert(index, objects.size());
            objects.push_back(SdoObject{index, {}});
        }
        objects[*it].subs.push_back(SdoSub{static_cast<uint8_t>(r.subIndex), static_cast<uint8_t>(r.nByte), r.readOnly});
    }
    for (SdoObject& o : objects)
        std::stable_sort(o.subs.begin(), o.subs.end(), [](const SdoSub& a, const SdoSub& b) { return a.sub < b.sub; });
    return objects;
}

QString Eds_Date(const QDate& date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year());
}

QString Eds_Time(const QTime& time)
{
    int h = time.hour();
    const int m = time.minute();
    const char* suffix = "AM";
    if (h > 12) {
        h -= 12;
        suffix = "PM";
    } else if (h == 12 && m > 0) {
        h = 0;
        suffix = "PM";
    }
    return QStringLiteral("%1:%2%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(suffix));
}

Output Make_EDS(int deviceType, const PdoTables& pdos, const std::vector<SdoServerRow>& sdoRows, const QDateTime& now)
{
    for (const std::vector<PdoEntry>* list : {&pdos.receive, &pdos.transmit}) {
        if (list->size() > size_t(MaxPdoRows))
            return Output::Refused(Lang(TextTooManyPdos));
        for (const PdoEntry& p : *list)
            if (p.dimension < 1 || p.dimension > 8)
                return Output::Refused(Lang(TextBadDimension) + QString::number(p.dimension));
    }
    const int dup = FindDuplicateSdoObject(sdoRows);
    if (dup >= 0)
        return Output::Refused(Lang(TextDuplicateSdo)
                               + QStringLiteral("0x%1 / 0x%2").arg(H4(uint32_t(sdoRows[dup].index)),
                                                                    H2(uint32_t(sdoRows[dup].subIndex))));
    const std::vector<SdoObject> objects = Sdo_Objects(sdoRows);
    const QString orderCode = deviceType == 24 ? QStringLiteral("GX52160") : QStringLiteral("GX52290");
    const QString description = QStringLiteral("Converter PROFINET / CANopen");
    const QString date = Eds_Date(now.date());
    const QString time = Eds_Time(now.time());
    const int nrx = int(pdos.receive.size());
    const int ntx = int(pdos.transmit.size());

    EdsLines e;
    e.out << QStringLiteral("[FileInfo]");
    e.Key("FileName", "PROFINET_CANopen.eds");
    e.Key("FileVersion", "1");
    e.Key("FileRevision", "0");
    e.Key("EDSVersion", "4.0");
    e.Key("Description", description);
    e.Key("CreationTime", time);
    e.Key("CreationDate", date);
    e.Key("CreatedBy", "Keltrona");
    e.Key("ModificationTime", time);
    e.Key("ModificationDate", date);
    e.Key("ModifiedBy", "Keltrona");
    e.Blank();

    e.out << QStringLiteral("[DeviceInfo]");
    e.Key("VendorName", "Keltrona");
    e.Key("VendorNumber", "0x00");
    e.Key("ProductName", description);
    e.Key("ProductNumber", orderCode.right(3));
    e.Key("RevisionNumber", "0x0");
    e.Key("OrderCode", orderCode);
    for (const char* rate : {"10", "20", "50", "125", "250", "500", "800", "1000"})
        e.out << QStringLiteral("BaudRate_%1=%2").arg(QLatin1String(rate), QLatin1String(qstrcmp(rate, "800") ? "1" : "0"));
    e.Key("DynamicChannelsSupported", "0");
    e.Key("GroupMessaging", "0");
    e.Key("LSS_Supported", "0");
    e.Key("Granularity", "0");
    e.Key("SimpleBootUpSlave", "1");
    e.Key("SimpleBootUpMaster", "0");
    e.Key("NrOfRXPDO", QString::number(nrx));
    e.Key("NrOfTXPDO", QString::number(ntx));
    e.Blank();

    e.out << QStringLiteral("[Comments]") << QStringLiteral("Lines=0");
    e.Blank();
    e.out << QStringLiteral("[DummyUsage]");
    for (int d = 1; d <= 7; ++d)
        e.out << QStringLiteral("Dummy%1=0").arg(d, 4, 10, QLatin1Char('0'));
    e.Blank();
    e.out << QStringLiteral("[MandatoryObjects]") << QStringLiteral("SupportedObjects=3") << QStringLiteral("1=0x1000")
          << QStringLiteral("2=0x1001") << QStringLiteral("3=0x1018");
    e.Blank();

    e.out << QStringLiteral("[OptionalObjects]");
    e.Key("SupportedObjects", QString::number(8 + 3 * nrx + 3 * ntx));
    int n = 0;
    for (const char* o : kOptionalFixed)
        e.out << QStringLiteral("%1=%2").arg(++n).arg(QLatin1String(o));
    const auto list = [&](uint32_t base, int count) {
        for (int i = 0; i < count; ++i)
            e.out << QStringLiteral("%1=0x%2").arg(++n).arg(H4(base + i));
    };
    list(0x1400, nrx);
    list(0x1600, nrx);
    list(0x1800, ntx);
    list(0x1A00, ntx);
    list(0x7000, nrx);
    list(0x7050, ntx);
    e.Blank();

    e.out << QStringLiteral("[ManufacturerObjects]");
    e.Key("SupportedObjects", QString::number(objects.size()));
    for (size_t i = 0; i < objects.size(); ++i)
        e.out << QStringLiteral("%1=0x%2").arg(i + 1).arg(H4(objects[i].index));
    e.Blank();

    for (const FixedObject& f : kFixedObjects) {
        e.out << QLatin1String(f.section);
        if (f.subNumber)
            e.Key("SubNumber", f.subNumber);
        e.Key("ParameterName", f.name);
        e.Key("ObjectType", f.objectType);
        if (!f.subNumber) {
            e.Key("DataType", f.dataType);
            e.Key("AccessType", f.access);
            if (f.defaultValue)
                e.Key("DefaultValue", f.defaultValue);
            e.Key("PDOMapping", "0");
        }
        if (&f != &std::end(kFixedObjects)[-1])
            e.Blank();
    }

    for (int i = 0; i < nrx; ++i)
        e.Communication(0x1400 + i, "Receive", i + 1, pdos.receive[i].cobId);
    for (int i = 0; i < nrx; ++i)
        e.Mapping(0x1600 + i, QStringLiteral("Receive PDO Mapping Parameter"), 0x7000 + i, pdos.receive[i].dimension);
    for (int i = 0; i < ntx; ++i)
        e.Communication(0x1800 + i, "Transmit", i + 1, pdos.transmit[i].cobId);
    for (int i = 0; i < ntx; ++i)
        e.Mapping(0x1A00 + i, QStringLiteral("Transmit PDO Mapping Parameter %1").arg(i + 1), 0x7050 + i,
                  pdos.transmit[i].dimension);
    for (int i = 0; i < nrx; ++i)
        e.Application(0x7000 + i, QStringLiteral("RPDO%1").arg(i + 1), "ro", kRpdoVarNames[i], "rww",
                      pdos.receive[i].dimension);
    for (int i = 0; i < ntx; ++i)
        e.Application(0x7050 + i, QStringLiteral("TPDO%1").arg(i + 1), "rw", kTpdoVarNames[i], "rwr",
                      pdos.transmit[i].dimension);
    for (const SdoObject& o : objects)
        e.Manufacturer(o);
    e.Blank();
    return Output{Latin1Lines(e.out), QString()};
}

Output Make_EDS_From_Project(int deviceType, const QString& pdoPath, const QString& sdoServerPath, const QDateTime& now)
{
    return Guarded([&] {
        const PdoTables pdos = Read_PDO_CANopen(pdoPath);
        const std::vector<SdoServerRow> rows = Read_SDO_Server_CANopen(sdoServerPath);
        return Make_EDS(deviceType, pdos, rows, now);
    });
}

} // namespace gen

void Write_EDS(const QString& fileName)
{
    gen::Save_Output(fileName, gen::Make_EDS_From_Project(DeviceType, File_PDO_CANopen, File_SDO_Server_CANopen,
                                                          LocalClock::Now()));
}
