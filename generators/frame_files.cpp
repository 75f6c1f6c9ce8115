#include "generators/frame_files.h"

#include "build/compiler/par_gen_reader.h"
#include "build/compiler/table_rows.h"
#include "platform/int_text.h"

namespace gen {

namespace {

enum class Kind { J1939Receive, J1939Transmit, NmeaReceive, NmeaTransmit };

bool IsYes(const TableRow& row, const char* attr)
{
    return TrimControls(row.RequiredText(attr)).toUpper() == QLatin1String("Y");
}

int64_t NumberOr8(const TableRow& row)
{
    const char* raw = row.Raw("TP_NByte");
    int32_t v;
    return raw && TryUtf8ToInt(raw, v) ? v : 8;
}

int64_t SumBytes(const QString& path, Kind kind)
{
    XmlDocument doc;
    if (!Load_Project_Xml(path, doc))
        return 0;
    int64_t sum = 0;
    int i = 0;
    for (pugi::xml_node node : doc.Root().children()) {
        const TableRow row(path, QString(), i++, node);
        bool counted = false;   // the row's TP_NByte must be a number
        switch (kind) {
        case Kind::J1939Receive:
            counted = IsYes(row, "TP");
            break;
        case Kind::NmeaReceive:
            counted = IsYes(row, "TP") || IsYes(row, "FP");
            break;
        case Kind::NmeaTransmit:
            counted = true;
            break;
        case Kind::J1939Transmit:
            break;
        }
        sum += counted ? row.RequiredInt("TP_NByte") : NumberOr8(row);
    }
    return sum;
}

} // namespace

QString TrimControls(const QString& text)
{
    qsizetype from = 0, to = text.size();
    while (from < to && text[from].unicode() <= 32)
        ++from;
    while (to > from && text[to - 1].unicode() <= 32)
        --to;
    return text.mid(from, to - from);
}

int64_t J1939_Receive_Bytes(const QString& path)
{
    return SumBytes(path, Kind::J1939Receive);
}

int64_t J1939_Transmit_Bytes(const QString& path)
{
    return SumBytes(path, Kind::J1939Transmit);
}

int64_t Nmea_Receive_Bytes(const QString& path)
{
    return SumBytes(path, Kind::NmeaReceive);
}

int64_t Nmea_Transmit_Bytes(const QString& path)
{
    return SumBytes(path, Kind::NmeaTransmit);
}

} // namespace gen
