#include "platform/text/oem_text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace platform {

namespace {

// One conversion through iconv; an input sequence the target lacks is
// replaced by "?" in the target's encoding and skipped.
QByteArray Convert(const char* to, const char* from, const QByteArray& in, int unitSize)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    char* dst = out.data();
    size_t dstLeft = static_cast<size_t>(out.size());
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = static_cast<size_t>(out.size() - used);
            continue;
        }
        // EILSEQ or EINVAL: skip one input unit, write a question mark.
        const size_t skip = std::min<size_t>(static_cast<size_t>(unitSize), srcLeft);
        src += skip;
        srcLeft -= skip;
        if (dstLeft < 4) {
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = static_cast<size_t>(out.size() - used);
        }
        if (unitSize == 1) {
            // Into UTF-16LE.
            *dst++ = '?';
            *dst++ = '\0';
            dstLeft -= 2;
        } else {
            *dst++ = '?';
            --dstLeft;
        }
    }
    iconv_close(cd);
    out.resize(dst - out.data());
    return out;
}

} // namespace

QByteArray TextToOemBytes(const QString& text)
{
    // UTF-16 code units in; a lone surrogate counts as one unit to skip.
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return Convert("CP850", "UTF-16LE", utf16, 2);
}

QString OemBytesToText(const QByteArray& bytes)
{
    const QByteArray utf16 = Convert("UTF-16LE", "CP850", bytes, 1);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.constData()), utf16.size() / 2);
}

} // namespace platform
