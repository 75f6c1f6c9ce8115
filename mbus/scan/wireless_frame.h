#pragma once
// Frames of the radio module taken in: the meter found or added by its
// application-layer identity, its records decoded when the frame is not
// encrypted. Nothing is read outside the frame: a frame too short for what
// its CI says is dropped whole.
#include "mbus/core/slaves.h"
#include "mbus/core/telegram.h"
#include "mbus/scan/link.h"

#include <QByteArray>
#include <QDateTime>

namespace mbus {

// The shortest frame whose header, CI fields and record area (ending three
// bytes before the end) lie inside it; 0 when frame holds no CI.
int Wireless_Min_Length(const QByteArray& frame);

// The meter with these application-layer values, or -1.
int Find_Wireless_Slave(const WirelessSlaves& list, uint16_t manufacturer, uint32_t address, uint8_t version,
                        uint8_t deviceType);

// Signal strength from the module's last byte.
int8_t Wireless_RSSI(uint8_t last, TRadioModule module);

// Takes in one frame of module: returns the meter's index, or -1 when the
// frame is dropped (too short).
int Decode_Wireless_Frame(WirelessSlaves& list, const QByteArray& frame, TRadioModule module,
                          const DecodeContext& ctx, const QDateTime& now);

} // namespace mbus
