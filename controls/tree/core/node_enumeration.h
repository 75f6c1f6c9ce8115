#pragma once

// Node sets of a tree as ranges: for (PLazyNode node : tree.VisibleNodes()) ...
// Each step uses the tree's navigation, so a set walks lazily and may initialise nodes as its mode says.

#include "controls/tree/core/tree_types.h"

#include <cstddef>
#include <iterator>

namespace lazytree {

enum TVZLazyNodeEnumerationMode {
    vneAll,
    vneChecked,
    vneChild,
    vneCutCopy,
    vneInitialized,
    vneLeaf,
    vneLevel,
    vneNoInit,
    vneSelected,
    vneVisible,
    vneVisibleChild,
    vneVisibleNoInitChild,
    vneVisibleNoInit,
};

class TVTLazyNodeEnumeration {
public:
    TVZLazyNodeEnumerationMode FMode = vneAll;
    TBaseLazyTree* FTree = nullptr;
    bool FConsiderChildrenAbove = false;
    PLazyNode FNode = nullptr;
    uint32_t FNodeLevel = 0;
    TCheckState FState = csUncheckedNormal;
    bool FIncludeFiltered = false;

    // The node after `current` in this set; the first one for a nil `current`.
    PLazyNode NextNodeOfEnumeration(PLazyNode current) const;

    class iterator {
    public:
        using value_type = PLazyNode;
        using difference_type = std::ptrdiff_t;
        using iterator_category = std::input_iterator_tag;

        iterator() = default;
        iterator(const TVTLazyNodeEnumeration* enumeration, PLazyNode node) : enumeration_(enumeration), node_(node) {}
        PLazyNode operator*() const { return node_; }
        iterator& operator++()
        {
            node_ = enumeration_->NextNodeOfEnumeration(node_);
            return *this;
        }
        void operator++(int) { ++*this; }
        friend bool operator==(const iterator& a, const iterator& b) { return a.node_ == b.node_; }

    private:
        const TVTLazyNodeEnumeration* enumeration_ = nullptr;
        PLazyNode node_ = nullptr;
    };

    iterator begin() const { return iterator(this, NextNodeOfEnumeration(nullptr)); }
    iterator end() const { return iterator(this, nullptr); }
};

static_assert(std::input_iterator<TVTLazyNodeEnumeration::iterator>);

} // namespace lazytree
