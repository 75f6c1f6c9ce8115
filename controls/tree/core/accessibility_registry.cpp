#include "controls/tree/core/accessibility_registry.h"

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>

namespace lazytree {

TVTAccessibilityFactory& TVTAccessibilityFactory::GetAccessibilityFactory()
{
    static TVTAccessibilityFactory factory;
    return factory;
}

void TVTAccessibilityFactory::RegisterAccessibleProvider(IVTAccessibleProvider* provider)
{
    if (provider && std::find(providers_.begin(), providers_.end(), provider) == providers_.end())
        providers_.push_back(provider);
}

void TVTAccessibilityFactory::UnRegisterAccessibleProvider(IVTAccessibleProvider* provider)
{
    auto it = std::find(providers_.begin(), providers_.end(), provider);
    if (it != providers_.end())
        providers_.erase(it);
}

QAccessibleInterface* TVTAccessibilityFactory::CreateIAccessible(TBaseLazyTree* tree) const
{
    if (!tree || providers_.empty())
        return nullptr;
    // The first provider makes the tree's own object.
    if (!tree->Accessible())
        return providers_.front()->CreateIAccessible(tree);
    if (tree->AccessibleItem())
        return tree->AccessibleItem();
    for (std::size_t i = providers_.size() - 1; i >= 1; --i)
        if (QAccessibleInterface* result = providers_[i]->CreateIAccessible(tree))
            return result;
    return providers_.front()->CreateIAccessible(tree);
}

} // namespace lazytree
