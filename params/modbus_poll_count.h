#pragma once
#include <QString>

// Blocks of eight polls in a serial Modbus master access table
// (ModbusM_SetAccess.xml): the rows of its Modbus_Read and Modbus_Write
// sections, rounded up to whole blocks of eight. A missing file or section
// counts as no rows. False, with the parser's message in error, when the file
// exists but is not well-formed XML.
bool CountModbusPollBlocks(const QString& path, int& blocks, QString& error);
