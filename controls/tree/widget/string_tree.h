#pragma once

// The tree that shows text: every cell's text comes from the application through OnGetText (or
// OnGetCellText), "Node" when nobody answers. It measures and paints the text, keeps each node's main-column
// text width in an internal block, answers hints and the incremental search from the text, and can
// remember selected nodes by their text. TLazyStringTree is the class windows place.

#include "controls/tree/widget/tree_control.h"
#include "controls/tree/widget/tree_export.h"

#include <QFont>
#include <QString>

#include <set>

namespace lazytree {

enum TVSTTextType { ttNormal, ttStatic };

enum TVTStringOption : unsigned { toSaveCaptions, toShowStaticText, toAutoAcceptEditChange };
using TVTStringOptions = EnumSet<TVTStringOption, uint8_t>;
constexpr TVTStringOptions DefaultStringOptions = {toSaveCaptions, toAutoAcceptEditChange};

class TCustomStringTreeOptions : public TCustomLazyTreeOptions {
public:
    using TCustomLazyTreeOptions::TCustomLazyTreeOptions;
    TVTStringOptions StringOptions() const { return stringOptions_; }
    void SetStringOptions(TVTStringOptions value);
    void AssignTo(TCustomLazyTreeOptions& dest) const override;

private:
    TVTStringOptions stringOptions_ = DefaultStringOptions;
};

struct TVSTGetCellTextEventArgs {
    PLazyNode Node = nullptr;
    TColumnIndex Column = NoColumn;
    QString CellText;
    QString StaticText;
    TVTExportType ExportType = etNone; // the export asking, etNone for painting and editing
};

class TCustomLazyStringTree;

using TVSTGetTextEvent =
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, TVSTTextType, QString& cellText)>;
using TVSTGetCellTextEvent = std::function<void(TCustomLazyStringTree*, TVSTGetCellTextEventArgs&)>;
using TVTPaintText = std::function<void(TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, TVSTTextType)>;
using TVSTNewTextEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, const QString& newText)>;
using TVSTShortenStringEvent = std::function<void(
    TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, const QString& s, int textSpace, QString& result, bool& done)>;
using TVTMeasureTextEvent =
    std::function<void(TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, const QString& text, int& extent)>;
using TVTDrawTextEvent = std::function<void(
    TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, const QString& text, TRect cellRect, bool& defaultDraw)>;

using TVTTreeExportEvent = std::function<void(TBaseLazyTree*, TVTExportType)>;
// The before-node event answers whether the node is exported (HTML and RTF skip it on false).
using TVTNodeExportEvent = std::function<bool(TBaseLazyTree*, TVTExportType, PLazyNode)>;
using TVTColumnExportEvent = std::function<void(TBaseLazyTree*, TVTExportType, TColumnIndex)>;

class TCustomLazyStringTree : public TLazyTreeControl {
    Q_OBJECT

public:
    explicit TCustomLazyStringTree(QWidget* parent = nullptr, OptionsFactory optionsFactory = nullptr);
    ~TCustomLazyStringTree() override;

    const char* ClassName() const override { return "TCustomLazyStringTree"; }

    // ---- Events ---------------------------------------------------------------------------------------
    TVSTGetTextEvent OnGetText;
    TVSTGetCellTextEvent OnGetCellText; // when assigned it replaces OnGetText
    TVTPaintText OnPaintText;
    TVTGetHintEvent OnGetHint;
    TVSTNewTextEvent OnNewText;
    TVSTShortenStringEvent OnShortenString;
    TVTMeasureTextEvent OnMeasureTextWidth;
    TVTMeasureTextEvent OnMeasureTextHeight;
    TVTDrawTextEvent OnDrawText;
    TVTTreeExportEvent OnBeforeTreeExport;
    TVTTreeExportEvent OnAfterTreeExport;
    TVTNodeExportEvent OnBeforeNodeExport;
    TVTNodeExportEvent OnNodeExport;
    TVTNodeExportEvent OnAfterNodeExport;
    TVTTreeExportEvent OnBeforeHeaderExport;
    TVTTreeExportEvent OnAfterHeaderExport;
    TVTColumnExportEvent OnBeforeColumnExport;
    TVTColumnExportEvent OnColumnExport;
    TVTColumnExportEvent OnAfterColumnExport;

    // ---- Properties ---------------------------------------------------------------------------------------
    QString DefaultText() const { return defaultText_; }
    void SetDefaultText(const QString& value);
    TVTStringOptions StringOptions() const;
    void SetStringOptions(TVTStringOptions value);
    QString Text(PLazyNode node, TColumnIndex column = NoColumn);
    void SetText(PLazyNode node, TColumnIndex column, const QString& value);
    QString StaticText(PLazyNode node, TColumnIndex column = NoColumn);
    // Both texts of a cell in one query, as an export asks for them.
    void QueryCellText(TVSTGetCellTextEventArgs& e) { FireGetCellText(e); }
    // Texts of the node and its ancestors up to the top level, outermost first, each followed by the
    // delimiter; the delimiter alone for nil and the root.
    QString Path(PLazyNode node, TColumnIndex column, const QString& delimiter);
    // Height of a text laid out in the cell (the cell's text when s is empty).
    int ComputeNodeHeight(PLazyNode node, TColumnIndex column, const QString& s = QString());
    // The measured main-column text width of a node (0 when not measured yet); nil for no slot.
    int32_t* CachedWidthSlot(PLazyNode node) const;
    void ClearCachedWidths(PLazyNode node, bool recursive);

