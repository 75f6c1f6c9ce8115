#include "controls/tree/widget/tree_data_object.h"

#include "controls/tree/core/tree_stream.h"
#include "controls/tree/widget/tree_control.h"

namespace lazytree {

const TTransferFormat* FindTransferFormat(const QString& description)
{
    for (const TTransferFormat& f : kTransferFormats)
        if (description.compare(QLatin1String(f.Description), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

QByteArray EncodeTreePayload(const QByteArray& records)
{
    if (records.isEmpty())
        return {};
    QByteArray payload(4, Qt::Uninitialized);
    PutLE32(reinterpret_cast<uint8_t*>(payload.data()), static_cast<uint32_t>(records.size()));
    payload += records;
    return payload;
}

std::optional<std::span<const uint8_t>> DecodeTreePayload(const QByteArray& payload)
{
    return DecodeTreePayload(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(payload.constData()), std::size_t(payload.size())));
}

TVTMimeData::TVTMimeData(TLazyTreeControl* tree, bool forClipboard) : tree_(tree), forClipboard_(forClipboard)
{
    for (const QString& description : tree->NativeClipboardFormats()) {
        const TTransferFormat* f = FindTransferFormat(description);
        const QString mime = QLatin1String(f->MimeType);
        if (!mimeTypes_.contains(mime))
            mimeTypes_ << mime;
        if (mime == QLatin1String("text/html"))
            mimeTypes_ << QLatin1String(kClipboardHtmlMime);
    }
}

TVTMimeData::~TVTMimeData()
{
    // A clipboard object that goes (replaced, cleared, the clipboard changed owner) ends the tree's pending
    // cut or copy, unless the tree is flushing it.
    if (forClipboard_ && tree_ && !tree_->TreeStates().Has(tsClipboardFlushing))
        tree_->CancelCutOrCopy();
}

QStringList TVTMimeData::formats() const
{
    return mimeTypes_;
}

bool TVTMimeData::hasFormat(const QString& mimeType) const
{
    return mimeTypes_.contains(mimeType);
}

QVariant TVTMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (!tree_ || !mimeTypes_.contains(mimeType))
        return {};
    // The first offered format of that type in priority order.
    for (const QString& description : tree_->NativeClipboardFormats()) {
        const TTransferFormat* f = FindTransferFormat(description);
        const bool html = mimeType == QLatin1String(kClipboardHtmlMime);
        if (mimeType != QLatin1String(f->MimeType) && !(html && QLatin1String(f->MimeType) == "text/html"))
            continue;
        try {
            const QByteArray bytes = tree_->RenderFormat(html ? QStringLiteral("CF_HTML") : description, forClipboard_);
            if (bytes.isEmpty())
                return {};
            if (type.id() == QMetaType::QString)
                return QString::fromUtf8(bytes);
            return bytes;
        } catch (const std::exception&) {
            return {};
        }
    }
    return {};
}

} // namespace lazytree
