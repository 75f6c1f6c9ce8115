#include "controls/grid/core/text_routines.h"

namespace grid {

int GetTextKind(const QString& text, bool checkHtml)
{
    const QString s = text + u' ';
    if (s.size() < 2)
        return 0;
    if (s[0] == u'=')
        return 3;
    if (s.startsWith(QStringLiteral("|\\"))) {
        if (s.size() >= 5 && s[3] == u'=' && s[4] == QChar(0))
            return 3;
        return 5;
    }
    if (s.startsWith(QStringLiteral("{\\")))
        return 2;
    if (checkHtml && (s.contains(QStringLiteral("</")) || s.contains(QStringLiteral("<B")) ||
                      s.contains(QStringLiteral("<I")) || s.contains(QStringLiteral("<C"))))
        return 1;
    return 0;
}

int CountLines(const QString& s, bool multiline)
{
    return multiline ? static_cast<int>(s.count(u'\r')) + 1 : 1;
}

} // namespace grid
