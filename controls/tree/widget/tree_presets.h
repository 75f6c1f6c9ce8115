#pragma once

// Named configurations of the string tree, set up through code.

namespace lazytree {

class TLazyStringTree;
class TCustomImageList;

// The scan result trees of the M-Bus window: no columns, check boxes, buttons and lines, multi-select,
// toggling by double click, wheel panning; `images` serves as node images and custom check images.
void ApplyMBusResultPreset(TLazyStringTree& tree, TCustomImageList* images);

} // namespace lazytree
