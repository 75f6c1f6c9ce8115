#include "mbus/core/vif_tables.h"

#include <algorithm>
#include <iterator>

namespace mbus {

namespace {

constexpr const char* kTimeUnits[4] = {"Seconds", "Minutes", "Hours", "Days"};
constexpr const char* kTimeUnitsS[4] = {"Second(s)", "Minute(s)", "Hour(s)", "Day(s)"};
constexpr const char* kLongUnitsS[4] = {"Hour(s)", "Day(s)", "Month(s)", "Year(s)"};

constexpr Number U = Number::Units;

// Primary VIF (VIF AND 7F). Type codes follow the editor's type list.
constexpr VifRow kPrimary[] = {
    {0x00, 0x07, "Energy Wh", 0, 7, -3},
    {0x08, 0x0F, "Energy J", 1, 7, 0},
    {0x10, 0x17, "Volume m3", 2, 7, -6},
    {0x18, 0x1F, "Mass kg", 3, 7, -3},
    {0x20, 0x23, "On Time", 4, 0, 0, U, 3, 0, kTimeUnits},
    {0x24, 0x27, "Operating Time", 5, 0, 0, U, 3, 0, kTimeUnits},
    {0x28, 0x2F, "Power W", 6, 7, -3},
    {0x30, 0x37, "Power J/h", 7, 7, 0},
    {0x38, 0x3F, "Volume Flow m3/h", 8, 7, -6},
    {0x40, 0x47, "Volume Flow ext. m3/min", 9, 7, -7},
    {0x48, 0x4F, "Volume Flow ext. m3/s", 10, 7, -9},
    {0x50, 0x57, "Mass Flow kg/h", 11, 7, -3},
    {0x58, 0x5B, "Flow Temperature °C", 12, 3, -3},
    {0x5C, 0x5F, "Return Temperature °C", 13, 3, -3},
    {0x60, 0x63, "Temperature Difference K", 14, 3, -3},
    {0x64, 0x67, "External Temperature °C", 15, 3, -3},
    {0x68, 0x6B, "Pressure bar", 16, 3, -3},
    {0x6C, 0x6D, "", 20, 0, 0, Number::None, 0, 0, nullptr, "", false, Special::DateTime},
    {0x6E, 0x6E, "Units for H.C.A.", 22},
    {0x6F, 0x6F, "", -1},
    {0x70, 0x73, "Averaging Duration", 17, 0, 0, U, 3, 0, kTimeUnits},
    {0x74, 0x77, "Actuality Duration", 18, 0, 0, U, 3, 0, kTimeUnits},
    {0x78, 0x78, "Fabrication No", 23},
    {0x79, 0x79, "Identification", 24},
    {0x7A, 0x7A, "Bus Address", 25},
    {0x7B, 0x7B, "", 19},
    {0x7C, 0x7C, "Vif in following String", 21, 0, 0, Number::None, 0, 0, nullptr, "", false, Special::PlainText},
    {0x7D, 0x7D, "", 19},
    {0x7E, 0x7E, "Any VIF", -1},
    {0x7F, 0x7F, "Manufacturer Specific", -1},
};

// First extension (VIF FD).
constexpr VifRow kExtensionFD[] = {
    {0x00, 0x03, "Credit of (currency units)", 1, 3, -3},
    {0x04, 0x07, "Debit of (currency units)", 2, 3, -3},
    {0x08, 0x08, "Unique message Identification", 3},
    {0x09, 0x09, "Device Type", 4},
    {0x0A, 0x0A, "Manufacturer", 5},
    {0x0B, 0x0B, "Parameter Set Identification", 6},
    {0x0C, 0x0C, "Model Version", 7},
    {0x0D, 0x0D, "Hardware Version Number", 8},
    {0x0E, 0x0E, "Metrology (Firmware) Version Number", 9},
    {0x0F, 0x0F, "Other Software Version Number", 10},
    {0x10, 0x10, "Customer LOcation", 11},
    {0x11, 0x11, "Customer", 12},
    {0x12, 0x12, "Access Code User", 13},
    {0x13, 0x13, "Access Code Operator", 14},
    {0x14, 0x14, "Access Code System Operator", 15},
    {0x15, 0x15, "Access Code Developer", 16},
    {0x16, 0x16, "Password", 17},
    {0x17, 0x17, "Error Flag (Binary)", 18},
    {0x18, 0x18, "Error Mask", 19},
    {0x19, 0x19, "Security Key", 126},
    {0x1A, 0x1A, "Digital Output (Binary)", 20},
    {0x1B, 0x1B, "Digital Input (Binary)", 21},
    {0x1C, 0x1C, "Baudrate [Baud]", 22},
    {0x1D, 0x1D, "Responce Delay Time [Bit-Times]", 23},
    {0x1E, 0x1E, "Retry", 24},
    {0x1F, 0x1F, "Remote Control (Device Specific e.g. Gas Value)", 127},
    {0x20, 0x20, "First Storage Number for Cyclic Storage", 25},
    {0x21, 0x21, "Last Storage Number for Cyclic Storage", 26},
    {0x22, 0x22, "Size of Storage Block", 27},
    {0x24, 0x27, "Storage Interval", 28, 0, 0, U, 3, 0, kTimeUnitsS},
    {0x28, 0x28, "Storage Interval Month(s)", 29},
    {0x29, 0x29, "Storage Interval Year(s)", 30},
    {0x2A, 0x2A, "Operator Specific Data", 128},
    {0x2B, 0x2B, "Time Point Second (0 to 59)", 129},
    {0x2C, 0x2F, "Duration Since Last Readout", 31, 0, 0, U, 3, 0, kTimeUnitsS},
    {0x30, 0x30, "Start (Date/Time) of Tariff", 32},
    {0x31, 0x33, "Duration of Tariff", 33, 0, 0, U, 3, 0, kTimeUnitsS},
    {0x34, 0x37, "Period of Tariff", 34, 0, 0, U, 3, 0, kTimeUnitsS},
    {0x38, 0x38, "Period of Tariff Month(s)", 35},
    {0x39, 0x39, "Period of Tariff Year(s)", 36},
    {0x3A, 0x3A, "Dimensionless / No VIF", 37},
    {0x3B, 0x3B, "Data Container for Wireless M-Bus Protocol", 130},
    {0x3C, 0x3F, "Period of Nominal Data Transmissions", 131, 0, 0, U, 3, 0, kTimeUnitsS},
    {0x40, 0x4F, "Electric Units Volts", 38, 15, -9},
    {0x50, 0x5F, "Electric Units A", 39, 15, -12},
    {0x60, 0x60, "Reset Counter", 40},
    {0x61, 0x61, "Cumulation Counter", 41},
    {0x62, 0x62, "Control Signal", 42},
    {0x63, 0x63, "Day of Week", 43},
    {0x64, 0x64, "Week Number", 44},
    {0x65, 0x65, "Time Point of Day Change", 45},
    {0x66, 0x66, "State of Parameter Activation", 46},
    {0x67, 0x67, "Special Supplier Information", 47},
    {0x68, 0x6B, "Duration Since Last Cumulation", 48, 0, 0, U, 3, 0, kLongUnitsS},
    {0x6C, 0x6F, "Operating Time Battery", 49, 0, 0, U, 3, 0, kLongUnitsS},
    {0x70, 0x70, "Date and Time of Battery Change", 50},
    {0x71, 0x71, "RF Level Units: dBm", 132},
    {0x72, 0x72, "Daylight Savings (Beginning, Ending, Deviation) Data Type K", 133},
    {0x73, 0x73, "Listening Window Management Data Type L", 134},
    {0x74, 0x74, "Remaining Battery Life Time (Days)", 135},
    {0x75, 0x75, "Number Times the Meter Was Stopped", 136},
};

// Second extension (VIF FB).
constexpr VifRow kExtensionFB[] = {
    {0x00, 0x01, "Energy MWh", 51, 1, -1},
    {0x02, 0x03, "Reactive Energy kVARh", 137, 1, 0},
    {0x04, 0x05, "Apparent Energy kVAh", 138, 1, 0},
    {0x08, 0x09, "Energy GJ", 52, 1, -1},
    {0x0C, 0x0F, "Energy MCal", 139, 3, -1},
    {0x10, 0x11, "Volume m3", 53, 1, 2},
    {0x14, 0x17, "Reactive Power kVAR", 140, 3, -3},
    {0x18, 0x19, "Volume t", 54, 1, 2},
    {0x1A, 0x1B, "Relative Humidity %", 141, 1, -1},
    {0x20, 0x20, "Volume Feet 3", 142},
    {0x21, 0x21, "Volume 0,1 Feet 3", 55},
    {0x22, 0x22, "Volume 0,1 American Gallon", 56},
    {0x23, 0x23, "Volume 1 American Gallon", 57},
    {0x24, 0x24, "Volume Flow 0,001 American Gallon/min", 58},
    {0x25, 0x25, "Volume Flow 1 American Gallon/min", 59},
    {0x26, 0x26, "Volume Flow 1 American Gallon/h", 60},
    {0x28, 0x29, "Power MW", 61, 1, -1},
    {0x2A, 0x2A, "Phase U-U (Volt. to Volt.)", 143},
    {0x2B, 0x2B, "Phase U-I (Volt. to Current)", 144},
    {0x2C, 0x2F, "Frequency Hz", 145, 3, -3},
    {0x30, 0x31, "Power GJ/h", 62, 1, -1},
    {0x34, 0x37, "Apparent Power kVA", 146, 3, -3},
    {0x58, 0x5B, "Flow Temperature °F", 63, 3, -3},
    {0x5C, 0x5F, "Return Temperature °F", 64, 3, -3},
    {0x60, 0x63, "Temperature Difference °F", 65, 3, -3},
    {0x64, 0x67, "External Temperature °F", 66, 3, -3},
    {0x70, 0x73, "Cold / Warm Temperature Limit °F", 67, 3, -3},
    {0x74, 0x77, "Cold / Warm Temperature Limit °C", 68, 3, -3},
    {0x78, 0x7F, "Cum. Max. of Active Power W", 69, 7, -3},
};

constexpr Number D = Number::TwoDigits;
constexpr Number P = Number::Power;

// Combinable VIFEs: each appends its text; the first code found is kept.
constexpr VifRow kCombinable[] = {
    {0x00, 0x00, " - None", 108},
    {0x01, 0x01, " - Too Many DIFEs", 109},
    {0x02, 0x02, " - Storage Number not Implemented", 110},
    {0x03, 0x03, " - Unit Number not Implemented", 111},
    {0x04, 0x04, " - Tariff Number not Implemented", 112},
    {0x05, 0x05, " - Function not Implemented", 113},
    {0x06, 0x06, " - Data Class not Implemented", 114},
    {0x07, 0x07, " - Data Size not Implemented", 115},
    {0x0B, 0x0B, " - Too Many VIFEs", 116},
    {0x0C, 0x0C, " - Illegal VIF-Group", 117},
    {0x0D, 0x0D, " - Illegal VIF-Exponent", 118},
    {0x0E, 0x0E, " - VIF / DIF Mismatch", 119},
    {0x0F, 0x0F, " - Unimplemented Action", 120},
    {0x15, 0x15, " - No Data Available (Undefined Value)", 121},
    {0x16, 0x16, " - Data Overflow", 122},
    {0x17, 0x17, " - Data Underflow", 123},
    {0x18, 0x18, " - Data Error", 124},
    {0x1C, 0x1C, " - Premature End of Record", 125},
    {0x20, 0x20, " - Per Second", 70},
    {0x21, 0x21, " - Per Minute", 71},
    {0x22, 0x22, " - Per Hour", 72},
    {0x23, 0x23, " - Per Day", 73},
    {0x24, 0x24, " - Per Week", 74},
    {0x25, 0x25, " - Per Month", 75},
    {0x26, 0x26, " - Per Year", 76},
    {0x27, 0x27, " - Per Revolution / Measurement", 77},
    {0x28, 0x28, " - Increment per Input Pulse on Input Channel 0", 78},
    {0x29, 0x29, " - Increment per Input Pulse on Input Channel 1", 78},
    {0x2A, 0x2A, " - Increment per Output Pulse on Output Channel 0", 79},
    {0x2B, 0x2B, " - Increment per Output Pulse on Output Channel 1", 79},
    {0x2C, 0x2C, " - Per Liter", 80},
    {0x2D, 0x2D, " - Per m3", 81},
    {0x2E, 0x2E, " - Per kg", 82},
    {0x2F, 0x2F, " - Per K (Kelvin)", 83},
    {0x30, 0x30, " - Per kWh", 84},
    {0x31, 0x31, " - Per GJ", 85},
    {0x32, 0x32, " - Per kW", 86},
    {0x33, 0x33, " - Per (K*l)(Kelvin * Litre)", 87},
    {0x34, 0x34, " - Per V (Volt)", 88},
    {0x35, 0x35, " - Per (A) (Ampere)", 89},
    {0x36, 0x36, " - Multiplied by s", 90},
    {0x37, 0x37, " - Multiplied by s / V", 91},
    {0x38, 0x38, " - Multiplied by s / A", 92},
    {0x39, 0x39, " - Start Date (/Time) of", 93},
    {0x3A, 0x3A, " - VIF Contains Uncorrect Unit or Value at Metering Conditions Instead of Converted Unit", 94},
    {0x3B, 0x3B, " - Accumulation Only if Positive Contributions (Forward Flow Contribution)", 95},
    {0x3C, 0x3C, " - Accumulation of abs Value Only if Negative Contributions (Backward Flow)", 96},
    {0x3D, 0x3D, " - Reserved for Alternate non-metric Unit System (according to Annex C)", 147},
    {0x3E, 0x3E, " - Value at Base Conditions", 148},
    {0x40, 0x40, " - Lower Limit Value", 97},
    {0x41, 0x41, " - # of Exceeds of Lower Limit", 98},
    {0x42, 0x42, " - Date(/Time) of Begin of First Lower Limit Exceed", 99, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x43, 0x43, " - Date(/Time) of End of First Lower Limit Exceed", 99, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x46, 0x46, " - Date(/Time) of Begin of Last Lower Limit Exceed", 99, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x47, 0x47, " - Date(/Time) of End of Last Lower Limit Exceed", 99, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x48, 0x48, " - Upper Limit Value", 97},
    {0x49, 0x49, " - # of Exceeds of Upper Limit", 98},
    {0x4A, 0x4A, " - Date(/Time) of Begin of First Upper Limit Exceed", 99, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x4B, 0x4B, " - Date(/Time) of End of First Upper Limit Exceed", 99, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x4E, 0x4E, " - Date(/Time) of Begin of Last Upper Limit Exceed", 99, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x4F, 0x4F, " - Date(/Time) of End of Last Upper Limit Exceed", 99, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x50, 0x53, " - Duration ", 100, 0, 0, D, 3, 0, nullptr, " of First Lower Limit Exceed"},
    {0x54, 0x57, " - Duration ", 100, 0, 0, D, 3, 0, nullptr, " of Last Lower Limit Exceed"},
    {0x58, 0x5B, " - Duration ", 100, 0, 0, D, 3, 0, nullptr, " of First Upper Limit Exceed"},
    {0x5C, 0x5F, " - Duration ", 100, 0, 0, D, 3, 0, nullptr, " of Last Upper Limit Exceed"},
    {0x60, 0x63, " - Duration ", 101, 0, 0, D, 3, 0, nullptr, " of First"},
    {0x64, 0x67, " - Duration ", 101, 0, 0, D, 3, 0, nullptr, " of Last"},
    {0x68, 0x68, " - Value During Lower Limit Exceed", 149},
    {0x69, 0x69, " - Leakage Values", 150},
    {0x6A, 0x6A, " - Date(/Time) of Begin of First", 102, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x6B, 0x6B, " - Date(/Time) of End of First", 102, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x6C, 0x6C, " - Value During Upper Limit Exceed", 149},
    {0x6D, 0x6D, " - Overflow Values", 151},
    {0x6E, 0x6E, " - Date(/Time) of Begin of Last", 102, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x6F, 0x6F, " - Date(/Time) of End of Last", 102, 0, 0, Number::None, 0, 0, nullptr, "", true},
    {0x70, 0x77, " - Moltiplicative Correction Factor: 10^(", 103, 0, 0, P, 7, -6, nullptr, ")"},
    {0x78, 0x7B, " - Additive Correction Constant: 10^(", 104, 0, 0, P, 3, -3, nullptr, ") * Unit of VIF"},
    {0x7C, 0x7C, "", -1, 0, 0, Number::None, 0, 0, nullptr, "", false, Special::Phase},
    {0x7D, 0x7D, " - Multiplicative Cerrection Factor: 10^(3)", 105},
    {0x7E, 0x7E, " - Future Value", 106},
    {0x7F, 0x7F, " - Next VIFEs and Data of This Block Are Manufacturer Specific", 107},
};

struct PhaseRow
{
    uint8_t code;
    const char* text;
};
constexpr PhaseRow kPhases[] = {
    {0x01, " - At Phase L1"},
    {0x02, " - At Phase L2"},
    {0x03, " - At Phase L3"},
    {0x04, " - At Neutral (N)"},
    {0x05, " - Between Phase L1 and L2"},
    {0x06, " - Between Phase L2 and L3"},
    {0x07, " - Between Phase L3 and L1"},
    {0x10, " - Accumulation of abs. Value for Both Positive and Negative Contribution (Absolute Count)"},
};

// Rows are sorted by code: a code falls in the last row starting at or below it.
template <size_t N>
const VifRow* Find(const VifRow (&rows)[N], uint8_t code)
{
    const VifRow* end = rows + N;
    const VifRow* it = std::upper_bound(rows, end, code, [](uint8_t c, const VifRow& r) { return c < r.lo; });
    if (it == rows)
        return nullptr;
    --it;
    return code <= it->hi ? it : nullptr;
}

} // namespace

const VifRow* Primary_Vif(uint8_t code)
{
    return Find(kPrimary, code);
}

const VifRow* Extension_FD(uint8_t code)
{
    return Find(kExtensionFD, code);
}

const VifRow* Extension_FB(uint8_t code)
{
    return Find(kExtensionFB, code);
}

const VifRow* Combinable_Vife(uint8_t code)
{
    return Find(kCombinable, code);
}

const char* Phase_Text(uint8_t code)
{
    for (const PhaseRow& p : kPhases)
        if (p.code == code)
            return p.text;
    return nullptr;
}

QString Row_Text(const VifRow& row, uint8_t code)
{
    QString t = QString::fromUtf8(row.text);
    const int n = (code & row.numberMask) + row.numberOffset;
    switch (row.number) {
    case Number::None:
        break;
    case Number::Units:
        t += QLatin1Char(' ');
        t += QLatin1String(row.units[n]);
        break;
    case Number::TwoDigits:
        t += QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        break;
    case Number::Power:
        t += QString::number(n);
        break;
    }
    t += QLatin1String(row.suffix);
    return t;
}

} // namespace mbus
