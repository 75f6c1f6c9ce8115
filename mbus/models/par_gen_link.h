#pragma once
// The few ParGen.xml elements the M-Bus windows read and write, looked up
// among the children of the file's first node.
#include <QByteArray>
#include <QString>
#include <array>

namespace mbus {

struct ParGenBudget
{
    bool autoCalc = false;   // PROFINET_AUTO_CALC_BYTE is "1"
    int workingMode = 0;     // Working_mode
    int nbOut = 1439;        // PROFINET_NB_OUT
};

// A missing file, element or bad value gives the default; a file that does
// not parse gives the defaults too (the editor then works without it).
ParGenBudget Read_Par_Gen_Budget(const QString& path);
ParGenBudget Read_Par_Gen_Budget_Bytes(const QByteArray& bytes);

// Sets PROFINET_NB_OUT to n (added as the root's last child when missing),
// leaving every other node of the file as it was. False with a reason.
bool Write_Par_Gen_Nb_Out(const QString& path, int n, QString* error = nullptr);

// The names of the four octet elements of the converter's address, by the
// scan window's device code.
std::array<QString, 4> Ip_Element_Names(int deviceCode);

// The octet texts found for the device code; a missing element leaves its
// entry as given.
void Read_Par_Gen_Ip(const QString& path, int deviceCode, std::array<QString, 4>& octets);
void Read_Par_Gen_Ip_Bytes(const QByteArray& bytes, int deviceCode, std::array<QString, 4>& octets);

} // namespace mbus
