#pragma once
// M_Bus.xml: the root M-Bus_Network first (no declaration), one Nodo per
// meter holding one Variabile per value, attributes only; the comment
// "SW_VERSION = 1.305" follows the root. The SNMP attributes exist only for
// device type 21.
#include "mbus/core/network.h"

#include <QByteArray>
#include <QString>

namespace mbus {

struct NetworkRead
{
    bool ok = true;
    Network network;
    QString error;   // the parser's message, or file, meter, value and attribute
    // The file's first node is a declaration or comment, so it reads as
    // empty, and elements follow it: saving would drop them.
    bool elementsIgnored = false;
};

// A missing file is an empty network. A node without Descrizione, or a
// value without Desc or with Type, Fun_Field or Dim missing or not an
// integer, ends the read; every other attribute falls back to its default.
NetworkRead Read_Network(const QString& path, int deviceType);
NetworkRead Read_Network_Bytes(const QByteArray& bytes, const QString& name, int deviceType);

// The file's bytes, and the file replaced atomically.
QByteArray Network_Bytes(const Network& network, int deviceType);
bool Write_Network(const QString& path, const Network& network, int deviceType, QString* error = nullptr);

constexpr const char* NetworkRoot = "M-Bus_Network";
constexpr const char* NetworkComment = "SW_VERSION = 1.305";

} // namespace mbus
