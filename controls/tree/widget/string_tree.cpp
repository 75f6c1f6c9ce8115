// The string tree: cell texts from events, measuring with the cached main-column width, painting with
// ellipsis and word wrap, hints, incremental search and the selection memory.

#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/string_edit_link.h"

#include "controls/tree/widget/draw_utils.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <climits>

namespace lazytree {

namespace {

std::unique_ptr<TCustomLazyTreeOptions> StringOptionsFactory(TBaseLazyTree* owner)
{
    return std::make_unique<TCustomStringTreeOptions>(owner);
}

int AlignmentFlag(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

} // namespace

// ---- Options -------------------------------------------------------------------------------------------------

void TCustomStringTreeOptions::SetStringOptions(TVTStringOptions value)
{
    if (value == stringOptions_)
        return;
    const bool staticChanged = value.Has(toShowStaticText) != stringOptions_.Has(toShowStaticText);
    stringOptions_ = value;
    if (staticChanged && Owner() && Owner()->View())
        Owner()->Invalidate();
}

void TCustomStringTreeOptions::AssignTo(TCustomLazyTreeOptions& dest) const
{
    if (auto* strings = dynamic_cast<TCustomStringTreeOptions*>(&dest))
        strings->SetStringOptions(stringOptions_);
    TCustomLazyTreeOptions::AssignTo(dest);
}

// ---- Construction --------------------------------------------------------------------------------------------

TCustomLazyStringTree::TCustomLazyStringTree(QWidget* parent, OptionsFactory optionsFactory)
    : TLazyTreeControl(parent, optionsFactory ? optionsFactory : &StringOptionsFactory)
{
    internalDataOffset_ = ReserveInternalData(sizeof(int32_t));
    haveInternalData_ = true;
    FontChanged();
}

TCustomLazyStringTree::~TCustomLazyStringTree() = default;

TVTStringOptions TCustomLazyStringTree::StringOptions() const
{
    auto* options = dynamic_cast<TCustomStringTreeOptions*>(&TreeOptions());
    return options ? options->StringOptions() : DefaultStringOptions;
}

void TCustomLazyStringTree::SetStringOptions(TVTStringOptions value)
{
    if (auto* options = dynamic_cast<TCustomStringTreeOptions*>(&TreeOptions()))
        options->SetStringOptions(value);
}

void TCustomLazyStringTree::SetDefaultText(const QString& value)
{
    if (value == defaultText_)
        return;
    defaultText_ = value;
    ClearCachedWidths(nullptr, true);
    viewport()->update();
}

// ---- Texts ---------------------------------------------------------------------------------------------------

void TCustomLazyStringTree::FireGetCellText(TVSTGetCellTextEventArgs& e)
{
    if (!e.Node->States.Has(vsInitialized))
        InitializeNode(e.Node);
    if (OnGetCellText) {
        OnGetCellText(this, e);
    } else if (OnGetText) {
        OnGetText(this, e.Node, e.Column, ttNormal, e.CellText);
        OnGetText(this, e.Node, e.Column, ttStatic, e.StaticText);
    }
}

QString TCustomLazyStringTree::Text(PLazyNode node, TColumnIndex column)
{
    TreeAssert(node != nullptr, "Node must not be nil.");
    TVSTGetCellTextEventArgs e{node, column, defaultText_, QString()};
    FireGetCellText(e);
    return e.CellText;
}

void TCustomLazyStringTree::SetText(PLazyNode node, TColumnIndex column, const QString& value)
{
    FireNewText(node, column, value);
    InvalidateNode(node);
}

QString TCustomLazyStringTree::StaticText(PLazyNode node, TColumnIndex column)
{
    TreeAssert(node != nullptr, "Node must not be nil.");
    TVSTGetCellTextEventArgs e{node, column, QString(), QString()};
    FireGetCellText(e);
    return e.StaticText;
}

void TCustomLazyStringTree::FireNewText(PLazyNode node, TColumnIndex column, const QString& text)
{
    if (OnNewText)
        OnNewText(this, node, column, text);
    if (UpdateCount() == 0)
        UpdateHorizontalScrollBar(true);
}

QString TCustomLazyStringTree::Path(PLazyNode node, TColumnIndex column, const QString& delimiter)
{
    if (!node || node == RootNode())
        return delimiter;
    QString result;
    for (PLazyNode n = node; n && n != RootNode(); n = n->Parent)
        result = Text(n, column) + delimiter + result;
    return result;
}

// ---- Measuring -----------------------------------------------------------------------------------------------

int32_t* TCustomLazyStringTree::CachedWidthSlot(PLazyNode node) const
{
    if (!node || !haveInternalData_ || node == RootNode())
        return nullptr;
    return static_cast<int32_t*>(GetInternalData(node, internalDataOffset_));
}

void TCustomLazyStringTree::ClearCachedWidths(PLazyNode node, bool recursive)
{
    if (!node || node == RootNode()) {
        // Every existing node, without initialising any.
        for (PLazyNode n = GetFirstNoInit(); n; n = GetNextNoInit(n))
            if (int32_t* slot = CachedWidthSlot(n))
                *slot = 0;
        return;
    }
    if (int32_t* slot = CachedWidthSlot(node))
        *slot = 0;
    if (recursive)
        for (PLazyNode c = node->FirstChild; c; c = c->NextSibling)
            ClearCachedWidths(c, true);
}

QFont TCustomLazyStringTree::FirePaintText(QPainter* painter, PLazyNode node, TColumnIndex column, TVSTTextType type)
{
    if (!OnPaintText)
        return painter ? painter->font() : font();
    if (painter) {
        OnPaintText(this, painter, node, column, type);
        return painter->font();
    }
    // Measuring outside painting: the handler gets a scratch painter with the tree's font.
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&scratch);
    p.setFont(font());
    OnPaintText(this, &p, node, column, type);
    return p.font();
}

int TCustomLazyStringTree::MeasureTextExtent(const QFont& f, PLazyNode node, TColumnIndex column, const QString& text)
{
    const QFontMetrics metrics(f);
    int width = metrics.horizontalAdvance(text);
    if (node->States.Has(vsMultiline)) {
        const int flags = Qt::TextWordWrap | AlignmentFlag(Alignment());
        width = metrics.boundingRect(QRect(0, 0, std::max(width, 1), INT_MAX / 2), flags, text).width();
    }
    if (OnMeasureTextWidth)
        OnMeasureTextWidth(this, nullptr, node, column, text, width);
    int height = metrics.height();
    if (OnMeasureTextHeight)
        OnMeasureTextHeight(this, nullptr, node, column, text, height);
    return width;
}

int TCustomLazyStringTree::MeasureCellTextWidth(PLazyNode node, const QString& text, TColumnIndex column)
{
    int result = 2 * TextMargin();
    if (!text.isEmpty()) {
        const QFont f = FirePaintText(nullptr, node, column, ttNormal);
        result += MeasureTextExtent(f, node, column, text);
    }
    return result;
}

int TCustomLazyStringTree::MeasureStaticTextWidth(PLazyNode node, const QString& text, TColumnIndex column)
{
    if (text.isEmpty() || Alignment() == taCenter || node->States.Has(vsMultiline))
        return 0;
    const QFont f = FirePaintText(nullptr, node, column, ttStatic);
    return MeasureTextExtent(f, node, column, text) + TextMargin();
}

int TCustomLazyStringTree::NodeContentWidth(PLazyNode node, TColumnIndex column)
{
    if (column >= 0 && node->States.Has(vsMultiline))
        return Header().ColumnWidth(column);
    if (column == NoColumn || column == Header().MainColumn()) {
        int32_t* slot = CachedWidthSlot(node);
        if (!slot)
            return 0;
        if (*slot == 0)
            *slot = MeasureCellTextWidth(node, Text(node, column), column);
        return *slot;
    }
    return MeasureCellTextWidth(node, Text(node, column), column);
}

int TCustomLazyStringTree::NodeExtraWidth(PLazyNode node, TColumnIndex column)
{
    if (!StringOptions().Has(toShowStaticText))
        return 0;
    return MeasureStaticTextWidth(node, StaticText(node, column), column);
}

int TCustomLazyStringTree::ComputeNodeHeight(PLazyNode node, TColumnIndex column, const QString& s)
{
    const QString text = s.isEmpty() ? Text(node, column) : s;
    int left = 0;
    int right = ClientWidth();
    if (column >= 0) {
        left = TextMargin() + Margin();
        right = Header().ColumnWidth(column) - TextMargin();
        if (column == Header().MainColumn()) {
            TLineImage lines;
            BuildLineImage(node, lines);
            const int levels = TreeOptions().PaintOptions().Has(toFixedIndent) ? 1 : static_cast<int>(lines.size());
            left += static_cast<int>(Indent()) * levels;
        }
    }
    const QFontMetrics metrics(font());
    const int flags = node->States.Has(vsMultiline) ? Qt::TextWordWrap : (Qt::TextSingleLine | Qt::AlignVCenter);
    return metrics.boundingRect(QRect(left, 0, std::max(1, right - left), INT_MAX / 2), flags, text).height();
}

void TCustomLazyStringTree::FontChanged()
{
    const QFontMetrics metrics(font());
    textHeight_ = metrics.height();
    ellipsisWidth_ = metrics.horizontalAdvance(QStringLiteral("..."));
    ClearCachedWidths(nullptr, true);
}

// ---- Node operations that drop the cached width ---------------------------------------------------------------

TRect TCustomLazyStringTree::InvalidateNode(PLazyNode node)
{
    const TRect r = TLazyTreeControl::InvalidateNode(node);
    if (int32_t* slot = CachedWidthSlot(node)) {
        *slot = 0;
        node->States.Exclude(vsHeightMeasured);
    }
    return r;
}

void TCustomLazyStringTree::ReinitNode(PLazyNode node, bool recursive)
{
    TLazyTreeControl::ReinitNode(node, recursive);
    if (int32_t* slot = CachedWidthSlot(node))
        *slot = 0;
}

void TCustomLazyStringTree::SetChildCount(PLazyNode node, uint32_t newChildCount)
{
    TLazyTreeControl::SetChildCount(node, newChildCount);
    if (int32_t* slot = CachedWidthSlot(node))
        *slot = 0;
}

// ---- Selection memory ------------------------------------------------------------------------------------------

QString TCustomLazyStringTree::TextOfColumnZero(PLazyNode node)
{
    QString text = defaultText_;
    if (OnGetText)
        OnGetText(this, node, 0, ttNormal, text);
    return text;
}

PLazyNode TCustomLazyStringTree::AddChild(PLazyNode parent, void* userData)
{
    PLazyNode node = TLazyTreeControl::AddChild(parent, userData);
    if (previouslySelected_ && OnGetText && previouslySelected_->count(TextOfColumnZero(node))) {
        ChangeTreeStates({tsPreviouslySelectedLocked}, {});
        try {
            SetSelected(node, true);
        } catch (...) {
            ChangeTreeStates({}, {tsPreviouslySelectedLocked});
            throw;
        }
        ChangeTreeStates({}, {tsPreviouslySelectedLocked});
        if (UpdateCount() == 0)
            ScrollIntoView(GetFirstSelected(), true, false);
    }
    return node;
}

void TCustomLazyStringTree::AddToSelection(PLazyNode node)
{
    TLazyTreeControl::AddToSelection(node);
    if (TreeOptions().SelectionOptions().Has(toRestoreSelection) && OnGetText && node->States.Has(vsSelected) &&
        !TreeStates().Has(tsPreviouslySelectedLocked)) {
        if (!previouslySelected_)
            previouslySelected_ = std::make_unique<std::set<QString, CaseInsensitiveLess>>();
        if (SelectedCount() == 1)
            previouslySelected_->clear();
        previouslySelected_->insert(TextOfColumnZero(node));
    }
    ChooseNextNodeToSelect(node);
}

void TCustomLazyStringTree::RemoveFromSelection(PLazyNode node)
{
    TLazyTreeControl::RemoveFromSelection(node);
    if (previouslySelected_ && !node->States.Has(vsSelected) && !TreeStates().Has(tsPreviouslySelectedLocked)) {
        if (SelectedCount() == 0)
            previouslySelected_->clear();
        else if (OnGetText)
            previouslySelected_->erase(TextOfColumnZero(node));
    }
}

// ---- Search, emptiness, hints -----------------------------------------------------------------------------

int TCustomLazyStringTree::FireIncrementalSearch(PLazyNode node, const std::u32string& text)
{
    if (OnIncrementalSearch)
        return TLazyTreeControl::FireIncrementalSearch(node, text);
    if (!node)
        return 1;
    const QString search = QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
    return Text(node, FocusedColumn()).startsWith(search, Qt::CaseSensitive) ? 0 : 1;
}

bool TCustomLazyStringTree::FireGetCellIsEmpty(PLazyNode node, TColumnIndex column)
{
    bool isEmpty = Text(node, column).isEmpty();
    if (OnGetCellIsEmpty)
        OnGetCellIsEmpty(this, node, column, isEmpty);
    return isEmpty;
}

QString TCustomLazyStringTree::NodeHint(PLazyNode node, TColumnIndex column)
{
    QString text = TLazyTreeControl::NodeHint(node, column);
    if (OnGetHint)
        OnGetHint(this, node, column, text);
    return text;
}

QString TCustomLazyStringTree::NodeTooltip(PLazyNode node, TColumnIndex column)
{
    QString text = TLazyTreeControl::NodeTooltip(node, column);
    if (OnGetHint)
        OnGetHint(this, node, column, text);
    else
        text = Text(node, column);
    return text;
}

// ---- Painting -------------------------------------------------------------------------------------------------

void TCustomLazyStringTree::PrepareTextFont(TVTPaintInfo& info, QPainter& painter)
{
    painter.setFont(font());
    QColor color = isEnabled() ? NodeFontColor() : Color(DisabledColor);
    const TVTPaintOptions paint = TreeOptions().PaintOptions();
    const bool explorer = TreeStates().Has(tsUseExplorerTheme);
    if (paint.Has(toHotTrack) && info.Node == HotNode() && !explorer) {
        QFont f = painter.font();
        f.setUnderline(true);
        painter.setFont(f);
        color = Color(HotColor);
    }
    if (info.PaintOptions.Has(poDrawSelection) && !explorer &&
        (info.Column == FocusedColumn() || TreeOptions().SelectionOptions().Has(toFullRowSelect))) {
        if (info.Node == DropTargetNode()) {
            if (LastDropMode() == dmOnNode || info.Node->States.Has(vsSelected))
                color = Color(SelectionTextColor);
        } else if (info.Node->States.Has(vsSelected) && (hasFocus() || paint.Has(toPopupMode))) {
            color = Color(SelectionTextColor);
        }
    }
    painter.setPen(color);
}

void TCustomLazyStringTree::PaintNodeContent(TVTPaintInfo& info)
{
    TVSTGetCellTextEventArgs e{info.Node, info.Column, defaultText_, QString()};
    FireGetCellText(e);
    if (!e.CellText.isEmpty())
        DrawCellText(info, e.CellText);
    if (Alignment() != taCenter && !info.Node->States.Has(vsMultiline) &&
        StringOptions().Has(toShowStaticText) && !e.StaticText.isEmpty())
        DrawStaticText(info, e.StaticText);
}

QString TCustomLazyStringTree::ShortenCellText(
    QPainter& painter, PLazyNode node, TColumnIndex column, const QString& s, int width, int ellipsisWidth)
{
    QString result;
    bool done = false;
    if (OnShortenString)
        OnShortenString(this, &painter, node, column, s, width, result, done);
    if (done)
        return result;
    const QFontMetrics metrics(painter.font());
    return EllipsizeText(s, width, ellipsisWidth,
        [&metrics](const QString& t) { return metrics.horizontalAdvance(t); });
}

void TCustomLazyStringTree::DrawCellText(TVTPaintInfo& info, const QString& text)
{
    QPainter& painter = *info.Canvas;
    PrepareTextFont(info, painter);
    TRect r = info.ContentRect;
    r.Left += TextMargin();
    r.Right -= TextMargin();
    int flags;
    QString shown = text;
    const QFont before = painter.font();
    if (info.Node->States.Has(vsMultiline)) {
        FirePaintText(&painter, info.Node, info.Column, ttNormal);
        const int nh = ComputeNodeHeight(info.Node, info.Column, text);
        if (info.Node->States.Has(vsDisabled) || !isEnabled())
            painter.setPen(Color(DisabledColor));
        flags = Qt::TextWordWrap | AlignmentFlag(info.Alignment);
        if (nh < r.Height()) {
            const int d = (nh - r.Bottom - r.Top) / 2; // the content's top is 0: this centres the text
            r.Top -= d;
            r.Bottom += d;
        }
        const QFontMetrics metrics(painter.font());
        shown = metrics.elidedText(text, Qt::ElideRight, INT_MAX / 2, flags);
    } else {
        int ellipsisWidth = ellipsisWidth_;
        const QFont f = FirePaintText(&painter, info.Node, info.Column, ttNormal);
        if (!(f == before)) {
            ellipsisWidth = 0;
            info.NodeWidth = 2 * TextMargin() + QFontMetrics(f).horizontalAdvance(text);
        }
        if (info.Node->States.Has(vsDisabled) || !isEnabled())
            painter.setPen(Color(DisabledColor));
        flags = Qt::TextSingleLine | Qt::AlignVCenter;
        if (info.Column >= 0 && info.NodeWidth - 2 * TextMargin() > r.Width()) {
            shown = ShortenCellText(painter, info.Node, info.Column, text, r.Width(), ellipsisWidth);
            if (info.Alignment == taRightJustify)
                flags |= Qt::AlignRight;
        } else {
            flags |= AlignmentFlag(info.Alignment);
        }
    }
    FireDrawText(info, shown, r, flags);
}

void TCustomLazyStringTree::DrawStaticText(TVTPaintInfo& info, const QString& text)
{
    QPainter& painter = *info.Canvas;
    painter.setFont(font());
    QColor color = NodeFontColor();
    if (TreeOptions().SelectionOptions().Has(toFullRowSelect)) {
        if (info.Node == DropTargetNode()) {
            if (LastDropMode() == dmOnNode || info.Node->States.Has(vsSelected))
                color = Color(SelectionTextColor);
        } else if (info.Node->States.Has(vsSelected) &&
            (hasFocus() || TreeOptions().PaintOptions().Has(toPopupMode))) {
            color = Color(SelectionTextColor);
        }
    }
    painter.setPen(color);
    FirePaintText(&painter, info.Node, info.Column, ttStatic);
    if (info.Node->States.Has(vsDisabled) || !isEnabled())
        painter.setPen(Color(DisabledColor));
    TRect r = info.ContentRect;
    if (Alignment() == taRightJustify)
        r.Right -= info.NodeWidth + TextMargin();
    else
        r.Left += info.NodeWidth + TextMargin();
    painter.drawText(ToQRect(r), Qt::TextSingleLine | Qt::AlignVCenter, text);
}

void TCustomLazyStringTree::FireDrawText(TVTPaintInfo& info, const QString& text, const TRect& r, int flags)
{
    bool defaultDraw = true;
    if (OnDrawText)
        OnDrawText(this, info.Canvas, info.Node, info.Column, text, r, defaultDraw);
    if (defaultDraw)
        info.Canvas->drawText(ToQRect(r), flags, text);
}

// ---- The published class -----------------------------------------------------------------------------------

TLazyStringTree::TLazyStringTree(QWidget* parent) : TCustomLazyStringTree(parent) {}

} // namespace lazytree