    // ---- Export ---------------------------------------------------------------------------------------------
    QString ContentToHTML(TVSTTextSourceType source, const QString& caption = QString());
    QByteArray ContentToRTF(TVSTTextSourceType source);
    QString ContentToText(TVSTTextSourceType source, const QString& separator);
    // One transfer format's bytes (text as UTF-8, RTF as its 8-bit text); empty for a format not offered.
    QByteArray ContentToClipboard(const QString& formatDescription, TVSTTextSourceType source);
    // One line per top-level node, each text quoted, an empty text as a single space; with the heading first.
    QStringList BuildCSVLines(bool includeHeading);
    void ContentToCustom(TVSTTextSourceType source);
    bool OffersTextFormats() const override { return true; }
    QByteArray RenderFormat(const QString& description, bool forClipboard) override;

    // ---- Overridden node operations ---------------------------------------------------------------------
    TRect InvalidateNode(PLazyNode node) override;
    void ReinitNode(PLazyNode node, bool recursive) override;
    void SetChildCount(PLazyNode node, uint32_t newChildCount) override;
    PLazyNode AddChild(PLazyNode parent, void* userData = nullptr) override;
    void AddToSelection(PLazyNode node) override;
    void RemoveFromSelection(PLazyNode node) override;

protected:
    virtual void FireGetCellText(TVSTGetCellTextEventArgs& e);
    virtual void FireNewText(PLazyNode node, TColumnIndex column, const QString& text);
    virtual QFont FirePaintText(QPainter* painter, PLazyNode node, TColumnIndex column, TVSTTextType type);
    virtual int MeasureCellTextWidth(PLazyNode node, const QString& text, TColumnIndex column);
    virtual int MeasureStaticTextWidth(PLazyNode node, const QString& text, TColumnIndex column);
    virtual int MeasureTextExtent(const QFont& font, PLazyNode node, TColumnIndex column, const QString& text);
    virtual QString ShortenCellText(QPainter& painter, PLazyNode node, TColumnIndex column, const QString& s,
        int width, int ellipsisWidth);
    virtual void DrawCellText(TVTPaintInfo& info, const QString& text);
    virtual void DrawStaticText(TVTPaintInfo& info, const QString& text);
    void FireDrawText(TVTPaintInfo& info, const QString& text, const TRect& r, int flags);

    int NodeContentWidth(PLazyNode node, TColumnIndex column) override;
    int NodeExtraWidth(PLazyNode node, TColumnIndex column) override;
    int FireIncrementalSearch(PLazyNode node, const std::u32string& text) override;
    bool FireGetCellIsEmpty(PLazyNode node, TColumnIndex column) override;
    void PaintNodeContent(TVTPaintInfo& info) override;
    void FontChanged() override;
    QString NodeHint(PLazyNode node, TColumnIndex column) override;
    QString NodeTooltip(PLazyNode node, TColumnIndex column) override;
    // The application's editor, else a TStringEditLink.
    std::shared_ptr<IVTEditLink> FireCreateEditor(PLazyNode node, TColumnIndex column) override;
    // The caption chunk of the tree stream (main-column text, UTF-16LE).
    void WriteNodeChunks(TStream& stream, PLazyNode node) override;
    bool ReadNodeChunk(TStream& stream, int version, PLazyNode node, int32_t chunkType, int32_t chunkSize) override;

private:
    void PrepareTextFont(TVTPaintInfo& info, QPainter& painter);
    QString TextOfColumnZero(PLazyNode node);

    std::size_t internalDataOffset_ = 0;
    bool haveInternalData_ = false;
    QString defaultText_ = QStringLiteral("Node");
    int textHeight_ = 0;
    int ellipsisWidth_ = 0;
    // Texts of the selected nodes for toRestoreSelection (case-insensitive, without duplicates).
    struct CaseInsensitiveLess {
        bool operator()(const QString& a, const QString& b) const
        {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        }
    };
    std::unique_ptr<std::set<QString, CaseInsensitiveLess>> previouslySelected_;
};

// The string tree windows place; set up through code (see tree_presets.h for the configurations in use).
class TLazyStringTree : public TCustomLazyStringTree {
    Q_OBJECT

public:
    explicit TLazyStringTree(QWidget* parent = nullptr);
    const char* ClassName() const override { return "TLazyStringTree"; }
    TCustomStringTreeOptions& StringTreeOptions() const
    {
        return static_cast<TCustomStringTreeOptions&>(TreeOptions());
    }
    // Copies the option sets (and string options) of another options object onto the tree's own.
    void SetTreeOptions(const TCustomLazyTreeOptions& options) { options.AssignTo(TreeOptions()); }
};

} // namespace lazytree
