#pragma once
#include <QString>

// The "." of the address edits: a "." typed in an octet edit moves on to the
// next octet (IP 1..4, mask 1..4, gateway 1..4) and never enters the edit.

// Edits whose "." is taken: the 60 octet edits and the two Triggered SDO
// address edits.
bool TakesDot(const QString& edit);

// The edit a "." in edit moves to for the device type; empty when there is
// none (the last gateway octet, a Triggered SDO edit, a box the type does not
// show).
QString NextOnDot(const QString& edit, int type);
