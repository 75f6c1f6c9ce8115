// Bytes as what a user pastes and types into a drop-down's typed entry. The
// first bytes pick the edit type, the options and the separators; the rest is
// UTF-8 text, pasted whole and at each line, then typed character by
// character with keys between. The caret and selection stay inside the text,
// Prefix and Suffix survive, and a hex value never takes a sign or a ninth
// digit.
#include "controls/dropdown/typed_entry.h"
#include "platform/text/format_settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace dropdown;

void Check(const EntryState& s, const EntryOptions& o)
{
    const int length = int(s.Text.size());
    if (s.SelStart < 0 || s.SelStart > length || s.SelLength < 0 || s.SelStart + s.SelLength > length)
        std::abort();
    if (!s.Text.startsWith(o.Prefix) || !s.Text.endsWith(o.Suffix))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    platform::FormatSettings format;
    if (data[1] & 1) {
        format.DecimalSeparator = u',';
        format.ThousandSeparator = u'.';
    }
    platform::ScopedFormatSettings scoped(format);
    EntryOptions o;
    o.EditType = TDropDownEditType(data[0] % kEditTypeCount);
    o.Signed = data[1] & 2;
    o.Precision = (data[1] >> 2) & 3;
    o.LengthLimit = (data[1] >> 4) & 3;
    o.AutoThousandSeparator = data[1] & 64;
    o.MaxLength = data[2] & 1 ? 12 : 0;
    if (data[2] & 2)
        o.Prefix = QStringLiteral("$ ");
    if (data[2] & 4)
        o.Suffix = QStringLiteral(" kg");
    o.ValidChars = QStringLiteral("0123abc-");
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 3), qsizetype(size - 3));

    EntryState s;
    TypedEntry::SetText(s, o, QString());
    Check(s, o);
    TypedEntry::Paste(s, o, text);
    Check(s, o);
    for (const QString& line : text.split(u'\n')) {
        TypedEntry::Paste(s, o, line);
        Check(s, o);
    }

    // Typing from an empty value: every character, with keys from the text.
    EntryState t;
    TypedEntry::SetText(t, o, QString());
    TypedEntry::SelectAll(t, o);
    static const int kKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete,
                                Qt::Key_Backspace};
    for (QChar ch : text) {
        if (ch.unicode() < 8) {
            TypedEntry::RunKey(t, o, kKeys[ch.unicode() % 6], ch.unicode() & 1);
        } else {
            TypedEntry::TypeChar(t, o, {ch, false, ch == u'.'});
        }
        Check(t, o);
        if (o.EditType == etHex && (TypedEntry::Value(t, o).contains(u'-') || TypedEntry::Value(t, o).size() > 8))
            std::abort();
    }
    TypedEntry::CompleteOnFocusLoss(t, o);
    Check(t, o);
    TypedEntry::AfterClick(t, o);
    Check(t, o);
    (void)TypedEntry::GetFloatValue(t, o);
    return 0;
}
