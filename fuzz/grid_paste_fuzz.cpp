// Bytes as text pasted or typed into a cell's text editor: the first bytes
// choose the editor kind, the length limit and the selection, the rest is
// the editor's text and the pasted value. A refused paste changes nothing;
// a taken one keeps within the limit and the selection within the text.
#include "controls/grid/core/edit_text_rules.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <cstdlib>

using namespace grid;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

constexpr TEditorType kKinds[] = {edNormal,  edNumeric,   edPositiveNumeric, edFloat,     edPositiveFloat,
                                  edCapital, edUpperCase, edLowerCase,       edMixedCase, edPassword,
                                  edValidChars};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const TEditorType kind = kKinds[data[0] % std::size(kKinds)];
    const int limit = data[1] % 40;
    int selStart = data[2] % 64;
    int selLength = data[3] % 64;
    const QString all = QString::fromUtf8(reinterpret_cast<const char*>(data + 4), static_cast<qsizetype>(size - 4));
    const qsizetype cut = all.indexOf(u'\x01');
    const QString before = cut < 0 ? all : all.left(cut);
    const QString value = cut < 0 ? QString() : all.mid(cut + 1);

    // Valid characters from a string (odd second byte) or else a set.
    TextRuleSettings rules;
    if (data[1] & 1)
        rules.validChars = QStringLiteral("0123456789ABCDEF-");
    for (int b = 0; b < 8; ++b)
        if (data[0] & (1 << b))
            rules.validCharSet.set(static_cast<size_t>('a' + b));

    QString text = before;
    if (PasteIntoText(kind, limit, text, selStart, selLength, value, rules)) {
        Check(limit < 1 || text.size() <= limit);
        Check(selStart >= 0 && selLength >= 0 && selStart + selLength <= text.size());
    } else {
        Check(text == before);
    }
    for (const QChar ch : value) {
        QChar typed = ch;
        const int caret = static_cast<int>(text.size());
        if (TypedCharacter(kind, limit, text, caret, 0, typed, rules) == TypedVerdict::Pass) {
            text.append(typed);
            const qsizetype length = text.size();
            text = TextAfterTyping(kind, text);
            Check(text.size() == length);
        }
        Check(limit < 1 || text.size() <= std::max<qsizetype>(limit, before.size()));
    }
    return 0;
}