// ---- Tree stream captions ----------------------------------------------------------------------------------

namespace lazytree {

void TCustomLazyStringTree::WriteNodeChunks(TStream& stream, PLazyNode node)
{
    TLazyTreeControl::WriteNodeChunks(stream, node);
    if (!StringOptions().Has(toSaveCaptions) || node == RootNode() || !node->States.Has(vsInitialized))
        return;
    const QString text = Text(node, Header().MainColumn());
    if (text.isEmpty())
        return;
    QByteArray bytes(kChunkHeaderSize + 2 * text.size(), Qt::Uninitialized);
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    PutLE32(p, ctCaption);
    PutLE32(p + 4, static_cast<uint32_t>(2 * text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        p[kChunkHeaderSize + 2 * i] = uint8_t(unit);
        p[kChunkHeaderSize + 2 * i + 1] = uint8_t(unit >> 8);
    }
    stream.Write(bytes.constData(), bytes.size());
}

bool TCustomLazyStringTree::ReadNodeChunk(
    TStream& stream, int version, PLazyNode node, int32_t chunkType, int32_t chunkSize)
{
    if (chunkType != ctCaption)
        return TLazyTreeControl::ReadNodeChunk(stream, version, node, chunkType, chunkSize);
    QString text;
    if (chunkSize > 0) {
        // The reader has checked that the chunk lies inside the stream.
        QByteArray bytes(chunkSize / 2 * 2, Qt::Uninitialized);
        stream.ReadBuffer(bytes.data(), bytes.size());
        const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
        text.resize(bytes.size() / 2);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(p[2 * i] | p[2 * i + 1] << 8));
    }
    FireNewText(node, Header().MainColumn(), text);
    return true;
}

} // namespace lazytree

