#include "controls/tree/widget/header_popup.h"

#include "controls/tree/widget/tree_control.h"
#include "controls/tree/widget/tree_header_bar.h"

namespace lazytree {

namespace {
const char* const kFitAllName = "VT_ResizeToFitMenuItem";
}

TVTHeaderPopupMenu::TVTHeaderPopupMenu(QWidget* parent) : QMenu(parent)
{
    connect(this, &QMenu::triggered, this, &TVTHeaderPopupMenu::ItemTriggered);
}

TLazyTreeControl* TVTHeaderPopupMenu::Tree() const
{
    return qobject_cast<TLazyTreeControl*>(tree_.data());
}

TAddPopupItemType TVTHeaderPopupMenu::AskItemKind(TColumnIndex column)
{
    TAddPopupItemType kind = apNormal;
    if (OnAddHeaderPopupItem)
        OnAddHeaderPopupItem(Tree(), column, kind);
    return kind;
}

void TVTHeaderPopupMenu::NotifyColumnChange(TColumnIndex column, bool visible)
{
    if (OnColumnChange)
        OnColumnChange(Tree(), column, visible);
}

void TVTHeaderPopupMenu::BuildItems(TLazyTreeControl* tree)
{
    tree_ = tree;
    if (!tree)
        return;
    clear();
    TTreeHeader& header = tree->ColumnHeader();
    if (options_.Has(poResizeToFitItem)) {
        QAction* fit = addAction(tr("&Resize All Columns To Fit"));
        fit->setObjectName(QString::fromLatin1(kFitAllName));
        addSeparator();
    }
    const TLazyTreeColumns& columns = header.Columns();
    const bool images = header.Options().Has(hoShowImages) && header.Images();
    int visibleCount = 0;
    QAction* lastVisible = nullptr;
    for (int p = 0; p < columns.Count(); ++p) {
        const TColumnIndex index =
            options_.Has(poOriginalOrder) ? p : columns.ColumnFromPosition(static_cast<uint32_t>(p));
        if (index < 0)
            continue;
        const TLazyTreeColumn& c = columns[index];
        if (c.IsVisible())
            ++visibleCount;
        const TAddPopupItemType kind = AskItemKind(index);
        if (kind == apHidden)
            continue;
        QAction* item = addAction(QString::fromStdU16String(c.Text()));
        item->setToolTip(QString::fromStdU16String(c.Hint()));
        item->setData(index);
        item->setCheckable(true);
        item->setChecked(c.IsVisible());
        if (images && c.ImageIndex() >= 0 && c.ImageIndex() < header.Images()->Count())
            item->setIcon(QIcon(QPixmap::fromImage(header.Images()->Image(c.ImageIndex()))));
        if (kind == apDisabled)
            item->setEnabled(false);
        else if (c.IsVisible())
            lastVisible = item;
    }
    // The last visible column cannot be hidden.
    if (visibleCount == 1 && lastVisible && !options_.Has(poAllowHideAll))
        lastVisible->setEnabled(false);
}

void TVTHeaderPopupMenu::PopupFor(TLazyTreeControl* tree, QPoint globalPos)
{
    if (tree)
        BuildItems(tree);
    popup(globalPos);
}

void TVTHeaderPopupMenu::ItemTriggered(QAction* action)
{
    TLazyTreeControl* tree = Tree();
    if (!tree || !action)
        return;
    TTreeHeader& header = tree->ColumnHeader();
    if (action->objectName() == QLatin1String(kFitAllName)) {
        header.AutoFitColumns(true, smaUseColumnOption, -1, -1);
        return;
    }
    const TColumnIndex index = action->data().toInt();
    if (!header.Columns().IsValidColumn(index))
        return;
    TLazyTreeColumn& c = header.Columns()[index];
    // The action's check mark has already flipped: it tells the new visibility.
    const bool visible = action->isChecked();
    TVTColumnOptions options = c.Options();
    options.Set(coVisible, visible);
    c.SetOptions(options);
    NotifyColumnChange(index, visible);
}

} // namespace lazytree
