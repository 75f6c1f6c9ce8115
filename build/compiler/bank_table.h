#pragma once
#include "app/common/type_set.h"

#include <QByteArray>

struct BuildContext;
struct BankBuffers;

using BuilderFn = void (*)(BuildContext&);

// What a bank file receives.
enum class BankSource
{
    None,           // not written: an older file of that name stays
    MainImage,      // BankImage, its length
    TableImage,     // BankImage2, its length
    First2048,      // the first 2048 bytes of BankImage, whatever its length
    ProfibusImage,  // the 2048 bytes of ProfibusImage
    MBus1,
    MBus2,
    MBus3,
    MBus4,          // the M-Bus buffers, their lengths
};

// The builder of a model family.
struct BuilderRow
{
    device::TypeSet types;
    BuilderFn build;
};

// The files a type writes: bank.bin, bank1.bin, bank2.bin, bank3.bin.
struct BankFileRow
{
    device::TypeSet types;
    BankSource files[4];
};

constexpr int BankFileCount = 4;
extern const char* const BankFileNames[BankFileCount];   // "bank.bin" .. "bank3.bin"

// The rows of a type; nullptr for a type that is not a model.
const BuilderRow* Find_Builder(int deviceType);
const BankFileRow* Find_Bank_Files(int deviceType);

// The bytes a source gives after a build.
QByteArray Bank_Source_Bytes(const BankBuffers& banks, BankSource source);
