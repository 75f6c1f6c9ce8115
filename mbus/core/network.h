#pragma once
// The project's M-Bus network: the meters (nodes) and the values
// (variables) the converter reads from each, as M_Bus.xml stores them.
#include <QString>
#include <cstdint>
#include <vector>

namespace mbus {

// One value read from a meter. A new one is all zero, false and empty.
// Integer fields hold what the file holds, also outside the editor's lists
// (a scan writes Type 65535 and Dim 255).
struct TVariabile
{
    bool Enable = false;
    QString Description;
    int32_t Type_Of_Data = 0;     // index in kTypeOfData
    int32_t Function_Field = 0;   // index in kFunctionFields
    int32_t Dimension = 0;        // size code, see Data_Size
    int32_t Unita = 0;
    bool Scale = false;
    uint32_t Storage_Number = 0;
    int32_t Tariff = 0;           // 0..0xFFFFF
    int32_t VIFE = 0;             // index in kVifeTexts
    bool BCDtoINT = false;
    int32_t SWAP = 0;
    int32_t Length = 0;           // bytes of a variable-length value
    QString VIF_ASCII;            // unit text of Type 21
    bool TP_Mod_Regs = false;
    int32_t Position = 0;
    bool ForceInteger32 = false;
    int32_t Post_Operation = 0;   // index in kPostOperations
    // SNMP trap settings (device type 21).
    QString Var_CommName;
    bool Var_OnChange = false;
    bool Var_OnTimer = false;
    int32_t Var_Timer = 0;
    QString Var_Desc;
    QString Var_IP_Add;
    QString Var_Mnemonic;
};

// One meter with its values in order.
struct TNodo
{
    bool Enable = false;
    QString Description;
    int32_t Node_ID_Primary = 0;
    int32_t Node_ID_Secondary = 0;
    int32_t Send_SNK = 0;
    int32_t Reset_App = 0;
    std::vector<TVariabile> Var_List;
    int32_t Node_State = 0;
    int32_t Ident_Num = 0;
    int32_t BCDtoINT_IN = 0;
    int32_t Swap_Ident = 0;
    int32_t Node_ID_Type = 0;     // 0 primary address, 1 secondary
    int32_t Var_List_Type = 0;    // 0 by type, 1 by position
    int32_t Cut_After = 0;        // reading stops after Cut_After + 1 telegrams
    // SNMP trap settings of the node state and the identification number.
    QString NS_CommName;
    bool NS_OnChange = false;
    bool NS_OnTimer = false;
    int32_t NS_Timer = 0;
    QString NS_Desc;
    QString NS_IP_Add;
    QString NS_Mnemonic;
    QString IN_CommName;
    bool IN_OnChange = false;
    bool IN_OnTimer = false;
    int32_t IN_Timer = 0;
    QString IN_Desc;
    QString IN_IP_Add;
    QString IN_Mnemonic;

    // The address the node is polled by: secondary for Node_ID_Type 1.
    int32_t Address() const { return Node_ID_Type == 1 ? Node_ID_Secondary : Node_ID_Primary; }
};

using Network = std::vector<TNodo>;

// Value types with a meaning of their own.
constexpr int32_t TimePointType = 20;
constexpr int32_t UnitTextType = 21;
constexpr int32_t VariableLengthDim = 7;

// The editor's function index (instantaneous, minimum, maximum, error
// state) and the telegram's function field (instantaneous, maximum,
// minimum, error state) turn into each other by swapping 1 and 2.
constexpr int32_t Function_Field_Swap(int32_t f)
{
    return f == 1 ? 2 : f == 2 ? 1 : f;
}

// The editor's lists (UTF-8 texts); the file stores the index.
extern const char* const kTypeOfData[26];
extern const char* const kFunctionFields[4];
extern const char* const kDimensions[8];
extern const char* const kPostOperations[13];
extern const char* const kVifeTexts[126];

// A size code (Dim): the EN 13757-3 data field it stands for and the bytes
// of its value (-1: the value's Length). Codes outside the list are 16 bit.
struct DataSize
{
    uint8_t dataField;
    int bytes;
};
const DataSize& Data_Size(int32_t dim);

// Bytes of a value in a type 10 converter's data image, without its scale
// byte: a time point in registers 6, a forced 32-bit integer 4, else by size.
int Value_Image_Bytes(int32_t type, int32_t dim, int32_t length, bool tpModRegs, bool forceInteger32);

// What an item takes in the converter's data image, per M-Bus model.
struct ImageSizes
{
    int nodeState;      // a meter's state
    int identNum;       // its identification number
    int fixedValue;     // a value; 0: Value_Image_Bytes (type 10)
    bool valueOptions;  // the scale byte and the value options exist
};
constexpr ImageSizes Type10Image = {1, 4, 0, true};
constexpr ImageSizes Type21Image = {3, 8, 20, false};

// Type 21's sizes for type 21, else type 10's.
const ImageSizes& Image_Sizes(int deviceType);

} // namespace mbus
