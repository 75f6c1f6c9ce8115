#include "generators/canopen_files.h"

#include "app/common/language.h"
#include "build/compiler/compile_error.h"
#include "build/compiler/par_gen_reader.h"
#include "build/compiler/table_rows.h"
#include "platform/int_text.h"

#include <QSet>

namespace gen {

namespace {

constexpr int TextTooManyPdos = 1165;
constexpr int TextBadDimension = 1166;
constexpr int TextSdoReadIndex = 529;    // "!! [SDO in Read] Index must be between 0x2000 and 0x7FFF"
constexpr int TextSdoReadRange = 530;    // "... different from 0x7000 to 0x701D and from 0x7050 to 0x706D"
constexpr int TextSdoWriteIndex = 537;
constexpr int TextSdoWriteRange = 538;
constexpr int TextSdoReadSub = 531;      // "!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"
constexpr int TextSdoWriteSub = 539;

int32_t IntOrIfPresent(const TableRow& row, const char* attr, int32_t def)
{
    int32_t v;
    return TryUtf8ToInt(row.RequiredRaw(attr), v) ? v : def;
}

std::vector<PdoEntry> ReadPdoSection(const QString& path, pugi::xml_node root, const char* name)
{
    const pugi::xml_node section = Required_Section(path, root, name);
    std::vector<PdoEntry> entries;
    int i = 0;
    for (pugi::xml_node node : section.children()) {
        if (i == MaxPdoRows)
            throw CompileError(Lang(TextTooManyPdos) + QStringLiteral("%1, section \"%2\"").arg(path, QLatin1String(name)));
        const TableRow row(path, QLatin1String(name), i++, node);
        PdoEntry e;
        e.cobId = static_cast<uint32_t>(IntOrIfPresent(row, "COB-ID", 0));
        e.dimension = IntOrIfPresent(row, "Dimension", 8);
        if (e.dimension < 1 || e.dimension > 8)
            throw CompileError(Lang(TextBadDimension) + row.Where());
        entries.push_back(e);
    }
    return entries;
}

void ReadSdoSection(const QString& path, pugi::xml_node root, const char* name, bool readOnly,
                    std::vector<SdoServerRow>& rows)
{
    const pugi::xml_node section = Required_Section(path, root, name);
    int i = 0;
    for (pugi::xml_node node : section.children()) {
        const TableRow row(path, QLatin1String(name), i++, node);
        SdoServerRow r;
        r.index = row.RequiredInt("Index");
        r.subIndex = row.RequiredInt("SubIndex");
        r.nByte = row.RequiredInt("NByte");
        r.readOnly = readOnly;
        if (r.index < 0x2000 || r.index > 0x7FFF)
            row.Fail(Lang(readOnly ? TextSdoReadIndex : TextSdoWriteIndex));
        if (!IsSdoServerIndex(r.index))
            row.Fail(Lang(readOnly ? TextSdoReadRange : TextSdoWriteRange));
        if (r.subIndex < 0 || r.subIndex > 255)
            row.Fail(Lang(readOnly ? TextSdoReadSub : TextSdoWriteSub));
        rows.push_back(r);
    }
}

} // namespace

PdoTables Read_PDO_CANopen(const QString& path)
{
    PdoTables t;
    XmlDocument doc;
    if (!Load_Project_Xml(path, doc))
        return t;
    t.receive = ReadPdoSection(path, doc.Root(), "Receive_PDO");
    t.transmit = ReadPdoSection(path, doc.Root(), "Transmit_PDO");
    return t;
}

std::vector<SdoServerRow> Read_SDO_Server_CANopen(const QString& path)
{
    std::vector<SdoServerRow> rows;
    XmlDocument doc;
    if (!Load_Project_Xml(path, doc))
        return rows;
    ReadSdoSection(path, doc.Root(), "SDO_Read", true, rows);
    ReadSdoSection(path, doc.Root(), "SDO_Write", false, rows);
    return rows;
}

bool IsSdoServerIndex(int32_t index)
{
    return index >= 0x2000 && index <= 0x7FFF && !(index >= 0x7000 && index <= 0x701D)
           && !(index >= 0x7050 && index <= 0x706D);
}

int FindDuplicateSdoObject(const std::vector<SdoServerRow>& rows)
{
    QSet<int64_t> seen;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int64_t key = (int64_t(rows[i].index) << 32) | uint32_t(rows[i].subIndex);
        if (seen.contains(key))
            return int(i);
        seen.insert(key);
    }
    return -1;
}

} // namespace gen
