#pragma once
// The checks of the scan option dialogs and the start address table, as
// messages (empty when the entry passes).
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace mbus {


// A wireless meter's key: exactly 32 hexadecimal digits (upper case, as the
// edit turns them) into its 16 bytes.
QString Check_Key(const QString& key);
std::array<uint8_t, 16> Key_Bytes(const QString& key);

// The start Modbus register, 1..65535.
QString Check_Start_Register(const QString& text, int32_t& value);

// Column 1 of the start address table, data rows from 1.
QString Check_Start_Addresses(const QStringList& column1);

// Column 0 of a data row: the meter's application-layer address (wireless)
// or "primary - secondary".
QString Start_Address_Row_Wired(int primary, const QString& secondary);

} // namespace mbus
