#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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
    explicit ObjectWriter(QByteArray& out) : out_(out) {}

    void BeginRecord(const QByteArray& className);
    void EndRecord();

    void Integer(const QByteArray& path, qint64 value);
    void Boolean(const QByteArray& path, bool value);
    void Ident(const QByteArray& path, const QByteArray& name);
    void Set(const QByteArray& path, const QList<QByteArray>& members);
    void Text(const QByteArray& path, const QString& value);
    void Float(const QByteArray& path, double value);
    void Binary(const QByteArray& path, const QByteArray& data);
    void Lines(const QByteArray& path, const QStringList& lines);

private:
    void ShortString(const QByteArray& s);
    void Type(ValueType t) { out_.append(char(t)); }
    void IntegerValue(qint64 value);
    void TextValue(const QString& value);
    void Le(quint64 value, int bytes);

    QByteArray& out_;
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
    StreamRecord ReadRecord();

private:
    quint8 Byte();
    quint64 Le(int bytes);
    QByteArray Bytes(qint64 count);
    QByteArray ShortString();
    StreamValue Value(int depth);
    StreamValue ValueOfType(ValueType type, int depth);

    const QByteArray& data_;
    qsizetype pos_;
};

} // namespace grid
