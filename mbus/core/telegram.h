#pragma once
// Decoding of M-Bus answer telegrams (RSP_UD, variable data structure of
// EN 13757-3) into meters and data records. Every function reads a byte
// span and keeps no state between calls; nothing is read outside the span.
#include "mbus/core/slaves.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace mbus {

using Bytes = std::span<const uint8_t>;

// What every record of one decoding shares.
struct DecodeContext
{
    QString date;               // datagiorno: the date of decoding
    QString time;               // tempo: the time of decoding
    QChar decimalPoint = u'.';  // of ValueStr
    bool wireless = false;      // a DIF 2F adds a filler marker record

    // The current date and time and the decimal point of the default locale.
    static DecodeContext Now(bool wireless = false);
};

// A wired answer worth decoding: 68 L L 68 ... CS 16 with the checksum of the
// bytes from 4 to the third-last, more than 21 bytes.
bool Is_Valid_Telegram(Bytes answer);

// The CI of a variable data answer with the long header, the one whose
// records are decoded.
constexpr uint8_t LongHeaderCI = 0x72;

// The fixed header (bytes 5 and 7 to 16) into slave; nothing for fewer than 19 bytes.
void Decode_Header(Bytes answer, TSlave_MBus& slave);

// Decodes a valid answer: index below 0 appends a new meter made from the
// header, else adds to the meter at index. Records are decoded only under CI
// 72. Returns the meter's index, or -1 (nothing added) when the answer fails
// Is_Valid_Telegram or the index is not in the list; moreFollows tells
// whether a DIF 1F announced a further telegram.
int Add_Wired_Slave(WiredSlaves& list, int index, Bytes answer, bool& moreFollows, const DecodeContext& ctx);

// Appends the records of a record area to list. A record that does not fit
// the area ends the parse, keeping those before it. Returns true when a DIF
// 1F announced a further telegram.
bool Decode_Data_Records(std::vector<TVariable_MBus>& list, Bytes area, const DecodeContext& ctx);

// Description, type codes and value of a parsed record (from its VIF, its
// VIFEs, data field, LVAR and data bytes).
void Decode_VIF(uint8_t vif, Bytes vifes, uint8_t dataField, uint8_t lvar, Bytes data, TVariable_MBus& record,
                const DecodeContext& ctx);

// The three letters of a manufacturer code ("?" where a letter is not A..Z).
QString Trova_Man(uint32_t code);
// The name of a medium byte.
QString Medium_Description(uint32_t medium);
// Packed BCD, least significant byte first; an F in the last high nibble negates.
int64_t BCD_To_Int64(Bytes bytes);
// n with a leading "0" when it has one digit.
QString Two_Digit_Str(int n);

} // namespace mbus
