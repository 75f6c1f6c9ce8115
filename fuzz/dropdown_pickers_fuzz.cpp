// Bytes as what a user pastes and types into the pickers: the first byte
// picks the separators, the rest is UTF-8 text. The text is read as a typed
// time (with and without seconds), completed against a caption list, looked
// up in an item selector, and fed to the calculator as characters of the
// edit and of the popup and as keypad tags. A time read is always valid and
// writes back to the same text; the calculator's accumulator stays finite
// or its display says "Error"; the caret stays inside the text.
#include "controls/dropdown/calculator_engine.h"
#include "controls/dropdown/item_selector_core.h"
#include "controls/dropdown/list_completion.h"
#include "controls/dropdown/watch_core.h"
#include "platform/text/format_settings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dropdown;
    if (size < 1 || size > 4096)
        return 0;
    platform::FormatSettings f;
    if (data[0] & 1) {
        f.DecimalSeparator = u',';
        f.ThousandSeparator = u'.';
    }
    f.TimeSeparator = (data[0] & 2) ? u'.' : u':';
    const platform::ScopedFormatSettings scoped(f);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    for (bool seconds : {false, true}) {
        const QTime t = ParseTimeEntry(text, f.TimeSeparator, seconds);
        if (t.isValid() && ParseTimeEntry(FormatTimeText(t, f.TimeSeparator, seconds), f.TimeSeparator, seconds) != t)
            std::abort();
        if (TimePartAt(text, int(text.size()), f.TimeSeparator, seconds) == TimePart::Second && !seconds)
            std::abort();
    }

    const QStringList captions{QStringLiteral("Apple"), QStringLiteral("apricot"), text.left(40)};
    for (int caret : {0, int(text.size() / 2), int(text.size())}) {
        const Completion c = CompleteText(text, caret, captions, data[0] & 4);
        if (c.SelStart < 0 || c.SelStart + c.SelLength > c.Text.size() || c.Text.size() > std::max<qsizetype>(255, text.size()))
            std::abort();
    }
    // The prefix index answers what a scan in list order answers.
    const QStringList entries = text.split(u'\n').mid(0, 50);
    const PrefixIndex index(entries);
    for (const QString& entry : entries)
        for (const QString& prefix : {entry.left(1), entry.left(3), entry}) {
            int scan = -1;
            for (int i = 0; !prefix.isEmpty() && i < entries.size() && scan < 0; ++i)
                if (entries[i].startsWith(prefix, Qt::CaseInsensitive))
                    scan = i;
            if (index.First(prefix) != scan)
                std::abort();
        }
    SelectorModel model;
    for (const QString& caption : text.split(u'\n').mid(0, 50))
        model.Items.push_back({caption});
    const int found = model.LookupItem(text.left(3).toUpper());
    if (found >= model.Count())
        std::abort();

    EntryOptions o;
    o.EditType = (data[0] & 8) ? etMoney : etFloat;
    o.Precision = 2;
    o.MaxLength = (data[0] & 16) ? 6 : 0;
    EntryState s;
    TypedEntry::SetText(s, o, QString());
    CalculatorEngine e;
    e.StartNumber();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        switch (ch.unicode() % 3) {
        case 0: e.EditChar(ch, false, s, o); break;
        case 1: e.PopupChar(ch, ch.unicode() & 8, s, o); break;
        default: e.Key(int(ch.unicode() % 40), s, o); break;
        }
        if (s.SelStart < 0 || s.SelStart + s.SelLength > s.Text.size())
            std::abort();
        if (!std::isfinite(double(e.Accumulator)) || !std::isfinite(double(e.Memory)))
            std::abort();
    }
    return 0;
}
