#pragma once

// The tree whose cells the application paints itself: OnDrawNode paints a cell's content, OnGetNodeWidth
// answers its width (2 × TextMargin when unanswered) and OnGetCellContentMargin its content margin. Its
// node hints are owner-drawn unless OnGetHintKind says otherwise. TLazyDrawTree is the class windows place.

#include "controls/tree/widget/tree_control.h"

namespace lazytree {

using TVTDrawNodeEvent = std::function<void(TBaseLazyTree*, const TVTPaintInfo&)>;
using TVTGetCellContentMarginEvent = std::function<void(
    TBaseLazyTree*, QPainter* hintCanvas, PLazyNode, TColumnIndex, TVTCellContentMarginType, TPoint& margin)>;
using TVTGetNodeWidthEvent =
    std::function<void(TBaseLazyTree*, QPainter* hintCanvas, PLazyNode, TColumnIndex, int& nodeWidth)>;

class TCustomLazyDrawTree : public TLazyTreeControl {
    Q_OBJECT

public:
    explicit TCustomLazyDrawTree(QWidget* parent = nullptr, OptionsFactory optionsFactory = nullptr);

    const char* ClassName() const override { return "TCustomLazyDrawTree"; }

    TVTDrawNodeEvent OnDrawNode;
    TVTGetCellContentMarginEvent OnGetCellContentMargin;
    TVTGetNodeWidthEvent OnGetNodeWidth;

protected:
    TPoint ComputeCellContentMargin(PLazyNode node, TColumnIndex column, TVTCellContentMarginType marginType) override;
    int NodeContentWidth(PLazyNode node, TColumnIndex column) override;
    void PaintNodeContent(TVTPaintInfo& info) override;
    TVTHintKind DefaultHintKind() const override { return vhkOwnerDraw; }
};

// The draw tree windows place; its options object is the plain tree options.
class TLazyDrawTree : public TCustomLazyDrawTree {
    Q_OBJECT

public:
    explicit TLazyDrawTree(QWidget* parent = nullptr);
    const char* ClassName() const override { return "TLazyDrawTree"; }
    // Copies the option sets of another options object onto the tree's own.
    void SetTreeOptions(const TCustomLazyTreeOptions& options) { options.AssignTo(TreeOptions()); }
};

} // namespace lazytree
