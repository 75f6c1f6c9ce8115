#pragma once

// The tree's five option sets and its export mode. The setters react on the owning tree.

#include "controls/tree/core/enum_set.h"

#include <cstdint>

namespace lazytree {

class TBaseLazyTree;

enum TVTPaintOption : unsigned {
    toHideFocusRect,
    toHideSelection,
    toHotTrack,
    toPopupMode,
    toShowBackground,
    toShowButtons,
    toShowDropmark,
    toShowHorzGridLines,
    toShowRoot,
    toShowTreeLines,
    toShowVertGridLines,
    toThemeAware,
    toUseBlendedImages,
    toGhostedIfUnfocused,
    toFullVertGridLines,
    toAlwaysHideSelection,
    toUseBlendedSelection,
    toStaticBackground,
    toChildrenAbove,
    toFixedIndent,
    toUseExplorerTheme,
    toHideTreeLinesIfThemed,
    toShowFilteredNodes,
};
using TVTPaintOptions = EnumSet<TVTPaintOption, uint32_t>;

enum TVTAnimationOption : unsigned { toAnimatedToggle, toAdvancedAnimatedToggle };
using TVTAnimationOptions = EnumSet<TVTAnimationOption, uint8_t>;

enum TVTAutoOption : unsigned {
    toAutoDropExpand,
    toAutoExpand,
    toAutoScroll,
    toAutoScrollOnExpand,
    toAutoSort,
    toAutoSpanColumns,
    toAutoTristateTracking,
    toAutoHideButtons,
    toAutoDeleteMovedNodes,
    toDisableAutoscrollOnFocus,
    toAutoChangeScale,
    toAutoFreeOnCollapse,
    toDisableAutoscrollOnEdit,
    toAutoBidiColumnOrdering,
};
using TVTAutoOptions = EnumSet<TVTAutoOption, uint16_t>;

enum TVTSelectionOption : unsigned {
    toDisableDrawSelection,
    toExtendedFocus,
    toFullRowSelect,
    toLevelSelectConstraint,
    toMiddleClickSelect,
    toMultiSelect,
    toRightClickSelect,
    toSiblingSelectConstraint,
    toCenterScrollIntoView,
    toSimpleDrawSelection,
    toAlwaysSelectNode,
    toRestoreSelection,
};
using TVTSelectionOptions = EnumSet<TVTSelectionOption, uint16_t>;

enum TVTMiscOption : unsigned {
    toAcceptOLEDrop,
    toCheckSupport,
    toEditable,
    toFullRepaintOnResize,
    toGridExtensions,
    toInitOnSave,
    toReportMode,
    toToggleOnDblClick,
    toWheelPanning,
    toReadOnly,
    toVariableNodeHeight,
    toFullRowDrag,
    toNodeHeightResize,
    toNodeHeightDblClickResize,
    toEditOnClick,
    toEditOnDblClick,
    toReverseFullExpandHotKey,
};
using TVTMiscOptions = EnumSet<TVTMiscOption, uint32_t>;

enum TVTExportMode : uint8_t { emAll, emChecked, emUnchecked, emVisibleDueToExpansion, emSelected };

constexpr TVTPaintOptions DefaultPaintOptions = {
    toShowButtons, toShowDropmark, toShowRoot, toShowTreeLines, toThemeAware, toUseBlendedImages};
constexpr TVTAnimationOptions DefaultAnimationOptions = {};
constexpr TVTAutoOptions DefaultAutoOptions = {toAutoDropExpand, toAutoScrollOnExpand, toAutoSort,
    toAutoTristateTracking, toAutoDeleteMovedNodes, toAutoChangeScale};
constexpr TVTSelectionOptions DefaultSelectionOptions = {};
constexpr TVTMiscOptions DefaultMiscOptions = {
    toAcceptOLEDrop, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick, toWheelPanning, toEditOnClick};

class TCustomLazyTreeOptions {
public:
    explicit TCustomLazyTreeOptions(TBaseLazyTree* owner) : owner_(owner) {}
    virtual ~TCustomLazyTreeOptions() = default;
    TCustomLazyTreeOptions(const TCustomLazyTreeOptions&) = delete;
    TCustomLazyTreeOptions& operator=(const TCustomLazyTreeOptions&) = delete;

    TBaseLazyTree* Owner() const { return owner_; }

    TVTPaintOptions PaintOptions() const { return paint_; }
    TVTAnimationOptions AnimationOptions() const { return animation_; }
    TVTAutoOptions AutoOptions() const { return auto_; }
    TVTSelectionOptions SelectionOptions() const { return selection_; }
    TVTMiscOptions MiscOptions() const { return misc_; }
    TVTExportMode ExportMode() const { return exportMode_; }

    void SetPaintOptions(TVTPaintOptions value);
    void SetAnimationOptions(TVTAnimationOptions value) { animation_ = value; }
    void SetAutoOptions(TVTAutoOptions value);
    void SetSelectionOptions(TVTSelectionOptions value);
    void SetMiscOptions(TVTMiscOptions value);
    void SetExportMode(TVTExportMode value) { exportMode_ = value; }

    // Writes the five sets into dest through its setters (paint, animation, auto, selection, misc), so that
    // every reaction runs on dest's tree; the export mode is not copied.
    virtual void AssignTo(TCustomLazyTreeOptions& dest) const;

private:
    friend class TBaseLazyTree;

    TBaseLazyTree* owner_;
    TVTPaintOptions paint_ = DefaultPaintOptions;
    TVTAnimationOptions animation_ = DefaultAnimationOptions;
    TVTAutoOptions auto_ = DefaultAutoOptions;
    TVTSelectionOptions selection_ = DefaultSelectionOptions;
    TVTMiscOptions misc_ = DefaultMiscOptions;
    TVTExportMode exportMode_ = emAll;
};

} // namespace lazytree
