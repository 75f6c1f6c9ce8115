#pragma once
// The arrangement of the "Set Communication" window per model: the network
// box on top, the model's protocol box below, and which rows of the network
// box show where.
#include "params/type_set.h"

#include <span>

// What the protocol box needs besides its own rows.
enum class ParExtra { None, SwapBytesRow, SnmpBoxRows };

struct ParModelLayout
{
    device::TypeSet types;
    const char* box;       // the protocol box under the network box
    const char* closing;   // the control whose bottom closes it (SnmpBoxRows: the last SNMP row)
    ParExtra extra = ParExtra::None;
};

// One row of the network box: a label (or check box) and its control.
struct ParRowPlace
{
    const char* label;     // nullptr for a row of one control
    const char* control;   // nullptr for a row of one label or check box
    int labelTop;
    int controlTop;
    int labelLeft;
    int controlLeft;       // -1: as designed
    bool shown;
};

// How the SNMP rows of the network box follow the rows of a model.
enum class ParSnmpRows { None, Always, ByMapType };

struct ParNetworkRows
{
    device::TypeSet types;
    std::span<const ParRowPlace> rows;
    const char* bottom;    // the control that ends the box; nullptr: the SNMP rows' bottom
    ParSnmpRows snmp = ParSnmpRows::None;
    int snmpTop = 0;
};

// One of the seven SNMP rows (of the network box, or of the SNMP box).
struct ParSnmpRow
{
    const char* label;
    const char* control;
    int left;              // the control's left
    int rise = 3;          // the control's top above the label's
};

// The arrangement of a device type; nullptr for a type without one.
const ParModelLayout* FindModelLayout(int type);
const ParNetworkRows* FindNetworkRows(int type);

// Geometry of the stack.
constexpr int BoxLeft = 8;
constexpr int BoxWidth = 296;
constexpr int TopBoxTop = 70;
constexpr int BoxGap = 6;
constexpr int CollapsedHeight = 26;
constexpr int BoxMargin = 15;
