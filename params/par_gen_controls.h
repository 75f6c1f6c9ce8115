#pragma once
// The controls of the "Set Communication" window as designed: kind, name,
// place, texts, items and limits, box by box. The window builds itself from
// these tables and its Set_Lang applies their texts.
#include <QString>
#include <QStringList>
#include <span>

enum class ParCtl { Label, Edit, Combo, Check, Radio, Group };

enum ParCtlFlag : unsigned {
    LowerCase = 1,   // typed letters become lower case
    Disabled = 2,
    Hidden = 4,
};

struct ParControlDef
{
    ParCtl kind;
    const char* name;
    const char* parent;    // the box (or inner group) holding it
    int left;
    int top;
    int width;             // 0: labels size to their text, check boxes to the box
    int text;              // language text number; 0: `fixed` (or set by the layout)
    const char* fixed;     // fixed caption, or a combo box's items separated by '|'
    int item = -1;         // combo box: item selected at design
    int maxLength = 0;     // edit: characters the user can type, 0 no limit
    unsigned flags = 0;
    int itemsText = 0;     // combo box: first of three language texts for its items
    int height = 0;        // group: its height
};

struct ParBoxDef
{
    const char* name;       // GB_...
    int text;               // caption
    const char* firstRow[2];// hidden while the box is collapsed
};

// Heights of the control kinds.
constexpr int EditHeight = 21;
constexpr int ComboHeight = 22;
constexpr int CheckHeight = 17;

// The seventeen boxes, in creation order.
std::span<const ParBoxDef> ParGenBoxes();

// Every control inside the boxes, in creation order.
std::span<const ParControlDef> ParGenControls();

// The definition of a control; nullptr when there is none by that name.
const ParControlDef* FindParControl(const QString& name);

// The twelve octet edits of a box's address rows: IP 1..4, mask 1..4,
// gateway 1..4; empty for a box without address rows.
QStringList AddressOctetEdits(const char* box);

// The check box that enables a box's gateway octets; nullptr for a box
// without address rows.
const char* GatewayCheck(const char* box);

// Items of a combo box in English (the language texts for those that have them).
QStringList ParComboItems(const ParControlDef& def);

// "Btn_" + the box name without "GB_" + "_Collapse" / "_Expande".
QString CollapseButtonName(const char* box);
QString ExpandButtonName(const char* box);
