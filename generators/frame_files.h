#pragma once
#include <QString>
#include <cstdint>

// Headless readers of the J1939 and NMEA 2000 frame files as the GSDML
// lengths need them: the data bytes of all rows (every child node of the
// root is a row). A missing file gives 0. A file that is not well-formed, a
// receive row without TP (or, in NMEA 2000 rows whose TP is not "Y", without
// FP) and a byte count that must be a number and is not throw CompileError.

namespace gen {

// TP "Y" (codes 0..32 trimmed, any case): TP_NByte; else TP_NByte, or 8
// when it is not a number.
int64_t J1939_Receive_Bytes(const QString& path);
// TP_NByte, or 8 when it is not a number.
int64_t J1939_Transmit_Bytes(const QString& path);
// TP or else FP "Y": TP_NByte; else TP_NByte, or 8 when it is not a number.
int64_t Nmea_Receive_Bytes(const QString& path);
// TP_NByte of every row.
int64_t Nmea_Transmit_Bytes(const QString& path);

// The text without the characters of codes 0..32 at either end.
QString TrimControls(const QString& text);

} // namespace gen
