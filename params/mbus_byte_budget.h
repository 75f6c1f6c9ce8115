#pragma once
#include <QString>

// Bytes the enabled meters and values of an M-Bus network (M_Bus.xml) take
// in the PROFINET output area, at least 1; 1 when the file is missing.
struct MBusByteCount
{
    bool ok = true;
    int bytes = 1;
    QString error;   // why the count failed (not well-formed XML, a bad number)
};

MBusByteCount CountMBusBytes(const QString& path);
