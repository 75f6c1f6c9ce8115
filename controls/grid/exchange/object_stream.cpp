#include "controls/grid/exchange/object_stream.h"

#include "controls/grid/exchange/buffer_room.h"

#include "controls/grid/core/grid_types.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace grid {

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr int kMaxDepth = 32;

[[noreturn]] void ReadError()
{
    throw GridError(QStringLiteral("Stream read error"));
}

[[noreturn]] void FormatError()
{
    throw GridError(QStringLiteral("Invalid stream format"));
}

} // namespace

void DoubleToExtended(double value, unsigned char out[10])
{
    std::memset(out, 0, 10);
    quint16 signExp = std::signbit(value) ? 0x8000 : 0;
    quint64 mantissa = 0;
    if (std::isnan(value)) {
        signExp |= 0x7FFF;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        signExp |= 0x7FFF;
        mantissa = 0x8000000000000000ULL;
    } else if (value != 0) {
        int exp = 0;
        // value = frac * 2^exp with frac in [0.5, 1): the integer bit is the
        // top bit of the mantissa, exponent exp - 1.
        const double frac = std::frexp(std::fabs(value), &exp);
        mantissa = static_cast<quint64>(std::ldexp(frac, 64));
        signExp |= static_cast<quint16>(exp - 1 + 16383);
    }
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(mantissa >> (8 * i));
    out[8] = static_cast<unsigned char>(signExp & 0xFF);
    out[9] = static_cast<unsigned char>(signExp >> 8);
}

double ExtendedToDouble(const unsigned char in[10])
{
    quint64 mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= quint64(in[i]) << (8 * i);
    const quint16 signExp = quint16(in[8] | (in[9] << 8));
    const bool negative = (signExp & 0x8000) != 0;
    const int exp = signExp & 0x7FFF;
    double result;
    if (exp == 0x7FFF) {
        result = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                      : std::numeric_limits<double>::quiet_NaN();
    } else if (mantissa == 0) {
        result = 0;
    } else {
        // Denormals have the exponent of 1 without the integer bit.
        const int e = (exp == 0 ? 1 : exp) - 16383 - 63;
        result = std::ldexp(static_cast<double>(mantissa), e);
    }
    return negative ? -result : result;
}

bool StreamValue::IsInteger() const
{
    return Type == ValueType::Int8 || Type == ValueType::Int16 || Type == ValueType::Int32 ||
           Type == ValueType::Int64;
}

bool StreamValue::IsText() const
{
    return Type == ValueType::String || Type == ValueType::LString || Type == ValueType::WString ||
           Type == ValueType::UTF8String;
}

bool StreamValue::IsFloat() const
{
    return Type == ValueType::Extended || Type == ValueType::Double || Type == ValueType::Single ||
           Type == ValueType::Currency || Type == ValueType::Date || IsInteger();
}

// ---- Writer ----

ObjectWriter::ObjectWriter(QByteArray& out) : out_(out), end_(out.size()) {}

ObjectWriter::~ObjectWriter()
{
    Flush();
}

void ObjectWriter::Flush()
{
    out_.resize(end_);
}

void ObjectWriter::Grow(qsizetype n)
{
    // The buffer runs ahead of the written end and grows by doubling (a
    // large block grows in place), so every byte is copied once.
    out_.resize(std::max(end_ + n, 2 * out_.size() + 64));
    // The new room is mapped in one call rather than by a fault per page.
    MapAhead(out_.data() + end_, out_.data() + out_.size());
}

void ObjectWriter::Le(quint64 value, int bytes)
{
    char le[8];
    for (int i = 0; i < bytes; ++i)
        le[i] = char(value >> (8 * i));
    Put(le, bytes);
}

void ObjectWriter::ShortString(QByteArrayView s)
{
    const QByteArrayView cut = s.first(std::min<qsizetype>(s.size(), 255));
    *Room(1) = char(cut.size());
    Put(cut.data(), cut.size());
}

void ObjectWriter::BeginRecord(QByteArrayView className)
{
    Put(kSignature, 4);
    ShortString(className);
    ShortString({});
}

void ObjectWriter::EndRecord()
{
    char* p = Room(2);
    p[0] = p[1] = '\0';
}

void ObjectWriter::IntegerValue(qint64 value)
{
    ValueType type = ValueType::Int64;
    int bytes = 8;
    if (value >= -128 && value <= 127) {
        type = ValueType::Int8;
        bytes = 1;
    } else if (value >= -32768 && value <= 32767) {
        type = ValueType::Int16;
        bytes = 2;
    } else if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max()) {
        type = ValueType::Int32;
        bytes = 4;
    }
    char* p = Room(1 + bytes);
    p[0] = char(type);
    for (int i = 0; i < bytes; ++i)
        p[1 + i] = char(quint64(value) >> (8 * i));
}

