#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstring>
#include <vector>

// The object record encoding of the cell stream: signature, class name, an
// empty object name, typed property entries, two closing zero bytes.
namespace grid {

enum class ValueType : quint8 {
    Null,
    List,
    Int8,
    Int16,
    Int32,
    Extended,
    String,
    Ident,
    False,
    True,
    Binary,
    Set,
    LString,
    Nil,
    Collection,
    Single,
    Currency,
    Date,
    WString,
    Int64,
    UTF8String,
    Double
};

// 80-bit extended-precision float, little-endian (8 bytes mantissa with the
// explicit integer bit, then sign and 15-bit exponent).
void DoubleToExtended(double value, unsigned char out[10]);
double ExtendedToDouble(const unsigned char in[10]);

struct StreamValue
{
    ValueType Type = ValueType::Null;
    qint64 Integer = 0;
    double Real = 0;
    QString Text;
    // Identifier bytes or binary data.
    QByteArray Bytes;
    QList<QByteArray> Members;
    std::vector<StreamValue> Items;

    bool IsInteger() const;
    bool IsText() const;
    bool IsFloat() const;
};

struct StreamProperty
{
    QByteArray Path;
    StreamValue Value;
};

struct StreamRecord
{
    QByteArray ClassName;
    QByteArray ObjectName;
    std::vector<StreamProperty> Properties;
};

// Appends records to a byte buffer.
class ObjectWriter
{
public:
    explicit ObjectWriter(QByteArray& out);
    ~ObjectWriter();
    ObjectWriter(const ObjectWriter&) = delete;
    ObjectWriter& operator=(const ObjectWriter&) = delete;

    // Appends what was written so far to out (also done on destruction).
    void Flush();

    void BeginRecord(QByteArrayView className);
    void EndRecord();

    void Integer(QByteArrayView path, qint64 value);
    void Boolean(QByteArrayView path, bool value);
    void Ident(QByteArrayView path, QByteArrayView name);
    void Set(QByteArrayView path, const QList<QByteArray>& members);
    void Text(QByteArrayView path, const QString& value);
    void Float(QByteArrayView path, double value);
    void Binary(QByteArrayView path, const QByteArray& data);
    void Lines(QByteArrayView path, const QStringList& lines);

    // Pieces of an entry for records written from prebuilt bytes: encoded
    // bytes as they are, an integer or a text value with its type byte.
    void Raw(QByteArrayView bytes) { Put(bytes.data(), bytes.size()); }
    void IntegerValue(qint64 value);
    void TextValue(const QString& value);
    qsizetype Written() const { return end_; }
    // Room for n more bytes ahead of the written end.
    void Reserve(qsizetype n)
    {
        if (end_ + n > out_.size())
            Grow(n);
    }

private:
    void ShortString(QByteArrayView s);
    void Type(ValueType t) { *Room(1) = char(t); }
    char* Room(qsizetype n)
    {
        if (end_ + n > out_.size())
            Grow(n);
        char* p = out_.data() + end_;
        end_ += n;
        return p;
    }
    void Put(const char* data, qsizetype n)
    {
        if (n > 0)
            std::memcpy(Room(n), data, size_t(n));
    }
    void Grow(qsizetype n);
    void Le(quint64 value, int bytes);

    QByteArray& out_;
    qsizetype end_; // out_ holds room past the written end until Flush
};

// Reads records from untrusted bytes; every length and count is checked
// against the bytes left. Failures raise GridError with the stream reader's
// texts ("Invalid stream format", "Stream read error", ...).
class ObjectReader
{
public:
    ObjectReader(const QByteArray& data, qsizetype pos = 0) : data_(data), pos_(pos) {}

    qsizetype Pos() const { return pos_; }
    qsizetype Size() const { return data_.size(); }
    // Back to a position this reader has passed.
    void Seek(qsizetype pos) { pos_ = pos; }
    // Text values are checked and passed over, their texts left empty.
    void SetSkipText(bool skip) { skipText_ = skip; }
    StreamRecord ReadRecord();

    // The same record read in place: BeginRecord answers the class name (a
    // view into the data), then NextProperty gives each entry until it
    // answers false at the end of the record.
    QByteArrayView BeginRecord();
    bool NextProperty(QByteArrayView& path, StreamValue& value);

private:
    quint8 Byte();
    quint64 Le(int bytes);
    QByteArrayView View(qint64 count);
    QByteArray Bytes(qint64 count);
    QByteArray ShortString();
    QByteArrayView ShortView();
    StreamValue Value(int depth);
    StreamValue ValueOfType(ValueType type, int depth);

    const QByteArray& data_;
    qsizetype pos_;
    QByteArrayView objectName_;
    bool skipText_ = false;
};

} // namespace grid
