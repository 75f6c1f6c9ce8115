#pragma once

// The column chooser: a menu listing a tree's columns with check marks; choosing one shows or hides it.

#include "controls/tree/core/enum_set.h"
#include "controls/tree/core/tree_types.h"

#include <QMenu>
#include <QPointer>

#include <functional>

namespace lazytree {

class TLazyTreeControl;

enum TVTHeaderPopupOption : unsigned { poOriginalOrder, poAllowHideAll, poResizeToFitItem };
using TVTHeaderPopupOptions = EnumSet<TVTHeaderPopupOption, uint8_t>;
enum TAddPopupItemType { apNormal, apDisabled, apHidden };

using TAddHeaderPopupItemEvent = std::function<void(TLazyTreeControl*, TColumnIndex, TAddPopupItemType&)>;
using TColumnChangeEvent = std::function<void(TLazyTreeControl*, TColumnIndex, bool visible)>;

class TVTHeaderPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit TVTHeaderPopupMenu(QWidget* parent = nullptr);

    TVTHeaderPopupOptions Options() const { return options_; }
    void SetOptions(TVTHeaderPopupOptions value) { options_ = value; }
    TAddHeaderPopupItemEvent OnAddHeaderPopupItem;
    TColumnChangeEvent OnColumnChange;

    // Lists the tree's columns (the menu acts on this tree until the next call).
    void BuildItems(TLazyTreeControl* tree);
    // Builds the items for the tree and shows the menu at a screen point (without a tree: as it is).
    void PopupFor(TLazyTreeControl* tree, QPoint globalPos);
    TLazyTreeControl* Tree() const;

protected:
    virtual TAddPopupItemType AskItemKind(TColumnIndex column);
    virtual void NotifyColumnChange(TColumnIndex column, bool visible);

private:
    void ItemTriggered(QAction* action);

    TVTHeaderPopupOptions options_;
    QPointer<QWidget> tree_;
};

} // namespace lazytree
