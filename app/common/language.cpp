#include "language.h"

#include "cp1252.h"
#include "int_text.h"
#include "workspace.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QStringList LangTable;

namespace {

constexpr char16_t kPilcrow = 0x00B6;

QString TrimControls(const QString& s)
{
    int b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 0x20)
        ++b;
    while (e > b && s[e - 1].unicode() <= 0x20)
        --e;
    return s.mid(b, e - b);
}

} // namespace

QString Lang(int n)
{
    return n >= 0 && n < LangTable.size() ? LangTable[n] : QString();
}

void Load_Default_Language()
{
    LangTable.clear();
    LangTable.reserve(LangTableSize);
    for (int i = 0; i < LangTableSize; ++i)
        LangTable.append(QString::fromUtf8(BuiltinEnglishTexts[i]));
}

QString DecodeLanguageText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                            : QStringConverter::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    return Cp1252ToString(bytes);
}

bool ApplyLanguageLine(const QString& rawLine)
{
    const QString line = TrimControls(rawLine);
    if (!line.startsWith(QLatin1String("STR")))
        return false;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    // The number runs from the fourth character to the one before the
    // character preceding "=" (that character is skipped whatever it is).
    const int numberEnd = eq - 1;
    if (numberEnd < 3)
        return false;
    int32_t n;
    if (!TryStrToInt(TrimControls(line.mid(3, numberEnd - 3)), n))
        return false;
    if (n < 0 || n >= LangTable.size())
        return false;
    QString value = TrimControls(line.mid(eq + 1));
    if (value.isEmpty())
        return false;
    const int comment = value.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        value = TrimControls(value.left(comment));
        if (value.isEmpty())
            return false;
    }
    if (value.startsWith(QChar(kPilcrow)))
        value.remove(0, 1);
    const int pilcrow = value.indexOf(QChar(kPilcrow));
    if (pilcrow >= 0)
        value.truncate(pilcrow);
    LangTable[n] = value;
    return true;
}

bool Read_Language_File(const QString& fileName, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open the file %1: %2").arg(fileName, file.errorString());
        return false;
    }
    const QString text = DecodeLanguageText(file.readAll());
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i == n || text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            ApplyLanguageLine(text.mid(start, i - start));
            if (i < n - 1 && text[i] == QLatin1Char('\r') && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    return true;
}

bool Load_Language(QString* error)
{
    Load_Default_Language();
    const QString chosen = LanguageDir + QLatin1Char('/') + LanguageName + QStringLiteral(".lng");
    if (QFileInfo(chosen).isFile())
        return Read_Language_File(chosen, error);
    LanguageName = QStringLiteral("English");
    const QString english = LanguageDir + QStringLiteral("/English.lng");
    if (QFileInfo(english).isFile())
        return Read_Language_File(english, error);
    return true;
}