void ObjectWriter::TextValue(const QString& value)
{
    // Plain ASCII: one byte a character, no conversion.
    const qsizetype n = value.size();
    const char16_t* s = reinterpret_cast<const char16_t*>(value.constData());
    char16_t bits = 0;
    for (qsizetype i = 0; i < n; ++i)
        bits |= s[i];
    if (n > 0 && bits < 0x80) {
        const bool longString = n >= 256;
        char* p = Room((longString ? 5 : 2) + n);
        *p++ = char(longString ? ValueType::LString : ValueType::String);
        const int lengthBytes = longString ? 4 : 1;
        for (int i = 0; i < lengthBytes; ++i)
            *p++ = char(quint64(n) >> (8 * i));
        for (qsizetype i = 0; i < n; ++i)
            p[i] = char(s[i]);
        return;
    }
    const QByteArray utf8 = value.toUtf8();
    if (utf8.size() >= 2 * value.size()) {
        Type(ValueType::WString);
        Le(quint64(value.size()), 4);
        for (QChar c : value)
            Le(c.unicode(), 2);
        return;
    }
    bool asciiBytes = true;
    for (char c : utf8)
        asciiBytes = asciiBytes && static_cast<unsigned char>(c) < 0x80;
    if (!asciiBytes) {
        Type(ValueType::UTF8String);
        Le(quint64(utf8.size()), 4);
    } else if (utf8.size() >= 256) {
        Type(ValueType::LString);
        Le(quint64(utf8.size()), 4);
    } else {
        Type(ValueType::String);
        Le(quint64(utf8.size()), 1);
    }
    Put(utf8.constData(), utf8.size());
}

void ObjectWriter::Integer(QByteArrayView path, qint64 value)
{
    ShortString(path);
    IntegerValue(value);
}

void ObjectWriter::Boolean(QByteArrayView path, bool value)
{
    ShortString(path);
    Type(value ? ValueType::True : ValueType::False);
}

void ObjectWriter::Ident(QByteArrayView path, QByteArrayView name)
{
    ShortString(path);
    Type(ValueType::Ident);
    ShortString(name);
}

void ObjectWriter::Set(QByteArrayView path, const QList<QByteArray>& members)
{
    ShortString(path);
    Type(ValueType::Set);
    for (const QByteArray& m : members)
        ShortString(m);
    ShortString(QByteArray());
}

void ObjectWriter::Text(QByteArrayView path, const QString& value)
{
    ShortString(path);
    TextValue(value);
}

void ObjectWriter::Float(QByteArrayView path, double value)
{
    ShortString(path);
    Type(ValueType::Extended);
    unsigned char bytes[10];
    DoubleToExtended(value, bytes);
    Put(reinterpret_cast<const char*>(bytes), 10);
}

void ObjectWriter::Binary(QByteArrayView path, const QByteArray& data)
{
    ShortString(path);
    Type(ValueType::Binary);
    Le(quint64(data.size()), 4);
    Put(data.constData(), data.size());
}

void ObjectWriter::Lines(QByteArrayView path, const QStringList& lines)
{
    ShortString(path);
    Type(ValueType::List);
    for (const QString& line : lines)
        TextValue(line);
    Type(ValueType::Null);
}

// ---- Reader ----

quint8 ObjectReader::Byte()
{
    if (pos_ >= data_.size())
        ReadError();
    return static_cast<quint8>(data_[pos_++]);
}

quint64 ObjectReader::Le(int bytes)
{
    if (data_.size() - pos_ < bytes)
        ReadError();
    quint64 v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= quint64(static_cast<quint8>(data_[pos_ + i])) << (8 * i);
    pos_ += bytes;
    return v;
}

QByteArrayView ObjectReader::View(qint64 count)
{
    if (count < 0 || data_.size() - pos_ < count)
        ReadError();
    const QByteArrayView out(data_.constData() + pos_, count);
    pos_ += count;
    return out;
}

QByteArray ObjectReader::Bytes(qint64 count)
{
    return View(count).toByteArray();
}

QByteArray ObjectReader::ShortString()
{
    return Bytes(Byte());
}

QByteArrayView ObjectReader::ShortView()
{
    return View(Byte());
}

QByteArrayView ObjectReader::BeginRecord()
{
    if (data_.size() - pos_ < 4)
        ReadError();
    if (std::memcmp(data_.constData() + pos_, kSignature, 4) != 0)
        FormatError();
    pos_ += 4;
    const quint8 first = Byte();
    if ((first & 0xF0) == 0xF0)
        FormatError();
    const QByteArrayView className = View(first);
    objectName_ = ShortView();
    return className;
}

