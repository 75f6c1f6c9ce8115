#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

// An INI file held in memory: "[Section]" headers and "Key=Value" lines.
// Sections and keys keep the order of the file (new ones go to the end);
// their names compare without regard to letter case. Nothing is escaped: a
// key may hold backslashes and a value is the text after the first "=",
// blanks around it trimmed. Comment (";") and other lines are kept as they
// were. Saving writes UTF-8 with CR LF line ends through an atomic replace.
class IniFile
{
public:
    IniFile() = default;
    // Reads the file when it exists (a missing file reads as empty).
    explicit IniFile(const QString& fileName);

    // Reads UTF-8 (a leading BOM skipped), or Latin-1 when the bytes are no UTF-8.
    static IniFile FromBytes(const QByteArray& bytes);
    QByteArray ToBytes() const;

    QString FileName() const { return fileName_; }
    // Replaces the content with the file's; a missing file gives an empty
    // content and true, a file that cannot be read false.
    bool Load(const QString& fileName, QString* error = nullptr);
    // Writes the content to FileName() (or to fileName).
    bool Save(QString* error = nullptr) const;
    bool SaveAs(const QString& fileName, QString* error = nullptr);

    QStringList Sections() const;
    QStringList Keys(const QString& section) const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    QString ReadString(const QString& section, const QString& key, const QString& fallback = {}) const;
    // Decimal, or hexadecimal after "$" or "0x"; anything else gives fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    // "0" is false, any other integer true; a non-integer gives fallback.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

private:
    struct Line
    {
        QString key; // empty for a kept line
        QString value; // the value, or the whole kept line
        bool IsEntry() const { return !key.isEmpty(); }
    };
    struct Section
    {
        QString name;
        std::vector<Line> lines;
        bool preamble = false; // the lines before the first header
    };

    const Section* FindSection(const QString& name) const;
    Section* FindSection(const QString& name);
    static const Line* FindKey(const Section& section, const QString& key);

    QString fileName_;
    std::vector<Section> sections_;
};

} // namespace platform
