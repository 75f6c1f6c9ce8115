#pragma once

// What a tree hands to the clipboard and to a drag: the table of transfer formats (description, MIME type,
// priority, which trees offer it), the tree-data payload (a 32-bit length, then node records) and the MIME
// object that renders a tree's formats only when a reader asks for them.

#include <QByteArray>
#include <QMimeData>
#include <QPointer>
#include <QStringList>

#include <optional>
#include <span>

namespace lazytree {

class TLazyTreeControl;

enum class TFormatOwner { AnyTree, StringTree };

struct TTransferFormat {
    const char* Description; // the format's own name
    const char* MimeType;
    unsigned Priority;       // lower first
    TFormatOwner Owner;
};

// In priority order.
inline constexpr TTransferFormat kTransferFormats[] = {
    {"Lazy Tree Data", "application/x-lazy-tree-data", 50, TFormatOwner::AnyTree},
    {"HTML Format", "text/html", 80, TFormatOwner::StringTree},
    {"Rich Text Format Without Objects", "text/rtf", 84, TFormatOwner::StringTree},
    {"Rich Text Format", "text/rtf", 85, TFormatOwner::StringTree},
    {"CSV", "text/csv", 90, TFormatOwner::StringTree},
    {"Unicode text", "text/plain", 95, TFormatOwner::StringTree},
    {"Plain text", "text/plain", 100, TFormatOwner::StringTree},
};
inline constexpr const char* kTreeDataMime = "application/x-lazy-tree-data";
// The HTML clipboard block with its offset header travels under its own name; text/html is plain HTML.
inline constexpr const char* kClipboardHtmlMime = "application/x-clipboard-html";

const TTransferFormat* FindTransferFormat(const QString& description);

// Length word and records; empty for no records.
QByteArray EncodeTreePayload(const QByteArray& records);
// The records of a payload; nothing when the length word does not fit the block or exceeds the limit.
std::optional<std::span<const uint8_t>> DecodeTreePayload(const QByteArray& payload);

// A tree's data for the clipboard or a drag. Formats are rendered in retrieveData, when asked for; the
// tree is held weakly, so a destroyed tree simply renders nothing.
class TVTMimeData : public QMimeData {
    Q_OBJECT

public:
    TVTMimeData(TLazyTreeControl* tree, bool forClipboard);
    ~TVTMimeData() override;

    TLazyTreeControl* Tree() const { return tree_; }
    bool ForClipboard() const { return forClipboard_; }
    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QPointer<TLazyTreeControl> tree_;
    bool forClipboard_;
    QStringList mimeTypes_;
};

} // namespace lazytree