bool ObjectReader::NextProperty(QByteArrayView& path, StreamValue& value)
{
    path = ShortView();
    if (path.isEmpty()) {
        // The list of child objects is always empty here.
        if (Byte() != 0)
            FormatError();
        return false;
    }
    value = Value(0);
    return true;
}

StreamRecord ObjectReader::ReadRecord()
{
    StreamRecord record;
    record.ClassName = BeginRecord().toByteArray();
    record.ObjectName = objectName_.toByteArray();
    QByteArrayView path;
    StreamValue value;
    while (NextProperty(path, value)) {
        StreamProperty p;
        p.Path = path.toByteArray();
        p.Value = std::move(value);
        record.Properties.push_back(std::move(p));
    }
    return record;
}

StreamValue ObjectReader::Value(int depth)
{
    const quint8 type = Byte();
    if (type > quint8(ValueType::Double))
        FormatError();
    return ValueOfType(ValueType(type), depth);
}

StreamValue ObjectReader::ValueOfType(ValueType type, int depth)
{
    if (depth > kMaxDepth)
        FormatError();
    StreamValue v;
    v.Type = type;
    switch (type) {
    case ValueType::Null:
    case ValueType::Nil:
    case ValueType::False:
    case ValueType::True:
        break;
    case ValueType::List:
        for (;;) {
            if (pos_ >= data_.size())
                ReadError();
            if (data_[pos_] == 0) {
                ++pos_;
                break;
            }
            v.Items.push_back(Value(depth + 1));
        }
        break;
    case ValueType::Int8:
        v.Integer = qint8(Le(1));
        break;
    case ValueType::Int16:
        v.Integer = qint16(Le(2));
        break;
    case ValueType::Int32:
        v.Integer = qint32(Le(4));
        break;
    case ValueType::Int64:
        v.Integer = qint64(Le(8));
        break;
    case ValueType::Extended: {
        const QByteArrayView b = View(10);
        v.Real = ExtendedToDouble(reinterpret_cast<const unsigned char*>(b.data()));
        break;
    }
    case ValueType::Single: {
        const quint32 bits = quint32(Le(4));
        float f;
        std::memcpy(&f, &bits, 4);
        v.Real = f;
        break;
    }
    case ValueType::Double:
    case ValueType::Date: {
        const quint64 bits = Le(8);
        std::memcpy(&v.Real, &bits, 8);
        break;
    }
    case ValueType::Currency:
        v.Real = double(qint64(Le(8))) / 10000.0;
        break;
    case ValueType::String:
    case ValueType::LString:
    case ValueType::UTF8String: {
        const QByteArrayView b = View(type == ValueType::String ? qint64(Byte()) : qint64(quint32(Le(4))));
        if (!skipText_)
            v.Text = type == ValueType::UTF8String ? QString::fromUtf8(b) : QString::fromLatin1(b);
        break;
    }
    case ValueType::WString: {
        const qint64 count = qint64(quint32(Le(4)));
        if (count > (data_.size() - pos_) / 2)
            ReadError();
        const QByteArrayView b = View(count * 2);
        if (skipText_)
            break;
        v.Text.resize(count);
        for (qint64 i = 0; i < count; ++i)
            v.Text[i] = QChar(quint16(quint8(b[2 * i]) | (quint8(b[2 * i + 1]) << 8)));
        break;
    }
    case ValueType::Ident:
        v.Bytes = ShortString();
        break;
    case ValueType::Binary:
        v.Bytes = Bytes(qint64(quint32(Le(4))));
        break;
    case ValueType::Set:
        for (;;) {
            QByteArray m = ShortString();
            if (m.isEmpty())
                break;
            v.Members.append(std::move(m));
        }
        break;
    case ValueType::Collection:
        // Items: an optional index, then a property list ended by 00h.
        for (;;) {
            quint8 b = Byte();
            if (b == 0)
                break;
            if (b == quint8(ValueType::Int8) || b == quint8(ValueType::Int16) || b == quint8(ValueType::Int32)) {
                ValueOfType(ValueType(b), depth + 1);
                b = Byte();
            }
            if (b != quint8(ValueType::List))
                FormatError();
            StreamValue item;
            item.Type = ValueType::List;
            for (;;) {
                QByteArray path = ShortString();
                if (path.isEmpty())
                    break;
                item.Items.push_back(Value(depth + 1));
            }
            v.Items.push_back(std::move(item));
        }
        break;
    }
    return v;
}

} // namespace grid
