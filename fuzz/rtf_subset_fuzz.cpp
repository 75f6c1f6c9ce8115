// Bytes as a rich-text cell: read into a document, written, read and written
// again. The written form is 7-bit and reads back to the same document.
#include "controls/grid/rich/rtf_subset.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_rtf_subset";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    if (size > 1 << 16)
        return 0;

    const QString rtf = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument doc;
    grid::ReadRtf(rtf, doc);
    const QString written = grid::WriteRtf(doc);
    for (const QChar ch : written)
        Check(ch.unicode() < 0x80);
    QTextDocument again;
    grid::ReadRtf(written, again);
    Check(again.toPlainText() == doc.toPlainText());
    Check(grid::WriteRtf(again) == written);
    return 0;
}