// ---- Editing -------------------------------------------------------------------------------------------------

namespace lazytree {

std::shared_ptr<IVTEditLink> TCustomLazyStringTree::FireCreateEditor(PLazyNode node, TColumnIndex column)
{
    std::shared_ptr<IVTEditLink> link = TLazyTreeControl::FireCreateEditor(node, column);
    if (!link)
        link = std::make_shared<TStringEditLink>();
    return link;
}

} // namespace lazytree

// ---- Export and transfer formats -----------------------------------------------------------------------------

namespace lazytree {

QString TCustomLazyStringTree::ContentToHTML(TVSTTextSourceType source, const QString& caption)
{
    return ExportToHTML(*this, source, caption);
}

QByteArray TCustomLazyStringTree::ContentToRTF(TVSTTextSourceType source)
{
    return ExportToRTF(*this, source);
}

QString TCustomLazyStringTree::ContentToText(TVSTTextSourceType source, const QString& separator)
{
    return ExportToText(*this, source, separator);
}

void TCustomLazyStringTree::ContentToCustom(TVSTTextSourceType source)
{
    ExportToCustom(*this, source);
}

QByteArray TCustomLazyStringTree::ContentToClipboard(const QString& formatDescription, TVSTTextSourceType source)
{
    const auto is = [&](const char* name) { return formatDescription.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("Plain text") || is("Unicode text"))
        return ExportToText(*this, source, QStringLiteral("\t")).toUtf8();
    if (is("CSV"))
        return ExportToText(*this, source, CsvSeparator()).toUtf8();
    if (is("Rich Text Format") || is("Rich Text Format Without Objects"))
        return ExportToRTF(*this, source);
    if (is("HTML Format"))
        return ExportToHTML(*this, source).toUtf8();
    if (is("CF_HTML"))
        return AddClipboardHtmlHeader(ExportToHTML(*this, source).toUtf8());
    return {};
}

QByteArray TCustomLazyStringTree::RenderFormat(const QString& description, bool forClipboard)
{
    QByteArray result = TLazyTreeControl::RenderFormat(description, forClipboard);
    if (!result.isEmpty())
        return result;
    return ContentToClipboard(description, forClipboard ? tstCutCopySet : tstSelected);
}

QStringList TCustomLazyStringTree::BuildCSVLines(bool includeHeading)
{
    const auto quote = [](QString text) {
        if (text.isEmpty())
            return QStringLiteral(" ");
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    };
    // Without a header the tree has one column, the main one.
    const int count = std::max(Header().Count(), 1);
    const auto column = [&](int i) { return Header().Count() > 0 ? TColumnIndex(i) : NoColumn; };
    QStringList lines;
    // Column captions belong to the header, which this tree does not have yet: no heading line.
    Q_UNUSED(includeHeading);
    for (PLazyNode node = GetFirstChild(RootNode()); node; node = GetNextSibling(node)) {
        QStringList cells;
        for (int i = 0; i < count; ++i)
            cells << quote(Text(node, column(i)));
        lines << cells.join(QLatin1Char(','));
    }
    return lines;
}

} // namespace lazytree
