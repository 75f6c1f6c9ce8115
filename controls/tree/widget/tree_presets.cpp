// The configurations in use.

#include "controls/tree/widget/tree_presets.h"

#include "controls/tree/widget/string_tree.h"

namespace lazytree {

void ApplyMBusResultPreset(TLazyStringTree& tree, TCustomImageList* images)
{
    TCustomLazyTreeOptions& options = tree.TreeOptions();
    options.SetAnimationOptions({toAnimatedToggle});
    options.SetAutoOptions({toAutoDropExpand, toAutoTristateTracking});
    options.SetMiscOptions({toCheckSupport, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick, toWheelPanning});
    options.SetPaintOptions({toShowButtons, toShowRoot, toShowTreeLines, toThemeAware, toUseBlendedImages});
    options.SetSelectionOptions({toMultiSelect, toCenterScrollIntoView});
    tree.SetImages(images);
    tree.SetCustomCheckImages(images);
}

} // namespace lazytree
