#pragma once
// The checks OK runs before ParGen.xml is written: one fixed order per
// device type, stopping at the first bad value.
#include <QString>

class ParGenValues;

// The message of the first check that fails for the device type, or an
// empty text when every check passes. Only values the user can see are
// checked where a row may be hidden (the SNMPv3 privacy password).
QString ParGenFirstError(int type, const ParGenValues& values, int numModbusPolls);

// True when every character of s is 0-9, A-F or a-f (also for "").
bool check_Hex_Privacy_Pass(const QString& s);
