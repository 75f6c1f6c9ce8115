#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

class GridServices;

// Data format name of an access row -> code 0..9 (case-insensitive, not trimmed).
int Get_Data_Type_Code(const QString& text);

// Dotted IPv4 text -> four bytes; true when the address is bad. Empty text
// returns true and leaves the bytes untouched; a bad part stores 0.
bool Split_IP_Address(const QString& text, uint8_t& b1, uint8_t& b2, uint8_t& b3, uint8_t& b4);

int Get_SNMP_Security_Level(const QString& text);   // "AUTH NOPRIV" 1, "AUTH PRIV" 2, else 0
int Get_SNMP_Auth_Mode(const QString& text);        // "SHA" 1, else 0
int Get_SNMP_Privacy_Mode(const QString& text);     // "AES" 1, else 0

// 1 when a character is not a letter or digit; mode 1 also needs a
// lower-case first letter. Empty text gives 0.
int Check_Alphanumeric(const QString& text, int mode);

int Get_MBus_Dev_Code();     // 11 for type 10, 20 for type 21, else 0
int Get_MBus_Form_Type();    // 0
int Get_BACnet_EngUnits(int dataType, int vife);   // 0

// Names of the serial ports present (for example "ttyUSB0").
QStringList Get_COM_Ports();

// Row helpers on a table grid: every data column, hidden ones included; the
// row count never changes.
void Delete_Row(int row, GridServices& grid);
void Insert_Row(int row, GridServices& grid);
void Copy_Row(GridServices& grid, int row);
void Paste_Row(GridServices& grid, int row, bool copied);

// A double click on a header cell fits the column when DoubleClickAutoSize is set.
void Grid_DblClickCell(GridServices& grid, int row, int col);

// Enter moves to the next shown data cell when EnableJumpFieldTables is set;
// the key is then swallowed (set to 0).
void Grid_KeyPress(GridServices& grid, char16_t& key);
