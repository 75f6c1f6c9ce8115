#include "platform/text/ini_file.h"

#include "platform/text/atomic_file.h"

#include <QFile>
#include <QStringDecoder>

#include <limits>

namespace platform {

namespace {

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString DecodeText(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(view);
}

// Optional sign, then decimal digits or hexadecimal digits after "$" or "0x".
bool ParseInteger(QString text, int& value)
{
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.startsWith(u'-');
        text.remove(0, 1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text.remove(0, 1);
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text.remove(0, 2);
    }
    if (text.isEmpty())
        return false;
    qint64 v = 0;
    for (QChar ch : text) {
        const int digit = ch.isDigit() ? ch.unicode() - u'0'
                          : (base == 16 && ch.toLower() >= u'a' && ch.toLower() <= u'f')
                              ? ch.toLower().unicode() - u'a' + 10
                              : -1;
        if (digit < 0 || digit >= base)
            return false;
        v = v * base + digit;
        if (v > qint64(std::numeric_limits<quint32>::max()))
            return false;
    }
    if (base == 16 && !negative) {
        value = static_cast<int>(static_cast<quint32>(v)); // "$FFFFFFFF" is -1
        return true;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

IniFile::IniFile(const QString& fileName)
{
    Load(fileName);
}

IniFile IniFile::FromBytes(const QByteArray& bytes)
{
    IniFile ini;
    const QString text = DecodeText(bytes);
    Section* current = nullptr;
    for (QStringView raw : QStringView(text).split(u'\n')) {
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        const QStringView line = raw.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.sliced(1, line.size() - 2).trimmed().toString();
            current = ini.FindSection(name);
            if (current == nullptr) {
                ini.sections_.push_back({name, {}});
                current = &ini.sections_.back();
            }
            continue;
        }
        if (current == nullptr) {
            ini.sections_.push_back({QString(), {}, true});
            current = &ini.sections_.back();
        }
        const qsizetype eq = line.indexOf(u'=');
        const QString key = eq > 0 && !line.startsWith(u';') ? line.first(eq).trimmed().toString() : QString();
        if (key.isEmpty()) {
            current->lines.push_back({QString(), raw.toString()});
            continue;
        }
        // A repeated key: the first one counts, as readers find it first; the
        // repeat stays as it was.
        if (FindKey(*current, key) == nullptr)
            current->lines.push_back({key, line.sliced(eq + 1).trimmed().toString()});
        else
            current->lines.push_back({QString(), raw.toString()});
    }
    // A file ending in a line break leaves one empty kept line behind.
    if (!ini.sections_.empty()) {
        auto& last = ini.sections_.back().lines;
        if (!last.empty() && !last.back().IsEntry() && last.back().value.isEmpty())
            last.pop_back();
    }
    return ini;
}

QByteArray IniFile::ToBytes() const
{
    QString text;
    for (const Section& section : sections_) {
        if (!section.preamble)
            text += u'[' + section.name + QLatin1String("]\r\n");
        for (const Line& line : section.lines) {
            if (line.IsEntry())
                text += line.key + u'=' + line.value;
            else
                text += line.value;
            text += QLatin1String("\r\n");
        }
    }
    return text.toUtf8();
}

bool IniFile::Load(const QString& fileName, QString* error)
{
    fileName_ = fileName;
    sections_.clear();
    QFile file(fileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read the file %1: %2").arg(fileName, file.errorString());
        return false;
    }
    const QString name = fileName_;
    *this = FromBytes(file.readAll());
    fileName_ = name;
    return true;
}

bool IniFile::Save(QString* error) const
{
    return WriteFileAtomically(fileName_, ToBytes(), error);
}

bool IniFile::SaveAs(const QString& fileName, QString* error)
{
    fileName_ = fileName;
    return Save(error);
}

const IniFile::Section* IniFile::FindSection(const QString& name) const
{
    for (const Section& section : sections_)
        if (!section.preamble && SameName(section.name, name))
            return &section;
    return nullptr;
}

IniFile::Section* IniFile::FindSection(const QString& name)
{
    return const_cast<Section*>(static_cast<const IniFile*>(this)->FindSection(name));
}

const IniFile::Line* IniFile::FindKey(const Section& section, const QString& key)
{
    for (const Line& line : section.lines)
        if (line.IsEntry() && SameName(line.key, key))
            return &line;
    return nullptr;
}

QStringList IniFile::Sections() const
{
    QStringList names;
    for (const Section& section : sections_)
        if (!section.preamble)
            names.append(section.name);
    return names;
}

QStringList IniFile::Keys(const QString& section) const
{
    QStringList keys;
    if (const Section* s = FindSection(section))
        for (const Line& line : s->lines)
            if (line.IsEntry())
                keys.append(line.key);
    return keys;
}

bool IniFile::SectionExists(const QString& section) const
{
    return FindSection(section) != nullptr;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    const Section* s = FindSection(section);
    return s != nullptr && FindKey(*s, key) != nullptr;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    const Section* s = FindSection(section);
    const Line* line = s != nullptr ? FindKey(*s, key) : nullptr;
    return line != nullptr ? line->value : fallback;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const
{
    int value = 0;
    return ParseInteger(ReadString(section, key), value) ? value : fallback;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const
{
    int value = 0;
    return ParseInteger(ReadString(section, key), value) ? value != 0 : fallback;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString k = key.trimmed();
    if (k.isEmpty() || k.contains(u'=') || k.startsWith(u';') || k.startsWith(u'['))
        return; // such a key could not be read back
    // A value is one line; a line break would start a new entry.
    QString v = value.trimmed();
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    Section* s = FindSection(section.trimmed());
    if (s == nullptr) {
        sections_.push_back({section.trimmed(), {}});
        s = &sections_.back();
    }
    if (auto* line = const_cast<Line*>(FindKey(*s, k))) {
        line->value = v;
        return;
    }
    // New keys follow the section's last entry, before trailing kept lines.
    auto at = s->lines.end();
    while (at != s->lines.begin() && !(at - 1)->IsEntry())
        --at;
    if (at == s->lines.begin())
        at = s->lines.end();
    s->lines.insert(at, {k, v});
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    Section* s = FindSection(section);
    if (s == nullptr)
        return;
    std::erase_if(s->lines, [&](const Line& line) { return line.IsEntry() && SameName(line.key, key); });
}

void IniFile::EraseSection(const QString& section)
{
    std::erase_if(sections_, [&](const Section& s) { return !s.preamble && SameName(s.name, section); });
}

} // namespace platform
