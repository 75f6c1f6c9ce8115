#pragma once
#include "xml_document.h"

#include <QString>
#include <cstdint>

struct GenParam;

// Loads a project XML file into doc when the file exists and returns true;
// false when there is no such file (an empty path counts as none). A file
// that cannot be read or is not well-formed XML ends the build with a
// message naming it.
bool Load_Project_Xml(const QString& path, XmlDocument& doc);

// ParGen.xml as the compiler's readers see it: the root is the document's
// first child node, taken as it is, and each parameter is the text of the
// root's child element of that name. Every value is read on its own: a
// missing element or a text that is not an integer gives the default.
class ParGen
{
public:
    // Loads the file when it exists (see Load_Project_Xml); keepBlankText
    // keeps a text made only of blanks instead of reading it as empty.
    explicit ParGen(const QString& path, bool keepBlankText = false);

    bool Exists() const { return m_exists; }

    // The element's text; false when the element is missing.
    bool Text(const char* name, QString& text) const;
    QString TextOr(const char* name, const QString& def) const;
    // The element's integer (TryStrToInt); def when missing or not an integer.
    int32_t Int(const char* name, int32_t def) const;
    // The same, with one default for a missing element and another for a
    // text that is not an integer.
    int32_t Int(const char* name, int32_t defMissing, int32_t defBad) const;
    // Is the element's text exactly "1"?
    bool Flag(const char* name) const;

private:
    XmlDocument m_doc;
    bool m_exists = false;
};

// An address switched on by a flag element: the address element + 1 when
// the flag is exactly "1" (a missing address gives 0, one that is not an
// integer counts as 0, giving 1); 0 when the flag is off.
uint32_t Switched_Address(const ParGen& pg, const char* flag, const char* address);

// Stores text from the start of a field, one byte per character (the low 8
// bits of each UTF-16 unit), no terminator, never past width; the rest of
// the field is left as it is.
void Store_Text(uint8_t* field, int width, const QString& text);
template <int N>
void Store_Text(uint8_t (&field)[N], const QString& text)
{
    Store_Text(field, N, text);
}

// Stores the hexadecimal form of a text: each pair of characters gives one
// byte (0 when the pair is not a hexadecimal number); an odd last character
// is ignored; never past width.
void Store_Hex_Text(uint8_t* field, int width, const QString& text);

// An Ethernet interface in ParGen.xml: <prefix>IP1..4, <prefix>SM1..4,
// <prefix>GAT1..4 and <prefix>EN_GAT. The octets default to 192.168.0.5,
// 255.255.255.0 and 192.168.0.1, the fourth address octet to ip4Missing when
// its element is missing and to ip4Bad when its text is not an integer. The
// gateway becomes 255.255.255.255 unless <prefix>EN_GAT is exactly "1".
void Read_Interface(const ParGen& pg, const char* prefix, uint8_t ip[4], uint8_t mask[4], uint8_t gateway[4],
                    int ip4Missing = 5, int ip4Bad = 5);

// The fields every family reader shares, read when ParGen.xml exists: the
// PROFINET interface at 40..51, the station name (at 80, or at 440 for the
// types that keep it there; default "devicename1") and the service port at
// 104 for the types that read PROFINET_PORT.
void Read_Common_Fields(const ParGen& pg, GenParam& param, int deviceType);

// The SNMP agent settings: versions and SNMPv3 security at 432, user and
// pass phrases at 488..539, contact at 456 and location at 472.
void Read_Snmp_Agent(const ParGen& pg, GenParam& param);
