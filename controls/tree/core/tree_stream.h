#pragma once

// Byte streams for the tree's node records: an abstract seekable stream, a growable memory stream and a
// read-only view over bytes someone else owns. The widget adapts QIODevice to the same interface.

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace lazytree {

// A stream that cannot do what was asked (read past its end, write into a read-only block).
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TStream {
public:
    virtual ~TStream() = default;
    virtual int64_t Size() const = 0;
    virtual int64_t Position() const = 0;
    // Positions past the end are allowed (a following read returns nothing).
    virtual void Seek(int64_t position) = 0;
    // Reads up to count bytes; answers how many were read.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual void Write(const void* buffer, int64_t count) = 0;
    // Cuts the stream at size (never grows it).
    virtual void Truncate(int64_t size) = 0;

    int64_t Remaining() const { return Size() > Position() ? Size() - Position() : 0; }
    // Reads exactly count bytes or raises EStreamError without consuming anything useful.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteInt32(int32_t value);
    void WriteUInt16(uint16_t value);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
    int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
    int64_t Position() const override { return position_; }
    void Seek(int64_t position) override { position_ = position < 0 ? 0 : position; }
    int64_t Read(void* buffer, int64_t count) override;
    void Write(const void* buffer, int64_t count) override;
    void Truncate(int64_t size) override;
    const std::vector<uint8_t>& Bytes() const { return data_; }
    std::vector<uint8_t> TakeBytes() { position_ = 0; return std::move(data_); }

private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

// Reads bytes it does not own; writing raises "Can't write to a read-only resource stream".
class TReadOnlyMemoryStream : public TStream {
public:
    explicit TReadOnlyMemoryStream(std::span<const uint8_t> bytes) : data_(bytes) {}
    int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
    int64_t Position() const override { return position_; }
    void Seek(int64_t position) override { position_ = position < 0 ? 0 : position; }
    int64_t Read(void* buffer, int64_t count) override;
    void Write(const void* buffer, int64_t count) override;
    void Truncate(int64_t size) override;

private:
    std::span<const uint8_t> data_;
    int64_t position_ = 0;
};

// ---- The tree stream format --------------------------------------------------------------------------

constexpr uint16_t kStreamMagic[6] = {0x2045, u'V', u'T', 0, 0x0020, 0x2046}; // unit 3 is the version
constexpr uint16_t kStreamVersion = 2;
constexpr int kStreamHeaderSize = 12;

enum TChunkType : int32_t { ctAnchor = 1, ctBase = 2, ctCaption = 3, ctUser = 4 };
constexpr int kChunkHeaderSize = 8;
constexpr int kBaseBodySize2 = 19;
constexpr int kBaseBodySize1 = 12;
// The smallest node record: anchor header, base header and body.
constexpr int kMinRecordSize2 = kChunkHeaderSize * 2 + kBaseBodySize2;
constexpr int kMinRecordSize1 = kChunkHeaderSize * 2 + kBaseBodySize1;

// Deeper nesting is refused as corrupt: deleting such a tree again would recurse as deep.
constexpr int kMaxStreamDepth = 2000;

// Little-endian helpers over byte buffers.
inline void PutLE32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline uint32_t GetLE32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t GetLE16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// The tree-data transfer payload: a 32-bit length N, then N bytes of node records. Anything after the
// records is ignored; a length the block cannot hold, or above kMaxTreePayload, means no data.
constexpr int64_t kMaxTreePayload = int64_t(256) << 20;
std::optional<std::span<const uint8_t>> DecodeTreePayload(std::span<const uint8_t> payload);

} // namespace lazytree
