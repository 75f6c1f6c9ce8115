#pragma once

// The registry of accessibility providers. The widget's accessibility request asks CreateIAccessible for
// the object of a tree; each registered provider may make one.

#include <vector>

class QAccessibleInterface;

namespace lazytree {

class TBaseLazyTree;

class IVTAccessibleProvider {
public:
    virtual ~IVTAccessibleProvider() = default;
    // The accessible object of the tree, or nil.
    virtual QAccessibleInterface* CreateIAccessible(TBaseLazyTree* tree) = 0;
};

class TVTAccessibilityFactory {
public:
    // The one factory of the process, made when first asked.
    static TVTAccessibilityFactory& GetAccessibilityFactory();

    void RegisterAccessibleProvider(IVTAccessibleProvider* provider);
    void UnRegisterAccessibleProvider(IVTAccessibleProvider* provider);
    QAccessibleInterface* CreateIAccessible(TBaseLazyTree* tree) const;
    int ProviderCount() const { return static_cast<int>(providers_.size()); }

private:
    TVTAccessibilityFactory() = default;
    std::vector<IVTAccessibleProvider*> providers_;
};

} // namespace lazytree
