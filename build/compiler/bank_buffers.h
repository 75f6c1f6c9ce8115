#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

// One bank buffer of a build: a fixed capacity of zero bytes, written from
// positions, and the length its builder sets. Nothing is ever written past the
// capacity: such a write ends the build instead. The bytes are allocated at
// the first write, so a build pays only for the buffers its type uses.
class BankBuffer
{
public:
    BankBuffer(const char* name, int capacity);

    int Capacity() const { return m_capacity; }
    int Length() const { return m_length; }
    void SetLength(int length);

    // Copies n bytes at pos and returns pos + n.
    int Put(int pos, const void* data, int n);
    // Sets n bytes at pos to value and returns pos + n.
    int Fill(int pos, int n, uint8_t value = 0);

    const uint8_t* Data() const { return reinterpret_cast<const uint8_t*>(Bytes().constData()); }
    // The first n bytes (n within the capacity).
    QByteArray Head(int n) const;

private:
    void CheckRange(int pos, int n) const;
    // The capacity's bytes, zero until written.
    QByteArray& Bytes() const;

    const char* m_name;
    int m_capacity;
    mutable QByteArray m_bytes;   // empty until first used
    int m_length = 0;
};

// The bank buffers of one build, with the capacities the images need.
struct BankBuffers
{
    static constexpr int BankImageCapacity = 59392;    // type 18 / 1018 with full tables
    static constexpr int BankImage2Capacity = 65536;
    static constexpr int ProfibusImageSize = 2048;
    static constexpr int MBusCapacity[4] = {200004, 2048, 200004, 400004};

    BankBuffer BankImage{"BankImage", BankImageCapacity};
    BankBuffer BankImage2{"BankImage2", BankImage2Capacity};
    BankBuffer ProfibusImage{"ProfibusImage", ProfibusImageSize};
    BankBuffer MBusImage[4] = {{"MBusImage1", MBusCapacity[0]},
                               {"MBusImage2", MBusCapacity[1]},
                               {"MBusImage3", MBusCapacity[2]},
                               {"MBusImage4", MBusCapacity[3]}};
};
