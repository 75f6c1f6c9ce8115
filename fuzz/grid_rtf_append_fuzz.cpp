// Bytes as an RTF document to append to: the first line names a bookmark.
// Where a place is found, the inserted table leaves a document in which a
// place is found again.
#include "controls/grid/office/rtf_document.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using namespace grid::office;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 16)
        return 0;
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nl = bytes.indexOf('\n');
    const QString bookmark = nl < 0 ? QString() : QString::fromLatin1(bytes.first(nl));
    const QByteArray rtf = nl < 0 ? bytes : bytes.sliced(nl + 1);
    const auto at = FindRtfInsertPoint(rtf, bookmark);
    if (!at)
        return 0;
    if (at->Offset < 0 || at->Offset > rtf.size() || (!at->AtBookmark && rtf[at->Offset] != '}'))
        std::abort();
    RtfTable table;
    table.Rows = {{QStringLiteral("a{"), QStringLiteral("\\b}")}};
    QByteArray out = rtf;
    out.insert(at->Offset, "\\par\n" + RtfBody(QStringLiteral("p"), table));
    const auto again = FindRtfInsertPoint(out, bookmark);
    if (!again || again->AtBookmark != at->AtBookmark)
        std::abort();
    return 0;
}
