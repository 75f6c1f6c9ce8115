// Bytes through the grid's text readers: number and date texts under both
// decimal separators, the line-break and quote codecs, R1C1 references, wide
// text, the sort order text, the sort settings text, integer list
// texts and filter conditions.
#include "controls/grid/core/base_grid.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/filter_matcher.h"
#include "controls/grid/core/int_list.h"
#include "controls/grid/core/text_routines.h"
#include "platform/text/format_settings.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace grid;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void Readers(const QString& s)
{
    GetTextKind(s, true);
    GetNumberKind(s);
    NormalizeNumberText(s);
    IsDateText(s);
    ParseDateMDY(s);
    ParseDateDMY(s);
    for (int part = 0; part < 3; ++part)
        IncDatePart(part == 0 ? s.size() % 50 : 0, part == 1 ? int(s.size() % 40) - 20 : 0, 0, 1, ParseDateDMY(s));
    QPoint cell;
    ParseRCReference(s, cell);
    CapitalizeName(s);
    QString out;
    LinkifyFirstUrl(s, out);
    int pos = 0;
    FindClosingQuote(u'"', s, pos);
    Check(pos >= 0 && pos <= s.size());
    CountClosingQuotes(u'"', s);
    QString copy = s;
    StripUrlPrefix(copy);
    copy = s;
    QString line;
    CutFirstLine(copy, true, line);
    Check(line.size() <= s.size());

    // A condition and a value from the two halves; nesting never goes deep.
    const QString condition = s.left(s.size() / 2);
    const QString value = s.mid(s.size() / 2);
    MatchFilterExpression(condition, value, s.size() % 2 == 0);
    MatchFilterCondition(condition, value, true);
    const FilterExpression compiled(s, false);
    compiled.Match(value);
    double dt = 0;
    ParseDateTimeText(s, dt);
    NumberTextToDot(s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString utf8 = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString latin = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));

    for (bool comma : {false, true}) {
        platform::FormatSettings settings;
        settings.DecimalSeparator = comma ? u',' : u'.';
        settings.ThousandSeparator = comma ? u'.' : u',';
        platform::ScopedFormatSettings scope(settings);
        Readers(utf8);
        Readers(latin);
    }

    // Codecs that must give back what they took.
    // Texts whose breaks are CR LF (a lone CR has no LF to be found by).
    if (!latin.contains(QChar(8)) && !latin.contains(QChar(9)) && !latin.contains(QChar(1)) &&
        latin.contains(u'\n'))
        Check(RestoreLineBreaks(HideLineBreaks(latin), true) == latin);
    QString t = latin;
    if (!t.contains(QChar(11)) && !t.contains(u'\r')) {
        CRLFToVTQuoted(t);
        VTToCRLF(t);
        Check(t == u'"' + latin + u'"');
    }
    Check(UndoubleChar(u'"', DoubleQuoteChars(latin)) == latin || latin.contains(QStringLiteral("\"\"")));
    Check(DecodeWideText(EncodeWideText(utf8)) == utf8);
    DecodeWideText(latin);
    QString oem = utf8;
    TextToOem(oem);
    OemToText(oem);

    TSortIndexList sort;
    sort.LoadFromString(utf8);
    const QString saved = sort.SaveToString();
    TSortIndexList again;
    again.LoadFromString(saved);
    Check(again.SaveToString() == saved);

    // One grid for every input: the sort settings text switches sorting on
    // and reads a column or a sort index list.
    static TExStringGrid* grid = new TExStringGrid;
    try {
        grid->SortSettings.LoadFromString(utf8);
    } catch (const GridError& e) {
        // An index list without indexes is refused by the sort itself.
        Check(utf8.size() < 2 || std::string_view(e.what()) == "No indexes specified for indexed sort");
    }
    Check(!grid->SortSettings.SaveToString().isEmpty());

    TIntList list;
    try {
        list.SetStrValue(utf8);
        TIntList back;
        back.SetStrValue(list.StrValue());
        Check(back.Items() == list.Items());
    } catch (const GridError&) {
    }
    return 0;
}
