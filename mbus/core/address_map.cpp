#include "mbus/core/address_map.h"

#include "mbus/core/network_file.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"

#include <QFile>
#include <QFileInfo>

namespace mbus {

namespace {

// The converter takes these fields as bytes.
uint8_t Byte(int32_t v)
{
    return static_cast<uint8_t>(v);
}

int Value_Bytes(const ImageSizes& s, const TVariabile& v)
{
    if (s.fixedValue != 0)
        return s.fixedValue;
    const uint8_t dim = Byte(v.Dimension);
    return Value_Image_Bytes(Byte(v.Type_Of_Data), dim, dim == VariableLengthDim ? Byte(v.Length) : 0,
                             v.TP_Mod_Regs, v.ForceInteger32);
}

bool Has_Used_Value(const TNodo& n)
{
    for (const TVariabile& v : n.Var_List)
        if (v.Enable)
            return true;
    return false;
}

} // namespace

QString Export_File_Name(const QString& chosen)
{
    return chosen.toUpper().contains(QLatin1String(".CSV")) ? chosen : chosen + QStringLiteral(".csv");
}

QString Address_Map_Text(const Network& network, int deviceType, int workingMode)
{
    const ImageSizes& sizes = Image_Sizes(deviceType);
    const QString crlf = QStringLiteral("\r\n");
    QString out = QStringLiteral("ID Node; Node Description; Variable Description; Position; Length;") + crlf;
    int64_t p = workingMode == 1 ? 4 : 0;
    for (const TNodo& n : network) {
        if (!n.Enable || !Has_Used_Value(n))
            continue;
        if (workingMode == 1)
            p = 4;
        const QString head = QStringLiteral("%1; %2; ").arg(n.Address()).arg(n.Description);
        auto line = [&](const QString& name, int length) {
            out += head + QStringLiteral("%1; %2; %3;").arg(name).arg(p).arg(length) + crlf;
            p += length;
        };
        if (Byte(n.Node_State) == 1)
            line(QStringLiteral("Node State"), sizes.nodeState);
        if (Byte(n.Ident_Num) == 1)
            line(QStringLiteral("Identification Number"), sizes.identNum);
        for (const TVariabile& v : n.Var_List) {
            if (!v.Enable)
                continue;
            line(v.Description, Value_Bytes(sizes, v));
            if (sizes.valueOptions && v.Scale)
                line(QStringLiteral("Scale - ") + v.Description, 1);
        }
    }
    return out;
}

bool Export_Address_Map(const QString& path, const Network& network, int deviceType, int workingMode,
                        QString* error)
{
    return WriteFileAtomically(path, StringToCp1252(Address_Map_Text(network, deviceType, workingMode)), error);
}

ImportResult Import_Network(const QString& chosen, const QString& projectFile, int deviceType, QString* error)
{
    const QFileInfo from(chosen);
    const QFileInfo to(projectFile);
    if (to.exists() && from.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return ImportResult::OwnFile;
    QFile file(chosen);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open the file %1: %2").arg(chosen, file.errorString());
        return ImportResult::Failed;
    }
    const QByteArray bytes = file.readAll();
    const NetworkRead r = Read_Network_Bytes(bytes, chosen, deviceType);
    if (!r.ok) {
        if (error)
            *error = r.error;
        return ImportResult::Failed;
    }
    return WriteFileAtomically(projectFile, bytes, error) ? ImportResult::Imported : ImportResult::Failed;
}

} // namespace mbus
