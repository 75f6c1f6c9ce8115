// Qt's accessibility request for a tree is answered from the registry of accessibility providers.

#include "controls/tree/core/accessibility_registry.h"
#include "controls/tree/widget/string_tree.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace lazytree;

namespace {

// An accessible object a test may delete itself.
struct ItemObject : QAccessibleWidget {
    using QAccessibleWidget::QAccessibleWidget;
    ~ItemObject() override = default;
};

// Makes the tree's object (Qt keeps it with the tree) and item objects (kept here).
class FakeProvider : public IVTAccessibleProvider {
public:
    QAccessibleInterface* CreateIAccessible(TBaseLazyTree* tree) override
    {
        ++calls;
        auto* widget = dynamic_cast<QWidget*>(tree);
        if (!tree->Accessible()) {
            treeObject = new QAccessibleWidget(widget, QAccessible::Tree, QStringLiteral("fake tree"));
            return treeObject;
        }
        items.push_back(std::make_unique<ItemObject>(widget, QAccessible::TreeItem));
        return items.back().get();
    }
    int calls = 0;
    QAccessibleInterface* treeObject = nullptr;
    std::vector<std::unique_ptr<ItemObject>> items;
};

// Registered for its own lifetime.
struct Registered {
    FakeProvider provider;
    Registered() { TVTAccessibilityFactory::GetAccessibilityFactory().RegisterAccessibleProvider(&provider); }
    ~Registered() { TVTAccessibilityFactory::GetAccessibilityFactory().UnRegisterAccessibleProvider(&provider); }
};

TEST(TreeAccessibility, ARegisteredProviderAnswersForTheTree)
{
    Registered registered;
    FakeProvider& provider = registered.provider;
    {
        TLazyStringTree tree;
        QAccessibleInterface* answer = QAccessible::queryAccessibleInterface(&tree);
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer, provider.treeObject);
        EXPECT_EQ(tree.Accessible(), provider.treeObject);
        ASSERT_EQ(provider.items.size(), 1u); // the item's object is made alongside
        EXPECT_EQ(tree.AccessibleItem(), provider.items.front().get());
        EXPECT_EQ(answer->text(QAccessible::Name), QStringLiteral("fake tree"));
        // Asked again, the same object, made once.
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&tree), answer);
        EXPECT_EQ(provider.calls, 2);
    }
    // Other widgets are not the registry's business.
    QWidget plain;
    QAccessibleInterface* other = QAccessible::queryAccessibleInterface(&plain);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other->role(), QAccessible::Tree);
    EXPECT_EQ(provider.calls, 2);
}

TEST(TreeAccessibility, WithoutProvidersQtAnswersItself)
{
    {
        Registered once; // registered and gone again before the tree asks
    }
    TLazyStringTree tree;
    QAccessibleInterface* answer = QAccessible::queryAccessibleInterface(&tree);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->object(), &tree);
    EXPECT_EQ(tree.Accessible(), nullptr);
    EXPECT_EQ(tree.AccessibleItem(), nullptr);
    EXPECT_EQ(TVTAccessibilityFactory::GetAccessibilityFactory().ProviderCount(), 0);
}

} // namespace
