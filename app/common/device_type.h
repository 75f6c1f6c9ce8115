#pragma once
#include <QString>

// The converter model of this build: 0..29, or 1018 (type 18 under a
// customer's brand). The program's main sets it from the build setting;
// tests set it to cover every model.
extern int DeviceType;

constexpr int BrandVariantType = 1018;
extern const char* const BrandVariantName;      // "TKL-VRN Desktop"

// Per-type tables indexed by DeviceType 0..29 (entry 30 of the code table is
// BrandVariantName).
extern const char* const SoftwareCodeTable[31];
extern const char* const DescriptionTable[30];
extern const char* const VersionCheckCodeTable[30];

// One row per model, in type order; type 1018 is the last row.
struct DeviceTypeInfo
{
    int type;
    const char* softwareCode;
    const char* description;
    const char* captionText;   // the caption's model text (master/slave shortened)
    const char* version;       // built version, x.yyy
};

// The row of a type; nullptr for a type that is not a model.
const DeviceTypeInfo* FindDeviceType(int type);
// Every model, 0..29 then 1018.
const DeviceTypeInfo* AllDeviceTypes(int* count);

QString SoftwareCodeOf(int type);
QString DescriptionOf(int type);
QString MainCaptionOf(int type);      // with its trailing blank
QString VersionOf(int type);
// The software code with QM / GX in place of QS; empty for 1018.
QString DocumentCodeOf(int type);
QString DeviceCodeOf(int type);
// The software code without its two leading letters ("52280", "527-K103").
QString ModelNumberOf(int type);

// Is the type one of the SNMP agent models (15..19, 21, 23, 1018)?
bool IsSnmpAgentType(int type);
