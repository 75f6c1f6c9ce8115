#include "controls/grid/core/text_measurer.h"

#include <QStringList>

#include <algorithm>

namespace grid {

namespace {

QStringList SplitLines(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    return t.split(u'\n');
}

} // namespace

QSize TextMeasurer::TextRect(const TFont& font, const QString& text, int width, bool wordBreak) const
{
    int lines = 0;
    int widest = 0;
    for (const QString& paragraph : SplitLines(text)) {
        if (!wordBreak) {
            widest = std::max(widest, TextWidth(font, paragraph));
            ++lines;
            continue;
        }
        // Greedy breaking at blanks; a word wider than the room stands alone.
        QString line;
        const QStringList words = paragraph.split(u' ');
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString candidate = line.isEmpty() && i == 0 ? words[i] : line + u' ' + words[i];
            if (!line.isEmpty() && TextWidth(font, candidate) > width) {
                widest = std::max(widest, TextWidth(font, line));
                ++lines;
                line = words[i];
            } else {
                line = candidate;
            }
        }
        widest = std::max(widest, TextWidth(font, line));
        ++lines;
    }
    return {widest, lines * TextHeight(font)};
}

int FixedTextMeasurer::TextWidth(const TFont& font, const QString& line) const
{
    const int perChar = charWidth_ + ((font.Style & fsBold) ? 1 : 0);
    int columns = 0;
    for (QChar ch : line)
        columns = ch == u'\t' ? (columns / 8 + 1) * 8 : columns + 1;
    return columns * perChar;
}

} // namespace grid
