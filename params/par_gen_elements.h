#pragma once
// The elements of ParGen.xml: one row per element and control, in writing
// order. The window's loader and writer walk this table; other readers of the
// file (the compiler, the M-Bus network editor) may use ParGenElementNames,
// ParGenVersionComment and ReadParGenElement.
#include "params/type_set.h"

#include <QString>
#include <QStringList>

class XmlDocument;

// How an element's text stands for its control's value.
enum class ParForm {
    Number,         // edit text as typed
    Text,           // free text as typed
    Flag,           // "1" ticked, anything else clear
    ItemIndex,      // index of the selected item, "-1" none
    SecurityLevel,  // item text: "NoAuth NoPriv", "Auth NoPriv", "Auth Priv"
    AuthMode,       // item text: "MD5", "SHA"
    PrivacyMode,    // item text: "DES", "AES"
    Version,        // "1" when the version box has item `item` selected
    WorkingMode,    // "1" Single Slave Mode, "0" Normal Mode
    DmxDirection,   // "0" IN, anything else OUT
    DmxCountOut,    // the channel count when the direction is OUT, else "1"
    DmxCountIn,     // the channel count when the direction is IN, else "1"
};

enum class ParLoad {
    Read,   // the element's text, or the default
    Force,  // the default, whatever the file holds
    Skip,   // the control keeps what it shows
};

struct ParGenElement
{
    const char* element;
    const char* control;         // object name of the window's control
    ParForm form;
    const char* def;             // element text used when the element is missing or unusable
    const char* noFileDef;       // element text used when there is no file; nullptr: def
    device::TypeSet types;               // the device types that write it
    ParLoad load = ParLoad::Read;
    const char* fixedText = nullptr;  // written instead of the control's value
    int item = 0;                // Version: the item of the version box
};

// The rows a device type writes, in order.
QList<const ParGenElement*> ParGenElementsOf(int type);

// The element names a device type writes, in order.
QStringList ParGenElementNames(int type);

// "SW_VERSION = " and the type's configuration version.
QString ParGenVersionComment(int type);

// Reads one element the way every reader does: the document's first child
// node is the root, the first child element with exactly this name counts,
// and its text must be plain (empty, or one text or CDATA child). False when
// the element is missing or holds anything else.
bool ReadParGenElement(const XmlDocument& doc, const QString& name, QString& text);
