#include "mbus/models/scan_checks.h"

#include "app/common/language.h"
#include "platform/int_text.h"

namespace mbus {

QString Check_Key(const QString& key)
{
    if (key.size() != 32)
        return Lang(1304);
    for (QChar c : key)
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'F'))
            return Lang(1303);
    return QString();
}

std::array<uint8_t, 16> Key_Bytes(const QString& key)
{
    std::array<uint8_t, 16> bytes{};
    for (int i = 0; i < 16 && 2 * i + 1 < key.size(); ++i)
        bytes[i] = static_cast<uint8_t>(key.mid(2 * i, 2).toUInt(nullptr, 16));
    return bytes;
}

QString Check_Start_Register(const QString& text, int32_t& value)
{
    int32_t v;
    if (!TryStrToInt(text, v) || v < 1 || v > 65535)
        return Lang(1406);
    value = v;
    return QString();
}

QString Check_Start_Addresses(const QStringList& column1)
{
    for (int i = 0; i < column1.size(); ++i) {
        const QString row = Lang(1508) + QString::number(i + 1);
        if (column1[i].isEmpty())
            return row + Lang(1509);
        int32_t v;
        if (!TryStrToInt(column1[i], v) || v < 1 || v > 59999)
            return row + Lang(1510);
    }
    return QString();
}

QString Start_Address_Row_Wired(int primary, const QString& secondary)
{
    return QString::number(primary) + QStringLiteral(" - ") + secondary;
}

} // namespace mbus
