// The binary header stream: marker -1 and version 6, the columns (records, display order, default width),
// then the header's own values. Reading parses everything first and applies it only when the whole
// stream made sense, so a short or inconsistent stream leaves the header as it was.

#include "controls/tree/core/lazy_tree.h"
#include "controls/tree/core/tree_errors.h"
#include "controls/tree/core/tree_header.h"

#include <algorithm>

namespace lazytree {

namespace {

constexpr int32_t kHeaderStreamVersion = 6;
constexpr int64_t kMinColumnRecord = 13 * 4; // every field of version -1 with empty texts
constexpr int32_t kMaxColumns = 4096;
constexpr int32_t kMaxColumnWidth = 65535; // so that the left edges of all columns fit an int
constexpr int32_t kMaxHeaderHeight = 10000;
constexpr int32_t kMaxMargin = 1000;

class Reader {
public:
    explicit Reader(TStream& stream) : stream_(stream) {}

    int32_t Int()
    {
        uint8_t b[4];
        Need(4);
        stream_.ReadBuffer(b, 4);
        return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    }
    // A count of items of `itemSize` bytes each that the remaining bytes must be able to hold.
    int32_t Count(int64_t itemSize)
    {
        const int32_t n = Int();
        if (n < 0 || (itemSize > 0 && n > stream_.Remaining() / itemSize))
            RaiseTreeError(hcTFStreamTooSmall);
        return n;
    }
    std::u16string Utf16()
    {
        const int32_t n = Count(2);
        std::u16string s(static_cast<std::size_t>(n), u'\0');
        for (int32_t i = 0; i < n; ++i) {
            uint8_t b[2];
            stream_.ReadBuffer(b, 2);
            s[static_cast<std::size_t>(i)] = static_cast<char16_t>(b[0] | b[1] << 8);
        }
        return s;
    }
    std::string Utf8()
    {
        const int32_t n = Count(1);
        std::string s(static_cast<std::size_t>(n), '\0');
        if (n > 0)
            stream_.ReadBuffer(s.data(), n);
        return s;
    }
    void StepBack() { stream_.Seek(stream_.Position() - 4); }

private:
    void Need(int64_t bytes)
    {
        if (stream_.Remaining() < bytes)
            RaiseTreeError(hcTFStreamTooSmall);
    }
    TStream& stream_;
};

void WriteUtf16(TStream& stream, const std::u16string& s)
{
    stream.WriteInt32(static_cast<int32_t>(s.size()));
    for (char16_t c : s)
        stream.WriteUInt16(static_cast<uint16_t>(c));
}

struct ColumnRecord {
    std::u16string Text, Hint;
    int32_t Width = 50, MinWidth = 10, MaxWidth = 10000;
    uint8_t Style = 0;
    int32_t ImageIndex = -1;
    uint8_t Layout = 0;
    int32_t Margin = 4, Spacing = 3;
    uint8_t BiDiMode = 0;
    uint16_t Options = kDefaultColumnOptions.Bits();
    int32_t Tag = 0;
    uint8_t Alignment = 0;
    uint32_t Color = kHeaderColorWindow;
    bool HasColor = false;
    uint8_t CaptionAlignment = 0;
    bool HasCaptionAlignment = false;
};

template <class E>
E Enum(int32_t value, int count)
{
    const int v = value & 0xFF;
    if (v >= count)
        RaiseTreeError(hcTFCorruptStream1);
    return static_cast<E>(v);
}

struct HeaderRecord {
    std::vector<ColumnRecord> Columns;
    std::vector<TColumnIndex> Order;
    int32_t DefaultWidth = 50;
    bool HasDefaultWidth = false;
    int32_t AutoSizeIndex = 0;
    uint32_t Background = 0;
    int32_t Height = 19;
    uint32_t Options = 0;
    uint8_t Style = 0;
    THeaderFont Font;
    bool HasSortAndMain = false;
    int32_t MainColumn = NoColumn, SortColumn = NoColumn;
    uint8_t SortDirection = 0;
    bool HasLimits = false;
    bool ParentFont = false;
    int32_t MaxHeight = 10000, MinHeight = 10, DefaultHeight = 19;
    TVTFixedAreaConstraints Constraints;
};

void ReadColumns(Reader& in, int version, HeaderRecord& h)
{
    const int32_t n = in.Count(kMinColumnRecord);
    if (n > kMaxColumns)
        RaiseTreeError(hcTFCorruptStream2);
    for (int32_t i = 0; i < n; ++i) {
        ColumnRecord c;
        c.Text = in.Utf16();
        c.Hint = in.Utf16();
        c.Width = in.Int();
        c.MinWidth = in.Int();
        c.MaxWidth = in.Int();
        c.Style = static_cast<uint8_t>(Enum<TLazyTreeColumnStyle>(in.Int(), 2));
        c.ImageIndex = in.Int();
        c.Layout = static_cast<uint8_t>(Enum<TVTHeaderColumnLayout>(in.Int(), 4));
        c.Margin = in.Int();
        c.Spacing = in.Int();
        c.BiDiMode = static_cast<uint8_t>(Enum<TBiDiMode>(in.Int(), 4));
        c.Options = ConvertStoredColumnOptions(static_cast<uint32_t>(in.Int()), version);
        if (version > 0) {
            c.Tag = in.Int();
            c.Alignment = static_cast<uint8_t>(Enum<TAlignment>(in.Int(), 3));
        }
        if (version > 1) {
            c.Color = static_cast<uint32_t>(in.Int());
            c.HasColor = true;
        }
        if (version > 5 && TVTColumnOptions::FromBits(c.Options).Has(coUseCaptionAlignment)) {
            c.CaptionAlignment = static_cast<uint8_t>(Enum<TAlignment>(in.Int(), 3));
            c.HasCaptionAlignment = true;
        }
        h.Columns.push_back(std::move(c));
    }
    if (n > 0) {
        std::vector<bool> seen(static_cast<std::size_t>(n), false);
        for (int32_t p = 0; p < n; ++p) {
            const int32_t index = in.Int();
            // The display order must be a permutation of the indexes.
            if (index < 0 || index >= n || seen[static_cast<std::size_t>(index)])
                RaiseTreeError(hcTFCorruptStream2);
            seen[static_cast<std::size_t>(index)] = true;
            h.Order.push_back(index);
        }
    }
    if (version > 4) {
        h.DefaultWidth = in.Int();
        h.HasDefaultWidth = true;
    }
}

} // namespace

void TLazyTreeColumns::SaveToStream(TStream& stream) const
{
    stream.WriteInt32(Count());
    for (const auto& c : items_) {
        WriteUtf16(stream, c->text_);
        WriteUtf16(stream, c->hint_);
        stream.WriteInt32(c->width_);
        stream.WriteInt32(c->minWidth_);
        stream.WriteInt32(c->maxWidth_);
        stream.WriteInt32(c->style_);
        stream.WriteInt32(c->imageIndex_);
        stream.WriteInt32(c->layout_);
        stream.WriteInt32(c->margin_);
        stream.WriteInt32(c->spacing_);
        stream.WriteInt32(c->biDiMode_);
        stream.WriteInt32(c->options_.Bits());
        stream.WriteInt32(static_cast<int32_t>(c->tag_));
        stream.WriteInt32(c->alignment_);
        stream.WriteInt32(static_cast<int32_t>(c->color_));
        if (c->options_.Has(coUseCaptionAlignment))
            stream.WriteInt32(c->captionAlignment_);
    }
    if (Count() > 0)
        for (TColumnIndex index : positionToIndex_)
            stream.WriteInt32(index);
    stream.WriteInt32(defaultWidth_);
}

void TVTHeader::SaveToStream(TStream& stream) const
{
    stream.WriteInt32(-1);
    stream.WriteInt32(kHeaderStreamVersion);
    columns_.SaveToStream(stream);
    stream.WriteInt32(autoSizeIndex_);
    stream.WriteInt32(static_cast<int32_t>(background_));
    stream.WriteInt32(height_);
    stream.WriteInt32(static_cast<int32_t>(options_.Bits()));
    stream.WriteInt32(style_);
    stream.WriteInt32(static_cast<int32_t>(font_.Color));
    stream.WriteInt32(font_.Height);
    stream.WriteInt32(static_cast<int32_t>(font_.Name.size()));
    if (!font_.Name.empty())
        stream.Write(font_.Name.data(), static_cast<int64_t>(font_.Name.size()));
    stream.WriteInt32(font_.Pitch);
    stream.WriteInt32(font_.Style.Bits());
    stream.WriteInt32(MainColumn());
    stream.WriteInt32(sortColumn_);
    stream.WriteInt32(sortDirection_);
    stream.WriteInt32(parentFont_ ? 1 : 0);
    stream.WriteInt32(maxHeight_);
    stream.WriteInt32(minHeight_);
    stream.WriteInt32(defaultHeight_);
    stream.WriteInt32(constraints_.MaxHeightPercent);
    stream.WriteInt32(constraints_.MaxWidthPercent);
    stream.WriteInt32(constraints_.MinHeightPercent);
    stream.WriteInt32(constraints_.MinWidthPercent);
}

void TVTHeader::LoadFromStream(TStream& stream)
{
    const int64_t start = stream.Position();
    HeaderRecord h;
    try {
        Reader in(stream);
        int version = -1;
        const int32_t first = in.Int();
        if (first >= 0) {
            in.StepBack();
        } else {
            version = in.Int();
            if (version < 0 || version > kHeaderStreamVersion)
                RaiseTreeError(hcTFWrongStreamVersion);
        }
        ReadColumns(in, version, h);
        h.AutoSizeIndex = in.Int();
        h.Background = static_cast<uint32_t>(in.Int());
        h.Height = in.Int();
        h.Options = static_cast<uint32_t>(in.Int());
        h.Style = static_cast<uint8_t>(Enum<TVTHeaderStyle>(in.Int(), 3));
        h.Font.Color = static_cast<uint32_t>(in.Int());
        h.Font.Height = in.Int();
        h.Font.Name = in.Utf8();
        h.Font.Pitch = in.Int();
        h.Font.Style = THeaderFontStyles::FromBits(static_cast<uint8_t>(in.Int() & 0x0F));
        if (version > 0) {
            h.HasSortAndMain = true;
            h.MainColumn = in.Int();
            h.SortColumn = in.Int();
            h.SortDirection = static_cast<uint8_t>(Enum<TSortDirection>(in.Int(), 2));
        }
        if (version > 4) {
            h.HasLimits = true;
            h.ParentFont = in.Int() != 0;
            h.MaxHeight = in.Int();
            h.MinHeight = in.Int();
            h.DefaultHeight = in.Int();
            auto percent = [&in] { return static_cast<uint8_t>(std::min(in.Int() & 0xFF, 100)); };
            h.Constraints.MaxHeightPercent = percent();
            h.Constraints.MaxWidthPercent = percent();
            h.Constraints.MinHeightPercent = percent();
            h.Constraints.MinWidthPercent = percent();
        }
    } catch (const EStreamError&) {
        stream.Seek(start);
        RaiseTreeError(hcTFStreamTooSmall);
    } catch (...) {
        stream.Seek(start);
        throw;
    }

    // Everything was read: apply it through the setters.
    states_.Include(hsLoading);
    struct Leave {
        TVTHeader& header;
        ~Leave()
        {
            header.states_.Exclude(hsLoading);
            header.ColumnResized(NoColumn);
        }
    } leave{*this};
    // The options are set aside while the columns are read (an auto-size column takes its stored width).
    const TVTHeaderOptions oldOptions = options_;
    options_ = {};
    columns_.Clear();
    columns_.BeginUpdate();
    for (const ColumnRecord& r : h.Columns) {
        TLazyTreeColumn& c = columns_.Add();
        c.SetText(r.Text);
        c.SetHint(r.Hint);
        // The limits before the width, so that a stored width within its limits is kept.
        c.minWidth_ = std::clamp(r.MinWidth, 0, kMaxColumnWidth);
        c.maxWidth_ = std::clamp(r.MaxWidth, c.minWidth_, kMaxColumnWidth);
        c.SetWidth(r.Width);
        c.SetStyle(static_cast<TLazyTreeColumnStyle>(r.Style));
        c.SetImageIndex(r.ImageIndex);
        c.SetLayout(static_cast<TVTHeaderColumnLayout>(r.Layout));
        c.SetMargin(std::min(r.Margin, kMaxMargin));
        c.SetSpacing(std::clamp(r.Spacing, 0, kMaxMargin));
        c.SetBiDiMode(static_cast<TBiDiMode>(r.BiDiMode));
        c.SetOptions(TVTColumnOptions::FromBits(r.Options));
        c.SetTag(r.Tag);
        c.SetAlignment(static_cast<TAlignment>(r.Alignment));
        if (r.HasColor) {
            const TVTColumnOptions o = c.Options();
            c.SetColor(r.Color);
            c.options_ = o; // the stored options decide whether the colour follows the tree
        }
        if (r.HasCaptionAlignment)
            c.SetCaptionAlignment(static_cast<TAlignment>(r.CaptionAlignment));
    }
    if (!h.Order.empty())
        columns_.positionToIndex_ = h.Order;
    columns_.RecomputeColumnLefts(true);
    columns_.EndUpdate();
    if (h.HasDefaultWidth)
        columns_.SetDefaultWidth(h.DefaultWidth);
    autoSizeIndex_ = h.AutoSizeIndex;
    SetBackground(h.Background);
    if (h.HasLimits) {
        maxHeight_ = std::clamp(h.MaxHeight, 0, kMaxHeaderHeight);
        minHeight_ = std::clamp(h.MinHeight, 0, maxHeight_);
        defaultHeight_ = std::clamp(h.DefaultHeight, minHeight_, maxHeight_);
        constraints_ = h.Constraints;
    }
    SetHeight(std::clamp(h.Height, 0, kMaxHeaderHeight));
    options_ = oldOptions;
    SetOptions(TVTHeaderOptions::FromBits(h.Options & 0x3FFFF));
    SetStyle(static_cast<TVTHeaderStyle>(h.Style));
    SetFont(h.Font);
    if (h.HasSortAndMain) {
        SetMainColumn(h.MainColumn);
        sortColumn_ = std::clamp(h.SortColumn, NoColumn, columns_.Count() - 1);
        sortDirection_ = static_cast<TSortDirection>(h.SortDirection);
    }
    if (h.HasLimits)
        parentFont_ = h.ParentFont;
}

} // namespace lazytree
